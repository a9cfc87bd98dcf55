// What a control tells accessibility clients: its name with the shortcut,
// its role by bar, its state bits, the default action, and refusals of
// other children and null results.
#include "ControlPopup.h"
#include "Controls.h"
#include "FakeControlBar.h"

#include <gtest/gtest.h>

namespace {
VARIANT Child(long nId) {
  VARIANT v;
  ::VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = nId;
  return v;
}

std::wstring Name(IAccessible* pAcc) {
  BSTR bstr = nullptr;
  if (FAILED(pAcc->get_accName(Child(CHILDID_SELF), &bstr))) return L"<failed>";
  std::wstring str(bstr, ::SysStringLen(bstr));
  ::SysFreeString(bstr);
  return str;
}

long Number(IAccessible* pAcc, HRESULT (STDMETHODCALLTYPE IAccessible::*pfn)(VARIANT, VARIANT*)) {
  VARIANT out;
  ::VariantInit(&out);
  return SUCCEEDED((pAcc->*pfn)(Child(CHILDID_SELF), &out)) ? out.lVal : -1;
}
}  // namespace

TEST(ControlAccessible, NamesRolesAndStates) {
  struct Row {
    int nBarType, nControlType;
    const char* pszCaption;
    const wchar_t* pszName;
    long nRole;
  } rows[] = {
      {jvkBarTypeToolBar, jvkControlButton, "&Save\tCtrl+S", L"Save\tCtrl+S", ROLE_SYSTEM_PUSHBUTTON},
      {jvkBarTypeToolBar, jvkControlButtonPopup, "Fish && Chips", L"Fish & Chips", ROLE_SYSTEM_BUTTONMENU},
      {jvkBarTypeMenuBar, jvkControlPopup, "&File", L"File", ROLE_SYSTEM_MENUITEM},
      {jvkBarTypePopup, jvkControlButton, "E&xit", L"Exit", ROLE_SYSTEM_MENUITEM},
  };
  for (const Row& row : rows) {
    CFakeSite site;
    CFakeCommandBars bars(&site);
    auto* pBar = new CFakeControlBar(row.nBarType, &bars, &site);
    pBar->m_bVisible = TRUE;
    CJVKControl* pControl = pBar->m_pControls->Add(row.nControlType, 0);
    pControl->SetCaption(row.pszCaption);
    IAccessible* pAcc = pControl->GetAccessible();
    // A client reaches the control's accessible object by query too.
    IAccessible* pQueried = nullptr;
    ASSERT_EQ(S_OK, pAcc->QueryInterface(IID_IAccessible, reinterpret_cast<void**>(&pQueried)));
    EXPECT_EQ(pAcc, pQueried);
    pQueried->Release();
    IDispatch* pDispatch = nullptr;
    ASSERT_EQ(S_OK, pAcc->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&pDispatch)));
    pDispatch->Release();
    EXPECT_EQ(row.pszName, Name(pAcc)) << row.pszCaption;
    EXPECT_EQ(row.nRole, Number(pAcc, &IAccessible::get_accRole)) << row.pszCaption;
    long nChildren = -1;
    EXPECT_EQ(S_OK, pAcc->get_accChildCount(&nChildren));
    EXPECT_EQ(row.nControlType == jvkControlButton ? 0 : 1, nChildren) << row.pszCaption;
    pBar->ReleaseBarRef();
  }
}

TEST(ControlAccessible, StateFollowsTheControl) {
  CFakeSite site;
  CFakeCommandBars bars(&site);
  auto* pBar = new CFakeControlBar(jvkBarTypeToolBar, &bars, &site);
  CJVKControl* pControl = pBar->m_pControls->Add(jvkControlButton, 0);
  IAccessible* pAcc = pControl->GetAccessible();
  const long nFocusable = STATE_SYSTEM_FOCUSABLE;
  EXPECT_EQ(nFocusable | STATE_SYSTEM_INVISIBLE, Number(pAcc, &IAccessible::get_accState));  // bar not shown
  pBar->m_bVisible = TRUE;
  EXPECT_EQ(nFocusable, Number(pAcc, &IAccessible::get_accState));
  pControl->SetEnabled(FALSE);
  pControl->SetChecked(TRUE);
  pControl->m_bPressed = 1;
  pControl->m_bSelected = 2;
  EXPECT_EQ(nFocusable | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_CHECKED | STATE_SYSTEM_PRESSED | STATE_SYSTEM_FOCUSED |
                STATE_SYSTEM_SELECTED | STATE_SYSTEM_HOTTRACKED,
            Number(pAcc, &IAccessible::get_accState));
  pControl->SetHideFlags(JVK_HIDE_SCROLL);
  EXPECT_TRUE(Number(pAcc, &IAccessible::get_accState) & STATE_SYSTEM_INVISIBLE);

  // Select: the bar tracks and selects it as the keyboard does.
  pControl->SetEnabled(TRUE);
  pControl->m_bSelected = 0;
  EXPECT_EQ(S_OK, pAcc->accSelect(SELFLAG_TAKEFOCUS, Child(CHILDID_SELF)));
  EXPECT_EQ(jvkTracking, pBar->GetTrackingMode());
  EXPECT_EQ(2, pControl->GetSelected());

  BSTR bstr = nullptr;
  EXPECT_EQ(S_OK, pAcc->get_accDefaultAction(Child(CHILDID_SELF), &bstr));
  EXPECT_EQ(std::wstring(L"Click"), std::wstring(bstr));
  ::SysFreeString(bstr);
  long x = 1, y = 1, cx = 1, cy = 1;
  EXPECT_EQ(S_OK, pAcc->accLocation(&x, &y, &cx, &cy, Child(CHILDID_SELF)));
  EXPECT_EQ(0, x + y + cx + cy);  // no window
  VARIANT hit;
  EXPECT_EQ(S_FALSE, pAcc->accHitTest(0, 0, &hit));
  // Other children and null results are refused.
  EXPECT_EQ(E_INVALIDARG, pAcc->get_accName(Child(1), &bstr));
  EXPECT_EQ(E_INVALIDARG, pAcc->get_accName(Child(CHILDID_SELF), nullptr));
  EXPECT_EQ(E_INVALIDARG, pAcc->get_accRole(Child(3), &hit));
  pBar->ReleaseBarRef();
}
