#include "DockingPaneSplitterContainer.h"

#include "DockingLayoutRecord.h"
#include "DockingPaneLayout.h"
#include "DockingPaneManager.h"
#include "DockingPanePaintManager.h"
#include "DockingPaneSplitterWnd.h"

#include <algorithm>

namespace {

int AlongAxis(const CSize& sz, BOOL bHorizontal) { return bHorizontal ? sz.cx : sz.cy; }

}  // namespace

CJVKDockingPaneSplitterContainer::CJVKDockingPaneSplitterContainer(CJVKDockingPaneLayout* pLayout)
    : CJVKDockingPaneBase(DockingPaneTypeSplitterContainer, pLayout) {}

CJVKDockingPaneSplitterContainer::~CJVKDockingPaneSplitterContainer() {
  DeleteSplitters();
  m_lstPanes.clear();
}

int CJVKDockingPaneSplitterContainer::GetSplitterSize() const {
  const CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  return pManager && pManager->GetPaintManager() ? pManager->GetPaintManager()->m_nSplitterSize : 4;
}

BOOL CJVKDockingPaneSplitterContainer::Contains(const CJVKDockingPaneBase* pPane) const {
  if (pPane == this) return TRUE;
  return std::any_of(m_lstPanes.begin(), m_lstPanes.end(),
                     [pPane](const CJVKDockingPaneBase* pChild) { return pChild->Contains(pPane); });
}

void CJVKDockingPaneSplitterContainer::FindPanes(int nType, CJVKDockingPaneList& lst) {
  for (CJVKDockingPaneBase* pChild : m_lstPanes) {
    if (pChild->IsEmpty()) continue;
    if (pChild->GetType() == nType) {
      lst.push_back(pChild);
    } else {
      pChild->FindPanes(nType, lst);
    }
  }
}

void CJVKDockingPaneSplitterContainer::GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const {
  std::vector<SplitterMinMax> limits;
  for (const CJVKDockingPaneBase* pChild : m_lstPanes) {
    if (pChild->IsEmpty()) continue;
    MINMAXINFO mmi;
    pChild->GetMinMaxInfo(&mmi);
    limits.push_back({mmi.ptMinTrackSize.x, mmi.ptMinTrackSize.y, mmi.ptMaxTrackSize.x, mmi.ptMaxTrackSize.y});
  }
  const SplitterMinMax combined = CombineSplitterMinMax(limits, m_bHorizontal != FALSE, GetSplitterSize());
  ZeroMemory(pMinMaxInfo, sizeof(MINMAXINFO));
  pMinMaxInfo->ptMinTrackSize = CPoint(combined.nMinX, combined.nMinY);
  pMinMaxInfo->ptMaxTrackSize = CPoint(combined.nMaxX, combined.nMaxY);
}

void CJVKDockingPaneSplitterContainer::OnChildAttached(CJVKDockingPaneBase* pChild) {
  if (m_pParentContainer) m_pParentContainer->OnChildAttached(pChild);
  UpdateSplitters();
  DelayLayoutSite();
}

BOOL CJVKDockingPaneSplitterContainer::OnAttachedTo(CJVKDockingPaneBase* pContainer) {
  m_pSite = pContainer->GetDockingSite();
  UpdateSplitters();
  for (CJVKDockingPaneBase* pChild : m_lstPanes) pChild->OnAttachedTo(pContainer);
  return TRUE;
}

BOOL CJVKDockingPaneSplitterContainer::ExchangeRecord(DockingNodeRecord& rec, BOOL bLoading,
                                                      const CJVKDockingPaneNumbers* pNumbers) {
  CJVKDockingPaneBase::ExchangeRecord(rec, bLoading, pNumbers);
  if (!bLoading) {
    rec.bHoriz = m_bHorizontal;
    rec.children.clear();
    for (const CJVKDockingPaneBase* pChild : m_lstPanes) rec.children.push_back(pChild->m_nIndex);
    return TRUE;
  }
  m_bHorizontal = rec.bHoriz;
  for (LONG nChild : rec.children) {
    auto it = pNumbers->find(nChild);
    if (it == pNumbers->end()) return FALSE;
    m_lstPanes.push_back(it->second);
    it->second->SetParentContainer(this);
  }
  return TRUE;
}

CJVKDockingPaneBase* CJVKDockingPaneSplitterContainer::Clone(CJVKDockingPaneLayout* pLayout, CJVKDockingPaneMap* pMap,
                                                             DWORD) {
  auto* pClone = static_cast<CJVKDockingPaneSplitterContainer*>(
      pLayout->GetManager()->CreatePaneObject(DockingPaneTypeSplitterContainer, pLayout));
  if (!pClone) return nullptr;
  pClone->CopyFrom(this, pMap);
  if (pMap) (*pMap)[this] = pClone;
  return pClone;
}

void CJVKDockingPaneSplitterContainer::CopyFrom(const CJVKDockingPaneSplitterContainer* pSource,
                                                CJVKDockingPaneMap* pMap) {
  m_bHorizontal = pSource->m_bHorizontal;
  m_pSite = GetDockingPaneManager()->GetSite();
  for (CJVKDockingPaneBase* pChild : pSource->m_lstPanes) {
    if (!pMap && pChild->IsEmpty()) continue;
    CJVKDockingPaneBase* pClone = pChild->Clone(m_pLayout, pMap);
    if (pClone) InsertPane(pClone, nullptr, TRUE);
  }
  m_szDocking = pSource->m_szDocking;
  m_rcWindow = pSource->m_rcWindow;
}

void CJVKDockingPaneSplitterContainer::RemovePane(CJVKDockingPaneBase* pPane) {
  auto it = std::find(m_lstPanes.begin(), m_lstPanes.end(), pPane);
  if (it == m_lstPanes.end()) return;
  m_lstPanes.erase(it);
  UpdateSplitters();
  DelayLayoutSite();
  if (m_pParentContainer) m_pParentContainer->OnChildAttached(this);
  pPane->SetParentContainer(nullptr);
  if (m_lstPanes.empty() && m_pParentContainer) m_pParentContainer->RemovePane(this);
}

BOOL CJVKDockingPaneSplitterContainer::IsEmpty() const {
  return std::all_of(m_lstPanes.begin(), m_lstPanes.end(),
                     [](const CJVKDockingPaneBase* pChild) { return pChild->IsEmpty(); });
}

CJVKDockingPaneSplitterWnd* CJVKDockingPaneSplitterContainer::CreateSplitterWnd() {
  return new CJVKDockingPaneSplitterWnd();
}

void CJVKDockingPaneSplitterContainer::Adopt(CJVKDockingPaneBase* pPane) {
  pPane->SetParentContainer(this);
  pPane->SetSite(m_pSite);
  DelayLayoutSite();
  UpdateSplitters();
  if (m_pParentContainer) m_pParentContainer->OnChildAttached(pPane);
}

void CJVKDockingPaneSplitterContainer::Init(CJVKDockingPaneBase* pPane, BOOL bHorizontal, CWnd* pSite) {
  m_bHorizontal = bHorizontal;
  m_pSite = pSite;
  m_lstPanes.push_back(pPane);
  Adopt(pPane);
  pPane->OnAttachedTo(this);
  m_szDocking = pPane->m_szDocking;
}

BOOL CJVKDockingPaneSplitterContainer::InsertPane(CJVKDockingPaneBase* pPane, CJVKDockingPaneBase* pNeighbour,
                                                  BOOL bAfter) {
  auto it = std::find(m_lstPanes.begin(), m_lstPanes.end(), pNeighbour);
  if (it == m_lstPanes.end()) {
    it = bAfter ? m_lstPanes.end() : m_lstPanes.begin();
  } else if (bAfter) {
    ++it;
  }
  m_lstPanes.insert(it, pPane);
  Adopt(pPane);
  return pPane->OnAttachedTo(this);
}

void CJVKDockingPaneSplitterContainer::ReplacePane(CJVKDockingPaneBase* pOld, CJVKDockingPaneBase* pNew) {
  auto it = std::find(m_lstPanes.begin(), m_lstPanes.end(), pOld);
  if (it == m_lstPanes.end()) return;
  *it = pNew;
  pNew->SetParentContainer(this);
  UpdateSplitters();
  if (m_pParentContainer) m_pParentContainer->OnChildAttached(pNew);
}

void CJVKDockingPaneSplitterContainer::DeleteSplitters() {
  for (CJVKDockingPaneSplitterWnd* pSplitter : m_lstSplitters) delete pSplitter;
  m_lstSplitters.clear();
}

void CJVKDockingPaneSplitterContainer::UpdateSplitters() {
  if (m_bRecalcLayout) return;
  DeleteSplitters();
  if (m_lstPanes.size() < 2) return;
  CJVKDockingPaneBase* pBefore = nullptr;
  for (CJVKDockingPaneBase* pChild : m_lstPanes) {
    if (pChild->IsEmpty()) continue;
    if (pBefore) {
      CJVKDockingPaneSplitterWnd* pSplitter = CreateSplitterWnd();
      pSplitter->Create(this, pBefore, pChild);
      m_lstSplitters.push_back(pSplitter);
    }
    pBefore = pChild;
  }
}

void CJVKDockingPaneSplitterContainer::SaveSizes() {
  const int nLength = m_bHorizontal ? m_rcWindow.Width() : m_rcWindow.Height();
  (m_bHorizontal ? m_szDocking.cx : m_szDocking.cy) = nLength;
  for (CJVKDockingPaneBase* pChild : m_lstPanes) {
    if (pChild->IsEmpty()) continue;
    const CRect rc = pChild->GetPaneWindowRect();
    (m_bHorizontal ? pChild->m_szDocking.cx : pChild->m_szDocking.cy) = m_bHorizontal ? rc.Width() : rc.Height();
  }
}

BOOL CJVKDockingPaneSplitterContainer::IsPaneBefore(const CJVKDockingPaneBase* pPane,
                                                    const CJVKDockingPaneBase* pStop) const {
  for (const CJVKDockingPaneBase* pChild : m_lstPanes) {
    if (pChild == pStop) return FALSE;
    if (pChild == pPane) return TRUE;
  }
  return FALSE;
}

std::vector<SplitterChild> CJVKDockingPaneSplitterContainer::MeasureChildren(const CJVKDockingPaneList& lst,
                                                                             int* pFiller) const {
  const CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  const CJVKDockingPaneBase* pClient = m_pLayout ? m_pLayout->m_pClient : nullptr;
  std::vector<SplitterChild> children;
  *pFiller = -1;
  for (const CJVKDockingPaneBase* pChild : lst) {
    MINMAXINFO mmi;
    pChild->GetMinMaxInfo(&mmi);
    SplitterChild child;
    child.nStored = AlongAxis(pChild->m_szDocking, m_bHorizontal);
    child.nMin = m_bHorizontal ? mmi.ptMinTrackSize.x : mmi.ptMinTrackSize.y;
    child.nMax = m_bHorizontal ? mmi.ptMaxTrackSize.x : mmi.ptMaxTrackSize.y;
    if (*pFiller < 0 && pClient && pChild->Contains(pClient) &&
        (!pManager->m_bHideClient || (pChild->m_szDocking.cx == 0 && pChild->m_szDocking.cy == 0)))
      *pFiller = static_cast<int>(children.size());
    children.push_back(child);
  }
  return children;
}

void CJVKDockingPaneSplitterContainer::RecalcLayout(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* lpLayout) {
  m_pSite = pSite;
  m_rcWindow = rc;
  CJVKDockingPaneList lst;
  for (CJVKDockingPaneBase* pChild : m_lstPanes)
    if (!pChild->IsEmpty()) lst.push_back(pChild);

  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  CJVKDockingPaneBase* pClient = m_pLayout ? m_pLayout->m_pClient : nullptr;
  if (pManager->m_bHideClient && pClient) {
    for (CJVKDockingPaneBase* pChild : m_lstPanes) {
      if (pChild->Contains(pClient)) pClient->OnSetPosition(pSite, CRect(0, 0, 0, 0), lpLayout);
    }
  }
  if (lst.empty()) return;
  if (lst.size() == 1) {
    lst.front()->OnSetPosition(pSite, rc, lpLayout);
    return;
  }
  if (m_bRecalcLayout) return;
  m_bRecalcLayout = TRUE;

  const int nSplitter = GetSplitterSize();
  int nFiller = -1;
  std::vector<SplitterChild> children = MeasureChildren(lst, &nFiller);
  const SplitterDistribution d = DistributeSplitterSpace(children, nFiller, m_bHorizontal ? rc.Width() : rc.Height(),
                                                         nSplitter, true);
  // The filler's stored sizes follow what it was given.
  if (nFiller >= 0) {
    CJVKDockingPaneBase* pFiller = lst[static_cast<size_t>(nFiller)];
    pFiller->m_szDocking = CSize(0, 0);
    (m_bHorizontal ? pFiller->m_szDocking.cx : pFiller->m_szDocking.cy) = children[static_cast<size_t>(nFiller)].nStored;
  }
  const std::vector<SplitterSpan> spans = PlaceSplitterChildren(
      children, d, m_bHorizontal ? rc.left : rc.top, m_bHorizontal ? rc.right : rc.bottom, nSplitter);
  const BOOL bMove = !lpLayout || lpLayout->hDWP != nullptr;
  size_t nSplitterIndex = 0;
  for (size_t i = 0; i < lst.size(); ++i) {
    CRect rcChild = rc;
    CRect rcGap = rc;
    if (m_bHorizontal) {
      rcChild.left = spans[i].nNear;
      rcChild.right = spans[i].nFar;
      rcGap.left = spans[i].nFar;
      rcGap.right = spans[i].nFar + nSplitter;
    } else {
      rcChild.top = spans[i].nNear;
      rcChild.bottom = spans[i].nFar;
      rcGap.top = spans[i].nFar;
      rcGap.bottom = spans[i].nFar + nSplitter;
    }
    lst[i]->OnSetPosition(pSite, rcChild, lpLayout);
    if (i + 1 < lst.size() && bMove && nSplitterIndex < m_lstSplitters.size()) {
      CJVKDockingPaneSplitterWnd* pSplitter = m_lstSplitters[nSplitterIndex++];
      rcGap.IntersectRect(rcGap, rc);
      if (pSplitter->GetSafeHwnd()) {
        pSplitter->SetWindowPos(&CWnd::wndBottom, rcGap.left, rcGap.top, rcGap.Width(), rcGap.Height(),
                                SWP_NOACTIVATE);
        pSplitter->InvalidateRect(nullptr, FALSE);
      }
    }
  }
  m_bRecalcLayout = FALSE;
}

CRect CJVKDockingPaneSplitterContainer::CalcPaneRectInSplitter(CJVKDockingPaneBase* pDragged, int nSide,
                                                               CJVKDockingPaneBase* pNeighbour) {
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  nSide = pManager->MirrorSide(nSide);
  CJVKDockingPaneList lst;
  for (CJVKDockingPaneBase* pChild : m_lstPanes) {
    if (pChild->IsEmpty() || pChild == pDragged) continue;
    const BOOL bAfter = nSide == DockingSideRight || nSide == DockingSideBottom;
    if (pChild == pNeighbour && !bAfter) lst.push_back(pDragged);
    lst.push_back(pChild);
    if (pChild == pNeighbour && bAfter) lst.push_back(pDragged);
  }
  if (std::find(lst.begin(), lst.end(), pDragged) == lst.end()) lst.push_back(pDragged);
  int nFiller = -1;
  std::vector<SplitterChild> children = MeasureChildren(lst, &nFiller);
  const int nSplitter = GetSplitterSize();
  const CRect rc = m_rcWindow;
  const SplitterDistribution d =
      DistributeSplitterSpace(children, nFiller, m_bHorizontal ? rc.Width() : rc.Height(), nSplitter, false);
  const std::vector<SplitterSpan> spans = PlaceSplitterChildren(
      children, d, m_bHorizontal ? rc.left : rc.top, m_bHorizontal ? rc.right : rc.bottom, nSplitter);
  const size_t nIndex = static_cast<size_t>(std::find(lst.begin(), lst.end(), pDragged) - lst.begin());
  CRect rcDragged = rc;
  if (m_bHorizontal) {
    rcDragged.left = spans[nIndex].nNear;
    rcDragged.right = spans[nIndex].nFar;
  } else {
    rcDragged.top = spans[nIndex].nNear;
    rcDragged.bottom = spans[nIndex].nFar;
  }
  if (m_pSite && m_pSite->GetSafeHwnd()) m_pSite->ClientToScreen(&rcDragged);
  return rcDragged;
}

CRect CJVKDockingPaneSplitterContainer::CalcPaneRectBeside(CJVKDockingPaneBase* pNeighbour,
                                                           CJVKDockingPaneBase* pDragged, int nSide) {
  const BOOL bHorizontal = nSide == DockingSideLeft || nSide == DockingSideRight;
  const BOOL bAfter = nSide == DockingSideRight || nSide == DockingSideBottom;
  CRect rc = pNeighbour->GetPaneWindowRect();
  const CJVKDockingPaneManager* pManager = pNeighbour->GetDockingPaneManager();
  const int nSplitter = pManager && pManager->GetPaintManager() ? pManager->GetPaintManager()->m_nSplitterSize : 4;
  std::vector<SplitterChild> children(2);
  const CJVKDockingPaneBase* lst[2] = {bAfter ? pNeighbour : pDragged, bAfter ? pDragged : pNeighbour};
  for (int i = 0; i < 2; ++i) {
    MINMAXINFO mmi;
    lst[i]->GetMinMaxInfo(&mmi);
    children[static_cast<size_t>(i)].nStored = AlongAxis(lst[i]->m_szDocking, bHorizontal);
    children[static_cast<size_t>(i)].nMin = bHorizontal ? mmi.ptMinTrackSize.x : mmi.ptMinTrackSize.y;
    children[static_cast<size_t>(i)].nMax = bHorizontal ? mmi.ptMaxTrackSize.x : mmi.ptMaxTrackSize.y;
  }
  const SplitterDistribution d =
      DistributeSplitterSpace(children, -1, bHorizontal ? rc.Width() : rc.Height(), nSplitter, false);
  const std::vector<SplitterSpan> spans =
      PlaceSplitterChildren(children, d, bHorizontal ? rc.left : rc.top, bHorizontal ? rc.right : rc.bottom, nSplitter);
  const SplitterSpan& span = spans[bAfter ? 1 : 0];
  if (bHorizontal) {
    rc.left = span.nNear;
    rc.right = span.nFar;
  } else {
    rc.top = span.nNear;
    rc.bottom = span.nFar;
  }
  CWnd* pSite = pNeighbour->GetDockingSite();
  if (pSite && pSite->GetSafeHwnd()) pSite->ClientToScreen(&rc);
  return rc;
}
