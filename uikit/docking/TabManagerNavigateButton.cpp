#include "TabManagerNavigateButton.h"

#include <algorithm>

#include "TabColorSet.h"
#include "TabManager.h"
#include "TabPaintManager.h"

#include <DrawHelpers.h>
#include <ScopeDC.h>

namespace {

class CSystemTabClock : public CJVKTabClock {
 public:
  DWORD GetTickCount() override { return ::GetTickCount(); }
};

// Ticks come 20 ms apart while a scroll button is held.
const DWORD kRepeatMs = 20;

}  // namespace

CJVKTabClock* JVKSystemTabClock() {
  static CSystemTabClock clock;
  return &clock;
}

CJVKTabClock* CJVKTabManagerNavigateButton::s_pClock = nullptr;

CJVKTabManagerNavigateButton::CJVKTabManagerNavigateButton(CJVKTabManager* pManager, int nId, int nMode)
    : m_nId(nId), m_nMode(nMode), m_szButton(kJvkTabNavigateWidth, kJvkTabNavigateHeight), m_pManager(pManager) {}

void CJVKTabManagerNavigateButton::SetHot(BOOL bHot) {
  m_bHot = bHot;
  m_pManager->RedrawControl();
}

BOOL CJVKTabManagerNavigateButton::PerformClick(HWND hWnd, CPoint pt) {
  if (::GetCapture() != nullptr && ::GetCapture() != hWnd) return FALSE;
  if (!m_bEnabled) return FALSE;
  CJVKTabClock* pClock = s_pClock ? s_pClock : JVKSystemTabClock();
  ::SetCapture(hWnd);
  DWORD dwLastTick = pClock->GetTickCount();
  BOOL bReleasedInside = FALSE;
  for (;;) {
    if (::GetCapture() != hWnd) break;
    const DWORD dwNow = pClock->GetTickCount();
    if (m_bEnabled && dwNow - dwLastTick > kRepeatMs) {
      dwLastTick = dwNow;
      OnExecute(TRUE);
    }
    const BOOL bInside = m_rcButton.PtInRect(pt);
    if (bInside != m_bPressed) {
      m_bPressed = bInside;
      m_pManager->RedrawControl();
    }
    MSG msg;
    if (!::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // Wake for input or for the next tick, whichever comes first.
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kRepeatMs / 2, QS_ALLINPUT);
      continue;
    }
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_CANCELMODE || msg.message == WM_RBUTTONDOWN ||
        (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
      break;
    if (msg.message == WM_MOUSEMOVE && msg.hwnd == hWnd) {
      pt = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      continue;
    }
    if (msg.message == WM_LBUTTONUP) {
      if (msg.hwnd == hWnd)
        pt = CPoint(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
      bReleasedInside = m_rcButton.PtInRect(pt);
      break;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessage(&msg);
  }
  if (::GetCapture() == hWnd) ::ReleaseCapture();
  m_bPressed = FALSE;
  m_bHot = m_rcButton.PtInRect(pt);
  m_pManager->RedrawControl();
  if (bReleasedInside) OnExecute(FALSE);
  return bReleasedInside;
}

void CJVKTabManagerNavigateButton::Draw(CDC* pDC) {
  if (m_rcButton.IsRectEmpty()) return;
  CRect rc = m_rcButton;
  m_pManager->GetPaintManager()->GetColorSet()->FillNavigateButton(pDC, this, rc);
  DrawGlyph(pDC, rc);
}

CJVKTabManagerScrollButton::CJVKTabManagerScrollButton(CJVKTabManager* pManager, BOOL bForward)
    : CJVKTabManagerNavigateButton(pManager, bForward ? jvkTabNavigateForward : jvkTabNavigateBack,
                                   jvkTabNavigateAuto) {}

void CJVKTabManagerScrollButton::DrawGlyph(CDC* pDC, CRect rc) {
  const CPoint c = rc.CenterPoint();
  const BOOL bVertical = JVKIsVerticalTabPosition(m_pManager->GetPosition());
  const BOOL bForward = m_nId == jvkTabNavigateForward;
  CPoint pts[3];
  if (!bVertical) {
    const int s = bForward ? -1 : 1;  // the tip points back or forward
    pts[0] = CPoint(c.x + 2 * s, c.y - 5);
    pts[1] = CPoint(c.x - 2 * s, c.y - 1);
    pts[2] = CPoint(c.x + 2 * s, c.y + 3);
  } else {
    const int s = bForward ? -1 : 1;
    pts[0] = CPoint(c.x - 5, c.y + 2 * s);
    pts[1] = CPoint(c.x - 1, c.y - 2 * s);
    pts[2] = CPoint(c.x + 3, c.y + 2 * s);
  }
  const COLORREF clr = pDC->GetTextColor();
  CJVKPenDC pen(*pDC, clr);
  if (m_bEnabled) {
    CJVKBrushDC brush(*pDC, clr);
    pDC->Polygon(pts, 3);
  } else {
    HGDIOBJ hOld = ::SelectObject(*pDC, ::GetStockObject(NULL_BRUSH));
    pDC->Polygon(pts, 3);
    ::SelectObject(*pDC, hOld);
  }
}

void CJVKTabManagerScrollButton::OnExecute(BOOL bTick) {
  if (bTick) m_pManager->OnScroll(m_nId == jvkTabNavigateForward);
}

CJVKTabManagerCloseButton::CJVKTabManagerCloseButton(CJVKTabManager* pManager)
    : CJVKTabManagerNavigateButton(pManager, jvkTabNavigateClose, jvkTabNavigateNever) {}

void CJVKTabManagerCloseButton::DrawGlyph(CDC* pDC, CRect rc) {
  CJVKPenDC pen(*pDC, pDC->GetTextColor());
  for (int dx = 3; dx <= 4; ++dx) {
    pDC->MoveTo(rc.left + dx, rc.top + 3);
    pDC->LineTo(rc.right - 7 + dx, rc.bottom - 5);
    pDC->MoveTo(rc.left + dx, rc.bottom - 6);
    pDC->LineTo(rc.right - 7 + dx, rc.top + 2);
  }
}

void CJVKTabManagerCloseButton::OnExecute(BOOL bTick) {
  if (!bTick) m_pManager->OnNavigateButtonClick(jvkTabNavigateClose);
}
