// Extension libraries: DLLs that export framework classes (AFX_EXT_CLASS)
// and carry resources. The library's entry point records itself with
// AfxInitExtensionModule; a CDynLinkLibrary then links its resources and
// run-time classes into the process's search lists, so every module finds
// them (AfxFindResourceHandle, CString::LoadString, CRuntimeClass::FromName).
#pragma once

#include "CmdTarget.h"
#include "Resources.h"

struct AFX_EXTENSION_MODULE {
  BOOL bInitialized;
  HMODULE hModule;
  HMODULE hResource;
  AFX_CLASSINIT* pFirstSharedClass;  // the library's registered classes
};

class CDynLinkLibrary : public CCmdTarget {
  DECLARE_DYNAMIC(CDynLinkLibrary)
 public:
  // bSystem: a library of the framework itself, searched after the others.
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state, BOOL bSystem = FALSE);
  CDynLinkLibrary(HINSTANCE hModule, HINSTANCE hResource);
  ~CDynLinkLibrary() override;

  HMODULE m_hModule;
  HMODULE m_hResource;
  AFX_CLASSINIT* m_pFirstClass;
  BOOL m_bSystem;
  CDynLinkLibrary* m_pNextDLL;  // process-wide list, guarded by the process state's lock
};

// Records the library in state on the first call (later calls do nothing);
// FALSE when hModule is not a module.
BOOL AFXAPI AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Unlinks and deletes the CDynLinkLibrary objects of the library. bAll: those
// of every library.
void AFXAPI AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);
