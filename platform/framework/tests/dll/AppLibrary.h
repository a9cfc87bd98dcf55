// The exports of the test DLL that has its own application object and a
// modeless dialog (shared by the DLL and the test that loads it).
#pragma once

#include <windows.h>

#define IDS_WHOSE_MODULE 401  // the same id has another text in the test program
#define IDD_LIBRARY_DIALOG 6001
#define IDC_LIB_PORT 6005
#define IDC_LIB_NAME 6006
#define IDC_LIB_EXPERT 6007
#define IDC_LIB_START 6000

struct LibraryDialogState {
  UINT nPort;
  char szName[32];
  int nExpert;
  int nChangeCount;  // EN_CHANGE of the name routed to the dialog
  int nStartCount;   // clicks of Start
  int nOKCount;      // OnOK calls
  int nCancelCount;  // OnCancel calls
};

typedef void(__cdecl* LIBRARY_EXIT_CALLBACK)(const char* pszAppName);

extern "C" {
// Counts of InitInstance calls and the result of the socket start-up in it.
typedef int(__cdecl* PFN_InitCount)();
typedef BOOL(__cdecl* PFN_SocketsReady)();
// The application object's name and registry key as seen inside an export.
typedef const char*(__cdecl* PFN_AppName)();
typedef const char*(__cdecl* PFN_RegistryKey)();
// TRUE when AfxGetApp() and the module state inside the export are the DLL's.
typedef BOOL(__cdecl* PFN_IsOwnState)();
// Loads IDS_WHOSE_MODULE inside an export.
typedef int(__cdecl* PFN_LoadOwnString)(char* pszBuffer, int nMax);
// Writes a setting through the application object.
typedef BOOL(__cdecl* PFN_WriteSetting)(const char* pszEntry, int nValue);
typedef void(__cdecl* PFN_SetExitCallback)(LIBRARY_EXIT_CALLBACK pfn);
// The modeless dialog: created hidden with the given values; NULL on failure.
typedef HWND(__cdecl* PFN_CreateDialog)(UINT nPort, const char* pszName);
typedef BOOL(__cdecl* PFN_DialogUpdate)(BOOL bSaveAndValidate);
typedef void(__cdecl* PFN_DialogState)(LibraryDialogState* pState);
typedef void(__cdecl* PFN_DestroyDialog)();
}
