// The public operations on the box-firmware variants and the ones every
// variant answers from its table: DiSEqC, antenna power, ranges, tuning,
// read-back and state, with the commands each costs.
#include "FrontendRig.h"

#include <cmath>
#include <cstring>

namespace {

// The terrestrial box reports antenna power among its capabilities.
struct Rig : FrontendRig {
  explicit Rig(int variant) : FrontendRig(variant) {
    if (variant == 23) Box().feCaps[1] = 0x10000;
  }
  int Init() { return fe.Init(); }
};

frontendtypes::_CHANNEL_TYPE Channel(DWORD f, DWORD inv, DWORD sr, DWORD p3, DWORD p4, DWORD lnb, DWORD vit) {
  return frontendtypes::_CHANNEL_TYPE{f, inv, sr, p3, p4, lnb, vit};
}

TEST(FrontendInterface, DiSEqCMessageRules) {
  Rig r(21);
  ASSERT_EQ(r.Init(), 0);
  BYTE seven[7] = {0xE0, 0x10, 0x38, 0xF0, 0, 0, 0};
  // The first message switches the LNB supply on and waits before anything.
  double start = r.w.clock.Now();
  EXPECT_EQ(r.fe.SendDiSEqCMsg(seven, 7, 0xFF), DVB_ERR_ARGUMENT);
  EXPECT_DOUBLE_EQ(r.w.clock.Now() - start, 120);
  EXPECT_EQ(r.fe.StoredChannel().dwLNBSupply, 18u);
  EXPECT_EQ(r.Box().diseqcCount, 0);

  int before = r.w.bus.Commands();
  EXPECT_EQ(r.fe.SendDiSEqCMsg(2, 1, 0, 0, 1, 1), DVB_ERR_NONE);
  EXPECT_EQ(r.w.bus.Commands() - before, 1);
  const BYTE want[4] = {0xE0, 0x10, 0x38, 0xF7};
  EXPECT_EQ(memcmp(r.Box().diseqcMessage, want, 4), 0);
  EXPECT_EQ(r.Box().diseqcMode, 0xFF);

  EXPECT_EQ(r.fe.SendDiSEqCMsg(2, 0, 1, 1, 0, 2), DVB_ERR_NONE);
  EXPECT_EQ(r.Box().diseqcMessage[0], 0xE1);  // the repetition
  EXPECT_EQ(r.Box().diseqcMessage[3], 0xF8);
  EXPECT_EQ(r.fe.SendDiSEqCMsg(1, 1, 0, 0, 0, 0), DVB_ERR_NONE);  // tone burst B
  EXPECT_EQ(r.Box().diseqcLength, 0);
  EXPECT_EQ(r.Box().diseqcMode, 1);
  EXPECT_EQ(r.fe.SendDiSEqCMsg(0, 0, 0, 0, 0, 0), DVB_ERR_NONE);
  EXPECT_EQ(r.Box().diseqcMessage[0], 0xE0);
  EXPECT_EQ(r.Box().diseqcLength, 3);
  EXPECT_EQ(r.fe.SendDiSEqCMsg(9, 0, 0, 0, 0, 0), DVB_ERR_ARGUMENT);

  int sent = r.Box().diseqcCount;
  EXPECT_EQ(r.fe.SendDiSEqCMsg(2, 1, 1, 1, 1, 0), DVB_ERR_NONE);  // nothing to send
  EXPECT_EQ(r.Box().diseqcCount, sent);

  r.Box().diseqcStatus = 1;
  start = r.w.clock.Now();
  EXPECT_EQ(r.fe.SendDiSEqCMsg(want, 4, 0xFF), DVB_ERR_DISEQC);
  EXPECT_EQ(r.Box().diseqcCount, sent + 3);
  EXPECT_DOUBLE_EQ(r.w.clock.Now() - start, 3 * 20 + 2 * 120.0);
}

TEST(FrontendInterface, DiSEqCOnlyOnSatelliteAndNotWithJapanLnb) {
  Rig cable(22);
  ASSERT_EQ(cable.Init(), 0);
  const BYTE message[3] = {0xE0, 0x00, 0x00};
  EXPECT_EQ(cable.fe.SendDiSEqCMsg(message, 3, 0xFF), DVB_ERR_NO_ANSWER);

  Rig japan(21);
  japan.settings.dwords["JapanLNB"] = 1;
  ASSERT_EQ(japan.Init(), 0);
  int before = japan.w.bus.Commands();
  EXPECT_EQ(japan.fe.SendDiSEqCMsg(message, 3, 0xFF), DVB_ERR_NONE);
  EXPECT_EQ(japan.w.bus.Commands(), before);

  japan.w.bus.SetOpen(false);
  EXPECT_EQ(japan.fe.SendDiSEqCMsg(message, 3, 0xFF), DVB_ERR_NO_DEVICE);
}

TEST(FrontendInterface, AntennaPower) {
  Rig r(23);
  ASSERT_EQ(r.Init(), 0);
  EXPECT_EQ(r.Box().antennaPower, 0u);  // switched off by Init
  EXPECT_EQ(r.fe.SetAntennaPower(1), DVB_ERR_NONE);
  DWORD state = 0;
  EXPECT_EQ(r.fe.GetAntennaPower(state), DVB_ERR_NONE);
  EXPECT_EQ(state, 1u);
  r.Box().antennaAnswer = 0;
  EXPECT_EQ(r.fe.SetAntennaPower(0), DVB_ERR_FAILED);

  Rig without(22);
  ASSERT_EQ(without.Init(), 0);
  state = 0;
  EXPECT_EQ(without.fe.SetAntennaPower(1), DVB_ERR_FAILED);
  EXPECT_EQ(without.fe.GetAntennaPower(state), DVB_ERR_FAILED);
  EXPECT_EQ(state, 3u);
}

TEST(FrontendInterface, RangesByVariant) {
  struct Case {
    int variant;
    DWORD fmin, fmax, smin, smax;
    frontendtypes::_BANDWITH_TYPE bmin, bmax;
    DWORD raster, gapStart, gapEnd;
  } cases[] = {
      {0, 0, 0, 0, 0, frontendtypes::BW_4, frontendtypes::BW_4, 8000, 0, 0},
      {19, 174000, 860000, 0, 0, frontendtypes::BW_0, frontendtypes::BW_0, 6000, 216000, 470000},
      {10, 950000, 2150000, 1500000, 30000000, frontendtypes::BW_4, frontendtypes::BW_4, 8000, 0, 0},
      {17, 45000, 860000, 870000, 11700000, frontendtypes::BW_2, frontendtypes::BW_2, 8000, 0, 0},
      {26, 45000, 860000, 0, 0, frontendtypes::BW_1, frontendtypes::BW_2, 8000, 0, 0},
      {21, 950000, 2150000, 1000000, 45000000, frontendtypes::BW_4, frontendtypes::BW_4, 8000, 0, 0},  // from the box
  };
  for (const Case& c : cases) {
    Rig r(c.variant);
    r.Init();
    DWORD a = 1, b = 1, g = 1;
    frontendtypes::_BANDWITH_TYPE x, y;
    r.fe.GetFrequencyRange(a, b);
    EXPECT_EQ(a, c.fmin) << c.variant;
    EXPECT_EQ(b, c.fmax) << c.variant;
    r.fe.GetSymbolRateRange(a, b);
    EXPECT_EQ(a, c.smin) << c.variant;
    EXPECT_EQ(b, c.smax) << c.variant;
    r.fe.GetBandwidthRange(x, y);
    EXPECT_EQ(x, c.bmin) << c.variant;
    EXPECT_EQ(y, c.bmax) << c.variant;
    r.fe.GetBandwidthAndGap(a, b, g);
    EXPECT_EQ(a, c.raster) << c.variant;
    EXPECT_EQ(b, c.gapStart) << c.variant;
    EXPECT_EQ(g, c.gapEnd) << c.variant;
  }
  Rig box(23);
  const DWORD caps[9] = {0, 0x10000, 174000, 858000, 0, 0, 1, 2, 0};
  memcpy(box.Box().feCaps, caps, sizeof(caps));
  ASSERT_EQ(box.Init(), 0);
  DWORD lo, hi;
  box.fe.GetFrequencyRange(lo, hi);
  EXPECT_EQ(lo, 174000u);
  EXPECT_EQ(hi, 858000u);
}

TEST(FrontendInterface, TuningTheBoxFirmwareVariants) {
  struct Case {
    int variant;
    frontendtypes::_CHANNEL_TYPE channel;
    DWORD type;
    std::vector<DWORD> words;  // what the box received after the type word
  } cases[] = {
      {21, Channel(11778000, 2, 27500000, 10600000, 1, 13, 3), 1, {11778000, 2, 27500000, 0, 0, 10600000, 13, 1, 3}},
      {22, Channel(346000, 1, 6900000, 2, 2, 0, 0), 2, {346000, 1, 6900000, 3, 2}},
      {23, Channel(21, 0, 1, 2, 0, 0, 0), 3, {474000 + 4000, 0, 0xFF, 0xFF, 2}},
  };
  for (const Case& c : cases) {
    Rig r(c.variant);
    r.settings.profile["DVBServer/DVB_T_Offset_21"] = 5000;  // used as 4000
    ASSERT_EQ(r.Init(), 0);
    int before = r.w.bus.Commands();
    ASSERT_EQ(r.fe.SetChannel(c.channel), DVB_ERR_NONE) << c.variant;
    EXPECT_EQ(r.w.bus.Commands() - before, c.variant == 23 ? 2 : 1) << c.variant;
    EXPECT_EQ(r.Box().channelType, c.type);
    for (size_t i = 0; i < c.words.size(); ++i) EXPECT_EQ(r.Box().channel[i], c.words[i]) << c.variant << " word " << i;
    EXPECT_EQ(memcmp(&r.fe.StoredChannel(), &c.channel, sizeof(c.channel)), 0);

    r.Box().channelAnswer = 3;  // refused
    frontendtypes::_CHANNEL_TYPE other = c.channel;
    other.dwFrequency += 1000;
    EXPECT_EQ(r.fe.SetChannel(other), DVB_ERR_NO_ANSWER);
    EXPECT_EQ(r.fe.StoredChannel().dwFrequency, c.channel.dwFrequency);
  }
}

TEST(FrontendInterface, ChannelNumbers) {
  Rig r(23);
  r.settings.profile["DVBServer/DVB_T_Offset_05"] = -5000;
  r.settings.profile["DVBServer/DVB_T_Offset_69"] = 250;
  r.settings.profile["DVBServer/DVB_T_Offset_14"] = 5000;
  struct Case {
    DWORD in, out, us;
  } cases[] = {
      {21, 474000, 431000 + 14 * 6000},
      {69, 858250, 431000 + 62 * 6000 + 250},
      {5, 173500, 5},
      {12, 226500, 177000 + 5 * 6000},
      {13, 13, 177000 + 6 * 6000},
      {14, 14, 431000 + 7 * 6000 + 3000},
      {70, 70, 431000 + 63 * 6000},
      {474000, 474000, 474000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(r.fe.VerfifyCabTerFreq(c.in), c.out) << c.in;
    EXPECT_EQ(r.fe.VerfifyCabTerFreq_US(c.in), c.us) << c.in;
  }
}

TEST(FrontendInterface, SymbolRateZeroReachesOnlyPathsThatDoNotDivide) {
  // The box firmware takes the words as they are: nothing divides by the
  // rate, so the tune goes to the box.
  for (int variant : {21, 22}) {
    Rig r(variant);
    ASSERT_EQ(r.Init(), 0);
    int before = r.w.bus.Commands();
    EXPECT_EQ(r.fe.SetChannel(Channel(11778000, 0, 0, 10600000, 0, 18, 0)), DVB_ERR_NONE) << variant;
    EXPECT_GT(r.w.bus.Commands(), before) << variant;
  }
  Rig terrestrial(23);  // word 2 is the tuning flag there
  ASSERT_EQ(terrestrial.Init(), 0);
  EXPECT_EQ(terrestrial.fe.SetChannel(Channel(474000, 0, 0, 2, 0, 0, 0)), DVB_ERR_NONE);
}

TEST(FrontendInterface, ReadBackAndStateOfTheBoxFirmwareVariants) {
  struct Case {
    int variant;
    DWORD lockWord;
    DWORD berMantissa, berExponent;
    DWORD inversion;  // read back
    DWORD status;     // _LOCK_STATE status bits
  } cases[] = {
      {21, 0x0F, 5, 4, 0, 0x0F | (3u << 4)},       // BER 5e-4: class 3; bit 3 -> inversion 0
      {21, 0x01, 5, 2, 1, 0x03 | (1u << 4)},       // 0.05: class 1
      {22, 0x7F, 2, 3, 0, 0x3F},                   // bit 6 -> inversion 0
      {23, 0x80000001, 5, 3, 0, 0x1 | (2u << 1)},  // 0.005: class 2
      {23, 0x00000000, 5, 1, 1, 0x0},              // 0.5: class 0
  };
  for (const Case& c : cases) {
    Rig r(c.variant);
    ASSERT_EQ(r.Init(), 0);
    const DWORD signal[12] = {0, c.lockWord, 0, DWORD(-12), c.berMantissa, c.berExponent, 0x40, 0x9C, 300, 77, 0, 0};
    memcpy(r.Box().feSignal, signal, sizeof(signal));
    const DWORD lock[3] = {0, c.lockWord, 0};
    memcpy(r.Box().feLock, lock, sizeof(lock));

    frontendtypes::_CHANNEL_TYPE back = {};
    int before = r.w.bus.Commands();
    ASSERT_EQ(r.fe.GetChannel(back), DVB_ERR_NONE);
    EXPECT_EQ(back.dwInversion, c.inversion) << c.variant;

    int locked = -1;
    frontendtypes::_SIGNAL_TYPE s = {};
    frontendtypes::_LOCK_STATE l = {};
    ASSERT_EQ(r.fe.GetState(locked, &s, &l), DVB_ERR_NONE);
    EXPECT_EQ(r.w.bus.Commands() - before, 2);  // one status query each
    EXPECT_EQ(DWORD(locked), c.lockWord);
    EXPECT_EQ(s.nAFC, -12);
    EXPECT_DOUBLE_EQ(s.dBER, c.berMantissa * std::pow(10.0, -double(c.berExponent)));
    EXPECT_EQ(s.bAGC, 0x40);
    EXPECT_EQ(s.bSNR, 0x9C);
    EXPECT_EQ(s.wLevel, 300);
    EXPECT_EQ(s.wQuality, 77);
    EXPECT_EQ(l.Type, r.fe.GetType());
    EXPECT_EQ(l.bLocked, c.lockWord & 1);
    EXPECT_EQ(l.Status, c.status) << c.variant << " " << c.lockWord;

    locked = -1;
    EXPECT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
    EXPECT_EQ(DWORD(locked), c.lockWord);

    r.Box().feLock[0] = 1;
    r.Box().feSignal[0] = 1;
    EXPECT_EQ(r.fe.GetState(locked, &s, &l), DVB_ERR_NO_ANSWER);
    EXPECT_EQ(r.fe.GetChannel(back), DVB_ERR_NO_ANSWER);
  }
}

TEST(FrontendInterface, TuneLocksOnTheSignalInTheAir) {
  Rig r(22);
  r.Box().feAirFrequency = 346000;
  r.Box().feCaptureKHz = 500;
  ASSERT_EQ(r.Init(), 0);
  int locked = -1;
  ASSERT_EQ(r.fe.SetChannel(Channel(346250, 0, 6900000, 2, 2, 0, 0)), DVB_ERR_NONE);
  ASSERT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
  EXPECT_EQ(locked, 1);
  ASSERT_EQ(r.fe.SetChannel(Channel(354000, 0, 6900000, 2, 2, 0, 0)), DVB_ERR_NONE);
  ASSERT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
  EXPECT_EQ(locked, 0);
}

TEST(FrontendInterface, NoDeviceAndNoFrontend) {
  Rig r(0);
  EXPECT_EQ(r.Init(), DVB_ERR_FAILED);
  frontendtypes::_CHANNEL_TYPE c = Channel(474000, 0, 0, 2, 0, 0, 0);
  EXPECT_EQ(r.fe.SetChannel(c), DVB_ERR_NONE);  // nothing to tune
  int locked = -1;
  EXPECT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
  EXPECT_EQ(locked, 0);
  r.w.bus.SetOpen(false);
  EXPECT_EQ(r.fe.SetChannel(c), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(r.fe.GetChannel(c), DVB_ERR_NO_DEVICE);
  EXPECT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NO_DEVICE);
}

}  // namespace
