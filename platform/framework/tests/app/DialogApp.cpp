// A dialog-based program on the framework: the framework's WinMain runs the
// application object, whose InitInstance shows the main dialog modally. The
// dialog plays its own user (once the modal loop has gone idle, a timer types
// into it and presses OK); the
// exit code says whether everything arrived where it should (0 = yes).
// With the argument "hold" it stays up for a while (for a screenshot).
#include "DialogApp.h"

#include <cstring>

namespace {

int g_nFailures = 0;
void Check(bool bCondition) {
  if (!bCondition) ++g_nFailures;
}

class CMainDialog : public CDialog {
  static constexpr UINT_PTR kUserTimer = 1;
  static constexpr UINT_PTR kGiveUpTimer = 2;

 public:
  CMainDialog() : CDialog(IDD_MAIN) {}
  int m_nChannel = 12;
  CString m_strTitle = "News";
  int m_nRecord = 0;
  int m_nAuto = 0;
  BOOL m_bAutoAllowed = TRUE;
  int m_nKickIdle = 0;
  UINT m_nHoldMs = 0;
  CListCtrl m_channels;
  CEdit m_log;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_CHANNEL, m_nChannel);
    DDV_MinMaxInt(pDX, m_nChannel, 1, 999);
    DDX_Text(pDX, IDC_TITLE, m_strTitle);
    DDX_Check(pDX, IDC_RECORD, m_nRecord);
    DDX_Check(pDX, IDC_AUTO, m_nAuto);
    DDX_Control(pDX, IDC_CHANNELS, m_channels);
    DDX_Control(pDX, IDC_LOG, m_log);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    m_channels.InsertColumn(0, "Channel", LVCFMT_LEFT, 120);
    m_channels.InsertColumn(1, "Provider", LVCFMT_LEFT, 200);
    const char* names[][2] = {{"First", "Provider A"}, {"Second", "Provider B"}, {"Third", "Provider C"}};
    for (int i = 0; i < 3; ++i) {
      m_channels.InsertItem(i, names[i][0]);
      m_channels.SetItemText(i, 1, names[i][1]);
    }
    m_log.SetWindowText("Started.\r\n");
    CenterWindow();
    // A modal loop that never goes idle would never let the user act.
    SetTimer(kGiveUpTimer, 30000, nullptr);
    return TRUE;
  }
  afx_msg void OnTimer(UINT_PTR nIDEvent) {
    KillTimer(nIDEvent);
    if (nIDEvent == kGiveUpTimer) {
      EndDialog(IDCANCEL);
      return;
    }
    // The "user": types, ticks, presses OK.
    SetDlgItemText(IDC_CHANNEL, "42");
    SetDlgItemText(IDC_TITLE, "Weather");
    CheckDlgButton(IDC_RECORD, BST_CHECKED);
    PostMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDOK)));
  }
  afx_msg void OnUpdateAuto(CCmdUI* pCmdUI) { pCmdUI->Enable(m_bAutoAllowed && IsDlgButtonChecked(IDC_RECORD)); }
  afx_msg LRESULT OnKickIdle(WPARAM, LPARAM) {
    if (m_nKickIdle++ == 0) SetTimer(kUserTimer, m_nHoldMs != 0 ? m_nHoldMs : 50, nullptr);
    UpdateDialogControls(this, FALSE);
    return FALSE;  // no more idle time needed
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMainDialog, CDialog)
ON_WM_TIMER()
ON_UPDATE_COMMAND_UI(IDC_AUTO, OnUpdateAuto)
ON_MESSAGE(WM_KICKIDLE, OnKickIdle)
END_MESSAGE_MAP()

class CDialogApp : public CWinApp {
 public:
  CDialogApp() : CWinApp("Framework dialog program") {}
  BOOL InitInstance() override {
    Check(AfxGetApp() == this);
    Check(std::strcmp(m_pszAppName, "Framework dialog program") == 0);
    Check(std::strcmp(m_pszExeName, "framework_dialog_app") == 0);
    Check(m_hInstance == ::GetModuleHandleA(nullptr) && AfxGetInstanceHandle() == m_hInstance);
    Check(AfxGetThread() == this);
    CMainDialog dlg;
    if (std::strstr(m_lpCmdLine, "hold") != nullptr) dlg.m_nHoldMs = 4000;
    m_pMainWnd = &dlg;
    INT_PTR nResult = dlg.DoModal();
    Check(nResult == IDOK);
    Check(dlg.m_nChannel == 42);
    Check(dlg.m_strTitle == "Weather");
    Check(dlg.m_nRecord == 1);
    Check(dlg.m_nKickIdle > 0);  // the modal loop gave idle time
    m_pMainWnd = nullptr;
    return FALSE;  // no message loop: the program ends
  }
  int ExitInstance() override { return g_nFailures; }
};

CDialogApp theApp;

}  // namespace
