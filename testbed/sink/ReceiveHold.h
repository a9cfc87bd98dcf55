// The state behind ITestSinkHold: whether samples are held, and how many
// may pass. The streaming thread waits in Wait; the test's thread calls
// SetHold and Pass.
#pragma once

#include <Streams.h>

class CReceiveHold {
 public:
  // A hold that a test forgot to end never keeps a graph from stopping.
  static constexpr DWORD kLimitMs = 30000;

  void SetHold(BOOL bHold);
  void Pass(LONG count);
  // Returns at once unless holding; else when a pass is there (and taken),
  // the hold ends, hAbort is set or kLimitMs pass.
  void Wait(HANDLE hAbort);

 private:
  CCritSec m_lock;  // guards the two fields below
  BOOL m_bHold = FALSE;
  LONG m_cPasses = 0;
  CAMEvent m_evChanged;  // auto reset: set by SetHold and Pass
};
