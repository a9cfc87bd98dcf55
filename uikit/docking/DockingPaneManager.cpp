#include "DockingPaneManager.h"

#include "DockingLayoutRecord.h"
#include "DockingPane.h"
#include "DockingPaneDragContext.h"
#include "DockingPaneLayout.h"
#include "DockingPaneMiniWnd.h"
#include "DockingPanePaintManager.h"
#include "DockingPaneSplitterContainer.h"
#include "DockingPaneTabbedContainer.h"

#include <ToolTipContext.h>
#include <framework/FrameWnd.h>
#include <ole2.h>

#include <algorithm>

namespace {

// Direction 0 left, 1 right, 2 top, 3 bottom: a row for the first two, and
// whether the new group goes after its neighbour.
BOOL IsRowDirection(int nDirection) { return nDirection == DockingSideLeft || nDirection == DockingSideRight; }
BOOL IsAfterDirection(int nDirection) { return nDirection == DockingSideRight || nDirection == DockingSideBottom; }

}  // namespace

BEGIN_MESSAGE_MAP(CJVKDockingPaneManager, CWnd)
  ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
  ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
  ON_WM_SYSCOLORCHANGE()
  ON_WM_SETTINGCHANGE()
END_MESSAGE_MAP()

CJVKDockingPaneManager::CJVKDockingPaneManager() {
  m_pPaintManager = CJVKDockingPanePaintManager::CreateTheme(0);
  m_pToolTipContext = new CJVKToolTipContext;
  m_pDragContext = new CJVKDockingPaneDragContext(this);
  m_bOleInitialized = SUCCEEDED(::OleInitialize(nullptr));
}

CJVKDockingPaneManager::~CJVKDockingPaneManager() {
  if (m_pActivePane) m_pActivePane->InternalRelease();
  m_pActivePane = nullptr;
  delete m_pLayout;
  m_pLayout = nullptr;
  if (m_pPaintManager) m_pPaintManager->InternalRelease();
  if (m_pToolTipContext) m_pToolTipContext->InternalRelease();
  delete m_pDragContext;
  m_pDragContext = nullptr;
  for (auto& icon : m_mapIcons) ::DestroyIcon(icon.second);
  if (GetSafeHwnd()) {
    // The panes' windows wait here, hidden; they belong to the application
    // and go back to the site rather than down with this window.
    if (m_pSite && m_pSite->GetSafeHwnd()) {
      while (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD)) ::SetParent(hChild, m_pSite->GetSafeHwnd());
    }
    DestroyWindow();
  }
  if (m_bOleInitialized) ::OleUninitialize();
}

CJVKDockingPaneLayout* CJVKDockingPaneManager::CreateLayout() { return new CJVKDockingPaneLayout(this); }

CJVKDockingPaneBase* CJVKDockingPaneManager::CreatePaneObject(int nType, CJVKDockingPaneLayout* pLayout) {
  switch (nType) {
    case DockingPaneTypePane: return new CJVKDockingPane(pLayout);
    case DockingPaneTypeTabbedContainer: return new CJVKDockingPaneTabbedContainer(pLayout);
    case DockingPaneTypeSplitterContainer: return new CJVKDockingPaneSplitterContainer(pLayout);
    case DockingPaneTypeMiniWnd: return new CJVKDockingPaneMiniWnd(pLayout);
    case DockingPaneTypeClient: return new CJVKDockingPaneBase(DockingPaneTypeClient, pLayout);
    // Auto-hide panels are not part of this library yet.
    default: return nullptr;
  }
}

void CJVKDockingPaneManager::SetActivePane(BOOL bActive, CJVKDockingPane* pPane) {
  if (bActive) {
    if (!pPane || pPane == m_pActivePane) return;
    CJVKDockingPane* pOld = m_pActivePane;
    m_pActivePane = nullptr;
    if (pOld) {
      NotifyAction(DockingPaneActionDeactivated, pOld);
      pOld->InternalRelease();
    }
    pPane->InternalAddRef();
    m_pActivePane = pPane;
    NotifyAction(DockingPaneActionActivated, pPane);
  } else if (pPane && pPane == m_pActivePane) {
    NotifyAction(DockingPaneActionDeactivated, pPane);
    m_pActivePane = nullptr;
    pPane->InternalRelease();
  }
}

BOOL CJVKDockingPaneManager::InstallDockingPanes(CWnd* pSite) {
  if (m_pSite) return TRUE;
  m_pSite = pSite;
  if (!CWnd::Create(_T("STATIC"), _T(""), WS_CHILD, CRect(0, 0, 0, 0), pSite, 0)) return FALSE;
  m_pLayout = CreateLayout();
  m_pLayout->m_bDetached = FALSE;
  return TRUE;
}

CJVKDockingPaneList CJVKDockingPaneManager::GetPanes() const {
  CJVKDockingPaneList lst;
  if (m_pLayout)
    for (const auto& entry : m_pLayout->m_lstPanes) lst.push_back(entry.pPane);
  return lst;
}

CJVKDockingPane* CJVKDockingPaneManager::CreatePane(UINT nID, CRect rc, int nDirection,
                                                   CJVKDockingPaneBase* pNeighbour) {
  if (!m_pLayout) return nullptr;
  auto* pPane = static_cast<CJVKDockingPane*>(CreatePaneObject(DockingPaneTypePane, m_pLayout));
  pPane->SetPaneId(static_cast<int>(nID));
  pPane->SetInitialRect(rc.left, rc.top, rc.right, rc.bottom);
  CJVKDockingPaneLayout::PaneEntry entry;
  entry.pPane = pPane;
  m_pLayout->m_lstPanes.push_back(entry);
  DockPaneAt(pPane, nDirection, pNeighbour);
  RecordHolders();
  return pPane;
}

CJVKDockingPaneTabbedContainer* CJVKDockingPaneManager::WrapInGroup(CJVKDockingPane* pPane, CWnd* pSite) {
  auto* pGroup = static_cast<CJVKDockingPaneTabbedContainer*>(
      CreatePaneObject(DockingPaneTypeTabbedContainer, m_pLayout));
  pGroup->InitFromPane(pPane, pSite);
  return pGroup;
}

void CJVKDockingPaneManager::DockPaneAt(CJVKDockingPaneBase* pPane, int nDirection, CJVKDockingPaneBase* pNeighbour) {
  if (!pNeighbour || (pNeighbour->GetType() == DockingPaneTypePane &&
                      (static_cast<CJVKDockingPane*>(pNeighbour)->IsClosed() || pNeighbour->IsAutoHidden())))
    pNeighbour = m_pLayout->m_pTopContainer;
  const BOOL bRow = IsRowDirection(nDirection);
  const BOOL bAfter = IsAfterDirection(nDirection);
  if (pPane->GetType() == DockingPaneTypePane)
    pPane = WrapInGroup(static_cast<CJVKDockingPane*>(pPane), pNeighbour->GetDockingSite());

  if (pNeighbour == m_pLayout->m_pTopContainer) {
    auto* pTop = static_cast<CJVKDockingPaneSplitterContainer*>(pNeighbour);
    if (pTop->IsHorizontal() == bRow) {
      pTop->InsertPane(pPane, nullptr, bAfter);
    } else {
      auto* pSplitter = static_cast<CJVKDockingPaneSplitterContainer*>(
          CreatePaneObject(DockingPaneTypeSplitterContainer, m_pLayout));
      pSplitter->Init(pTop, bRow, m_pSite);
      pSplitter->InsertPane(pPane, pTop, bAfter);
      m_pLayout->m_pTopContainer = pSplitter;
    }
  } else {
    if (pNeighbour->GetContainer() && pNeighbour->GetContainer()->GetType() == DockingPaneTypeTabbedContainer)
      pNeighbour = pNeighbour->GetContainer();
    CJVKDockingPaneBase* pParent = pNeighbour->GetContainer();
    if (!pParent || pParent->GetType() != DockingPaneTypeSplitterContainer) return;
    auto* pParentSplitter = static_cast<CJVKDockingPaneSplitterContainer*>(pParent);
    if (pParentSplitter->IsHorizontal() == bRow) {
      pParentSplitter->InsertPane(pPane, pNeighbour, bAfter);
    } else {
      auto* pSplitter = static_cast<CJVKDockingPaneSplitterContainer*>(
          CreatePaneObject(DockingPaneTypeSplitterContainer, m_pLayout));
      pParentSplitter->ReplacePane(pNeighbour, pSplitter);
      pSplitter->Init(pNeighbour, bRow, pNeighbour->GetDockingSite());
      pSplitter->InsertPane(pPane, pNeighbour, bAfter);
    }
  }
  if (m_pSite && m_pSite->GetSafeHwnd() && m_pSite->IsFrameWnd()) static_cast<CFrameWnd*>(m_pSite)->DelayRecalcLayout();
}

void CJVKDockingPaneManager::DetachFromParent(CJVKDockingPaneBase* pPane) {
  if (pPane->GetContainer()) pPane->GetContainer()->RemovePane(pPane);
}

void CJVKDockingPaneManager::AttachPane(CJVKDockingPaneBase* pPane, CJVKDockingPaneBase* pNeighbour) {
  if (!pPane || !pNeighbour) return;
  CJVKDockingPaneBase* pHolder = pNeighbour;
  if (pHolder->GetType() == DockingPaneTypePane) pHolder = pHolder->GetContainer();
  if (!pHolder || pHolder->GetType() != DockingPaneTypeTabbedContainer) return;
  auto* pGroup = static_cast<CJVKDockingPaneTabbedContainer*>(pHolder);
  CJVKDockingPaneList panes;
  if (pPane->GetType() == DockingPaneTypePane) {
    panes.push_back(pPane);
  } else {
    pPane->FindPanes(DockingPaneTypePane, panes);
  }
  for (CJVKDockingPaneBase* p : panes) {
    if (p->GetContainer() == pGroup) continue;
    DetachFromParent(p);
    pGroup->AttachPane(static_cast<CJVKDockingPane*>(p));
  }
  RecordHolders();
}

void CJVKDockingPaneManager::DockPane(CJVKDockingPaneBase* pPane, int nDirection, CJVKDockingPaneBase* pNeighbour) {
  if (!pPane || !m_pLayout) return;
  if (pPane->GetType() == DockingPaneTypeSplitterContainer) {
    auto* pSplitter = static_cast<CJVKDockingPaneSplitterContainer*>(pPane);
    if (pSplitter->GetPanes().size() == 1 && pSplitter->GetPanes().front()->GetType() == DockingPaneTypeTabbedContainer)
      pPane = pSplitter->GetPanes().front();
  }
  if (pPane->GetType() == DockingPaneTypePane) {
    DetachFromParent(pPane);
  } else {
    CJVKDockingPaneBase* pCopy = pPane->Clone(m_pLayout, nullptr);
    if (!pCopy) return;
    pPane = pCopy;
  }
  DockPaneAt(pPane, nDirection, pNeighbour);
  RecordHolders();
}

CJVKDockingPaneMiniWnd* CJVKDockingPaneManager::FloatPane(CJVKDockingPaneBase* pPane, CRect rcScreen) {
  if (!pPane || !m_pLayout) return nullptr;
  if (pPane->GetType() == DockingPaneTypePane) {
    DetachFromParent(pPane);
  } else {
    CJVKDockingPaneBase* pCopy = pPane->Clone(m_pLayout, nullptr);
    if (!pCopy) return nullptr;
    pPane = pCopy;
  }
  auto* pFrame = static_cast<CJVKDockingPaneMiniWnd*>(CreatePaneObject(DockingPaneTypeMiniWnd, m_pLayout));
  pFrame->Init(pPane, rcScreen);
  RecordHolders();
  return pFrame;
}

CJVKDockingPaneMiniWnd* CJVKDockingPaneManager::GetFloatingFrame(const CJVKDockingPaneBase* pNode) {
  return pNode ? dynamic_cast<CJVKDockingPaneMiniWnd*>(pNode->GetDockingSite()) : nullptr;
}

std::vector<CJVKDockingPaneMiniWnd*> CJVKDockingPaneManager::GetFloatingFrames() const {
  std::vector<CJVKDockingPaneMiniWnd*> frames;
  if (m_pLayout)
    for (CJVKDockingPaneBase* pNode : m_pLayout->m_lstObjects)
      if (pNode->GetType() == DockingPaneTypeMiniWnd) frames.push_back(static_cast<CJVKDockingPaneMiniWnd*>(pNode));
  return frames;
}

CWnd* CJVKDockingPaneManager::SiteOf(CJVKDockingPaneBase* pNode) const {
  for (CJVKDockingPaneBase* p = pNode; p; p = p->GetContainer())
    if (p->GetType() == DockingPaneTypeMiniWnd && p != pNode) return static_cast<CJVKDockingPaneMiniWnd*>(p);
  return m_pSite;
}

BOOL CJVKDockingPaneManager::TogglePaneDocking(CJVKDockingPane* pPane, CJVKDockingPaneTabbedContainer* pHolder) {
  if (pPane->IsClosed()) return FALSE;
  const BOOL bDocked = !GetFloatingFrame(pPane) && !pPane->IsAutoHidden();
  if (bDocked && (pPane->GetOptions() & DockingPaneNoFloatable)) return FALSE;
  // A holder that left every tree (its frame or splitter went) takes no pane
  // while floating; docking, it goes back to the frame with the pane.
  const BOOL bOrphan = pHolder && !pHolder->GetContainer();
  if (bOrphan && bDocked) pHolder = nullptr;
  if (NotifyAction(bDocked ? DockingPaneActionFloating : DockingPaneActionDocking, pPane, pHolder)) return FALSE;
  if (pHolder) {
    m_bRedocking = TRUE;
    AttachPane(pPane, pHolder);
    if (bOrphan) {
      DockPaneAt(pHolder, DockingSideLeft, nullptr);
      RecordHolders();
    }
    m_bRedocking = FALSE;
  } else {
    CRect rc = pPane->GetContainer()->GetPaneWindowRect();
    CWnd* pWnd = pPane->GetContainer()->GetWindow();
    if (pWnd && pWnd->GetSafeHwnd()) {
      pWnd->GetWindowRect(&rc);
    } else if (CWnd* pSite = pPane->GetDockingSite(); pSite && pSite->GetSafeHwnd()) {
      pSite->ClientToScreen(&rc);
    }
    FloatPane(pPane, rc);
  }
  NotifyAction(bDocked ? DockingPaneActionFloated : DockingPaneActionDocked, pPane);
  return TRUE;
}

BOOL CJVKDockingPaneManager::ToggleDocking(CJVKDockingPaneBase* pObject) {
  if (!pObject || !m_pLayout) return FALSE;
  auto holderOf = [this](CJVKDockingPane* pPane) -> CJVKDockingPaneTabbedContainer* {
    const CJVKDockingPaneLayout::PaneEntry* pEntry = m_pLayout->FindEntry(pPane);
    if (!pEntry) return nullptr;
    const BOOL bDocked = !GetFloatingFrame(pPane) && !pPane->IsAutoHidden();
    return bDocked ? pEntry->pFloatingHolder : pEntry->pDockingHolder;
  };
  if (pObject->GetType() == DockingPaneTypePane) {
    auto* pPane = static_cast<CJVKDockingPane*>(pObject);
    return TogglePaneDocking(pPane, holderOf(pPane));
  }
  if (pObject->GetType() != DockingPaneTypeTabbedContainer && pObject->GetType() != DockingPaneTypeSplitterContainer)
    return FALSE;
  CJVKDockingPaneList panes;
  pObject->FindPanes(DockingPaneTypePane, panes);
  CJVKDockingPane* pFocused = nullptr;
  CJVKDockingPane* pSelected = nullptr;
  for (CJVKDockingPaneBase* pNode : panes) {
    auto* pPane = static_cast<CJVKDockingPane*>(pNode);
    if (!pFocused && pPane->IsFocused()) pFocused = pPane;
    if (!pSelected && pPane->IsSelected()) pSelected = pPane;
  }
  BOOL bMoved = FALSE;
  CJVKDockingPaneTabbedContainer* pPrevious = nullptr;
  for (CJVKDockingPaneBase* pNode : panes) {
    auto* pPane = static_cast<CJVKDockingPane*>(pNode);
    CJVKDockingPaneTabbedContainer* pHolder = holderOf(pPane);
    if (!pHolder) pHolder = pPrevious;
    if (TogglePaneDocking(pPane, pHolder)) {
      bMoved = TRUE;
      pPrevious = dynamic_cast<CJVKDockingPaneTabbedContainer*>(pPane->GetContainer());
    } else {
      if (pPane == pFocused) pFocused = nullptr;
      if (pPane == pSelected) pSelected = nullptr;
    }
  }
  if (pFocused && pFocused->GetID() > 0) {
    ShowPane(static_cast<UINT>(pFocused->GetID()));
  } else if (pSelected && pSelected->GetID() > 0) {
    ShowPane(static_cast<UINT>(pSelected->GetID()));
  }
  return bMoved;
}

CJVKDockingPane* CJVKDockingPaneManager::FindPane(UINT nID) const {
  if (!m_pLayout) return nullptr;
  for (const auto& entry : m_pLayout->m_lstPanes)
    if (entry.pPane->GetID() == static_cast<int>(nID)) return entry.pPane;
  return nullptr;
}

void CJVKDockingPaneManager::ShowPane(CJVKDockingPane* pPane) {
  if (!pPane || !m_pLayout) return;
  if (auto* pGroup = dynamic_cast<CJVKDockingPaneTabbedContainer*>(pPane->GetContainer())) {
    pGroup->SelectPane(pPane, TRUE, TRUE);
  } else if (pPane->IsClosed()) {
    CJVKDockingPaneLayout::PaneEntry* pEntry = m_pLayout->FindEntry(pPane);
    CJVKDockingPaneTabbedContainer* pHolder = pEntry ? pEntry->pLastHolder : nullptr;
    if (pHolder && std::find(m_pLayout->m_lstObjects.begin(), m_pLayout->m_lstObjects.end(), pHolder) !=
                       m_pLayout->m_lstObjects.end()) {
      if (pHolder->GetContainer() || pHolder == m_pLayout->m_pTopContainer) {
        pHolder->AttachPane(pPane);
      } else {
        // The holder left the tree when it was emptied: it docks again.
        pHolder->AttachPane(pPane);
        DockPaneAt(pHolder, DockingSideLeft, nullptr);
      }
    } else {
      DockPaneAt(pPane, DockingSideLeft, nullptr);
    }
    RecordHolders();
  }
  if (!m_bLaidOut) return;
  pPane->ShowChild(TRUE);
  pPane->SetFocus();
}

void CJVKDockingPaneManager::ClosePane(CJVKDockingPane* pPane) {
  if (!pPane) return;
  if (Notify(DockingPaneNotifyClosing, reinterpret_cast<LPARAM>(pPane)) == -1) return;
  if (m_pActivePane == pPane) SetActivePane(FALSE, pPane);
  DetachFromParent(pPane);
}

void CJVKDockingPaneManager::HidePane(CJVKDockingPaneBase* pPane) {
  // Auto-hiding moves groups into auto-hide panels, which this library does
  // not make yet (CanAutoHide): nothing happens.
  (void)pPane;
}

BOOL CJVKDockingPaneManager::SetIcons(UINT nBitmapID, const int* pIDs, int nCount, COLORREF crMask) {
  HIMAGELIST hList = ::ImageList_Create(16, 16, ILC_MASK | ILC_COLOR24, nCount, 1);
  if (!hList) return FALSE;
  HBITMAP hBitmap = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(nBitmapID));
  if (hBitmap) {
    ::ImageList_AddMasked(hList, hBitmap, crMask);
    ::DeleteObject(hBitmap);
  }
  const BOOL bFits = ::ImageList_GetImageCount(hList) == nCount;
  if (bFits) {
    for (int i = 0; i < nCount; ++i)
      if (pIDs[i] > 0) SetIcon(static_cast<UINT>(pIDs[i]), ::ImageList_GetIcon(hList, i, ILD_NORMAL));
  }
  ::ImageList_Destroy(hList);
  return bFits;
}

void CJVKDockingPaneManager::SetIcon(UINT nID, HICON hIcon) {
  auto it = m_mapIcons.find(nID);
  if (it != m_mapIcons.end()) ::DestroyIcon(it->second);
  m_mapIcons[nID] = hIcon;
}

HICON CJVKDockingPaneManager::GetIcon(UINT nID, int) const {
  auto it = m_mapIcons.find(nID);
  return it == m_mapIcons.end() ? nullptr : it->second;
}

void CJVKDockingPaneManager::SetTheme(int nTheme) {
  if (m_pPaintManager) m_pPaintManager->InternalRelease();
  m_pPaintManager = CJVKDockingPanePaintManager::CreateTheme(nTheme);
  m_bThemeGuides = m_pPaintManager->m_nTheme == 9;
  RedrawPanes();
}

void CJVKDockingPaneManager::SetHideClient(BOOL bHide) {
  if (m_pSite && m_pSite->GetSafeHwnd() && m_pSite->IsFrameWnd()) static_cast<CFrameWnd*>(m_pSite)->RecalcLayout();
  m_bHideClient = bHide;
  if (m_pLayout && m_pLayout->m_pTopContainer)
    static_cast<CJVKDockingPaneSplitterContainer*>(m_pLayout->m_pTopContainer)->UpdateSplitters();
  RedrawPanes();
}

int CJVKDockingPaneManager::MirrorSide(int nSide) const {
  if (!m_pSite || !m_pSite->GetSafeHwnd() || !(m_pSite->GetExStyle() & WS_EX_LAYOUTRTL)) return nSide;
  if (nSide == DockingSideLeft) return DockingSideRight;
  if (nSide == DockingSideRight) return DockingSideLeft;
  return nSide;
}

int CJVKDockingPaneManager::GetPaneSide(const CJVKDockingPaneBase* pPane) const {
  return m_pLayout ? MirrorSide(m_pLayout->GetPaneSide(pPane)) : DockingSideLeft;
}

CRect CJVKDockingPaneManager::CalcDockRect(CJVKDockingPaneBase* pPane, int nDirection, CJVKDockingPaneBase* pNeighbour) {
  if (!pNeighbour || pNeighbour == m_pLayout->m_pTopContainer)
    return static_cast<CJVKDockingPaneSplitterContainer*>(m_pLayout->m_pTopContainer)
        ->CalcPaneRectInSplitter(pPane, nDirection, nullptr);
  if (pNeighbour->GetContainer() && pNeighbour->GetContainer()->GetType() == DockingPaneTypeTabbedContainer)
    pNeighbour = pNeighbour->GetContainer();
  CJVKDockingPaneBase* pParent = pNeighbour->GetContainer();
  if (pParent && pParent->GetType() == DockingPaneTypeSplitterContainer &&
      static_cast<CJVKDockingPaneSplitterContainer*>(pParent)->IsHorizontal() == IsRowDirection(nDirection))
    return static_cast<CJVKDockingPaneSplitterContainer*>(pParent)->CalcPaneRectInSplitter(pPane, nDirection,
                                                                                          pNeighbour);
  return CJVKDockingPaneSplitterContainer::CalcPaneRectBeside(pNeighbour, pPane, nDirection);
}

LRESULT CJVKDockingPaneManager::Notify(int nCode, LPARAM lParam) {
  if (!m_pSite || !m_pSite->GetSafeHwnd()) return 0;
  return m_pSite->SendMessage(DockingPaneNotify, static_cast<WPARAM>(nCode), lParam);
}

BOOL CJVKDockingPaneManager::NotifyAction(int nAction, CJVKDockingPane* pPane, CJVKDockingPaneBase* pContainer,
                                          int nParam) {
  DockingPaneAction record = {nAction, FALSE, pPane, pContainer, nParam};
  Notify(DockingPaneNotifyAction, reinterpret_cast<LPARAM>(&record));
  return record.cancel;
}

void CJVKDockingPaneManager::RedrawPanes() {
  if (m_pSite && m_pSite->GetSafeHwnd() && m_pSite->IsFrameWnd()) {
    auto* pFrame = static_cast<CFrameWnd*>(m_pSite);
    pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
  }
  for (CJVKDockingPaneMiniWnd* pFrame : GetFloatingFrames()) {
    pFrame->m_nIdleFlags |= CFrameWnd::idleLayout | CFrameWnd::idleNotify;
    pFrame->Restyle();
  }
}

void CJVKDockingPaneManager::SetThemedFloatingFrames(BOOL bThemed) {
  m_bThemedFloatingFrames = bThemed;
  for (CJVKDockingPaneMiniWnd* pFrame : GetFloatingFrames()) pFrame->Restyle();
}

void CJVKDockingPaneManager::RecordHolders() {
  if (!m_pLayout) return;
  for (auto& entry : m_pLayout->m_lstPanes) {
    CJVKDockingPaneBase* pContainer = entry.pPane->GetContainer();
    if (!pContainer || pContainer->IsAutoHidden() || pContainer->GetType() != DockingPaneTypeTabbedContainer) continue;
    auto* pGroup = static_cast<CJVKDockingPaneTabbedContainer*>(pContainer);
    entry.pLastHolder = pGroup;
    CWnd* pSite = entry.pPane->GetDockingSite();
    if (pSite && pSite != m_pSite) {
      entry.pFloatingHolder = pGroup;
    } else {
      entry.pDockingHolder = pGroup;
    }
  }
}

void CJVKDockingPaneManager::SaveLayout(CJVKPropExchange* pPX) {
  if (m_pLayout) m_pLayout->Save(pPX);
}

BOOL CJVKDockingPaneManager::LoadLayout(CJVKPropExchange* pPX) {
  if (!m_pLayout) return FALSE;
  DockingLayoutRecord rec;
  if (!ExchangeDockingLayout(pPX, rec)) return FALSE;
  CJVKDockingPaneLayout* pLoaded = CreateLayout();
  if (!pLoaded->Build(rec)) {
    delete pLoaded;
    return FALSE;
  }
  // The application's windows go over to the loaded panes of the same ids.
  std::map<int, HWND> windows;
  for (const auto& entry : m_pLayout->m_lstPanes)
    if (entry.pPane->m_hwndChild) windows[entry.pPane->GetID()] = entry.pPane->m_hwndChild;
  SetActivePane(FALSE, m_pActivePane);
  delete m_pLayout;
  m_pLayout = pLoaded;
  m_pLayout->m_bDetached = FALSE;
  for (auto& entry : m_pLayout->m_lstPanes) {
    auto it = windows.find(entry.pPane->GetID());
    if (it != windows.end()) entry.pPane->m_hwndChild = it->second;
  }
  // Windows of the live layout: floating frames, the groups, then the
  // splitter bars between them. A node inside a floating frame lies in the
  // frame's coordinates.
  for (CJVKDockingPaneBase* pNode : m_pLayout->m_lstObjects) pNode->SetSite(SiteOf(pNode));
  for (CJVKDockingPaneMiniWnd* pFrame : GetFloatingFrames()) pFrame->CreateLoaded();
  for (CJVKDockingPaneBase* pNode : m_pLayout->m_lstObjects) {
    if (pNode->GetType() != DockingPaneTypeTabbedContainer) continue;
    auto* pGroup = static_cast<CJVKDockingPaneTabbedContainer*>(pNode);
    if (pGroup->IsEmpty() || !pGroup->CreateContainerWindow()) continue;
    for (CJVKDockingPane* pPane : pGroup->GetPanes()) pPane->SetParentContainer(pGroup);
    pGroup->RecalcTabs();
  }
  for (CJVKDockingPaneBase* pNode : m_pLayout->m_lstObjects)
    if (pNode->GetType() == DockingPaneTypeSplitterContainer)
      static_cast<CJVKDockingPaneSplitterContainer*>(pNode)->UpdateSplitters();
  for (CJVKDockingPaneMiniWnd* pFrame : GetFloatingFrames()) pFrame->OnChildChanged(FALSE);
  if (m_pSite && m_pSite->GetSafeHwnd() && m_pSite->IsFrameWnd()) static_cast<CFrameWnd*>(m_pSite)->RecalcLayout();
  return TRUE;
}

LRESULT CJVKDockingPaneManager::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (!m_pLayout || !m_pLayout->m_pTopContainer) return 0;
  m_pLayout->RecalcLayout(m_pSite, CRect(lpLayout->rect), lpLayout);
  RecordHolders();
  m_bLaidOut = TRUE;
  return 0;
}

LRESULT CJVKDockingPaneManager::OnIdleUpdateCmdUI(WPARAM, LPARAM) {
  if (!m_pLayout) return 0;
  for (const auto& entry : m_pLayout->m_lstPanes)
    if (entry.pPane->GetContainer()) entry.pPane->GetContainer()->UpdateActiveState();
  return 0;
}

void CJVKDockingPaneManager::OnSysColorChange() {
  if (m_pPaintManager) m_pPaintManager->RefreshMetrics();
  RedrawPanes();
}

void CJVKDockingPaneManager::OnSettingChange(UINT, LPCTSTR) {
  if (m_pPaintManager) m_pPaintManager->RefreshMetrics();
  RedrawPanes();
}
