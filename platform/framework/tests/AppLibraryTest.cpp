// A DLL with its own application object: run at load and unload, its module
// state apart from this program's, and its modeless dialog with data
// exchange, validation and EndDialog hiding it.
#include <gtest/gtest.h>

#include <string>

#include "WindowTestResources.h"
#include "WindowTestSupport.h"
#include "dll/AppLibrary.h"

namespace {

std::string g_exitAppName;
int g_nExitCalls = 0;
void __cdecl OnLibraryExit(const char* pszAppName) {
  ++g_nExitCalls;
  g_exitAppName = pszAppName;
}

class AppLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_hLibrary = LoadLibraryA("framework_test_app_library.dll");
    ASSERT_NE(m_hLibrary, nullptr);
  }
  void TearDown() override {
    if (m_hLibrary != nullptr) FreeLibrary(m_hLibrary);
  }
  template <class T>
  T Get(const char* pszName) {
    FARPROC p = GetProcAddress(m_hLibrary, pszName);
    EXPECT_NE(p, nullptr) << pszName;
    return reinterpret_cast<T>(p);
  }
  HMODULE m_hLibrary = nullptr;
};

TEST_F(AppLibraryTest, InitInstanceRunsAtLoadAndExitInstanceAtUnload) {
  EXPECT_EQ(Get<PFN_InitCount>("InitCount")(), 1);
  EXPECT_TRUE(Get<PFN_SocketsReady>("SocketsReady")());
  Get<PFN_SetExitCallback>("SetExitCallback")(OnLibraryExit);
  g_nExitCalls = 0;
  ASSERT_TRUE(FreeLibrary(m_hLibrary));
  m_hLibrary = nullptr;
  EXPECT_EQ(g_nExitCalls, 1);
  EXPECT_EQ(g_exitAppName, "framework_test_app_library");
}

TEST_F(AppLibraryTest, ExportsRunInTheLibrarysOwnState) {
  EXPECT_STREQ(Get<PFN_AppName>("AppName")(), "framework_test_app_library");
  EXPECT_STREQ(Get<PFN_RegistryKey>("RegistryKey")(), "Quillon_Framework_Test");
  EXPECT_TRUE(Get<PFN_IsOwnState>("IsOwnState")());

  // The same string id: each module loads its own text.
  char szBuffer[64];
  EXPECT_GT(Get<PFN_LoadOwnString>("LoadOwnString")(szBuffer, sizeof(szBuffer)), 0);
  EXPECT_STREQ(szBuffer, "Text of the library");
  CString own;
  EXPECT_TRUE(own.LoadString(IDS_WHOSE_MODULE));
  EXPECT_STREQ(own, "Text of the program");

  // This program's application object is untouched by the library's.
  EXPECT_STREQ(AfxGetApp()->m_pszAppName, "FrameworkWindowTest");
  EXPECT_EQ(AfxGetApp()->m_pszRegistryKey, nullptr);
  EXPECT_EQ(AfxGetInstanceHandle(), GetModuleHandleA(nullptr));

  // The library's settings live under its key and its module name.
  ASSERT_TRUE(Get<PFN_WriteSetting>("WriteSetting")("Value", 42));
  HKEY hKey = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Quillon_Framework_Test\\framework_test_app_library\\Test", 0,
                          KEY_READ, &hKey),
            ERROR_SUCCESS);
  DWORD dwValue = 0, cb = sizeof(dwValue);
  EXPECT_EQ(RegQueryValueExA(hKey, "Value", nullptr, nullptr, reinterpret_cast<LPBYTE>(&dwValue), &cb), ERROR_SUCCESS);
  EXPECT_EQ(dwValue, 42u);
  RegCloseKey(hKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Quillon_Framework_Test");
}

TEST(ModuleStateGuard, RestoresTheCallersStateOnEveryWayOut) {
  AFX_MODULE_STATE* pOwn = AfxGetModuleState();
  ASSERT_EQ(pOwn, AfxGetStaticModuleState());
  AFX_MODULE_STATE other = *pOwn;
  other.m_pCurrentWinApp = nullptr;
  other.m_hCurrentResourceHandle = nullptr;
  {
    AFX_MANAGE_STATE(&other);
    EXPECT_EQ(AfxGetModuleState(), &other);
    EXPECT_EQ(AfxGetApp(), nullptr);
    {
      AFX_MANAGE_STATE(AfxGetStaticModuleState());
      EXPECT_EQ(AfxGetApp(), pOwn->m_pCurrentWinApp);
    }
    EXPECT_EQ(AfxGetModuleState(), &other);  // nested guards unwind in order
  }
  EXPECT_EQ(AfxGetModuleState(), pOwn);

  // An exception leaving the guarded scope restores the state too.
  try {
    AFX_MANAGE_STATE(&other);
    AfxThrowUserException();
  } catch (CException* e) {
    e->Delete();
  }
  EXPECT_EQ(AfxGetModuleState(), pOwn);
}

TEST_F(AppLibraryTest, ModelessDialogExchangesValidatesAndHidesOnEndDialog) {
  CMessageBoxRecorder boxes;
  HWND hDlg = Get<PFN_CreateDialog>("CreateLibraryDialog")(2000, "alpha");
  ASSERT_NE(hDlg, nullptr);
  PumpPending();
  LibraryDialogState state;
  auto readState = [&] { Get<PFN_DialogState>("DialogState")(&state); };

  // Created hidden; OnInitDialog put the members into the controls, and the
  // name edit's EN_CHANGE during that exchange was not routed.
  EXPECT_FALSE(IsWindowVisible(hDlg));
  char szText[64];
  GetDlgItemTextA(hDlg, IDC_LIB_PORT, szText, sizeof(szText));
  EXPECT_STREQ(szText, "2000");
  GetDlgItemTextA(hDlg, IDC_LIB_NAME, szText, sizeof(szText));
  EXPECT_STREQ(szText, "alpha");
  readState();
  EXPECT_EQ(state.nChangeCount, 0);
  // DDV_MaxChars limited the edit while loading.
  EXPECT_EQ(SendDlgItemMessageA(hDlg, IDC_LIB_NAME, EM_GETLIMITTEXT, 0, 0), 8);

  // A user edit is routed through the message map.
  ShowWindow(hDlg, SW_SHOW);
  SetDlgItemTextA(hDlg, IDC_LIB_NAME, "beta");
  readState();
  EXPECT_EQ(state.nChangeCount, 1);

  // Controls to members.
  SetDlgItemTextA(hDlg, IDC_LIB_PORT, " 8080 ");
  CheckDlgButton(hDlg, IDC_LIB_EXPERT, BST_CHECKED);
  EXPECT_TRUE(Get<PFN_DialogUpdate>("DialogUpdate")(TRUE));
  readState();
  EXPECT_EQ(state.nPort, 8080u);
  EXPECT_STREQ(state.szName, "beta");
  EXPECT_EQ(state.nExpert, 1);
  EXPECT_TRUE(boxes.m_texts.empty());

  // Refused input: the prompt, the focus on the field, the member unchanged.
  struct Case {
    const char* port;
    const char* prompt;
  } cases[] = {{"80a", "Please enter a positive integer."},        {"-1", "Please enter a positive integer."},
               {"4294967296", "Please enter a positive integer."}, {"", "Please enter a positive integer."},
               {"70000", "Enter an integer between 1 and 65535."}, {"0", "Enter an integer between 1 and 65535."}};
  for (const Case& c : cases) {
    boxes.m_texts.clear();
    SetDlgItemTextA(hDlg, IDC_LIB_PORT, c.port);
    EXPECT_FALSE(Get<PFN_DialogUpdate>("DialogUpdate")(TRUE)) << c.port;
    ASSERT_EQ(boxes.m_texts.size(), 1u) << c.port;
    EXPECT_EQ(boxes.m_texts[0], c.prompt) << c.port;
    EXPECT_EQ(GetFocus(), GetDlgItem(hDlg, IDC_LIB_PORT)) << c.port;
  }
  SetDlgItemTextA(hDlg, IDC_LIB_PORT, "2001");
  boxes.m_texts.clear();
  SetDlgItemTextA(hDlg, IDC_LIB_NAME, "muchtoolong");
  EXPECT_FALSE(Get<PFN_DialogUpdate>("DialogUpdate")(TRUE));
  ASSERT_EQ(boxes.m_texts.size(), 1u);
  EXPECT_EQ(boxes.m_texts[0], "Enter no more than 8 characters.");
  SetDlgItemTextA(hDlg, IDC_LIB_NAME, "gamma");

  // A button's command, then Close (IDOK) ends the dialog: it only hides.
  SendMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDC_LIB_START, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDC_LIB_START)));
  PostMessageA(hDlg, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(hDlg, IDOK)));
  PumpPending();
  readState();
  EXPECT_EQ(state.nStartCount, 1);
  EXPECT_EQ(state.nOKCount, 1);
  EXPECT_EQ(state.nPort, 2001u);
  EXPECT_STREQ(state.szName, "gamma");
  EXPECT_TRUE(IsWindow(hDlg));
  EXPECT_FALSE(IsWindowVisible(hDlg));

  // Shown again, Esc reaches it through the framework's message routing and
  // cancels (hides) it.
  ShowWindow(hDlg, SW_SHOW);
  SetForegroundWindow(hDlg);
  SetFocus(GetDlgItem(hDlg, IDC_LIB_NAME));
  PostMessageA(GetDlgItem(hDlg, IDC_LIB_NAME), WM_KEYDOWN, VK_ESCAPE, 0);
  PumpPending();
  readState();
  EXPECT_EQ(state.nCancelCount, 1);
  EXPECT_FALSE(IsWindowVisible(hDlg));

  Get<PFN_DestroyDialog>("DestroyLibraryDialog")();
  EXPECT_FALSE(IsWindow(hDlg));
}

}  // namespace
