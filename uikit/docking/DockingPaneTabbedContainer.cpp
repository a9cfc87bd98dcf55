#include "DockingPaneTabbedContainer.h"

#include "DockingLayoutRecord.h"
#include "DockingPane.h"
#include "DockingPaneCaptionButton.h"
#include "DockingPaneDragContext.h"
#include "DockingPaneLayout.h"
#include "DockingPaneManager.h"
#include "DockingPanePaintManager.h"
#include "DockingPaneSplitterContainer.h"
#include "TabPaintManager.h"

#include <MemDC.h>
#include <ResourceManager.h>
#include <ToolTipContext.h>
#include <framework/OleDropTarget.h>
#include <framework/FrameWnd.h>

#include <algorithm>

// ---------------------------------------------------------------- tab strip

void CJVKDockingTabManager::Reposition() {
  if (m_pContainer->IsUpdating() || !m_pContainer->GetSafeHwnd()) return;
  m_pContainer->GetPaneArea(TRUE);
  m_pContainer->Invalidate();
}

CJVKTabPaintManager* CJVKDockingTabManager::GetPaintManager() const {
  CJVKDockingPaneManager* pManager = m_pContainer->GetDockingPaneManager();
  return pManager && pManager->GetPaintManager() ? pManager->GetPaintManager()->m_pPanelPaintManager : nullptr;
}

void CJVKDockingTabManager::RedrawControl() {
  if (!m_pContainer->IsUpdating()) m_pContainer->Invalidate();
}

BOOL CJVKDockingTabManager::DrawIcon(CDC* pDC, CPoint pt, CJVKTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const {
  CJVKTabPaintManager* pPaint = GetPaintManager();
  if (!pItem || !pPaint || !pPaint->m_bShowIcons) return FALSE;
  auto* pPane = reinterpret_cast<CJVKDockingPane*>(pItem->GetData());
  HICON hIcon = pPane ? pPane->GetIconHandle(szIcon.cx) : nullptr;
  if (!hIcon) return FALSE;
  if (bDraw) ::DrawIconEx(*pDC, pt.x, pt.y, hIcon, szIcon.cx, szIcon.cy, 0, nullptr, DI_NORMAL);
  return TRUE;
}

void CJVKDockingTabManager::OnItemClick(CJVKTabManagerItem* pItem) {
  m_pContainer->SelectPane(reinterpret_cast<CJVKDockingPane*>(pItem->GetData()), TRUE, FALSE);
}

// -------------------------------------------------------------- drop target

namespace {

// Data dragged over a group's tabs brings the tab under it forward; the
// group itself takes no drop.
class CJVKDockingGroupDropTarget : public COleDropTarget {
 public:
  explicit CJVKDockingGroupDropTarget(CJVKDockingPaneTabbedContainer* pContainer) : m_pContainer(pContainer) {}
  DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override {
    return OnDragOver(pWnd, pDataObject, dwKeyState, point);
  }
  DROPEFFECT OnDragOver(CWnd*, COleDataObject*, DWORD, CPoint point) override {
    m_pContainer->OnOleDragOver(point);
    return DROPEFFECT_NONE;
  }

 private:
  CJVKDockingPaneTabbedContainer* m_pContainer;
};

}  // namespace

// ---------------------------------------------------------------- container

BEGIN_MESSAGE_MAP(CJVKDockingPaneTabbedContainer, CWnd)
  ON_WM_PAINT()
  ON_WM_ERASEBKGND()
  ON_WM_LBUTTONDOWN()
  ON_WM_LBUTTONUP()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_RBUTTONDOWN()
  ON_WM_MOUSEMOVE()
  ON_WM_MOUSELEAVE()
  ON_WM_CAPTURECHANGED()
  ON_WM_DESTROY()
END_MESSAGE_MAP()

CJVKDockingPaneTabbedContainer::CJVKDockingPaneTabbedContainer(CJVKDockingPaneLayout* pLayout)
    : CJVKDockingPaneBase(DockingPaneTypeTabbedContainer, pLayout), m_tabs(this) {
  for (UINT nID : {JVK_IDS_DOCKING_CLOSE, JVK_IDS_DOCKING_MAXIMIZE, JVK_IDS_DOCKING_RESTORE, JVK_IDS_DOCKING_AUTOHIDE,
                   JVK_IDS_DOCKING_MENU})
    m_arrCaptionButtons.push_back(new CaptionButton(nID, this));
}

CJVKDockingPaneTabbedContainer::~CJVKDockingPaneTabbedContainer() {
  m_tabs.DeleteAllItems();
  if (GetSafeHwnd()) DestroyWindow();
  if (m_pDropTarget) m_pDropTarget->InternalRelease();
}

void CJVKDockingPaneTabbedContainer::OnDestroy() {
  // Registered with the window: revoked before it goes.
  if (m_pDropTarget) m_pDropTarget->Revoke();
  CWnd::OnDestroy();
}

CaptionButton* CJVKDockingPaneTabbedContainer::FindCaptionButton(UINT nID) const {
  for (CaptionButton* pButton : m_arrCaptionButtons)
    if (pButton->GetID() == nID) return pButton;
  return nullptr;
}

BOOL CJVKDockingPaneTabbedContainer::CreateContainerWindow() {
  if (GetSafeHwnd()) return TRUE;
  if (!m_pLayout || m_pLayout->IsDetached() || !m_pSite || !m_pSite->GetSafeHwnd()) return FALSE;
  if (!CWnd::Create(AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW)), _T(""),
                    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), m_pSite, 0))
    return FALSE;
  // A window made again (after the group was emptied) registers again.
  if (!m_pDropTarget) m_pDropTarget = new CJVKDockingGroupDropTarget(this);
  m_pDropTarget->Register(this);
  return TRUE;
}

void CJVKDockingPaneTabbedContainer::OnOleDragOver(CPoint point) {
  if (!IsTabStripVisible()) return;
  const CJVKTabPaintManager* pPaint = m_tabs.GetPaintManager();
  if (!pPaint || !pPaint->m_bSelectOnDragOver) return;
  const CJVKTabManagerItem* pItem = m_tabs.HitTest(point);
  if (pItem) SelectPane(reinterpret_cast<CJVKDockingPane*>(pItem->GetData()), FALSE, TRUE);
}

void CJVKDockingPaneTabbedContainer::Invalidate() {
  if (GetSafeHwnd()) InvalidateRect(nullptr, FALSE);
}

BOOL CJVKDockingPaneTabbedContainer::Contains(const CJVKDockingPaneBase* pPane) const {
  return pPane == this || std::find(m_lstPanes.begin(), m_lstPanes.end(), pPane) != m_lstPanes.end();
}

void CJVKDockingPaneTabbedContainer::FindPanes(int nType, CJVKDockingPaneList& lst) {
  for (CJVKDockingPane* pPane : m_lstPanes)
    if (pPane->GetType() == nType && !pPane->IsEmpty()) lst.push_back(pPane);
}

void CJVKDockingPaneTabbedContainer::AttachPane(CJVKDockingPane* pPane) {
  CreateContainerWindow();
  m_lstPanes.push_back(pPane);
  pPane->SetParentContainer(this);
  pPane->SetSite(m_pSite);
  DelayLayoutSite();
  SelectPane(pPane, TRUE, TRUE);
  if (m_pParentContainer) m_pParentContainer->OnChildAttached(this);
}

void CJVKDockingPaneTabbedContainer::InitFromPane(CJVKDockingPane* pPane, CWnd* pSite) {
  m_szDocking = pPane->m_szDocking;
  m_rcWindow = pPane->GetPaneWindowRect();
  m_pSite = pSite;
  AttachPane(pPane);
}

void CJVKDockingPaneTabbedContainer::RemovePane(CJVKDockingPaneBase* pNode) {
  auto it = std::find(m_lstPanes.begin(), m_lstPanes.end(), pNode);
  if (it == m_lstPanes.end()) return;
  auto* pPane = *it;
  m_lstPanes.erase(it);
  if (m_pDraggedPane == pPane) EndTabDrag();
  RecalcTabs();
  pPane->SetParentContainer(nullptr);
  if (m_pParentContainer) m_pParentContainer->OnChildAttached(this);
  if (m_lstPanes.empty() && GetSafeHwnd()) DestroyWindow();
  DelayLayoutSite();
  if (m_pSelectedPane == pPane) {
    m_pSelectedPane = nullptr;
    if (!m_lstPanes.empty()) SelectPane(m_lstPanes.back(), TRUE, TRUE);
  }
}

void CJVKDockingPaneTabbedContainer::SelectPane(CJVKDockingPane* pPane, BOOL bFocus, BOOL bLayout) {
  if (pPane != m_pSelectedPane) {
    m_pSelectedPane = pPane;
    if (bLayout) {
      DelayLayoutSite();
      if (m_pParentContainer) m_pParentContainer->OnChildAttached(this);
    } else {
      OnChildChanged(TRUE);
    }
  }
  if (bFocus && m_pSelectedPane) {
    CJVKDockingPaneManager* pManager = GetDockingPaneManager();
    if (m_bActive && pManager) pManager->SetActivePane(TRUE, m_pSelectedPane);
    m_pSelectedPane->SetFocus();
  }
}

BOOL CJVKDockingPaneTabbedContainer::IsCaptionVertical() const {
  const CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  switch (pManager ? pManager->m_nCaptionDirection : 0) {
    case 1: return TRUE;
    case 2: {
      const int nSide = pManager->GetPaneSide(this);
      return nSide == DockingSideTop || nSide == DockingSideBottom;
    }
    case 3: return m_rcWindow.Width() > m_rcWindow.Height();
    default: return FALSE;
  }
}

BOOL CJVKDockingPaneTabbedContainer::IsTabStripVisible() const {
  if (!GetSafeHwnd()) return FALSE;
  const CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  const BOOL bSingle = pManager && pManager->GetPaintManager() && pManager->GetPaintManager()->m_bShowTabsForSinglePane;
  return m_lstPanes.size() > 1 || (bSingle && !m_lstPanes.empty());
}

BOOL CJVKDockingPaneTabbedContainer::HasCaption() const {
  return m_bShowCaption && !(m_pSelectedPane && (m_pSelectedPane->GetOptions() & DockingPaneNoCaption));
}

void CJVKDockingPaneTabbedContainer::ShowCaption(BOOL bShow) {
  if (m_bShowCaption == bShow) return;
  m_bShowCaption = bShow;
  if (GetSafeHwnd()) {
    RecalcTabs();
    ShowPanes(GetPaneArea(TRUE));
    Invalidate();
  }
}

CString CJVKDockingPaneTabbedContainer::GetTitle() const {
  return m_pSelectedPane ? m_pSelectedPane->GetTitle() : CString();
}

BOOL CJVKDockingPaneTabbedContainer::IsAutoHidden() const {
  return m_pParentContainer && m_pParentContainer->GetType() == DockingPaneTypeAutoHidePanel;
}

BOOL CJVKDockingPaneTabbedContainer::CanMaximize() const {
  const CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  if (!pManager || !pManager->m_bShowMaximizeButton || !m_pParentContainer ||
      m_pParentContainer->GetType() != DockingPaneTypeSplitterContainer)
    return FALSE;
  const auto* pSplitter = static_cast<const CJVKDockingPaneSplitterContainer*>(m_pParentContainer);
  return std::count_if(pSplitter->GetPanes().begin(), pSplitter->GetPanes().end(), [](const CJVKDockingPaneBase* p) {
           return p->GetType() == DockingPaneTypeTabbedContainer;
         }) > 1;
}

BOOL CJVKDockingPaneTabbedContainer::GetCaptionButtonState(const CaptionButton* pButton) const {
  const DWORD dwOptions = m_pSelectedPane ? m_pSelectedPane->GetOptions() : 0;
  switch (pButton->GetID()) {
    case JVK_IDS_DOCKING_CLOSE: return m_pSelectedPane && !(dwOptions & DockingPaneNoCloseable);
    case JVK_IDS_DOCKING_MAXIMIZE: return CanMaximize() && !m_bMaximized;
    case JVK_IDS_DOCKING_RESTORE: return CanMaximize() && m_bMaximized;
    case JVK_IDS_DOCKING_AUTOHIDE:
      // Auto-hide panels are not made by this library yet: the button shows
      // only where the factory can make one.
      return m_pSelectedPane && !(dwOptions & DockingPaneNoHideable) &&
             (pButton->GetState() == 1 || pButton->GetState() == 3) && GetDockingPaneManager()->CanAutoHide();
    case JVK_IDS_DOCKING_MENU: return m_pSelectedPane && (dwOptions & DockingPaneHasMenuButton);
    default: return TRUE;
  }
}

void CJVKDockingPaneTabbedContainer::GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const {
  CJVKDockingPaneBase::GetMinMaxInfo(pMinMaxInfo);
  if (m_lstPanes.empty()) return;
  if (m_pParentContainer && m_pParentContainer->GetType() == DockingPaneTypeSplitterContainer) {
    const auto* pSplitter = static_cast<const CJVKDockingPaneSplitterContainer*>(m_pParentContainer);
    for (const CJVKDockingPaneBase* pChild : pSplitter->GetPanes()) {
      if (pChild != this && pChild->GetType() == DockingPaneTypeTabbedContainer &&
          static_cast<const CJVKDockingPaneTabbedContainer*>(pChild)->m_bMaximized) {
        (pSplitter->IsHorizontal() ? pMinMaxInfo->ptMaxTrackSize.x : pMinMaxInfo->ptMaxTrackSize.y) = 0;
        return;
      }
    }
  }
  for (size_t i = 0; i < m_lstPanes.size(); ++i) {
    MINMAXINFO mmi;
    m_lstPanes[i]->GetMinMaxInfo(&mmi);
    if (i == 0) {
      pMinMaxInfo->ptMinTrackSize = mmi.ptMinTrackSize;
      pMinMaxInfo->ptMaxTrackSize = mmi.ptMaxTrackSize;
      continue;
    }
    pMinMaxInfo->ptMinTrackSize.x = std::max(pMinMaxInfo->ptMinTrackSize.x, mmi.ptMinTrackSize.x);
    pMinMaxInfo->ptMinTrackSize.y = std::max(pMinMaxInfo->ptMinTrackSize.y, mmi.ptMinTrackSize.y);
    pMinMaxInfo->ptMaxTrackSize.x = std::min(pMinMaxInfo->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x);
    pMinMaxInfo->ptMaxTrackSize.y = std::min(pMinMaxInfo->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y);
  }
  // The room that caption, tabs and borders take.
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  if (!pManager || !pManager->GetPaintManager()) return;
  CRect rc(0, 0, 1000, 1000);
  pManager->GetPaintManager()->AdjustClientRect(const_cast<CJVKDockingPaneTabbedContainer*>(this), rc, FALSE);
  const int cx = 1000 - rc.Width();
  const int cy = 1000 - rc.Height();
  pMinMaxInfo->ptMinTrackSize.x += cx;
  pMinMaxInfo->ptMinTrackSize.y += cy;
  pMinMaxInfo->ptMaxTrackSize.x += cx;
  pMinMaxInfo->ptMaxTrackSize.y += cy;
}

CRect CJVKDockingPaneTabbedContainer::GetPaneArea(BOOL bLayoutTabs) {
  CRect rc;
  if (GetSafeHwnd()) {
    GetClientRect(&rc);
  } else {
    rc = CRect(0, 0, m_rcWindow.Width(), m_rcWindow.Height());
  }
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  if (pManager && pManager->GetPaintManager()) pManager->GetPaintManager()->AdjustClientRect(this, rc, bLayoutTabs);
  return rc;
}

void CJVKDockingPaneTabbedContainer::ShowPanes(const CRect& rcArea) {
  CRect rcSite = rcArea;
  if (GetSafeHwnd() && m_pSite && m_pSite->GetSafeHwnd()) MapWindowPoints(m_pSite, &rcSite);
  for (CJVKDockingPane* pPane : m_lstPanes) {
    const BOOL bSelected = pPane == m_pSelectedPane;
    pPane->ShowChild(bSelected);
    if (bSelected) pPane->OnSetPosition(m_pSite, rcSite, nullptr);
  }
}

void CJVKDockingPaneTabbedContainer::OnSetPosition(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* lpLayout) {
  m_pSite = pSite;
  m_rcWindow = rc;
  if (lpLayout && lpLayout->hDWP == nullptr) return;
  if (!GetSafeHwnd()) return;
  SetWindowPos(&CWnd::wndBottom, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOACTIVATE);
  InvalidateRect(nullptr, FALSE);
  RecalcTabs();
  if (CaptionButton* pPin = FindCaptionButton(JVK_IDS_DOCKING_AUTOHIDE))
    pPin->SetState(IsAutoHidden() ? 3 : (m_pSite && m_pSite == GetDockingPaneManager()->GetSite() ? 1 : 0));
  ShowPanes(GetPaneArea(TRUE));
}

void CJVKDockingPaneTabbedContainer::OnChildChanged(BOOL bLayout) {
  if (!GetSafeHwnd() || !m_pParentContainer) return;
  if (m_nUpdating == 0) RecalcTabs();
  const CRect rcArea = GetPaneArea(TRUE);
  if (bLayout) ShowPanes(rcArea);
  Invalidate();
  m_pParentContainer->OnChildChanged(bLayout);
}

void CJVKDockingPaneTabbedContainer::RecalcTabs() {
  ++m_nUpdating;
  m_tabs.DeleteAllItems();
  for (CJVKDockingPane* pPane : m_lstPanes) {
    CJVKTabManagerItem* pItem = m_tabs.InsertItem(-1);
    pItem->SetCaption(pPane->GetTabCaption());
    pItem->SetTooltip(pPane->GetTitle());
    pItem->SetColor(pPane->GetItemColor());
    pItem->SetData(reinterpret_cast<DWORD_PTR>(pPane));
    if (pPane == m_pSelectedPane) m_tabs.SetSelectedItem(pItem);
  }
  --m_nUpdating;
  if (GetSafeHwnd()) {
    CPoint pt;
    ::GetCursorPos(&pt);
    ScreenToClient(&pt);
    for (CaptionButton* pButton : m_arrCaptionButtons) pButton->OnMouseMove(pt);
  }
}

void CJVKDockingPaneTabbedContainer::UpdateActiveState() {
  if (GetSafeHwnd()) {
    HWND hFocus = ::GetFocus();
    BOOL bActive = FALSE;
    for (HWND h = hFocus; h && !bActive; h = ::GetWindow(h, GW_OWNER)) {
      bActive = h == m_hWnd || ::IsChild(m_hWnd, h);
    }
    CJVKDockingPaneManager* pManager = GetDockingPaneManager();
    if (bActive != m_bActive) {
      m_bActive = bActive;
      if (pManager) pManager->SetActivePane(bActive, m_pSelectedPane);
      Invalidate();
    } else if (m_bActive && pManager && m_pSelectedPane && pManager->GetActivePane() != m_pSelectedPane) {
      pManager->SetActivePane(TRUE, m_pSelectedPane);
    }
  }
  if (m_pSelectedPane && m_pSelectedPane->m_hwndChild && ::IsWindow(m_pSelectedPane->m_hwndChild))
    ::SendMessage(m_pSelectedPane->m_hwndChild, WM_IDLEUPDATECMDUI, TRUE, 0);
}

void CJVKDockingPaneTabbedContainer::SetSite(CWnd* pSite) {
  const BOOL bChanged = pSite != m_pSite;
  m_pSite = pSite;
  if (bChanged && GetSafeHwnd() && pSite && pSite->GetSafeHwnd()) SetParent(pSite);
  for (CJVKDockingPane* pPane : m_lstPanes) pPane->SetSite(pSite);
}

BOOL CJVKDockingPaneTabbedContainer::OnAttachedTo(CJVKDockingPaneBase* pContainer) {
  SetSite(pContainer->GetDockingSite());
  m_bShowCaption = TRUE;
  if (GetSafeHwnd() && pContainer->GetType() == DockingPaneTypeAutoHidePanel) ShowWindow(SW_HIDE);
  return TRUE;
}

BOOL CJVKDockingPaneTabbedContainer::ExchangeRecord(DockingNodeRecord& rec, BOOL bLoading,
                                                    const CJVKDockingPaneNumbers* pNumbers) {
  CJVKDockingPaneBase::ExchangeRecord(rec, bLoading, pNumbers);
  if (!bLoading) {
    rec.children.clear();
    for (const CJVKDockingPane* pPane : m_lstPanes) rec.children.push_back(pPane->m_nIndex);
    rec.nSelected = m_pSelectedPane ? m_pSelectedPane->m_nIndex : 0;
    return TRUE;
  }
  for (LONG nPane : rec.children) {
    auto it = pNumbers->find(nPane);
    if (it == pNumbers->end() || it->second->GetType() != DockingPaneTypePane) return FALSE;
    auto* pPane = static_cast<CJVKDockingPane*>(it->second);
    m_lstPanes.push_back(pPane);
    pPane->SetParentContainer(this);
    if (it->first == rec.nSelected) m_pSelectedPane = pPane;
  }
  return TRUE;
}

CJVKDockingPaneBase* CJVKDockingPaneTabbedContainer::Clone(CJVKDockingPaneLayout* pLayout, CJVKDockingPaneMap* pMap,
                                                           DWORD dwFlags) {
  auto* pClone = static_cast<CJVKDockingPaneTabbedContainer*>(
      pLayout->GetManager()->CreatePaneObject(DockingPaneTypeTabbedContainer, pLayout));
  if (!pClone) return nullptr;
  pClone->CopyFrom(this, pMap, dwFlags);
  if (pMap) (*pMap)[this] = pClone;
  return pClone;
}

void CJVKDockingPaneTabbedContainer::CopyFrom(CJVKDockingPaneTabbedContainer* pSource, CJVKDockingPaneMap* pMap,
                                              DWORD dwOptions) {
  m_pSite = GetDockingPaneManager()->GetSite();
  m_rcWindow = pSource->m_rcWindow;
  m_szDocking = pSource->m_szDocking;
  m_bShowCaption = TRUE;
  CJVKDockingPane* pSelected = nullptr;
  if (pMap) {
    for (CJVKDockingPane* pPane : pSource->m_lstPanes) {
      auto* pClone = static_cast<CJVKDockingPane*>(pPane->Clone(m_pLayout, pMap));
      if (!pClone) continue;
      AttachPane(pClone);
      if (pPane == pSource->m_pSelectedPane) pSelected = pClone;
    }
  } else {
    const std::vector<CJVKDockingPane*> panes = pSource->m_lstPanes;
    for (CJVKDockingPane* pPane : panes) {
      if (pPane->GetOptions() & dwOptions) continue;
      const BOOL bWasSelected = pPane == pSource->m_pSelectedPane;
      pSource->RemovePane(pPane);
      AttachPane(pPane);
      if (bWasSelected && !pSelected) pSelected = pPane;
    }
  }
  if (pSelected) SelectPane(pSelected, FALSE, TRUE);
}

void CJVKDockingPaneTabbedContainer::Maximize() {
  if (!m_pParentContainer || m_pParentContainer->GetType() != DockingPaneTypeSplitterContainer) return;
  for (CJVKDockingPaneBase* pChild : static_cast<CJVKDockingPaneSplitterContainer*>(m_pParentContainer)->GetPanes()) {
    if (pChild->GetType() == DockingPaneTypeTabbedContainer)
      static_cast<CJVKDockingPaneTabbedContainer*>(pChild)->m_bMaximized = pChild == this;
  }
  GetDockingPaneManager()->RedrawPanes();
}

void CJVKDockingPaneTabbedContainer::Restore() {
  m_bMaximized = FALSE;
  GetDockingPaneManager()->RedrawPanes();
}

int CJVKDockingPaneTabbedContainer::HitTest(CPoint point) const {
  CRect rcClient;
  GetClientRect(&rcClient);
  if (HasCaption() && rcClient.PtInRect(point)) {
    const CRect rcArea = const_cast<CJVKDockingPaneTabbedContainer*>(this)->GetPaneArea(FALSE);
    CRect rcCaption = rcClient;
    if (IsCaptionVertical()) {
      rcCaption.right = rcArea.left;
    } else {
      rcCaption.bottom = rcArea.top;
    }
    if (rcCaption.PtInRect(point)) return -2;
  }
  if (IsTabStripVisible()) {
    const CJVKTabManagerItem* pItem = m_tabs.HitTest(point);
    if (pItem) return pItem->GetIndex();
  }
  return -1;
}

BOOL CJVKDockingPaneTabbedContainer::IsPointInCaption(CPoint ptScreen) const {
  if (!GetSafeHwnd()) return FALSE;
  ScreenToClient(&ptScreen);
  return HitTest(ptScreen) != -1;
}

void CJVKDockingPaneTabbedContainer::OnCaptionLButtonDown(CPoint point) {
  if (m_pSelectedPane) {
    m_pSelectedPane->SetFocus();
  } else {
    CWnd::SetFocus();
  }
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  for (CJVKDockingPaneBase* pPane : pManager->GetPanes()) pPane->UpdateActiveState();
  // The whole group is dragged by its caption.
  ClientToScreen(&point);
  pManager->GetDragContext()->Start(this, point.x, point.y);
}

void CJVKDockingPaneTabbedContainer::ClosePanes() {
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  std::vector<CJVKDockingPane*> panes;
  if (pManager->m_bCloseGroupOnButton) {
    panes = m_lstPanes;
  } else if (m_pSelectedPane) {
    panes.push_back(m_pSelectedPane);
  }
  for (CJVKDockingPane* pPane : panes) {
    if (pPane->GetOptions() & DockingPaneNoCloseable) continue;
    if (pManager->NotifyAction(DockingPaneActionClosing, pPane)) continue;
    pManager->ClosePane(pPane);
    pManager->NotifyAction(DockingPaneActionClosed, pPane);
  }
}

void CJVKDockingPaneTabbedContainer::ToggleAutoHide() {
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  CJVKDockingPane* pPane = m_pSelectedPane;
  if (!pPane || IsAutoHidden()) return;
  if (pManager->NotifyAction(DockingPaneActionAutoHiding, pPane)) return;
  const int nSide = pManager->GetPaneSide(this);
  for (CJVKDockingPane* p : m_lstPanes) {
    if (p->IsEmpty()) continue;
    if (nSide == DockingSideLeft || nSide == DockingSideRight) {
      p->m_szDocking.cx = m_rcWindow.Width();
    } else {
      p->m_szDocking.cy = m_rcWindow.Height();
    }
  }
  pManager->HidePane(pPane);
  pManager->NotifyAction(DockingPaneActionAutoHidden, pPane);
}

void CJVKDockingPaneTabbedContainer::OnCaptionButton(CaptionButton* pButton) {
  switch (pButton->GetID()) {
    case JVK_IDS_DOCKING_CLOSE: ClosePanes(); break;
    case JVK_IDS_DOCKING_MAXIMIZE: Maximize(); break;
    case JVK_IDS_DOCKING_RESTORE: Restore(); break;
    case JVK_IDS_DOCKING_AUTOHIDE: ToggleAutoHide(); break;
    default: break;
  }
}

LRESULT CJVKDockingPaneTabbedContainer::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  if (pManager && pManager->GetToolTipContext())
    pManager->GetToolTipContext()->FilterToolTipMessage(this, message, wParam, lParam);
  return CWnd::WindowProc(message, wParam, lParam);
}

INT_PTR CJVKDockingPaneTabbedContainer::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  for (const CaptionButton* pButton : m_arrCaptionButtons) {
    if (!pButton->IsVisible() || !pButton->GetRect().PtInRect(point)) continue;
    CString strTip;
    GetResourceManager()->LoadString(strTip, pButton->GetID());
    if (pTI) CJVKToolTipContext::FillInToolInfo(pTI, m_hWnd, pButton->GetRect(), pButton->GetID(), strTip);
    return static_cast<INT_PTR>(pButton->GetID());
  }
  if (IsTabStripVisible()) return m_tabs.OnToolHitTest(const_cast<CJVKDockingPaneTabbedContainer*>(this), point, pTI);
  return -1;
}

void CJVKDockingPaneTabbedContainer::OnPaint() {
  CPaintDC dc(this);
  CRect rc;
  GetClientRect(&rc);
  CJVMemDC memDC(&dc, rc);
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  if (pManager && pManager->GetPaintManager()) pManager->GetPaintManager()->DrawPane(&memDC, this, rc);
}

BOOL CJVKDockingPaneTabbedContainer::OnEraseBkgnd(CDC*) { return TRUE; }

void CJVKDockingPaneTabbedContainer::OnLButtonDown(UINT, CPoint point) {
  for (CaptionButton* pButton : m_arrCaptionButtons) {
    if (!pButton->IsVisible() || !pButton->GetRect().PtInRect(point)) continue;
    if (pButton->GetID() == JVK_IDS_DOCKING_MENU) {
      if (!m_pSelectedPane) return;
      CRect rcButton = pButton->GetRect();
      ClientToScreen(&rcButton);
      struct {
        CJVKDockingPane* pPane;
        POINT pt;
        RECT rcExclude;
      } menu = {m_pSelectedPane, {rcButton.left, rcButton.bottom}, rcButton};
      GetDockingPaneManager()->Notify(DockingPaneNotifyContextMenu, reinterpret_cast<LPARAM>(&menu));
      return;
    }
    if (pButton->Click(this, point)) OnCaptionButton(pButton);
    return;
  }
  if (IsTabStripVisible() && m_tabs.PerformClick(m_hWnd, point, TRUE)) return;
  const int nHit = HitTest(point);
  if (nHit == -2) {
    if (!IsAutoHidden()) OnCaptionLButtonDown(point);
    return;
  }
  if (nHit < 0) return;
  m_arrTabRects.clear();
  for (int i = 0; i < m_tabs.GetItemCount(); ++i) m_arrTabRects.push_back(m_tabs.GetItem(i)->GetRect());
  CJVKDockingPane* pPane = m_lstPanes[static_cast<size_t>(nHit)];
  SelectPane(pPane, TRUE, FALSE);
  m_pDraggedPane = pPane;
  SetCapture();
  Invalidate();
}

void CJVKDockingPaneTabbedContainer::EndTabDrag() {
  if (!m_pDraggedPane) return;
  m_pDraggedPane = nullptr;
  if (::GetCapture() == m_hWnd) ::ReleaseCapture();
}

void CJVKDockingPaneTabbedContainer::OnMouseMove(UINT, CPoint point) {
  if (!m_pDraggedPane) {
    for (CaptionButton* pButton : m_arrCaptionButtons) pButton->OnMouseMove(point);
    if (IsTabStripVisible()) m_tabs.PerformMouseMove(m_hWnd, point);
    return;
  }
  for (size_t i = 0; i < m_arrTabRects.size() && i < m_lstPanes.size(); ++i) {
    if (!m_arrTabRects[i].PtInRect(point)) continue;
    auto itDragged = std::find(m_lstPanes.begin(), m_lstPanes.end(), m_pDraggedPane);
    if (itDragged != m_lstPanes.end() && m_lstPanes[i] != m_pDraggedPane) {
      std::iter_swap(itDragged, m_lstPanes.begin() + static_cast<std::ptrdiff_t>(i));
      OnChildChanged(TRUE);
    }
    return;
  }
  // Out of the strip: unless the owner objects, the pane alone goes on in
  // the drag context.
  CJVKDockingPane* pPane = m_pDraggedPane;
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  if (pManager->NotifyAction(DockingPaneActionDetaching, pPane)) return;
  EndTabDrag();
  ClientToScreen(&point);
  pManager->GetDragContext()->Start(pPane, point.x, point.y);
}

void CJVKDockingPaneTabbedContainer::OnLButtonUp(UINT, CPoint) { EndTabDrag(); }

void CJVKDockingPaneTabbedContainer::OnCaptureChanged(CWnd* pWnd) {
  if (pWnd != this) m_pDraggedPane = nullptr;
}

void CJVKDockingPaneTabbedContainer::OnMouseLeave() {
  for (CaptionButton* pButton : m_arrCaptionButtons) pButton->OnMouseMove(CPoint(-1, -1));
  if (IsTabStripVisible()) m_tabs.PerformMouseMove(m_hWnd, CPoint(-1, -1));
}

void CJVKDockingPaneTabbedContainer::OnLButtonDblClk(UINT, CPoint point) {
  for (const CaptionButton* pButton : m_arrCaptionButtons)
    if (pButton->IsVisible() && pButton->GetRect().PtInRect(point)) return;
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  const int nHit = HitTest(point);
  if (nHit == -2) {
    if (IsAutoHidden() && m_pSelectedPane && (m_pSelectedPane->GetOptions() & DockingPaneNoHideable)) return;
    pManager->ToggleDocking(this);
  } else if (nHit >= 0 && static_cast<size_t>(nHit) < m_lstPanes.size()) {
    pManager->ToggleDocking(m_lstPanes[static_cast<size_t>(nHit)]);
  }
}

void CJVKDockingPaneTabbedContainer::OnRButtonDown(UINT, CPoint point) {
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  const int nHit = HitTest(point);
  if (nHit >= 0 && static_cast<size_t>(nHit) < m_lstPanes.size()) {
    SelectPane(m_lstPanes[static_cast<size_t>(nHit)], TRUE, TRUE);
    CWnd* pFrame = m_pSite && m_pSite->IsFrameWnd() ? m_pSite : (m_pSite ? m_pSite->GetParentFrame() : nullptr);
    if (pFrame) static_cast<CFrameWnd*>(pFrame)->RecalcLayout();
  }
  if (m_pSelectedPane) {
    m_pSelectedPane->SetFocus();
  } else {
    CWnd::SetFocus();
  }
  for (CJVKDockingPaneBase* pPane : pManager->GetPanes()) pPane->UpdateActiveState();
  pManager->Notify(DockingPaneNotifyRClick, reinterpret_cast<LPARAM>(static_cast<CJVKDockingPaneBase*>(this)));
}
