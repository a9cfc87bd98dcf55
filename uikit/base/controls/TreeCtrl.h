// CJVTreeCtrl: the framework's tree control with CJVTreeBase mixed in: the
// control forwards its window messages, pre-translation and notifications to
// the base, whose names (selection, item state, navigation) it takes over.
#pragma once

#include <Framework.h>

#include "TreeBase.h"

class CJVTreeCtrl : public CTreeCtrl, public CJVTreeBase {
  DECLARE_DYNCREATE(CJVTreeCtrl)
 public:
  CJVTreeCtrl();

  using CJVTreeBase::GetItemState;
  using CJVTreeBase::GetNextItem;
  using CJVTreeBase::SelectItem;
  using CJVTreeBase::SetItemState;

  BOOL PreTranslateMessage(MSG* pMsg) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

 protected:
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnKillFocus(CWnd* pNewWnd);
  afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg BOOL OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg BOOL OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg BOOL OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
  afx_msg BOOL OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult);
  DECLARE_MESSAGE_MAP()
};
