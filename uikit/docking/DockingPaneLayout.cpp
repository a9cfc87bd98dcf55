#include "DockingPaneLayout.h"

#include "DockingLayoutRecord.h"
#include "DockingPane.h"
#include "DockingPaneManager.h"
#include "DockingPaneSplitterContainer.h"
#include "DockingPaneTabbedContainer.h"

#include <PropExchangeArchive.h>

#include <algorithm>
#include <set>

CJVKDockingPaneLayout::CJVKDockingPaneLayout(CJVKDockingPaneManager* pManager) : m_pManager(pManager) {
  m_pClient = m_pManager->CreatePaneObject(DockingPaneTypeClient, this);
  auto* pTop = static_cast<CJVKDockingPaneSplitterContainer*>(
      m_pManager->CreatePaneObject(DockingPaneTypeSplitterContainer, this));
  pTop->Init(m_pClient, TRUE, m_pManager->GetSite());
  m_pTopContainer = pTop;
}

CJVKDockingPaneLayout::~CJVKDockingPaneLayout() { Clear(); }

void CJVKDockingPaneLayout::FreeNode(CJVKDockingPaneBase* pNode) {
  if (pNode->GetType() == DockingPaneTypePane) {
    static_cast<CJVKDockingPane*>(pNode)->InternalRelease();
  } else {
    delete pNode;
  }
}

void CJVKDockingPaneLayout::Clear() {
  // Splitter windows and groups go before the panes whose windows they hold.
  const CJVKDockingPaneList objects = m_lstObjects;
  m_lstObjects.clear();
  for (CJVKDockingPaneBase* pNode : objects) {
    if (pNode->GetType() == DockingPaneTypePane) {
      auto* pPane = static_cast<CJVKDockingPane*>(pNode);
      if (pPane->m_pParentContainer) pPane->SetParentContainer(nullptr);
    }
  }
  for (CJVKDockingPaneBase* pNode : objects) FreeNode(pNode);
  m_lstPanes.clear();
  m_pTopContainer = nullptr;
  m_pClient = nullptr;
  std::fill(std::begin(m_arrPanels), std::end(m_arrPanels), nullptr);
}

void CJVKDockingPaneLayout::DeleteObject(CJVKDockingPaneBase* pNode) {
  m_lstObjects.erase(std::remove(m_lstObjects.begin(), m_lstObjects.end(), pNode), m_lstObjects.end());
  for (PaneEntry& entry : m_lstPanes) {
    if (entry.pFloatingHolder == pNode) entry.pFloatingHolder = nullptr;
    if (entry.pDockingHolder == pNode) entry.pDockingHolder = nullptr;
    if (entry.pLastHolder == pNode) entry.pLastHolder = nullptr;
  }
  FreeNode(pNode);
}

void CJVKDockingPaneLayout::RecalcLayout(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* lpLayout) {
  // Auto-hide panels would take their strips here first; this library makes
  // none yet.
  if (m_pClient) m_pClient->OnSetPosition(pSite, rc, lpLayout);
  if (m_pTopContainer) m_pTopContainer->OnSetPosition(pSite, rc, lpLayout);
}

int CJVKDockingPaneLayout::GetPaneSide(const CJVKDockingPaneBase* pPane) const {
  const CJVKDockingPaneBase* pBranch = pPane;
  for (const CJVKDockingPaneBase* pContainer = pPane ? pPane->GetContainer() : nullptr; pContainer;
       pBranch = pContainer, pContainer = pContainer->GetContainer()) {
    if (pContainer->GetType() != DockingPaneTypeSplitterContainer || !m_pClient || !pContainer->Contains(m_pClient))
      continue;
    const auto* pSplitter = static_cast<const CJVKDockingPaneSplitterContainer*>(pContainer);
    const CJVKDockingPaneBase* pClientBranch = nullptr;
    for (const CJVKDockingPaneBase* pChild : pSplitter->GetPanes())
      if (pChild->Contains(m_pClient)) pClientBranch = pChild;
    if (pClientBranch == pBranch) continue;
    const BOOL bBefore = pSplitter->IsPaneBefore(pBranch, pClientBranch);
    if (pSplitter->IsHorizontal()) return bBefore ? DockingSideLeft : DockingSideRight;
    return bBefore ? DockingSideTop : DockingSideBottom;
  }
  return DockingSideLeft;
}

CJVKDockingPaneLayout::PaneEntry* CJVKDockingPaneLayout::FindEntry(const CJVKDockingPane* pPane) {
  for (PaneEntry& entry : m_lstPanes)
    if (entry.pPane == pPane) return &entry;
  return nullptr;
}

void CJVKDockingPaneLayout::Normalize() {
  std::set<const CJVKDockingPaneBase*> used;
  for (const PaneEntry& entry : m_lstPanes) {
    used.insert(entry.pFloatingHolder);
    used.insert(entry.pDockingHolder);
    used.insert(entry.pPane->GetContainer());
  }
  for (BOOL bChanged = TRUE; bChanged;) {
    bChanged = FALSE;
    for (CJVKDockingPaneBase* pNode : m_lstObjects) {
      CJVKDockingPaneBase* pParent = pNode->GetContainer();
      if (pNode->GetType() == DockingPaneTypeTabbedContainer) {
        if (used.count(pNode)) continue;
        if (pParent) pParent->RemovePane(pNode);
        DeleteObject(pNode);
        bChanged = TRUE;
        break;
      }
      if (pNode->GetType() != DockingPaneTypeSplitterContainer || pNode == m_pTopContainer) continue;
      auto* pSplitter = static_cast<CJVKDockingPaneSplitterContainer*>(pNode);
      if (pSplitter->GetPanes().empty()) {
        if (pParent) pParent->RemovePane(pNode);
        DeleteObject(pNode);
        bChanged = TRUE;
        break;
      }
      if (pSplitter->GetPanes().size() == 1 && pParent && pParent->GetType() == DockingPaneTypeSplitterContainer &&
          static_cast<CJVKDockingPaneSplitterContainer*>(pParent)->GetPanes().size() == 1) {
        auto* pOuter = static_cast<CJVKDockingPaneSplitterContainer*>(pParent);
        CJVKDockingPaneBase* pChild = pSplitter->GetPanes().front();
        pSplitter->m_lstPanes.clear();
        pOuter->ReplacePane(pSplitter, pChild);
        DeleteObject(pNode);
        bChanged = TRUE;
        break;
      }
    }
  }
}

void CJVKDockingPaneLayout::Save(CJVKPropExchange* pPX) {
  Normalize();
  DockingLayoutRecord rec;
  LONG nNumber = 0;
  for (CJVKDockingPaneBase* pNode : m_lstObjects) pNode->m_nIndex = ++nNumber;
  for (CJVKDockingPaneBase* pNode : m_lstObjects) {
    DockingNodeRecord node;
    node.nType = pNode->GetType();
    pNode->ExchangeRecord(node, FALSE, nullptr);
    if (pNode->GetType() == DockingPaneTypePane) {
      if (const PaneEntry* pEntry = FindEntry(static_cast<CJVKDockingPane*>(pNode))) {
        node.nDockingHolder = pEntry->pDockingHolder ? pEntry->pDockingHolder->m_nIndex : 0;
        node.nFloatingHolder = pEntry->pFloatingHolder ? pEntry->pFloatingHolder->m_nIndex : 0;
        node.nLastHolder = pEntry->pLastHolder ? pEntry->pLastHolder->m_nIndex : 0;
      }
    }
    rec.nodes.push_back(node);
  }
  rec.nTopContainer = m_pTopContainer ? m_pTopContainer->m_nIndex : 0;
  rec.nClient = m_pClient ? m_pClient->m_nIndex : 0;
  ExchangeDockingLayout(pPX, rec);
}

BOOL CJVKDockingPaneLayout::Load(CJVKPropExchange* pPX) {
  DockingLayoutRecord rec;
  if (!ExchangeDockingLayout(pPX, rec)) return FALSE;
  return Build(rec);
}

BOOL CJVKDockingPaneLayout::Build(const DockingLayoutRecord& rec) {
  Clear();
  CJVKDockingPaneNumbers numbers;
  for (size_t i = 0; i < rec.nodes.size(); ++i) {
    CJVKDockingPaneBase* pNode = m_pManager->CreatePaneObject(rec.nodes[i].nType, this);
    if (!pNode) return FALSE;
    pNode->m_nIndex = static_cast<int>(i + 1);
    numbers[static_cast<LONG>(i + 1)] = pNode;
  }
  auto holder = [&numbers](LONG nNumber) -> CJVKDockingPaneTabbedContainer* {
    auto it = numbers.find(nNumber);
    if (it == numbers.end() || it->second->GetType() != DockingPaneTypeTabbedContainer) return nullptr;
    return static_cast<CJVKDockingPaneTabbedContainer*>(it->second);
  };
  const CJVKDockingPaneList objects = m_lstObjects;
  for (size_t i = 0; i < objects.size(); ++i) {
    DockingNodeRecord node = rec.nodes[i];
    if (!objects[i]->ExchangeRecord(node, TRUE, &numbers)) return FALSE;
    if (objects[i]->GetType() == DockingPaneTypePane) {
      PaneEntry entry;
      entry.pPane = static_cast<CJVKDockingPane*>(objects[i]);
      entry.pDockingHolder = holder(node.nDockingHolder);
      entry.pFloatingHolder = holder(node.nFloatingHolder);
      entry.pLastHolder = holder(node.nLastHolder);
      m_lstPanes.push_back(entry);
    }
  }
  auto top = numbers.find(rec.nTopContainer);
  auto client = numbers.find(rec.nClient);
  if (top == numbers.end() || client == numbers.end() || client->second->GetType() != DockingPaneTypeClient)
    return FALSE;
  m_pTopContainer = top->second;
  m_pClient = client->second;
  return TRUE;
}

void CJVKDockingPaneLayout::DoPropExchange(CArchive& ar) {
  CJVKPropExchangeArchive px(ar);
  if (ar.IsLoading()) {
    Load(&px);
  } else {
    Save(&px);
  }
}
