// The terrestrial drivers' block write and register read with their bus
// rate.
#include "ChipWorld.h"
#include "TerrestrialBus.h"

namespace {

struct TerrestrialBusTest : ::testing::Test {
  ChipWorld w;
  CSimChip chip{CSimChip::kWide, 0x10000};
  void SetUp() override { w.chips.Plug(0x10 >> 1, &chip); }
};

TEST_F(TerrestrialBusTest, BlocksOfEverySizeGoOutUnchanged) {
  for (int count : {18, 19, 57}) {
    w.chips.ClearLog();
    std::vector<BYTE> data(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) data[size_t(i)] = BYTE(i * 7);
    ASSERT_EQ(DrvI2cWriteBlock(w.bus, 0x10, data.data(), count, 400), 0) << count;
    ASSERT_EQ(w.chips.Count(), 1);
    EXPECT_EQ(w.Written(0), data);
    EXPECT_EQ(w.chips.Log()[0].rateKHz, 400);
    EXPECT_EQ(w.box.Bus().Rate(), 100);  // back to rest after success
  }
}

TEST_F(TerrestrialBusTest, TwoRegisterBytesBeforeTheRepeatedStart) {
  chip.SetReg(0x0203, 0x44);
  chip.SetReg(0x0204, 0x55);
  const BYTE regs[2] = {0x02, 0x03};
  BYTE out[2] = {};
  ASSERT_EQ(DrvI2cReadRegs(w.bus, 0x10, regs, 2, out, 2, 100), 0);
  EXPECT_EQ(out[0], 0x44);
  EXPECT_EQ(out[1], 0x55);
  ASSERT_EQ(w.chips.Count(), 1);
  EXPECT_EQ(w.Written(0), std::vector<BYTE>({0x02, 0x03}));
  EXPECT_EQ(w.chips.Log()[0].readCount, 2);

  const BYTE three[3] = {0, 0, 0};
  EXPECT_EQ(DrvI2cReadRegs(w.bus, 0x10, three, 3, out, 1, 100), -1);
  EXPECT_EQ(w.chips.Count(), 1);  // nothing sent
}

TEST_F(TerrestrialBusTest, FailedFastTransferLeavesTheFastRate) {
  w.chips.NakAlways(0x08);
  const BYTE regs[1] = {0x00};
  BYTE out[1] = {0x99};
  EXPECT_EQ(DrvI2cReadRegs(w.bus, 0x10, regs, 1, out, 1, 400), -1);
  EXPECT_EQ(out[0], 0x99);  // untouched
  EXPECT_EQ(w.chips.Count(), 3);
  EXPECT_EQ(w.box.Bus().Rate(), 400);
  const BYTE data[2] = {1, 2};
  EXPECT_EQ(DrvI2cWriteBlock(w.bus, 0x10, data, 2, 100), -1);
  EXPECT_EQ(w.chips.Log().back().rateKHz, 100);  // a slow helper sets 100 first
  w.chips.NakAlways(0x08, false);
  EXPECT_EQ(DrvI2cWriteBlock(w.bus, 0x10, data, 2, 400), 0);
  EXPECT_EQ(w.box.Bus().Rate(), 100);
}

}  // namespace
