// The module's COM entry points over the class-factory table.
#include "DllSetup.h"

#include "ClassFactory.h"

HINSTANCE g_hInst = nullptr;

BOOL WINAPI DllEntryPoint(HINSTANCE hInstance, ULONG ulReason, LPVOID) {
  switch (ulReason) {
    case DLL_PROCESS_ATTACH:
      g_hInst = hInstance;
      for (int i = 0; i < g_cTemplates; i++)
        if (g_Templates[i].m_lpfnInit) g_Templates[i].m_lpfnInit(TRUE, g_Templates[i].m_ClsID);
      break;
    case DLL_PROCESS_DETACH:
      for (int i = 0; i < g_cTemplates; i++)
        if (g_Templates[i].m_lpfnInit) g_Templates[i].m_lpfnInit(FALSE, g_Templates[i].m_ClsID);
      break;
    default: break;
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rClsID, REFIID riid, void** pv) {
  if (!pv) return E_POINTER;
  *pv = nullptr;
  if (!IsEqualIID(riid, IID_IUnknown) && !IsEqualIID(riid, IID_IClassFactory)) return E_NOINTERFACE;
  for (int i = 0; i < g_cTemplates; i++) {
    if (g_Templates[i].IsClassID(rClsID)) {
      CClassFactory* pFactory = new (std::nothrow) CClassFactory(&g_Templates[i]);
      if (!pFactory) return E_OUTOFMEMORY;
      pFactory->AddRef();
      *pv = static_cast<IClassFactory*>(pFactory);
      return S_OK;
    }
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return CClassFactory::IsLocked() || CBaseObject::ObjectsActive() > 0 ? S_FALSE : S_OK; }
