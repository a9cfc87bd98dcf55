#include "framework/Document.h"

#include "framework/DocTemplate.h"
#include "framework/FrameWnd.h"
#include "framework/View.h"
#include "framework/WinApp.h"

#include "BackLinkedList.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)

CDocument::CDocument() : m_pDocTemplate(nullptr), m_bModified(FALSE), m_bAutoDelete(TRUE) {}

CDocument::~CDocument() {
  // Views that outlive the document no longer point to it.
  for (POSITION pos = GetFirstViewPosition(); pos != nullptr;) GetNextView(pos)->m_pDocument = nullptr;
  if (m_pDocTemplate != nullptr) m_pDocTemplate->RemoveDocument(this);
}

void CDocument::SetPathName(LPCTSTR lpszPathName, BOOL bAddToMRU) {
  char szFull[MAX_PATH];
  LPSTR lpszFilePart = nullptr;
  DWORD n = ::GetFullPathNameA(lpszPathName, sizeof(szFull), szFull, &lpszFilePart);
  m_strPathName = n > 0 && n < sizeof(szFull) ? szFull : lpszPathName;
  SetTitle(lpszFilePart != nullptr && n > 0 && n < sizeof(szFull) ? lpszFilePart : lpszPathName);
  CWinApp* pApp = AfxGetApp();
  if (bAddToMRU && pApp != nullptr) pApp->AddToRecentFileList(m_strPathName);
}

void CDocument::AddView(CView* pView) {
  AfxJoinHolder(m_viewList, pView, &CView::m_pDocument, this);
  OnChangedViewList();
}

void CDocument::RemoveView(CView* pView) {
  AfxLeaveHolder(m_viewList, pView, &CView::m_pDocument, this);
  OnChangedViewList();
}

void CDocument::OnChangedViewList() {
  if (m_viewList.IsEmpty() && m_bAutoDelete) OnCloseDocument();
}

void CDocument::UpdateAllViews(CView* pSender, LPARAM lHint, CObject* pHint) {
  for (POSITION pos = GetFirstViewPosition(); pos != nullptr;) {
    CView* pView = GetNextView(pos);
    if (pView != pSender) pView->OnUpdate(pSender, lHint, pHint);
  }
}

void CDocument::OnCloseDocument() {
  // Closing the frames removes the views; that must not close it again.
  BOOL bAutoDelete = m_bAutoDelete;
  m_bAutoDelete = FALSE;
  while (!m_viewList.IsEmpty()) {
    auto* pView = static_cast<CView*>(m_viewList.GetHead());
    CWnd* pFrame = pView->GetParentFrame();
    if (pFrame != nullptr)
      pFrame->DestroyWindow();
    else
      pView->DestroyWindow();
    if (!m_viewList.IsEmpty() && m_viewList.GetHead() == pView) RemoveView(pView);  // a window that would not go
  }
  m_bAutoDelete = bAutoDelete;
  if (m_bAutoDelete) delete this;
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  if (CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
  return m_pDocTemplate != nullptr && m_pDocTemplate->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
