#include "CommandBar.h"

#include "ControlPopup.h"
#include "PaintManager.h"
#include "SiteMessages.h"

#include <KeyboardManager.h>
#include <MouseManager.h>

namespace {
LONG g_nLiveBars = 0;

// The accessibility announcement of a keyboard or hover selection.
const DWORD kEventObjectFocus = 0x8005;
const LONG kObjIdMenu = -3;
}  // namespace

BEGIN_MESSAGE_MAP(CJVKCommandBar, CWnd)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONUP()
ON_WM_MOUSEMOVE()
ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
ON_WM_TIMER()
ON_WM_DESTROY()
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUIMessage)
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CJVKCommandBar::CJVKCommandBar() : m_pControls(new CJVKControls) {
  m_pControls->SetParent(this);
  __atomic_add_fetch(&g_nLiveBars, 1, __ATOMIC_ACQ_REL);
}

CJVKCommandBar::~CJVKCommandBar() {
  if (m_hWnd) DestroyWindow();
  m_pControls->RemoveAll();
  m_pControls->InternalRelease();
  __atomic_sub_fetch(&g_nLiveBars, 1, __ATOMIC_ACQ_REL);
}

LONG CJVKCommandBar::GetLiveCount() { return __atomic_load_n(&g_nLiveBars, __ATOMIC_ACQUIRE); }

void CJVKCommandBar::ReleaseBarRef() {
  if (--m_nRef == 0) delete this;
}

void CJVKCommandBar::SetCommandBars(CJVKControlCommandBars* pBars) {
  m_pCommandBars = pBars;
  m_pControls->SetCommandBars(pBars);
}

CJVKPaintManager* CJVKCommandBar::GetPaintManager() const {
  if (m_pPaintManager) return m_pPaintManager;
  if (m_pCommandBars && m_pCommandBars->GetPaintManager()) return m_pCommandBars->GetPaintManager();
  if (CJVKPaintManager::GetCurrent() == nullptr) CJVKPaintManager::SetTheme(0);
  return CJVKPaintManager::GetCurrent();
}

CWnd* CJVKCommandBar::GetSite() {
  if (m_pCommandBars) return m_pCommandBars->GetSite();
  return m_hWnd ? GetOwner() : nullptr;
}

CRect CJVKCommandBar::GetClientRect() const {
  CRect rc(0, 0, 0, 0);
  if (m_hWnd) ::GetClientRect(m_hWnd, &rc);
  return rc;
}

CSize CJVKCommandBar::GetIconSize() const {
  auto isSet = [](CSize sz) { return sz.cx > 0 && sz.cy > 0; };
  if (m_pCommandBars == nullptr) return isSet(m_szIcon) ? m_szIcon : CSize(16, 16);
  const JVK_BAR_OPTIONS options = m_pCommandBars->GetBarOptions();
  if (m_nType == jvkBarTypePopup) return isSet(m_szIcon) ? m_szIcon : options.szPopupIcons;
  CSize sz = isSet(m_szIcon) ? m_szIcon : isSet(options.szIcons) ? options.szIcons : CSize(16, 16);
  if (options.bLargeIcons && !isSet(m_szButton))
    sz = isSet(options.szLargeIcons) ? options.szLargeIcons : CSize(sz.cx * 2, sz.cy * 2);
  return sz;
}

CSize CJVKCommandBar::GetButtonSize() const {
  if (m_szButton.cx > 0 && m_szButton.cy > 0) return m_szButton;
  const CSize szIcon = GetIconSize();
  return CSize(szIcon.cx + 7, szIcon.cy + 7);
}

BOOL CJVKCommandBar::IsTextBelowIcons() const {
  if (m_nTextBelowIcons != 2) return m_nTextBelowIcons;
  return m_pCommandBars ? m_pCommandBars->GetBarOptions().bShowTextBelowIcons : FALSE;
}

BOOL CJVKCommandBar::IsRightToLeft() const {
  return m_hWnd && (::GetWindowLong(m_hWnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

void CJVKCommandBar::Redraw() {
  if (m_hWnd && m_nRedrawLock == 0) Invalidate(FALSE);
}

CJVKControl* CJVKCommandBar::HitTestControl(CPoint pt) const {
  CJVKControl* pControl = m_pControls->HitTest(pt);
  return pControl && pControl->GetHideFlags() == 0 ? pControl : nullptr;
}

// ------------------------------------------------------ selection

BOOL CJVKCommandBar::SetSelected(int nIndex, int nBy) {
  if (nIndex == m_nSelected) return FALSE;
  m_bKeyboardSelection = nBy == 2;
  if (m_hWnd == nullptr) return FALSE;
  ++m_nRedrawLock;
  CJVKControl* pOld = m_pControls->GetAt(m_nSelected);
  m_nSelected = nIndex;
  if (pOld) pOld->SetSelected(0);
  if (CJVKControl* pNew = m_pControls->GetAt(nIndex)) {
    pNew->SetSelected(nBy == 2 ? 2 : 1);
    if (m_nTracking != jvkTrackingOff) ::NotifyWinEvent(kEventObjectFocus, m_hWnd, kObjIdMenu, nIndex + 1);
    if (nBy != 2) SetTimer(JVK_TIMER_HOVER, 300, nullptr);
  }
  if (nIndex < 0) CWnd::KillTimer(JVK_TIMER_HOVER);
  if (--m_nRedrawLock == 0) Redraw();
  return TRUE;
}

BOOL CJVKCommandBar::SetPopuped(int nIndex, BOOL bKeyboard) {
  if (nIndex == m_nPopuped) return FALSE;
  ++m_nRedrawLock;
  if (CJVKControl* pOpen = m_pControls->GetAt(m_nPopuped)) {
    m_nPopuped = -1;
    pOpen->SetPopup(FALSE);
  }
  m_nPopuped = -1;
  BOOL bOpened = FALSE;
  CJVKControl* pControl = m_pControls->GetAt(nIndex);
  if (pControl && pControl->GetEnabled() && dynamic_cast<CJVKControlPopup*>(pControl)) {
    SetTrackingMode(jvkTrackingPopups, FALSE, bKeyboard);
    SetSelected(nIndex, bKeyboard ? 2 : 1);
    m_nPopuped = nIndex;
    bOpened = pControl->SetPopup(TRUE);
    if (!bOpened) m_nPopuped = -1;
  }
  if (--m_nRedrawLock == 0) Redraw();
  return bOpened;
}

BOOL CJVKCommandBar::SetTrackingMode(int nMode, BOOL bSelectFirst, BOOL bKeyboard) {
  if ((m_nTracking != jvkTrackingOff && nMode != jvkTrackingOff) || nMode == m_nTracking) {
    m_nTracking = nMode;
    return FALSE;
  }
  m_nTracking = nMode;
  CWnd* pSite = GetSite();
  if (nMode != jvkTrackingOff) {
    if (m_nType == jvkBarTypeMenuBar && pSite && pSite->GetSafeHwnd())
      pSite->SendMessage(JVK_WM_BAR_TRACKING, reinterpret_cast<WPARAM>(this));
    m_bAnimatePopups = !(bSelectFirst || bKeyboard);
    m_hWndFocusBeforeTracking = ::GetFocus();
    if (m_hWndFocusBeforeTracking == nullptr && pSite) m_hWndFocusBeforeTracking = pSite->GetSafeHwnd();
    if (m_hWndFocusBeforeTracking) ::HideCaret(m_hWndFocusBeforeTracking);
    GetMouseManager()->AddTrackedBar(this);
    GetKeyboardManager()->HookKeyboard(this);
    ::SetCursor(::LoadCursor(nullptr, IDC_ARROW));
    if (bSelectFirst) SetSelected(m_pControls->GetNextIndex(-1, 1, TRUE, FALSE, FALSE), 2);
  } else {
    m_bAnimatePopups = FALSE;
    if (CJVKKeyboardManager* pKeyboard = PeekKeyboardManager()) pKeyboard->UnhookKeyboard(this);
    CJVKMouseManager* pMouse = PeekMouseManager();
    if (pMouse) pMouse->RemoveTrackedBar(this);
    // The menu session is over: the next popups open collapsed.
    if (pMouse && pMouse->GetTrackedBarCount() == 0) pMouse->m_bOpenExpanded = FALSE;
    SetPopuped(-1, FALSE);
    if (bSelectFirst) SetSelected(-1, 0);
    if (m_hWndFocusBeforeTracking) ::ShowCaret(m_hWndFocusBeforeTracking);
    m_hWndFocusBeforeTracking = nullptr;
    Redraw();
    if (pMouse && pMouse->GetTrackedBarCount() == 0 && pMouse->GetActiveBar() == this) pMouse->SetActiveBar(nullptr);
    // A bar in a dialog that had the focus hands it on.
    if (m_hWnd && ::GetFocus() == m_hWnd) {
      if (CWnd* pParent = GetParent()) {
        if (HWND hNext = ::GetNextDlgTabItem(pParent->m_hWnd, m_hWnd, FALSE)) ::SetFocus(hNext);
      }
    }
  }
  if (m_pCommandBars) m_pCommandBars->OnTrackingModeChanged(this, nMode != jvkTrackingOff);
  return TRUE;
}

void CJVKCommandBar::OnControlSelected(BOOL bSelected, CJVKControl* pControl) {
  CWnd* pSite = GetSite();
  if (pSite == nullptr || pSite->GetSafeHwnd() == nullptr) return;
  pSite->SendMessage(JVK_WM_CONTROL_SELECTED, bSelected ? reinterpret_cast<WPARAM>(pControl) : 0);
  const int nId = bSelected && pControl ? pControl->GetID() : -1;
  if (nId == m_nLastStatusId) return;
  m_nLastStatusId = nId;
  if (m_pCommandBars && !m_pCommandBars->GetBarOptions().bShowStatusDescriptions) return;
  const CString strDescription = bSelected && pControl ? pControl->GetDescription() : CString();
  if (strDescription.IsEmpty())
    pSite->SendMessage(WM_POPMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
  else
    pSite->SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(strDescription)));
}

// ------------------------------------------------ visibility, position

void CJVKCommandBar::SetVisible(BOOL bVisible) {
  if (bVisible == m_bVisible) return;
  m_bVisible = bVisible;
  if (!bVisible) SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
  if (m_hWnd) ShowWindow(bVisible ? SW_SHOWNA : SW_HIDE);
}

void CJVKCommandBar::NotifyVisibilityChanged() {
  CWnd* pSite = m_pCommandBars ? m_pCommandBars->GetSite() : nullptr;
  if (pSite && pSite->GetSafeHwnd())
    pSite->SendMessage(JVK_WM_BAR_VISIBLE_CHANGED, reinterpret_cast<WPARAM>(this), m_bVisible);
}

BOOL CJVKCommandBar::SetPosition(int nPosition) {
  m_nPosition = nPosition;
  DelayLayout();
  return TRUE;
}

// ---------------------------------------------------------- painting

void CJVKCommandBar::DrawCommandBar(CDC* pDC) {
  CJVKPaintManager* pPaintManager = GetPaintManager();
  pPaintManager->FillCommandBar(pDC, this);
  // A floating bar's gripper is its caption.
  if ((m_dwStyle & CBRS_GRIPPER) || m_nPosition == jvkBarFloating)
    pPaintManager->DrawCommandBarGripper(pDC, this, TRUE);
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    CJVKControl* pControl = m_pControls->GetAt(i);
    if (pControl->GetHideFlags() != 0) continue;
    if (pControl->GetBeginGroup() && i > 0) pPaintManager->DrawCommandBarSeparator(pDC, this, pControl, TRUE);
    pControl->Draw(pDC);
  }
  if (!m_rcDropMark.IsRectEmpty()) DrawDropMark(pDC);
}

void CJVKCommandBar::OnPaint() {
  CPaintDC dc(this);
  const CRect rc = GetClientRect();
  if (rc.IsRectEmpty()) return;
  CDC dcMemory;
  dcMemory.CreateCompatibleDC(&dc);
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(&dc, rc.Width(), rc.Height());
  CBitmap* pOldBitmap = dcMemory.SelectObject(&bitmap);
  DrawCommandBar(&dcMemory);
  dc.BitBlt(0, 0, rc.Width(), rc.Height(), &dcMemory, 0, 0, SRCCOPY);
  dcMemory.SelectObject(pOldBitmap);
}

LRESULT CJVKCommandBar::OnPrintClient(WPARAM wParam, LPARAM) {
  DrawCommandBar(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
  return 0;
}

// ------------------------------------------------------- screen tips

INT_PTR CJVKCommandBar::OnToolHitTest(CPoint point, TOOLINFO* pTI) const {
  if (m_nTracking == jvkTrackingPopups && m_nType != jvkBarTypePopup) return -1;
  if (m_nPopuped >= 0) return -1;
  if (const CJVKMouseManager* pMouse = PeekMouseManager(); pMouse && pMouse->m_nLock > 0) return -1;
  if (m_pCommandBars && m_nType != jvkBarTypePopup && !m_pCommandBars->GetBarOptions().bToolBarScreenTips) return -1;
  CJVKControl* pControl = HitTestControl(point);
  if (pControl == nullptr || pControl->GetTooltipText().IsEmpty()) return -1;
  if (pTI != nullptr) {
    // The text comes back through TTN_NEEDTEXT from the id's string.
    pTI->hwnd = m_hWnd;
    pTI->uId = static_cast<UINT_PTR>(pControl->GetID());
    pTI->rect = pControl->GetRect();
    pTI->lpszText = LPSTR_TEXTCALLBACK;
  }
  return pControl->GetID();
}

// ------------------------------------------------------------- mouse

LRESULT CJVKCommandBar::WindowProc(UINT nMessage, WPARAM wParam, LPARAM lParam) {
  // A message may run a command that releases the bar (a close button
  // hiding a torn-off bar, a command that drops the bar): the bar lives
  // until its handler has returned. Not while the bar is being deleted.
  const BOOL bHold = m_nRef > 0;
  if (bHold) AddBarRef();
  const LRESULT lResult = CWnd::WindowProc(nMessage, wParam, lParam);
  if (bHold) ReleaseBarRef();
  return lResult;
}

void CJVKCommandBar::OnLButtonDown(UINT nFlags, CPoint pt) {
  if (CJVKControl* pControl = HitTestControl(pt))
    pControl->OnClick(FALSE, pt);
  else
    CWnd::OnLButtonDown(nFlags, pt);
}

void CJVKCommandBar::OnLButtonUp(UINT nFlags, CPoint pt) {
  if (CJVKControl* pControl = HitTestControl(pt))
    pControl->OnLButtonUp(pt);
  else
    CWnd::OnLButtonUp(nFlags, pt);
}

void CJVKCommandBar::OnLButtonDblClk(UINT nFlags, CPoint pt) {
  const BOOL bCustomize = m_pCommandBars && m_pCommandBars->IsCustomizeMode();
  CJVKControl* pControl = bCustomize ? nullptr : HitTestControl(pt);
  if (pControl == nullptr || !pControl->OnLButtonDblClk(pt)) CWnd::OnLButtonDblClk(nFlags, pt);
}

void CJVKCommandBar::OnRButtonUp(UINT nFlags, CPoint pt) {
  const BOOL bCustomize = m_pCommandBars && m_pCommandBars->IsCustomizeMode();
  CJVKControl* pControl = bCustomize ? nullptr : HitTestControl(pt);
  if (pControl == nullptr) {
    CWnd::OnRButtonUp(nFlags, pt);
    return;
  }
  // The site may take the click (answer 1).
  if (CWnd* pSite = GetSite(); pSite && pSite->GetSafeHwnd() &&
      pSite->SendMessage(JVK_WM_CONTROL_RCLICK, reinterpret_cast<WPARAM>(&pt), reinterpret_cast<LPARAM>(pControl)) == 1)
    return;
  pControl->OnRButtonUp(pt);
}

void CJVKCommandBar::OnMouseMove(UINT nFlags, CPoint pt) {
  if (m_pCommandBars && m_pCommandBars->IsCustomizeMode()) {
    CWnd::OnMouseMove(nFlags, pt);
    return;
  }
  CJVKControl* pControl = HitTestControl(pt);
  if (pControl) {
    if (!m_bTrackingLeave) {
      TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
      m_bTrackingLeave = ::TrackMouseEvent(&tme);
    }
    if (pControl->GetIndex() != m_nSelected && m_nPopuped < 0) SetSelected(pControl->GetIndex(), 1);
    pControl->OnMouseMove(pt);
  } else if (m_nTracking == jvkTrackingOff && m_nPopuped < 0) {
    SetSelected(-1, 0);
  }
}

LRESULT CJVKCommandBar::OnMouseLeave(WPARAM, LPARAM) {
  m_bTrackingLeave = FALSE;
  if (m_nTracking == jvkTrackingOff && m_nPopuped < 0) SetSelected(-1, 0);
  return 0;
}

void CJVKCommandBar::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent != JVK_TIMER_HOVER) {
    CWnd::OnTimer(nIDEvent);
    return;
  }
  CWnd::KillTimer(nIDEvent);
  if (CJVKControl* pControl = m_pControls->GetAt(m_nSelected)) pControl->OnMouseHover();
}

void CJVKCommandBar::OnDestroy() {
  SetTrackingMode(jvkTrackingOff, TRUE, FALSE);
  CWnd::KillTimer(JVK_TIMER_HOVER);
  CWnd::OnDestroy();
}

// ------------------------------------------------------ idle updates

LRESULT CJVKCommandBar::OnIdleUpdateCmdUIMessage(WPARAM wParam, LPARAM) {
  OnIdleUpdateCmdUI(static_cast<BOOL>(wParam));
  return 0;
}

void CJVKCommandBar::OnIdleUpdateCmdUI(BOOL bDisableIfNoHandler) {
  if (m_hWnd == nullptr || !IsWindowVisible()) return;
  CWnd* pTarget = GetSite();
  const BOOL bCustomize = m_pCommandBars && m_pCommandBars->IsCustomizeMode();
  for (int i = 0; i < m_pControls->GetCount(); ++i) {
    CJVKControl* pControl = m_pControls->GetAt(i);
    if (pControl->m_bPressed != 0) {
      pControl->m_bPressed = 0;
      DelayRedraw();
    }
    if (pControl->GetFlags() & JVK_FLAG_MANUAL_UPDATE) continue;
    CJVKControlCmdUI ui(m_pControls, i);
    if (OnCmdMsg(ui.m_nID, CN_UPDATE_COMMAND_UI, &ui, nullptr)) continue;
    if (bCustomize)
      pControl->SetEnabled(TRUE);
    else if (pTarget)
      ui.DoUpdate(pTarget, bDisableIfNoHandler);
  }
  const DWORD dwPending = m_dwPending;
  m_dwPending = 0;
  if (dwPending & kRedrawPending) Invalidate(FALSE);
  if (dwPending & kLayoutPending) DelayLayout();
}
