#include "framework/TrackingLoop.h"

#include "framework/WinThread.h"

CTrackingLoop::Result CTrackingLoop::Track() {
  HWND hWnd = m_pWnd->GetSafeHwnd();
  ENSURE_ARG(hWnd != nullptr);
  ::SetCapture(hWnd);
  Result result;
  for (;;) {
    // Sent messages (WM_CANCELMODE, another window's SetCapture) run inside
    // PeekMessage: the capture is checked after each of them.
    if (::GetCapture() != hWnd) {
      result = trackCaptureLost;
      break;
    }
    MSG msg;
    if (!::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
      continue;
    }
    if (msg.message == WM_QUIT) {
      AfxPostQuitMessage(static_cast<int>(msg.wParam));
      result = trackQuit;
      break;
    }
    Action action = OnTrackMessage(msg);
    if (action != actionContinue) {
      result = action == actionEnd ? trackEnded : trackCancelled;
      break;
    }
  }
  if (::GetCapture() == hWnd) ::ReleaseCapture();
  return result;
}

CTrackingLoop::Action CTrackingLoop::OnTrackMessage(MSG& msg) {
  switch (msg.message) {
    case WM_LBUTTONUP: return actionEnd;
    case WM_RBUTTONDOWN: return actionCancel;
    case WM_KEYDOWN:
      if (msg.wParam == VK_ESCAPE) return actionCancel;
      break;
    default: break;
  }
  ::TranslateMessage(&msg);
  ::DispatchMessage(&msg);
  return actionContinue;
}
