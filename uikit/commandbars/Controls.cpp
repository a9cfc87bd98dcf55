#include "Controls.h"

#include "ControlButton.h"
#include "ControlPopup.h"
#include "ControlsLayout.h"
#include "PaintManager.h"
#include "ResourceManager.h"

#include <map>

namespace {
LONG g_nLiveCollections = 0;

CJVKControl* MakeButton(int, int) { return new CJVKControlButton; }
CJVKControl* MakePopup(int nType, int) { return CJVKControlPopup::CreateControlPopup(nType); }

// By type 1 to 8; the classes of the later types register themselves.
CJVKControls::ControlFactory* Factories() {
  static CJVKControls::ControlFactory factories[9] = {nullptr, MakeButton, MakePopup, MakePopup, MakePopup,
                                                      nullptr, nullptr,    nullptr,   nullptr};
  return factories;
}

std::map<int, CJVKControls::ControlFactory>& SpecialButtons() {
  static std::map<int, CJVKControls::ControlFactory> factories;
  return factories;
}

BOOL SkipInWalk(CJVKControl* pControl, BOOL bSkipFlagged, BOOL bSkipTemporary, BOOL bSkipRarelyUsed) {
  const DWORD dwIgnored = JVK_HIDE_SCROLL | (bSkipRarelyUsed ? 0 : JVK_HIDE_RARELY_USED);
  return (pControl->m_dwHideFlags & ~dwIgnored) != 0 || (bSkipFlagged && (pControl->m_dwFlags & JVK_FLAG_SKIP_FOCUS)) ||
         (bSkipTemporary && pControl->m_bTemporary);
}
}  // namespace

IMPLEMENT_DYNCREATE(CJVKControls, CCmdTarget)

CJVKControls::CJVKControls() { __atomic_add_fetch(&g_nLiveCollections, 1, __ATOMIC_ACQ_REL); }

CJVKControls::~CJVKControls() {
  RemoveAll();
  if (m_pOriginalControls) m_pOriginalControls->InternalRelease();
  __atomic_sub_fetch(&g_nLiveCollections, 1, __ATOMIC_ACQ_REL);
}

LONG CJVKControls::GetLiveCount() { return __atomic_load_n(&g_nLiveCollections, __ATOMIC_ACQUIRE); }

CJVKControl* CJVKControls::CreateSpecialButton(int nID) {
  auto it = SpecialButtons().find(nID);
  return it != SpecialButtons().end() ? it->second(jvkControlButton, nID) : nullptr;
}

CJVKControl* CJVKControls::CreateControl(int nType, int nID) {
  if (nType < 1 || nType > 8 || Factories()[nType] == nullptr) return nullptr;
  if (nType == jvkControlButton) {
    if (CJVKControl* pSpecial = CreateSpecialButton(nID)) return pSpecial;
  }
  return Factories()[nType](nType, nID);
}

void CJVKControls::SetFactory(int nType, ControlFactory pfnFactory) {
  if (nType >= 1 && nType <= 8) Factories()[nType] = pfnFactory;
}

void CJVKControls::SetSpecialButtonFactory(int nID, ControlFactory pfnFactory) {
  if (pfnFactory)
    SpecialButtons()[nID] = pfnFactory;
  else
    SpecialButtons().erase(nID);
}

void CJVKControls::RefreshIndexes() {
  for (int i = 0; i < GetCount(); ++i) {
    CJVKControl* pControl = m_arrControls[i];
    pControl->m_nIndex = i;
    pControl->m_pControls = this;
    pControl->SetParent(m_pParent);
  }
  if (m_pParent) m_pParent->OnControlsChanged();
}

void CJVKControls::SetParent(CJVKControlParentBar* pParent) {
  m_pParent = pParent;
  if (GetCount() > 0) RefreshIndexes();
}

CJVKControlCommandBars* CJVKControls::GetCommandBars() const {
  if (m_pCommandBars) return m_pCommandBars;
  return m_pParent ? m_pParent->GetCommandBars() : nullptr;
}

CWnd* CJVKControls::GetSite() const {
  CJVKControlParentBar* pBar = m_pParent;
  while (pBar && pBar->GetParentBar()) pBar = pBar->GetParentBar();
  if (pBar && pBar->GetSite()) return pBar->GetSite();
  CJVKControlCommandBars* pBars = GetCommandBars();
  return pBars ? pBars->GetSite() : nullptr;
}

CJVKControl* CJVKControls::GetAt(int nIndex) const {
  return nIndex >= 0 && nIndex < GetCount() ? m_arrControls[nIndex] : nullptr;
}

CJVKControl* CJVKControls::GetNext(CJVKControl* pControl) const {
  return pControl ? GetAt(pControl->m_nIndex + 1) : nullptr;
}

CJVKControl* CJVKControls::FindControl(int nID) const {
  if (nID == -1) return GetFirst();
  for (int i = 0; i < GetCount(); ++i)
    if (m_arrControls[i]->m_nId == nID) return m_arrControls[i];
  return nullptr;
}

CJVKControl* CJVKControls::HitTest(CPoint pt) const {
  for (int i = 0; i < GetCount(); ++i) {
    CJVKControl* pControl = m_arrControls[i];
    if (pControl->m_dwHideFlags == 0 && pControl->m_rcControl.PtInRect(pt)) return pControl;
  }
  return nullptr;
}

int CJVKControls::GetVisibleCount(BOOL bStrict) const {
  int n = 0;
  for (int i = 0; i < GetCount(); ++i) {
    const DWORD dw = m_arrControls[i]->m_dwHideFlags;
    n += bStrict ? dw == 0 : (dw & ~JVK_HIDE_NO_ROOM) == 0;
  }
  return n;
}

int CJVKControls::GetNextIndex(int nStart, int nStep, BOOL bSkipFlagged, BOOL bSkipTemporary,
                               BOOL bSkipRarelyUsed) const {
  struct Context {
    const CJVKControls* pThis;
    BOOL bFlagged, bTemporary, bRarelyUsed;
  } context = {this, bSkipFlagged, bSkipTemporary, bSkipRarelyUsed};
  return JVKNextControlIndex(
      GetCount(), nStart, nStep,
      [](int nIndex, void* p) {
        const Context& c = *static_cast<Context*>(p);
        return SkipInWalk(c.pThis->GetAt(nIndex), c.bFlagged, c.bTemporary, c.bRarelyUsed);
      },
      &context);
}

void CJVKControls::Insert(CJVKControl* pControl, int nBefore) {
  if (nBefore < 0 || nBefore >= GetCount())
    m_arrControls.Add(pControl);
  else
    m_arrControls.InsertAt(nBefore, pControl);
  RefreshIndexes();
}

CJVKControlParentBar* CJVKControls::MakePopupBar(const CString& strCaption, int nID) {
  if (CWnd* pSite = GetSite(); pSite && pSite->GetSafeHwnd()) {
    JVK_CREATE_POPUP_BAR request;
    request.pBar = nullptr;
    request.bPopup = TRUE;
    request.strCaption = strCaption;
    request.nID = nID;
    if (pSite->SendMessage(JVK_WM_CREATE_POPUP_BAR, 0, reinterpret_cast<LPARAM>(&request)) != 0 &&
        request.pBar != nullptr && request.pBar->GetType() == jvkBarTypePopup)
      return request.pBar;
  }
  CJVKControlCommandBars* pBars = GetCommandBars();
  return pBars ? pBars->CreatePopupBar() : nullptr;
}

CJVKControl* CJVKControls::Add(int nType, int nID, const CString& strParameter, int nBefore, BOOL bTemporary) {
  if (nType == jvkControlCustom) {
    CJVKControl* pCustom = CreateControl(nType, nID);
    if (pCustom == nullptr) return nullptr;
    AddControl(pCustom, nID, strParameter, nBefore, bTemporary);
    pCustom->m_nType = jvkControlCustom;
    return pCustom;
  }
  CJVKControl* pControl = CreateControl(nType, nID);
  if (pControl == nullptr) return nullptr;
  if (nType >= jvkControlPopup && nType <= jvkControlSplitButtonPopup) {
    auto* pPopup = static_cast<CJVKControlPopup*>(pControl);
    CJVKControlParentBar* pBar = nullptr;
    CMenu menu;
    if (nID > 0 && GetResourceManager()->LoadMenu(menu, static_cast<UINT>(nID))) {
      CString strCaption;
      menu.GetMenuString(0, strCaption, MF_BYPOSITION);
      pPopup->SetCaption(strCaption);
      pBar = MakePopupBar(strCaption, nID);
      if (pBar && ::GetSubMenu(menu.m_hMenu, 0)) pBar->GetControls()->LoadMenu(menu.GetSubMenu(0));
    } else if (CJVKControlCommandBars* pBars = GetCommandBars()) {
      pBar = pBars->CreatePopupBar();
    }
    pPopup->SetCommandBar(pBar);
    if (pBar) pBar->ReleaseBarRef();
  }
  if (nType != jvkControlPopup) pControl->SetID(nID);
  pControl->m_nType = nType;
  pControl->m_strParameter = strParameter;
  pControl->m_bTemporary = bTemporary;
  Insert(pControl, nBefore);
  return pControl;
}

CJVKControl* CJVKControls::AddControl(CJVKControl* pControl, int nID, const CString& strParameter, int nBefore,
                                      BOOL bTemporary) {
  pControl->m_strParameter = strParameter;
  pControl->m_bTemporary = bTemporary;
  pControl->SetID(nID);
  Insert(pControl, nBefore);
  return pControl;
}

CJVKControl* CJVKControls::AddClone(CJVKControl* pControl, int nBefore, BOOL bRecursive) {
  CJVKControl* pClone = pControl->Clone(bRecursive);
  Insert(pClone, nBefore);
  return pClone;
}

void CJVKControls::Remove(CJVKControl* pControl) {
  if (pControl == nullptr || pControl->m_nIndex < 0 || pControl->m_nIndex >= GetCount() ||
      m_arrControls[pControl->m_nIndex] != pControl)
    return;
  if (pControl->m_bSelected && m_pParent) m_pParent->SetSelected(-1, FALSE);
  m_arrControls.RemoveAt(pControl->m_nIndex);
  pControl->m_pControls = nullptr;
  pControl->SetParent(nullptr);
  pControl->InternalRelease();
  RefreshIndexes();
}

void CJVKControls::RemoveAt(int nIndex) { Remove(GetAt(nIndex)); }

void CJVKControls::RemoveAll() {
  for (int i = 0; i < GetCount(); ++i) {
    CJVKControl* pControl = m_arrControls[i];
    pControl->m_pControls = nullptr;
    pControl->m_pParent = nullptr;
    pControl->InternalRelease();
  }
  m_arrControls.RemoveAll();
}

CJVKControls* CJVKControls::Duplicate(BOOL bRecursive) {
  auto* pCopy = new CJVKControls;
  pCopy->m_pCommandBars = m_pCommandBars;
  for (int i = 0; i < GetCount(); ++i)
    if (!m_arrControls[i]->m_bTemporary) pCopy->m_arrControls.Add(m_arrControls[i]->Clone(bRecursive));
  pCopy->RefreshIndexes();
  if (m_pOriginalControls) pCopy->m_pOriginalControls = m_pOriginalControls->Duplicate(bRecursive);
  return pCopy;
}

void CJVKControls::CreateOriginalControls() {
  CJVKControls* pOriginal = Duplicate(TRUE);
  if (m_pOriginalControls) m_pOriginalControls->InternalRelease();
  m_pOriginalControls = pOriginal;
}

BOOL CJVKControls::Compare(const CJVKControls* pOther) const {
  if (pOther == nullptr) return FALSE;
  int i = 0, j = 0;
  for (;;) {
    while (i < GetCount() && m_arrControls[i]->m_bTemporary) ++i;
    while (j < pOther->GetCount() && pOther->m_arrControls[j]->m_bTemporary) ++j;
    if (i >= GetCount() || j >= pOther->GetCount()) return i >= GetCount() && j >= pOther->GetCount();
    if (!m_arrControls[i]->Compare(pOther->m_arrControls[j])) return FALSE;
    ++i;
    ++j;
  }
}

BOOL CJVKControls::IsChanged() const { return m_pOriginalControls == nullptr || !Compare(m_pOriginalControls); }

CSize CJVKControls::CalcDynamicSize(CDC* pDC, int nLength, DWORD dwMode, const CRect& rcBorders, int nMinThickness) {
  for (int i = GetCount(); i-- > 0;) m_arrControls[i]->OnCalcDynamicSize(dwMode);
  CJVKControlsLayout layout;
  layout.m_entries.resize(static_cast<size_t>(GetCount()));
  for (int i = 0; i < GetCount(); ++i) {
    CJVKControl* pControl = m_arrControls[i];
    CJVKLayoutEntry& e = layout.m_entries[static_cast<size_t>(i)];
    e.bPresent = (pControl->m_dwHideFlags & ~JVK_HIDE_NO_ROOM) == 0;
    if (!e.bPresent) continue;
    const CSize sz = pControl->GetSize(pDC);
    e.cx = sz.cx;
    e.cy = sz.cy;
    e.bBeginGroup = pControl->m_bBeginGroup;
    e.dwFlags = pControl->m_dwFlags;
    const CRect& rc = pControl->m_rcControl;
    e.rect = {rc.left, rc.top, rc.right, rc.bottom};
  }
  const JVKLayoutBorders borders{rcBorders.left, rcBorders.top, rcBorders.right, rcBorders.bottom};
  const JVKLayoutSize sz =
      layout.Calc(nLength, dwMode, borders, nMinThickness, m_pParent ? m_pParent->GetMRUWidth() : 0);
  if (dwMode & LM_COMMIT) {
    for (int i = 0; i < GetCount(); ++i) {
      const CJVKLayoutEntry& e = layout.m_entries[static_cast<size_t>(i)];
      if (!e.bPresent) continue;
      CJVKControl* pControl = m_arrControls[i];
      pControl->SetHideFlag(JVK_HIDE_NO_ROOM, e.bHidden);
      pControl->m_rcRow = CRect(e.rectRow.left, e.rectRow.top, e.rectRow.right, e.rectRow.bottom);
      if (!e.bHidden) pControl->SetRect(CRect(e.rect.left, e.rect.top, e.rect.right, e.rect.bottom));
      pControl->m_bWrap = e.bWrap;
    }
  }
  return CSize(sz.cx, sz.cy);
}

// ---------------------------------------------------------- command UI

CJVKControlCmdUI::CJVKControlCmdUI(CJVKControls* pControls, int nIndex) : m_pControls(pControls) {
  m_nIndex = static_cast<UINT>(nIndex);
  m_nIndexMax = static_cast<UINT>(pControls->GetCount());
  if (CJVKControl* pControl = GetControl()) m_nID = static_cast<UINT>(pControl->m_nId);
}

CJVKControl* CJVKControlCmdUI::GetControl() const { return m_pControls->GetAt(static_cast<int>(m_nIndex)); }

void CJVKControlCmdUI::Enable(BOOL bOn) {
  m_bEnableChanged = TRUE;
  if (CJVKControl* pControl = GetControl()) pControl->SetEnabled(bOn);
}

void CJVKControlCmdUI::SetCheck(int nCheck) {
  if (CJVKControl* pControl = GetControl()) pControl->SetChecked(nCheck != 0);
}

void CJVKControlCmdUI::SetText(LPCTSTR lpszText) {
  if (CJVKControl* pControl = GetControl()) pControl->SetCaption(lpszText);
}
