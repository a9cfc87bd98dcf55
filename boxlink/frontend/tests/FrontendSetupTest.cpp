// The demodulator set-up routines: the register values of the symbol-rate
// conversions, the ranges each chip refuses, and the inversion bits.
#include "FrontendRig.h"

namespace {

struct Rig : FrontendRig {
  explicit Rig(int variant) : FrontendRig(variant) {
    EXPECT_EQ(fe.Init(), DVB_ERR_NONE);
    w.chips.ClearLog();
  }
  CSimChip& Demod() { return *ids.Demodulator(); }
};

TEST(FrontendSetup, SymbolRateRegisters) {
  struct Case {
    int variant;
    DWORD sr;
    std::vector<std::pair<int, BYTE>> regs;
  } cases[] = {
      // VES1893: the ratio 0.33296 is just below 1/3, so decimation 0.
      {2, 30000000, {{0x06, 0xA3}, {0x07, 0xA7}, {0x08, 0x0A}, {0x09, 96}, {0x20, 0x81}, {0x21, 0x88}}},
      // VES1820: no decimation, BDRI 134, the filter bit set.
      {3, 6900000, {{0x03, 0x0A}, {0x0D, 134}, {0x0E, 0x53}}},
      {4, 6900000, {{0x0D, 134}, {0x0F, 0x28}}},
      // Below 903750 symbols/s the VES1820 decimates by 8.
      {3, 900000, {{0x03, 0xCA}, {0x0D, 128}}},
      // TDA8083: code 0, v = 4880644.
      {10, 27500000, {{0x05, 0x00}, {0x02, 0x4A}, {0x03, 0x79}, {0x04, 0x04}}},
      {10, 15000000, {{0x05, 0x03}}},
      // STV0299: pair (6, 0x13), x = 327680.
      {15, 27500000, {{0x1F, 0x50}, {0x20, 0x00}, {0x21, 0x00}, {0x13, 0xB6}}},
      {20, 2000000, {{0x13, 0xB7}}},
  };
  for (const auto& c : cases) {
    Rig r(c.variant);
    EXPECT_EQ(r.fe.SetSymRate(c.sr), c.sr) << c.variant;
    for (const auto& reg : c.regs) EXPECT_EQ(r.Demod().Reg(reg.first), reg.second) << c.variant << " reg " << reg.first;
  }
  Rig r(15);
  r.fe.SetSymRate(27500000);
  EXPECT_EQ(r.Demod().Reg(0x14) & 0x3F, 0x13);
  EXPECT_EQ(r.Demod().Reg(0x14) & 0xC0, 0x40);  // searching
}

TEST(FrontendSetup, SymbolRatesOutOfRangeProgramNothing) {
  struct Case {
    int variant;
    DWORD sr;
    int transfers;  // the STV0299 writes its search bits first
  } cases[] = {
      {2, 0, 0},         {3, 0, 0},       {4, 0, 0},         {10, 11999999, 0},
      {10, 30000001, 0}, {15, 999999, 2}, {15, 45000000, 2}, {18, 0, 2},
  };
  for (const auto& c : cases) {
    Rig r(c.variant);
    EXPECT_EQ(r.fe.SetSymRate(c.sr), 0u) << c.variant << " " << c.sr;
    EXPECT_EQ(r.w.chips.Count(), c.transfers) << c.variant << " " << c.sr;
  }
}

TEST(FrontendSetup, ZeroSymbolRateIsRefusedBeforeTuning) {
  for (int variant : {2, 3, 4, 10, 15, 17}) {
    Rig r(variant);
    frontendtypes::_CHANNEL_TYPE channel = {
        variant == 3 || variant == 4 || variant == 17 ? 474000u : 11700000u, 1, 0, 10600000, 0, 0, 0};
    if (r.fe.GetType() == frontendtypes::FE_CABLE) channel.dwParam3 = 2;
    EXPECT_EQ(r.fe.SetChannel(channel), DVB_ERR_ARGUMENT) << variant;
    EXPECT_EQ(r.w.chips.Count(), 0) << variant;
  }
}

TEST(FrontendSetup, InversionBitsByVariant) {
  struct Case {
    int variant;
    int inv;
    int reg;
    BYTE mask, bits;
    int stored;
  } cases[] = {
      {2, 0, 0x0C, 0xC0, 0xC0, 0},  {2, 1, 0x0C, 0xC0, 0x80, 1},  {2, 2, 0x0C, 0xC0, 0x00, 2},
      {3, 1, 0x00, 0x20, 0x20, 1},  {4, 2, 0x00, 0x20, 0x00, 0},  {10, 0, 0x01, 0x60, 0x20, 0},
      {10, 1, 0x01, 0x60, 0x60, 1}, {10, 2, 0x01, 0x60, 0x00, 2}, {15, 0, 0x0C, 0x01, 0x01, 0},
      {27, 1, 0x0C, 0x01, 0x00, 1}, {18, 2, 0x0C, 0x01, 0x00, 0}, {20, 1, 0x0C, 0x01, 0x01, 1},
      {14, 2, 0x09, 0x01, 0x01, 1}, {9, 0, 0x09, 0x01, 0x00, 0},
  };
  for (const Case& c : cases) {
    Rig r(c.variant);
    EXPECT_EQ(r.fe.SetInversion(c.inv), 0) << c.variant << " " << c.inv;
    EXPECT_EQ(r.Demod().Reg(c.reg) & c.mask, c.bits) << c.variant << " " << c.inv;
    EXPECT_EQ(r.fe.Inversion(), c.stored) << c.variant << " " << c.inv;
  }
}

TEST(FrontendSetup, FailedVesInversionWriteKeepsTheOldValue) {
  Rig r(3);
  ASSERT_EQ(r.fe.SetInversion(1), 0);
  r.w.chips.NakAlways(0x12 >> 1);
  EXPECT_EQ(r.fe.SetInversion(0), -1);
  EXPECT_EQ(r.fe.Inversion(), 1);
}

TEST(FrontendSetup, QamTableAndBitErrorWindow) {
  Rig r(3);
  r.fe.SetQAM(frontendtypes::QAM_256);
  EXPECT_EQ(r.Demod().Reg(0x01), 0x6B);
  EXPECT_EQ(r.Demod().Reg(0x05), 0x26);
  EXPECT_EQ(r.Demod().Reg(0x08), 0x23);
  EXPECT_EQ(r.Demod().Reg(0x09), 0x6B);
  r.fe.SetBER_Exp(10000000);
  EXPECT_EQ(r.Demod().Reg(0x10) >> 6, 2);
  EXPECT_EQ(r.fe.BERPeriod(), 10000000u);
  r.fe.SetBER_Exp(12345);  // anything else: a million bits
  EXPECT_EQ(r.Demod().Reg(0x10) >> 6, 1);
  EXPECT_EQ(r.fe.BERPeriod(), 1000000u);
}

}  // namespace
