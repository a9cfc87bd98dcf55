// The cable QAM driver of variant 3 through the front end, against the
// simulated VES1820 (capture 1/32 of the symbol rate, carrier and FEC lock
// apart): its poll machine converges on every QAM size, automatic inversion
// finds an inverted signal, its register set-up and waits, and the input it
// refuses before any bus traffic.
#include "FrontendRig.h"

namespace {

using frontendtypes::_CHANNEL_TYPE;

struct Rig : FrontendRig {
  explicit Rig(DWORD qamSize = 64, bool inverted = false) : FrontendRig(3) {
    SimAirSignal& air = ids.Air();
    air.present = true;
    air.freqKHz = 474000;
    air.symbolRate = 6900000;
    air.qamSize = qamSize;
    air.inverted = inverted;
    air.snr = 15;
    air.agc = 0x80;
    EXPECT_EQ(fe.Init(), DVB_ERR_NONE);
    EXPECT_NE(fe.CabVesDriver(), nullptr);
  }
  CFECabVES18xx& Driver() { return *fe.CabVesDriver(); }
  CSimChip& Demod() { return *ids.Demodulator(); }
  int Locked() {
    int locked = -1;
    EXPECT_EQ(fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
    return locked;
  }
};

_CHANNEL_TYPE Cable(DWORD frequency, DWORD qam, DWORD inversion = 1, DWORD symbolRate = 6900000) {
  return {frequency, inversion, symbolRate, qam, 2, 0, 0};
}

TEST(FECabVES18xx, PollMachineConvergesForEveryQamSize) {
  for (DWORD qam = frontendtypes::QAM_16; qam <= frontendtypes::QAM_256; ++qam) {
    Rig r(16u << qam);
    WORD code = 0;
    ASSERT_EQ(r.Driver().SetChannel(&code, 474000, 0, 6900000, BYTE(qam), 1), 0) << qam;
    WORD state = CFECabVES18xx::kPollBusy;
    int polls = 0;
    while (state == CFECabVES18xx::kPollBusy && polls < 20) {
      ASSERT_EQ(r.Driver().Poll(&state, 0), 0);
      ++polls;
    }
    EXPECT_EQ(state, CFECabVES18xx::kPollLocked) << qam;
    EXPECT_LE(polls, 12) << qam;
    EXPECT_EQ(r.Driver().GainStep() >= 1 && r.Driver().GainStep() <= 5, true);
    EXPECT_EQ(r.Locked(), 1) << qam;

    // The wrong QAM size never locks, and the machine still ends.
    Rig wrong(16u << qam);
    ASSERT_EQ(wrong.Driver().SetChannel(&code, 474000, 0, 6900000, BYTE((qam + 1) % 5), 1), 0);
    state = CFECabVES18xx::kPollBusy;
    for (polls = 0; state == CFECabVES18xx::kPollBusy && polls < 20; ++polls) wrong.Driver().Poll(&state, 0);
    EXPECT_EQ(state, CFECabVES18xx::kPollNotLocked) << qam;
  }
}

TEST(FECabVES18xx, TuneThroughTheFrontEndAndReadBack) {
  Rig r;
  ASSERT_EQ(r.fe.SetChannel(Cable(474000, frontendtypes::QAM_64)), DVB_ERR_NONE);
  EXPECT_EQ(r.Locked(), 1);
  _CHANNEL_TYPE back = {0, 0, 0, 0, 7, 8, 9};
  ASSERT_EQ(r.fe.GetChannel(back), DVB_ERR_NONE);
  EXPECT_NEAR(double(back.dwFrequency), 474000, 62.5);
  EXPECT_EQ(back.dwInversion, 1u);
  EXPECT_EQ(back.dwSymbolRate, 6900000u);
  EXPECT_EQ(back.dwParam3, DWORD(frontendtypes::QAM_64));
  EXPECT_EQ(back.dwParam4, 7u);  // words 4 to 6 as the caller had them
  EXPECT_EQ(back.dwLNBSupply, 8u);
  frontendtypes::_SIGNAL_TYPE signal = {};
  int locked = -1;
  ASSERT_EQ(r.fe.GetState(locked, &signal, nullptr), DVB_ERR_NONE);
  EXPECT_EQ(signal.bSNR, 15);
  EXPECT_EQ(signal.wQuality, (210 - 15) / 2);
  EXPECT_EQ(signal.bAGC, 0x80);
}

TEST(FECabVES18xx, AutomaticInversionFindsAnInvertedSignal) {
  struct Case {
    DWORD inversion;  // word 1: 1 as sent, 2 automatic
    int locked;
  } cases[] = {{1, 0}, {2, 1}};
  for (const Case& c : cases) {
    Rig r(64, true);
    ASSERT_EQ(r.fe.SetChannel(Cable(474000, frontendtypes::QAM_64, c.inversion)), DVB_ERR_NONE);
    EXPECT_EQ(r.Locked(), c.locked) << c.inversion;
  }
}

TEST(FECabVES18xx, SetUpAt6900kSymFor64Qam) {
  Rig r;
  WORD code = 0;
  ASSERT_EQ(r.Driver().SetChannel(&code, 474000, 0, 6900000, 2, 1), 0);
  EXPECT_EQ(r.Demod().Reg(0x03) >> 6, 0);  // d = 0
  EXPECT_EQ(r.Demod().Reg(0x0E) & 0x10, 0);  // h = 0
  EXPECT_EQ(r.Demod().Reg(0x0D), 134);
  EXPECT_EQ(r.Demod().Reg(0x04), 0x52);
  EXPECT_EQ(r.Driver().Wait(), 11);  // after the restart
  WORD state = 0;
  r.Driver().Poll(&state, 0);  // the search's first step: a long wait
  EXPECT_EQ(r.Driver().Wait(), 36);
}

TEST(FECabVES18xx, RefusedInputSendsNothing) {
  struct Case {
    _CHANNEL_TYPE channel;
    int result;
  } cases[] = {
      {Cable(44999, frontendtypes::QAM_64), DVB_ERR_ARGUMENT},
      {Cable(860001, frontendtypes::QAM_64), DVB_ERR_ARGUMENT},
      {Cable(474000, 5), DVB_ERR_FAILED},                            // QAM word
      {Cable(474000, frontendtypes::QAM_64, 1, 49999), DVB_ERR_FAILED},  // symbol rate
      {Cable(474000, frontendtypes::QAM_64, 1, 0), DVB_ERR_ARGUMENT},
  };
  for (const Case& c : cases) {
    Rig r;
    r.w.chips.ClearLog();
    EXPECT_EQ(r.fe.SetChannel(c.channel), c.result) << c.channel.dwFrequency << " " << c.channel.dwParam3;
    EXPECT_EQ(r.w.chips.Count(), 0);
  }
}

TEST(FECabVES18xx, ScanFromTheTopOfTheRangeStaysThere) {
  Rig r;
  r.ids.Air().present = false;
  WORD code = 0;
  ASSERT_EQ(r.Driver().SetChannel(&code, 860000, 0, 6900000, 2, 1), 0);
  ASSERT_EQ(r.Driver().ScanNext(&code), 0);
  WORD state = CFECabVES18xx::kPollBusy;
  int polls = 0;
  while (state == CFECabVES18xx::kPollBusy && polls < 100) {
    r.Driver().Poll(&state, 0);
    ++polls;
  }
  EXPECT_EQ(state, CFECabVES18xx::kPollNotLocked);  // the scan ends rather than sweep for ever
  EXPECT_NEAR(double(r.Driver().CurrentKHz()), 860000, 62.5);
}

}  // namespace
