// The tuner PLL words SetFreq writes per variant, at the edges of each band
// and range, and the frequency it reports back.
#include "FrontendRig.h"

#include <vector>

namespace {

using Bytes = std::vector<BYTE>;

// The write phases that reached the 7-bit address.
std::vector<Bytes> WritesTo(const CSimChipBus& chips, int address) {
  std::vector<Bytes> writes;
  for (const SimTransfer& t : chips.Log())
    if (t.address == address && t.ok && !t.write.empty()) writes.push_back(t.write);
  return writes;
}

struct PllCase {
  const char* what;
  int variant;
  BOOL analog;
  DWORD freq, lo, sr;
  int tuner;  // 8-bit
  std::vector<Bytes> words;
  DWORD result;
};

const PllCase kCases[] = {
    {"VES1893 at IF 1100000", 2, 0, 11700000, 10600000, 27500000, 0xC2, {{0x31, 0x5C, 0x95, 0x30}}, 11700000},
    {"VES1893 below the LNB band", 2, 0, 11549999, 10600000, 27500000, 0xC2, {}, 0},
    {"TDA8083 below 1900 MHz", 10, 0, 11700000, 10600000, 27500000, 0xC0, {{0x22, 0x60, 0x8E, 0x00}}, 11700000},
    {"TDA8083 above 1900 MHz", 10, 0, 12550000, 10600000, 27500000, 0xC0, {{0x3C, 0xF0, 0xCE, 0x00}}, 12550000},
    {"TDA8083 LO above the transponder", 10, 0, 3700000, 5150000, 27500000, 0xC0, {{0x2D, 0x50, 0x8E, 0x00}}, 3700000},
    {"STV0299 15", 15, 0, 11700000, 10600000, 27500000, 0xC2, {{0x08, 0x98, 0x82, 0xC0}, {0x82, 0x00}}, 11700000},
    {"STV0299 18 at IF 1530499",
     18,
     0,
     12130499,
     10600000,
     27500000,
     0xC2,
     {{0x0B, 0xF5, 0x82, 0xC4}, {0x82, 0x04}},
     12130499},
    {"STV0299 18 at IF 1530500",
     18,
     0,
     12130500,
     10600000,
     27500000,
     0xC2,
     {{0x0B, 0xF5, 0x82, 0xC0}, {0x82, 0x00}},
     12130500},
    {"STV0299 20 low band", 20, 0, 11700000, 10600000, 27500000, 0xC0, {{0x08, 0x98, 0x82, 0x20}}, 11700000},
    {"STV0299 20 below 4 MSym/s", 20, 0, 11700000, 10600000, 3000000, 0xC0, {{0x08, 0x98, 0x82, 0x21}}, 11700000},
    {"STV0299 24 at IF 1550000", 24, 0, 12150000, 10600000, 27500000, 0xC0, {{0x0C, 0x1C, 0x82, 0xA0}}, 12150000},
    {"STV0299 24 at IF 2050000", 24, 0, 12650000, 10600000, 27500000, 0xC0, {{0x10, 0x04, 0x82, 0xE0}}, 12650000},
    {"STV0299 27", 27, 0, 11700000, 10600000, 27500000, 0xC2, {{0x08, 0x98, 0x82, 0xA0}}, 11700000},
    {"STV0299 27 at IF 949999", 27, 0, 11549999, 10600000, 27500000, 0xC2, {}, 0},
    {"STV0299 27 at IF 2150000", 27, 0, 12750000, 10600000, 27500000, 0xC2, {{0x10, 0xCC, 0x82, 0xA0}}, 12750000},
    {"VES1820 3 at 474000", 3, 0, 474000, 0, 6900000, 0xC4, {{0x1F, 0xDF, 0x85, 0x81}}, 474000},
    {"VES1820 3 at 174000", 3, 0, 174000, 0, 6900000, 0xC4, {{0x0D, 0x1F, 0x85, 0x88}}, 174000},
    {"VES1820 3 at 470000", 3, 0, 470000, 0, 6900000, 0xC4, {{0x1F, 0x9F, 0x85, 0x84}}, 470000},
    {"VES1820 3 below 45000", 3, 0, 44999, 0, 6900000, 0xC4, {}, 0},
    {"VES1820 4 at 454000", 4, 0, 454000, 0, 6900000, 0xC2, {{0x1E, 0xA2, 0x8E, 0x92}}, 453975},
    {"VES1820 4 at 454001", 4, 0, 454001, 0, 6900000, 0xC2, {{0x1E, 0xA2, 0x8E, 0x34}}, 453975},
    {"VES1820 4 analog", 4, 1, 474000, 0, 6900000, 0xC2, {{0x20, 0x0E, 0x8E, 0x34}}, 473975},
    {"VES1820 4 above 860000", 4, 0, 860001, 0, 6900000, 0xC2, {}, 0},
    {"OTI7K 14 at channel 21", 14, 0, 21, 0, 0, 0xC2, {{0x0B, 0xF5, 0x85, 0x80}}, 474000},
    {"OTI7K 9: the box tunes", 9, 0, 474000, 0, 0, 0xC2, {}, 474000},
};

TEST(FrontendTuners, PllWordsAndTunedFrequencies) {
  for (const PllCase& c : kCases) {
    FrontendRig r(c.variant);
    r.w.bus.SetAnalog(c.analog);
    ASSERT_EQ(r.fe.Init(), DVB_ERR_NONE) << c.what;
    r.w.chips.ClearLog();
    DWORD result = r.fe.SetFreq(c.freq, c.lo, c.sr, frontendtypes::BW_3, 0);
    EXPECT_EQ(result, c.result) << c.what;
    EXPECT_EQ(WritesTo(r.w.chips, c.tuner >> 1), c.words) << c.what;
    EXPECT_EQ(r.w.chips.GateViolations(), 0) << c.what;
  }
}

TEST(FrontendTuners, Stv0299SameChannelAgainWritesOnlyTheDerotator) {
  FrontendRig r(15);
  ASSERT_EQ(r.fe.Init(), DVB_ERR_NONE);
  const frontendtypes::_CHANNEL_TYPE channel = {11700200, 1, 27500000, 10600000, 0, 13, 3};
  ASSERT_EQ(r.fe.SetChannel(channel), DVB_ERR_NONE);
  r.w.chips.ClearLog();
  DWORD result = r.fe.SetFreq(channel.dwFrequency, channel.dwParam3, channel.dwSymbolRate, frontendtypes::BW_3, 0);
  EXPECT_EQ(result, 11700200u);
  EXPECT_TRUE(WritesTo(r.w.chips, 0xC2 >> 1).empty());
  // 200 kHz left over: 200 x 65536 / 88000 = 148 into registers 0x22, 0x23.
  std::vector<Bytes> expected = {{0x22, 0x00}, {0x23, 0x94}};
  EXPECT_EQ(WritesTo(r.w.chips, 0xD0 >> 1), expected);
  EXPECT_EQ(r.fe.AFCBase(), 148);
}

TEST(FrontendTuners, VariantsWithoutTunerProgrammingHereSendNothing) {
  for (int variant : {0, 17, 21, 25}) {
    FrontendRig r(variant);
    r.fe.Init();
    r.w.chips.ClearLog();
    EXPECT_EQ(r.fe.SetFreq(474000, 0, 6900000, frontendtypes::BW_2, 0), 0u) << variant;
    EXPECT_EQ(r.w.chips.Count(), 0) << variant;
  }
}

}  // namespace
