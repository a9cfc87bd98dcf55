#include "Accessible.h"

#include "OptionalEntry.h"

namespace {

typedef void(WINAPI* PFNNOTIFYWINEVENT)(DWORD, HWND, LONG, LONG);
typedef HRESULT(WINAPI* PFNACCESSIBLEOBJECTFROMWINDOW)(HWND, DWORD, REFIID, void**);
typedef LRESULT(WINAPI* PFNLRESULTFROMOBJECT)(REFIID, WPARAM, LPUNKNOWN);

// The process-wide bindings, each valid for the resolver generation it was
// made in. oleacc stays loaded once found.
struct Bindings {
  UINT nNotifyGeneration = 0;
  PFNNOTIFYWINEVENT pfnNotifyWinEvent = nullptr;
  UINT nOleaccGeneration = 0;
  PFNACCESSIBLEOBJECTFROMWINDOW pfnAccessibleObjectFromWindow = nullptr;
  PFNLRESULTFROMOBJECT pfnLresultFromObject = nullptr;
};
Bindings g_bindings;

void BindNotifyWinEvent() {
  if (g_bindings.nNotifyGeneration == JVKOptionalGeneration()) return;
  g_bindings.nNotifyGeneration = JVKOptionalGeneration();
  g_bindings.pfnNotifyWinEvent =
      JVKOptionalProc<PFNNOTIFYWINEVENT>(JVKOptionalLibrary("USER32", FALSE), "USER32", "NotifyWinEvent");
}

// Finds an oleacc entry; a miss is not kept, so the next call tries again.
template <class T>
T OleaccEntry(T& cached, LPCSTR lpszEntry) {
  if (g_bindings.nOleaccGeneration != JVKOptionalGeneration()) {
    g_bindings.nOleaccGeneration = JVKOptionalGeneration();
    g_bindings.pfnAccessibleObjectFromWindow = nullptr;
    g_bindings.pfnLresultFromObject = nullptr;
  }
  if (!cached) {
    HMODULE hOleacc = JVKOptionalLibrary("oleacc.dll", TRUE);
    cached = JVKOptionalProc<T>(hOleacc, "oleacc.dll", lpszEntry);
  }
  return cached;
}

}  // namespace

CJVKAccessible::CJVKAccessible() { BindNotifyWinEvent(); }

long CJVKAccessible::GetChildIndex(const VARIANT* pVar) {
  if (!pVar) return -1;
  switch (pVar->vt) {
    case VT_I4: return pVar->lVal;
    case VT_I2: return pVar->iVal;
    case VT_BYREF | VT_I4: return pVar->plVal ? *pVar->plVal : -1;
    case VT_BYREF | VT_I2: return pVar->piVal ? *pVar->piVal : -1;
    case VT_BYREF | VT_VARIANT: return GetChildIndex(pVar->pvarVal);
    default: return -1;
  }
}

void CJVKAccessible::NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild) {
  BindNotifyWinEvent();
  if (g_bindings.pfnNotifyWinEvent) g_bindings.pfnNotifyWinEvent(event, hWnd, idObject, idChild);
}

HRESULT CJVKAccessible::AccessibleObjectFromWindow(HWND hWnd, DWORD dwObjectID, REFIID riid, void** ppvObject) {
  PFNACCESSIBLEOBJECTFROMWINDOW pfn =
      OleaccEntry(g_bindings.pfnAccessibleObjectFromWindow, "AccessibleObjectFromWindow");
  return pfn ? pfn(hWnd, dwObjectID, riid, ppvObject) : E_FAIL;
}

LRESULT CJVKAccessible::LresultFromObject(REFIID riid, WPARAM wParam, IUnknown* punk) {
  PFNLRESULTFROMOBJECT pfn = OleaccEntry(g_bindings.pfnLresultFromObject, "LresultFromObject");
  return pfn ? pfn(riid, wParam, punk) : static_cast<LRESULT>(E_FAIL);
}

// ------------------------------------------------------------------ IUnknown

STDMETHODIMP CJVKAccessible::QueryInterface(REFIID riid, void** ppvObject) {
  return static_cast<HRESULT>(GetCmdTarget()->ExternalQueryInterface(&riid, ppvObject));
}

STDMETHODIMP_(ULONG) CJVKAccessible::AddRef() { return GetCmdTarget()->ExternalAddRef(); }

STDMETHODIMP_(ULONG) CJVKAccessible::Release() { return GetCmdTarget()->ExternalRelease(); }

STDMETHODIMP CJVKAccessible::GetTypeInfoCount(UINT*) { return E_NOTIMPL; }
STDMETHODIMP CJVKAccessible::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
STDMETHODIMP CJVKAccessible::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
STDMETHODIMP CJVKAccessible::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

// ------------------------------------------------------- default operations

HRESULT CJVKAccessible::GetAccessibleParent(IDispatch**) { return E_NOTIMPL; }
HRESULT CJVKAccessible::GetAccessibleChildCount(long*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::GetAccessibleChild(VARIANT, IDispatch**) { return E_NOTIMPL; }
HRESULT CJVKAccessible::GetAccessibleName(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::GetAccessibleValue(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::GetAccessibleDescription(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::GetAccessibleRole(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::GetAccessibleState(VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::GetAccessibleHelp(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::GetAccessibleHelpTopic(BSTR*, VARIANT, long*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::GetAccessibleKeyboardShortcut(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::GetAccessibleFocus(VARIANT*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::GetAccessibleSelection(VARIANT*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::GetAccessibleDefaultAction(VARIANT, BSTR*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::AccessibleSelect(long, VARIANT) { return E_NOTIMPL; }
HRESULT CJVKAccessible::AccessibleLocation(long*, long*, long*, long*, VARIANT) { return E_NOTIMPL; }
HRESULT CJVKAccessible::AccessibleNavigate(long, VARIANT, VARIANT*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::AccessibleHitTest(long, long, VARIANT*) { return E_NOTIMPL; }
HRESULT CJVKAccessible::AccessibleDoDefaultAction(VARIANT) { return E_NOTIMPL; }
HRESULT CJVKAccessible::PutAccessibleName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT CJVKAccessible::PutAccessibleValue(VARIANT, BSTR) { return E_NOTIMPL; }

// ---------------------------------------------------------------- IAccessible

STDMETHODIMP CJVKAccessible::get_accParent(IDispatch** p) { return GetAccessibleParent(p); }
STDMETHODIMP CJVKAccessible::get_accChildCount(long* p) { return GetAccessibleChildCount(p); }
STDMETHODIMP CJVKAccessible::get_accChild(VARIANT v, IDispatch** p) { return GetAccessibleChild(v, p); }
STDMETHODIMP CJVKAccessible::get_accName(VARIANT v, BSTR* p) { return GetAccessibleName(v, p); }
STDMETHODIMP CJVKAccessible::get_accValue(VARIANT v, BSTR* p) { return GetAccessibleValue(v, p); }
STDMETHODIMP CJVKAccessible::get_accDescription(VARIANT v, BSTR* p) { return GetAccessibleDescription(v, p); }
STDMETHODIMP CJVKAccessible::get_accRole(VARIANT v, VARIANT* p) { return GetAccessibleRole(v, p); }
STDMETHODIMP CJVKAccessible::get_accState(VARIANT v, VARIANT* p) { return GetAccessibleState(v, p); }
STDMETHODIMP CJVKAccessible::get_accHelp(VARIANT v, BSTR* p) { return GetAccessibleHelp(v, p); }
STDMETHODIMP CJVKAccessible::get_accHelpTopic(BSTR* f, VARIANT v, long* p) { return GetAccessibleHelpTopic(f, v, p); }
STDMETHODIMP CJVKAccessible::get_accKeyboardShortcut(VARIANT v, BSTR* p) { return GetAccessibleKeyboardShortcut(v, p); }
STDMETHODIMP CJVKAccessible::get_accFocus(VARIANT* p) { return GetAccessibleFocus(p); }
STDMETHODIMP CJVKAccessible::get_accSelection(VARIANT* p) { return GetAccessibleSelection(p); }
STDMETHODIMP CJVKAccessible::get_accDefaultAction(VARIANT v, BSTR* p) { return GetAccessibleDefaultAction(v, p); }
STDMETHODIMP CJVKAccessible::accSelect(long f, VARIANT v) { return AccessibleSelect(f, v); }
STDMETHODIMP CJVKAccessible::accLocation(long* x, long* y, long* cx, long* cy, VARIANT v) {
  return AccessibleLocation(x, y, cx, cy, v);
}
STDMETHODIMP CJVKAccessible::accNavigate(long d, VARIANT v, VARIANT* p) { return AccessibleNavigate(d, v, p); }
STDMETHODIMP CJVKAccessible::accHitTest(long x, long y, VARIANT* p) { return AccessibleHitTest(x, y, p); }
STDMETHODIMP CJVKAccessible::accDoDefaultAction(VARIANT v) { return AccessibleDoDefaultAction(v); }
STDMETHODIMP CJVKAccessible::put_accName(VARIANT v, BSTR s) { return PutAccessibleName(v, s); }
STDMETHODIMP CJVKAccessible::put_accValue(VARIANT v, BSTR s) { return PutAccessibleValue(v, s); }
