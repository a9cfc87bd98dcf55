// Lets a test stop the streaming thread that feeds the test sink: while the
// sink holds, each sample, once recorded, waits in the sink's Receive until
// the test passes it on. The thread upstream stands still meanwhile, so the
// test knows exactly what the source has queued when the thread goes on.
#pragma once

#include <windows.h>
#include <unknwn.h>

// {5B0C7A43-9E2D-4C1F-A8B6-3D71E0F4C952}
inline constexpr IID IID_ITestSinkHold = {0x5B0C7A43, 0x9E2D, 0x4C1F, {0xA8, 0xB6, 0x3D, 0x71, 0xE0, 0xF4, 0xC9, 0x52}};

struct ITestSinkHold : public IUnknown {
  // TRUE: from now on every sample waits in Receive after it is recorded,
  // until it is passed on, the hold ends, the sink stops or flushes, or 30 s
  // pass. FALSE: ends the hold and lets a waiting sample go.
  virtual HRESULT STDMETHODCALLTYPE SetHold(BOOL bHold) = 0;
  // Passes count samples on: the one waiting, if any, and the next ones.
  virtual HRESULT STDMETHODCALLTYPE Pass(LONG count) = 0;
};
