#include "framework/ModuleState.h"
#include "framework/Resources.h"

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {
// Zero-initialised before any constructor runs, so an application object's
// constructor may record itself here whatever the order of initialisation.
AFX_MODULE_STATE g_moduleState;
thread_local AFX_MODULE_STATE* t_pModuleState = nullptr;
}  // namespace

AFX_MODULE_STATE* AFXAPI AfxGetStaticModuleState() {
  AFX_MODULE_STATE* pState = &g_moduleState;
  if (pState->m_hCurrentInstanceHandle == nullptr) {
    HINSTANCE hInstance = reinterpret_cast<HINSTANCE>(&__ImageBase);
    auto* pNt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(&__ImageBase) + __ImageBase.e_lfanew);
    pState->m_bDLL = (pNt->FileHeader.Characteristics & IMAGE_FILE_DLL) != 0;
    pState->m_hCurrentInstanceHandle = hInstance;
  }
  return pState;
}

AFX_MODULE_STATE* AFXAPI AfxGetModuleState() {
  AFX_MODULE_STATE* pState = t_pModuleState;
  return pState != nullptr ? pState : AfxGetStaticModuleState();
}

AFX_MODULE_STATE* AFXAPI AfxSetModuleState(AFX_MODULE_STATE* pNewState) {
  AFX_MODULE_STATE* pPrev = AfxGetModuleState();
  t_pModuleState = pNewState;
  return pPrev;
}

HINSTANCE AFXAPI AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }

HINSTANCE AFXAPI AfxGetResourceHandle() {
  AFX_MODULE_STATE* pState = AfxGetModuleState();
  return pState->m_hCurrentResourceHandle ? pState->m_hCurrentResourceHandle : pState->m_hCurrentInstanceHandle;
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource) {
  AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource;
}
