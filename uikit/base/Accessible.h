// CJVKAccessible: the mix-in through which toolkit windows and controls
// answer accessibility clients. Each IAccessible call goes to the virtual
// operation of the same position (all E_NOTIMPL here); IUnknown goes to the
// owning command target: its reference count governs the lifetime and its
// interface map answers queries, so the owner's map holds the mix-in:
//
//   class CBar : public CCmdTarget, public CJVKAccessible { ... DECLARE_INTERFACE_MAP() };
//   BEGIN_INTERFACE_MAP(CBar, CCmdTarget)
//     JVK_ACCESSIBLE_INTERFACE_PART(CBar)
//   END_INTERFACE_MAP()
//
// oleacc.dll and NotifyWinEvent are bound at run time, so the program runs
// without them.
#pragma once

#include <Framework.h>

#include <oleacc.h>

#include <cstdint>

class CJVKAccessible;

// Where the mix-in lies in an owner of class T, as offsetof gives a member's.
template <class T>
size_t JVKAccessibleOffset() {
  const uintptr_t nProbe = 0x10000;
  return reinterpret_cast<uintptr_t>(static_cast<CJVKAccessible*>(reinterpret_cast<T*>(nProbe))) - nProbe;
}

// The interface-map entries of an owner's mix-in: IAccessible and the
// IDispatch it extends.
#define JVK_ACCESSIBLE_INTERFACE_PART(theClass)       \
  {&IID_IAccessible, JVKAccessibleOffset<theClass>()}, \
      {&IID_IDispatch, JVKAccessibleOffset<theClass>()},

class CJVKAccessible : public IAccessible {
 public:
  CJVKAccessible();
  virtual ~CJVKAccessible() = default;
  CJVKAccessible(const CJVKAccessible&) = delete;
  CJVKAccessible& operator=(const CJVKAccessible&) = delete;

  // The object's own operations, in the order of the IAccessible methods.
  virtual HRESULT GetAccessibleParent(IDispatch** ppdispParent);
  virtual HRESULT GetAccessibleChildCount(long* pcountChildren);
  virtual HRESULT GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild);
  virtual HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName);
  virtual HRESULT GetAccessibleValue(VARIANT varChild, BSTR* pszValue);
  virtual HRESULT GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription);
  virtual HRESULT GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole);
  virtual HRESULT GetAccessibleState(VARIANT varChild, VARIANT* pvarState);
  virtual HRESULT GetAccessibleHelp(VARIANT varChild, BSTR* pszHelp);
  virtual HRESULT GetAccessibleHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic);
  virtual HRESULT GetAccessibleKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut);
  virtual HRESULT GetAccessibleFocus(VARIANT* pvarChild);
  virtual HRESULT GetAccessibleSelection(VARIANT* pvarChildren);
  virtual HRESULT GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction);
  virtual HRESULT AccessibleSelect(long flagsSelect, VARIANT varChild);
  virtual HRESULT AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild);
  virtual HRESULT AccessibleNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt);
  virtual HRESULT AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild);
  virtual HRESULT AccessibleDoDefaultAction(VARIANT varChild);
  virtual HRESULT PutAccessibleName(VARIANT varChild, BSTR szName);
  virtual HRESULT PutAccessibleValue(VARIANT varChild, BSTR szValue);
  // The owner whose reference count this interface shares.
  virtual CCmdTarget* GetCmdTarget() = 0;

  IAccessible* GetAccessible() { return this; }

  // The child id in a VARIANT (VT_I4, VT_I2, by reference, or through a
  // VARIANT by reference); -1 for anything else.
  static long GetChildIndex(const VARIANT* pVar);
  // Does nothing where NotifyWinEvent is missing.
  static void NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild);
  // E_FAIL while oleacc.dll or the entry is missing (tried again next call).
  static HRESULT AccessibleObjectFromWindow(HWND hWnd, DWORD dwObjectID, REFIID riid, void** ppvObject);
  static LRESULT LresultFromObject(REFIID riid, WPARAM wParam, IUnknown* punk);

  // IUnknown: the owner's (ExternalQueryInterface, ExternalAddRef,
  // ExternalRelease).
  STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) override;
  STDMETHOD_(ULONG, AddRef)() override;
  STDMETHOD_(ULONG, Release)() override;
  // IDispatch: not offered.
  STDMETHOD(GetTypeInfoCount)(UINT* pctinfo) override;
  STDMETHOD(GetTypeInfo)(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  STDMETHOD(GetIDsOfNames)(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
  STDMETHOD(Invoke)
  (DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams, VARIANT* pVarResult,
   EXCEPINFO* pExcepInfo, UINT* puArgErr) override;
  // IAccessible: each forwards to the operation of the same position.
  STDMETHOD(get_accParent)(IDispatch** ppdispParent) override;
  STDMETHOD(get_accChildCount)(long* pcountChildren) override;
  STDMETHOD(get_accChild)(VARIANT varChild, IDispatch** ppdispChild) override;
  STDMETHOD(get_accName)(VARIANT varChild, BSTR* pszName) override;
  STDMETHOD(get_accValue)(VARIANT varChild, BSTR* pszValue) override;
  STDMETHOD(get_accDescription)(VARIANT varChild, BSTR* pszDescription) override;
  STDMETHOD(get_accRole)(VARIANT varChild, VARIANT* pvarRole) override;
  STDMETHOD(get_accState)(VARIANT varChild, VARIANT* pvarState) override;
  STDMETHOD(get_accHelp)(VARIANT varChild, BSTR* pszHelp) override;
  STDMETHOD(get_accHelpTopic)(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
  STDMETHOD(get_accKeyboardShortcut)(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
  STDMETHOD(get_accFocus)(VARIANT* pvarChild) override;
  STDMETHOD(get_accSelection)(VARIANT* pvarChildren) override;
  STDMETHOD(get_accDefaultAction)(VARIANT varChild, BSTR* pszDefaultAction) override;
  STDMETHOD(accSelect)(long flagsSelect, VARIANT varChild) override;
  STDMETHOD(accLocation)(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
  STDMETHOD(accNavigate)(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
  STDMETHOD(accHitTest)(long xLeft, long yTop, VARIANT* pvarChild) override;
  STDMETHOD(accDoDefaultAction)(VARIANT varChild) override;
  STDMETHOD(put_accName)(VARIANT varChild, BSTR szName) override;
  STDMETHOD(put_accValue)(VARIANT varChild, BSTR szValue) override;
};
