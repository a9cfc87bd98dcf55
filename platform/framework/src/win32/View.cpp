// CView, and the frame's active view and document.
#include "framework/View.h"

#include "framework/DC.h"
#include "framework/Document.h"
#include "framework/FrameWnd.h"

IMPLEMENT_DYNAMIC(CView, CWnd)

BEGIN_MESSAGE_MAP(CView, CWnd)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_MOUSEACTIVATE()
ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdateMessage)
END_MESSAGE_MAP()

CView::CView() : m_pDocument(nullptr) {}

CView::~CView() {
  if (m_pDocument != nullptr) m_pDocument->RemoveView(this);
}

void CView::PostNcDestroy() { delete this; }

BOOL CView::IsSelected(const CObject*) const { return FALSE; }

void CView::OnInitialUpdate() { OnUpdate(nullptr, 0, nullptr); }

void CView::OnUpdate(CView*, LPARAM, CObject*) { Invalidate(TRUE); }

void CView::OnActivateView(BOOL bActivate, CView*, CView*) {
  if (bActivate && ::GetFocus() != m_hWnd && !::IsChild(m_hWnd, ::GetFocus())) SetFocus();
}

BOOL CView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocument != nullptr && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CView::OnPaint() {
  CPaintDC dc(this);
  OnDraw(&dc);
}

void CView::OnDestroy() {
  auto* pFrame = static_cast<CFrameWnd*>(GetParentFrame());
  if (pFrame != nullptr && pFrame->GetActiveView() == this) pFrame->SetActiveView(nullptr, FALSE);
  CWnd::OnDestroy();
}

int CView::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message) {
  int nResult = CWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
  if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT) return nResult;
  auto* pFrame = static_cast<CFrameWnd*>(GetParentFrame());
  if (pFrame != nullptr) pFrame->SetActiveView(this);
  return nResult;
}

LRESULT CView::OnInitialUpdateMessage(WPARAM, LPARAM) {
  OnInitialUpdate();
  return 0;
}

// ------------------------------------------------- the frame's active view

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
  CView* pViewOld = m_pViewActive;
  if (pViewNew == pViewOld) return;
  m_pViewActive = pViewNew;
  if (!bNotify) return;
  if (pViewOld != nullptr) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
  if (pViewNew != nullptr) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument() { return m_pViewActive != nullptr ? m_pViewActive->GetDocument() : nullptr; }
