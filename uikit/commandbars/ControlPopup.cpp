#include "ControlPopup.h"

#include "Controls.h"

IMPLEMENT_DYNCREATE(CJVKControlPopup, CJVKControl)

namespace {
// The bar leads to the target bar: it is the bar, or one of its popup
// controls' bars leads there. Depth-bounded against cycles.
BOOL Leads(CJVKControlParentBar* pBar, CJVKControlParentBar* pTarget, int nDepth) {
  if (pBar == nullptr || nDepth > 32) return FALSE;
  if (pBar == pTarget) return TRUE;
  CJVKControls* pControls = pBar->GetControls();
  for (int i = 0; pControls && i < pControls->GetCount(); ++i)
    if (Leads(pControls->GetAt(i)->GetCommandBar(), pTarget, nDepth + 1)) return TRUE;
  return FALSE;
}
}  // namespace

CJVKControlPopup::CJVKControlPopup() { m_nType = jvkControlPopup; }

CJVKControlPopup::~CJVKControlPopup() { SetCommandBar(nullptr); }

CJVKControlPopup* CJVKControlPopup::CreateControlPopup(int nType) {
  auto* pPopup = new CJVKControlPopup;
  pPopup->m_nType = nType;
  return pPopup;
}

void CJVKControlPopup::SetCommandBar(CJVKControlParentBar* pBar) {
  if (pBar == m_pCommandBar) return;
  if (pBar) pBar->AddBarRef();
  if (m_pCommandBar) m_pCommandBar->ReleaseBarRef();
  m_pCommandBar = pBar;
}

BOOL CJVKControlPopup::Compare(CJVKControl* pOther) {
  if (!CJVKControl::Compare(pOther) || !pOther->IsKindOf(RUNTIME_CLASS(CJVKControlPopup))) return FALSE;
  if (m_pCommandBar == nullptr) return TRUE;
  CJVKControlParentBar* pOtherBar = pOther->GetCommandBar();
  return pOtherBar != nullptr && m_pCommandBar->GetControls()->Compare(pOtherBar->GetControls());
}

void CJVKControlPopup::OnKeyActivate() {
  if (m_pParent) m_pParent->SetPopuped(m_nIndex, FALSE);
}

void CJVKControlPopup::Copy(CJVKControl* pFrom, BOOL bRecursive) {
  CJVKControl::Copy(pFrom, bRecursive);
  CJVKControlParentBar* pBar = pFrom->GetCommandBar();
  if (pBar == nullptr) {
    SetCommandBar(nullptr);
  } else if (bRecursive) {
    CJVKControlParentBar* pClone = pBar->CloneBar(TRUE);
    SetCommandBar(pClone);
    if (pClone) pClone->ReleaseBarRef();
  } else {
    SetCommandBar(pBar);
  }
}

BOOL CJVKControlPopup::SetPopup(BOOL bPopup) {
  m_bPopuped = bPopup;
  if (!bPopup) {
    if (m_pCommandBar) m_pCommandBar->SetTrackingMode(jvkTrackingOff);
    RedrawParent();
    return TRUE;
  }
  if (m_pCommandBar == nullptr) {
    m_bPopuped = FALSE;
    return FALSE;
  }
  if (m_pCommandBar->GetTrackingMode() != jvkTrackingOff) return TRUE;
  if (!m_pCommandBar->Popup(this, m_bSelected == 2)) {
    m_bPopuped = FALSE;
    return FALSE;
  }
  OnPopupShown();
  return TRUE;
}

void CJVKControlPopup::OnPopupShown() {
  if (InPopupBar() || m_pCommandBar == nullptr) return;
  if (m_pCommandBar->GetType() != jvkBarTypePopup || !m_pCommandBar->WantsPopupNotification()) return;
  if (CJVKControlCommandBars* pBars = GetCommandBars()) pBars->NotifyPopupShown(this);
}

BOOL CJVKControlPopup::IsOnMainPart(CPoint pt) const {
  const int nArrow = InPopupBar() ? JVK_SPLIT_ARROW_POPUP : JVK_SPLIT_ARROW_BAR;
  return pt.x < m_rcControl.right - nArrow;
}

void CJVKControlPopup::OnClick(BOOL bKeyboard, CPoint pt) {
  if (!m_bEnabled || m_pParent == nullptr) return;
  CJVKControlCommandBars* pBars = GetCommandBars();
  const BOOL bCustomize = pBars && pBars->IsCustomizeMode();
  if (bCustomize) pBars->SetCustomizeSelection(this);
  if (m_bPopuped && !InPopupBar()) {
    // A click on an open menu-bar entry closes it.
    m_pParent->SetTrackingMode(jvkTrackingOff);
  } else if (!bCustomize) {
    if (m_nType == jvkControlSplitButtonPopup && bKeyboard) {
      Execute();
    } else if (m_nType == jvkControlSplitButtonPopup && IsOnMainPart(pt)) {
      if (InPopupBar()) {
        m_pParent->KillTimer(JVK_TIMER_HOVER);  // the release executes
      } else {
        CRect rc = m_rcControl;
        rc.right -= JVK_SPLIT_ARROW_BAR;
        ClickToolBarButton(rc);
      }
    } else {
      m_pParent->SetPopuped(m_nIndex, FALSE);
    }
    return;
  }
  if (bCustomize) {
    if (m_pCommandBar == nullptr || m_pCommandBar->IsBarVisible()) m_pParent->SetPopuped(m_nIndex, FALSE);
    OnCustomizeClick(pt);
  }
}

void CJVKControlPopup::OnLButtonUp(CPoint pt) {
  if (m_bEnabled && m_nType == jvkControlSplitButtonPopup && InPopupBar() && IsOnMainPart(pt)) Execute();
}

BOOL CJVKControlPopup::OnLButtonDblClk(CPoint pt) {
  if ((m_nType != jvkControlPopup && m_nType != jvkControlButtonPopup) || m_pCommandBar == nullptr ||
      m_pCommandBar->GetType() != jvkBarTypePopup)
    return CJVKControl::OnLButtonDblClk(pt);
  if (!m_bPopuped) {
    OnClick(FALSE, pt);
    return TRUE;
  }
  CJVKControlParentBar* pBar = m_pCommandBar;
  if (pBar->ExecuteDefaultItem()) return TRUE;
  if (pBar->HasHiddenRarelyUsed()) {
    pBar->ExpandBar();
    return TRUE;
  }
  return FALSE;
}

void CJVKControlPopup::OnMouseHover() {
  if (m_bEnabled && m_pParent &&
      (m_pParent->GetTrackingMode() == jvkTrackingPopups || m_pParent->GetType() == jvkBarTypePopup)) {
    m_pParent->SetPopuped(m_nIndex, FALSE);
    return;
  }
  CJVKControl::OnMouseHover();
}

BOOL CJVKControlPopup::SetSelected(int nSelected) {
  if (!CJVKControl::SetSelected(nSelected)) return FALSE;
  if (m_pParent == nullptr) return TRUE;
  const BOOL bTrackingPopups = m_pParent->GetTrackingMode() == jvkTrackingPopups;
  if (m_nType == jvkControlButtonPopup || m_nType == jvkControlSplitButtonPopup) {
    if (!InPopupBar()) {
      if (m_bEnabled && nSelected == 2 && bTrackingPopups) m_pParent->SetPopuped(m_nIndex, TRUE);
    }
  } else if (m_bEnabled && nSelected != 0 && bTrackingPopups && !InPopupBar()) {
    // Inside popup bars submenus open through the hover timer instead.
    m_pParent->SetPopuped(m_nIndex, nSelected == 2);
  }
  if (nSelected == 0 && m_bPopuped && !InPopupBar()) m_pParent->SetPopuped(-1, FALSE);
  return TRUE;
}

void CJVKControlPopup::OnHoverLeave(CJVKControl* pOther) {
  if (m_pParent == nullptr) return;
  if (m_pCommandBar == nullptr || !m_pCommandBar->IsBarVisible()) {
    CJVKControl::OnHoverLeave(pOther);
    return;
  }
  // Moving to a control whose popup leads to this one closes this popup.
  const BOOL bOtherLeadsHere =
      pOther && pOther->IsKindOf(RUNTIME_CLASS(CJVKControlPopup)) && Leads(pOther->GetCommandBar(), m_pCommandBar, 0);
  if (bOtherLeadsHere) {
    m_pParent->SetPopuped(-1, FALSE);
    m_pParent->SetSelected(-1, FALSE);
  } else {
    m_pParent->SetPopuped(m_nIndex, FALSE);
  }
}

BOOL CJVKControlPopup::IsAncestorOf(CJVKControl* pOther) const {
  if (pOther == nullptr || m_pCommandBar == nullptr || pOther->GetCommandBar() == nullptr) return FALSE;
  return Leads(m_pCommandBar, pOther->GetCommandBar(), 0) || Leads(pOther->GetCommandBar(), m_pCommandBar, 0);
}
