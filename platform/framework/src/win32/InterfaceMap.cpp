// Interface lookup of CCmdTarget through its class's interface map and the
// maps of its base classes.
#include <windows.h>

#include "framework/CmdTarget.h"

const AFX_INTERFACEMAP* PASCAL CCmdTarget::GetThisInterfaceMap() {
  static const AFX_INTERFACEMAP_ENTRY entries[] = {{nullptr, static_cast<size_t>(-1)}};
  static const AFX_INTERFACEMAP map = {nullptr, &entries[0]};
  return &map;
}

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const { return GetThisInterfaceMap(); }

LPUNKNOWN CCmdTarget::GetInterface(const void* iid) {
  ENSURE_ARG(iid != nullptr);
  const IID& riid = *static_cast<const IID*>(iid);
  BYTE* pThis = reinterpret_cast<BYTE*>(this);
  for (const AFX_INTERFACEMAP* pMap = GetInterfaceMap(); pMap != nullptr;
       pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
    for (const AFX_INTERFACEMAP_ENTRY* p = pMap->pEntry; p->piid != nullptr; ++p) {
      // IUnknown: the first interface of all, one identity for every part.
      if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, *static_cast<const IID*>(p->piid)))
        return reinterpret_cast<LPUNKNOWN>(pThis + p->nOffset);
    }
  }
  return nullptr;
}

LPUNKNOWN CCmdTarget::GetControllingUnknown() { return GetInterface(&IID_IUnknown); }

DWORD CCmdTarget::InternalQueryInterface(const void* iid, LPVOID* ppvObj) {
  if (ppvObj == nullptr) return static_cast<DWORD>(E_POINTER);
  LPUNKNOWN pUnk = iid != nullptr ? GetInterface(iid) : nullptr;
  *ppvObj = pUnk;
  if (pUnk == nullptr) return static_cast<DWORD>(E_NOINTERFACE);
  pUnk->AddRef();
  return static_cast<DWORD>(S_OK);
}
