// Window tests: dispatches what is queued, through pre-translation as the
// framework's loop does, until the queue is empty. A quit met on the way is
// posted again for the loop that waits for it.
#pragma once

#include <Framework.h>

inline void PumpPending() {
  MSG msg;
  while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!AfxPreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessage(&msg);
    }
  }
}
