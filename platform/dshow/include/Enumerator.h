// The bookkeeping that the COM enumerators share: reference count, position,
// the source's version taken at the start (a change in the source makes
// Next, Skip and Clone fail with VFW_E_ENUM_OUT_OF_SYNC until Reset), and
// Next's and Clone's argument rules. A derived enumerator says how to read
// its source's version, fetch the next item, skip and copy itself.
#pragma once

#include <windows.h>
#include <strmif.h>
#include <vfwmsgs.h>

template <class Interface, class Item, const IID& InterfaceId>
class CEnumerator : public Interface {
 public:
  virtual ~CEnumerator() {}
  CEnumerator(const CEnumerator&) = delete;
  CEnumerator& operator=(const CEnumerator&) = delete;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, InterfaceId) || IsEqualIID(riid, IID_IUnknown)) {
      *ppv = static_cast<Interface*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }

  STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_cRef); }

  STDMETHODIMP_(ULONG) Release() override {
    LONG c = InterlockedDecrement(&m_cRef);
    if (c == 0) delete this;
    return c;
  }

  // Without pcFetched, one item at a time only.
  STDMETHODIMP Next(ULONG cItems, Item** ppItems, ULONG* pcFetched) override {
    if (!ppItems) return E_POINTER;
    if (pcFetched)
      *pcFetched = 0;
    else if (cItems > 1)
      return E_INVALIDARG;
    if (AreWeOutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
    ULONG fetched = 0;
    while (fetched < cItems) {
      Item* pItem = FetchNext();
      if (!pItem) break;
      ppItems[fetched++] = pItem;
    }
    if (pcFetched) *pcFetched = fetched;
    return fetched == cItems ? S_OK : S_FALSE;
  }

  STDMETHODIMP Skip(ULONG cItems) override {
    if (AreWeOutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
    return SkipItems(cItems);
  }

  STDMETHODIMP Reset() override {
    m_Version = SourceVersion();
    OnReset();
    m_Position = 0;
    return S_OK;
  }

  STDMETHODIMP Clone(Interface** ppEnum) override {
    if (!ppEnum) return E_POINTER;
    if (AreWeOutOfSync()) return VFW_E_ENUM_OUT_OF_SYNC;
    *ppEnum = Duplicate();
    return *ppEnum ? S_OK : E_OUTOFMEMORY;
  }

 protected:
  // A copy takes the position and version of pCopy; a new enumerator calls
  // Reset once its source is set.
  explicit CEnumerator(const CEnumerator* pCopy)
      : m_Position(pCopy ? pCopy->m_Position : 0), m_Version(pCopy ? pCopy->m_Version : 0), m_cRef(1) {}

  BOOL AreWeOutOfSync() { return SourceVersion() != m_Version; }

  virtual LONG SourceVersion() = 0;
  // The item at the position, with its reference or allocation for the
  // caller, advancing past it; nullptr at the end.
  virtual Item* FetchNext() = 0;
  virtual HRESULT SkipItems(ULONG cItems) = 0;
  // What a derived enumerator takes afresh from its source on Reset.
  virtual void OnReset() {}
  // A copy at the same position, or nullptr when out of memory.
  virtual Interface* Duplicate() = 0;

  int m_Position;
  LONG m_Version;

 private:
  LONG volatile m_cRef;
};
