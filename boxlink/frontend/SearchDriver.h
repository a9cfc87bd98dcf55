// What a channel search asks of the chip-driver object of a variant that can
// search (the VES18xx satellite and cable drivers): the driver sweeps its
// frequency window itself; the front end starts it, polls it until it
// settles and collects the outcome. Results are the drivers' 16-bit codes.
#pragma once

#include <WinTypes.h>

class IFESearchDriver {
 public:
  virtual ~IFESearchDriver() {}

  // Where the sweep starts: the current frequency (kHz), the caller's search
  // parameter (the driver's to interpret) and the local-oscillator frequency
  // (kHz) of a satellite front end, 0 for cable.
  virtual WORD SetSearchStart(DWORD frequency, DWORD parameter, DWORD localOscillator) = 0;
  virtual WORD StartSearch() = 0;
  // One step of the sweep, then a pause of waitMs. state: 0 still busy,
  // 2 locked, any other value not locked.
  virtual WORD PollLock(WORD& state, DWORD waitMs) = 0;
  virtual WORD GetSearchResult() = 0;
  // The most tuning steps a sweep from its start to the end of its window
  // can take; the search allows each step its polls at the box's pacing.
  virtual DWORD SweepSteps() = 0;
  // The whole window again (950000-2150000 kHz satellite, 50000-860000 cable).
  virtual void ResetSearchRange() = 0;
};
