// Property sheets with two pages, modeless and modal: pages are made when
// first shown, exchange their data on the sheet's notices, refuse to be left
// with bad input, and a modal sheet ends with OK, Cancel, the close box or
// a WM_QUIT (passed on to the outer loop).
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PropertySheetTestResources.h"
#include "WindowTestSupport.h"

namespace {

std::vector<std::string> g_log;

class CNamePage : public CPropertyPage {
 public:
  CNamePage() : CPropertyPage(IDD_PAGE_NAME) {}
  CString m_strName = "first";
  BOOL OnApply() override {
    g_log.push_back("name:apply");
    return CPropertyPage::OnApply();
  }
  void OnReset() override { g_log.push_back("name:reset"); }

 protected:
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PAGE_NAME, m_strName); }
};

class CNumberPage : public CPropertyPage {
 public:
  CNumberPage() : CPropertyPage(IDD_PAGE_NUMBER) {}
  int m_nNumber = 3;
  BOOL OnSetActive() override {
    g_log.push_back("number:setactive");
    return CPropertyPage::OnSetActive();
  }
  BOOL OnApply() override {
    g_log.push_back("number:apply");
    return CPropertyPage::OnApply();
  }

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_PAGE_NUMBER, m_nNumber);
    DDV_MinMaxInt(pDX, m_nNumber, 1, 10);
  }
};

// Runs m_user once the sheet's loop runs, as a user would act.
class CTestSheet : public CPropertySheet {
 public:
  explicit CTestSheet(CWnd* pParentWnd = nullptr) : CPropertySheet("Test sheet", pParentWnd) {
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    AddPage(&m_name);
    AddPage(&m_number);
  }
  CNamePage m_name;
  CNumberPage m_number;
  std::function<void(CTestSheet&)> m_user;

  BOOL OnInitDialog() override {
    g_log.push_back("sheet:init");
    PostMessage(WM_APP);
    return CPropertySheet::OnInitDialog();
  }

 protected:
  afx_msg LRESULT OnUser(WPARAM, LPARAM) {
    if (m_user) m_user(*this);
    return 0;
  }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestSheet, CPropertySheet)
ON_MESSAGE(WM_APP, OnUser)
END_MESSAGE_MAP()

std::string Text(CWnd* pPage, int nID) {
  char sz[64] = {};
  ::GetDlgItemTextA(pPage->GetSafeHwnd(), nID, sz, sizeof(sz));
  return sz;
}

TEST(PropertySheetTest, ModelessSheetMakesPagesWhenShownAndKeepsABadPage) {
  CMessageBoxRecorder boxes;
  g_log.clear();
  CTestSheet sheet;
  ASSERT_TRUE(sheet.Create());
  PumpPending();
  EXPECT_EQ(sheet.GetActivePage(), &sheet.m_name);
  EXPECT_EQ(Text(&sheet.m_name, IDC_PAGE_NAME), "first");
  EXPECT_EQ(sheet.m_number.GetSafeHwnd(), nullptr) << "a page is made when first shown";
  EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(sheet.m_hWnd, 0x3021))) << "PSH_NOAPPLYNOW leaves out Apply";

  ASSERT_TRUE(sheet.SetActivePage(1));
  EXPECT_EQ(sheet.GetActiveIndex(), 1);
  ASSERT_NE(sheet.m_number.GetSafeHwnd(), nullptr);
  EXPECT_EQ(Text(&sheet.m_number, IDC_PAGE_NUMBER), "3");

  // Out of range: the page is kept, the user told.
  sheet.m_number.SetDlgItemText(IDC_PAGE_NUMBER, "11");
  sheet.SetActivePage(0);
  EXPECT_EQ(sheet.GetActivePage(), &sheet.m_number);
  EXPECT_EQ(boxes.m_texts.size(), 1u);

  sheet.m_number.SetDlgItemText(IDC_PAGE_NUMBER, "9");
  ASSERT_TRUE(sheet.SetActivePage(&sheet.m_name));
  EXPECT_EQ(sheet.m_number.m_nNumber, 9);
  sheet.m_name.SetDlgItemText(IDC_PAGE_NAME, "changed");

  // OK applies every page that exists; a modeless sheet stays.
  g_log.clear();
  sheet.PressButton(PSBTN_OK);
  PumpPending();
  EXPECT_EQ(g_log, (std::vector<std::string>{"name:apply", "number:apply"}));
  EXPECT_STREQ(sheet.m_name.m_strName, "changed");
  EXPECT_TRUE(::IsWindow(sheet.m_hWnd));
  sheet.DestroyWindow();
  EXPECT_EQ(sheet.m_name.GetSafeHwnd(), nullptr);
}

TEST(PropertySheetTest, ModalSheetEndsWithTheButtonTheUserPresses) {
  struct Case {
    const char* what;
    std::function<void(CTestSheet&)> user;
    INT_PTR nResult;
    int nNumber;
    const char* lastLog;
  };
  const Case cases[] = {
      {"OK",
       [](CTestSheet& s) {
         s.SetActivePage(1);
         s.m_number.SetDlgItemText(IDC_PAGE_NUMBER, "7");
         s.PressButton(PSBTN_OK);
       },
       IDOK, 7, "number:apply"},
      {"Cancel",
       [](CTestSheet& s) {
         s.m_name.SetDlgItemText(IDC_PAGE_NAME, "dropped");
         s.PressButton(PSBTN_CANCEL);
       },
       IDCANCEL, 3, "name:reset"},
      {"close box", [](CTestSheet& s) { s.SendMessage(WM_SYSCOMMAND, SC_CLOSE, 0); }, IDCANCEL, 3, "name:reset"},
  };
  for (const Case& c : cases) {
    g_log.clear();
    CWnd owner;
    ASSERT_TRUE(
        owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_OVERLAPPEDWINDOW, CRect(0, 0, 200, 100), nullptr, 0));
    CTestSheet sheet(&owner);
    BOOL bOwnerEnabledMeanwhile = TRUE;
    sheet.m_user = [&](CTestSheet& s) {
      bOwnerEnabledMeanwhile = owner.IsWindowEnabled();
      c.user(s);
    };
    EXPECT_EQ(sheet.DoModal(), c.nResult) << c.what;
    EXPECT_FALSE(bOwnerEnabledMeanwhile) << c.what;
    EXPECT_TRUE(owner.IsWindowEnabled()) << c.what;
    EXPECT_EQ(sheet.GetSafeHwnd(), nullptr) << c.what;
    EXPECT_EQ(sheet.m_number.m_nNumber, c.nNumber) << c.what;
    EXPECT_STREQ(sheet.m_name.m_strName, "first") << c.what;
    ASSERT_FALSE(g_log.empty()) << c.what;
    EXPECT_EQ(g_log.front(), "sheet:init") << c.what;
    EXPECT_EQ(g_log.back(), c.lastLog) << c.what;
    owner.DestroyWindow();
  }
}

TEST(PropertySheetTest, AQuitEndsTheModalSheetAndReachesTheOuterLoop) {
  CTestSheet sheet;
  sheet.m_user = [](CTestSheet&) { ::PostQuitMessage(42); };
  EXPECT_EQ(sheet.DoModal(), -1);
  EXPECT_EQ(sheet.GetSafeHwnd(), nullptr);
  MSG msg;
  ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit was swallowed";
  EXPECT_EQ(msg.wParam, 42u);
}

}  // namespace
