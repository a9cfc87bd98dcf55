// The searching STV0299 driver of variants 15, 20, 24 and 27 through the
// front end, against the simulated chip (capture 1/32 of the symbol rate
// around the tuner and the derotator) with its repeater closing after each
// tuner transfer: the zig-zag of the tuner, the IQ toggle, the band byte, and
// the input refused before any bus traffic.
#include "FrontendRig.h"

#include <vector>

namespace {

using frontendtypes::_CHANNEL_TYPE;

const DWORD kLo = 10600000;

struct Rig : FrontendRig {
  explicit Rig(int variant, int airOffsetKHz = 0, DWORD symbolRate = 27500000) : FrontendRig(variant) {
    SimAirSignal& air = ids.Air();
    air.present = true;
    air.freqKHz = DWORD(1100000 + airOffsetKHz);
    air.symbolRate = symbolRate;
    EXPECT_EQ(fe.Init(), DVB_ERR_NONE);
    EXPECT_NE(fe.Stv0299Driver(), nullptr);
  }
  // Tunes 11700 MHz (IF 1100 MHz); the driver's search outcome.
  int Tune(DWORD symbolRate = 27500000, DWORD inversion = 1, DWORD frequency = 11700000) {
    const _CHANNEL_TYPE c = {frequency, inversion, symbolRate, kLo, 0, 13, 3};
    EXPECT_EQ(fe.SetChannel(c), DVB_ERR_NONE);
    return fe.Stv0299Driver()->LastResult().state;
  }
  std::vector<int> Tries() { return fe.Stv0299Driver()->Tries(); }
};

TEST(FESatSTV0299, ZigZagOfTheTunerFindsAnOffsetTransponderOnItsStep) {
  // At 27500 kSym/s the range is 8.5 MHz: the start, +4625 and -4625 kHz.
  // The capture is 859 kHz, so a transponder 4.6 MHz away locks only on the
  // step that reaches it.
  struct Case {
    int offsetKHz;
    int state;
    std::vector<int> tries;  // tuner frequencies, kHz (500 kHz steps)
    int found;               // the result's frequency: the tuner's
  } cases[] = {
      {0, CFESatSTV0299::kLocked, {1100000}, 1100000},
      {4600, CFESatSTV0299::kLocked, {1100000, 1104500}, 1104500},
      {-4600, CFESatSTV0299::kLocked, {1100000, 1104500, 1095000}, 1095000},
      {9000, CFESatSTV0299::kNoTiming, {1100000, 1104500, 1095000}, 1100000},
  };
  for (const Case& c : cases) {
    Rig r(15, c.offsetKHz);
    EXPECT_EQ(r.Tune(), c.state) << c.offsetKHz;
    EXPECT_EQ(r.Tries(), c.tries) << c.offsetKHz;
    EXPECT_EQ(r.fe.Stv0299Driver()->LastResult().frequency, c.found) << c.offsetKHz;
    int locked = -1;
    ASSERT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
    EXPECT_EQ(locked, c.state == CFESatSTV0299::kLocked ? 1 : 0) << c.offsetKHz;
    EXPECT_EQ(r.w.chips.GateViolations(), 0);
  }
}

TEST(FESatSTV0299, NarrowRangeTriesOnlyTheStartFrequency) {
  // 22000 kSym/s: the range is the whole 6 MHz span; no zig-zag step.
  Rig r(15, 4600, 22000000);
  EXPECT_NE(r.Tune(22000000), CFESatSTV0299::kLocked);
  EXPECT_EQ(r.Tries(), std::vector<int>({1100000}));
}

TEST(FESatSTV0299, EachVariantLocksThroughItsTunerKind) {
  struct Case {
    int variant;
    int tunerKind;
    DWORD inversion;  // the boards of 20 and 24 wire the spectrum the other way
  } cases[] = {{15, 2, 1}, {20, 3, 0}, {24, 3, 0}, {27, 4, 1}};
  for (const Case& c : cases) {
    Rig r(c.variant, 300);
    EXPECT_EQ(r.fe.Stv0299Driver()->TunerKind(), c.tunerKind) << c.variant;
    EXPECT_EQ(r.Tune(27500000, c.inversion), CFESatSTV0299::kLocked) << c.variant;
    EXPECT_EQ(r.w.chips.GateViolations(), 0) << c.variant;
  }
}

TEST(FESatSTV0299, AutomaticIqFindsAnInvertedSignal) {
  struct Case {
    DWORD inversion;  // word 1: 1 fixed as sent, 2 automatic
    bool locks;
  } cases[] = {{1, false}, {2, true}};
  for (const Case& c : cases) {
    Rig r(15);
    r.ids.Air().inverted = true;
    EXPECT_EQ(r.Tune(27500000, c.inversion) == CFESatSTV0299::kLocked, c.locks) << c.inversion;
  }
}

TEST(FESatSTV0299, BandByteFromTheFrequency) {
  struct Case {
    DWORD frequency;  // with the 10600 MHz oscillator: IF 1530 and 1531 MHz
    BYTE band;
  } cases[] = {{12130000, 0xC4}, {12131000, 0xC0}};
  for (const Case& c : cases) {
    Rig r(15);
    r.Tune(27500000, 1, c.frequency);
    EXPECT_EQ(r.ids.Tuner()->Band(), c.band) << c.frequency;
  }
}

TEST(FESatSTV0299, RefusedInputSendsNothing) {
  struct Case {
    DWORD frequency, symbolRate;
  } cases[] = {
      {11549999, 27500000},  // IF 949999 kHz
      {12750001, 27500000},  // IF 2150001 kHz
      {11700000, 0},         // divided by
      {11700000, 999},       // 0 kSym/s
  };
  for (const Case& c : cases) {
    Rig r(15);
    r.w.chips.ClearLog();
    const _CHANNEL_TYPE channel = {c.frequency, 1, c.symbolRate, kLo, 0, 13, 3};
    EXPECT_EQ(r.fe.SetChannel(channel), DVB_ERR_ARGUMENT) << c.frequency << " " << c.symbolRate;
    EXPECT_EQ(r.w.chips.Count(), 0);
  }
  Rig edge(15);
  const _CHANNEL_TYPE lowest = {11550000, 1, 27500000, kLo, 0, 13, 3};
  EXPECT_EQ(edge.fe.SetChannel(lowest), DVB_ERR_NONE);
}

TEST(FESatSTV0299, ZeroMasterClockIsNotLocked) {
  Rig r(15);
  r.ids.Demodulator()->Pin(0x02, 0xB0);  // the clock stopped
  EXPECT_EQ(r.fe.Stv0299Driver()->SetChannel(27500, 1100, 0, 0), 1);
  EXPECT_EQ(r.fe.Stv0299Driver()->GetMasterClock(), 0);
}

TEST(FESatSTV0299, InitFailsOnAChipThatDoesNotIdentify) {
  Rig r(15);
  r.ids.Demodulator()->Pin(0x00, 0x00);
  r.w.chips.ClearLog();
  EXPECT_EQ(r.fe.Stv0299Driver()->Init(FALSE, 0), 2);
  // The identity written and read back; nothing else.
  EXPECT_EQ(r.w.chips.Count(), 2);
}

}  // namespace
