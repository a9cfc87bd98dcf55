// Customization of a control: the click that selects and drags it, and the
// drag of an edge that changes an edit or combo box's width.
#include "Control.h"

#include "Controls.h"
#include "ResourceManager.h"

#include <algorithm>

namespace {
// The customize resize cursor of the toolkit's resources.
const UINT kIDCursorResize = 9972;

void InvertFrame(HDC hDC, const CRect& rc) {
  const int n = 2;
  const RECT sides[4] = {{rc.left, rc.top, rc.right, rc.top + n},
                         {rc.left, rc.bottom - n, rc.right, rc.bottom},
                         {rc.left, rc.top + n, rc.left + n, rc.bottom - n},
                         {rc.right - n, rc.top + n, rc.right, rc.bottom - n}};
  for (const RECT& side : sides) ::InvertRect(hDC, &side);
}

// One edge of the rectangle follows the pointer, the width kept at least
// the minimum; the inverted frame on the desktop shows it.
class CEdgeDragLoop : public CTrackingLoop {
 public:
  CEdgeDragLoop(CWnd* pBar, HDC hDC, CRect rc, BOOL bRight, int nOffset, int nMinWidth)
      : CTrackingLoop(pBar), m_rc(rc), m_hDC(hDC), m_bRight(bRight), m_nOffset(nOffset), m_nMinWidth(nMinWidth) {}
  CRect m_rc;

 protected:
  Action OnTrackMessage(MSG& msg) override {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return actionCancel;
    if (msg.message == WM_LBUTTONUP) return actionEnd;
    if (msg.message != WM_MOUSEMOVE) {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
      return actionContinue;
    }
    CPoint pt(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
    ::ClientToScreen(msg.hwnd, &pt);
    CRect rc = m_rc;
    if (m_bRight)
      rc.right = std::max(rc.left + m_nMinWidth, pt.x - m_nOffset);
    else
      rc.left = std::min(rc.right - m_nMinWidth, pt.x - m_nOffset);
    if (rc != m_rc) {
      InvertFrame(m_hDC, m_rc);
      m_rc = rc;
      InvertFrame(m_hDC, m_rc);
    }
    return actionContinue;
  }

 private:
  HDC m_hDC;
  BOOL m_bRight;
  int m_nOffset;
  int m_nMinWidth;
};
}  // namespace

BOOL CJVKControl::OnCustomizeResize(CPoint pt) {
  CJVKControlCommandBars* pBars = GetCommandBars();
  if (pBars == nullptr || m_pParent == nullptr || m_pParent->GetBarWnd() == nullptr) return FALSE;
  if (!m_rcControl.PtInRect(pt)) return FALSE;
  const BOOL bNearLeft = pt.x - m_rcControl.left <= 2;
  const BOOL bNearRight = m_rcControl.right - pt.x <= 2;
  if (!bNearLeft && !bNearRight) return FALSE;
  InternalAddRef();
  CWnd* pBar = m_pParent->GetBarWnd();
  pBars->SetCustomizeSelection(nullptr);
  pBar->Invalidate(FALSE);
  pBar->UpdateWindow();
  CRect rc = m_rcControl;
  pBar->ClientToScreen(&rc);
  CPoint ptScreen = pt;
  pBar->ClientToScreen(&ptScreen);
  const BOOL bRight = pt.x - m_rcControl.left > 2;
  const int nOffset = ptScreen.x - (bRight ? rc.right : rc.left);

  const HCURSOR hOldCursor = ::SetCursor(GetResourceManager()->LoadCursor(kIDCursorResize));
  HWND hDesktop = ::GetDesktopWindow();
  const BOOL bLocked = ::LockWindowUpdate(hDesktop);
  HDC hDC = ::GetDCEx(hDesktop, nullptr, DCX_WINDOW | DCX_CACHE | (bLocked ? DCX_LOCKWINDOWUPDATE : 0));
  InvertFrame(hDC, rc);
  CEdgeDragLoop loop(pBar, hDC, rc, bRight, nOffset, GetCustomizeMinWidth());
  const BOOL bAccepted = loop.Track() == CTrackingLoop::trackEnded;
  InvertFrame(hDC, loop.m_rc);
  if (bLocked) ::LockWindowUpdate(nullptr);
  ::ReleaseDC(hDesktop, hDC);
  ::SetCursor(hOldCursor);

  pBars->SetCustomizeSelection(this);
  if (bAccepted && loop.m_rc.Width() != rc.Width() && m_pParent) {
    SetWidth(loop.m_rc.Width());
    m_pParent->DelayLayout();
  }
  if (m_pParent && m_pParent->GetBarWnd()) {
    m_pParent->GetBarWnd()->Invalidate(FALSE);
    m_pParent->GetBarWnd()->UpdateWindow();
  }
  InternalRelease();
  return TRUE;
}

void CJVKControl::OnCustomizeClick(CPoint pt) {
  CJVKControlCommandBars* pBars = GetCommandBars();
  if (pBars == nullptr) return;
  if (pBars->GetCustomizeSelection() == this && IsCustomizeResizeAllowed() && OnCustomizeResize(pt)) return;
  InternalAddRef();
  pBars->SetCustomizeSelection(this);
  const int nEffect = pBars->CustomizeDrag(this);
  if ((nEffect == 0 || nEffect == 2) && m_pControls != nullptr && m_pParent != nullptr) {
    CJVKControlParentBar* pParent = m_pParent;
    CJVKControls* pControls = m_pControls;
    pParent->SetPopuped(-1, FALSE);
    pParent->SetSelected(-1, FALSE);
    if (pBars->GetCustomizeSelection() == this) pBars->SetCustomizeSelection(nullptr);
    if (m_bBeginGroup) {
      if (CJVKControl* pNext = pControls->GetAt(m_nIndex + 1)) pNext->SetBeginGroup(TRUE);
    }
    if (m_nIndex == 0) {
      if (CJVKControl* pNext = pControls->GetAt(1)) pNext->SetBeginGroup(FALSE);
    }
    pControls->Remove(this);
    pParent->DelayLayout();
  }
  pBars->SetCustomizeSelection(pBars->GetCustomizeSelection());
  InternalRelease();
}
