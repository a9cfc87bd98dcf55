// The plain window that holds a free-standing tool bar in the window tests,
// as the editor's panes hold theirs, and the fixture of such a window with
// its bar.
#pragma once

#include "SiteMessages.h"
#include "ToolBar.h"

#include <functional>
#include <vector>

// The plain window that holds the bar: records every command, the status
// texts and the control requests it gets; handles two of the commands,
// disables the third by its update handler and checks one.
class CHostWnd : public CWnd {
 public:
  LRESULT WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) override {
    switch (nMessage) {
      case WM_COMMAND:
        m_commands.push_back(LOWORD(wParam));
        if (m_onCommand) m_onCommand();
        break;
      case WM_SETMESSAGESTRING: m_status.push_back(reinterpret_cast<LPCTSTR>(lParam)); return 0;
      case WM_POPMESSAGESTRING: m_status.push_back(CString("(idle)")); return 0;
      case JVK_WM_CREATE_CONTROL: {
        auto* pCreate = reinterpret_cast<JVK_CREATE_CONTROL*>(lParam);
        m_requests.push_back(*pCreate);
        if (m_onCreateControl) m_onCreateControl(pCreate);
        return 0;
      }
      case JVK_WM_CONTROL_SELECTED: m_selected.push_back(reinterpret_cast<CJVKControl*>(wParam)); return 0;
      case JVK_WM_BAR_VISIBLE_CHANGED: m_visibility.push_back(static_cast<BOOL>(lParam)); return 0;
      case JVK_WM_CONTROL_RCLICK:
        m_rightClicks.push_back(reinterpret_cast<CJVKControl*>(lParam));
        return m_lRightClickAnswer;
      case JVK_WM_TRACKING_KEY: m_trackingKeys.push_back(*reinterpret_cast<const UINT*>(wParam)); return 0;
      case WM_SYSKEYDOWN:
        // As the command bars' pre-translation does for Alt+letter.
        if (m_pMnemonicBar && wParam != VK_MENU) m_pMnemonicBar->ActivateOwnMnemonic(static_cast<UINT>(wParam));
        return 0;
      case JVK_WM_CONTROL_CREATED:
        m_created.push_back(reinterpret_cast<JVK_CREATE_CONTROL*>(lParam)->pControl);
        return 0;
      default: break;
    }
    return CWnd::WindowProc(nMessage, wParam, lParam);
  }
  void OnCommandHandled() {}
  void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
  void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }

  std::vector<UINT> m_commands;
  std::vector<CString> m_status;
  std::vector<JVK_CREATE_CONTROL> m_requests;
  std::vector<CJVKControl*> m_created;
  std::vector<CJVKControl*> m_selected;  // null: the selection cleared
  std::function<void(JVK_CREATE_CONTROL*)> m_onCreateControl;
  std::function<void()> m_onCommand;
  std::vector<BOOL> m_visibility;    // the bars' visibility notices
  std::vector<UINT> m_trackingKeys;  // keys a tracking bar reported
  std::vector<CJVKControl*> m_rightClicks;
  LRESULT m_lRightClickAnswer = 0;
  // Alt+letter goes to this bar's mnemonic search (null: nowhere).
  CJVKCommandBar* m_pMnemonicBar = nullptr;
  DECLARE_MESSAGE_MAP()
};

inline const DWORD kBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS;

// A host window at the screen rectangle with a tool bar (not yet loaded).
struct CHostWithBar {
  explicit CHostWithBar(const CRect& rc = CRect(120, 120, 520, 320), CJVKToolBar* pNewBar = new CJVKToolBar,
                        CJVKControlCommandBars* pBars = nullptr) {
    LPCTSTR pszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
    host.CreateEx(WS_EX_TOOLWINDOW, pszClass, _T("host"), WS_POPUP | WS_VISIBLE, rc, nullptr, 0);
    pBar = pNewBar;
    pBar->SetCommandBars(pBars);
    pBar->CreateToolBar(kBarStyle, &host);
  }
  ~CHostWithBar() {
    if (pBar) pBar->ReleaseBarRef();
    host.DestroyWindow();
  }
  CHostWithBar(const CHostWithBar&) = delete;
  CHostWithBar& operator=(const CHostWithBar&) = delete;

  CJVKControl* Control(int nIndex) const { return pBar->GetControls()->GetAt(nIndex); }
  CRect BarRect() const {
    CRect rc;
    pBar->GetWindowRect(&rc);
    host.ScreenToClient(&rc);
    return rc;
  }

  CHostWnd host;
  CJVKToolBar* pBar = nullptr;
};
