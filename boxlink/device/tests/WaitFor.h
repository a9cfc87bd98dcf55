// Waiting in tests for what other threads bring about: polls the condition
// every 10 ms for at most 10 s, so a test fails rather than hangs.
#pragma once

#include <windows.h>

template <class F>
bool WaitFor(F condition) {
  for (int i = 0; i < 1000; ++i) {
    if (condition()) return true;
    Sleep(10);
  }
  return condition();
}
