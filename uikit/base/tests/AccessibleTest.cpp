// The IAccessible glue: forwarding, the owner's reference count, child ids
// from VARIANTs, and oleacc / NotifyWinEvent bound at run time.
#include "Accessible.h"
#include "Refusal.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// An owner whose interface map holds the mix-in beside an interface of its
// own.
class CPlainOwner : public CCmdTarget, public CJVKAccessible {
 public:
  explicit CPlainOwner(bool* pDeleted = nullptr) : m_pDeleted(pDeleted) {}
  ~CPlainOwner() override {
    if (m_pDeleted) *m_pDeleted = true;
  }
  CCmdTarget* GetCmdTarget() override { return this; }
  bool* m_pDeleted;

  BEGIN_INTERFACE_PART(Persist, IPersist)
  STDMETHOD(GetClassID)(CLSID* pClassID) override;
  END_INTERFACE_PART(Persist)
  DECLARE_INTERFACE_MAP()
};

BEGIN_INTERFACE_MAP(CPlainOwner, CCmdTarget)
  JVK_ACCESSIBLE_INTERFACE_PART(CPlainOwner)
  INTERFACE_PART(CPlainOwner, IID_IPersist, Persist)
END_INTERFACE_MAP()

IMPLEMENT_IUNKNOWN(CPlainOwner, Persist)

STDMETHODIMP CPlainOwner::XPersist::GetClassID(CLSID* pClassID) {
  *pClassID = CLSID_NULL;
  return S_OK;
}

class CNamedOwner : public CPlainOwner {
 public:
  HRESULT GetAccessibleName(VARIANT varChild, BSTR* pszName) override {
    m_nLastChild = GetChildIndex(&varChild);
    *pszName = ::SysAllocString(L"Bar");
    return S_OK;
  }
  HRESULT AccessibleHitTest(long x, long y, VARIANT* pvarChild) override {
    pvarChild->vt = VT_I4;
    pvarChild->lVal = x * 1000 + y;
    return S_OK;
  }
  long m_nLastChild = -2;
};

VARIANT Self() {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = CHILDID_SELF;
  return v;
}

TEST(Accessible, EveryMethodOfAnObjectThatOverridesNothingIsNotImplemented) {
  CPlainOwner owner;
  IAccessible* acc = owner.GetAccessible();
  VARIANT v = Self(), out;
  ::VariantInit(&out);
  BSTR s = nullptr;
  IDispatch* disp = nullptr;
  long n = 0;
  const std::function<HRESULT()> calls[] = {
      [&] { return acc->get_accParent(&disp); },
      [&] { return acc->get_accChildCount(&n); },
      [&] { return acc->get_accChild(v, &disp); },
      [&] { return acc->get_accName(v, &s); },
      [&] { return acc->get_accValue(v, &s); },
      [&] { return acc->get_accDescription(v, &s); },
      [&] { return acc->get_accRole(v, &out); },
      [&] { return acc->get_accState(v, &out); },
      [&] { return acc->get_accHelp(v, &s); },
      [&] { return acc->get_accHelpTopic(&s, v, &n); },
      [&] { return acc->get_accKeyboardShortcut(v, &s); },
      [&] { return acc->get_accFocus(&out); },
      [&] { return acc->get_accSelection(&out); },
      [&] { return acc->get_accDefaultAction(v, &s); },
      [&] { return acc->accSelect(SELFLAG_TAKEFOCUS, v); },
      [&] { return acc->accLocation(&n, &n, &n, &n, v); },
      [&] { return acc->accNavigate(NAVDIR_NEXT, v, &out); },
      [&] { return acc->accHitTest(1, 2, &out); },
      [&] { return acc->accDoDefaultAction(v); },
      [&] { return acc->put_accName(v, nullptr); },
      [&] { return acc->put_accValue(v, nullptr); },
      [&] {
        UINT c;
        return acc->GetTypeInfoCount(&c);
      },
      [&] {
        ITypeInfo* t;
        return acc->GetTypeInfo(0, 0, &t);
      },
      [&] {
        DISPID id;
        LPOLESTR name = const_cast<LPOLESTR>(L"x");
        return acc->GetIDsOfNames(IID_NULL, &name, 1, 0, &id);
      },
      [&] { return acc->Invoke(0, IID_NULL, 0, 0, nullptr, nullptr, nullptr, nullptr); },
  };
  int i = 0;
  for (const auto& call : calls) EXPECT_EQ(call(), E_NOTIMPL) << "call " << i++;
}

TEST(Accessible, ReferencesAndQueriesGoThroughTheOwner) {
  bool deleted = false;
  CPlainOwner* owner = new CPlainOwner(&deleted);
  IAccessible* acc = owner->GetAccessible();
  EXPECT_EQ(acc->AddRef(), 2u);
  EXPECT_EQ(owner->m_dwRef, 2);
  IUnknown* unknown = nullptr;
  ASSERT_EQ(acc->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  EXPECT_EQ(owner->m_dwRef, 3);
  EXPECT_EQ(unknown, owner->GetControllingUnknown()) << "one identity";
  IAccessible* again = nullptr;
  ASSERT_EQ(unknown->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&again)), S_OK);
  EXPECT_EQ(again, acc);
  // The owner's map answers: its other interfaces are reached from the
  // mix-in, and the mix-in from them.
  IPersist* persist = nullptr;
  ASSERT_EQ(acc->QueryInterface(IID_IPersist, reinterpret_cast<void**>(&persist)), S_OK);
  EXPECT_EQ(persist, &owner->m_xPersist);
  IDispatch* dispatch = nullptr;
  ASSERT_EQ(persist->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch)), S_OK);
  EXPECT_EQ(dispatch, static_cast<IDispatch*>(acc));
  dispatch->Release();
  persist->Release();
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(acc->QueryInterface(IID_IStream, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  again->Release();
  unknown->Release();
  EXPECT_EQ(acc->Release(), 1u);
  EXPECT_FALSE(deleted);
  acc->Release();
  EXPECT_TRUE(deleted) << "the last release deletes the owner";
}

TEST(Accessible, OverriddenOperationsGetTheArgumentsUnchanged) {
  CNamedOwner owner;
  VARIANT child;
  ::VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = 4;
  BSTR name = nullptr;
  ASSERT_EQ(owner.GetAccessible()->get_accName(child, &name), S_OK);
  EXPECT_STREQ(name, L"Bar");
  EXPECT_EQ(owner.m_nLastChild, 4);
  ::SysFreeString(name);
  VARIANT hit;
  ::VariantInit(&hit);
  ASSERT_EQ(owner.GetAccessible()->accHitTest(12, 34, &hit), S_OK);
  EXPECT_EQ(hit.lVal, 12034);
}

TEST(Accessible, ChildIndexFromVariants) {
  long l = 7, *pNull = nullptr;
  short sh = 9;
  VARIANT inner;
  ::VariantInit(&inner);
  inner.vt = VT_I4;
  inner.lVal = 3;
  VARIANT v[8];
  for (VARIANT& x : v) ::VariantInit(&x);
  v[0].vt = VT_I4, v[0].lVal = 5;
  v[1].vt = VT_I2, v[1].iVal = -2;
  v[2].vt = VT_BYREF | VT_I4, v[2].plVal = &l;
  v[3].vt = VT_BYREF | VT_I2, v[3].piVal = &sh;
  v[4].vt = VT_BYREF | VT_VARIANT, v[4].pvarVal = &inner;
  v[5].vt = VT_BSTR, v[5].bstrVal = nullptr;
  v[6].vt = VT_BYREF | VT_I4, v[6].plVal = pNull;
  v[7].vt = VT_EMPTY;
  const long expected[8] = {5, -2, 7, 9, 3, -1, -1, -1};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(CJVKAccessible::GetChildIndex(&v[i]), expected[i]) << "row " << i;
  EXPECT_EQ(CJVKAccessible::GetChildIndex(nullptr), -1);
}

TEST(Accessible, OleaccEntriesFailWhileMissingAndAreTriedAgain) {
  // Marshalling an object into an LRESULT needs COM.
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "x", WS_POPUP, CRect(0, 0, 20, 20), nullptr, 0));
  {
    CRefusal refusal({"oleacc.dll"});
    void* p = nullptr;
    EXPECT_EQ(CJVKAccessible::AccessibleObjectFromWindow(wnd, OBJID_WINDOW, IID_IAccessible, &p), E_FAIL);
    CPlainOwner owner;
    EXPECT_EQ(CJVKAccessible::LresultFromObject(IID_IAccessible, 0, owner.GetAccessible()),
              static_cast<LRESULT>(E_FAIL));
  }
  {
    CRefusal refusal({"oleacc.dll!LresultFromObject"});
    IAccessible* p = nullptr;
    ASSERT_EQ(
        CJVKAccessible::AccessibleObjectFromWindow(wnd, OBJID_WINDOW, IID_IAccessible, reinterpret_cast<void**>(&p)),
        S_OK);
    ASSERT_NE(p, nullptr);
    p->Release();
    CPlainOwner owner;
    EXPECT_EQ(CJVKAccessible::LresultFromObject(IID_IAccessible, 0, owner.GetAccessible()),
              static_cast<LRESULT>(E_FAIL));
  }
  CPlainOwner owner;
  EXPECT_GT(CJVKAccessible::LresultFromObject(IID_IAccessible, 0, owner.GetAccessible()), 0)
      << "found on the next call";
  wnd.DestroyWindow();
  ::CoUninitialize();
}

int g_nEvents = 0;
void CALLBACK CountEvent(HWINEVENTHOOK, DWORD, HWND, LONG, LONG, DWORD, DWORD) { ++g_nEvents; }

TEST(Accessible, WinEventsAreSentOnlyWhereNotifyWinEventIsBound) {
  HWINEVENTHOOK hHook = ::SetWinEventHook(EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_MENUPOPUPSTART, nullptr, CountEvent,
                                          ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  ASSERT_NE(hHook, nullptr);
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "x", WS_POPUP, CRect(0, 0, 20, 20), nullptr, 0));
  auto pump = [] {
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessage(&msg);
  };
  g_nEvents = 0;
  {
    CRefusal refusal({"user32!NotifyWinEvent"});
    CJVKAccessible::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, wnd, OBJID_MENU, 0);
    pump();
    EXPECT_EQ(g_nEvents, 0);
  }
  CJVKAccessible::NotifyWinEvent(EVENT_SYSTEM_MENUPOPUPSTART, wnd, OBJID_MENU, 0);
  pump();
  EXPECT_EQ(g_nEvents, 1);
  ::UnhookWinEvent(hHook);
  wnd.DestroyWindow();
}

}  // namespace
