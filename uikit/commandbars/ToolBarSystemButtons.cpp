#include "ToolBarSystemButtons.h"

#include "PaintManager.h"
#include "ToolBar.h"

CJVKControlToolBarClose::CJVKControlToolBarClose() {
  m_nId = JVK_ID_TOOLBAR_CLOSE;
  m_dwFlags = JVK_FLAG_NO_MOVABLE | JVK_FLAG_MANUAL_UPDATE;
}

void CJVKControlToolBarClose::Execute() {
  m_bPressed = 0;
  if (auto* pBar = dynamic_cast<CJVKToolBar*>(m_pParent)) pBar->SetVisible(FALSE);
}

void CJVKControlToolBarClose::Draw(CDC* pDC) {
  if (m_pParent) GetPaintManager()->DrawSpecialControl(jvkSpecialClose, pDC, this, m_pParent, TRUE);
}

CJVKControlToolBarExpand::CJVKControlToolBarExpand() {
  m_nType = jvkControlPopup;
  m_nId = JVK_ID_TOOLBAR_EXPAND;
  m_dwFlags = JVK_FLAG_NO_MOVABLE | JVK_FLAG_MANUAL_UPDATE;
}

BOOL CJVKControlToolBarExpand::SetPopup(BOOL bPopup) {
  if (bPopup) {
    auto* pBar = dynamic_cast<CJVKToolBar*>(m_pParent);
    CJVKControlCommandBars* pBars = GetCommandBars();
    if (pBar == nullptr || pBars == nullptr) return FALSE;
    CJVKControlParentBar* pPopup = pBars->CreatePopupBar();
    if (pPopup == nullptr) return FALSE;
    pBar->FillExpandPopup(pPopup);
    SetCommandBar(pPopup);
    pPopup->ReleaseBarRef();
  }
  return CJVKControlPopup::SetPopup(bPopup);
}

void CJVKControlToolBarExpand::Draw(CDC* pDC) {
  if (m_pParent) GetPaintManager()->DrawSpecialControl(jvkSpecialBarExpand, pDC, this, m_pParent, TRUE);
}

CJVKControlAddRemoveEntry::CJVKControlAddRemoveEntry(CJVKControl* pTarget) : m_pTarget(pTarget) {
  m_pTarget->InternalAddRef();
  m_dwFlags = JVK_FLAG_MANUAL_UPDATE;
  m_bCloseSubMenuOnClick = FALSE;
  m_strCaption = pTarget->GetCaption().IsEmpty() ? pTarget->GetTooltipText() : pTarget->GetCaption();
  m_nIconId = pTarget->GetIconId();
  m_bChecked = (pTarget->GetHideFlags() & JVK_HIDE_CUSTOMIZE) == 0;
}

CJVKControlAddRemoveEntry::~CJVKControlAddRemoveEntry() { m_pTarget->InternalRelease(); }

void CJVKControlAddRemoveEntry::Execute() {
  const BOOL bShow = (m_pTarget->GetHideFlags() & JVK_HIDE_CUSTOMIZE) != 0;
  m_pTarget->SetHideFlag(JVK_HIDE_CUSTOMIZE, !bShow);
  SetChecked(bShow);
  if (CJVKControlParentBar* pBar = m_pTarget->GetParentBar()) {
    pBar->DelayLayout();
    pBar->Redraw();
  }
  RedrawParent();
}
