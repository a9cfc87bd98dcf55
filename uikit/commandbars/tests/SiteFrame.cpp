#include "SiteFrame.h"

#include "ShortcutManager.h"

BEGIN_MESSAGE_MAP(CSiteFrame, CJVKCommandBarsFrame)
ON_WM_CREATE()
ON_COMMAND(ID_SF_OPEN, OnCommandHandled)
ON_COMMAND(ID_SF_CHECKED, OnCommandHandled)
ON_COMMAND(ID_SF_CUT, OnCommandHandled)
ON_COMMAND(ID_SF_RENAMED, OnCommandHandled)
ON_COMMAND(ID_SF_CUSTOMIZE, OnCustomize)
ON_COMMAND_RANGE(ID_SF_MENU_FIRST, ID_SF_MENU_LAST, OnMenuCommand)
ON_UPDATE_COMMAND_UI(ID_SF_CUT, OnUpdateEnable)
ON_UPDATE_COMMAND_UI(ID_SF_DISABLED, OnUpdateDisable)
ON_UPDATE_COMMAND_UI(ID_SF_CHECKED, OnUpdateCheck)
ON_UPDATE_COMMAND_UI(ID_SF_RENAMED, OnUpdateRename)
ON_NOTIFY(JVK_NOTIFY_EXECUTE, ID_SF_OPEN, OnExecuteNotify)
END_MESSAGE_MAP()

CSiteFrame* CSiteFrame::Create(const CRect& rc, BOOL bCommandBars) {
  auto* pFrame = new CSiteFrame(bCommandBars);
  if (!pFrame->LoadFrame(IDR_SITE_FRAME, WS_OVERLAPPEDWINDOW)) return nullptr;  // deleted with its window
  pFrame->SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  pFrame->ShowWindow(SW_SHOWNORMAL);
  pFrame->UpdateWindow();
  return pFrame;
}

int CSiteFrame::OnCreate(LPCREATESTRUCT pCreate) {
  if (CJVKCommandBarsFrame::OnCreate(pCreate) == -1) return -1;
  if (!m_bWithCommandBars) return 0;
  if (!InitCommandBars()) return -1;
  GetCommandBars()->GetShortcutManager()->SetBaseTable(
      ::LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(IDR_SITE_FRAME)));
  return 0;
}

int CSiteFrame::CountSite(UINT nMessage) const {
  int n = 0;
  for (const CSiteMessage& m : m_siteMessages) n += m.nMessage == nMessage;
  return n;
}

void CSiteFrame::OnExecuteNotify(NMHDR*, LRESULT* pResult) {
  ++m_nNotifications;
  *pResult = m_lNotifyAnswer;
}

LRESULT CSiteFrame::WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) {
  switch (nMessage) {
    case WM_COMMAND: m_commands.push_back(LOWORD(wParam)); break;
    case WM_SETMESSAGESTRING:
      m_status.push_back(lParam ? CString(reinterpret_cast<LPCTSTR>(lParam)) : CString("(id)"));
      break;
    case WM_POPMESSAGESTRING: m_status.push_back(CString("(idle)")); break;
    default: break;
  }
  if (nMessage < JVK_WM_SITE_FIRST || nMessage > JVK_WM_SITE_LAST)
    return CJVKCommandBarsFrame::WindowProc(nMessage, wParam, lParam);

  m_siteMessages.push_back({nMessage, wParam, lParam});
  if (m_onSiteMessage) m_onSiteMessage(nMessage, wParam, lParam);
  if (nMessage == JVK_WM_CREATE_CONTROL && m_supplyControl) {
    auto* pCreate = reinterpret_cast<JVK_CREATE_CONTROL*>(lParam);
    pCreate->pControl = m_supplyControl(*pCreate);
  }
  if (nMessage == JVK_WM_CREATE_POPUP_BAR && m_supplyBar) {
    auto* pCreate = reinterpret_cast<JVK_CREATE_POPUP_BAR*>(lParam);
    pCreate->pBar = m_supplyBar(*pCreate);
    return pCreate->pBar != nullptr;
  }
  auto it = m_answers.find(nMessage);
  if (it != m_answers.end()) return it->second;
  // The notification goes through the frame's command routing.
  return CJVKCommandBarsFrame::WindowProc(nMessage, wParam, lParam);
}
