// The expand button's popup of CJVKToolBar: the controls that found no
// room, and the "&Add or Remove Buttons" list of the bar's buttons.
#include "ToolBar.h"
#include "ToolBarSystemButtons.h"

#include <ResourceManager.h>

namespace {
const UINT kIdsAddOrRemove = 9300;
const int kIdCustomize = 35001;
// Hidden for good, or by document template: no entry.
const DWORD kHideNoEntry = JVK_HIDE_GENERIC | JVK_HIDE_DOC_TEMPLATE;

CString LoadToolkitString(UINT nID) {
  CString str;
  GetResourceManager()->LoadString(str, nID);
  return str;
}

BOOL HasEntry(CJVKControl* pControl) {
  const int nID = pControl->GetID();
  return nID != JVK_ID_TOOLBAR_EXPAND && nID != JVK_ID_TOOLBAR_CLOSE && (pControl->GetHideFlags() & kHideNoEntry) == 0 &&
         (pControl->GetFlags() & JVK_FLAG_NO_MOVABLE) == 0;
}
}  // namespace

void CJVKToolBar::FillExpandPopup(CJVKControlParentBar* pPopup) {
  CJVKControls* pItems = pPopup->GetControls();
  // The controls wrapped away, shown in the popup.
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    CJVKControl* pControl = m_pControls->GetAt(i);
    if (!(pControl->GetHideFlags() & JVK_HIDE_NO_ROOM)) continue;
    CJVKControl* pClone = pItems->AddClone(pControl);
    pClone->SetHideFlags(0);
    pClone->SetBeginGroup(FALSE);
  }
  if (m_pCommandBars == nullptr) return;
  const BOOL bCustomize = m_pCommandBars->IsCustomizeAvailable();
  if (!m_pCommandBars->GetBarOptions().bShowExpandButtonAlways && !bCustomize) return;

  // "&Add or Remove Buttons" > the bar's title > one entry per button.
  CJVKControl* pAddRemove = pItems->Add(jvkControlPopup, 0);
  CJVKControlParentBar* pListBar = m_pCommandBars->CreatePopupBar();
  CJVKControlParentBar* pEntriesBar = m_pCommandBars->CreatePopupBar();
  if (pAddRemove == nullptr || pListBar == nullptr || pEntriesBar == nullptr) {
    if (pListBar) pListBar->ReleaseBarRef();
    if (pEntriesBar) pEntriesBar->ReleaseBarRef();
    return;
  }
  pAddRemove->SetCaption(LoadToolkitString(kIdsAddOrRemove));
  pAddRemove->SetBeginGroup(pItems->GetCount() > 1);
  static_cast<CJVKControlPopup*>(pAddRemove)->SetCommandBar(pListBar);

  CJVKControl* pBarEntry = pListBar->GetControls()->Add(jvkControlPopup, 0);
  if (pBarEntry) {
    pBarEntry->SetCaption(m_strTitle);
    pBarEntry->SetEnabled(bCustomize && m_bBuiltIn && m_bCustomizable);
    pBarEntry->SetFlags(JVK_FLAG_MANUAL_UPDATE);
    static_cast<CJVKControlPopup*>(pBarEntry)->SetCommandBar(pEntriesBar);
    for (int i = 0; i < m_pControls->GetCount(); ++i) {
      CJVKControl* pControl = m_pControls->GetAt(i);
      if (HasEntry(pControl)) pEntriesBar->GetControls()->AddControl(new CJVKControlAddRemoveEntry(pControl));
    }
  }
  if (bCustomize) {
    if (CJVKControl* pCustomize = pListBar->GetControls()->Add(jvkControlButton, kIdCustomize))
      pCustomize->SetBeginGroup(TRUE);
  }
  pListBar->ReleaseBarRef();
  pEntriesBar->ReleaseBarRef();
}
