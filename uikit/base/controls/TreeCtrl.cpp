#include "TreeCtrl.h"

IMPLEMENT_DYNCREATE(CJVTreeCtrl, CTreeCtrl)

BEGIN_MESSAGE_MAP(CJVTreeCtrl, CTreeCtrl)
  ON_WM_LBUTTONDOWN()
  ON_WM_RBUTTONDOWN()
  ON_WM_SETFOCUS()
  ON_WM_KILLFOCUS()
  ON_WM_KEYDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_TIMER()
  ON_WM_NCMOUSEMOVE()
  ON_WM_SIZE()
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_NOTIFY_REFLECT_EX(TVN_ITEMEXPANDING, OnItemExpanding)
  ON_NOTIFY_REFLECT_EX(TVN_DELETEITEM, OnDeleteItem)
  ON_NOTIFY_REFLECT_EX(TVN_BEGINLABELEDIT, OnBeginLabelEdit)
  ON_NOTIFY_REFLECT_EX(TVN_ENDLABELEDIT, OnEndLabelEdit)
END_MESSAGE_MAP()

CJVTreeCtrl::CJVTreeCtrl() : CJVTreeBase(this) {}

LRESULT CJVTreeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  NoteTreeMessage(message, wParam, lParam);
  return CTreeCtrl::WindowProc(message, wParam, lParam);
}

BOOL CJVTreeCtrl::PreTranslateMessage(MSG* pMsg) {
  if (CJVTreeBase::PreTranslateMessage(pMsg)) return TRUE;
  return CTreeCtrl::PreTranslateMessage(pMsg);
}

BOOL CJVTreeCtrl::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CJVTreeBase::OnNotify(wParam, lParam, pResult)) return TRUE;
  return CTreeCtrl::OnNotify(wParam, lParam, pResult);
}

void CJVTreeCtrl::OnLButtonDown(UINT nFlags, CPoint point) { HandleLButtonDown(nFlags, point); }
void CJVTreeCtrl::OnRButtonDown(UINT nFlags, CPoint point) { HandleRButtonDown(nFlags, point); }
void CJVTreeCtrl::OnSetFocus(CWnd*) { HandleSetFocus(); }
void CJVTreeCtrl::OnKillFocus(CWnd*) { HandleKillFocus(); }
void CJVTreeCtrl::OnKeyDown(UINT nChar, UINT, UINT) { HandleKeyDown(nChar); }
void CJVTreeCtrl::OnMouseMove(UINT, CPoint point) { HandleMouseMove(point); }
void CJVTreeCtrl::OnTimer(UINT_PTR nIDEvent) { HandleTimer(nIDEvent); }
void CJVTreeCtrl::OnNcMouseMove(UINT nHitTest, CPoint) { HandleNcMouseMove(nHitTest); }
void CJVTreeCtrl::OnSize(UINT, int, int) { HandleSize(); }
void CJVTreeCtrl::OnPaint() { HandlePaint(); }
BOOL CJVTreeCtrl::OnEraseBkgnd(CDC*) { return TRUE; }  // DoPaint fills the background itself

BOOL CJVTreeCtrl::OnItemExpanding(NMHDR* pNMHDR, LRESULT* pResult) {
  HandleItemExpanding(reinterpret_cast<NMTREEVIEW*>(pNMHDR));
  *pResult = 0;
  return FALSE;
}

BOOL CJVTreeCtrl::OnDeleteItem(NMHDR* pNMHDR, LRESULT* pResult) {
  HandleDeleteItem(reinterpret_cast<NMTREEVIEW*>(pNMHDR));
  *pResult = 0;
  return FALSE;
}

BOOL CJVTreeCtrl::OnBeginLabelEdit(NMHDR* pNMHDR, LRESULT* pResult) {
  HandleBeginLabelEdit(reinterpret_cast<NMTVDISPINFO*>(pNMHDR));
  *pResult = 0;
  return FALSE;
}

BOOL CJVTreeCtrl::OnEndLabelEdit(NMHDR*, LRESULT* pResult) {
  HandleEndLabelEdit();
  *pResult = 0;
  return FALSE;
}
