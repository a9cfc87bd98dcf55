// Module state: what belongs to one module (program or DLL) that links the
// framework: its application object, instance and resource handles and
// application name. Every module links its own copy of the framework, so
// each keeps its own state; the thread's current state is switched by the
// guard that every export of a DLL opens first:
//
//   extern "C" void Exported() {
//     AFX_MANAGE_STATE(AfxGetStaticModuleState());
//     ...  // AfxGetApp(), AfxGetResourceHandle() are this DLL's
//   }
//
// The guard restores the caller's state however the scope is left (return or
// exception). Window procedures of windows the framework creates open the
// same guard themselves.
#pragma once

#include "Defs.h"

class CWinApp;

struct AFX_MODULE_STATE {
  CWinApp* m_pCurrentWinApp;
  HINSTANCE m_hCurrentInstanceHandle;
  HINSTANCE m_hCurrentResourceHandle;  // NULL: the instance handle
  LPCTSTR m_lpszCurrentAppName;
  BOOL m_bDLL;  // the module is a DLL
};

// The state in effect on this thread: this module's own unless a guard
// switched it.
AFX_MODULE_STATE* AFXAPI AfxGetModuleState();
// This module's own state.
AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState();
// Makes pNewState the thread's current state; returns the previous one.
AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState);

class AFX_MAINTAIN_STATE2 {
 public:
  explicit AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* pNewState) : m_pPrevState(AfxSetModuleState(pNewState)) {}
  ~AFX_MAINTAIN_STATE2() { AfxSetModuleState(m_pPrevState); }
  AFX_MAINTAIN_STATE2(const AFX_MAINTAIN_STATE2&) = delete;
  AFX_MAINTAIN_STATE2& operator=(const AFX_MAINTAIN_STATE2&) = delete;

 private:
  AFX_MODULE_STATE* m_pPrevState;
};
typedef AFX_MAINTAIN_STATE2 AFX_MAINTAIN_STATE;

#define AFX_MANAGE_STATE(pModuleState) AFX_MAINTAIN_STATE2 _ctlState(pModuleState)
