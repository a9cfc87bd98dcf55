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
  // The loop locks after its own time from the last programming.
  pll.Read(&status, 1);
  EXPECT_EQ(status, 0x00);
  clock.Advance(CSimPll::kDefaultLockMs);
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
  // Then waits the signal's lock time when `wait` says so. Without
  // `restart` the acquisition is never started.
  void Program(DWORD sr, BYTE qamCode, bool inverted, bool restart = true, bool wait = true) {
    DWORD bdr = DWORD(sr * 0.29006252);
    WriteBytes(demod, {0x00, 0x0A, BYTE(bdr), BYTE(bdr >> 8), BYTE(bdr >> 16)});
    WriteBytes(demod, {0x00, 0x03, 0x0A});
    BYTE reg0 = BYTE(0x01 | (qamCode << 2) | (inverted ? 0x20 : 0));
    if (restart) WriteBytes(demod, {0x00, 0x00, BYTE(reg0 & 0xFE)});
    WriteBytes(demod, {0x00, 0x00, restart ? reg0 : BYTE(reg0 & 0xFE)});
    WriteBytes(pll, {0x1F, 0xDF, 0x85, 0x81});
    if (wait) clock.Advance(air.lockAfterMs);
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
  Ves1820World notStarted;
  notStarted.Program(6900000, 2, false, false);
  EXPECT_FALSE(notStarted.Locked());

  for (const Case& c : cases) {
    Ves1820World w;
    EXPECT_FALSE(w.Locked()) << c.what;  // nothing programmed
    w.Program(c.sr, c.qam, c.inverted);
    EXPECT_EQ(w.Locked(), c.locks) << c.what;
    EXPECT_EQ(ReadReg(w.demod, {0x00, 0x18}), c.locks ? 33 : 0xFF) << c.what;
  }
}

TEST(SimDemodulator, FrequencyLockTimeAndNeverLock) {
  // The capture range: 1/32 of the symbol rate, 215.6 kHz at 6.9 MSym/s.
  for (DWORD offset : {210u, 220u}) {
    Ves1820World off;
    off.air.freqKHz = 474000 + offset;
    off.Program(6900000, 2, false);
    EXPECT_EQ(off.Locked(), offset == 210) << offset;
  }

  Ves1820World slow;
  slow.air.lockAfterMs = 300;
  slow.Program(6900000, 2, false, true, false);
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

// An STV0299 looks where its tuner and its derotator point: a signal
// 4.6 MHz off at 27.5 MSym/s (capture 859 kHz) is beyond reach until the
// derotator moves the chip onto it, and the timing register says so too.
TEST(SimDemodulator, Stv0299LocksWhereTunerAndDerotatorPoint) {
  CSimClock clock;
  SimAirSignal air;
  air.present = true;
  air.freqKHz = 1178000 + 4600;
  air.symbolRate = 27500000;
  CSimPll pll{clock, 500, 0};
  CSimStv0299 demod{clock, air, &pll, false};
  WriteBytes(demod, {0x01, 0x0F, 0x30});  // 64 MHz master clock
  WriteBytes(demod, {0x0C, 0x01});        // the spectrum as sent on this board
  EXPECT_DOUBLE_EQ(demod.MasterClock(), 64000000);
  DWORD x = DWORD(27500000.0 * 1048576 / 64000000);
  WriteBytes(demod, {0x1F, BYTE(x >> 12), BYTE(x >> 4), BYTE(x << 4)});
  WriteBytes(pll, {BYTE(2356 >> 8), BYTE(2356 & 0xFF), 0x82, 0xC4});  // 1178000 kHz
  struct Case {
    double derotatorKHz;
    bool locks;
  } cases[] = {{0, false}, {3437.5, false}, {4000, true}, {4600, true}, {5400, true}, {5500, false}};
  for (const Case& c : cases) {
    short d = short(c.derotatorKHz * 1000 / (64000000.0 / 65536));
    WriteBytes(demod, {0x22, BYTE(d >> 8), BYTE(d)});
    clock.Advance(air.lockAfterMs);
    EXPECT_EQ(demod.Locked(), c.locks) << c.derotatorKHz;
    EXPECT_EQ(ReadReg(demod, {0x17}) > 48, c.locks) << c.derotatorKHz;
  }
}

}  // namespace
