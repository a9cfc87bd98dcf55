// The class object that DllGetClassObject hands out for one template entry.
#pragma once

#include "FactoryTemplate.h"

class CClassFactory : public IClassFactory, public CBaseObject {
 public:
  explicit CClassFactory(const CFactoryTemplate* pTemplate);

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP CreateInstance(LPUNKNOWN pUnkOuter, REFIID riid, void** pv) override;
  STDMETHODIMP LockServer(BOOL fLock) override;

  static BOOL IsLocked() { return m_cLocked > 0; }

 private:
  const CFactoryTemplate* const m_pTemplate;
  LONG volatile m_cRef;
  static LONG volatile m_cLocked;
};
