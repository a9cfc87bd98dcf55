#include "StatusBarTestFrame.h"

// The test program's application object.
CWinApp theStatusBarTestApp("UikitStatusBarTest");

const UINT kTestIndicators[4] = {0, ID_SB_CAPS, ID_SB_OVERWRITE, ID_SB_NUM};
const int kTestClientWidth = 720;

BEGIN_MESSAGE_MAP(CStatusTestFrame, CFrameWnd)
ON_UPDATE_COMMAND_UI(ID_SB_CAPS, OnUpdateCaps)
ON_UPDATE_COMMAND_UI(ID_SB_OVERWRITE, OnUpdateOverwrite)
ON_UPDATE_COMMAND_UI(ID_SB_NUM, OnUpdateNum)
END_MESSAGE_MAP()

CStatusTestFrame::CStatusTestFrame(BOOL bSizingBorder, CJVKStatusBar* pBar)
    : m_pBar(pBar != nullptr ? pBar : new CJVKStatusBar) {
  const DWORD dwStyle = bSizingBorder ? WS_OVERLAPPEDWINDOW : (WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU);
  Create(nullptr, "Status bar test", dwStyle, CRect(40, 40, 760, 240));
  m_pBar->Create(this);
  m_pBar->SetIndicators(kTestIndicators, 4);
  ShowWindow(SW_SHOWNA);
  SizeClient(kTestClientWidth);
}

CStatusTestFrame::~CStatusTestFrame() {
  if (m_hWnd != nullptr) DestroyWindow();
  delete m_pBar;
}

void CStatusTestFrame::SizeClient(int cx) {
  CRect rect(0, 0, cx, 120);
  ::AdjustWindowRectEx(&rect, GetStyle(), FALSE, GetExStyle());
  SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
  RecalcLayout();
  PumpPending();
}

void CStatusTestFrame::IdleUpdate() {
  CWinApp* pApp = AfxGetApp();
  CWnd* pOldMain = pApp->m_pMainWnd;
  pApp->m_pMainWnd = this;
  pApp->OnIdle(0);
  pApp->m_pMainWnd = pOldMain;
}

void CStatusTestFrame::OnUpdateCaps(CCmdUI* pCmdUI) {
  ++m_nCapsCalls;
  if (!m_strCapsText.empty()) pCmdUI->SetText(m_strCapsText.c_str());
}

void CStatusTestFrame::OnUpdateOverwrite(CCmdUI* pCmdUI) {
  if (m_nOverwriteEnable >= 0) pCmdUI->Enable(m_nOverwriteEnable);
}

void CStatusTestFrame::OnUpdateNum(CCmdUI* pCmdUI) {
  if (m_nNumCheck >= 0) pCmdUI->SetCheck(m_nNumCheck);
}

namespace {
CSetTextCounter* g_pCounter = nullptr;
}  // namespace

CSetTextCounter::CSetTextCounter(HWND hWnd)
    : m_hWnd(hWnd), m_hHook(::SetWindowsHookEx(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId())) {
  g_pCounter = this;
}

CSetTextCounter::~CSetTextCounter() {
  ::UnhookWindowsHookEx(m_hHook);
  g_pCounter = nullptr;
}

LRESULT CALLBACK CSetTextCounter::Hook(int nCode, WPARAM wParam, LPARAM lParam) {
  const auto* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (nCode == HC_ACTION && g_pCounter != nullptr && pMsg->hwnd == g_pCounter->m_hWnd &&
      pMsg->message == SB_SETTEXT) {
    const char* pszText = reinterpret_cast<const char*>(pMsg->lParam);
    g_pCounter->m_texts.push_back(std::to_string(pMsg->wParam) + ":" + (pszText != nullptr ? pszText : ""));
  }
  return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

std::string PartText(CWnd& bar, int nPart, UINT* pType) {
  char text[256] = {};
  const LRESULT lResult = bar.SendMessage(SB_GETTEXTA, static_cast<WPARAM>(nPart), reinterpret_cast<LPARAM>(text));
  if (pType != nullptr) *pType = HIWORD(lResult);
  return text;
}

std::vector<int> PartEdges(CWnd& bar) {
  const int nParts = static_cast<int>(bar.SendMessage(SB_GETPARTS, 0, 0));
  std::vector<int> edges(static_cast<size_t>(nParts));
  if (nParts > 0) bar.SendMessage(SB_GETPARTS, static_cast<WPARAM>(nParts), reinterpret_cast<LPARAM>(edges.data()));
  return edges;
}

