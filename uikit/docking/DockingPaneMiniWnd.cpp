#include "DockingPaneMiniWnd.h"

#include "DockingLayoutRecord.h"
#include "DockingPane.h"
#include "DockingPaneCaptionButton.h"
#include "DockingPaneDragContext.h"
#include "DockingPaneLayout.h"
#include "DockingPaneManager.h"
#include "DockingPaneSplitterContainer.h"
#include "DockingPaneTabbedContainer.h"

#include <ResourceManager.h>

#include <algorithm>

namespace {

// The string that names the system menu's close item on a floating frame.
const UINT kHideItemString = 61457;

// The largest coordinate a loaded frame keeps.
const LONG kMaxCoordinate = 32000;

}  // namespace

BEGIN_MESSAGE_MAP(CJVKDockingPaneMiniWnd, CMiniFrameWnd)
  ON_WM_CLOSE()
  ON_WM_DESTROY()
  ON_WM_SETFOCUS()
  ON_WM_GETMINMAXINFO()
  ON_WM_NCLBUTTONDOWN()
  ON_WM_NCLBUTTONDBLCLK()
  ON_WM_NCRBUTTONDOWN()
END_MESSAGE_MAP()

CJVKDockingPaneMiniWnd::CJVKDockingPaneMiniWnd(CJVKDockingPaneLayout* pLayout)
    : CJVKDockingPaneBase(DockingPaneTypeMiniWnd, pLayout) {
  for (UINT nID : {JVK_IDS_DOCKING_CLOSE, JVK_IDS_DOCKING_AUTOHIDE, JVK_IDS_DOCKING_MENU})
    m_arrCaptionButtons.push_back(new CaptionButton(nID, this));
}

CJVKDockingPaneMiniWnd::~CJVKDockingPaneMiniWnd() {
  if (GetSafeHwnd()) DestroyWindow();
}

// The node belongs to its layout, not to its window.
void CJVKDockingPaneMiniWnd::PostNcDestroy() {}

CRect CJVKDockingPaneMiniWnd::SnapToWorkArea(CRect rc, const CRect& rcWork) {
  CRect rcCommon;
  if (rcCommon.IntersectRect(rc, rcWork)) return rc;
  if (rc.right <= rcWork.left) {
    rc.OffsetRect(rcWork.left - rc.left, 0);
  } else if (rc.left >= rcWork.right) {
    rc.OffsetRect(rcWork.right - rc.right, 0);
  }
  if (rc.bottom <= rcWork.top) {
    rc.OffsetRect(0, rcWork.top - rc.top);
  } else if (rc.top >= rcWork.bottom) {
    rc.OffsetRect(0, rcWork.bottom - rc.bottom);
  }
  return rc;
}

BOOL CJVKDockingPaneMiniWnd::Create(CRect rc) {
  if (GetSafeHwnd()) return TRUE;
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  CWnd* pSite = pManager ? pManager->GetSite() : nullptr;
  if (!pSite || !pSite->GetSafeHwnd() || !m_pLayout || m_pLayout->IsDetached()) return FALSE;
  MONITORINFO mi = {};
  mi.cbSize = sizeof(mi);
  if (::GetMonitorInfo(::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST), &mi)) {
    // A frame is no larger than the work area and not empty (a loaded
    // rectangle may be either), so that it can be moved onto it.
    const CRect rcWork(mi.rcWork);
    rc.right = rc.left + std::min(std::max(rc.Width(), ::GetSystemMetrics(SM_CXMINTRACK)), rcWork.Width());
    rc.bottom = rc.top + std::min(std::max(rc.Height(), ::GetSystemMetrics(SM_CYMINTRACK)), rcWork.Height());
    rc = SnapToWorkArea(rc, rcWork);
  }

  const DWORD dwExStyle = (pSite->GetExStyle() & WS_EX_LAYOUTRTL) ? WS_EX_LAYOUTRTL : 0;
  DWORD dwStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | MFS_BLOCKSYSMENU;
  if (pManager->m_bSyncActiveFloatingFrames) dwStyle |= MFS_SYNCACTIVE;
  // Double clicks on the caption dock the frame's panes again.
  LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
  if (!CMiniFrameWnd::CreateEx(dwExStyle, lpszClass, _T(""), dwStyle, rc, pSite, 0)) return FALSE;
  // The mini frame drops the system menu with the blocking style; the
  // frame keeps it for its Close box and the Hide item.
  if (!(GetStyle() & WS_SYSMENU))
    ModifyStyle(0, WS_SYSMENU, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  m_rcWindow = rc;
  m_bCreated = TRUE;
  UpdateSystemMenu();
  return TRUE;
}

void CJVKDockingPaneMiniWnd::UpdateSystemMenu() {
  CMenu* pMenu = GetSystemMenu(FALSE);
  if (!pMenu) return;
  for (UINT nItem : {SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE}) pMenu->DeleteMenu(nItem, MF_BYCOMMAND);
  CString strHide;
  if (GetResourceManager()->LoadString(strHide, kHideItemString) && !strHide.IsEmpty()) {
    pMenu->DeleteMenu(SC_CLOSE, MF_BYCOMMAND);
    pMenu->AppendMenu(MF_STRING, SC_CLOSE, strHide);
  }
  pMenu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | (m_bCloseEnabled ? MF_ENABLED : MF_GRAYED));
}

void CJVKDockingPaneMiniWnd::SetTopContainer(CJVKDockingPaneBase* pContainer) {
  m_pTopContainer = pContainer;
  if (pContainer) pContainer->SetParentContainer(this);
}

void CJVKDockingPaneMiniWnd::Init(CJVKDockingPaneBase* pPane, CRect rc) {
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  Create(rc);
  if (!GetSafeHwnd()) m_rcWindow = rc;
  if (pPane->GetType() == DockingPaneTypePane) {
    auto* pGroup = static_cast<CJVKDockingPaneTabbedContainer*>(
        pManager->CreatePaneObject(DockingPaneTypeTabbedContainer, m_pLayout));
    pGroup->InitFromPane(static_cast<CJVKDockingPane*>(pPane), this);
    pPane = pGroup;
  }
  auto* pSplitter = static_cast<CJVKDockingPaneSplitterContainer*>(
      pManager->CreatePaneObject(DockingPaneTypeSplitterContainer, m_pLayout));
  pSplitter->Init(pPane, TRUE, this);
  SetTopContainer(pSplitter);
  OnChildChanged(FALSE);
  DelayRecalcLayout();
}

BOOL CJVKDockingPaneMiniWnd::CreateLoaded() {
  if (!Create(m_rcWindow)) return FALSE;
  return TRUE;
}

void CJVKDockingPaneMiniWnd::Restyle() {
  if (!GetSafeHwnd()) return;
  // Frames draw the system's border and caption (themed frames are not
  // drawn by this library).
  ModifyStyle(0, WS_BORDER, 0);
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CJVKDockingPaneMiniWnd::Invalidate() {}

std::vector<CJVKDockingPaneTabbedContainer*> CJVKDockingPaneMiniWnd::GetGroups() const {
  std::vector<CJVKDockingPaneTabbedContainer*> groups;
  if (!m_pTopContainer) return groups;
  CJVKDockingPaneList lst;
  m_pTopContainer->FindPanes(DockingPaneTypeTabbedContainer, lst);
  for (CJVKDockingPaneBase* pNode : lst) groups.push_back(static_cast<CJVKDockingPaneTabbedContainer*>(pNode));
  return groups;
}

CRect CJVKDockingPaneMiniWnd::GetFrameRect() const {
  if (!GetSafeHwnd()) return m_rcWindow;
  CRect rc;
  GetWindowRect(&rc);
  return rc;
}

void CJVKDockingPaneMiniWnd::OnChildAttached(CJVKDockingPaneBase*) { OnChildChanged(FALSE); }

void CJVKDockingPaneMiniWnd::OnChildChanged(BOOL) {
  if (!GetSafeHwnd() || m_bInChange) return;
  m_bInChange = TRUE;
  const std::vector<CJVKDockingPaneTabbedContainer*> groups = GetGroups();
  for (CJVKDockingPaneTabbedContainer* pGroup : groups) pGroup->ShowCaption(groups.size() > 1);
  CString strTitle;
  if (groups.size() == 1) {
    strTitle = groups.front()->GetTitle();
  } else if (groups.size() > 1) {
    strTitle = GetDockingPaneManager()->m_strFloatingFrameCaption;
  }
  CString strOld;
  GetWindowText(strOld);
  if (strOld != strTitle) SetWindowText(strTitle);
  if (!groups.empty()) {
    if (!IsWindowVisible()) ShowWindow(SW_SHOWNA);
    BOOL bCloseEnabled = FALSE;
    for (CJVKDockingPaneTabbedContainer* pGroup : groups)
      for (CJVKDockingPane* pPane : pGroup->GetPanes())
        if (!(pPane->GetOptions() & DockingPaneNoCloseable)) bCloseEnabled = TRUE;
    if (bCloseEnabled != m_bCloseEnabled) {
      m_bCloseEnabled = bCloseEnabled;
      if (CMenu* pMenu = GetSystemMenu(FALSE))
        pMenu->EnableMenuItem(SC_CLOSE, MF_BYCOMMAND | (m_bCloseEnabled ? MF_ENABLED : MF_GRAYED));
    }
  }
  // The content is laid out again at once; an emptied frame hides.
  RecalcLayout();
  RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
  m_bInChange = FALSE;
}

void CJVKDockingPaneMiniWnd::RecalcLayout(BOOL) {
  m_nIdleFlags &= ~(idleLayout | idleNotify);
  // Not while the window is being made (its first WM_SIZE).
  if (!GetSafeHwnd() || !m_bCreated) return;
  if (!m_pTopContainer || m_pTopContainer->IsEmpty()) {
    if (IsWindowVisible()) ShowWindow(SW_HIDE);
    return;
  }
  CRect rcClient;
  GetClientRect(&rcClient);
  AFX_SIZEPARENTPARAMS layout = {};
  layout.hDWP = ::BeginDeferWindowPos(8);
  layout.rect = rcClient;
  m_pTopContainer->OnSetPosition(this, rcClient, &layout);
  if (layout.hDWP) ::EndDeferWindowPos(layout.hDWP);
  // Kept in screen coordinates: what a saved layout stores.
  GetWindowRect(&m_rcWindow);
  GetDockingPaneManager()->RecordHolders();
}

BOOL CJVKDockingPaneMiniWnd::ExchangeRecord(DockingNodeRecord& rec, BOOL bLoading,
                                            const CJVKDockingPaneNumbers* pNumbers) {
  CJVKDockingPaneBase::ExchangeRecord(rec, bLoading, pNumbers);
  if (!bLoading) {
    const CRect rc = GetFrameRect();
    rec.nWindowTop = rc.top;
    rec.nWindowBottom = rc.bottom;
    rec.nWindowLeft = rc.left;
    rec.nWindowRight = rc.right;
    rec.bCollapsed = m_bCollapsed;
    rec.nExpandedHeight = m_nExpandedHeight;
    rec.nTopContainer = m_pTopContainer ? m_pTopContainer->m_nIndex : 0;
    return TRUE;
  }
  // A stored rectangle comes from a file: kept within the coordinates a
  // window can have, so that moving it onto the screen cannot overflow.
  auto clamp = [](LONG n) { return static_cast<int>(std::clamp<LONG>(n, -kMaxCoordinate, kMaxCoordinate)); };
  m_rcWindow = CRect(clamp(rec.nWindowLeft), clamp(rec.nWindowTop), clamp(rec.nWindowRight), clamp(rec.nWindowBottom));
  m_rcWindow.NormalizeRect();
  m_bCollapsed = rec.bCollapsed;
  m_nExpandedHeight = rec.nExpandedHeight;
  auto it = pNumbers->find(rec.nTopContainer);
  if (rec.nTopContainer == 0 || it == pNumbers->end() || it->second->GetType() != DockingPaneTypeSplitterContainer)
    return FALSE;
  SetTopContainer(it->second);
  return TRUE;
}

CJVKDockingPaneBase* CJVKDockingPaneMiniWnd::Clone(CJVKDockingPaneLayout* pLayout, CJVKDockingPaneMap* pMap, DWORD) {
  auto* pClone = static_cast<CJVKDockingPaneMiniWnd*>(
      pLayout->GetManager()->CreatePaneObject(DockingPaneTypeMiniWnd, pLayout));
  if (!pClone) return nullptr;
  pClone->m_szDocking = m_szDocking;
  pClone->m_rcWindow = GetFrameRect();
  pClone->m_bCollapsed = m_bCollapsed;
  pClone->m_nExpandedHeight = m_nExpandedHeight;
  if (pMap) (*pMap)[this] = pClone;
  if (!pLayout->IsDetached()) pClone->Create(pClone->m_rcWindow);
  if (m_pTopContainer) {
    auto* pTop = static_cast<CJVKDockingPaneSplitterContainer*>(
        pLayout->GetManager()->CreatePaneObject(DockingPaneTypeSplitterContainer, pLayout));
    pTop->CopyFrom(static_cast<CJVKDockingPaneSplitterContainer*>(m_pTopContainer), pMap);
    pClone->SetTopContainer(pTop);
    // The copy's nodes lie in the new frame's coordinates.
    pTop->SetSite(pClone);
    for (CJVKDockingPaneBase* pChild : pTop->GetPanes()) pChild->OnAttachedTo(pTop);
    pTop->UpdateSplitters();
    if (pMap) (*pMap)[m_pTopContainer] = pTop;
  }
  pClone->OnChildChanged(FALSE);
  return pClone;
}

void CJVKDockingPaneMiniWnd::RemovePane(CJVKDockingPaneBase* pPane) {
  if (pPane != m_pTopContainer) return;
  m_pTopContainer->SetParentContainer(nullptr);
  m_pTopContainer = nullptr;
  if (GetSafeHwnd() && IsWindowVisible()) ShowWindow(SW_HIDE);
}

BOOL CJVKDockingPaneMiniWnd::GetCaptionButtonState(const CaptionButton* pButton) const {
  switch (pButton->GetID()) {
    case JVK_IDS_DOCKING_CLOSE: return m_bCloseEnabled;
    default: return TRUE;
  }
}

void CJVKDockingPaneMiniWnd::OnClose() {
  CJVKDockingPaneManager* pManager = GetDockingPaneManager();
  CJVKDockingPaneList panes;
  if (m_pTopContainer) m_pTopContainer->FindPanes(DockingPaneTypePane, panes);
  for (CJVKDockingPaneBase* pNode : panes) {
    auto* pPane = static_cast<CJVKDockingPane*>(pNode);
    if (pPane->GetOptions() & DockingPaneNoCloseable) continue;
    if (pManager->NotifyAction(DockingPaneActionClosing, pPane)) continue;
    pManager->ClosePane(pPane);
    pManager->NotifyAction(DockingPaneActionClosed, pPane);
  }
  if (!m_pTopContainer || m_pTopContainer->IsEmpty()) ShowWindow(SW_HIDE);
}

void CJVKDockingPaneMiniWnd::OnDestroy() {
  GetWindowRect(&m_rcWindow);
  CMiniFrameWnd::OnDestroy();
}

void CJVKDockingPaneMiniWnd::OnSetFocus(CWnd* pOldWnd) {
  const std::vector<CJVKDockingPaneTabbedContainer*> groups = GetGroups();
  if (groups.size() == 1 && groups.front()->GetSelected()) {
    groups.front()->GetSelected()->SetFocus();
    return;
  }
  CMiniFrameWnd::OnSetFocus(pOldWnd);
}

void CJVKDockingPaneMiniWnd::OnGetMinMaxInfo(MINMAXINFO* pMinMaxInfo) {
  CMiniFrameWnd::OnGetMinMaxInfo(pMinMaxInfo);
  if (!m_pTopContainer || m_bRolling || (m_bCollapsed && m_nStep <= 0)) return;
  MINMAXINFO mmi;
  m_pTopContainer->GetMinMaxInfo(&mmi);
  CRect rcWindow;
  CRect rcClient;
  GetWindowRect(&rcWindow);
  GetClientRect(&rcClient);
  const CSize szFrame(rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height());
  pMinMaxInfo->ptMinTrackSize.x = std::max(pMinMaxInfo->ptMinTrackSize.x, mmi.ptMinTrackSize.x + szFrame.cx);
  pMinMaxInfo->ptMinTrackSize.y = std::max(pMinMaxInfo->ptMinTrackSize.y, mmi.ptMinTrackSize.y + szFrame.cy);
  pMinMaxInfo->ptMaxTrackSize.x = std::min(pMinMaxInfo->ptMaxTrackSize.x, mmi.ptMaxTrackSize.x + szFrame.cx);
  pMinMaxInfo->ptMaxTrackSize.y = std::min(pMinMaxInfo->ptMaxTrackSize.y, mmi.ptMaxTrackSize.y + szFrame.cy);
}

void CJVKDockingPaneMiniWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
  if (nHitTest != HTCAPTION || !m_pTopContainer) {
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
    return;
  }
  // The frame moves by the drag context, which can also dock its content.
  if (CWnd* pTop = GetTopLevelParent()) pTop->SetActiveWindow();
  SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  GetDockingPaneManager()->GetDragContext()->Start(m_pTopContainer, point.x, point.y);
}

void CJVKDockingPaneMiniWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION && m_pTopContainer) {
    GetDockingPaneManager()->ToggleDocking(m_pTopContainer);
    return;
  }
  CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

void CJVKDockingPaneMiniWnd::OnNcRButtonDown(UINT nHitTest, CPoint point) {
  if (nHitTest == HTCAPTION) {
    const std::vector<CJVKDockingPaneTabbedContainer*> groups = GetGroups();
    CJVKDockingPane* pPane = nullptr;
    if (groups.size() == 1) {
      pPane = groups.front()->GetSelected();
    } else {
      for (CJVKDockingPaneTabbedContainer* pGroup : groups)
        if (pGroup->GetSafeHwnd() && ::IsChild(pGroup->m_hWnd, ::GetFocus())) pPane = pGroup->GetSelected();
    }
    struct {
      CJVKDockingPane* pPane;
      POINT pt;
      RECT rcExclude;
    } menu = {pPane, {point.x, point.y}, {0, 0, 0, 0}};
    if (pPane && GetDockingPaneManager()->Notify(DockingPaneNotifyContextMenu, reinterpret_cast<LPARAM>(&menu)))
      return;
  }
  CMiniFrameWnd::OnNcRButtonDown(nHitTest, point);
}
