#include "Unknown.h"

CUnknown::CUnknown(LPCTSTR pName, LPUNKNOWN pUnk, HRESULT*)
    : CBaseObject(pName),
      m_cRef(0),
      m_pUnknown(pUnk ? pUnk : reinterpret_cast<LPUNKNOWN>(static_cast<INonDelegatingUnknown*>(this))) {}

HRESULT STDMETHODCALLTYPE CUnknown::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown)) {
    // The inner IUnknown of an aggregated object is its non-delegating one.
    return GetInterface(reinterpret_cast<LPUNKNOWN>(static_cast<INonDelegatingUnknown*>(this)), ppv);
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE CUnknown::NonDelegatingAddRef() { return InterlockedIncrement(&m_cRef); }

ULONG STDMETHODCALLTYPE CUnknown::NonDelegatingRelease() {
  LONG lRef = InterlockedDecrement(&m_cRef);
  if (lRef == 0) {
    // Guard against re-entry while the destructor releases what it holds.
    m_cRef = m_cRef + 1;
    delete this;
    return 0;
  }
  return lRef > 1 ? lRef : 1;
}

HRESULT GetInterface(LPUNKNOWN pUnk, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = pUnk;
  pUnk->AddRef();
  return S_OK;
}
