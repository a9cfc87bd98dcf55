#include "CommandBarsOptions.h"

#include <PropExchangeArchive.h>

#include <cstdio>

namespace {

// Schemas before these did not hold the values they gate.
const DWORD kSchemaWithUsage = 8;      // used commands, animation, the later switches
const DWORD kSchemaWithCues = 9;       // keyboard cues

void CopyCommandIds(const CJVKCommandIdMap& from, CJVKCommandIdMap& to) {
  to.RemoveAll();
  POSITION pos = from.GetStartPosition();
  while (pos != nullptr) {
    UINT nID = 0;
    BOOL bValue = FALSE;
    from.GetNextAssoc(pos, nID, bValue);
    to.SetAt(nID, bValue);
  }
}

}  // namespace

CJVKCommandBarsOptions::CJVKCommandBarsOptions(CJVKCommandBarsOptionsOwner* pOwner) : m_pOwner(pOwner) {
  // The paint manager's defaults as the options store them.
  m_iconsOptions.bUseDisabledIcons = TRUE;
  m_iconsOptions.bUseFadedIcons = TRUE;
}

CJVKIconsOptions* CJVKCommandBarsOptions::GetIconsOptions() {
  CJVKIconsOptions* pIcons = m_pOwner ? m_pOwner->GetIconsOptions() : nullptr;
  return pIcons ? pIcons : &m_iconsOptions;
}

void CJVKCommandBarsOptions::SetKeyboardCuesShow(LONG nShow) {
  m_nKeyboardCuesShow = nShow;
  if (m_pOwner) m_pOwner->OnKeyboardCuesShowChanged(nShow);
}

BOOL CJVKCommandBarsOptions::IsCommandHidden(UINT nID) const {
  BOOL bValue = FALSE;
  return m_mapHiddenCommands.Lookup(nID, bValue) && !m_mapUsedCommands.Lookup(nID, bValue);
}

BOOL CJVKCommandBarsOptions::ExchangeCommandIds(CJVKPropExchange* pPX, LPCTSTR pszName, CJVKCommandIdMap& map) {
  if (!pPX->IsLoading() && pPX->CanSkipDefaults() && map.IsEmpty()) return TRUE;
  if (pPX->IsBinaryForm()) return PX_Object(pPX, pszName, &map);

  CJVKPropExchangeSectionHolder section(pPX->OpenSection(pszName));
  if (section.Get() == nullptr) return FALSE;
  TCHAR szKey[32];
  if (pPX->IsLoading()) {
    map.RemoveAll();
    const DWORD nCount = section->ReadCount();
    for (DWORD i = 0; i < nCount; ++i) {
      snprintf(szKey, sizeof szKey, "Item%lu", static_cast<unsigned long>(i));
      LONG nID = 0;
      if (!PX_Long(section.Get(), szKey, nID, 0)) return FALSE;
      map.SetAt(static_cast<UINT>(nID), TRUE);
    }
    return TRUE;
  }
  section->WriteCount(static_cast<DWORD>(map.GetCount()));
  POSITION pos = map.GetStartPosition();
  for (DWORD i = 0; pos != nullptr; ++i) {
    UINT nID = 0;
    BOOL bValue = FALSE;
    map.GetNextAssoc(pos, nID, bValue);
    snprintf(szKey, sizeof szKey, "Item%lu", static_cast<unsigned long>(i));
    LONG nValue = static_cast<LONG>(nID);
    if (!PX_Long(section.Get(), szKey, nValue, 0)) return FALSE;
  }
  return TRUE;
}

BOOL CJVKCommandBarsOptions::DoPropExchange(CJVKPropExchange* pPX) {
  if (!pPX->IsLoading()) pPX->m_dwSchema = CJVKPropExchange::kDefaultSchema;
  pPX->ExchangeSchema();
  const DWORD dwSchema = pPX->m_dwSchema;
  BOOL bResult = TRUE;

  PX_Bool(pPX, _T("AlwaysShowFullMenus"), m_bAlwaysShowFullMenus, TRUE);
  PX_Bool(pPX, _T("ShowFullAfterDelay"), m_bShowFullAfterDelay, TRUE);
  PX_Bool(pPX, _T("ToolBarScreenTips"), m_bToolBarScreenTips, TRUE);
  PX_Bool(pPX, _T("ToolBarAccelTips"), m_bToolBarAccelTips, FALSE);
  PX_Bool(pPX, _T("LargeIcons"), m_bLargeIcons, FALSE);
  if (dwSchema >= kSchemaWithUsage) {
    bResult &= ExchangeCommandIds(pPX, _T("UsedCommands"), m_mapUsedCommands);
    PX_Long(pPX, _T("Animation"), m_nAnimationType, 0);
  }
  PX_Bool(pPX, _T("SyncFloatingBars"), m_bSyncFloatingBars, TRUE);
  PX_Bool(pPX, _T("ShowExpandButtonAlways"), m_bShowExpandButtonAlways, TRUE);
  PX_Size(pPX, _T("IconsSize"), m_szIcons, SIZE{0, 0});
  PX_Size(pPX, _T("LargeIconsSize"), m_szLargeIcons, SIZE{0, 0});
  bResult &= ExchangeCommandIds(pPX, _T("HiddenCommands"), m_mapHiddenCommands);

  CJVKIconsOptions* pIcons = GetIconsOptions();
  PX_Bool(pPX, _T("IconsWithShadow"), pIcons->bIconsWithShadow, FALSE);
  PX_Bool(pPX, _T("UseDisabledIcons"), pIcons->bUseDisabledIcons, TRUE);
  PX_Bool(pPX, _T("UseFadedIcons"), pIcons->bUseFadedIcons, TRUE);

  if (dwSchema >= kSchemaWithUsage) {
    // Stored a second time: archives of this schema hold both copies.
    PX_Bool(pPX, _T("SyncFloatingBars"), m_bSyncFloatingBars, TRUE);
    PX_Bool(pPX, _T("ShowExpandButtonAlways"), m_bShowExpandButtonAlways, TRUE);
    PX_Bool(pPX, _T("DblClickFloat"), m_bDblClickFloat, FALSE);
    PX_Bool(pPX, _T("ShowTextBelowIcons"), m_bShowTextBelowIcons, FALSE);
    PX_Bool(pPX, _T("AltDragCustomization"), m_bAltDragCustomization, TRUE);
    PX_Bool(pPX, _T("AutoHideUnusedPopups"), m_bAutoHideUnusedPopups, TRUE);
    PX_Size(pPX, _T("PopupIconsSize"), m_szPopupIcons, SIZE{16, 16});
  }
  if (dwSchema >= kSchemaWithCues) {
    PX_Long(pPX, _T("KeyboardCuesUse"), m_nKeyboardCuesUse, JVK_CUES_USE_ALL_BARS);
    LONG nShow = m_nKeyboardCuesShow;
    PX_Long(pPX, _T("KeyboardCuesShow"), nShow, jvkCuesShowAlways);
    if (pPX->IsLoading())
      SetKeyboardCuesShow(nShow);
    else
      m_nKeyboardCuesShow = nShow;
  }
  return bResult;
}

void CJVKCommandBarsOptions::Serialize(CArchive& ar) {
  CJVKPropExchangeArchive px(ar);
  DoPropExchange(&px);
}

void CJVKCommandBarsOptions::AssignStored(CJVKCommandBarsOptions& from) {
  m_bAlwaysShowFullMenus = from.m_bAlwaysShowFullMenus;
  m_bShowFullAfterDelay = from.m_bShowFullAfterDelay;
  m_bToolBarScreenTips = from.m_bToolBarScreenTips;
  m_bToolBarAccelTips = from.m_bToolBarAccelTips;
  m_bLargeIcons = from.m_bLargeIcons;
  m_bSyncFloatingBars = from.m_bSyncFloatingBars;
  m_bShowExpandButtonAlways = from.m_bShowExpandButtonAlways;
  m_bDblClickFloat = from.m_bDblClickFloat;
  m_bShowTextBelowIcons = from.m_bShowTextBelowIcons;
  m_bAltDragCustomization = from.m_bAltDragCustomization;
  m_bAutoHideUnusedPopups = from.m_bAutoHideUnusedPopups;
  m_nAnimationType = from.m_nAnimationType;
  m_nKeyboardCuesUse = from.m_nKeyboardCuesUse;
  m_szIcons = from.m_szIcons;
  m_szLargeIcons = from.m_szLargeIcons;
  m_szPopupIcons = from.m_szPopupIcons;
  CopyCommandIds(from.m_mapHiddenCommands, m_mapHiddenCommands);
  CopyCommandIds(from.m_mapUsedCommands, m_mapUsedCommands);
  *GetIconsOptions() = *from.GetIconsOptions();
  SetKeyboardCuesShow(from.m_nKeyboardCuesShow);
}

BOOL CJVKCommandBarsOptions::Load(CArchive& ar) {
  // Read into fresh options first, so that a short archive changes nothing
  // and the values an older schema lacks come out at their defaults.
  CJVKCommandBarsOptions loaded;
  try {
    CJVKPropExchangeArchive px(ar);
    if (!px.IsLoading() || !loaded.DoPropExchange(&px)) return FALSE;
  } catch (CArchiveException* e) {
    e->Delete();
    return FALSE;
  }
  AssignStored(loaded);
  return TRUE;
}
