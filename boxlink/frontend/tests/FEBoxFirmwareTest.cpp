// The box-firmware front end against the simulated box: the command bytes,
// their answers, the terrestrial progress polls on the virtual clock, and
// the commands each operation costs.
#include "ChipWorld.h"
#include "FEBoxFirmware.h"

#include "ByteOrder.h"

namespace {

struct FEBoxFirmwareTest : ::testing::Test {
  ChipWorld w;
  CFEBoxFirmware fe{w.bus};
  SimBoxState& State() { return w.box.State(); }
  // Init for a box of that kind.
  void Kind(DWORD kind) {
    State().feType = kind;
    ASSERT_TRUE(fe.Init(kind));
  }
};

TEST_F(FEBoxFirmwareTest, InitNeedsTheKindTheBoxReports) {
  State().feType = 1;
  EXPECT_FALSE(fe.Init(2));
  EXPECT_EQ(fe.Kind(), 0u);
  int before = w.bus.Commands();
  EXPECT_FALSE(fe.SetChannel(474000, 0, 0, 0, 0, 0, 0, 0));  // no kind: nothing sent
  EXPECT_EQ(w.bus.Commands(), before);
  EXPECT_TRUE(fe.Init(1));
  EXPECT_EQ(fe.Kind(), 1u);
}

TEST_F(FEBoxFirmwareTest, SatelliteTuningWordsWithTheSignedSecondByte) {
  Kind(1);
  int before = w.bus.Commands();
  ASSERT_TRUE(fe.SetChannel(11700000, 2, 27500000, 0xFF05, 9750000, 18, 1, 3));
  EXPECT_EQ(w.bus.Commands() - before, 1);
  const SimBoxState& s = State();
  EXPECT_EQ(s.channelType, 1u);
  const DWORD want[9] = {11700000, 2, 27500000, 5, 0xFFFFFFFF, 9750000, 18, 1, 3};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(s.channel[i], want[i]) << i;
  EXPECT_EQ(fe.LastTuning()[3], 0xFF05u);
}

TEST_F(FEBoxFirmwareTest, CableTuningAndARefusal) {
  Kind(2);
  ASSERT_TRUE(fe.SetChannel(346000, 1, 6900000, 3, 2, 0, 0, 0));
  EXPECT_EQ(State().channelType, 2u);
  EXPECT_EQ(State().channel[3], 3u);
  EXPECT_EQ(State().channel[4], 2u);

  State().channelAnswer = 1;
  EXPECT_FALSE(fe.SetChannel(450000, 0, 6900000, 2, 2, 0, 0, 0));
  EXPECT_EQ(fe.LastTuning()[0], 346000u);  // the stored words stay
}

TEST_F(FEBoxFirmwareTest, TerrestrialProgressPollsAreBounded) {
  Kind(3);
  struct Case {
    int tuningPolls;  // polls the box answers "still tuning"
    int polls;        // progress polls sent
  } cases[] = {{0, 1}, {4, 5}, {1000, 60}};
  for (const Case& c : cases) {
    State().feTuningPolls = c.tuningPolls;
    int before = w.bus.Commands();
    double start = w.clock.Now();
    ASSERT_TRUE(fe.SetChannel(474000, 0, 0xFF, 0xFF, 2, 0, 0, 0)) << c.tuningPolls;
    EXPECT_EQ(w.bus.Commands() - before, 1 + c.polls) << c.tuningPolls;
    // 50 ms before the first poll and between polls, 20 ms pacing each.
    EXPECT_DOUBLE_EQ(w.clock.Now() - start, 20 + 50.0 * c.polls + 20.0 * c.polls);
  }
}

TEST_F(FEBoxFirmwareTest, StatusWithAndWithoutTheSignal) {
  Kind(3);
  SimBoxState& s = State();
  const DWORD lock[3] = {0, 1, 0x80020001};
  const DWORD signal[12] = {0, 1, 0x80020001, DWORD(-5), 25, 4, 0x1A2, 0x33, 0x12345, 77, 8, 9};
  for (int i = 0; i < 3; ++i) s.feLock[i] = lock[i];
  for (int i = 0; i < 12; ++i) s.feSignal[i] = signal[i];

  DWORD locked = 0, channel[firmwareanswers::kChannelWords] = {};
  ASSERT_TRUE(fe.GetStatus(&locked, nullptr, channel));
  EXPECT_EQ(locked, 1u);
  const DWORD words[5] = {3, 1, 0x0001, 0x0002, 1};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(channel[i], words[i]) << i;

  firmwareanswers::Signal g;
  ASSERT_TRUE(fe.GetStatus(nullptr, &g, nullptr));
  EXPECT_EQ(g.nSignal, -5);
  EXPECT_DOUBLE_EQ(g.dBER, 25e-4);
  EXPECT_EQ(g.b1, 0xA2);
  EXPECT_EQ(g.b2, 0x33);
  EXPECT_EQ(g.w1, 0x2345);
  EXPECT_EQ(g.w2, 77);
  EXPECT_EQ(g.dw1, 8u);
  EXPECT_EQ(g.dw2, 9u);

  s.feLock[0] = 1;  // not valid
  EXPECT_FALSE(fe.GetStatus(&locked, nullptr, nullptr));
}

TEST_F(FEBoxFirmwareTest, CapabilitiesAndAntennaPower) {
  Kind(3);
  const DWORD caps[9] = {0, 0x10000, 174000, 858000, 0, 0, 1, 2, 0};
  for (int i = 0; i < 9; ++i) State().feCaps[i] = caps[i];
  DWORD out[8] = {};
  ASSERT_TRUE(fe.GetCapsAndRanges(out));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(out[i], caps[i]) << i;

  EXPECT_TRUE(fe.SetAntennaPower(1));
  EXPECT_EQ(State().antennaPower, 1u);
  DWORD on = 0;
  ASSERT_TRUE(fe.GetAntennaPower(&on));
  EXPECT_EQ(on, 1u);

  State().antennaAnswer = 0;
  EXPECT_FALSE(fe.SetAntennaPower(0));
  State().antennaAnswer = DWORD(-1);
  EXPECT_FALSE(fe.SetAntennaPower(0));
  State().antennaValid = 0;
  on = 7;
  EXPECT_FALSE(fe.GetAntennaPower(&on));
  EXPECT_EQ(on, 7u);
}

TEST_F(FEBoxFirmwareTest, WithoutABoxNothingIsSent) {
  Kind(1);
  w.bus.SetOpen(false);
  DWORD words[8], on;
  int before = w.bus.Commands();
  EXPECT_FALSE(fe.SetChannel(11700000, 0, 27500000, 0, 0, 0, 0, 0));
  EXPECT_FALSE(fe.GetStatus(&on, nullptr, nullptr));
  EXPECT_FALSE(fe.GetCapsAndRanges(words));
  EXPECT_FALSE(fe.SetAntennaPower(1));
  EXPECT_FALSE(fe.GetAntennaPower(&on));
  EXPECT_FALSE(fe.Init(1));
  EXPECT_EQ(w.bus.Commands(), before);
}

TEST_F(FEBoxFirmwareTest, ShortAnswersAreFailures) {
  BYTE answer[firmwareanswers::kSignalAnswer] = {};
  firmwareanswers::Status status;
  firmwareanswers::Signal signal;
  DWORD caps[8], on;
  EXPECT_FALSE(firmwareanswers::ParseStatus(answer, firmwareanswers::kStatusAnswer - 1, status));
  EXPECT_FALSE(firmwareanswers::ParseSignal(answer, firmwareanswers::kSignalAnswer - 1, status, signal));
  EXPECT_FALSE(firmwareanswers::ParseCaps(answer, firmwareanswers::kCapsAnswer - 1, caps));
  byteorder::PutBE32(answer, 1);
  EXPECT_FALSE(firmwareanswers::ParseAntenna(answer, firmwareanswers::kAntennaAnswer - 1, on));
  EXPECT_TRUE(firmwareanswers::ParseAntenna(answer, firmwareanswers::kAntennaAnswer, on));
}

}  // namespace
