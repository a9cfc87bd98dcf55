// Each variant whose chips the front end programs itself, tuned onto a
// signal declared on the simulated air: it locks and reports the level and
// quality its scale gives the chip's measurement; a signal that never locks,
// a tune to the wrong parameters and a demodulator that stops answering all
// read as not locked.
#include "FrontendRig.h"

#include <cmath>

namespace {

using frontendtypes::_CHANNEL_TYPE;
using frontendtypes::_LOCK_STATE;
using frontendtypes::_SIGNAL_TYPE;

struct AirCase {
  int variant;
  int cableBoard;
  _CHANNEL_TYPE channel;
  DWORD airKHz;  // at the tuner input
  DWORD symbolRate;
  DWORD qamSize;
  BYTE snr;
  WORD quality;
  WORD level;  // expected
  WORD percent;
  int locks = 1;
};

// Satellite: 11700 MHz through a 10600 MHz LNB, the spectrum as sent (word 1
// = 1 gives the chips their non-inverting setting).
const _CHANNEL_TYPE kSat = {11700000, 1, 27500000, 10600000, 0, 13, 3};
// The boards of variants 20 and 24 wire the spectrum the other way round;
// their searching driver, which knows no board, needs the other word.
const _CHANNEL_TYPE kSatOtherWiring = {11700000, 0, 27500000, 10600000, 0, 13, 3};
const _CHANNEL_TYPE kCable = {474000, 1, 6900000, frontendtypes::QAM_64, 2, 0, 0};
const _CHANNEL_TYPE kCableBoard0 = {474000, 0, 6900000, frontendtypes::QAM_64, 2, 0, 0};
const _CHANNEL_TYPE kTer = {21, 1, 0, 2, 0, 0, 0};  // UHF channel 21

const AirCase kCases[] = {
    // VES1893: SNR byte 90 is level 68, quality 49.
    {2, 0, kSat, 1100000, 27500000, 0, 90, 0, 68, 49},
    // TDA8083: 30 + 204 x 90 / 255 = 102, 204 x 100 / 255 = 80.
    {10, 0, kSat, 1100000, 27500000, 0, 204, 0, 102, 80},
    // STV0299: quality word 5000 is level 105; 105 x 150 / 190 = 82 with
    // the satellite-driver scale (the flag is set by default).
    {15, 0, kSat, 1100000, 27500000, 0, 0, 5000, 105, 82},
    {18, 0, kSat, 1100000, 27500000, 0, 0, 5000, 105, 82},
    {20, 0, kSatOtherWiring, 1100000, 27500000, 0, 0, 5000, 105, 82},
    {24, 0, kSatOtherWiring, 1100000, 27500000, 0, 0, 5000, 105, 82},
    {27, 0, kSat, 1100000, 27500000, 0, 0, 5000, 105, 82},
    // VES1820: SNR byte 15 gives (210 - 15) x 5 / 10 = 97; no level, but
    // variant 3's driver object reports its level register (the AGC) raw.
    {3, 0, kCable, 474000, 6900000, 64, 15, 0, 0x80, 97},
    {4, 0, kCable, 473975, 6900000, 64, 40, 0, 0, 59},
    // STV0297: quality word 5000 is level 105, 105 x 100 / 190 = 55.
    {17, 0, kCableBoard0, 473975, 6900000, 64, 0, 5000, 105, 55},
    {17, 1, kCable, 474000, 6900000, 64, 0, 5000, 105, 55},
    {17, 2, kCable, 474000, 6900000, 64, 0, 5000, 105, 55},
    // OTI7K: no quality word, so level and quality 0 while locked. Variant
    // 9's tuner is the box's, programmed by a box command this library does
    // not send: it never locks.
    {9, 0, kTer, 474000, 0, 0, 0, 0, 0, 0, 0},
    {14, 0, kTer, 474000, 0, 0, 0, 0, 0, 0},
    // The demodulator at 0xE2: no quality word. Variant 7's tuner is the
    // box's, like variant 9's.
    {7, 0, kTer, 474000, 0, 0, 0, 0, 0, 0, 0},
    {8, 0, kTer, 474000, 0, 0, 0, 0, 0, 0},
    // L64781: quality 255 - AGC 0x80 = 127, below the scale. Channel 21 of
    // the 6 MHz board is 515000 kHz.
    {16, 0, kTer, 474000, 0, 0, 0, 0, 0, 0},
    {19, 0, kTer, 515000, 0, 0, 0, 0, 0, 0},
    // The DSP demodulators: quality byte 0x80 is level 29 (tenths of a dB
    // below full scale); variant 25's quality 1.2^2.9 + 0.166 x 2.9 = 2, 26's
    // and 31's from their signal level, -49 with AGC 0x80: 51 x 100 / 70.
    {25, 0, kTer, 474000, 0, 0, 0x80, 0, 29, 2},
    {26, 0, kTer, 474000, 0, 0, 0x80, 0, 29, 72},
    {31, 0, kTer, 474000, 0, 0, 0x80, 0, 29, 72},
};

struct AirRig : FrontendRig {
  explicit AirRig(const AirCase& c) {
    if (c.cableBoard)
      ids.Build(c.variant, c.cableBoard);
    else
      BuildWithMicrocode(c.variant);
    SimAirSignal& air = ids.Air();
    air.present = true;
    air.freqKHz = c.airKHz;
    air.symbolRate = c.symbolRate;
    air.qamSize = c.qamSize;
    air.snr = c.snr;
    air.quality = c.quality;
    air.agc = 0x80;
    EXPECT_EQ(fe.Init(), DVB_ERR_NONE) << c.variant;
    EXPECT_EQ(fe.GetVariant(), DWORD(c.variant));
  }
  // SetChannel, then the state: the lock (-1 when GetState failed).
  int TuneAndRead(const _CHANNEL_TYPE& channel, _SIGNAL_TYPE& signal, _LOCK_STATE& lock) {
    EXPECT_EQ(fe.SetChannel(channel), DVB_ERR_NONE);
    int locked = -1;
    if (fe.GetState(locked, &signal, &lock) != DVB_ERR_NONE) return -1;
    return locked;
  }
};

TEST(FrontendLockOnAir, EachVariantLocksWithItsLevelAndQuality) {
  for (const AirCase& c : kCases) {
    AirRig r(c);
    _SIGNAL_TYPE signal = {};
    _LOCK_STATE lock = {};
    EXPECT_EQ(r.TuneAndRead(c.channel, signal, lock), c.locks) << "variant " << c.variant << " board " << c.cableBoard;
    EXPECT_EQ(r.w.chips.GateViolations(), 0) << c.variant;
    EXPECT_EQ(signal.wLevel, c.level) << c.variant;
    EXPECT_EQ(signal.wQuality, c.percent) << c.variant;
    if (c.locks && c.variant != 14) {  // the OTI7K leaves the record alone
      EXPECT_EQ(lock.bLocked, 1u) << c.variant;
      EXPECT_EQ(lock.Type, r.fe.GetType());
    }
    _CHANNEL_TYPE back = {};
    ASSERT_EQ(r.fe.GetChannel(back), DVB_ERR_NONE);
    // Variant 3's driver object reads back the frequency its tuner reached.
    DWORD expected = r.fe.CabVesDriver() ? r.fe.CabVesDriver()->CurrentKHz() : c.channel.dwFrequency;
    EXPECT_EQ(back.dwFrequency, expected);
  }
}

TEST(FrontendLockOnAir, NeverLockingSignalReadsAsNotLocked) {
  for (const AirCase& c : kCases) {
    AirRig r(c);
    r.ids.Air().neverLocks = true;
    _SIGNAL_TYPE signal = {};
    _LOCK_STATE lock = {};
    // The tune itself is not examined: it reports done.
    EXPECT_EQ(r.TuneAndRead(c.channel, signal, lock), 0) << c.variant << " board " << c.cableBoard;
    EXPECT_EQ(lock.bLocked, 0u) << c.variant;
  }
}

TEST(FrontendLockOnAir, WrongParametersDoNotLock) {
  struct Wrong {
    int variant;
    int cableBoard;
    _CHANNEL_TYPE channel;
  } cases[] = {
      {2, 0, {11700000, 1, 22000000, 10600000, 0, 13, 3}},   // symbol rate
      {10, 0, {11710000, 1, 27500000, 10600000, 0, 13, 3}},  // frequency
      {15, 0, {11700000, 0, 27500000, 10600000, 0, 13, 3}},  // inversion
      {18, 0, {11700000, 0, 27500000, 10600000, 0, 13, 3}},
      {3, 0, {474000, 1, 6900000, frontendtypes::QAM_256, 2, 0, 0}},  // QAM
      {17, 0, {474000, 0, 6900000, frontendtypes::QAM_128, 2, 0, 0}},
      {17, 1, {482000, 1, 6900000, frontendtypes::QAM_64, 2, 0, 0}},
      {14, 0, {22, 1, 0, 2, 0, 0, 0}},  // channel 22
  };
  for (const Wrong& w : cases) {
    const AirCase* air = nullptr;
    for (const AirCase& c : kCases)
      if (c.variant == w.variant && c.cableBoard == w.cableBoard) air = &c;
    ASSERT_NE(air, nullptr);
    AirRig r(*air);
    _SIGNAL_TYPE signal = {};
    _LOCK_STATE lock = {};
    EXPECT_EQ(r.TuneAndRead(w.channel, signal, lock), 0) << w.variant;
  }
}

TEST(FrontendLockOnAir, SilentDemodulatorReadsAsNotLockedNeverAStaleLock) {
  for (const AirCase& c : kCases) {
    if (!c.locks) continue;  // no lock to go stale
    AirRig r(c);
    _SIGNAL_TYPE signal = {};
    _LOCK_STATE lock = {};
    ASSERT_EQ(r.TuneAndRead(c.channel, signal, lock), 1) << c.variant;
    int demod = 0;
    for (const SimTransfer& t : r.w.chips.Log())
      if (r.ids.Demodulator() == r.ids.At(t.address)) demod = t.address;
    r.w.chips.NakAlways(demod);
    int locked = -1;
    lock = {};
    ASSERT_EQ(r.fe.GetState(locked, &signal, &lock), DVB_ERR_NONE);
    EXPECT_EQ(locked, 0) << c.variant << " board " << c.cableBoard;
    EXPECT_EQ(lock.bLocked, 0u) << c.variant;
  }
}

TEST(FrontendLockOnAir, LockComesOnlyAfterTheSignalsLockTime) {
  const AirCase& c = kCases[0];
  AirRig r(c);
  r.ids.Air().lockAfterMs = 1000;
  _SIGNAL_TYPE signal = {};
  _LOCK_STATE lock = {};
  EXPECT_EQ(r.TuneAndRead(c.channel, signal, lock), 0);
  r.w.clock.Advance(1000);
  int locked = -1;
  ASSERT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
  EXPECT_EQ(locked, 1);
}

}  // namespace

namespace {

// Every variant, those the detection never reports included (they run as a
// missing front end): a channel of its type tunes, reaching the chips or the
// box, and is stored; or it is refused with its front end's code.
TEST(FrontendLockOnAir, EveryVariantTunesOrRefuses) {
  for (int variant = 0; variant <= 31; ++variant) {
    if (variant == 1) continue;
    FrontendRig r;
    r.BuildWithMicrocode(variant);
    r.fe.Init();
    frontendtypes::_FRONTEND_TYPE type = r.fe.GetType();
    const _CHANNEL_TYPE& channel = type == frontendtypes::FE_SATELLITE ? kSat
                                   : type == frontendtypes::FE_CABLE   ? kCable
                                                                       : kTer;
    r.w.chips.ClearLog();
    int commands = r.w.bus.Commands();
    EXPECT_EQ(r.fe.SetChannel(channel), DVB_ERR_NONE) << variant;
    bool heard = r.w.chips.Count() > 0 || r.w.bus.Commands() > commands;
    EXPECT_EQ(heard, type != frontendtypes::FE_NONE) << variant;
    EXPECT_EQ(r.fe.StoredChannel().dwFrequency, channel.dwFrequency) << variant;
  }
  const struct {
    int variant;
    _CHANNEL_TYPE channel;
    int result;
  } refused[] = {
      {17, {44999, 1, 6900000, frontendtypes::QAM_64, 2, 0, 0}, DVB_ERR_ARGUMENT},  // below the band
      {15, {10699999, 1, 27500000, 9750000, 0, 13, 3}, DVB_ERR_ARGUMENT},           // IF 949999 kHz
      {2, {11700000, 1, 0, 10600000, 0, 13, 3}, DVB_ERR_ARGUMENT},                  // no symbol rate
  };
  for (const auto& c : refused) {
    FrontendRig r(c.variant);
    r.fe.Init();
    EXPECT_EQ(r.fe.SetChannel(c.channel), c.result) << c.variant;
    EXPECT_EQ(r.fe.StoredChannel().dwFrequency, 0u) << c.variant;
  }
}

}  // namespace
