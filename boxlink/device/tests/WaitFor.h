// Waiting in tests for what other threads bring about: polls the condition
// every 10 ms for at most the given time (10 s unless a test drains more),
// so a test fails rather than hangs.
#pragma once

#include <windows.h>

template <class F>
bool WaitFor(F condition, DWORD limitMs = 10000) {
  for (DWORD waited = 0; waited < limitMs; waited += 10) {
    if (condition()) return true;
    Sleep(10);
  }
  return condition();
}
