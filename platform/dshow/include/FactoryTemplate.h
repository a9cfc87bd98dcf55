// One entry of a module's class-factory table: what DllGetClassObject can
// create, and what DllRegisterServer registers. The module defines
// g_Templates and g_cTemplates.
#pragma once

#include "BaseFilter.h"

#include <new>

typedef CUnknown*(WINAPI* LPFNNewCOMObject)(LPUNKNOWN pUnkOuter, HRESULT* phr);
typedef void (*LPFNInitRoutine)(BOOL bLoading, const CLSID* rclsid);

class CFactoryTemplate {
 public:
  const WCHAR* m_Name;
  const CLSID* m_ClsID;
  LPFNNewCOMObject m_lpfnNew;
  LPFNInitRoutine m_lpfnInit;
  const AMOVIESETUP_FILTER* m_pAMovieSetup_Filter;

  BOOL IsClassID(REFCLSID rclsid) const { return IsEqualCLSID(*m_ClsID, rclsid); }
  CUnknown* CreateInstance(LPUNKNOWN pUnk, HRESULT* phr) const { return m_lpfnNew(pUnk, phr); }
};

// The body of a class's creation function: a new T(pUnk, &hr), whose
// constructor reports failure through hr. nullptr with *phr set when memory
// runs out or the constructor failed (the half-made object is deleted).
template <class T>
CUnknown* CreateComObject(LPUNKNOWN pUnk, HRESULT* phr) {
  HRESULT hr = S_OK;
  T* p = new (std::nothrow) T(pUnk, &hr);
  if (!p) hr = E_OUTOFMEMORY;
  if (SUCCEEDED(hr)) return p;
  delete p;
  if (phr) *phr = hr;
  return nullptr;
}

extern CFactoryTemplate g_Templates[];
extern int g_cTemplates;
extern HINSTANCE g_hInst;
