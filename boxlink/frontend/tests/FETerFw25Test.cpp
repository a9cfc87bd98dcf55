// The DSP terrestrial driver of variant 25 against the simulated
// demodulator: the microcode download as the box carries it, the DSP check,
// the tuner builds, the stepped lock search with its offset retries, and the
// readings; then the front end tuning and reporting through it.
#include "FETerFw25.h"
#include "FrontendRig.h"
#include "MicrocodeFixtures.h"

#include <cmath>

namespace {

const int kDemod = 0x08;  // 7-bit
const int kTuner4 = 0xC2 >> 1;
const int kTuner5 = 0xC6 >> 1;
const size_t kImageSize = 30555;

struct Fw25Rig : FrontendRig {
  explicit Fw25Rig(std::vector<BYTE> chipImage = DspImage(kImageSize), std::vector<BYTE> driverImage = {}) {
    ids.SetMicrocode(chipImage);
    ids.Build(25);
    driver.reset(new CFETerFw25(w.bus, driverImage.empty() ? chipImage : driverImage));
  }
  CSimDspDemod& Chip() { return static_cast<CSimDspDemod&>(*ids.Demodulator()); }
  void Air(DWORD khz) {
    SimAirSignal& air = ids.Air();
    air.present = true;
    air.freqKHz = khz;
    air.captureKHz = 60;
    air.ofdm = {1, 3, 1, 0, 1, 2};
    air.snr = 0x80;
    air.agc = 0x44;
  }
  // The frequencies the four-byte tuner was set to, in order.
  std::vector<DWORD> Tuned() const {
    std::vector<DWORD> khz;
    for (const SimTransfer& t : w.chips.Log())
      if (t.address == kTuner4 && t.ok && t.write.size() == 4) {
        DWORD n = DWORD(t.write[0] << 8 | t.write[1]);
        khz.push_back((n * 1000 + 3) / 6 - 36167);
      }
    return khz;
  }
  std::unique_ptr<CFETerFw25> driver;
};

TEST(FETerFw25, MicrocodeGoesInBlocksTheBoxCarriesAtTheFastRate) {
  Fw25Rig r;
  ASSERT_EQ(r.driver->Init(), 0);
  EXPECT_TRUE(r.Chip().Running());
  int pieces = 0;
  size_t bytes = 0;
  for (const SimTransfer& t : r.w.chips.Log()) {
    if (t.address != kDemod || t.write.empty() || t.write[0] != 0x0D) continue;
    ++pieces;
    bytes += t.write.size() - 1;
    EXPECT_LE(t.write.size(), 57u);
    EXPECT_EQ(t.rateKHz, 400);
  }
  // 30554 bytes: 477 blocks of 64, each in two pieces of 32, and 26 left.
  EXPECT_EQ(pieces, 477 * 2 + 1);
  EXPECT_EQ(bytes, kImageSize - 1);
  EXPECT_FALSE(r.driver->FiveByteTuner());
  EXPECT_EQ(r.w.chips.GateViolations(), 0);
}

TEST(FETerFw25, ImagesAndBlocksThatDoNotLoad) {
  {
    // A piece refused three times fails its block: not loaded.
    Fw25Rig r;
    r.Chip().RefusePortWrite(101, 3);
    EXPECT_EQ(r.driver->Init(), 1);
  }
  {
    // Refused twice, the third try carries it.
    Fw25Rig r;
    r.Chip().RefusePortWrite(101, 2);
    EXPECT_EQ(r.driver->Init(), 0);
  }
  {
    // The chip runs only the image it was given.
    Fw25Rig r(DspImage(kImageSize, 1), DspImage(kImageSize, 2));
    EXPECT_EQ(r.driver->Init(), 1);
  }
  {
    // No image at all: nothing on the bus.
    Fw25Rig r;
    r.driver.reset(new CFETerFw25(r.w.bus, {}));
    EXPECT_EQ(r.driver->Init(), 1);
    EXPECT_EQ(r.w.chips.Count(), 0);
  }
}

TEST(FETerFw25, TunerBuildsAndABusyDsp) {
  {
    // The four-byte tuner does not answer: the five-byte one at 0xC6.
    Fw25Rig r;
    r.ids.Add(kTuner5);
    r.w.chips.SetGate(kTuner5, kDemod, 0x07, 0x02);
    r.w.chips.NakAlways(kTuner4);
    ASSERT_EQ(r.driver->Init(), 0);
    EXPECT_TRUE(r.driver->FiveByteTuner());
    EXPECT_EQ(r.driver->TunerAddress(), 0xC6);
  }
  {
    Fw25Rig r;
    r.w.chips.NakAlways(kTuner4);
    EXPECT_EQ(r.driver->Init(), -2);
  }
  {
    // A DSP that never reports ready: the parameter load gives up after its
    // polls and the rest goes on.
    Fw25Rig r;
    r.Chip().SetDspBusy(true);
    EXPECT_EQ(r.driver->Init(), 0);
    int polls = 0;
    for (const SimTransfer& t : r.w.chips.Log())
      polls += t.address == kDemod && t.write == std::vector<BYTE>{0x11, 0x61};
    EXPECT_EQ(polls, CFETerFw25::kDspPollLimit);
  }
}

struct SearchCase {
  const char* name;
  bool present;
  DWORD airKHz;
  DWORD lockState;
  std::vector<DWORD> tuned;  // the tuner's frequencies, in order
};

TEST(FETerFw25, LockSearchWithOffsetRetries) {
  const SearchCase cases[] = {
      {"on the channel", true, 474000, CFETerFw25::kLocked, {474000}},
      // The chip shows the side: one retry there (474166 kHz on the
      // tuner's grid).
      {"167 kHz above", true, 474167, CFETerFw25::kLocked, {474000, 474166}},
      {"167 kHz below", true, 473833, CFETerFw25::kLocked, {474000, 473833}},
      // Nothing in reach: below, then the other side, then given up.
      {"no signal", false, 474000, CFETerFw25::kNoLock, {474000, 473833, 474166}},
  };
  for (const SearchCase& c : cases) {
    Fw25Rig r;
    if (c.present) r.Air(c.airKHz);
    ASSERT_EQ(r.driver->Init(), 0) << c.name;
    r.w.chips.ClearLog();
    ASSERT_EQ(r.driver->SetChannel(474000, 3, FALSE, 0xFF, 0xFF, FALSE), 0);
    EXPECT_EQ(r.driver->LockStateNow(), c.lockState) << c.name;
    EXPECT_EQ(r.Tuned(), c.tuned) << c.name;
    EXPECT_EQ(r.driver->Frequency(), 474000u);
    EXPECT_EQ(r.driver->Bandwidth(), 8000000u);
    EXPECT_EQ((r.driver->GetLockState() & 0x08) != 0, c.lockState == CFETerFw25::kLocked) << c.name;
  }
}

TEST(FETerFw25, NoWaitLeavesTheSearchToTheCaller) {
  Fw25Rig r;
  r.Air(474167);
  ASSERT_EQ(r.driver->Init(), 0);
  ASSERT_EQ(r.driver->SetChannel(474000, 1, FALSE, 0xFF, 0xFF, TRUE), 0);
  EXPECT_EQ(r.driver->LockStateNow(), CFETerFw25::kTuning);
  EXPECT_EQ(r.driver->Bandwidth(), 7000000u);
  int steps = 0;
  while (r.driver->LockStateNow() == CFETerFw25::kTuning && steps < 10000) {
    r.driver->Step();
    r.w.bus.Sleep(10);
    ++steps;
  }
  EXPECT_EQ(r.driver->LockStateNow(), CFETerFw25::kLocked);
  EXPECT_EQ(r.driver->SearchFrequency(), 474167u);
}

TEST(FETerFw25, Readings) {
  Fw25Rig r;
  r.Air(474000);
  ASSERT_EQ(r.driver->Init(), 0);
  frontendtypes::_TYPE_TPS tps = {};
  tps.nFreqOffset = 5;
  EXPECT_EQ(r.driver->GetTPS(&tps), 1);  // nothing found yet
  ASSERT_EQ(r.driver->SetChannel(474000, 3, FALSE, 0xFF, 0xFF, FALSE), 0);
  ASSERT_EQ(r.driver->GetTPS(&tps), 0);
  EXPECT_EQ(tps.dwDriver4[2], 1u);
  EXPECT_EQ(tps.bMode, 1);
  EXPECT_EQ(tps.bGuard, 3);
  EXPECT_EQ(tps.bConstellation, 1);
  EXPECT_EQ(tps.bCodeRateHP, 1);
  EXPECT_EQ(tps.bCodeRateLP, 2);
  EXPECT_EQ(tps.nFreqOffset, 5);
  EXPECT_EQ(r.driver->GetSNR_SQE(), 0x80);
  EXPECT_EQ(r.driver->GetAGC(), 0x44);

  CSimDspDemod& chip = r.Chip();
  // Error count 0x12345 over the 0x40 period: 74565 x 99 / 100.
  chip.Pin(0x24, 0x41);
  chip.Pin(0x25, 0x23);
  chip.Pin(0x26, 0x45);
  double ber = -1;
  r.driver->GetBER(&ber);
  EXPECT_DOUBLE_EQ(ber, 73819 * 1e-6);
  // Frequency error -16 over a denominator of 0x1000000 >> 6.
  chip.Pin(0x0A, 0xF0);
  chip.Pin(0x32, 0x01);
  chip.Pin(0x33, 0x00);
  chip.Pin(0x34, 0x00);
  chip.Pin(0x35, 0x00);
  long afc = 1;
  r.driver->GetAFC(&afc);
  EXPECT_EQ(afc, -16L * 1000000 / 262144);
  chip.Pin(0x32, 0x00);
  r.driver->GetAFC(&afc);
  EXPECT_EQ(afc, 0);  // no denominator
}

TEST(FETerFw25, FrontEndTunesAndReportsThroughIt) {
  FrontendRig r;
  std::vector<BYTE> image = DspImage(kImageSize);
  r.ids.SetMicrocode(image);
  r.ids.Build(25);
  r.settings.files[CFrontendCore::kFw25Microcode] = image;
  SimAirSignal& air = r.ids.Air();
  air.present = true;
  air.freqKHz = 474167;
  air.captureKHz = 60;
  air.snr = 0x80;
  ASSERT_EQ(r.fe.Init(), DVB_ERR_NONE);
  ASSERT_NE(r.fe.Fw25Driver(), nullptr);
  frontendtypes::_CHANNEL_TYPE channel = {21, 1, 0, 2, 0, 0, 0};
  ASSERT_EQ(r.fe.SetChannel(channel), DVB_ERR_NONE);
  int locked = 0;
  frontendtypes::_SIGNAL_TYPE signal = {};
  frontendtypes::_LOCK_STATE lock = {};
  ASSERT_EQ(r.fe.GetState(locked, &signal, &lock), DVB_ERR_NONE);
  EXPECT_EQ(locked, 1);
  EXPECT_EQ(lock.bLocked, 1u);
  EXPECT_EQ(lock.Status & 1, 1u);
  // Quality byte 0x80: -100 log10(128 / 255) = 29.9 tenths of a dB.
  EXPECT_EQ(signal.wLevel, 29);
  EXPECT_EQ(signal.wQuality, 2);
  frontendtypes::_TYPE_TPS tps = {};
  EXPECT_EQ(r.fe.GetTPS(&tps), 0);
  EXPECT_EQ(tps.bMode, air.ofdm.mode);
}

TEST(FETerFw25, FrontEndWithoutTheMicrocodeFile) {
  FrontendRig r;
  r.ids.SetMicrocode(DspImage(kImageSize));
  r.ids.Build(25);
  ASSERT_EQ(r.fe.Init(), DVB_ERR_NONE);  // the driver's result is not examined
  int locked = 1;
  frontendtypes::_CHANNEL_TYPE channel = {21, 1, 0, 2, 0, 0, 0};
  ASSERT_EQ(r.fe.SetChannel(channel), DVB_ERR_NONE);
  ASSERT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
  EXPECT_EQ(locked, 0);
}

}  // namespace
