// The front end's register access: retries, the five-try rule, the dialects
// and the board EEPROM, asserted on the bytes and transfers the simulated
// bus logged.
#include "ChipWorld.h"
#include "DriverI2c.h"
#include "FrontendI2c.h"

namespace {

struct FrontendI2cTest : ::testing::Test {
  ChipWorld w;
  CFrontendI2c i2c{w.bus};
  CSimChip plain;
  CSimChip ves{CSimChip::kVes};
  CSimChip wide{CSimChip::kWide, 0x10000};
  void SetUp() override {
    w.chips.Plug(0xD0 >> 1, &plain);
    w.chips.Plug(0x10 >> 1, &ves);
    w.chips.Plug(0xE2 >> 1, &wide);
  }
};

TEST_F(FrontendI2cTest, RetriesUpToTheRetryCountWithAPauseAfterEachFailure) {
  struct Case {
    int retries;
    int failures;  // the first n transfers fail
    int result;
    int transfers;
  } cases[] = {
      {3, 0, 0, 1}, {3, 2, 0, 3}, {3, 3, -1, 3}, {1, 1, -1, 1},  // while probing: one try
  };
  for (const Case& c : cases) {
    w.chips.ClearLog();
    i2c.m_nI2CRetries = c.retries;
    w.chips.FailNext(0x68, c.failures);
    double start = w.clock.Now();
    EXPECT_EQ(i2c.WriteI2CReg(0xD0, 0x0C, 0x51), c.result);
    EXPECT_EQ(w.chips.Count(0x68), c.transfers);
    // 20 ms pacing per command, 1 ms after each failed try.
    int failed = c.failures < c.transfers ? c.failures : c.transfers;
    EXPECT_DOUBLE_EQ(w.clock.Now() - start, 20.0 * c.transfers + failed);
    w.chips.FailNext(0x68, 0);
  }
  EXPECT_EQ(plain.Reg(0x0C), 0x51);
}

TEST_F(FrontendI2cTest, ReadsGiveZeroOnFailure) {
  plain.SetReg(0x1B, 0x98);
  ves.SetReg(0x0E, 0x1F);
  BYTE v = 0xEE;
  EXPECT_EQ(i2c.ReadI2CReg(0xD0, 0x1B, v), 0);
  EXPECT_EQ(v, 0x98);
  EXPECT_EQ(i2c.ReadVES18xx(0x10, 0x0E, v), 0);
  EXPECT_EQ(v, 0x1F);
  EXPECT_EQ(w.Written(1), std::vector<BYTE>({0x00, 0x0E}));
  EXPECT_EQ(w.chips.Log()[1].readCount, 1);

  w.chips.NakAlways(0x68);
  v = 0xEE;
  EXPECT_NE(i2c.ReadI2CReg(0xD0, 0x1B, v), 0);
  EXPECT_EQ(v, 0);
  v = 0xEE;
  EXPECT_NE(i2c.ReadI2CReg0297(0xD0, 0x1B, v), 0);
  EXPECT_EQ(v, 0);
}

TEST_F(FrontendI2cTest, Stv0297ReadIsAWriteAndASeparateRead) {
  plain.SetReg(0x82, 0x44);
  BYTE v = 0;
  ASSERT_EQ(i2c.ReadI2CReg0297(0xD0, 0x82, v), 0);
  EXPECT_EQ(v, 0x44);
  const auto& log = w.chips.Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].write, std::vector<BYTE>({0x82}));
  EXPECT_EQ(log[0].readCount, 0);
  EXPECT_TRUE(log[1].write.empty());
  EXPECT_EQ(log[1].readCount, 1);
}

TEST_F(FrontendI2cTest, VesWritesAndTheBlockLimit) {
  EXPECT_EQ(i2c.WriteVES18xx(0x10, 0x05, 0x10), 0);
  EXPECT_EQ(i2c.Write2VES18xx(0x10, 0x20, 0x01, 0x02), 0);
  EXPECT_EQ(w.Written(0), std::vector<BYTE>({0x00, 0x05, 0x10}));
  EXPECT_EQ(w.Written(1), std::vector<BYTE>({0x00, 0x20, 0x01, 0x02}));
  EXPECT_EQ(ves.Reg(0x21), 0x02);

  BYTE block[2] = {0xAA, 0xBB};
  w.chips.ClearLog();
  EXPECT_EQ(i2c.WriteBlockVES18xx(0x10, 255, 2, block), 1);  // 257
  EXPECT_EQ(w.chips.Count(), 0);
  EXPECT_EQ(i2c.WriteBlockVES18xx(0x10, 254, 2, block), 0);  // 256
  EXPECT_EQ(w.chips.Count(), 2);
  EXPECT_EQ(ves.Reg(0xFF), 0xBB);
}

TEST_F(FrontendI2cTest, FiveTryRuleSendsAByteAgainAfterAnyFailedTry) {
  // The first try fails and the retry succeeds: the byte still goes out once
  // more, so the register sees two good writes and three transfers in all.
  const BYTE table[2] = {0x15, 0x30};
  w.chips.FailNext(0x68, 1);
  EXPECT_EQ(i2c.WriteI2CArrayMC(0xD0, table, 2), 0);
  EXPECT_EQ(w.chips.Count(0x68), 4);
  EXPECT_EQ(plain.Reg(0), 0x15);
  EXPECT_EQ(plain.Reg(1), 0x30);

  // A chip that never answers: five passes of three tries, then 0xFF.
  w.chips.ClearLog();
  w.chips.NakAlways(0x68);
  EXPECT_EQ(i2c.WriteI2CArrayMC(0xD0, table, 2), 0xFF);
  EXPECT_EQ(w.chips.Count(0x68), 15);
}

TEST_F(FrontendI2cTest, TableWritersPerDialect) {
  const BYTE skipped[3] = {0xFF, 0xFF, 0xFF};
  EXPECT_EQ(i2c.WriteI2CArrayMC(0xD0, skipped, 3), 0);
  EXPECT_EQ(w.chips.Count(), 0);

  const BYTE table[3] = {0x01, 0xA4, 0x35};
  EXPECT_EQ(i2c.WriteI2CArray(0x10, table, 3), 0);
  ASSERT_EQ(w.chips.Count(), 4);
  EXPECT_EQ(w.Written(0), std::vector<BYTE>({0x00, 0x00, 0x00}));
  EXPECT_EQ(w.Written(3), std::vector<BYTE>({0x00, 0x02, 0x35}));

  w.chips.ClearLog();
  double start = w.clock.Now();
  EXPECT_EQ(i2c.WriteI2CMultiReg(0xD0, 4, 3, table), 0);
  EXPECT_EQ(w.Written(2), std::vector<BYTE>({0x06, 0x35}));
  EXPECT_DOUBLE_EQ(w.clock.Now() - start, 3 * 21.0);  // 1 ms after every try
  w.chips.NakAlways(0x68);
  EXPECT_EQ(i2c.WriteI2CMultiReg(0xD0, 4, 3, table), 0xFF);
}

TEST_F(FrontendI2cTest, MultiRegisterRead) {
  for (int r = 0; r < 4; ++r) plain.SetReg(0x30 + r, BYTE(0x10 + r));
  BYTE out[4] = {};
  ASSERT_EQ(i2c.ReadI2CMultiReg(0xD0, 0x30, 4, out), 0);
  EXPECT_EQ(out[3], 0x13);
  EXPECT_EQ(w.chips.Count(), 1);
  w.chips.NakAlways(0x68);
  EXPECT_NE(i2c.ReadI2CMultiReg(0xD0, 0x30, 4, out), 0);
  EXPECT_EQ(out[0], 0);
}

TEST_F(FrontendI2cTest, SixteenBitRegistersOfThe87J205) {
  const BYTE data[20] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20};
  ASSERT_EQ(i2c.Write87J205(0x0102, 20, data), 0);
  EXPECT_EQ(w.Written(0).size(), 22u);
  EXPECT_EQ(wide.Reg(0x0102 + 19), 20);
  BYTE out[20] = {};
  ASSERT_EQ(i2c.Read87J205(0x0102, 20, out), 0);
  EXPECT_EQ(out[19], 20);
  EXPECT_EQ(w.Written(1), std::vector<BYTE>({0x01, 0x02}));
  w.chips.NakAlways(0x71);
  EXPECT_EQ(i2c.Read87J205(0x0102, 2, out), -1);
}

TEST_F(FrontendI2cTest, PwmFromTheBoardEeprom) {
  w.box.Eeprom().Contents()[0xFF] = 0xFF;  // blank
  EXPECT_EQ(i2c.GetPWM(), 0x40);
  w.box.Eeprom().Contents()[0xFF] = 0x5C;
  EXPECT_EQ(i2c.GetPWM(), 0x5C);
  w.chips.NakAlways(0x50);
  EXPECT_EQ(i2c.GetPWM(), 0x40);
  EXPECT_EQ(w.chips.Count(0x50), 3);  // no retries
}

}  // namespace

// The driver objects' checked write: a write the bridge cannot carry (more
// than 57 bytes) fails on the bus, is counted, and so is reported.
TEST(DriverI2c, CheckedWriteReportsAWriteTooLongForTheBridge) {
  struct Case {
    BYTE len;
    int plain;    // DrvI2cWrite
    int checked;  // DrvI2cWriteChecked
  } cases[] = {{57, 0, 0}, {58, -1, 255}, {255, -1, 255}};
  for (const Case& c : cases) {
    ChipWorld w;
    CSimChip chip;
    w.chips.Plug(0x38 >> 1, &chip);
    std::vector<BYTE> data(c.len, 0x11);
    EXPECT_EQ(DrvI2cWrite(w.bus, 0x38, data.data(), c.len), c.plain) << int(c.len);
    EXPECT_EQ(w.bus.GetErrNo(), c.plain ? 3 : 0) << int(c.len);  // each try counted
    EXPECT_EQ(DrvI2cWriteChecked(w.bus, 0x38, data.data(), c.len), c.checked) << int(c.len);
  }
}
