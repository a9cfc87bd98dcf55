// Modal dialogs from templates: data exchange both ways, validation with the
// prompt, and the result of DoModal.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "WindowTestResources.h"
#include "WindowTestSupport.h"

namespace {

class CSettingsDialog : public CDialog {
 public:
  CSettingsDialog() : CDialog(IDD_SETTINGS) {}

  int m_nCount = -5;
  UINT m_nPort = 2000;
  CString m_strName = "first";
  DWORD m_dwAmount = 4000000000u;
  int m_nEnabled = 1;
  int m_nMode = 1;
  int m_nKind = 2;
  CComboBox m_kind;

  // Runs once the dialog is up (the test's "user").
  std::function<void(CSettingsDialog&)> m_user;
  std::string m_seenAtInit;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_COUNT, m_nCount);
    DDV_MinMaxInt(pDX, m_nCount, -10, 10);
    DDX_Text(pDX, IDC_PORT, m_nPort);
    DDX_Text(pDX, IDC_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 12);
    DDX_Text(pDX, IDC_AMOUNT, m_dwAmount);
    DDX_Check(pDX, IDC_ENABLED, m_nEnabled);
    DDX_Radio(pDX, IDC_MODE_A, m_nMode);
    DDX_Control(pDX, IDC_KIND, m_kind);
    DDX_CBIndex(pDX, IDC_KIND, m_nKind);
  }
  BOOL OnInitDialog() override {
    m_kind.SubclassDlgItem(IDC_KIND, this);
    for (const char* kind : {"TV", "Radio", "Data"}) m_kind.AddString(kind);
    CDialog::OnInitDialog();
    char sz[64];
    GetDlgItemText(IDC_COUNT, sz, sizeof(sz));
    m_seenAtInit = sz;
    GetDlgItemText(IDC_AMOUNT, sz, sizeof(sz));
    m_seenAtInit += std::string("|") + sz;
    m_seenAtInit += IsDlgButtonChecked(IDC_ENABLED) ? "|checked" : "|unchecked";
    m_seenAtInit += IsDlgButtonChecked(IDC_MODE_B) ? "|B" : "|not B";
    m_seenAtInit += "|" + std::to_string(m_kind.GetCurSel());
    PostMessage(WM_APP);  // the "user" acts once the loop runs
    return TRUE;
  }
  afx_msg LRESULT OnUser(WPARAM, LPARAM) {
    if (m_user) m_user(*this);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSettingsDialog, CDialog)
ON_MESSAGE(WM_APP, OnUser)
END_MESSAGE_MAP()

void Press(CDialog& dlg, int nID) {
  dlg.PostMessage(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dlg.m_hWnd, nID)));
}

TEST(DialogTest, ModalDialogExchangesDataBothWays) {
  CMessageBoxRecorder boxes;
  CSettingsDialog dlg;
  dlg.m_user = [](CSettingsDialog& d) {
    d.SetDlgItemText(IDC_COUNT, "7");
    d.SetDlgItemText(IDC_PORT, "65535");
    d.SetDlgItemText(IDC_NAME, "second");
    d.SetDlgItemText(IDC_AMOUNT, "4294967295");
    d.CheckDlgButton(IDC_ENABLED, BST_UNCHECKED);
    d.CheckRadioButton(IDC_MODE_A, IDC_MODE_C, IDC_MODE_C);
    d.m_kind.SetCurSel(0);
    Press(d, IDOK);
  };
  EXPECT_EQ(dlg.DoModal(), IDOK);
  EXPECT_EQ(dlg.m_seenAtInit, "-5|4000000000|checked|B|2");
  EXPECT_EQ(dlg.m_nCount, 7);
  EXPECT_EQ(dlg.m_nPort, 65535u);
  EXPECT_STREQ(dlg.m_strName, "second");
  EXPECT_EQ(dlg.m_dwAmount, 4294967295u);
  EXPECT_EQ(dlg.m_nEnabled, 0);
  EXPECT_EQ(dlg.m_nMode, 2);
  EXPECT_EQ(dlg.m_nKind, 0);
  EXPECT_EQ(dlg.m_hWnd, nullptr);  // destroyed after the loop
  EXPECT_TRUE(boxes.m_texts.empty());
}

TEST(DialogTest, InvalidInputIsRefusedWithThePromptAndTheDialogStays) {
  struct Case {
    int nField;
    const char* text;
    const char* prompt;
  } cases[] = {
      {IDC_COUNT, "abc", "Please enter an integer."},
      {IDC_COUNT, "12", "Enter an integer between -10 and 10."},
      {IDC_COUNT, "99999999999", "Please enter an integer."},
      {IDC_COUNT, "3 4", "Please enter an integer."},
      {IDC_PORT, "-2", "Please enter a positive integer."},
      {IDC_AMOUNT, "4294967296", "Please enter a positive integer."},
      {IDC_NAME, "thirteen char", "Enter no more than 12 characters."},
  };
  for (const Case& c : cases) {
    CMessageBoxRecorder boxes;
    static CSettingsDialog* s_pDlg;
    CSettingsDialog dlg;
    s_pDlg = &dlg;
    // The prompt is answered; then the user gives up with Cancel.
    boxes.m_onBox = [] { Press(*s_pDlg, IDCANCEL); };
    dlg.m_user = [&c](CSettingsDialog& d) {
      d.SetDlgItemText(c.nField, c.text);
      Press(d, IDOK);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL) << c.text;
    ASSERT_EQ(boxes.m_texts.size(), 1u) << c.text;
    EXPECT_EQ(boxes.m_texts[0], c.prompt) << c.text;
    // Text that is no number leaves its member as it was.
    if (c.nField == IDC_COUNT && std::string(c.prompt) == "Please enter an integer.") {
      EXPECT_EQ(dlg.m_nCount, -5) << c.text;
    }
  }
}

TEST(DialogTest, RefusedFieldGetsTheFocus) {
  CMessageBoxRecorder boxes;
  static HWND s_hWndFocus;
  static CSettingsDialog* s_pDlg;
  CSettingsDialog dlg;
  s_pDlg = &dlg;
  boxes.m_onBox = [] {};
  dlg.m_user = [](CSettingsDialog& d) {
    d.SetDlgItemText(IDC_PORT, "x");
    d.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(d.m_hWnd, IDOK)));
    s_hWndFocus = ::GetFocus();
    DWORD dwSel = static_cast<DWORD>(::SendDlgItemMessageA(d.m_hWnd, IDC_PORT, EM_GETSEL, 0, 0));
    EXPECT_EQ(LOWORD(dwSel), 0);
    EXPECT_EQ(HIWORD(dwSel), 1);  // the text is selected for retyping
    d.EndDialog(IDABORT);
  };
  EXPECT_EQ(dlg.DoModal(), IDABORT);
  EXPECT_EQ(boxes.m_texts.size(), 1u);
  EXPECT_NE(s_hWndFocus, nullptr);
  (void)s_pDlg;
}

TEST(DialogTest, MissingTemplateFails) {
  CDialog dlg(999);
  EXPECT_EQ(dlg.DoModal(), -1);
  EXPECT_FALSE(dlg.Create(999));
}

TEST(DialogTest, ModelessDialogHidesOnEndDialog) {
  CSettingsDialog dlg;
  ASSERT_TRUE(dlg.Create(IDD_SETTINGS));
  dlg.ShowWindow(SW_SHOW);
  PumpPending();
  EXPECT_TRUE(dlg.IsWindowVisible());
  dlg.SetDlgItemText(IDC_COUNT, "3");
  Press(dlg, IDOK);
  PumpPending();
  EXPECT_EQ(dlg.m_nCount, 3);
  EXPECT_TRUE(::IsWindow(dlg.m_hWnd));
  EXPECT_FALSE(dlg.IsWindowVisible());
  dlg.DestroyWindow();
  EXPECT_EQ(dlg.m_hWnd, nullptr);
}

}  // namespace
