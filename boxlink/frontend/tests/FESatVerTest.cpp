// The versioned satellite demodulator of variants 28-30 through the front
// end, against the simulated chip: the clock and rate mode by symbol rate,
// the carrier sweep around the nominal frequency, the lock and signal it
// reports, and the input it refuses without touching a register.
#include "FrontendRig.h"

#include <cmath>
#include <vector>

namespace {

using frontendtypes::_CHANNEL_TYPE;

struct Rig : FrontendRig {
  explicit Rig(int variant, int airOffsetKHz = 0, DWORD symbolRate = 27500000) : FrontendRig(variant) {
    SimAirSignal& air = ids.Air();
    air.present = true;
    air.freqKHz = DWORD(1100000 + airOffsetKHz);
    air.symbolRate = symbolRate;
    air.agc = 200;
    air.errors = 0x0015;  // 21 / 2^21: 10 x 10^-6
    EXPECT_EQ(fe.Init(), DVB_ERR_NONE);
    EXPECT_NE(fe.SatVerDriver(), nullptr);
  }
  int Tune(DWORD symbolRate = 27500000) {
    const _CHANNEL_TYPE c = {11700000, 2, symbolRate, 10600000, 0, 13, 3};
    EXPECT_EQ(fe.SetChannel(c), DVB_ERR_NONE);
    int locked = -1;
    EXPECT_EQ(fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
    return locked;
  }
  std::vector<int> Offsets() { return fe.SatVerDriver()->Offsets(); }
};

TEST(FESatVer, CarrierSweepFindsAnOffsetSignalOnItsStep) {
  // 27500 ksps: 2000 kHz steps, four tries; capture 859 kHz.
  struct Case {
    int offsetKHz;
    int locked;
    std::vector<int> offsets;
  } cases[] = {
      {0, 1, {0}},
      {-2300, 1, {0, -2000}},
      {2300, 1, {0, -2000, 2000}},
      {4000, 1, {0, -2000, 2000, -4000, 4000}},
      {6000, 0, {0, -2000, 2000, -4000, 4000}},
  };
  for (const Case& c : cases) {
    for (int variant : {28, 29, 30}) {
      Rig r(variant, c.offsetKHz);
      EXPECT_EQ(r.Tune(), c.locked) << c.offsetKHz << " " << variant;
      EXPECT_EQ(r.Offsets(), c.offsets) << c.offsetKHz;
      if (c.locked) {
        EXPECT_EQ(r.fe.SatVerDriver()->FrequencyErrorKHz(), c.offsetKHz) << c.offsetKHz;
      }
      EXPECT_EQ(r.w.chips.GateViolations(), 0);
    }
  }
}

TEST(FESatVer, ClockAndRateModeBySymbolRate) {
  struct Case {
    DWORD symbolRate;
    float clock;
    int rateMode;
    size_t tries;  // offsets of a sweep that never locks: 0 and the steps
  } cases[] = {
      {28001000, 88, 1, 5}, {28000000, 59, 1, 5}, {21001000, 59, 1, 5}, {21000000, 88, 2, 5},
      {12000000, 88, 2, 9}, {8000000, 88, 2, 15}, {4000000, 88, 2, 15},  {2000000, 88, 2, 19},
  };
  for (const Case& c : cases) {
    Rig r(28, 30000, c.symbolRate);  // nowhere near
    EXPECT_EQ(r.Tune(c.symbolRate), 0) << c.symbolRate;
    EXPECT_EQ(r.fe.SatVerDriver()->MasterClock(), c.clock) << c.symbolRate;
    EXPECT_EQ(r.fe.SatVerDriver()->RateMode(), c.rateMode) << c.symbolRate;
    EXPECT_EQ(r.Offsets().size(), c.tries) << c.symbolRate;
    // And the chip decodes the rate it was given.
    Rig locks(28, 0, c.symbolRate);
    EXPECT_EQ(locks.Tune(c.symbolRate), 1) << c.symbolRate;
  }
}

TEST(FESatVer, LockFlagsAndSignal) {
  Rig r(29);
  ASSERT_EQ(r.Tune(), 1);
  frontendtypes::_SIGNAL_TYPE signal = {};
  frontendtypes::_LOCK_STATE lock = {};
  int locked = -1;
  ASSERT_EQ(r.fe.GetState(locked, &signal, &lock), DVB_ERR_NONE);
  EXPECT_EQ(locked, 1);
  EXPECT_EQ(lock.bLocked, 1u);
  EXPECT_EQ(lock.Status, 0xFu | (3u << 4));  // BER 1e-5: class 3
  EXPECT_DOUBLE_EQ(signal.dBER, 21 * std::ldexp(1.0, -21));
  EXPECT_EQ(signal.bAGC, 200);
  // AGC 200: level table 36, strength 64, quality 64 x 1.7 = 108 -> 100.
  EXPECT_EQ(signal.wQuality, 100);
  EXPECT_EQ(signal.wLevel, 0);
}

TEST(FESatVer, QualityFromTheErrorRate) {
  struct Case {
    double ber;
    int quality;
  } cases[] = {{10e-6, 100}, {5e-6, 100}, {100000e-6, 0}, {200000e-6, 0}, {95147e-6, 1}, {1000e-6, 50}};
  for (const Case& c : cases) EXPECT_EQ(CFESatVer::Quality(c.ber), c.quality) << c.ber;
}

TEST(FESatVer, OutOfRangeTouchesNoRegister) {
  struct Case {
    DWORD rec[3];  // transponder, symbol rate, oscillator
  } cases[] = {
      {{11549999, 27500000, 10600000}},  // IF 949999
      {{12750001, 27500000, 10600000}},  // IF 2150001
      {{11700000, 999999, 10600000}},
      {{11700000, 45000001, 10600000}},
  };
  for (const Case& c : cases) {
    Rig r(30);
    r.w.chips.ClearLog();
    EXPECT_FALSE(r.fe.SatVerDriver()->SetChannel(c.rec));
    EXPECT_EQ(r.w.chips.Count(), 0);
  }
}

}  // namespace
