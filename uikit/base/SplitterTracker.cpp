#include "SplitterTracker.h"

#include "DrawHelpers.h"
#include "TrackerRules.h"

void CJVKSplitterTracker::Invert(const RECT& rect) {
  if (m_bSolid) {
    ::InvertRect(m_hDC, &rect);
    return;
  }
  HBRUSH hBrush = CJVKDrawHelpers::CreateHalftoneBrush();
  HGDIOBJ hOld = ::SelectObject(m_hDC, hBrush);
  ::PatBlt(m_hDC, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, PATINVERT);
  ::SelectObject(m_hDC, hOld);
  ::DeleteObject(hBrush);
}

BOOL CJVKSplitterTracker::Track(JVK_TRACK_REQUEST& request) {
  RECT& rect = *request.pRect;
  ::SetCapture(request.hOwner);
  HWND hDesktop = ::GetDesktopWindow();
  const BOOL bLocked = ::LockWindowUpdate(hDesktop);
  m_hDC =
      ::GetDCEx(hDesktop, nullptr, bLocked ? DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE : DCX_WINDOW | DCX_CACHE);

  const POINT offset =
      request.bHorizontal ? POINT{rect.left - request.ptCurrent.x, 0} : POINT{0, rect.top - request.ptCurrent.y};
  const BOOL bBound = !m_rcBound.IsRectEmpty();
  if (bBound) Invert(m_rcBound);
  Invert(rect);

  BOOL bAccepted = FALSE;
  while (::GetCapture() == request.hOwner) {
    MSG msg;
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      // The quit belongs to the caller's loop: cancel and hand it back.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (got == -1) break;
    if (msg.message == WM_MOUSEMOVE) {
      POINT pt = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
      ::ClientToScreen(msg.hwnd, &pt);
      pt.x = ClampTrackCoordinate(pt.x + offset.x, request.nMinX, request.nMaxX);
      pt.y = ClampTrackCoordinate(pt.y + offset.y, request.nMinY, request.nMaxY);
      const int delta = request.bHorizontal ? pt.x - rect.left : pt.y - rect.top;
      if (delta != 0) {
        Invert(rect);
        ::OffsetRect(&rect, request.bHorizontal ? delta : 0, request.bHorizontal ? 0 : delta);
        Invert(rect);
      }
    } else if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      break;
    } else if (msg.message == WM_LBUTTONUP) {
      bAccepted = TRUE;
      break;
    } else {
      ::DispatchMessageA(&msg);
    }
  }

  if (bBound) Invert(m_rcBound);
  Invert(rect);
  if (::GetCapture() == request.hOwner) ::ReleaseCapture();
  ::LockWindowUpdate(nullptr);
  ::ReleaseDC(hDesktop, m_hDC);
  m_hDC = nullptr;
  return bAccepted;
}
