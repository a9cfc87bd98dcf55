// The DSP terrestrial driver of variants 26 and 31 against the simulated
// demodulator: the microcode load and its skip, a load that fails, the two
// tuner builds, the lock poll with its offset retry and its bound, the
// readings; the front end tuning and reporting through both builds.
#include "FETerFw46.h"
#include "FrontendRig.h"
#include "MicrocodeFixtures.h"

namespace {

const int kDemod = 0x08;  // 7-bit
const size_t kImageSize = 24479;

struct Fw46Rig : FrontendRig {
  explicit Fw46Rig(int variant, std::vector<BYTE> chipImage = DspImage(kImageSize, 7),
                   std::vector<BYTE> driverImage = {}) {
    ids.SetMicrocode(chipImage);
    ids.Build(variant);
    std::vector<BYTE> image = driverImage.empty() ? chipImage : driverImage;
    if (variant == 31)
      driver.reset(new CFETerFw46B(w.bus, image));
    else
      driver.reset(new CFETerFw46(w.bus, image));
  }
  CSimDspDemod& Chip() { return static_cast<CSimDspDemod&>(*ids.Demodulator()); }
  void Air(DWORD khz) {
    SimAirSignal& air = ids.Air();
    air.present = true;
    air.freqKHz = khz;
    air.captureKHz = 100;  // the register tuner's steps are 250 kHz
    air.ofdm = {0, 2, 2, 0, 3, 2};
    air.snr = 0x40;
  }
  int BlockWrites(size_t* bytes = nullptr) const {
    int n = 0;
    for (const SimTransfer& t : w.chips.Log())
      if (t.address == kDemod && !t.write.empty() && t.write[0] == 0x58) {
        ++n;
        if (bytes) *bytes += t.write.size() - 1;
        EXPECT_EQ(t.rateKHz, 400);
      }
    return n;
  }
  std::vector<std::vector<BYTE>> TunerWrites(int addr8) const {
    std::vector<std::vector<BYTE>> writes;
    for (const SimTransfer& t : w.chips.Log())
      if (t.address == addr8 >> 1 && t.ok) writes.push_back(t.write);
    return writes;
  }
  std::unique_ptr<CFETerFw46> driver;
};

TEST(FETerFw46, MicrocodeLoadsOnceInBlocksOf24) {
  Fw46Rig r(26);
  ASSERT_EQ(r.driver->Init(), 0);
  EXPECT_TRUE(r.Chip().Running());
  size_t bytes = 0;
  // 24478 bytes: 1019 blocks of 24 and 22 left, each one 400 kHz write.
  EXPECT_EQ(r.BlockWrites(&bytes), 1020);
  EXPECT_EQ(bytes, kImageSize - 1);
  EXPECT_EQ(r.driver->SampleClock(), 55000000u);
  EXPECT_EQ(r.driver->Errors(), 0u);

  // The DSP already runs the expected version: nothing loaded again.
  r.w.chips.ClearLog();
  ASSERT_EQ(r.driver->Init(), 0);
  EXPECT_EQ(r.BlockWrites(), 0);
}

TEST(FETerFw46, LoadsThatFailAreReported) {
  {
    // A block refused three times is skipped, and the DSP has no program.
    Fw46Rig r(31);
    r.Chip().RefusePortWrite(500, 3);
    EXPECT_EQ(r.driver->Init(), -1);
    EXPECT_GT(r.driver->Errors(), 0u);
  }
  {
    Fw46Rig r(31);
    r.Chip().RefusePortWrite(500, 2);  // the third try carries it
    EXPECT_EQ(r.driver->Init(), 0);
  }
  {
    Fw46Rig r(26, DspImage(kImageSize, 7), DspImage(kImageSize, 8));
    EXPECT_EQ(r.driver->Init(), -1);  // loaded, but not what the chip runs
  }
  {
    Fw46Rig r(26, DspImage(kImageSize, 7), {0});
    EXPECT_EQ(r.driver->Init(), -1);  // no image
    EXPECT_EQ(r.BlockWrites(), 0);
  }
}

struct LockCase {
  const char* name;
  int variant;
  bool present;
  DWORD airKHz;
  bool stuck;
  bool locked;
  int offsetCode;
};

TEST(FETerFw46, LockPollWithOneOffsetRetry) {
  const LockCase cases[] = {
      {"26 on the channel", 26, true, 474000, false, true, 1},
      {"26 above", 26, true, 474167, false, true, 4},
      {"26 below", 26, true, 473833, false, true, 5},
      {"31 on the channel", 31, true, 474000, false, true, 1},
      {"31 above", 31, true, 474167, false, true, 4},
      {"26 nothing", 26, false, 474000, false, false, 1},
      // An attempt counter that never moves: bounded, not locked.
      {"31 stuck", 31, true, 600000, true, false, 1},
  };
  for (const LockCase& c : cases) {
    Fw46Rig r(c.variant);
    if (c.present) r.Air(c.airKHz);
    r.ids.Air().stuckAttempts = c.stuck;
    ASSERT_EQ(r.driver->Init(), 0) << c.name;
    double start = r.w.clock.Now();
    ASSERT_EQ(r.driver->SetChannel(474000, 3, FALSE, 0xFF, 0xFF, FALSE), 0);
    EXPECT_LT(r.w.clock.Now() - start, CFETerFw46::kLockLimitMs + 4000.0) << c.name;
    int status = -1;
    ASSERT_EQ(r.driver->PollLock(status), 0);
    EXPECT_EQ(status, c.locked ? 0 : 1) << c.name;
    EXPECT_EQ((r.driver->GetLockState() & 0x08) != 0, c.locked) << c.name;
    EXPECT_EQ(r.driver->OffsetCode(), c.offsetCode) << c.name;
    EXPECT_EQ(r.driver->Frequency(), c.variant == 31 ? 474000000u : 473997960u) << c.name;
  }
}

TEST(FETerFw46, TunerWords) {
  {
    // The register tuner at 474 MHz with 5 MHz IF: row 493 MHz, divider
    // 1916, band byte 0x33.
    Fw46Rig r(31);
    ASSERT_EQ(r.driver->Init(), 0);
    r.w.chips.ClearLog();
    r.driver->SetChannel(474000, 3, FALSE, 0xFF, 0xFF, TRUE);
    auto writes = r.TunerWrites(0xC2);
    ASSERT_FALSE(writes.empty());
    EXPECT_EQ(writes[0], (std::vector<BYTE>{0x00, 0x1D, 0xF0, 0x40, 0x52, 0x33, 0x9F, 0x8F}));
    EXPECT_EQ(writes.back(), (std::vector<BYTE>{0x80, 0x04}));
    // IF + f above 865 MHz is not tuned.
    r.w.chips.ClearLog();
    r.driver->SetChannel(861000, 3, FALSE, 0xFF, 0xFF, TRUE);
    EXPECT_TRUE(r.TunerWrites(0xC2).empty());
    EXPECT_EQ(r.w.chips.GateViolations(), 0);
  }
  {
    // The PLL from 830 MHz up: first through the band below.
    Fw46Rig r(26);
    ASSERT_EQ(r.driver->Init(), 0);
    r.w.chips.ClearLog();
    r.driver->SetChannel(840000, 3, FALSE, 0xFF, 0xFF, TRUE);
    auto writes = r.TunerWrites(0xC0);
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[0][3], 0xAC);
    EXPECT_EQ(writes[1][3], 0xCC);
    EXPECT_EQ(writes[1][5], 0xCC);
    r.w.chips.ClearLog();
    r.driver->SetChannel(474000, 1, FALSE, 0xFF, 0xFF, TRUE);  // 7 MHz: no 8 MHz bit
    writes = r.TunerWrites(0xC0);
    ASSERT_EQ(writes.size(), 1u);
    EXPECT_EQ(writes[0][3], 0x64);
  }
}

TEST(FETerFw46, Readings) {
  Fw46Rig r(26);
  r.Air(474000);
  ASSERT_EQ(r.driver->Init(), 0);
  ASSERT_EQ(r.driver->SetChannel(474000, 3, FALSE, 0xFF, 0xFF, FALSE), 0);
  frontendtypes::_TYPE_TPS tps = {};
  ASSERT_EQ(r.driver->GetTPS(&tps), 0);
  EXPECT_EQ(tps.bMode, 0);
  EXPECT_EQ(tps.bGuard, 2);
  EXPECT_EQ(tps.bConstellation, 2);
  EXPECT_EQ(tps.bCodeRateHP, 3);

  CSimDspDemod& chip = r.Chip();
  // Frequency error 0x0100 x 55 MHz / 2^22 = 3356.9 Hz: 3 kHz.
  chip.Pin(0x18, 0x01);
  chip.Pin(0x19, 0x00);
  long afc = 0;
  r.driver->GetAFC(&afc);
  EXPECT_EQ(afc, 3);
  chip.Pin(0x18, 0xFE);  // -512: -6713.8 Hz, -7 kHz
  r.driver->GetAFC(&afc);
  EXPECT_EQ(afc, -7);
  // Error count 1000 with period bits 0x20: x 10 x 1.000074, truncated.
  chip.Pin(0x4F, 0x24);
  chip.Pin(0x24, 0x00);
  chip.Pin(0x25, 0x03);
  chip.Pin(0x26, 0xE8);
  double ber = -1;
  r.driver->GetBER(&ber);
  EXPECT_DOUBLE_EQ(ber, 10000 * 1e-8);
  chip.Pin(0x4F, 0x20);  // no count ready
  r.driver->GetBER(&ber);
  EXPECT_EQ(ber, 0);
  // Uncorrected blocks: a counter that clears gives its value, one that
  // does not gives -1.
  chip.SetReg(0x27, 5);
  int blocks = 0;
  ASSERT_EQ(r.driver->GetUncorrected(blocks), 0);
  EXPECT_EQ(blocks, 5);
  chip.Pin(0x27, 5);
  ASSERT_EQ(r.driver->GetUncorrected(blocks), 0);
  EXPECT_EQ(blocks, -1);
}

TEST(FETerFw46, NothingBeforeInit) {
  Fw46Rig r(26);
  int status = 0;
  EXPECT_EQ(r.driver->PollLock(status), 3);
  signed char level = 0;
  EXPECT_EQ(r.driver->GetSignalLevel(level), 3);
  EXPECT_EQ(r.driver->ProgramBandwidth(8000000), 3);
  EXPECT_EQ(r.driver->SetChannel(474000, 3, FALSE, 0xFF, 0xFF, FALSE), 0);
  EXPECT_EQ(r.w.chips.Count(), 0);
}

TEST(FETerFw46, FrontEndTunesAndReportsThroughBothBuilds) {
  for (int variant : {26, 31}) {
    FrontendRig r;
    std::vector<BYTE> image = DspImage(kImageSize, 3);
    r.ids.SetMicrocode(image);
    r.ids.Build(variant);
    r.settings.files[CFrontendCore::kFw46Microcode] = image;
    SimAirSignal& air = r.ids.Air();
    air.present = true;
    air.freqKHz = 474000;
    air.captureKHz = 60;
    air.snr = 0xFF;
    ASSERT_EQ(r.fe.Init(), DVB_ERR_NONE);
    frontendtypes::_CHANNEL_TYPE channel = {21, 0, 0, 3, 0, 0, 0};
    ASSERT_EQ(r.fe.SetChannel(channel), DVB_ERR_NONE);
    int locked = 0;
    frontendtypes::_SIGNAL_TYPE signal = {};
    ASSERT_EQ(r.fe.GetState(locked, &signal, nullptr), DVB_ERR_NONE);
    EXPECT_EQ(locked, 1) << variant;
    EXPECT_EQ(signal.wLevel, 0) << variant;  // full scale
    // AGC registers 0: level -49 - 26 + 1 + 474e6 x 2e-8 - 474^2 x 2e-5 -
    // 3.75 = -72.8, quality (28 x 100) / 70 = 40.
    EXPECT_EQ(signal.wQuality, 40) << variant;
    frontendtypes::_TYPE_TPS tps = {};
    EXPECT_EQ(r.fe.GetTPS(&tps), 0) << variant;
  }
}

}  // namespace
