// A control answers accessibility clients for itself (child id self only):
// its name with the shortcut, role by the kind of bar, state, place, and
// the click as its default action.
#include "Control.h"

#include "Mnemonics.h"

namespace {
BOOL IsSelf(const VARIANT& varChild) { return CJVKAccessible::GetChildIndex(&varChild) == CHILDID_SELF; }

BSTR ToBSTR(const CString& str) {
  const int n = ::MultiByteToWideChar(CP_ACP, 0, str, str.GetLength(), nullptr, 0);
  BSTR bstr = ::SysAllocStringLen(nullptr, static_cast<UINT>(n));
  if (bstr && n > 0) ::MultiByteToWideChar(CP_ACP, 0, str, str.GetLength(), bstr, n);
  return bstr;
}

HRESULT Answer(const CString& str, BSTR* psz) {
  *psz = ToBSTR(str);
  return *psz ? S_OK : E_OUTOFMEMORY;
}

HRESULT GiveDispatch(IAccessible* pAccessible, IDispatch** ppDispatch) {
  *ppDispatch = nullptr;
  if (pAccessible == nullptr) return S_FALSE;
  return pAccessible->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(ppDispatch));
}
}  // namespace

HRESULT CJVKControl::GetAccessibleParent(IDispatch** ppdispParent) {
  if (ppdispParent == nullptr) return E_INVALIDARG;
  return GiveDispatch(m_pParent ? m_pParent->GetBarAccessible() : nullptr, ppdispParent);
}

HRESULT CJVKControl::GetAccessibleChildCount(long* pcountChildren) {
  if (pcountChildren == nullptr) return E_INVALIDARG;
  CJVKControlParentBar* pBar = GetCommandBar();
  *pcountChildren = pBar && pBar->GetType() == jvkBarTypePopup ? 1 : 0;
  return S_OK;
}

HRESULT CJVKControl::GetAccessibleChild(VARIANT varChild, IDispatch** ppdispChild) {
  if (ppdispChild == nullptr) return E_INVALIDARG;
  *ppdispChild = nullptr;
  if (GetChildIndex(&varChild) != 1) return E_INVALIDARG;
  CJVKControlParentBar* pBar = GetCommandBar();
  return GiveDispatch(pBar && pBar->GetType() == jvkBarTypePopup ? pBar->GetBarAccessible() : nullptr, ppdispChild);
}

HRESULT CJVKControl::GetAccessibleName(VARIANT varChild, BSTR* pszName) {
  if (pszName == nullptr || !IsSelf(varChild)) return E_INVALIDARG;
  CString strName = GetCaption();
  StripMnemonics(strName);
  const CString strShortcut = GetShortcutText();
  if (!strShortcut.IsEmpty()) strName += "\t" + strShortcut;
  return Answer(strName, pszName);
}

HRESULT CJVKControl::GetAccessibleDescription(VARIANT varChild, BSTR* pszDescription) {
  if (pszDescription == nullptr || !IsSelf(varChild)) return E_INVALIDARG;
  return Answer(m_strDescriptionText, pszDescription);
}

HRESULT CJVKControl::GetAccessibleRole(VARIANT varChild, VARIANT* pvarRole) {
  if (pvarRole == nullptr || !IsSelf(varChild)) return E_INVALIDARG;
  CJVKControlParentBar* pPopup = GetCommandBar();
  const BOOL bHasPopup = pPopup && pPopup->GetType() == jvkBarTypePopup;
  ::VariantInit(pvarRole);
  pvarRole->vt = VT_I4;
  if (m_pParent && m_pParent->GetType() == jvkBarTypeToolBar)
    pvarRole->lVal = bHasPopup ? ROLE_SYSTEM_BUTTONMENU : ROLE_SYSTEM_PUSHBUTTON;
  else
    pvarRole->lVal = ROLE_SYSTEM_MENUITEM;
  return S_OK;
}

HRESULT CJVKControl::GetAccessibleState(VARIANT varChild, VARIANT* pvarState) {
  if (pvarState == nullptr || !IsSelf(varChild)) return E_INVALIDARG;
  LONG nState = STATE_SYSTEM_FOCUSABLE;
  if (m_bSelected) nState |= STATE_SYSTEM_FOCUSED | STATE_SYSTEM_SELECTED | STATE_SYSTEM_HOTTRACKED;
  if (m_pParent == nullptr || !m_pParent->IsBarVisible() || m_dwHideFlags != 0) nState |= STATE_SYSTEM_INVISIBLE;
  if (!m_bEnabled) nState |= STATE_SYSTEM_UNAVAILABLE;
  if (m_bChecked) nState |= STATE_SYSTEM_CHECKED;
  if (m_bPressed) nState |= STATE_SYSTEM_PRESSED;
  CJVKControlParentBar* pPopup = GetCommandBar();
  if (pPopup && pPopup->GetType() == jvkBarTypePopup) nState |= STATE_SYSTEM_HASPOPUP;
  ::VariantInit(pvarState);
  pvarState->vt = VT_I4;
  pvarState->lVal = nState;
  return S_OK;
}

HRESULT CJVKControl::GetAccessibleDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) {
  if (pszDefaultAction == nullptr || !IsSelf(varChild)) return E_INVALIDARG;
  return Answer("Click", pszDefaultAction);
}

HRESULT CJVKControl::AccessibleDoDefaultAction(VARIANT varChild) {
  if (!IsSelf(varChild)) return E_INVALIDARG;
  OnClick(TRUE, CPoint(0, 0));
  return S_OK;
}

HRESULT CJVKControl::AccessibleSelect(long, VARIANT varChild) {
  if (!IsSelf(varChild)) return E_INVALIDARG;
  if (m_pParent) {
    m_pParent->SetTrackingMode(jvkTracking);
    m_pParent->SetSelected(m_nIndex, 2);
  }
  return S_OK;
}

HRESULT CJVKControl::AccessibleLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) {
  if (!pxLeft || !pyTop || !pcxWidth || !pcyHeight || !IsSelf(varChild)) return E_INVALIDARG;
  *pxLeft = *pyTop = *pcxWidth = *pcyHeight = 0;
  CWnd* pBar = m_pParent ? m_pParent->GetBarWnd() : nullptr;
  if (pBar == nullptr) return S_OK;
  CRect rc = m_rcControl;
  pBar->ClientToScreen(&rc);
  *pxLeft = rc.left;
  *pyTop = rc.top;
  *pcxWidth = rc.Width();
  *pcyHeight = rc.Height();
  return S_OK;
}

HRESULT CJVKControl::AccessibleHitTest(long xLeft, long yTop, VARIANT* pvarChild) {
  if (pvarChild == nullptr) return E_INVALIDARG;
  ::VariantInit(pvarChild);
  CWnd* pBar = m_pParent ? m_pParent->GetBarWnd() : nullptr;
  if (pBar == nullptr) return S_FALSE;
  CPoint pt(xLeft, yTop);
  CRect rcWindow;
  pBar->GetWindowRect(&rcWindow);
  pBar->ScreenToClient(&pt);
  if (!rcWindow.PtInRect(CPoint(xLeft, yTop)) || !m_rcControl.PtInRect(pt)) return S_FALSE;
  pvarChild->vt = VT_I4;
  pvarChild->lVal = CHILDID_SELF;
  return S_OK;
}
