// CTrackingLoop: the modal loop of a mouse drag (a tool-bar button or bar
// being dragged, a splitter, a sheet's tab). Track captures the mouse for
// the window and hands each message to OnTrackMessage until it ends or
// cancels the drag. The loop also ends when the window loses the capture
// (another window took it, WM_CANCELMODE) and on WM_QUIT, which it posts
// again for the outer loop. The capture is released however the loop ends.
#pragma once

#include "Wnd.h"

class CTrackingLoop {
 public:
  enum Result { trackEnded, trackCancelled, trackCaptureLost, trackQuit };
  explicit CTrackingLoop(CWnd* pWnd) : m_pWnd(pWnd) {}
  virtual ~CTrackingLoop() = default;

  Result Track();

 protected:
  enum Action { actionContinue, actionEnd, actionCancel };
  // The default: a left-button release ends the drag, Escape and a right
  // click cancel it; every other message is dispatched as usual.
  virtual Action OnTrackMessage(MSG& msg);

  CWnd* m_pWnd;
};
