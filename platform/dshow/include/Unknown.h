// Reference-counted COM object that can be aggregated: the owner's IUnknown
// receives every delegated call, the non-delegating one serves the owner.
#pragma once

#include "BaseObject.h"
#include <unknwn.h>
#include <strmif.h>
#include <evcode.h>
#include <vfwmsgs.h>

#include <new>

#include <PinnedType.h>

// Same vtable layout as IUnknown, so a pointer to it can stand in for the
// object's own IUnknown when nobody aggregates it.
struct INonDelegatingUnknown {
  virtual HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID riid, void** ppv) = 0;
  virtual ULONG STDMETHODCALLTYPE NonDelegatingAddRef() = 0;
  virtual ULONG STDMETHODCALLTYPE NonDelegatingRelease() = 0;
};
// It stands in for IUnknown, whose methods are stdcall.
QUILLON_PIN_TYPE(&INonDelegatingUnknown::NonDelegatingQueryInterface,
                 HRESULT(__stdcall INonDelegatingUnknown::*)(REFIID, void**));
QUILLON_PIN_TYPE(&INonDelegatingUnknown::NonDelegatingAddRef, ULONG(__stdcall INonDelegatingUnknown::*)());
QUILLON_PIN_TYPE(&INonDelegatingUnknown::NonDelegatingRelease, ULONG(__stdcall INonDelegatingUnknown::*)());

class CUnknown : public INonDelegatingUnknown, public CBaseObject {
 public:
  CUnknown(LPCTSTR pName, LPUNKNOWN pUnk, HRESULT* phr = nullptr);
  ~CUnknown() override = default;

  LPUNKNOWN GetOwner() const { return m_pUnknown; }

  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE NonDelegatingAddRef() override;
  ULONG STDMETHODCALLTYPE NonDelegatingRelease() override;

 protected:
  volatile LONG m_cRef;

 private:
  LPUNKNOWN const m_pUnknown;
};

// Hands out one interface of an object, adding a reference.
HRESULT GetInterface(LPUNKNOWN pUnk, void** ppv);

// The three IUnknown methods of a class that derives from CUnknown and a COM
// interface: all delegate to the owner.
#define DECLARE_IUNKNOWN                                                                                          \
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return GetOwner()->QueryInterface(riid, ppv); } \
  STDMETHODIMP_(ULONG) AddRef() override { return GetOwner()->AddRef(); }                                         \
  STDMETHODIMP_(ULONG) Release() override { return GetOwner()->Release(); }
