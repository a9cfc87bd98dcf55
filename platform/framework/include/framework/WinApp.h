// CWinApp: the application object, one per module (a program or a DLL),
// defined as a global (`CMyApp theApp;`).
//
// In a program, the framework's WinMain (link quillon_framework_winmain)
// initialises it, calls InitInstance, then Run (the message loop) when
// InitInstance returns TRUE, and ExitInstance; its result is the exit code.
// A dialog-based program runs its dialog in InitInstance and returns FALSE.
//
// In a DLL, the framework's DllMain calls InitInstance when the DLL is loaded
// (FALSE fails the load) and ExitInstance when it is unloaded; the DLL must
// not define DllMain itself. Every export opens
// AFX_MANAGE_STATE(AfxGetStaticModuleState()) (ModuleState.h).
#pragma once

#include "ModuleState.h"
#include "ProfileSettings.h"
#include "WinThread.h"

class CRecentFileList;

class CWinApp : public CWinThread {
  DECLARE_DYNAMIC(CWinApp)
 public:
  // lpszAppName NULL: the module's file name without extension.
  explicit CWinApp(LPCTSTR lpszAppName = nullptr);
  ~CWinApp() override;

  HINSTANCE m_hInstance;
  LPTSTR m_lpCmdLine;
  int m_nCmdShow;
  LPCTSTR m_pszAppName;
  LPCTSTR m_pszRegistryKey;  // set by SetRegistryKey
  // The ini file ("<module file title>.INI", in the Windows folder unless a
  // path is given), or the application name once a registry key is set.
  // Assign a string that outlives the application object to change it.
  LPCTSTR m_pszProfileName;
  LPCTSTR m_pszExeName;  // the module's file name without extension

  virtual BOOL InitApplication();
  BOOL InitInstance() override;
  int Run() override;
  int ExitInstance() override;
  BOOL OnIdle(LONG lCount) override;

  // -------------------------------------------------------------- settings
  // Settings under HKEY_CURRENT_USER\Software\<key>\<application name>.
  void SetRegistryKey(LPCTSTR lpszRegistryKey);
  void SetRegistryKey(UINT nIDRegistryKey);
  HKEY GetAppRegistryKey();
  HKEY GetSectionKey(LPCTSTR lpszSection);
  UINT GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault);
  BOOL WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue);
  CString GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault = nullptr);
  BOOL WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue);
  // *ppData is allocated with new[]; the caller deletes it.
  BOOL GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes);
  BOOL WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes);

  // ------------------------------------------------------ recent files
  // Makes the recent file list of nMaxMRU entries (none for 0), read from
  // the profile; ExitInstance writes it back.
  void LoadStdProfileSettings(UINT nMaxMRU = 4);
  virtual void AddToRecentFileList(LPCTSTR lpszPathName);
  CRecentFileList* m_pRecentFileList = nullptr;

  // ----------------------------------------------------------------- misc
  HCURSOR LoadCursor(LPCTSTR lpszResourceName) const;
  HCURSOR LoadCursor(UINT nIDResource) const { return LoadCursor(MAKEINTRESOURCE(nIDResource)); }
  HCURSOR LoadStandardCursor(LPCTSTR lpszCursorName) const { return ::LoadCursor(nullptr, lpszCursorName); }
  HICON LoadIcon(LPCTSTR lpszResourceName) const;
  HICON LoadIcon(UINT nIDResource) const { return LoadIcon(MAKEINTRESOURCE(nIDResource)); }
  HICON LoadStandardIcon(LPCTSTR lpszIconName) const { return ::LoadIcon(nullptr, lpszIconName); }
  // The wait cursor (nCode 1 on, -1 off, 0 restore), counted.
  virtual void DoWaitCursor(int nCode);
  virtual int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt);

  // Makes the settings use lpszAppName (and keeps m_pszAppName in step).
  void SetAppName(LPCTSTR lpszAppName);

  // Set up by AfxWinInit (program) or the framework's DllMain (DLL).
  void SetModule(HINSTANCE hInstance);

  int m_nWaitCursorCount;
  HCURSOR m_hcurWaitCursorRestore;

 private:
  CProfileSettings m_settings;
  CString m_strAppName, m_strRegistryKey, m_strProfileName, m_strExeName;
};

CWinApp* AFXAPI AfxGetApp();
CWnd* AFXAPI AfxGetMainWnd();
LPCTSTR AFXAPI AfxGetAppName();

// Initialises the framework for a program (called by the framework's WinMain).
BOOL AFXAPI AfxWinInit(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
// The framework's WinMain body.
int AFXAPI AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPTSTR lpCmdLine, int nCmdShow);
