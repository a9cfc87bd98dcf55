// The chip simulator behind the front end's bus seam: register pointers and
// dialects, the general call, gates, faults and the transfer log, reached
// through the same box command bytes the library sends.
#include "SimBox.h"
#include "SimChipBus.h"
#include "SimFrontendBus.h"

#include <gtest/gtest.h>

namespace {

struct World {
  CSimClock clock;
  CSimBox box;
  CSimChipBus chips{box.Bus(), clock};
  CSimFrontendBus bus{box, clock};
};

// A chip that takes the general call 0x06 as a reset of register 1.
class CResettingChip : public CSimChip {
 public:
  bool GeneralCall(const BYTE* data, int count) override {
    if (count != 1 || data[0] != 0x06) return false;
    SetReg(1, 0);
    ++resets;
    return true;
  }
  int resets = 0;
};

TEST(ChipSimulator, RegisterPointerSurvivesSeparateTransfersAndIncrements) {
  struct Case {
    CSimChip::Dialect dialect;
    std::vector<int> select;  // the register number as the dialect writes it
    int reg;
  } cases[] = {
      {CSimChip::kPlain, {0x2D}, 0x2D},
      {CSimChip::kVes, {0x00, 0x0E}, 0x0E},
      {CSimChip::kWide, {0x01, 0x02}, 0x0102},
  };
  for (const Case& c : cases) {
    World w;
    CSimChip chip(c.dialect, 0x10000);
    chip.SetReg(c.reg, 0xA1);
    chip.SetReg(c.reg + 1, 0xB2);
    w.chips.Plug(0x68, &chip);
    int value[2] = {};
    // Separate write, then read: the pointer stays where the write left it.
    ASSERT_EQ(w.bus.WriteSeq(0x68, c.select.data(), int(c.select.size())), 0);
    ASSERT_EQ(w.bus.ReadSeq(0x68, value, 1), 0);
    EXPECT_EQ(value[0], 0xA1);
    ASSERT_EQ(w.bus.ReadSeq(0x68, value, 1), 0);  // runs on
    EXPECT_EQ(value[0], 0xB2);
    // Combined, two bytes.
    ASSERT_EQ(w.bus.CombinedSeq(0x68, c.select.data(), int(c.select.size()), value, 2), 0);
    EXPECT_EQ(value[0], 0xA1);
    EXPECT_EQ(value[1], 0xB2);
    // A write with data stores from the register on.
    std::vector<int> write = c.select;
    write.insert(write.end(), {0x11, 0x22});
    ASSERT_EQ(w.bus.WriteSeq(0x68, write.data(), int(write.size())), 0);
    EXPECT_EQ(chip.Reg(c.reg), 0x11);
    EXPECT_EQ(chip.Reg(c.reg + 1), 0x22);
  }
}

TEST(ChipSimulator, VesChipRefusesAWriteWithoutTheLeadingZero) {
  World w;
  CSimChip chip(CSimChip::kVes);
  w.chips.Plug(0x08, &chip);
  const int wrong[2] = {0x0E, 0x01};
  EXPECT_EQ(w.bus.WriteSeq(0x08, wrong, 2), -1);
  EXPECT_EQ(w.bus.GetErrNo(), 1);
}

TEST(ChipSimulator, IdentityRegistersAndFlicker) {
  World w;
  CSimChip chip;
  chip.SetReg(0, 0xA1);
  chip.SetReadOnly(0);
  chip.SetFlicker(0, 0xFF);
  w.chips.Plug(0x68, &chip);
  const int write[2] = {0x00, 0x55};
  ASSERT_EQ(w.bus.WriteSeq(0x68, write, 2), 0);
  int seen[4];
  for (int& v : seen) {
    const int reg[1] = {0};
    ASSERT_EQ(w.bus.CombinedSeq(0x68, reg, 1, &v, 1), 0);
  }
  EXPECT_EQ(seen[0], 0xA1);
  EXPECT_EQ(seen[1], 0xFF);
  EXPECT_EQ(seen[2], 0xA1);
  EXPECT_EQ(seen[3], 0xFF);
}

TEST(ChipSimulator, GeneralCallReachesEveryChipThatTakesIt) {
  World w;
  CResettingChip a, b;
  CSimChip plain;
  a.SetReg(1, 9);
  w.chips.Plug(0x54, &a);
  w.chips.Plug(0x55, &b);
  w.chips.Plug(0x61, &plain);
  const int reset[1] = {0x06};
  EXPECT_EQ(w.bus.WriteSeq(0, reset, 1), 0);
  EXPECT_EQ(a.resets, 1);
  EXPECT_EQ(b.resets, 1);
  EXPECT_EQ(a.Reg(1), 0);
  const int other[1] = {0x04};
  EXPECT_EQ(w.bus.WriteSeq(0, other, 1), -1);  // nobody takes it: no acknowledge
}

TEST(ChipSimulator, TunerBehindAGateAnswersOnlyWhileItIsOpen) {
  World w;
  CSimChip demod, tuner;
  w.chips.Plug(0x68, &demod);
  w.chips.Plug(0x61, &tuner);
  w.chips.SetGate(0x61, 0x68, 0x05, 0x80);
  const int pll[4] = {0x0B, 0xF5, 0x88, 0xAB};
  EXPECT_EQ(w.bus.WriteSeq(0x61, pll, 4), -1);
  EXPECT_EQ(w.chips.GateViolations(), 1);

  const int open[2] = {0x05, 0x80};
  ASSERT_EQ(w.bus.WriteSeq(0x68, open, 2), 0);
  EXPECT_EQ(w.bus.WriteSeq(0x61, pll, 4), 0);
  EXPECT_EQ(w.chips.GateViolations(), 1);

  // Lenient: a closed gate is counted but lets the transfer through.
  const int close[2] = {0x05, 0x00};
  ASSERT_EQ(w.bus.WriteSeq(0x68, close, 2), 0);
  w.chips.SetStrictGates(false);
  EXPECT_EQ(w.bus.WriteSeq(0x61, pll, 4), 0);
  EXPECT_EQ(w.chips.GateViolations(), 2);
}

TEST(ChipSimulator, RepeaterGateClosesAfterOneTransaction) {
  // A repeater opened for one transaction closes behind it; an explicit gate
  // stays open until the driver closes it.
  for (bool repeater : {true, false}) {
    World w;
    CSimChip demod, tuner;
    w.chips.Plug(0x68, &demod);
    w.chips.Plug(0x61, &tuner);
    w.chips.SetGate(0x61, 0x68, 0x05, 0x80, repeater);
    const int open[2] = {0x05, 0x85};
    const int pll[4] = {0x0B, 0xF5, 0x88, 0xAB};
    ASSERT_EQ(w.bus.WriteSeq(0x68, open, 2), 0);
    EXPECT_EQ(w.bus.WriteSeq(0x61, pll, 4), 0) << repeater;
    EXPECT_EQ(demod.Reg(0x05), repeater ? 0x05 : 0x85) << repeater;  // the other bits stay
    EXPECT_EQ(w.bus.WriteSeq(0x61, pll, 4), repeater ? -1 : 0) << repeater;
    EXPECT_EQ(w.chips.GateViolations(), repeater ? 1 : 0) << repeater;
  }
}

TEST(ChipSimulator, FaultsFailTransfersAndCountErrors) {
  struct Case {
    const char* name;
    void (*arm)(CSimChipBus&);
    int failures;  // of three transfers
  } cases[] = {
      {"no device", [](CSimChipBus& c) { c.Unplug(0x68); }, 3},
      {"address never answers", [](CSimChipBus& c) { c.NakAlways(0x68); }, 3},
      {"first try fails, then it answers", [](CSimChipBus& c) { c.FailNext(0x68, 1); }, 1},
      {"second transfer on the bus", [](CSimChipBus& c) { c.NakBusTransfer(2); }, 1},
      {"echo with wrong counts", [](CSimChipBus& c) { c.CorruptEcho(2); }, 2},
  };
  for (const Case& c : cases) {
    World w;
    CSimChip chip;
    w.chips.Plug(0x68, &chip);
    c.arm(w.chips);
    const int reg[1] = {0};
    int value;
    int failed = 0;
    for (int i = 0; i < 3; ++i) failed += w.bus.CombinedSeq(0x68, reg, 1, &value, 1) != 0;
    EXPECT_EQ(failed, c.failures) << c.name;
    EXPECT_EQ(w.bus.GetErrNo(), c.failures) << c.name;
  }
}

TEST(ChipSimulator, LogKeepsTimeBytesResultAndRate) {
  World w;
  CSimChip chip;
  chip.SetReg(0x10, 0x5A);
  w.chips.Plug(0x68, &chip);
  const int reg[1] = {0x10};
  int value;
  ASSERT_EQ(w.bus.CombinedSeq(0x68, reg, 1, &value, 1), 0);
  w.bus.SetBitRate(33, 400);
  w.bus.Sleep(5);
  EXPECT_EQ(w.bus.CombinedSeq(0x69, reg, 1, &value, 1), -1);

  const auto& log = w.chips.Log();
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log[0].address, 0x68);
  EXPECT_EQ(log[0].write, std::vector<BYTE>({0x10}));
  EXPECT_EQ(log[0].read, std::vector<BYTE>({0x5A}));
  EXPECT_TRUE(log[0].ok);
  EXPECT_EQ(log[0].rateKHz, 100);
  EXPECT_DOUBLE_EQ(log[0].timeMs, 20);  // after the box's command pacing
  EXPECT_EQ(log[1].address, 0x69);
  EXPECT_FALSE(log[1].ok);
  EXPECT_EQ(log[1].rateKHz, 400);
  // Two paced commands before it (the rate among them) and the pause.
  EXPECT_DOUBLE_EQ(log[1].timeMs, 20 + 20 + 5 + 20);
  EXPECT_EQ(w.chips.Count(0x68), 1);
}

TEST(ChipSimulator, BoxEepromStaysOnTheBus) {
  World w;
  const int offset[1] = {0xFF};
  int value = -1;
  w.box.Eeprom().Contents()[0xFF] = 0x7B;
  ASSERT_EQ(w.bus.CombinedSeq(0x50, offset, 1, &value, 1), 0);
  EXPECT_EQ(value, 0x7B);
}

TEST(ChipSimulator, ClosedBoxFailsEveryTransferWithoutReachingTheBus) {
  World w;
  CSimChip chip;
  w.chips.Plug(0x68, &chip);
  w.bus.SetOpen(false);
  int value;
  EXPECT_EQ(w.bus.ReadSeq(0x68, &value, 1), -1);
  EXPECT_EQ(w.bus.GetErrNo(), 1);
  EXPECT_TRUE(w.chips.Log().empty());
}

}  // namespace
