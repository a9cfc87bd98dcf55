// The entry point of a DLL that links the framework and does not define its
// own: runs the DLL's application object (InitInstance at load, ExitInstance
// at unload) in the DLL's module state, and frees per-thread state.
#include <windows.h>

#include "framework/WinApp.h"

#include "ThreadState.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  switch (dwReason) {
    case DLL_PROCESS_ATTACH: {
      AFX_MODULE_STATE* pState = AfxGetModuleState();
      pState->m_hCurrentInstanceHandle = hInstance;
      CWinApp* pApp = AfxGetApp();
      if (pApp == nullptr) return TRUE;
      pApp->SetModule(hInstance);
      try {
        if (!pApp->InitInstance()) {
          pApp->ExitInstance();
          return FALSE;  // the load fails
        }
      } catch (CException* e) {
        e->ReportError(MB_ICONSTOP);
        e->Delete();
        return FALSE;
      }
      return TRUE;
    }
    case DLL_PROCESS_DETACH: {
      if (CWinApp* pApp = AfxGetApp()) {
        try {
          pApp->ExitInstance();
        } catch (CException* e) {
          e->Delete();
        }
      }
      AfxTermThreadState();
      return TRUE;
    }
    case DLL_THREAD_DETACH: AfxTermThreadState(); return TRUE;
    default: return TRUE;
  }
}
