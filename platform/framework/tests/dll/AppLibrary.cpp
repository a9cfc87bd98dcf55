// A DLL with its own application object (run by the framework's DllMain),
// whose exports open the module-state guard, and a modeless dialog with
// data exchange and validation.
#include <winsock2.h>

#include "AppLibrary.h"

#include <Framework.h>

namespace {

int g_nInitCount = 0;
BOOL g_bSocketsReady = FALSE;
LIBRARY_EXIT_CALLBACK g_pfnExit = nullptr;

class CLibraryApp : public CWinApp {
 public:
  BOOL InitInstance() override {
    ++g_nInitCount;
    g_bSocketsReady = AfxSocketInit();
    SetRegistryKey("Quillon_Framework_Test");
    return TRUE;
  }
  int ExitInstance() override {
    if (g_pfnExit != nullptr) g_pfnExit(m_pszAppName);
    return CWinApp::ExitInstance();
  }
};

CLibraryApp theApp;

class CLibraryDialog : public CDialog {
 public:
  CLibraryDialog() : CDialog(IDD_LIBRARY_DIALOG) {}

  UINT m_nPort = 2000;
  CString m_strName;
  int m_nExpert = 0;
  int m_nChangeCount = 0;
  int m_nStartCount = 0;
  int m_nOKCount = 0;
  int m_nCancelCount = 0;
  CEdit m_editName;

 protected:
  void DoDataExchange(CDataExchange* pDX) override {
    DDX_Text(pDX, IDC_LIB_PORT, m_nPort);
    DDV_MinMaxUInt(pDX, m_nPort, 1, 65535);
    DDX_Control(pDX, IDC_LIB_NAME, m_editName);
    DDX_Text(pDX, IDC_LIB_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 8);
    DDX_Check(pDX, IDC_LIB_EXPERT, m_nExpert);
  }
  void OnOK() override {
    ++m_nOKCount;
    CDialog::OnOK();
  }
  void OnCancel() override {
    ++m_nCancelCount;
    CDialog::OnCancel();
  }
  afx_msg void OnNameChange() { ++m_nChangeCount; }
  afx_msg void OnStart() { ++m_nStartCount; }
  DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLibraryDialog, CDialog)
ON_EN_CHANGE(IDC_LIB_NAME, OnNameChange)
ON_BN_CLICKED(IDC_LIB_START, OnStart)
END_MESSAGE_MAP()

CLibraryDialog* g_pDialog = nullptr;

}  // namespace

extern "C" {

__declspec(dllexport) int __cdecl InitCount() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  return g_nInitCount;
}

__declspec(dllexport) BOOL __cdecl SocketsReady() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  // Started in InitInstance: a socket can be made now.
  SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
  if (s == INVALID_SOCKET) return FALSE;
  closesocket(s);
  return g_bSocketsReady;
}

__declspec(dllexport) const char* __cdecl AppName() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  return AfxGetApp()->m_pszAppName;
}

__declspec(dllexport) const char* __cdecl RegistryKey() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  return AfxGetApp()->m_pszRegistryKey;
}

__declspec(dllexport) BOOL __cdecl IsOwnState() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  return AfxGetApp() == &theApp && AfxGetModuleState() == AfxGetStaticModuleState() &&
         AfxGetInstanceHandle() == theApp.m_hInstance && AfxGetResourceHandle() == theApp.m_hInstance;
}

__declspec(dllexport) int __cdecl LoadOwnString(char* pszBuffer, int nMax) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  return AfxLoadString(IDS_WHOSE_MODULE, pszBuffer, nMax);
}

__declspec(dllexport) BOOL __cdecl WriteSetting(const char* pszEntry, int nValue) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  return AfxGetApp()->WriteProfileInt("Test", pszEntry, nValue);
}

__declspec(dllexport) void __cdecl SetExitCallback(LIBRARY_EXIT_CALLBACK pfn) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  g_pfnExit = pfn;
}

__declspec(dllexport) HWND __cdecl CreateLibraryDialog(UINT nPort, const char* pszName) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  if (g_pDialog != nullptr) return g_pDialog->m_hWnd;
  g_pDialog = new CLibraryDialog;
  g_pDialog->m_nPort = nPort;
  g_pDialog->m_strName = pszName;
  if (!g_pDialog->Create(IDD_LIBRARY_DIALOG)) {
    delete g_pDialog;
    g_pDialog = nullptr;
    return nullptr;
  }
  return g_pDialog->m_hWnd;
}

__declspec(dllexport) BOOL __cdecl DialogUpdate(BOOL bSaveAndValidate) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  return g_pDialog != nullptr && g_pDialog->UpdateData(bSaveAndValidate);
}

__declspec(dllexport) void __cdecl DialogState(LibraryDialogState* pState) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  *pState = {};
  if (g_pDialog == nullptr) return;
  pState->nPort = g_pDialog->m_nPort;
  lstrcpynA(pState->szName, g_pDialog->m_strName, sizeof(pState->szName));
  pState->nExpert = g_pDialog->m_nExpert;
  pState->nChangeCount = g_pDialog->m_nChangeCount;
  pState->nStartCount = g_pDialog->m_nStartCount;
  pState->nOKCount = g_pDialog->m_nOKCount;
  pState->nCancelCount = g_pDialog->m_nCancelCount;
}

__declspec(dllexport) void __cdecl DestroyLibraryDialog() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  if (g_pDialog == nullptr) return;
  g_pDialog->DestroyWindow();
  delete g_pDialog;
  g_pDialog = nullptr;
}

}  // extern "C"
