#include "WindowTestSupport.h"

// The test program's own application object.
CWinApp theTestApp("FrameworkWindowTest");

void PumpPending() {
  MSG msg;
  while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!AfxPreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
  }
}

namespace {
CMessageBoxRecorder* g_pRecorder = nullptr;
int CALLBACK RecordBox(LPCTSTR lpszText, UINT, UINT) {
  g_pRecorder->m_texts.push_back(lpszText);
  if (g_pRecorder->m_onBox != nullptr) g_pRecorder->m_onBox();
  return g_pRecorder->m_nAnswer;
}
}  // namespace

CMessageBoxRecorder::CMessageBoxRecorder() : m_pfnPrevious(AfxSetMessageBoxHook(RecordBox)) { g_pRecorder = this; }

CMessageBoxRecorder::~CMessageBoxRecorder() {
  AfxSetMessageBoxHook(m_pfnPrevious);
  g_pRecorder = nullptr;
}

CRect RectInParent(CWnd* pWnd) {
  CRect rect;
  pWnd->GetWindowRect(&rect);
  pWnd->GetParent()->ScreenToClient(&rect);
  return rect;
}

void PrintTo(const CRect& rect, std::ostream* os) {
  *os << "(" << rect.left << "," << rect.top << "," << rect.right << "," << rect.bottom << ")";
}
