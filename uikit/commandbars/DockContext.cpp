#include "DockContext.h"

#include "CommandBars.h"
#include "DockBar.h"
#include "ToolBar.h"

#include <MouseManager.h>
#include <MultiMonitor.h>

#include <algorithm>

namespace {
// The floating layout: horizontal, at the remembered width, committed.
const DWORD kFloatingMode = LM_HORZ | LM_MRUWIDTH | LM_COMMIT;

// Moves rc by the distance by which pt lies outside it on each axis.
void BringPointInside(CRect& rc, CPoint pt) {
  if (pt.x < rc.left) rc.OffsetRect(pt.x - rc.left, 0);
  if (pt.x >= rc.right) rc.OffsetRect(pt.x - rc.right + 1, 0);
  if (pt.y < rc.top) rc.OffsetRect(0, pt.y - rc.top);
  if (pt.y >= rc.bottom) rc.OffsetRect(0, pt.y - rc.bottom + 1);
}
}  // namespace

CJVKCommandBars* CJVKDockContext::GetCommandBars() const {
  return dynamic_cast<CJVKCommandBars*>(m_pBar->GetCommandBars());
}

void CJVKDockContext::RememberDockedPlace() {
  CJVKCommandBars* pBars = GetCommandBars();
  CJVKDockBar* pDock = m_pBar->GetDockBar();
  if (pBars == nullptr || pDock == nullptr || m_pBar->GetSafeHwnd() == nullptr) return;
  for (int i = 0; i < 4; ++i)
    if (pBars->GetDockBar(i) == pDock) m_nDockBarIndex = i;
  m_pBar->GetWindowRect(&m_rcDocked);
  pDock->ScreenToClient(&m_rcDocked);
}

void CJVKDockContext::SizeFloatingRect(CPoint pt) {
  const CSize sz = m_pBar->CalcDynamicLayout(0, kFloatingMode);
  m_rcFloat = CRect(m_rcFloat.TopLeft(), sz);
  BringPointInside(m_rcFloat, pt);
}

BOOL CJVKDockContext::Track() {
  CJVKCommandBars* pBars = GetCommandBars();
  if (::GetCapture() != nullptr) return FALSE;
  ::SetCursor(::LoadCursor(nullptr, IDC_SIZEALL));
  CJVKMouseManager* pMouse = GetMouseManager();
  ++pMouse->m_nLock;
  m_pBar->SetCapture();
  for (;;) {
    if (::GetCapture() != m_pBar->GetSafeHwnd()) break;
    MSG msg;
    while (::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) ::DispatchMessage(&msg);
    const BOOL bGot = ::GetMessage(&msg, nullptr, 0, 0);
    if (bGot == 0) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (bGot == -1) break;
    if (msg.message == WM_LBUTTONUP) break;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
    if (msg.message == WM_MOUSEMOVE) {
      const DWORD dwPos = ::GetMessagePos();
      const CPoint pt(static_cast<short>(LOWORD(dwPos)), static_cast<short>(HIWORD(dwPos)));
      if (pt != m_ptLast) {
        if (m_nMode == 1)
          Move(pt);
        else
          Resize(pt);
      }
    } else {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
    // A frame layout that was put off is carried out at once.
    pBars->IdleRecalcLayout();
  }
  if (::GetCapture() == m_pBar->GetSafeHwnd()) ::ReleaseCapture();
  --pMouse->m_nLock;
  pBars->GetCommandBarsOptions()->m_bDirty = TRUE;
  return TRUE;
}

BOOL CJVKDockContext::StartResize(int nHitTest, CPoint ptScreen) {
  if (GetCommandBars() == nullptr || m_pBar->GetSafeHwnd() == nullptr || nHitTest < HTLEFT ||
      nHitTest > HTBOTTOMRIGHT)
    return FALSE;
  m_nMode = nHitTest;
  m_ptLast = ptScreen;
  m_pBar->GetWindowRect(&m_rcFloat);
  m_pBar->AddBarRef();
  const BOOL bTracked = Track();
  if (bTracked && m_pBar->GetSafeHwnd()) {
    CRect rc;
    m_pBar->GetWindowRect(&rc);
    if (m_pBar->GetPosition() == jvkBarFloating) m_ptFloating = rc.TopLeft();
    m_pBar->SetMRUWidth(rc.Width());
  }
  m_pBar->ReleaseBarRef();
  return bTracked;
}

void CJVKDockContext::Resize(CPoint pt) {
  m_ptLast = pt;
  CRect rc;
  m_pBar->GetWindowRect(&rc);
  CSize sz;
  if (m_nMode == HTLEFT || m_nMode == HTRIGHT) {
    const int nWidth = m_nMode == HTLEFT ? rc.right - pt.x : pt.x - rc.left;
    sz = m_pBar->CalcDynamicLayout(std::max(nWidth, 0), LM_COMMIT | LM_HORZ);
  } else {
    const BOOL bTop = m_nMode == HTTOP || m_nMode == HTTOPLEFT || m_nMode == HTTOPRIGHT;
    const int nHeight = bTop ? rc.bottom - pt.y : pt.y - rc.top;
    sz = m_pBar->CalcDynamicLayout(std::max(nHeight, 0), LM_COMMIT | LM_LENGTHY | LM_HORZ);
  }
  if (sz == rc.Size()) return;
  // The edge across from the one dragged stays.
  CRect rcNew(rc.TopLeft(), sz);
  if (m_nMode == HTLEFT) rcNew.OffsetRect(rc.right - rcNew.right, 0);
  if (m_nMode == HTTOP) rcNew.OffsetRect(0, rc.bottom - rcNew.bottom);
  RECT rcWork = {};
  GetMultiMonitor()->GetWorkAreaFromRect(rcWork, rcNew);
  CRect rcMeet;
  if (!rcMeet.IntersectRect(&rcNew, &rcWork)) return;
  m_pBar->SetWindowPos(nullptr, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  m_pBar->Invalidate(FALSE);
}

BOOL CJVKDockContext::StartDrag(CPoint ptScreen) {
  CJVKCommandBars* pBars = GetCommandBars();
  if (pBars == nullptr || m_pBar->GetSafeHwnd() == nullptr || ::GetCapture() != nullptr) return FALSE;
  const BOOL bWasDocked = m_pBar->GetPosition() != jvkBarFloating;
  const int nDockBarBefore = m_nDockBarIndex;
  const CRect rcDockedBefore = m_rcDocked;
  if (bWasDocked) RememberDockedPlace();
  const int nDockBarAtStart = m_nDockBarIndex;
  const CRect rcDockedAtStart = m_rcDocked;
  m_nDockBarIndex = nDockBarBefore;
  m_rcDocked = rcDockedBefore;

  m_nMode = 1;
  m_ptLast = ptScreen;
  m_pBar->GetWindowRect(&m_rcDrag);
  BringPointInside(m_rcDrag, ptScreen);
  m_rcFloat = m_rcDrag;
  // The bar may be released by a command while the loop runs.
  m_pBar->AddBarRef();
  if (!Track()) {
    m_pBar->ReleaseBarRef();
    return FALSE;
  }
  if (m_pBar->GetPosition() == jvkBarFloating && m_pBar->GetSafeHwnd()) {
    CRect rc;
    m_pBar->GetWindowRect(&rc);
    m_ptFloating = rc.TopLeft();
    if (bWasDocked) {
      m_nDockBarIndex = nDockBarAtStart;
      m_rcDocked = rcDockedAtStart;
    }
  } else {
    RememberDockedPlace();
  }
  m_pBar->ReleaseBarRef();
  return TRUE;
}

void CJVKDockContext::Move(CPoint pt) {
  CJVKCommandBars* pBars = GetCommandBars();
  const CSize d = pt - m_ptLast;
  m_ptLast = pt;
  m_rcFloat.OffsetRect(d);
  m_rcDrag.OffsetRect(d);
  const DWORD dwFlags = m_pBar->GetDockingFlags();
  CJVKDockBar* pDock = pBars->FindDockBar(pt, m_pBar->GetDockBar());
  if (pDock && (dwFlags & (JVK_DOCK_TOP << pDock->GetDockPosition()))) {
    const BOOL bWasFloating = m_pBar->GetPosition() == jvkBarFloating;
    CJVKDockBar* pOld = m_pBar->GetDockBar();
    pBars->DockCommandBar(m_pBar, &m_rcDrag, pDock);
    if (pDock != pOld || bWasFloating) {
      pBars->RecalcFrameLayout(FALSE);
      m_pBar->GetWindowRect(&m_rcDrag);
    }
    return;
  }
  if (!(dwFlags & JVK_DOCK_FLOAT)) return;
  if (m_pBar->GetPosition() != jvkBarFloating) {
    pBars->FloatCommandBar(m_pBar);
    SizeFloatingRect(pt);
  }
  m_pBar->SetWindowPos(nullptr, m_rcFloat.left, m_rcFloat.top, m_rcFloat.Width(), m_rcFloat.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CJVKDockContext::ToggleDocking() {
  CJVKCommandBars* pBars = GetCommandBars();
  if (pBars == nullptr || m_pBar->GetSafeHwnd() == nullptr) return FALSE;
  const DWORD dwFlags = m_pBar->GetDockingFlags();
  BOOL bDone = FALSE;
  if (m_pBar->GetPosition() == jvkBarFloating) {
    if (!(dwFlags & (JVK_DOCK_TOP | JVK_DOCK_BOTTOM | JVK_DOCK_LEFT | JVK_DOCK_RIGHT))) return FALSE;
    // Back to the remembered dock bar, else the first one the bar allows.
    int nIndex = m_nDockBarIndex;
    if (nIndex < 0 || !(dwFlags & (JVK_DOCK_TOP << nIndex)))
      for (nIndex = 0; nIndex < 3 && !(dwFlags & (JVK_DOCK_TOP << nIndex)); ++nIndex) {}
    CJVKDockBar* pDock = pBars->GetDockBar(nIndex);
    if (pDock == nullptr) return FALSE;
    CRect rcFloating;
    m_pBar->GetWindowRect(&rcFloating);
    m_ptFloating = rcFloating.TopLeft();
    if (m_rcDocked.IsRectEmpty()) {
      pBars->DockCommandBar(m_pBar, nullptr, pDock);
    } else {
      CRect rc = m_rcDocked;
      pDock->ClientToScreen(&rc);
      pBars->DockCommandBar(m_pBar, &rc, pDock);
    }
    pBars->RecalcFrameLayout(FALSE);
    bDone = TRUE;
  } else if ((dwFlags & JVK_DOCK_FLOAT) && pBars->GetCommandBarsOptions()->m_bDblClickFloat) {
    RememberDockedPlace();
    CPoint pt = m_ptFloating;
    if (pt.x <= 0 || pt.y <= 0) {
      CRect rc = m_rcDocked;
      if (CJVKDockBar* pDock = pBars->GetDockBar(m_nDockBarIndex)) pDock->ClientToScreen(&rc);
      pt = rc.TopLeft();
    }
    pBars->FloatCommandBar(m_pBar);
    const CSize sz = m_pBar->CalcDynamicLayout(0, kFloatingMode);
    m_pBar->SetWindowPos(nullptr, pt.x, pt.y, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    bDone = TRUE;
  }
  if (bDone) pBars->GetCommandBarsOptions()->m_bDirty = TRUE;
  return bDone;
}
