// The tuner PLL and demodulator models on their own: a PLL decodes its word
// back to a frequency, and a demodulator locks only on the register settings
// that match the declared signal, after its lock time, and never when the
// signal says so; no sequence of writes alone makes it answer "locked".
#include "SimDemodulator.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void WriteBytes(CSimChip& chip, std::vector<BYTE> bytes) { chip.Write(bytes.data(), int(bytes.size())); }

BYTE ReadReg(CSimChip& chip, std::vector<BYTE> address) {
  chip.Write(address.data(), int(address.size()));
  BYTE value = 0;
  chip.Read(&value, 1);
  return value;
}

TEST(SimPll, DecodesItsWordAndKeepsTheDividerOnControlBytes) {
  CSimClock clock;
  CSimPll pll(clock, 125, 479500);
  BYTE status = 0xFF;
  pll.Read(&status, 1);
  EXPECT_EQ(status, 0x00);  // nothing programmed: no loop lock
  clock.Advance(40);
  WriteBytes(pll, {0x31, 0x5C, 0x95, 0x30});
  EXPECT_EQ(pll.Divider(), 12636u);
  EXPECT_DOUBLE_EQ(pll.TunedKHz(), 1100000);
  EXPECT_DOUBLE_EQ(pll.ProgrammedAt(), 40);
  WriteBytes(pll, {0x82, 0x04});
  EXPECT_EQ(pll.Divider(), 12636u);
  EXPECT_EQ(pll.Band(), 0x04);
  WriteBytes(pll, {0x3C, 0x54, 0x95});  // a probe: no change
  EXPECT_EQ(pll.Divider(), 12636u);
  pll.Read(&status, 1);
  EXPECT_EQ(status, 0x40);
}

// A VES1820 programmed for 6.9 MSym/s 64-QAM, not inverted, on a PLL at
// 474000 kHz (divider 8159 with 35937 kHz).
struct Ves1820World {
  CSimClock clock;
  SimAirSignal air;
  CSimPll pll{clock, 62.5, 35937};
  CSimVes1820 demod{CSimChip::kVes, clock, air, &pll};

  Ves1820World() {
    air.present = true;
    air.freqKHz = 474000;
    air.symbolRate = 6900000;
    air.qamSize = 64;
    air.snr = 33;
  }
  void Program(DWORD sr, BYTE qamCode, bool inverted) {
    DWORD bdr = DWORD(sr * 0.29006252);
    WriteBytes(demod, {0x00, 0x0A, BYTE(bdr), BYTE(bdr >> 8), BYTE(bdr >> 16)});
    WriteBytes(demod, {0x00, 0x03, 0x0A});
    BYTE reg0 = BYTE(0x01 | (qamCode << 2) | (inverted ? 0x20 : 0));
    WriteBytes(demod, {0x00, 0x00, BYTE(reg0 & 0xFE)});
    WriteBytes(demod, {0x00, 0x00, reg0});
    WriteBytes(pll, {0x1F, 0xDF, 0x85, 0x81});
  }
  bool Locked() { return ReadReg(demod, {0x00, 0x11}) & 0x08; }
};

TEST(SimDemodulator, LocksOnlyWhenEverySettingMatches) {
  struct Case {
    const char* what;
    DWORD sr;
    BYTE qam;
    bool inverted;
    bool locks;
  } cases[] = {
      {"right", 6900000, 2, false, true},
      {"symbol rate 2% off", 6762000, 2, false, false},
      {"QAM 256", 6900000, 4, false, false},
      {"inverted", 6900000, 2, true, false},
  };
  for (const Case& c : cases) {
    Ves1820World w;
    EXPECT_FALSE(w.Locked()) << c.what;  // nothing programmed
    w.Program(c.sr, c.qam, c.inverted);
    EXPECT_EQ(w.Locked(), c.locks) << c.what;
    EXPECT_EQ(ReadReg(w.demod, {0x00, 0x18}), c.locks ? 33 : 0xFF) << c.what;
  }
}

TEST(SimDemodulator, FrequencyLockTimeAndNeverLock) {
  Ves1820World off;
  off.air.freqKHz = 475100;  // beyond the 1000 kHz capture range
  off.Program(6900000, 2, false);
  EXPECT_FALSE(off.Locked());

  Ves1820World slow;
  slow.air.lockAfterMs = 300;
  slow.Program(6900000, 2, false);
  EXPECT_FALSE(slow.Locked());
  slow.clock.Advance(300);
  EXPECT_TRUE(slow.Locked());

  Ves1820World never;
  never.air.neverLocks = true;
  never.Program(6900000, 2, false);
  never.clock.Advance(10000);
  EXPECT_FALSE(never.Locked());

  Ves1820World silent;
  silent.air.present = false;
  silent.Program(6900000, 2, false);
  EXPECT_FALSE(silent.Locked());
}

}  // namespace
