#include "FrameTestSupport.h"

#include "FrameTestResources.h"

BEGIN_MESSAGE_MAP(CCommandFrame, CFrameWnd)
ON_COMMAND(ID_FILE_OPEN_DOC, OnOpen)
ON_COMMAND(ID_VIEW_REFRESH, OnRefresh)
ON_COMMAND(ID_VIEW_GRID, OnGrid)
ON_UPDATE_COMMAND_UI(ID_EDIT_UNDO_IT, OnUpdateUndo)
ON_UPDATE_COMMAND_UI(ID_VIEW_GRID, OnUpdateGrid)
END_MESSAGE_MAP()

void IdleUpdate(CFrameWnd* pFrame) {
  CWinApp* pApp = AfxGetApp();
  CWnd* pOldMain = pApp->m_pMainWnd;
  pApp->m_pMainWnd = pFrame;
  pApp->OnIdle(0);
  pApp->m_pMainWnd = pOldMain;
}

void SizeClient(CFrameWnd* pFrame, int cx, int cy) {
  CRect rect(0, 0, cx, cy);
  ::AdjustWindowRectEx(&rect, pFrame->GetStyle(), ::GetMenu(pFrame->m_hWnd) != nullptr, pFrame->GetExStyle());
  pFrame->SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}
