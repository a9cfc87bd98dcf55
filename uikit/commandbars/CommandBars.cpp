#include "CommandBars.h"

#include "ControlPopup.h"
#include "DockBar.h"
#include "MenuBar.h"
#include "PaintManager.h"
#include "PopupBar.h"
#include "ReBar.h"
#include "ShortcutManager.h"
#include "ToolBar.h"

#include <ColorManager.h>
#include <DrawHelpers.h>
#include <ImageManager.h>
#include <KeyboardManager.h>
#include <MouseManager.h>
#include <ToolTipContext.h>

#include <vector>

namespace {
// The site's command that opens the customize sheet.
const UINT kIdCustomize = 35001;
// Docking flags of tool bars made by Add: every side, floating, and
// controls that do not fit hidden behind the expand button.
const DWORD kToolBarDocking = 0x3F;
// The menu bar: every side, floating, alone in its row.
const DWORD kMenuBarDocking = 0x5F;
const DWORD kToolBarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_TOOLTIPS | CBRS_FLYBY;
// The band style of a bar offered to the site's rebar: a line of its own
// (RBBS_BREAK) and a gripper (RBBS_GRIPPERALWAYS).
const DWORD kReBarBandStyle = RBBS_BREAK | RBBS_GRIPPERALWAYS;
// The tooltip context's style bit the bars do not use.
const DWORD kToolTipStyleRemoved = 0x02;
// The Alt context bit of a key message.
const LPARAM kAltContextBit = 1 << 29;

// The indexes the keyboard walk visits in a bar, first to last.
std::vector<int> WalkOrder(const CJVKControls* pControls) {
  std::vector<int> order;
  for (int n = pControls->GetNextIndex(-1, 1, TRUE, FALSE, FALSE); n >= 0 && (order.empty() || n > order.back());
       n = pControls->GetNextIndex(n, 1, TRUE, FALSE, FALSE))
    order.push_back(n);
  return order;
}

// The character after the first "&" when one marks it (bExplicit), else the
// caption's first character.
TCHAR MnemonicOf(const CString& strCaption, BOOL& bExplicit) {
  const int nMark = strCaption.Find('&');
  bExplicit = nMark >= 0 && nMark < strCaption.GetLength() - 1;
  return bExplicit ? strCaption[nMark + 1] : strCaption[0];
}

}  // namespace

IMPLEMENT_DYNCREATE(CJVKCommandBars, CCmdTarget)

CJVKCommandBars::CJVKCommandBars()
    : m_pOptions(new CJVKCommandBarsOptions(this)),
      m_pToolTipContext(new CJVKToolTipContext),
      m_pShortcutManager(new CJVKShortcutManager(this)) {
  m_pToolTipContext->ModifyToolTipStyle(kToolTipStyleRemoved, 0);
}

CJVKCommandBars::~CJVKCommandBars() {
  SetDragControl(nullptr);
  for (INT_PTR i = 0; i < m_bars.GetSize(); ++i) m_bars[i]->ReleaseBarRef();
  m_bars.RemoveAll();
  for (CJVKDockBar*& pDock : m_pDockBars) {
    if (pDock && pDock->GetSafeHwnd()) pDock->DestroyWindow();
    delete pDock;
    pDock = nullptr;
  }
  SetPaintManager(nullptr);
  SetImageManager(nullptr);
  m_pToolTipContext->InternalRelease();
  m_pShortcutManager->InternalRelease();
  m_pOptions->m_pOwner = nullptr;
  m_pOptions->InternalRelease();
}

// ------------------------------------------------------------ managers

CJVKPaintManager* CJVKCommandBars::GetPaintManager() {
  if (m_pPaintManager) return m_pPaintManager;
  if (CJVKPaintManager::GetCurrent() == nullptr) CJVKPaintManager::SetTheme(0);
  return CJVKPaintManager::GetCurrent();
}

CJVKImageManager* CJVKCommandBars::GetImageManager() {
  return m_pImageManager ? m_pImageManager : ::GetImageManager();
}

void CJVKCommandBars::SetPaintManager(CJVKPaintManager* pPaintManager) {
  if (pPaintManager) pPaintManager->InternalAddRef();
  if (m_pPaintManager) m_pPaintManager->InternalRelease();
  m_pPaintManager = pPaintManager;
}

void CJVKCommandBars::SetImageManager(CJVKImageManager* pImageManager) {
  if (pImageManager) pImageManager->InternalAddRef();
  if (m_pImageManager) m_pImageManager->InternalRelease();
  m_pImageManager = pImageManager;
}

CJVKMouseManager* CJVKCommandBars::GetMouseManager() {
  if (m_pMouseManager == nullptr) m_pMouseManager = ::GetMouseManager();
  return m_pMouseManager;
}

CJVKIconsOptions* CJVKCommandBars::GetIconsOptions() { return GetPaintManager()->GetIconsOptions(); }

void CJVKCommandBars::ClosePopups() { GetMouseManager()->SendTrackLost(); }

void CJVKCommandBars::NotifyPopupShown(CJVKControl* pControl) {
  if (m_pSite && m_pSite->GetSafeHwnd())
    m_pSite->SendMessage(JVK_WM_POPUP_OPENED, reinterpret_cast<WPARAM>(pControl));
}

CJVKControlParentBar* CJVKCommandBars::CreatePopupBar() { return CJVKPopupBar::CreatePopupBar(this); }

void CJVKCommandBars::ShowBarsContextMenu(CJVKCommandBar* pBar, CPoint ptScreen) {
  if (m_bCustomizeMode) return;
  CJVKPopupBar* pPopup = CJVKPopupBar::CreatePopupBar(this);
  if (m_pSite && m_pSite->GetSafeHwnd())
    m_pSite->SendMessage(JVK_WM_BARS_CONTEXT_MENU, reinterpret_cast<WPARAM>(pBar), reinterpret_cast<LPARAM>(pPopup));
  if (pPopup->GetControls()->GetCount() > 0) {
    ClosePopups();
    // The popup takes the site's right-to-left layout as its window is made.
    if (pPopup->PopupAt(ptScreen.x, ptScreen.y, 0)) JVKRunPopupLoop(pPopup);
  }
  pPopup->ReleaseBarRef();
}

BOOL CJVKCommandBars::FindShortcutText(int nID, CString& strText) {
  return m_pOptions->m_bAutoUpdateShortcuts && m_pShortcutManager->FindDefaultAccelerator(nID, strText);
}

int CJVKCommandBars::TrackPopupMenu(CMenu* pMenu, UINT nFlags, int x, int y, CWnd* pOwner, const RECT* prcExclude,
                                    CJVKCommandBars* pBars) {
  return JVKTrackPopupMenu(pMenu ? pMenu->m_hMenu : nullptr, nFlags, x, y, pOwner, prcExclude, pBars);
}

JVK_BAR_OPTIONS CJVKCommandBars::GetBarOptions() const {
  const CJVKCommandBarsOptions& o = *m_pOptions;
  JVK_BAR_OPTIONS options;
  options.bShowFullAfterDelay = o.m_bShowFullAfterDelay;
  options.bToolBarScreenTips = o.m_bToolBarScreenTips;
  options.bToolBarAccelTips = o.m_bToolBarAccelTips;
  options.bLargeIcons = o.m_bLargeIcons;
  options.bSyncFloatingBars = o.m_bSyncFloatingBars;
  options.bShowExpandButtonAlways = o.m_bShowExpandButtonAlways;
  options.bShowTextBelowIcons = o.m_bShowTextBelowIcons;
  options.bAltDragCustomization = o.m_bAltDragCustomization;
  options.bShowStatusDescriptions = o.m_bShowStatusDescriptions;
  options.szIcons = o.m_szIcons;
  options.szLargeIcons = o.m_szLargeIcons;
  options.szPopupIcons = o.m_szPopupIcons;
  options.bAlwaysShowFullMenus = o.m_bAlwaysShowFullMenus;
  options.nAnimation = o.m_nAnimationType;
  return options;
}

// ------------------------------------------------------ adaptive menus

BOOL CJVKCommandBars::IsCommandHidden(UINT nID) { return m_pOptions->IsCommandHidden(nID); }

BOOL CJVKCommandBars::IsControlHidden(CJVKControl* pControl) {
  if (IsCommandHidden(static_cast<UINT>(pControl->GetID()))) return TRUE;
  const int nType = pControl->GetType();
  if (!m_pOptions->m_bAutoHideUnusedPopups || nType < jvkControlPopup || nType > jvkControlSplitButtonPopup)
    return FALSE;
  CJVKControlParentBar* pPopupBar = pControl->GetCommandBar();
  CJVKControls* pControls = pPopupBar ? pPopupBar->GetControls() : nullptr;
  if (pControls == nullptr || pControls->GetCount() == 0) return FALSE;
  for (int i = 0; i < pControls->GetCount(); ++i)
    if (!IsControlHidden(pControls->GetAt(i))) return FALSE;
  return TRUE;
}

void CJVKCommandBars::SetCommandUsed(UINT nID) {
  if (IsCommandHidden(nID)) m_pOptions->m_mapUsedCommands.SetAt(nID, TRUE);
}

void CJVKCommandBars::OnTrackingModeChanged(CJVKCommandBar*, BOOL bMode) {
  if (!bMode && m_bKeyboardCuesOnAlt && !GetMouseManager()->IsTrackActive()) SetKeyboardCuesShown(FALSE);
}

// ---------------------------------------------------------------- bars

void CJVKCommandBars::SetSite(CWnd* pSite) {
  m_pSite = pSite;
  // With a handler record the routing only finds the handler; it runs nothing.
  AFX_CMDHANDLERINFO info = {};
  m_bCustomizeAvail = pSite && pSite->OnCmdMsg(kIdCustomize, CN_COMMAND, nullptr, &info) ? TRUE : FALSE;
}

CJVKToolBar* CJVKCommandBars::Add(LPCTSTR pszCaption, int nPosition, CRuntimeClass* pClass) {
  if (m_pSite == nullptr || m_pSite->GetSafeHwnd() == nullptr) return nullptr;
  CJVKToolBar* pBar = nullptr;
  if (pClass == nullptr) {
    pBar = new CJVKToolBar;
  } else {
    CObject* pObject = pClass->CreateObject();
    pBar = dynamic_cast<CJVKToolBar*>(pObject);
    if (pBar == nullptr) {
      delete pObject;
      return nullptr;
    }
  }
  pBar->SetCommandBars(this);
  pBar->SetTitle(pszCaption);
  if (!pBar->CreateToolBar(kToolBarStyle, m_pSite)) {
    pBar->ReleaseBarRef();
    return nullptr;
  }
  // The bar's screen tips: the framework's tooltip asks the bar's hit test,
  // and the frame gives the text of the command.
  pBar->EnableToolTips(TRUE);
  pBar->EnableDocking(kToolBarDocking);
  if (!pBar->SetPosition(nPosition)) {
    pBar->ReleaseBarRef();
    return nullptr;
  }
  m_bars.Add(pBar);
  RecalcFrameLayout(TRUE);
  return pBar;
}

CJVKMenuBar* CJVKCommandBars::SetMenu(LPCTSTR pszCaption, UINT nIDMenu, CRuntimeClass* pClass) {
  if (m_pSite == nullptr || m_pSite->GetSafeHwnd() == nullptr) return nullptr;
  CJVKMenuBar* pBar = nullptr;
  if (pClass == nullptr) {
    pBar = new CJVKMenuBar;
  } else {
    CObject* pObject = pClass->CreateObject();
    pBar = dynamic_cast<CJVKMenuBar*>(pObject);
    if (pBar == nullptr) {
      delete pObject;
      return nullptr;
    }
  }
  pBar->SetCommandBars(this);
  pBar->SetTitle(pszCaption);
  if (!pBar->CreateToolBar(kToolBarStyle, m_pSite, AFX_IDW_TOOLBAR + 1)) {
    pBar->ReleaseBarRef();
    return nullptr;
  }
  pBar->EnableDocking(kMenuBarDocking);
  if (!pBar->SetPosition(jvkBarTop) || !pBar->LoadMenuBar(nIDMenu)) {
    pBar->DestroyWindow();
    pBar->ReleaseBarRef();
    return nullptr;
  }
  if (nIDMenu != 0) m_nIDMenu = nIDMenu;
  m_bars.Add(pBar);
  m_pMenuBar = pBar;
  RecalcFrameLayout(TRUE);
  return pBar;
}

void CJVKCommandBars::Remove(CJVKCommandBar* pBar) {
  const int nIndex = IndexOf(pBar);
  if (nIndex < 0) return;
  pBar->SetVisible(FALSE);
  if (auto* pToolBar = dynamic_cast<CJVKToolBar*>(pBar)) {
    if (pToolBar->GetDockBar()) pToolBar->GetDockBar()->RemoveBar(pToolBar);
    RemoveFromReBar(pToolBar);
  }
  m_bars.RemoveAt(nIndex);
  if (pBar == m_pMenuBar) m_pMenuBar = nullptr;
  if (m_pDragControl && m_pDragControl->GetParentBar() == pBar) SetDragControl(nullptr);
  pBar->ReleaseBarRef();
  RecalcFrameLayout();
}

CJVKReBar* CJVKCommandBars::GetSiteReBar() const {
  if (m_pSite == nullptr || m_pSite->GetSafeHwnd() == nullptr) return nullptr;
  const HWND hReBar = ::GetDlgItem(m_pSite->m_hWnd, AFX_IDW_REBAR);
  return hReBar ? dynamic_cast<CJVKReBar*>(CWnd::FromHandlePermanent(hReBar)) : nullptr;
}

BOOL CJVKCommandBars::AddToReBar(CJVKToolBar* pBar) {
  CJVKReBar* pReBar = GetSiteReBar();
  return pReBar && pReBar->AddToolBar(pBar, kReBarBandStyle);
}

void CJVKCommandBars::RemoveFromReBar(CJVKToolBar* pBar) {
  if (CJVKReBar* pReBar = GetSiteReBar()) pReBar->RemoveToolBar(pBar);
}

CJVKCommandBar* CJVKCommandBars::GetAt(int nIndex) const {
  return nIndex >= 0 && nIndex < GetCount() ? m_bars[nIndex] : nullptr;
}

CJVKCommandBar* CJVKCommandBars::FindCommandBar(UINT nBarID) const {
  for (INT_PTR i = 0; i < m_bars.GetSize(); ++i)
    if (m_bars[i]->GetBarID() == nBarID) return m_bars[i];
  return nullptr;
}

int CJVKCommandBars::IndexOf(CJVKCommandBar* pBar) const {
  for (INT_PTR i = 0; i < m_bars.GetSize(); ++i)
    if (m_bars[i] == pBar) return static_cast<int>(i);
  return -1;
}

void CJVKCommandBars::ToggleVisible(int nIndex) {
  if (CJVKCommandBar* pBar = GetAt(nIndex)) pBar->SetVisible(!pBar->IsVisible());
}

int CJVKCommandBars::GetNextVisible(int nIndex, int nDirection) const {
  const int nCount = GetCount();
  if (nCount == 0 || nDirection == 0) return -1;
  int nAt = nIndex;
  if (nAt < 0 && nDirection < 0) nAt = nCount;
  // Every other bar once, then the start bar itself.
  for (int nStep = 0; nStep < nCount; ++nStep) {
    nAt += nDirection;
    if (nAt >= nCount) nAt = 0;
    if (nAt < 0) nAt = nCount - 1;
    if (m_bars[nAt]->IsVisible()) return nAt;
  }
  return -1;
}

BOOL CJVKCommandBars::ActivateBar(CJVKCommandBar* pBar, int nDirection) {
  if (pBar == nullptr) return FALSE;
  if (nDirection != 0) {
    if (GetCount() < 2) return FALSE;
    CJVKCommandBar* pNext = GetAt(GetNextVisible(IndexOf(pBar), nDirection > 0 ? 1 : -1));
    if (pNext == nullptr || pNext == pBar) return FALSE;
    pBar = pNext;
  }
  // Closing the popups ends the tracking of the bar the key came from.
  pBar->AddBarRef();
  ClosePopups();
  if (m_bKeyboardCuesOnAlt && !m_bKeyboardCuesShown) SetKeyboardCuesShown(TRUE);
  pBar->SetTrackingMode(jvkTracking, FALSE, FALSE);
  const BOOL bMenuBar = pBar->GetType() == jvkBarTypeMenuBar;
  pBar->SetSelected(pBar->GetControls()->GetNextIndex(-1, 1, TRUE, bMenuBar, FALSE), 2);
  pBar->ReleaseBarRef();
  return TRUE;
}

// ------------------------------------------------------------- docking

void CJVKCommandBars::EnableDocking() {
  if (m_pSite == nullptr || m_pSite->GetSafeHwnd() == nullptr) return;
  static const struct {
    UINT nID;
    DWORD dwStyle;
  } sides[4] = {{JVK_ID_DOCKBAR_TOP, 0x2800},
                {JVK_ID_DOCKBAR_BOTTOM, 0x8200},
                {JVK_ID_DOCKBAR_LEFT, 0x1400},
                {JVK_ID_DOCKBAR_RIGHT, 0x4100}};
  for (int i = 0; i < 4; ++i) {
    if (m_pDockBars[i]) continue;
    auto* pDock = new CJVKDockBar(this);
    if (!pDock->Create(m_pSite, 0x56000000 | sides[i].dwStyle, sides[i].nID)) {
      delete pDock;
      AfxThrowResourceException();
    }
    m_pDockBars[i] = pDock;
  }
}

CJVKDockBar* CJVKCommandBars::GetDockBar(int nSide) const {
  return nSide >= 0 && nSide < 4 ? m_pDockBars[nSide] : nullptr;
}

CJVKDockBar* CJVKCommandBars::FindDockBar(CPoint ptScreen, CJVKDockBar* pCurrent) const {
  auto holds = [ptScreen](CJVKDockBar* pDock) -> BOOL {
    if (pDock == nullptr || pDock->GetSafeHwnd() == nullptr) return FALSE;
    CRect rc;
    pDock->GetWindowRect(&rc);
    rc.InflateRect(20, 20);
    // Strictly inside.
    return ptScreen.x > rc.left && ptScreen.x < rc.right && ptScreen.y > rc.top && ptScreen.y < rc.bottom;
  };
  if (holds(pCurrent)) return pCurrent;
  for (CJVKDockBar* pDock : m_pDockBars)
    if (holds(pDock)) return pDock;
  return nullptr;
}

BOOL CJVKCommandBars::DockCommandBar(CJVKToolBar* pBar, const CRect* prcScreen, CJVKDockBar* pDockBar) {
  if (pBar == nullptr || pDockBar == nullptr) return FALSE;
  if (pBar->GetPosition() == jvkBarFloating) pBar->SetFloatingFrame(m_pSite, FALSE);
  pDockBar->DockBar(pBar, prcScreen);
  pBar->SetDockedPosition(pDockBar->GetDockPosition());
  return TRUE;
}

BOOL CJVKCommandBars::DockCommandBar(CJVKToolBar* pBar, int nSide) {
  return DockCommandBar(pBar, nullptr, GetDockBar(nSide));
}

BOOL CJVKCommandBars::PlaceDockedBar(CJVKCommandBar* pBar, int nSide) {
  auto* pToolBar = dynamic_cast<CJVKToolBar*>(pBar);
  CJVKDockBar* pDock = GetDockBar(nSide);
  if (pToolBar == nullptr || pDock == nullptr) return FALSE;
  if (pToolBar->GetDockBar() && pToolBar->GetDockBar() != pDock) pToolBar->GetDockBar()->RemoveBar(pToolBar);
  pDock->DockBar(pToolBar, nullptr);
  pToolBar->SetDockedPosition(nSide);
  return TRUE;
}

BOOL CJVKCommandBars::FloatCommandBar(CJVKToolBar* pBar) {
  if (pBar == nullptr) return FALSE;
  if (pBar->GetDockBar()) pBar->GetDockBar()->RemoveBar(pBar);
  return pBar->SetPosition(jvkBarFloating);
}

// -------------------------------------------------------------- layout

void CJVKCommandBars::RecalcFrameLayout(BOOL bDelay) {
  if (m_bLockLayout || m_pSite == nullptr || m_pSite->GetSafeHwnd() == nullptr) return;
  if (auto* pFrame = dynamic_cast<CFrameWnd*>(m_pSite)) {
    if (bDelay)
      pFrame->m_nIdleFlags |= CFrameWnd::idleLayout;
    else
      pFrame->RecalcLayout(FALSE);
    return;
  }
  CRect rc;
  m_pSite->GetClientRect(&rc);
  const LPARAM lSize = MAKELPARAM(rc.Width(), rc.Height());
  if (bDelay)
    m_pSite->PostMessage(WM_SIZE, SIZE_RESTORED, lSize);
  else
    m_pSite->SendMessage(WM_SIZE, SIZE_RESTORED, lSize);
}

void CJVKCommandBars::IdleRecalcLayout() {
  auto* pFrame = dynamic_cast<CFrameWnd*>(m_pSite);
  if (pFrame == nullptr || !(pFrame->m_nIdleFlags & CFrameWnd::idleLayout)) return;
  pFrame->RecalcLayout(FALSE);
  pFrame->m_nIdleFlags &= ~CFrameWnd::idleLayout;
}

void CJVKCommandBars::RedrawCommandBars() {
  m_bLockLayout = TRUE;
  for (INT_PTR i = 0; i < m_bars.GetSize(); ++i)
    if (m_bars[i]->IsVisible()) m_bars[i]->DelayLayout();
  m_bLockLayout = FALSE;
  RecalcFrameLayout();
}

void CJVKCommandBars::InvalidateCommandBars() {
  for (INT_PTR i = 0; i < m_bars.GetSize(); ++i)
    if (m_bars[i]->IsVisible()) m_bars[i]->Redraw();
}

// ----------------------------------------------------------- customize

void CJVKCommandBars::SetDragControl(CJVKControl* pControl) {
  if (pControl == m_pDragControl) return;
  CJVKControl* pOld = m_pDragControl;
  if (pControl) pControl->InternalAddRef();
  m_pDragControl = pControl;
  for (CJVKControl* p : {pOld, pControl})
    if (p && p->GetParentBar()) p->GetParentBar()->Redraw();
  if (pOld) pOld->InternalRelease();
  if (m_pSite && m_pSite->GetSafeHwnd()) m_pSite->SendMessage(JVK_WM_DRAG_CONTROL_CHANGED);
}

void CJVKCommandBars::SetCustomizeMode(BOOL bMode) {
  m_pOptions->m_bDirty = TRUE;
  m_bCustomizeMode = bMode;
  SetDragControl(nullptr);
  for (INT_PTR i = 0; i < m_bars.GetSize(); ++i) m_bars[i]->OnIdleUpdateCmdUI(TRUE);
  RecalcFrameLayout();
  SetKeyboardCuesShown(m_bKeyboardCuesShown);
}

void CJVKCommandBars::SetQuickCustomizeMode(BOOL bMode) {
  m_pOptions->m_bDirty = TRUE;
  m_bCustomizeMode = bMode;
  m_bQuickCustomizeMode = bMode;
  SetDragControl(nullptr);
  SetKeyboardCuesShown(m_bKeyboardCuesShown);
}

// ------------------------------------------------------- keyboard cues

void CJVKCommandBars::SetKeyboardCuesShown(BOOL bShown) {
  if (m_bCustomizeMode) bShown = TRUE;
  if (!m_bKeyboardCuesOnAlt || bShown == m_bKeyboardCuesShown) return;
  m_bKeyboardCuesShown = bShown;
  InvalidateCommandBars();
}

BOOL CJVKCommandBars::AreKeyboardCuesShown(CJVKCommandBar* pBar) {
  auto* pBars = pBar ? dynamic_cast<CJVKCommandBars*>(pBar->GetCommandBars()) : nullptr;
  return pBars ? pBars->m_bKeyboardCuesShown : TRUE;
}

BOOL CJVKCommandBars::AreSystemKeyboardCuesHidden() {
  BOOL bShown = TRUE;
  return ::SystemParametersInfo(SPI_GETKEYBOARDCUES, 0, &bShown, 0) && !bShown;
}

void CJVKCommandBars::OnKeyboardCuesShowChanged(LONG nShow) {
  m_bKeyboardCuesOnAlt = FALSE;
  m_bKeyboardCuesShown = nShow != jvkCuesShowNever;
  if (nShow == jvkCuesShowSystem && AreSystemKeyboardCuesHidden()) {
    m_bKeyboardCuesOnAlt = TRUE;
    m_bKeyboardCuesShown = FALSE;
  }
  InvalidateCommandBars();
}

// ------------------------------------------------------------ mnemonics

BOOL CJVKCommandBars::ActivateMnemonic(UINT nVirtKey) {
  const LONG nUse = m_pOptions->m_nKeyboardCuesUse;
  if (nUse == JVK_CUES_USE_NONE) return FALSE;
  const BOOL bAllBars = (nUse & JVK_CUES_USE_ALL_BARS) != 0;
  CJVKCommandBar* pStart = nullptr;
  for (INT_PTR i = 0; i < m_bars.GetSize() && pStart == nullptr; ++i)
    if (m_bars[i]->GetTrackingMode() != jvkTrackingOff) pStart = m_bars[i];
  if (pStart == nullptr && bAllBars) pStart = GetAt(GetNextVisible(-1, 1));
  if (pStart == nullptr || !pStart->IsVisible()) return FALSE;

  // The walk: after the selection to the start bar's end, the other visible
  // bars in list order, then the start bar up to its selection.
  struct CStep {
    CJVKCommandBar* pBar;
    int nIndex;
  };
  std::vector<CStep> walk;
  const int nSelected = pStart->GetSelectedIndex();
  const std::vector<int> startOrder = WalkOrder(pStart->GetControls());
  for (int nIndex : startOrder)
    if (nIndex > nSelected) walk.push_back({pStart, nIndex});
  const int nStartBar = IndexOf(pStart);
  for (int k = 1; bAllBars && k < GetCount(); ++k) {
    CJVKCommandBar* pBar = m_bars[(nStartBar + k) % GetCount()];
    if (!pBar->IsVisible()) continue;
    for (int nIndex : WalkOrder(pBar->GetControls())) walk.push_back({pBar, nIndex});
  }
  for (int nIndex : startOrder)
    if (nIndex <= nSelected) walk.push_back({pStart, nIndex});

  CJVKControl* pExplicit = nullptr;
  CJVKControl* pImplicit = nullptr;
  int nExplicit = 0, nImplicit = 0;
  for (const CStep& step : walk) {
    CJVKControl* pControl = step.pBar->GetControls()->GetAt(step.nIndex);
    const CString strCaption = pControl->GetCaption();
    if (!pControl->GetEnabled() || !pControl->IsCaptionVisible() || strCaption.IsEmpty()) continue;
    BOOL bExplicit = FALSE;
    if (!JVKIsMnemonicKey(MnemonicOf(strCaption, bExplicit), nVirtKey)) continue;
    if (bExplicit) {
      if (nExplicit++ == 0) pExplicit = pControl;
    } else if (!(nUse & JVK_CUES_USE_EXPLICIT_ONLY) &&
               (step.pBar->GetType() == jvkBarTypeMenuBar || step.pBar->GetTrackingMode() != jvkTrackingOff)) {
      if (nImplicit++ == 0) pImplicit = pControl;
    }
  }
  CJVKControl* pResult = pExplicit ? pExplicit : pImplicit;
  if (pResult == nullptr) return FALSE;
  const BOOL bUnique = pExplicit ? nExplicit == 1 : nImplicit == 1;

  auto* pBar = static_cast<CJVKCommandBar*>(pResult->GetParentBar());
  // The command may release the bar: hold it until the activation returns.
  pBar->AddBarRef();
  if (pBar->GetTrackingMode() == jvkTrackingOff) ClosePopups();
  if (m_bKeyboardCuesOnAlt && !m_bKeyboardCuesShown) SetKeyboardCuesShown(TRUE);
  pBar->SetTrackingMode(jvkTracking, FALSE, TRUE);
  pBar->SetSelected(pResult->GetIndex(), 2);
  if (bUnique) pResult->OnKeyActivate();
  pBar->ReleaseBarRef();
  return TRUE;
}

BOOL CJVKCommandBars::ActivateMnemonic(TCHAR, UINT nVirtKey) { return ActivateMnemonic(nVirtKey); }

// ------------------------------------------------------ the frame's part

void CJVKCommandBars::OnSystemChange(BOOL bColors) {
  if (bColors) {
    GetColorManager()->RefreshColors();
    GetImageManager()->RefreshAll();
  }
  GetPaintManager()->RefreshMetrics();
  if (!m_bLockLayout) RecalcFrameLayout();
  if (m_pSite && m_pSite->GetSafeHwnd())
    m_pSite->RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

BOOL CJVKCommandBars::OnFrameWndMsg(UINT nMessage, WPARAM wParam, LPARAM, LRESULT*) {
  switch (nMessage) {
    case WM_SYSCOLORCHANGE: OnSystemChange(TRUE); break;
    case WM_SETTINGCHANGE: OnSystemChange(FALSE); break;
    case WM_ACTIVATEAPP:
      if (wParam == 0) ClosePopups();
      break;
    case WM_SYSCOMMAND:
      if (!m_bCustomizeMode && wParam != SC_KEYMENU && !(LOWORD(wParam) == 0 && wParam != 0)) ClosePopups();
      break;
    case WM_IDLEUPDATECMDUI:
      // Floating bars are no children of the frame: the frame's idle update
      // does not reach them.
      for (INT_PTR i = 0; i < m_bars.GetSize(); ++i)
        if (m_bars[i]->GetPosition() == jvkBarFloating) m_bars[i]->OnIdleUpdateCmdUI(TRUE);
      break;
    default: break;
  }
  return FALSE;
}

BOOL CJVKCommandBars::PreTranslateFrameMessage(MSG* pMsg) {
  const UINT nMessage = pMsg->message;
  CJVKMouseManager* pMouse = GetMouseManager();
  if (nMessage == WM_SYSKEYDOWN && (pMsg->lParam & kAltContextBit) && pMouse->m_nLock <= 0 &&
      !pMouse->IsTrackActive() && m_pSite && CJVKDrawHelpers::IsTopParentActive(m_pSite->m_hWnd)) {
    if (pMsg->wParam == VK_MENU) {
      SetKeyboardCuesShown(TRUE);
      return FALSE;
    }
    if (!(m_bIgnoreShiftMenuKey && ::GetKeyState(VK_SHIFT) < 0) && ActivateMnemonic(static_cast<UINT>(pMsg->wParam)))
      return TRUE;
  }
  if ((nMessage == WM_SYSKEYUP || nMessage == WM_KEYUP) && m_bKeyboardCuesOnAlt && m_bKeyboardCuesShown &&
      !pMouse->IsTrackActive())
    SetKeyboardCuesShown(FALSE);
  if ((nMessage == WM_CONTEXTMENU || nMessage == WM_SYSKEYUP) && pMouse->IsTrackActive()) return TRUE;
  if (nMessage == WM_MOUSEWHEEL) {
    CJVKKeyboardManager* pKeyboard = PeekKeyboardManager();
    if (pKeyboard && pKeyboard->IsKeyboardHooked())
      return pKeyboard->ProcessKeyboardHooks(nMessage, pMsg->wParam, pMsg->lParam);
  }
  if (nMessage >= WM_KEYFIRST && nMessage <= WM_SYSDEADCHAR) {
    HACCEL hTable = m_pShortcutManager->GetWorkingTable();
    if (hTable && m_pSite && ::TranslateAccelerator(m_pSite->m_hWnd, hTable, pMsg)) return TRUE;
  }
  return FALSE;
}
