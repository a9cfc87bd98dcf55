#include "DockingPaneCaptionButton.h"

#include "DockingPaneBase.h"

#include <framework/TrackingLoop.h>

namespace {

// The press of a caption button: the pressed look follows the pointer until
// the left button is released; Escape, a right click, WM_CANCELMODE, a lost
// capture or WM_QUIT end it without a click.
class CCaptionButtonLoop : public CTrackingLoop {
 public:
  CCaptionButtonLoop(CWnd* pWnd, CaptionButton* pButton, CPoint pt, BOOL bClient, BOOL& bPressed,
                     void (*pfnRedraw)(CaptionButton*))
      : CTrackingLoop(pWnd), m_pButton(pButton), m_pt(pt), m_bClient(bClient), m_bPressed(bPressed),
        m_pfnRedraw(pfnRedraw) {}

  void Follow() {
    const BOOL bInside = m_pButton->GetRect().PtInRect(m_pt);
    if (bInside != m_bPressed) {
      m_bPressed = bInside;
      m_pfnRedraw(m_pButton);
    }
  }

 protected:
  Action OnTrackMessage(MSG& msg) override {
    switch (msg.message) {
      case WM_MOUSEMOVE: {
        // The point of whichever window the move was queued for, made
        // relative to the owner (its window rectangle for an owner that
        // draws in its non-client area).
        POINT pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
        ::ClientToScreen(msg.hwnd, &pt);
        if (m_bClient) {
          ::ScreenToClient(m_pWnd->m_hWnd, &pt);
        } else {
          CRect rcWindow;
          ::GetWindowRect(m_pWnd->m_hWnd, &rcWindow);
          pt.x -= rcWindow.left;
          pt.y -= rcWindow.top;
        }
        m_pt = pt;
        Follow();
        return actionContinue;
      }
      case WM_NCMOUSEMOVE: return actionContinue;
      case WM_LBUTTONUP: return actionEnd;
      case WM_CANCELMODE: return actionCancel;
      default: return CTrackingLoop::OnTrackMessage(msg);
    }
  }

 private:
  CaptionButton* m_pButton;
  CPoint m_pt;
  BOOL m_bClient;
  BOOL& m_bPressed;
  void (*m_pfnRedraw)(CaptionButton*);
};

void RedrawOwner(CaptionButton* pButton) {
  if (pButton->GetOwner()) pButton->GetOwner()->Invalidate();
}

}  // namespace

BOOL CaptionButton::IsVisible() const { return m_pOwner && m_pOwner->GetCaptionButtonState(this); }

void CaptionButton::Redraw() { RedrawOwner(this); }

BOOL CaptionButton::OnMouseMove(CPoint point) {
  const BOOL bInside = !m_rcButton.IsRectEmpty() && m_rcButton.PtInRect(point);
  if (bInside && !m_bHot) {
    m_bHot = TRUE;
    Redraw();
    CWnd* pWnd = m_pOwner ? m_pOwner->GetWindow() : nullptr;
    if (pWnd && pWnd->GetSafeHwnd()) {
      TRACKMOUSEEVENT tme = {sizeof(TRACKMOUSEEVENT), TME_LEAVE, pWnd->GetSafeHwnd(), 0};
      ::TrackMouseEvent(&tme);
    }
    return TRUE;
  }
  if (!bInside && m_bHot) {
    m_bHot = FALSE;
    Redraw();
  }
  return FALSE;
}

BOOL CaptionButton::Click(CWnd* pWnd, CPoint point, BOOL bClient) {
  if (::GetCapture() != nullptr || !pWnd || !pWnd->GetSafeHwnd()) return FALSE;
  CCaptionButtonLoop loop(pWnd, this, point, bClient, m_bPressed, &RedrawOwner);
  loop.Follow();
  const BOOL bClicked = loop.Track() == CTrackingLoop::trackEnded && m_bPressed;
  m_bPressed = FALSE;
  CPoint ptCursor;
  ::GetCursorPos(&ptCursor);
  pWnd->ScreenToClient(&ptCursor);
  m_bHot = bClient && m_rcButton.PtInRect(ptCursor);
  Redraw();
  return bClicked;
}
