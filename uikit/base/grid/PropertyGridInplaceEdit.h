// CJVKPropertyGridInplaceEdit: the edit box over the selected item's value.
// One per grid; placed over the item's value rectangle when the item is
// selected, hidden when it loses the selection, and committed to the item
// when it loses the focus. A masked edit underneath: an item with a mask
// restricts input position by position.
#pragma once

#include <Framework.h>

#include "MaskEdit.h"

class CJVKPropertyGridItem;
class CJVKPropertyGridView;

typedef CJVKMaskEdit CJVKPropertyGridInplaceEditBase;

class CJVKPropertyGridInplaceEdit : public CJVKPropertyGridInplaceEditBase {
  DECLARE_DYNAMIC(CJVKPropertyGridInplaceEdit)
 public:
  CJVKPropertyGridInplaceEdit() = default;
  ~CJVKPropertyGridInplaceEdit() override;
  CJVKPropertyGridInplaceEdit(const CJVKPropertyGridInplaceEdit&) = delete;
  CJVKPropertyGridInplaceEdit& operator=(const CJVKPropertyGridInplaceEdit&) = delete;

  BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // The text the edit opens with (its Escape restores it).
  virtual void SetValue(LPCTSTR pszValue);
  virtual void Hide();
  virtual void Show(CJVKPropertyGridItem* pItem, CRect rc);
  // Forgets item and view and hides the window.
  virtual void Detach();
  // Replaces the text by the constraint nStep away from the one it equals;
  // FALSE when the item has none or the text is none of them.
  virtual BOOL SelectConstraint(int nStep, BOOL bWrap);

  CJVKPropertyGridItem* GetItem() const { return m_pItem; }

 protected:
  afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
  afx_msg void OnEnSetFocus();
  afx_msg void OnEnKillFocus();
  afx_msg void OnEnChange();
  afx_msg void OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct);
  afx_msg UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
  DECLARE_MESSAGE_MAP()

 private:
  void RedrawView();

  CString m_strValue;
  CBrush m_brBack;
  COLORREF m_clrBack = 0;
  CJVKPropertyGridView* m_pView = nullptr;
  CJVKPropertyGridItem* m_pItem = nullptr;
  BOOL m_bCreate = FALSE;
  BOOL m_bActive = FALSE;
};
