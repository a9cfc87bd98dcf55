// The raw read-outs (frequency error, bit-error rate, gain, quality word,
// transmission parameters) and the level and quality scales GetState puts
// on them, with fixed chip readings.
#include "FrontendRig.h"

namespace {

struct Rig : FrontendRig {
  explicit Rig(int variant, bool highSymbolRates = false) : FrontendRig(variant) {
    if (highSymbolRates) settings.dwords["HighSymbolrates"] = 1;
    EXPECT_EQ(fe.Init(), DVB_ERR_NONE);
  }
  CSimChip& Demod() { return ids.Demodulator() ? *ids.Demodulator() : *ids.At(0xAA >> 1); }
  frontendtypes::_SIGNAL_TYPE Signal() {
    frontendtypes::_SIGNAL_TYPE signal = {};
    int locked;
    EXPECT_EQ(fe.GetState(locked, &signal, nullptr), DVB_ERR_NONE);
    return signal;
  }
};

TEST(FrontendReadouts, LevelAndQualityScales) {
  struct Case {
    const char* what;
    int variant;
    bool highSymbolRates;
    std::vector<std::pair<int, BYTE>> pins;
    WORD level, quality;
  } cases[] = {
      {"VES1893 SNR 5 is taken as 9", 2, false, {{0x1C, 5}}, 200, 100},
      {"VES1893 SNR 200 is taken as 170", 2, false, {{0x1C, 200}}, 0, 0},
      {"VES1893 SNR 90", 2, false, {{0x1C, 90}}, 68, 49},
      {"TDA8083 SNR 0", 10, false, {{0x08, 0}}, 30, 0},
      {"TDA8083 SNR 255", 10, false, {{0x08, 255}}, 120, 100},
      {"STV0299 word 0, driver scale", 15, false, {{0x24, 0}, {0x25, 0}}, 190, 100},
      {"STV0299 word 20000", 15, false, {{0x24, 0x4E}, {0x25, 0x20}}, 0, 0},
      {"STV0299 word 0, register scale", 15, true, {{0x24, 0}, {0x25, 0}}, 190, 100},
      {"STV0299 word 5000, register scale", 20, true, {{0x24, 0x13}, {0x25, 0x88}}, 105, 55},
      // Variant 4: the VES1820 read by the front end itself (3 reads it
      // through its driver object).
      {"VES1820 SNR 10", 4, false, {{0x18, 10}}, 0, 100},
      {"VES1820 SNR 20", 4, false, {{0x18, 20}}, 0, 95},
      {"VES1820 SNR 21", 4, false, {{0x18, 21}}, 0, 93},
      {"VES1820 SNR 71", 4, false, {{0x18, 71}}, 0, 0},
      {"L64781 gain 100 (quality byte 155)", 16, false, {{0x0E, 100}}, 0, 100},
      {"L64781 gain 10 (quality byte 245)", 16, false, {{0x0E, 10}}, 0, 20},
      {"L64781 gain 200 (quality byte 55)", 16, false, {{0x0E, 200}}, 0, 0},
  };
  for (const auto& c : cases) {
    Rig r(c.variant, c.highSymbolRates);
    // The VES1893's driver object reads its signal once it has a channel.
    if (c.variant == 2) ASSERT_EQ(r.fe.SetChannel({11778000, 1, 27500000, 10600000, 0, 13, 0}), DVB_ERR_NONE);
    for (const auto& pin : c.pins) r.Demod().Pin(pin.first, pin.second);
    frontendtypes::_SIGNAL_TYPE signal = r.Signal();
    EXPECT_EQ(signal.wLevel, c.level) << c.what;
    EXPECT_EQ(signal.wQuality, c.quality) << c.what;
  }
}

TEST(FrontendReadouts, FrequencyErrors) {
  struct Case {
    const char* what;
    int variant;
    std::vector<std::pair<int, BYTE>> pins;
    int afc;
  } cases[] = {
      // v = -64 at 27.5 MSym/s: 27500000 x -64 / 128000.
      {"VES1893 seven-bit signed", 2, {{0x0A, 0x40}}, -13750},
      {"VES1820 signed byte", 3, {{0x19, 0xF0}}, -107},
      {"TDA8083 sign from bit 2", 10, {{0x05, 0x07}, {0x06, 0xFF}, {0x07, 0xFF}}, 0},
      {"TDA8083 positive", 10, {{0x05, 0x00}, {0x06, 0x10}, {0x07, 0x00}}, 499},
  };
  for (const auto& c : cases) {
    Rig r(c.variant);
    frontendtypes::_CHANNEL_TYPE channel = {474000, 1, 27500000, 0, 0, 0, 0};
    if (c.variant == 3) channel.dwSymbolRate = 6900000;
    if (c.variant == 2) channel = {11778000, 1, 27500000, 10600000, 0, 13, 0};
    ASSERT_EQ(r.fe.SetChannel(channel), DVB_ERR_NONE) << c.what;
    for (const auto& pin : c.pins) r.Demod().Pin(pin.first, pin.second);
    EXPECT_EQ(r.fe.GetAFC(), c.afc) << c.what;
  }
}

TEST(FrontendReadouts, BitErrorRates) {
  Rig v10(10);
  v10.Demod().Pin(0x0B, 0xE0);
  EXPECT_DOUBLE_EQ(v10.fe.GetBER(), 1e-10);
  v10.Demod().Pin(0x0B, 0x1F);
  EXPECT_DOUBLE_EQ(v10.fe.GetBER(), 1e-3);

  Rig v15(15);
  v15.Demod().Pin(0x1D, 0x02);
  v15.Demod().Pin(0x1E, 0x00);
  EXPECT_DOUBLE_EQ(v15.fe.GetBER(), 512.0 / 2097152);

  Rig v2(2);  // 1000 errors in the initial million-bit window
  v2.Demod().Pin(0x15, 0xE8);
  v2.Demod().Pin(0x16, 0x03);
  v2.Demod().Pin(0x17, 0xF0);  // only 20 bits count
  EXPECT_DOUBLE_EQ(v2.fe.GetBER(), 0.001);
}

TEST(FrontendReadouts, FailureValues) {
  for (int variant : {2, 3, 4}) {
    Rig r(variant);
    r.w.chips.NakAlways(r.fe.GetType() == frontendtypes::FE_SATELLITE ? 0x08 : 0x09);
    EXPECT_EQ(r.fe.GetAFC(), -1) << variant;
  }
  for (int variant : {16, 19}) {
    Rig r(variant);
    r.w.chips.NakAlways(variant == 16 ? 0x55 : 0x54);
    EXPECT_EQ(r.fe.GetBER(), -1.0) << variant;
  }
  Rig oti(14);
  oti.w.chips.NakAlways(0x43);
  EXPECT_EQ(oti.fe.GetAGC(), 0xAA);
  EXPECT_EQ(oti.fe.GetBER(), 0.0);
  EXPECT_EQ(oti.fe.o7k_GetOTI7K_ID(), 0xFF);
}

TEST(FrontendReadouts, L64781TransmissionParameters) {
  Rig r(16);
  r.Demod().Pin(0x04, 0x0D);
  r.Demod().Pin(0x05, 0x1A);
  r.Demod().Pin(0x06, 0x4E);
  frontendtypes::_TYPE_TPS tps = {};
  ASSERT_EQ(r.fe.GetTPS(&tps), 0);
  EXPECT_EQ(tps.bMode, 3);
  EXPECT_EQ(tps.bGuard, 1);
  EXPECT_EQ(tps.bCodeRateHP, 2);
  EXPECT_EQ(tps.bCodeRateLP, 3);
  EXPECT_EQ(tps.bTPSExtra, 2);
  EXPECT_EQ(tps.bConstellation, 2);
  EXPECT_EQ(tps.bHierarchy, 3);
  r.w.chips.NakAlways(0x55);
  EXPECT_EQ(r.fe.GetTPS(&tps), -1);
}

}  // namespace

namespace {

// GetState's scales of the DSP terrestrial variants: the level in tenths of
// a dB below full scale from the quality byte (250 for none), variant 25's
// quality from that level, and 26's and 31's from the driver's signal level.
TEST(FrontendReadouts, DspTerrestrialScales) {
  const struct {
    BYTE quality;
    WORD level;
    WORD fw25;  // its quality
  } levels[] = {
      {0, 250, 99},  // 1.2^25 + 4.15 = 99.5
      {1, 240, 83},  // 240.6 tenths cut to 240: 1.2^24 + 3.98 = 83.5
      {26, 99, 7},   // 1.2^9.9 + 1.64
      {128, 29, 2}, {255, 0, 1},
  };
  for (const auto& c : levels) {
    EXPECT_EQ(CFrontendCore::DspLevel(c.quality), c.level) << int(c.quality);
    EXPECT_EQ(CFrontendCore::Fw25Quality(c.level), c.fw25) << int(c.quality);
  }
  const struct {
    int strength;
    WORD quality;
  } strengths[] = {{-128, 0}, {-101, 0}, {-100, 0}, {-65, 50}, {-31, 98}, {-30, 100}, {-29, 100}, {127, 100}};
  for (const auto& c : strengths) EXPECT_EQ(CFrontendCore::Fw46Quality(c.strength), c.quality) << c.strength;
}

}  // namespace
