// CJVResize: the engine of the resizable dialog. Each registered control has
// anchor factors that say how far each of its edges follows the dialog's
// change in size; a size grip sits in the lower-right corner, the designed
// size is the smallest tracking size, and the window placement can be kept
// in the application's profile when the dialog goes.
#pragma once

#include "ResizeItem.h"
#include "ResizeRect.h"

#include <Framework.h>

// The size grip: a scroll bar with SBS_SIZEGRIP that shows the diagonal
// sizing cursor over its client area.
class CJVSizeGrip : public CScrollBar {
 protected:
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  DECLARE_MESSAGE_MAP()
};

class CJVResize {
 public:
  // The control id of the size grip.
  static const UINT kSizeGripId = 0x7FFF;

  CJVResize(CWnd* pWnd, DWORD dwFlags);
  virtual ~CJVResize();
  CJVResize(const CJVResize&) = delete;
  CJVResize& operator=(const CJVResize&) = delete;

  // Registers the control (by id, or by its handle when hWnd is given), or
  // adds the anchor to that of a control already registered under the id.
  void SetResize(UINT nID, HWND hWnd, const CJVResizeRect& rcAnchor);
  void SetResize(UINT nID, float left, float top, float right, float bottom) {
    SetResize(nID, nullptr, CJVResizeRect(left, top, right, bottom));
  }
  // Takes the dialog's rectangle as the designed one, makes the grip.
  void Init();
  // Moves the controls by the change since the last layout.
  void Layout();
  void RemoveAllItems();

  // The tracking limits (WM_GETMINMAXINFO).
  void GetMinMaxInfo(MINMAXINFO* pMMI) const;
  // Writes the window placement under m_strSection (when set).
  void SavePlacement();

  int GetItemCount() const { return static_cast<int>(m_arrItems.GetSize()); }
  CJVResizeItem* GetItem(int nIndex) const { return m_arrItems[nIndex]; }

  DWORD m_nFlags;
  CWnd* m_pWnd;
  CRect m_rectLast;
  CRect m_rectInitial;
  CSize m_szMin;
  CSize m_szMax;
  CString m_strSection;
  CJVSizeGrip m_wndSizeGrip;
  CArray<CJVResizeItem*, CJVResizeItem*> m_arrItems;

 private:
  CJVResizeItem* FindItem(UINT nID) const;
};
