// The chip simulator of the simulator DLL, for tests through boxlink.dll: the
// chips a front-end variant shows, kept on the box across the driver's
// Resets. The DLL exports it as "QuillonChipSimulator"; everything crossing
// the interface is plain data. Set the variant while no box call runs.
#pragma once

#include "SimAir.h"

#include <WinTypes.h>

class ISimChips {
 public:
  // Plugs in the chips of the variant (0: none) on the current box and on
  // every box a Reset makes.
  virtual void SetVariant(int variant) = 0;
  // The signal at the antenna input of every box from now on.
  virtual void SetAir(const SimAirSignal& air) = 0;
  // The device identifier the variant's box has (vendor << 16 | product).
  virtual DWORD UsbIds(int variant) = 0;
  // I2C transfers and gate violations on the current box since the variant
  // was set.
  virtual int Transfers() = 0;
  virtual int GateViolations() = 0;
  // The chips run on the real clock, as the library's pauses do; this moves
  // them on further, as if that much more time had passed.
  virtual void AdvanceClock(DWORD milliseconds) = 0;
  // The microcode image the DSP demodulators of the next SetVariant run
  // only when they are given it.
  virtual void SetMicrocode(const BYTE* image, int length) = 0;

 protected:
  ~ISimChips() {}
};

#define SIMCHIPS_CONTROL_EXPORT "QuillonChipSimulator"
typedef ISimChips*(__cdecl* SimChipsFactory)();

// The process's chip simulator; from its first call on it follows every box
// made.
ISimChips& SimChips();
