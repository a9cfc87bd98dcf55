#include "MouseManager.h"

#include "DrawHelpers.h"

#include <algorithm>

namespace {

THREAD_LOCAL(CJVKMouseManager, t_mouseManager)

// The point of the last mouse message any thread's hook saw.
int g_nLastHookX = 0;
int g_nLastHookY = 0;

BOOL IsMove(UINT nMessage) { return nMessage == WM_MOUSEMOVE || nMessage == WM_NCMOUSEMOVE; }
BOOL IsLeftButtonUp(UINT nMessage) { return nMessage == WM_LBUTTONUP || nMessage == WM_NCLBUTTONUP; }
BOOL IsButtonDown(UINT nMessage) {
  switch (nMessage) {
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
    case WM_NCMBUTTONDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: return TRUE;
    default: return FALSE;
  }
}

// A window counts as reachable by the mouse when it is top-level or a popup,
// or when its application is the one in front.
BOOL IsReachable(HWND hWnd) {
  if (::GetParent(hWnd) == nullptr || (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_POPUP)) return TRUE;
  return CJVKDrawHelpers::IsTopParentActive(hWnd);
}

}  // namespace

CJVKMouseManager* GetMouseManager() { return t_mouseManager.GetData(); }
CJVKMouseManager* PeekMouseManager() { return t_mouseManager.GetDataNA(); }

CJVKMouseManager::CJVKMouseManager() { m_hookMouse.Install(WH_MOUSE, MouseProc); }

CJVKMouseManager::~CJVKMouseManager() {
  if (m_hWndMouseLeave != nullptr && ::IsWindow(m_hWndMouseLeave)) ::KillTimer(m_hWndMouseLeave, JVK_MOUSELEAVE_TIMER);
}

BOOL CJVKMouseManager::IsTracked(CJVKTrackedBar* pBar) const {
  return std::find(m_bars.begin(), m_bars.end(), pBar) != m_bars.end();
}

void CJVKMouseManager::AddTrackedBar(CJVKTrackedBar* pBar) {
  if (pBar == nullptr) return;
  if (m_bars.empty() && m_pActiveBar != nullptr && m_pActiveBar != pBar) m_pActiveBar->LeaveTrackingMode();
  if (!IsTracked(pBar)) m_bars.push_back(pBar);
}

void CJVKMouseManager::RemoveTrackedBar(CJVKTrackedBar* pBar) {
  auto it = std::find(m_bars.begin(), m_bars.end(), pBar);
  if (it != m_bars.end()) {
    m_bars.erase(it);
    if (m_bars.empty()) {
      POINT pt;
      ::GetCursorPos(&pt);
      ::SetCursorPos(pt.x, pt.y);
    }
  }
  m_bIgnoreNextButtonUp = FALSE;
}

void CJVKMouseManager::ForgetBar(CJVKTrackedBar* pBar) {
  auto it = std::find(m_bars.begin(), m_bars.end(), pBar);
  if (it != m_bars.end()) m_bars.erase(it);
  if (m_pActiveBar == pBar) m_pActiveBar = nullptr;
}

void CJVKMouseManager::SendTrackLost() {
  while (!m_bars.empty()) {
    CJVKTrackedBar* pBar = m_bars.front();
    pBar->EndTracking();
    if (!m_bars.empty() && m_bars.front() == pBar) RemoveTrackedBar(pBar);
  }
}

BOOL CJVKMouseManager::IsTrackActive(CJVKTrackedBar* pBar) const {
  if (m_bars.empty()) return FALSE;
  return pBar == nullptr || pBar->m_nTrackLock > 0 || !IsTracked(pBar);
}

void CJVKMouseManager::LockTrackedBars(BOOL bLock) {
  for (CJVKTrackedBar* pBar : m_bars) pBar->m_nTrackLock += bLock ? 1 : -1;
}

void CJVKMouseManager::CloseUnlockedBars() {
  if (m_bars.empty() || m_bars.front()->m_nTrackLock <= 0) return;
  std::vector<CJVKTrackedBar*> bars = m_bars;
  for (CJVKTrackedBar* pBar : bars)
    if (IsTracked(pBar) && pBar->m_nTrackLock == 0) pBar->EndTracking();
}

void CJVKMouseManager::RemoveSafeWindow(HWND hWnd) {
  auto it = std::find(m_safeWindows.begin(), m_safeWindows.end(), hWnd);
  if (it != m_safeWindows.end()) m_safeWindows.erase(it);
}

LRESULT CALLBACK CJVKMouseManager::MouseProc(int nCode, WPARAM wParam, LPARAM lParam) {
  return GetMouseManager()->OnMouse(nCode, wParam, lParam);
}

LRESULT CJVKMouseManager::OnMouse(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode != HC_ACTION) return m_hookMouse.CallNext(nCode, wParam, lParam);
  const UINT nMessage = static_cast<UINT>(wParam);
  const POINT pt = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam)->pt;
  if (nMessage == WM_LBUTTONDOWN || nMessage == WM_RBUTTONDOWN) m_bIgnoreNextButtonUp = FALSE;
  if (IsLeftButtonUp(nMessage) && m_bIgnoreNextButtonUp) {
    m_bIgnoreNextButtonUp = FALSE;
    return 1;
  }
  // Moves without motion (sent again by the system) would re-select
  // controls of an open popup.
  if (!m_bars.empty() && IsMove(nMessage) && pt.x == g_nLastHookX && pt.y == g_nLastHookY) return 1;
  g_nLastHookX = pt.x;
  g_nLastHookY = pt.y;
  if (!m_bars.empty()) HandleTrackedMessage(nMessage, pt);
  return m_hookMouse.CallNext(nCode, wParam, lParam);
}

void CJVKMouseManager::HandleTrackedMessage(UINT nMessage, POINT ptScreen) {
  HWND hWndUnder = ::WindowFromPoint(ptScreen);
  for (auto it = m_bars.rbegin(); it != m_bars.rend(); ++it) {
    CJVKTrackedBar* pBar = *it;
    HWND hWndBar = pBar->GetTrackedBarWindow();
    if (hWndBar == nullptr) continue;
    int nHit = pBar->HitTestTrackedBar(ptScreen);
    if (nHit == JVK_BARHIT_SKIP) continue;
    if (nHit != JVK_BARHIT_ON_BAR && !::IsChild(hWndBar, hWndUnder)) continue;
    if (pBar->m_nTrackLock > 0 && !IsMove(nMessage) && !m_bIgnoreNextButtonUp) {
      CloseUnlockedBars();
      g_nLastHookX = 0;
      g_nLastHookY = 0;
    }
    return;
  }
  for (HWND hWndSafe : m_safeWindows) {
    RECT rect;
    if (::IsWindow(hWndSafe) && ::IsWindowVisible(hWndSafe) && ::GetWindowRect(hWndSafe, &rect) &&
        ::PtInRect(&rect, ptScreen))
      return;
  }
  if (IsMove(nMessage)) {
    std::vector<CJVKTrackedBar*> bars = m_bars;
    for (CJVKTrackedBar* pBar : bars) {
      if (!IsTracked(pBar) || pBar->m_nTrackLock > 0) continue;
      POINT ptClient = ptScreen;
      ::ScreenToClient(pBar->GetTrackedBarWindow(), &ptClient);
      pBar->OnHookedClick(nMessage, ptClient);
    }
  } else if (IsButtonDown(nMessage) || (IsLeftButtonUp(nMessage) && m_nLock <= 0)) {
    SendTrackLost();
  }
}

void CJVKMouseManager::TrackMouseLeave(HWND hWnd) {
  if (hWnd == m_hWndMouseLeave) return;
  HWND hWndBefore = m_hWndMouseLeave;
  if (hWndBefore != nullptr && ::IsWindow(hWndBefore)) {
    ::KillTimer(hWndBefore, JVK_MOUSELEAVE_TIMER);
    ::SendMessageA(hWndBefore, WM_MOUSELEAVE, 0, 0);
  }
  m_hWndMouseLeave = hWnd;
  if (hWnd != nullptr) ::SetTimer(hWnd, JVK_MOUSELEAVE_TIMER, JVK_MOUSELEAVE_PERIOD, MouseLeaveTimerProc);
}

void CALLBACK CJVKMouseManager::MouseLeaveTimerProc(HWND hWnd, UINT, UINT_PTR, DWORD) {
  GetMouseManager()->OnMouseLeaveTick(hWnd);
}

void CJVKMouseManager::OnMouseLeaveTick(HWND hWnd) {
  if (hWnd != m_hWndMouseLeave) {
    ::KillTimer(hWnd, JVK_MOUSELEAVE_TIMER);  // a watch that was replaced
    return;
  }
  if (!::IsWindow(hWnd)) {
    m_hWndMouseLeave = nullptr;
    return;
  }
  POINT pt;
  RECT rect;
  ::GetCursorPos(&pt);
  ::GetWindowRect(hWnd, &rect);
  if (::PtInRect(&rect, pt) && IsReachable(hWnd)) return;
  ::KillTimer(hWnd, JVK_MOUSELEAVE_TIMER);
  m_hWndMouseLeave = nullptr;
  ::PostMessageA(hWnd, WM_MOUSELEAVE, 0, 0);
}
