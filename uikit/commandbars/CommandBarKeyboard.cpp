// The keyboard side of CJVKCommandBar: key presses while the bar tracks,
// the keyboard moves between controls and rows, the mnemonic search, and
// the mouse manager's view of a tracking bar.
#include "CommandBar.h"

#include "ControlPopup.h"
#include "MnemonicRules.h"
#include "ShortcutManager.h"
#include "SiteMessages.h"
#include "ToolBar.h"

#include <KeyboardManager.h>
#include <MouseManager.h>

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace {

enum : int {
  kKeyNext = 0,
  kKeyPrevious = 1,
  kKeyCollapse = 2,
  kKeyExpand = 3,
  kKeyLeave = 4,
  kKeyPress = 5,
  kKeyFirst = 6,
  kKeyLast = 7,
};

BOOL IsKeyDown(int nVirtKey) { return ::GetKeyState(nVirtKey) < 0; }

BOOL IsEnabledPopup(CJVKControl* pControl) {
  return pControl && pControl->GetEnabled() && dynamic_cast<CJVKControlPopup*>(pControl) != nullptr;
}
}  // namespace

// The record of message JVK_WM_TRACKING_KEY.
struct JVK_TRACKING_KEY {
  UINT nKey;
  LPARAM lParam;
};

int CJVKCommandBar::HandleHookedMessage(HWND, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT&) {
  if (nMessage != WM_KEYDOWN) return JVK_HOOK_CONTINUE;
  // The key may run a command that releases the bar.
  AddBarRef();
  const int nAnswer = OnHookKeyDown(static_cast<UINT>(wParam), lParam);
  ReleaseBarRef();
  return nAnswer;
}

BOOL CJVKCommandBar::IsHorizontalBar() const {
  switch (m_nPosition) {
    case jvkBarTop:
    case jvkBarBottom:
    case jvkBarFloating: return TRUE;
    case jvkBarPopup: return m_nType == jvkBarTypeToolBar;
    default: return FALSE;
  }
}

int CJVKCommandBar::ArrowKeyCode(UINT nKey) const {
  const BOOL bRtl = IsRightToLeft();
  if (nKey == VK_END) return kKeyLast;
  if (nKey == VK_HOME) return kKeyFirst;
  if (IsHorizontalBar()) {
    switch (nKey) {
      case VK_LEFT: return bRtl ? kKeyNext : kKeyPrevious;
      case VK_RIGHT: return bRtl ? kKeyPrevious : kKeyNext;
      case VK_UP: return kKeyCollapse;
      case VK_DOWN: return kKeyExpand;
      default: return -1;
    }
  }
  switch (nKey) {
    case VK_UP: return kKeyPrevious;
    case VK_DOWN: return kKeyNext;
    case VK_LEFT: return bRtl ? kKeyExpand : kKeyCollapse;
    case VK_RIGHT: return bRtl ? kKeyCollapse : kKeyExpand;
    default: return -1;
  }
}

int CJVKCommandBar::OnHookKeyDown(UINT nKey, LPARAM lParam) {
  if (m_pCommandBars && m_pCommandBars->IsCustomizeMode()) return JVK_HOOK_STOP;
  if (CJVKControl* pSelected = m_pControls->GetAt(m_nSelected); pSelected && pSelected->IsFocused()) {
    const int nAnswer = pSelected->OnHookKeyDown(nKey, lParam);
    if (nAnswer == JVK_HOOK_HANDLED || nAnswer == JVK_HOOK_STOP) return nAnswer;
  }
  if (CWnd* pSite = GetSite(); pSite && pSite->GetSafeHwnd()) {
    JVK_TRACKING_KEY key = {nKey, lParam};
    pSite->SendMessage(JVK_WM_TRACKING_KEY, reinterpret_cast<WPARAM>(&key), reinterpret_cast<LPARAM>(this));
  }
  if (m_hWnd == nullptr) return JVK_HOOK_HANDLED;
  if (nKey == VK_RETURN) {
    ProcessSpecialKey(kKeyPress);
    return JVK_HOOK_HANDLED;
  }
  if (nKey == VK_ESCAPE) {
    ProcessSpecialKey(kKeyLeave);
    return JVK_HOOK_HANDLED;
  }
  // An edit window inside the bar (a dialog bar's child, an edit control's
  // field) takes its own keys, Ctrl+V among them.
  if (HWND hFocus = ::GetFocus(); hFocus && ::IsChild(m_hWnd, hFocus)) return JVK_HOOK_STOP;

  if (const int nCode = ArrowKeyCode(nKey); nCode >= 0) {
    ProcessSpecialKey(nCode);
    return JVK_HOOK_HANDLED;
  }
  if (nKey == VK_TAB) {
    const BOOL bShift = IsKeyDown(VK_SHIFT);
    if (IsKeyDown(VK_CONTROL) && m_pCommandBars && dynamic_cast<CJVKToolBar*>(this)) {
      m_pCommandBars->ActivateBar(this, bShift ? -1 : 1);
      return JVK_HOOK_HANDLED;
    }
    ProcessSpecialKey(bShift ? kKeyPrevious : kKeyNext);
    if (CJVKControl* pSelected = m_pControls->GetAt(m_nSelected); pSelected && pSelected->HasEditWindow())
      pSelected->SetEditFocus(TRUE);
    return JVK_HOOK_HANDLED;
  }

  const UINT nChar = ::MapVirtualKey(nKey, 2);
  if ((nChar & 0xFFFF) == 0) return JVK_HOOK_HANDLED;
  const TCHAR chKey = JVKToUpperChar(static_cast<TCHAR>(nChar));
  if (m_pCommandBars && dynamic_cast<CJVKToolBar*>(this) && m_pCommandBars->ActivateMnemonic(chKey, nKey))
    return JVK_HOOK_HANDLED;
  if (!IsKeyDown(VK_CONTROL) && ActivateOwnMnemonic(nKey)) return JVK_HOOK_HANDLED;
  if (nKey != VK_SHIFT && nKey != VK_CONTROL) ::MessageBeep(0);
  return JVK_HOOK_HANDLED;
}

std::vector<int> CJVKCommandBar::MnemonicWalk() const {
  std::vector<int> walk;
  const int nFirst = m_pControls->GetNextIndex(m_nSelected, 1, TRUE, FALSE, FALSE);
  for (int nIndex = nFirst; nIndex >= 0;) {
    walk.push_back(nIndex);
    const int nNext = m_pControls->GetNextIndex(nIndex, 1, TRUE, FALSE, FALSE);
    if (nNext == nFirst || nNext == nIndex) break;
    nIndex = nNext;
  }
  return walk;
}

BOOL CJVKCommandBar::ActivateOwnMnemonic(UINT nVirtKey) {
  const std::vector<int> walk = MnemonicWalk();
  std::vector<CString> captions;
  captions.reserve(walk.size());
  std::vector<JVKMnemonicCandidate> candidates;
  // A caption's first character counts on a menu bar or a tracking bar.
  const BOOL bFirstChar = m_nType == jvkBarTypeMenuBar || m_nTracking != jvkTrackingOff;
  for (int nIndex : walk) {
    CJVKControl* pControl = m_pControls->GetAt(nIndex);
    const BOOL bTakesPart = pControl->GetEnabled() && pControl->IsCaptionVisible();
    captions.push_back(bTakesPart ? pControl->GetCaption() : CString());
  }
  for (const CString& str : captions) candidates.push_back({static_cast<LPCSTR>(str), bFirstChar});
  const JVKMnemonicMatch match =
      JVKFindMnemonic(candidates, [nVirtKey](char ch) { return JVKIsMnemonicKey(static_cast<TCHAR>(ch), nVirtKey); });
  if (match.nIndex < 0) return FALSE;

  const int nIndex = walk[static_cast<size_t>(match.nIndex)];
  AddBarRef();
  SetTrackingMode(jvkTracking, FALSE, TRUE);
  SetSelected(nIndex, 2);
  if (!match.bAmbiguous) {
    if (CJVKControl* pControl = m_pControls->GetAt(nIndex)) pControl->OnKeyActivate();
  }
  ReleaseBarRef();
  return TRUE;
}

int CJVKCommandBar::FindControlInNextRow(int nStep) const {
  CJVKControl* pSelected = m_pControls->GetAt(m_nSelected);
  if (pSelected == nullptr) return -1;
  const int nRowTop = pSelected->m_rcRow.top;
  const int nLeft = pSelected->GetRect().left;
  int nIndex = m_pControls->GetNextIndex(m_nSelected, nStep, TRUE, FALSE, FALSE);
  // Past the selection's row (and past controls without a row) to the
  // first control of another row; then that row's nearest control.
  while (nIndex >= 0 && nIndex != m_nSelected) {
    const CJVKControl* pControl = m_pControls->GetAt(nIndex);
    if (!pControl->m_rcRow.IsRectEmpty() && pControl->m_rcRow.top != nRowTop) break;
    nIndex = m_pControls->GetNextIndex(nIndex, nStep, TRUE, FALSE, FALSE);
  }
  if (nIndex < 0 || nIndex == m_nSelected) return -1;
  const int nTargetRow = m_pControls->GetAt(nIndex)->m_rcRow.top;
  int nBest = -1;
  int nBestDistance = INT_MAX;
  for (int i = nIndex; i >= 0 && i != m_nSelected;) {
    const CJVKControl* pControl = m_pControls->GetAt(i);
    if (pControl->m_rcRow.top != nTargetRow) break;
    const int nDistance = std::abs(pControl->GetRect().left - nLeft);
    if (nDistance < nBestDistance) {
      nBest = i;
      nBestDistance = nDistance;
    }
    const int nNext = m_pControls->GetNextIndex(i, nStep, TRUE, FALSE, FALSE);
    if (nNext == nIndex) break;
    i = nNext;
  }
  return nBest;
}

BOOL CJVKCommandBar::ProcessSpecialKey(int nCode) {
  CJVKControl* pSelected = m_pControls->GetAt(m_nSelected);
  const BOOL bPopupToolBar = m_nPosition == jvkBarPopup && m_nType == jvkBarTypeToolBar;
  if ((GetParentBar() == nullptr || bPopupToolBar) && nCode == kKeyCollapse && m_nPopuped < 0 &&
      IsEnabledPopup(pSelected))
    nCode = kKeyExpand;
  if (bPopupToolBar && pSelected && pSelected->GetPopuped()) {
    if (nCode == kKeyNext) return FALSE;
    if (nCode == kKeyPrevious) nCode = kKeyCollapse;
  }
  if ((m_nPosition == jvkBarFloating || (bPopupToolBar && m_nPopuped < 0)) &&
      (nCode == kKeyExpand || nCode == kKeyCollapse) && !IsEnabledPopup(pSelected)) {
    const int nStep = nCode == kKeyExpand ? 1 : -1;
    const int nIndex =
        pSelected ? FindControlInNextRow(nStep) : m_pControls->GetNextIndex(-1, nStep, TRUE, FALSE, FALSE);
    if (nIndex < 0) return FALSE;
    SetSelected(nIndex, 2);
    return TRUE;
  }

  switch (nCode) {
    case kKeyNext:
    case kKeyPrevious: {
      const int nIndex = m_pControls->GetNextIndex(m_nSelected, nCode == kKeyNext ? 1 : -1, TRUE, FALSE, FALSE);
      if (nIndex < 0) return FALSE;
      SetSelected(nIndex, 2);
      return TRUE;
    }
    case kKeyFirst:
    case kKeyLast: {
      const int nIndex = m_pControls->GetNextIndex(-1, nCode == kKeyFirst ? 1 : -1, TRUE, FALSE, FALSE);
      if (nIndex < 0) return FALSE;
      SetSelected(nIndex, 2);
      return TRUE;
    }
    case kKeyCollapse:
      if (m_nPopuped < 0) return FALSE;
      SetPopuped(-1, TRUE);
      SetTrackingMode(jvkTracking, FALSE, TRUE);
      return TRUE;
    case kKeyExpand:
      if (pSelected == nullptr || pSelected->GetPopuped()) return FALSE;
      pSelected->SetSelected(2);
      return SetPopuped(m_nSelected, TRUE);
    case kKeyLeave:
      if (auto* pParent = dynamic_cast<CJVKCommandBar*>(GetParentBar()))
        pParent->SetTrackingMode(jvkTracking, FALSE, TRUE);
      SetTrackingMode(jvkTrackingOff, TRUE, TRUE);
      return TRUE;
    case kKeyPress:
      if (pSelected == nullptr) return FALSE;
      AddBarRef();
      pSelected->SetSelected(2);
      pSelected->OnClick(TRUE, pSelected->GetRect().CenterPoint());
      ReleaseBarRef();
      return TRUE;
    default: return FALSE;
  }
}

// -------------------------------------------- the mouse manager's view

int CJVKCommandBar::HitTestTrackedBar(POINT ptScreen) {
  if (m_hWnd == nullptr) return JVK_BARHIT_SKIP;
  CRect rc;
  GetWindowRect(&rc);
  return rc.PtInRect(ptScreen) ? JVK_BARHIT_ON_BAR : 0;
}

void CJVKCommandBar::OnHookedClick(UINT, POINT ptClient) {
  CJVKMouseManager* pMouse = PeekMouseManager();
  if (pMouse && pMouse->m_nLock > 0) return;
  if (m_pCommandBars && m_pCommandBars->IsCustomizeMode()) return;
  CJVKControl* pControl = HitTestControl(ptClient);
  if (pControl == nullptr) {
    if (m_nTracking == jvkTrackingOff) SetSelected(-1, 0);
    return;
  }
  if (pControl->GetIndex() != m_nSelected && m_nPopuped < 0) SetSelected(pControl->GetIndex(), 1);
  pControl->OnMouseMove(ptClient);
}
