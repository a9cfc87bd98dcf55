#include "ClassFactory.h"

LONG volatile CClassFactory::m_cLocked = 0;

CClassFactory::CClassFactory(const CFactoryTemplate* pTemplate)
    : CBaseObject(TEXT("Class factory")), m_pTemplate(pTemplate), m_cRef(0) {}

STDMETHODIMP CClassFactory::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
    *ppv = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CClassFactory::AddRef() { return InterlockedIncrement(&m_cRef); }

STDMETHODIMP_(ULONG) CClassFactory::Release() {
  LONG c = InterlockedDecrement(&m_cRef);
  if (c == 0) delete this;
  return c;
}

STDMETHODIMP CClassFactory::CreateInstance(LPUNKNOWN pUnkOuter, REFIID riid, void** pv) {
  if (!pv) return E_POINTER;
  *pv = nullptr;
  // An aggregating owner may only ask for the inner IUnknown.
  if (pUnkOuter && !IsEqualIID(riid, IID_IUnknown)) return E_NOINTERFACE;
  HRESULT hr = S_OK;
  CUnknown* pObj = m_pTemplate->CreateInstance(pUnkOuter, &hr);
  if (!pObj) return FAILED(hr) ? hr : E_OUTOFMEMORY;
  if (FAILED(hr)) {
    delete pObj;
    return hr;
  }
  pObj->NonDelegatingAddRef();
  hr = pObj->NonDelegatingQueryInterface(riid, pv);
  pObj->NonDelegatingRelease();
  return hr;
}

STDMETHODIMP CClassFactory::LockServer(BOOL fLock) {
  if (fLock)
    InterlockedIncrement(&m_cLocked);
  else
    InterlockedDecrement(&m_cLocked);
  return S_OK;
}
