// CJVKTrackedBar: what the thread's mouse manager (MouseManager.h) asks of a
// bar it tracks or that holds keyboard or menu mode. The command bars and
// their popup bars implement it.
#pragma once

#include <Framework.h>

// Answers of HitTestTrackedBar.
enum {
  JVK_BARHIT_SKIP = -2,  // the bar takes no part in this test
  JVK_BARHIT_ON_BAR = 1,
  // Any other answer: the point is on the bar when the window under it is a
  // child of the bar's window.
};

class CJVKTrackedBar {
 public:
  CJVKTrackedBar() = default;
  CJVKTrackedBar(const CJVKTrackedBar&) = delete;
  CJVKTrackedBar& operator=(const CJVKTrackedBar&) = delete;
  // Takes the bar off the calling thread's mouse manager (tracked list and
  // active bar), so that the manager never calls an object that is gone.
  virtual ~CJVKTrackedBar();

  // The bar's window; NULL while it has none (the bar is then skipped).
  virtual HWND GetTrackedBarWindow() const = 0;
  // The popup hit test at a screen point: one of the JVK_BARHIT_ answers.
  virtual int HitTestTrackedBar(POINT ptScreen) = 0;
  // Ends the bar's tracking; ending takes it off the mouse manager
  // (RemoveTrackedBar).
  virtual void EndTracking() = 0;
  // Leaves keyboard or menu mode (asked of the active bar).
  virtual void LeaveTrackingMode() = 0;
  // A mouse move seen by the thread's mouse hook while the bar is tracked,
  // at a point in the bar's client coordinates.
  virtual void OnHookedClick(UINT nMessage, POINT ptClient) = 0;

  // Raised by the bar around modal work inside it; read and changed by the
  // mouse manager (LockTrackedBars, CloseUnlockedBars).
  int m_nTrackLock = 0;
};
