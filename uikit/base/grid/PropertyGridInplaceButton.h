// CJVKPropertyGridInplaceButton: the button at the right end of the selected
// item's value (three dots, or a drop-down arrow). One per grid, shown for
// whichever item needs it; the grid's paint manager draws it.
#pragma once

#include <Framework.h>

class CJVKPropertyGridItem;
class CJVKPropertyGridView;

class CJVKPropertyGridInplaceButton : public CStatic {
  DECLARE_DYNAMIC(CJVKPropertyGridInplaceButton)
 public:
  CJVKPropertyGridInplaceButton() = default;
  CJVKPropertyGridInplaceButton(const CJVKPropertyGridInplaceButton&) = delete;
  CJVKPropertyGridInplaceButton& operator=(const CJVKPropertyGridInplaceButton&) = delete;

  BOOL Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID = 0xFFFF) override;
  // Hides the window; the button keeps its item.
  virtual void Hide();
  // Over the right end of the item's row (view coordinates).
  virtual void Show(CJVKPropertyGridItem* pItem, CRect rcRow);
  // Forgets item and view and hides the window.
  virtual void Detach();

  CJVKPropertyGridItem* GetItem() const { return m_pItem; }
  BOOL IsPressed() const { return m_bPressed; }
  BOOL IsHot() const { return m_bHot; }

 protected:
  afx_msg void OnPaint();
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
  DECLARE_MESSAGE_MAP()

 private:
  void SetHot(BOOL bHot);

  BOOL m_bPressed = FALSE;
  BOOL m_bHot = FALSE;
  CJVKPropertyGridView* m_pView = nullptr;
  CJVKPropertyGridItem* m_pItem = nullptr;
};
