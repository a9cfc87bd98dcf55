// condor's portable rules: the sequence-header scan of the video PID, the
// tuner arguments by card type, and the time-shift arithmetic.
#include <gtest/gtest.h>

#include <vector>

#include "SequenceHeaderScan.h"
#include "TimeShiftPosition.h"
#include "TwinhanTuning.h"

namespace {

std::vector<SequenceHeader> Scan(const std::vector<BYTE>& bytes) {
  std::vector<SequenceHeader> found;
  ForEachSequenceHeader(bytes.data(), bytes.size(), [&](const SequenceHeader& h) { found.push_back(h); });
  return found;
}

TEST(SequenceHeaderScanTest, ReadsSizeAndAspectOfEveryWholeHeader) {
  // 720 x 576, aspect 3 (16:9); then 352 x 288, aspect 2, ending exactly at the end.
  std::vector<BYTE> packet(188, 0xFF);
  const BYTE first[] = {0, 0, 1, 0xB3, 0x2D, 0x02, 0x40, 0x33};
  const BYTE second[] = {0, 0, 1, 0xB3, 0x16, 0x01, 0x20, 0x23};
  std::copy(std::begin(first), std::end(first), packet.begin() + 4);
  std::copy(std::begin(second), std::end(second), packet.end() - 8);
  const auto found = Scan(packet);
  ASSERT_EQ(2u, found.size());
  EXPECT_EQ(720, found[0].width);
  EXPECT_EQ(576, found[0].height);
  EXPECT_EQ(3, found[0].aspectCode);
  EXPECT_EQ(352, found[1].width);
  EXPECT_EQ(288, found[1].height);
  EXPECT_EQ(2, found[1].aspectCode);
}

TEST(SequenceHeaderScanTest, AHeaderCutByTheEndIsNotRead) {
  std::vector<BYTE> packet(188, 0xFF);
  const BYTE header[] = {0, 0, 1, 0xB3, 0x2D, 0x02, 0x40};
  std::copy(std::begin(header), std::end(header), packet.end() - 7);
  EXPECT_TRUE(Scan(packet).empty());
  EXPECT_TRUE(Scan({}).empty());
}

TEST(SequenceHeaderScanTest, OnlyAspectCodesTwoAndThreeChangeTheMonitorMode) {
  EXPECT_EQ(0, MonitorModeAfter(2, 1));
  EXPECT_EQ(1, MonitorModeAfter(3, 0));
  EXPECT_EQ(1, MonitorModeAfter(1, 1));
  EXPECT_EQ(0, MonitorModeAfter(4, 0));
}

TEST(TwinhanTuningTest, ArgumentsByCardType) {
  // frequency, ?, symbol rate, LNB / modulation, tone, supply (13 / 18 / 0)
  const CHANNEL_TYPE satellite = {{11954000, 0, 27500000, 9750000, 1, 18, 0}};
  const CHANNEL_TYPE cable = {{346000000, 0, 6900000, 64, 0, 0, 0}};
  const CHANNEL_TYPE terrestrial = {{506000000, 0, 0, 8, 0, 0, 0}};
  struct Case {
    int type;
    const CHANNEL_TYPE* tuning;
    int videoSource;
    bool supported;
    std::array<int, 5> args;
    bool switchAfter;
    DWORD frontend;
  } cases[] = {
      {1, &satellite, 0, true, {11954, 27500, 1, 1, 0}, false, 1},
      {2, &satellite, 0, true, {11954, 27500, 1, 1, 0}, false, 1},
      {3, &cable, 0, true, {346000000, 6900, 64, 0, 0}, false, 2},
      {4, &terrestrial, 0, true, {506000000, 8, 1, 0, 0}, false, 3},
      {5, &terrestrial, 0, true, {506000000, 8, 1, 0, 0}, false, 3},
      {5, &terrestrial, 2, true, {506000000, 8, 0, 0, 0}, false, 3},
      {0, &satellite, 0, false, {}, false, 0},
      {6, &satellite, 0, false, {}, false, 0},
  };
  for (const Case& c : cases) {
    const TwinhanTuneCall call = TuneCallFor(c.type, *c.tuning, c.videoSource);
    EXPECT_EQ(c.supported, call.supported) << c.type;
    if (c.supported) EXPECT_EQ(c.args, call.args) << c.type;
    EXPECT_EQ(c.switchAfter, call.switchAfter) << c.type;
    EXPECT_EQ(c.frontend, FrontendTypeOf(c.type)) << c.type;
  }
}

TEST(TwinhanTuningTest, SatellitePolarityAndLnbSupply) {
  struct Case {
    DWORD supply;
    int polarity;
    bool switchAfter;
  } cases[] = {{13, 0, false}, {18, 1, false}, {0, 0, true}};
  for (const Case& c : cases) {
    const CHANNEL_TYPE tuning = {{12188000, 0, 27500000, 10600000, 0, c.supply, 0}};
    const TwinhanTuneCall call = TuneCallFor(1, tuning, 0);
    EXPECT_EQ(c.polarity, call.args[2]) << c.supply;
    EXPECT_EQ(c.switchAfter, call.switchAfter) << c.supply;
  }
}

TEST(TimeShiftPositionTest, PlayPositionAndSeekTargetInWholeMegabytes) {
  struct Case {
    LONGLONG read, written;
    DWORD perMille;
  } positions[] = {
      {3000000, 7500000, 428},  // 3 of 7 whole megabytes
      {7500000, 7500000, 1000},
      {0, 7500000, 0},
      {500000, 999999, 0},  // under one megabyte written: nothing to divide by
      {0, 0, 0},
      {-1, 5000000, 0},
  };
  for (const Case& c : positions) EXPECT_EQ(c.perMille, TimeShiftPlayPosition(c.read, c.written)) << c.written;

  struct Seek {
    LONGLONG written;
    int perMille;
    LONGLONG target;
  } seeks[] = {{7500000, 500, 3000000}, {7500000, 1000, 7000000}, {7500000, 0, 0}, {999999, 500, 0}};
  for (const Seek& s : seeks) EXPECT_EQ(s.target, TimeShiftSeekTarget(s.written, s.perMille)) << s.perMille;
}

}  // namespace
