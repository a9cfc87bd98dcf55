#include "framework/WinApp.h"

#include "framework/RecentFileList.h"

#include "framework/MessageBox.h"
#include "framework/Resources.h"
#include "framework/WaitCursor.h"
#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CString ModuleTitle(HINSTANCE hInstance) {
  char szPath[MAX_PATH];
  DWORD n = GetModuleFileNameA(hInstance, szPath, sizeof(szPath));
  CString path(szPath, n < sizeof(szPath) ? static_cast<int>(n) : 0);
  CString title = path.Mid(path.ReverseFind('\\') + 1);
  int nDot = title.ReverseFind('.');
  return nDot > 0 ? title.Left(nDot) : title;
}

}  // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
    : m_hInstance(nullptr),
      m_lpCmdLine(nullptr),
      m_nCmdShow(SW_SHOWNORMAL),
      m_pszAppName(nullptr),
      m_pszRegistryKey(nullptr),
      m_pszProfileName(nullptr),
      m_pszExeName(nullptr),
      m_nWaitCursorCount(0),
      m_hcurWaitCursorRestore(nullptr) {
  if (lpszAppName != nullptr) m_strAppName = lpszAppName;
  m_bAutoDelete = FALSE;  // a global object
  AFX_MODULE_STATE* pState = AfxGetStaticModuleState();
  pState->m_pCurrentWinApp = this;
  // Until the module is set up, the application is this module's.
  SetModule(pState->m_hCurrentInstanceHandle);
}

CWinApp::~CWinApp() {
  delete m_pRecentFileList;
  AFX_MODULE_STATE* pState = AfxGetStaticModuleState();
  if (pState->m_pCurrentWinApp == this) {
    pState->m_pCurrentWinApp = nullptr;
    pState->m_lpszCurrentAppName = nullptr;
  }
}

void CWinApp::SetModule(HINSTANCE hInstance) {
  m_hInstance = hInstance;
  m_strExeName = ModuleTitle(hInstance);
  m_pszExeName = m_strExeName;
  if (m_strAppName.IsEmpty()) m_strAppName = m_strExeName;
  SetAppName(m_strAppName);
  if (m_strRegistryKey.IsEmpty()) {
    // Without a registry key the settings go to "<module file title>.INI".
    m_strProfileName = m_strExeName + ".INI";
    m_pszProfileName = m_strProfileName;
  }
}

void CWinApp::SetAppName(LPCTSTR lpszAppName) {
  CString name(lpszAppName);  // may point into m_strAppName
  m_strAppName = name;
  m_pszAppName = m_strAppName;
  m_settings.SetAppName(m_strAppName);
  AFX_MODULE_STATE* pState = AfxGetStaticModuleState();
  if (pState->m_pCurrentWinApp == this) pState->m_lpszCurrentAppName = m_pszAppName;
  if (!m_strRegistryKey.IsEmpty()) {
    m_strProfileName = m_strAppName;
    m_pszProfileName = m_strProfileName;
  }
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::Run() {
  // Without a main window there is nothing to wait for.
  if (m_pMainWnd == nullptr) AfxPostQuitMessage(0);
  return CWinThread::Run();
}

int CWinApp::ExitInstance() {
  if (m_pRecentFileList != nullptr) m_pRecentFileList->WriteList();
  return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinApp::OnIdle(LONG lCount) { return CWinThread::OnIdle(lCount); }

// ----------------------------------------------------------------- settings

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
  m_strRegistryKey = lpszRegistryKey;
  m_pszRegistryKey = m_strRegistryKey;
  m_settings.SetRegistryKey(m_strRegistryKey);
  // With a registry key the "profile" is the application's key.
  m_strProfileName = m_strAppName;
  m_pszProfileName = m_strProfileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
  CString key;
  key.LoadString(nIDRegistryKey);
  SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey() { return m_settings.GetAppRegistryKey(); }
HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection) { return m_settings.GetSectionKey(lpszSection); }

namespace {
// An ini file name set in m_pszProfileName (without a registry key) is used.
void SyncProfileName(CProfileSettings& settings, LPCTSTR pszProfileName, LPCTSTR pszRegistryKey) {
  if (pszRegistryKey == nullptr && pszProfileName != nullptr) settings.SetProfileName(pszProfileName);
}
}  // namespace

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
  SyncProfileName(m_settings, m_pszProfileName, m_pszRegistryKey);
  return m_settings.GetProfileInt(lpszSection, lpszEntry, nDefault);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
  SyncProfileName(m_settings, m_pszProfileName, m_pszRegistryKey);
  return m_settings.WriteProfileInt(lpszSection, lpszEntry, nValue);
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
  SyncProfileName(m_settings, m_pszProfileName, m_pszRegistryKey);
  return m_settings.GetProfileString(lpszSection, lpszEntry, lpszDefault);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
  SyncProfileName(m_settings, m_pszProfileName, m_pszRegistryKey);
  return m_settings.WriteProfileString(lpszSection, lpszEntry, lpszValue);
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes) {
  SyncProfileName(m_settings, m_pszProfileName, m_pszRegistryKey);
  return m_settings.GetProfileBinary(lpszSection, lpszEntry, ppData, pBytes);
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes) {
  SyncProfileName(m_settings, m_pszProfileName, m_pszRegistryKey);
  return m_settings.WriteProfileBinary(lpszSection, lpszEntry, pData, nBytes);
}

// ---------------------------------------------------------------- resources

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_GROUP_CURSOR);
  return hInst ? ::LoadCursor(hInst, lpszResourceName) : nullptr;
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
  HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_GROUP_ICON);
  return hInst ? ::LoadIcon(hInst, lpszResourceName) : nullptr;
}

void CWinApp::DoWaitCursor(int nCode) {
  m_nWaitCursorCount += nCode;
  if (m_nWaitCursorCount > 0) {
    HCURSOR hcurPrev = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    if (nCode > 0 && m_nWaitCursorCount == 1) m_hcurWaitCursorRestore = hcurPrev;
  } else {
    m_nWaitCursorCount = 0;
    ::SetCursor(m_hcurWaitCursorRestore ? m_hcurWaitCursorRestore : ::LoadCursor(nullptr, IDC_ARROW));
  }
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) {
  return AfxMessageBox(lpszPrompt, nType, nIDPrompt);
}

// ------------------------------------------------------------- wait cursor

namespace {
int g_nWaitCount = 0;  // without an application object
void WaitCursor(int nCode) {
  if (CWinApp* pApp = AfxGetApp()) {
    pApp->DoWaitCursor(nCode);
    return;
  }
  g_nWaitCount += nCode;
  if (g_nWaitCount < 0) g_nWaitCount = 0;
  ::SetCursor(::LoadCursor(nullptr, g_nWaitCount > 0 ? IDC_WAIT : IDC_ARROW));
}
}  // namespace

void CCmdTarget::BeginWaitCursor() { WaitCursor(1); }
void CCmdTarget::EndWaitCursor() { WaitCursor(-1); }
void CCmdTarget::RestoreWaitCursor() { WaitCursor(0); }

CWaitCursor::CWaitCursor() { WaitCursor(1); }
CWaitCursor::~CWaitCursor() { WaitCursor(-1); }
void CWaitCursor::Restore() { WaitCursor(0); }

// ------------------------------------------------------------------ globals

CWinApp* AFXAPI AfxGetApp() { return AfxGetModuleState()->m_pCurrentWinApp; }

CWnd* AFXAPI AfxGetMainWnd() {
  CWinThread* pThread = AfxGetThread();
  if (pThread == nullptr) pThread = AfxGetApp();
  return pThread != nullptr ? pThread->GetMainWnd() : nullptr;
}

LPCTSTR AFXAPI AfxGetAppName() {
  LPCTSTR p = AfxGetModuleState()->m_lpszCurrentAppName;
  return p != nullptr ? p : "";
}

BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow) {
  AFX_MODULE_STATE* pState = AfxGetModuleState();
  pState->m_hCurrentInstanceHandle = hInstance;
  CWinApp* pApp = AfxGetApp();
  if (pApp != nullptr) {
    pApp->SetModule(hInstance);
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_nThreadID = ::GetCurrentThreadId();
  }
  return TRUE;
}

int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow) {
  int nReturnCode = -1;
  CWinApp* pApp = AfxGetApp();
  if (!AfxWinInit(hInstance, hPrevInstance, lpCmdLine, nCmdShow) || pApp == nullptr) return nReturnCode;
  try {
    if (!pApp->InitApplication()) return nReturnCode;
    if (!pApp->InitInstance()) {
      if (pApp->m_pMainWnd != nullptr && pApp->m_pMainWnd->m_hWnd != nullptr) pApp->m_pMainWnd->DestroyWindow();
      return pApp->ExitInstance();
    }
    nReturnCode = pApp->Run();
  } catch (CException* e) {
    e->ReportError(MB_ICONSTOP);
    e->Delete();
  }
  return nReturnCode;
}
