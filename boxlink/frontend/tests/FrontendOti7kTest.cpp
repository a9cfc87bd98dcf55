// The OTI7K routines of variants 9 and 14: status, TPS read-out, the tuner
// behind its gate and the start sequence.
#include "FrontendRig.h"

#include <cstring>

namespace {

const int kOti7k = 0x86 >> 1;
const int kTuner = 0xC2 >> 1;

struct Rig : FrontendRig {
  explicit Rig(int variant) : FrontendRig(variant) {
    SimAirSignal& air = ids.Air();
    air.present = true;
    air.freqKHz = 474000;
    // 64-QAM (2), hierarchy 0, extra 1; LP 3/4 (2), HP 2/3 (1); 8K (1),
    // guard 1/8 (2).
    air.tps[0] = 0x30;
    air.tps[1] = 0x0A;
    air.tps[2] = 0x09;
    air.errors = 0x0102;
    EXPECT_EQ(fe.Init(), DVB_ERR_NONE);
  }
};

TEST(FrontendOti7k, TpsReadOutOnceLocked) {
  for (int variant : {9, 14}) {
    Rig r(variant);
    frontendtypes::_TYPE_TPS tps;
    memset(&tps, 0x55, sizeof(tps));
    EXPECT_EQ(r.fe.GetTPS(&tps), 1) << variant;  // not tuned: no TPS yet
    frontendtypes::_TYPE_TPS cleared = {};
    EXPECT_EQ(memcmp(&tps, &cleared, sizeof(tps)), 0);

    const frontendtypes::_CHANNEL_TYPE channel = {474000, 1, 0, 2, 0, 0, 0};
    ASSERT_EQ(r.fe.SetChannel(channel), DVB_ERR_NONE);
    if (variant == 9) {
      // Its tuner is the box's, which this library never programs: no
      // lock, so no TPS either.
      EXPECT_EQ(r.fe.GetTPS(&tps), 1);
      continue;
    }
    ASSERT_EQ(r.fe.GetTPS(&tps), 0) << variant;
    EXPECT_EQ(tps.bConstellation, 2);
    EXPECT_EQ(tps.bHierarchy, 0);
    EXPECT_EQ(tps.bTPSExtra, 1);
    EXPECT_EQ(tps.bCodeRateLP, 2);
    EXPECT_EQ(tps.bCodeRateHP, 1);
    EXPECT_EQ(tps.bMode, 1);
    EXPECT_EQ(tps.bGuard, 2);
    EXPECT_EQ(tps.dwDriver4[2], 1u);  // valid
    EXPECT_DOUBLE_EQ(r.fe.GetBER(), 0x0102 * 1.1967677696078431e-6);

    r.w.chips.NakAlways(kOti7k);
    EXPECT_EQ(r.fe.GetTPS(&tps), -1);
  }
}

TEST(FrontendOti7k, StatusBits) {
  Rig r(14);
  int lock = -1;
  r.ids.Demodulator()->Pin(0x00, 0xFE);
  EXPECT_EQ(r.fe.o7k_GetStatus(8, lock, nullptr), 1);
  EXPECT_EQ(lock, 1);
  CFrontendCore::OTI7K_Status st;
  r.ids.Demodulator()->Pin(0x00, 0x01);
  r.ids.Demodulator()->Pin(0x07, 0x10);
  r.ids.Demodulator()->Pin(0x0F, 0x42);
  EXPECT_EQ(r.fe.o7k_GetStatus(4 | 8, lock, &st), 0);
  EXPECT_EQ(st.lock, 1);
  EXPECT_EQ(st.reg0F, 0x42u);
  EXPECT_EQ(st.BER, 1.0);  // not asked for: the default
  r.w.chips.NakAlways(kOti7k);
  EXPECT_EQ(r.fe.o7k_GetStatus(8, lock, &st), -1);
  EXPECT_EQ(lock, 0);
}

TEST(FrontendOti7k, TunerBehindTheGate) {
  Rig r(14);
  r.w.chips.ClearLog();
  EXPECT_EQ(r.fe.o7k_SetTunerFreq(474000, 1), 474000u);
  ASSERT_EQ(r.w.chips.Count(), 3);  // gate open, PLL, gate closed
  EXPECT_EQ(r.w.chips.Log()[0].write, (std::vector<BYTE>{0x0A, 0x00}));
  EXPECT_EQ(r.w.chips.Log()[1].write, (std::vector<BYTE>{0x0B, 0xF5, 0x85, 0x80}));
  EXPECT_EQ(r.w.chips.Log()[2].write, (std::vector<BYTE>{0x0A, 0x01}));
  EXPECT_EQ(r.w.chips.GateViolations(), 0);

  r.w.chips.ClearLog();
  EXPECT_EQ(r.fe.o7k_SetTunerFreq(469999, 1), 0u);
  EXPECT_EQ(r.fe.o7k_SetTunerFreq(860001, 1), 0u);
  EXPECT_EQ(r.fe.o7k_SetTunerFreq(474000, 2), 0u);
  EXPECT_EQ(r.w.chips.Count(), 0);

  r.w.chips.NakAlways(kTuner);
  EXPECT_EQ(r.fe.o7k_SetTunerFreq(474000, 1), 0u);  // the PLL did not take it
}

TEST(FrontendOti7k, OutOfRangeStillStartsTheDemodulator) {
  Rig r(14);
  r.w.chips.ClearLog();
  EXPECT_EQ(r.fe.o7k_ChannelChange(469999, 1), 0u);
  EXPECT_EQ(r.w.chips.Count(kTuner), 0);
  ASSERT_FALSE(r.w.chips.Log().empty());
  EXPECT_EQ(r.w.chips.Log().back().write, (std::vector<BYTE>{0x00, 0x01}));
}

TEST(FrontendOti7k, InversionReadBack) {
  Rig r(9);
  const frontendtypes::_CHANNEL_TYPE channel = {474000, 0, 0, 2, 0, 0, 0};
  ASSERT_EQ(r.fe.SetChannel(channel), DVB_ERR_NONE);
  // The tune's initialisation rewrites register 0x09: what GetChannel
  // reports is the chip's bit, not the word passed in.
  for (BYTE bit : {0, 1}) {
    r.ids.Demodulator()->Pin(0x09, bit);
    frontendtypes::_CHANNEL_TYPE back = {};
    ASSERT_EQ(r.fe.GetChannel(back), DVB_ERR_NONE);
    EXPECT_EQ(back.dwInversion, bit ? 0u : 1u);
  }
  EXPECT_EQ(r.fe.SetInversion(1), 0);
  EXPECT_EQ(r.ids.Demodulator()->Reg(0x09) & 1, 1);
  r.w.chips.NakAlways(kOti7k);
  EXPECT_EQ(r.fe.SetInversion(0), 0);  // the OTI7K's failure is not passed on
}

}  // namespace
