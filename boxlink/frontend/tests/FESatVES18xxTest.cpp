// The QPSK satellite driver of variant 2, through the front end and on its
// own, against the simulated VES1893 (capture 1/32 of the symbol rate, no
// derotator) behind a tuner PLL in 125 kHz steps: its set-up at 27500
// kSym/s, lock and read-back, the zig-zag around the requested frequency
// in its order, automatic inversion, the channel search over a band, and
// the input it refuses before any bus traffic.
#include "FrontendRig.h"

#include <vector>

namespace {

using frontendtypes::_CHANNEL_TYPE;

const DWORD kLo = 10600000;
const DWORD kSr = 27500000;
const double kCaptureKHz = 27500.0 / 32;
// The zig-zag's step at 27500 kSym/s: (SR + 4348) / 8696 kHz.
const DWORD kZigZagKHz = 3162;

struct Rig : FrontendRig {
  explicit Rig(DWORD airIfKHz = 1178000, bool inverted = false) : FrontendRig(2) {
    SimAirSignal& air = ids.Air();
    air.present = true;
    air.freqKHz = airIfKHz;
    air.symbolRate = kSr;
    air.inverted = inverted;
    air.snr = 90;
    EXPECT_EQ(fe.Init(), DVB_ERR_NONE);
    EXPECT_NE(fe.SatVesDriver(), nullptr);
  }
  CFESatVES18xx& Driver() { return *fe.SatVesDriver(); }
  CSimChip& Demod() { return *ids.Demodulator(); }
  // The driver's own SetChannel for 11778 MHz (IF 1178 MHz), 18 V, with a
  // zig-zag width; then its polls until it settles.
  WORD TuneAndPoll(BYTE width, BYTE inversion = 1) {
    WORD code = 0;
    w.chips.ClearLog();
    EXPECT_EQ(Driver().SetChannel(&code, 11778000, kLo, kSr, 0, inversion, 18, FALSE, width, 0, TRUE), 0);
    EXPECT_EQ(code, 0);
    WORD state = CFEVes18xx::kPollBusy;
    for (int polls = 0; state == CFEVes18xx::kPollBusy && polls < 100; ++polls) Driver().Poll(&state, 0);
    return state;
  }
  // The frequencies (kHz) the tuner was programmed to, in order.
  std::vector<DWORD> Tunes() {
    std::vector<DWORD> tunes;
    for (const SimTransfer& t : w.chips.Log())
      if (t.address == (CFESatVES18xx::kTunerAddress >> 1) && t.ok && t.write.size() == 4)
        tunes.push_back((DWORD(t.write[0]) << 8 | t.write[1]) * 125 - 479500);
    return tunes;
  }
  int Locked() {
    int locked = -1;
    EXPECT_EQ(fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
    return locked;
  }
};

TEST(FESatVES18xx, InitChecksTheIdentityAndWritesItsTable) {
  Rig r;
  // The 54-byte table after a write of register 0: register 0x35 is its last.
  std::vector<BYTE> last;
  for (const SimTransfer& t : r.w.chips.Log())
    if (t.address == (CFESatVES18xx::kAddress >> 1) && t.readCount == 0) last = t.write;
  EXPECT_EQ(last, std::vector<BYTE>({0x00, 0x35, 0x00}));
  EXPECT_EQ(r.Demod().Reg(0x02), 0x35);

  // A chip of the family whose identity the driver does not take fails Init.
  FrontendRig other(2);
  other.ids.Demodulator()->Pin(0x1E, 0xD3);
  EXPECT_EQ(other.fe.Init(), DVB_ERR_FAILED);
}

TEST(FESatVES18xx, SetUpAt27500kSym) {
  Rig r;
  r.w.chips.ClearLog();
  ASSERT_EQ(r.fe.SetChannel({11778000, 1, kSr, kLo, 0, 18, 0}), DVB_ERR_NONE);
  CSimChip& d = r.Demod();
  // q = 32: decimation code 0, no low-ratio flag.
  EXPECT_EQ(d.Reg(0x20), 0x81);
  EXPECT_EQ(d.Reg(0x21) & 0x07, 0x00);
  const DWORD word = d.Reg(0x06) | DWORD(d.Reg(0x07)) << 8 | DWORD(d.Reg(0x08)) << 16;
  EXPECT_EQ(word, 640085u);  // 27500000 x 2^21 / 90100000, rounded
  EXPECT_EQ(d.Reg(0x09), 105);  // 90100000 x 32 / 27500000, rounded
  EXPECT_EQ(d.Reg(0x0C), 0xCC);  // normal spectrum
  EXPECT_EQ(d.Reg(0x0D), 8);     // automatic code rate
  EXPECT_EQ(d.Reg(0x1F) & 0x30, 0x30);  // 18 V
  EXPECT_EQ(r.Tunes().front(), 1178000u);
  EXPECT_EQ(r.Locked(), 1);

  _CHANNEL_TYPE back = {};
  ASSERT_EQ(r.fe.GetChannel(back), DVB_ERR_NONE);
  EXPECT_EQ(back.dwFrequency, 11778000u);
  EXPECT_EQ(back.dwSymbolRate, kSr);
  EXPECT_EQ(back.dwParam3, kLo);
  EXPECT_EQ(back.dwLNBSupply, 18u);
  EXPECT_EQ(back.dwInversion, 1u);
}

TEST(FESatVES18xx, SignalFromTheLevelTable) {
  Rig r;
  ASSERT_EQ(r.fe.SetChannel({11778000, 1, kSr, kLo, 0, 18, 0}), DVB_ERR_NONE);
  int locked = -1;
  frontendtypes::_SIGNAL_TYPE signal = {};
  ASSERT_EQ(r.fe.GetState(locked, &signal, nullptr), DVB_ERR_NONE);
  EXPECT_EQ(locked, 1);
  EXPECT_EQ(signal.bAGC, 90);
  EXPECT_EQ(signal.wLevel, 68);     // the table's entry 80
  EXPECT_EQ(signal.wQuality, 49);   // 80 x 100 / 161
}

TEST(FESatVES18xx, ZigZagAroundTheRequestedFrequencyInItsOrder) {
  // Width 15 lets the zig-zag move up to 7.5 MHz: -1, +1, -2, +2 steps of
  // 3162 kHz. A transponder a step away locks only on the step that reaches
  // it; one beyond the width is never found.
  const DWORD f = 1178000, s = kZigZagKHz;
  struct Case {
    DWORD air;
    WORD state;
    std::vector<DWORD> tunes;  // in 125 kHz steps
  } cases[] = {
      {f, CFEVes18xx::kPollLocked, {1178000}},
      {f - s, CFEVes18xx::kPollLocked, {1178000, 1174875}},
      {f + s, CFEVes18xx::kPollLocked, {1178000, 1174875, 1181125}},
      {f - 2 * s, CFEVes18xx::kPollLocked, {1178000, 1174875, 1181125, 1171625}},
      {f + 3 * s, CFEVes18xx::kPollNotLocked, {1178000, 1174875, 1181125, 1171625, 1184375}},
  };
  for (const Case& c : cases) {
    Rig r(c.air);
    EXPECT_EQ(r.TuneAndPoll(15), c.state) << c.air;
    EXPECT_EQ(r.Tunes(), c.tunes) << c.air;
  }
  // Without a width (as the front end tunes) only the requested frequency.
  Rig narrow(f - s);
  EXPECT_EQ(narrow.TuneAndPoll(0), CFEVes18xx::kPollNotLocked);
  EXPECT_EQ(narrow.Tunes(), std::vector<DWORD>({1178000}));
}

TEST(FESatVES18xx, InversionFixedOrFound) {
  // An inverted signal: the fixed normal setting never locks, the inverted
  // and the automatic ones do.
  for (BYTE inversion : {1, 0, 2}) {
    Rig r(1178000, true);
    EXPECT_EQ(r.TuneAndPoll(0, inversion), inversion == 1 ? CFEVes18xx::kPollNotLocked : CFEVes18xx::kPollLocked)
        << int(inversion);
  }
}

TEST(FESatVES18xx, RefusedInputSendsNothing) {
  struct Case {
    const char* what;
    DWORD frequency, symbolRate;
    BYTE fec, voltage, width;
    int result;
    WORD code;
  } cases[] = {
      {"IF 850 MHz", 9750000, kSr, 0, 18, 0, 3, 0},
      {"symbol rate 0", 11778000, 0, 0, 18, 0, 2, CFEVes18xx::kOutOfRange},
      {"symbol rate above 50 MSym/s", 11778000, 50000001, 0, 18, 0, 2, CFEVes18xx::kOutOfRange},
      {"14 V", 11778000, kSr, 0, 14, 0, 2, CFEVes18xx::kOutOfRange},
      {"code rate 9", 11778000, kSr, 9, 18, 0, 2, CFEVes18xx::kBadArgument},
      {"width 16", 11778000, kSr, 0, 18, 16, 2, CFEVes18xx::kBadArgument},
  };
  for (const Case& c : cases) {
    Rig r;
    r.w.chips.ClearLog();
    const int commands = r.w.bus.Commands();
    WORD code = 0;
    EXPECT_EQ(r.Driver().SetChannel(&code, c.frequency, kLo, c.symbolRate, c.fec, 1, c.voltage, FALSE, c.width, 0,
                                    TRUE),
              c.result)
        << c.what;
    EXPECT_EQ(code, c.code) << c.what;
    EXPECT_EQ(r.w.bus.Commands(), commands) << c.what;  // neither chips nor the LNB supply
    WORD state = 0;
    EXPECT_EQ(r.Driver().Poll(&state, 0), 5) << c.what;  // still no channel
  }
  // Through the front end the driver's results are passed on.
  Rig r;
  EXPECT_EQ(r.fe.SetChannel({9750000, 1, kSr, kLo, 0, 18, 0}), DVB_ERR_ARGUMENT);
  EXPECT_EQ(r.fe.SetChannel({11778000, 1, kSr, kLo, 0, 14, 0}), DVB_ERR_FAILED);
}

TEST(FESatVES18xx, ChannelSearchFindsTheNextTransponders) {
  // Transponders at 11778, 11820 and 11900 MHz: from the first, each search
  // finds the next, then none is left below 12000 MHz.
  Rig r;
  r.ids.Air().moreKHz[0] = 1220000;
  r.ids.Air().moreKHz[1] = 1300000;
  ASSERT_EQ(r.fe.GetCapabilities() & 0x100, 0x100u);
  ASSERT_EQ(r.fe.SetChannel({11778000, 1, kSr, kLo, 0, 18, 0}), DVB_ERR_NONE);
  for (DWORD next : {11820000u, 11900000u}) {
    EXPECT_EQ(r.fe.SearchNextChannel(12000000, 1), CChannelSearch::kFound) << next;
    _CHANNEL_TYPE back = {};
    ASSERT_EQ(r.fe.GetChannel(back), DVB_ERR_NONE);
    EXPECT_NEAR(double(back.dwFrequency), next, kCaptureKHz) << next;
    EXPECT_EQ(r.Locked(), 1) << next;
  }
  EXPECT_EQ(r.fe.SearchNextChannel(12000000, 1), CChannelSearch::kIdle);
}

}  // namespace
