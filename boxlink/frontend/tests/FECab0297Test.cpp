// The STV0297 cable driver: the correction kept in the board EEPROM, the
// tuner of boards 1-3, the QAM codes, the offsets its lock tries use, the
// correction it learns from a lock, and its lock flags.
#include "FrontendRig.h"

#include "FECab0297.h"

namespace {

const BYTE kEeprom = 0x50;

TEST(FECab0297, StoredCorrectionFromTheEeprom) {
  struct Case {
    BYTE hi, lo;
    int correction;
    BYTE afterHi, afterLo;  // the EEPROM's bytes afterwards
  } cases[] = {
      {0x1C, 0x52, 0, 0x00, 0x00},      // 7250: the old absolute form, repaired
      {0x05, 0xDC, 1500, 0x05, 0xDC},   // 1500
      {0x05, 0xDD, 0, 0x05, 0xDD},      // 1501
      {0xFA, 0x24, -1500, 0xFA, 0x24},  // -1500
      {0xFF, 0xFF, 0, 0xFF, 0xFF},      // blank
      {0x15, 0x7C, 0, 0x15, 0x7C},      // 5500
      {0x15, 0x7D, -1749, 0xF9, 0x2B},  // 5501
      {0x23, 0x27, 1749, 0x06, 0xD5},   // 8999
      {0x23, 0x28, 0, 0x23, 0x28},      // 9000
  };
  for (const Case& c : cases) {
    ChipWorld w;
    BYTE* eeprom = w.box.Eeprom().Contents();
    eeprom[0xFE] = c.hi;
    eeprom[0xFF] = c.lo;
    CFECab0297 cab(w.bus, 0);
    EXPECT_EQ(cab.StoredCorrection(), c.correction) << int(c.hi) << " " << int(c.lo);
    EXPECT_EQ(eeprom[0xFE], c.afterHi) << int(c.hi) << " " << int(c.lo);
    EXPECT_EQ(eeprom[0xFF], c.afterLo) << int(c.hi) << " " << int(c.lo);
    bool writtenBack = c.afterHi != c.hi || c.afterLo != c.lo;
    EXPECT_EQ(w.chips.Count(kEeprom), writtenBack ? 2 : 1);
  }
  ChipWorld w;
  w.box.Eeprom().Contents()[0xFE] = 0x01;
  w.chips.NakAlways(kEeprom);
  EXPECT_EQ(CFECab0297(w.bus, 0).StoredCorrection(), 0);
  w.chips.ClearLog();
  EXPECT_EQ(CFECab0297(w.bus, 2).StoredCorrection(), 0);  // the other boards have none
  EXPECT_EQ(w.chips.Count(kEeprom), 0);
}

TEST(FECab0297, TunerOfTheOtherBoards) {
  struct Case {
    int board;
    DWORD freq;
    int tuner;  // 8-bit
    std::vector<BYTE> word;
    DWORD result;
  } cases[] = {
      {1, 454000, 0xC2, {0x1E, 0xA2, 0xC6, 0x14}, 454000},  // divider 7842
      {2, 453999, 0xC0, {0x1E, 0xA2, 0xC6, 0x12}, 454000},
      {3, 49000, 0xC0, {0x05, 0x52, 0xC6, 0x11}, 49000},
      {3, 48999, 0xC0, {}, 0},
      {1, 860001, 0xC2, {}, 0},
  };
  for (const Case& c : cases) {
    FrontendRig r;
    r.ids.Build(17, c.board);
    CFECab0297 cab(r.w.bus, c.board);
    r.w.chips.ClearLog();
    EXPECT_EQ(cab.SetTunerFreqB(c.freq, 0), c.result) << c.freq;
    std::vector<BYTE> word;
    for (const SimTransfer& t : r.w.chips.Log())
      if (t.address == c.tuner >> 1 && t.ok) word = t.write;
    EXPECT_EQ(word, c.word) << c.freq;
  }
}

TEST(FECab0297, QamCodesAndSymbolRateRoundTrip) {
  FrontendRig r;
  r.ids.Build(17);
  CFECab0297 cab(r.w.bus, 0);
  cab.InitRegisters();
  EXPECT_EQ(cab.GetSymbolRate(), 6890);
  const std::pair<DWORD, int> codes[] = {{16, 0}, {32, 1}, {64, 4}, {128, 2}, {256, 3}, {100, 4}};
  for (const auto& qam : codes) {
    cab.SetQAMSize(qam.first);
    EXPECT_EQ((r.ids.Demodulator()->Reg(0x00) >> 4) & 7, qam.second) << qam.first;
  }
  cab.SetSymbolRate(6900);
  EXPECT_EQ(cab.GetSymbolRate(), 6900);
}

// The carrier offsets and sweeps of each lock try, from the writes to
// registers 0x66 (offset, low byte) and 0x60 (sweep, low byte).
struct Tries {
  std::vector<BYTE> offsets, sweeps;
};

Tries TriesIn(const CSimChipBus& chips) {
  Tries tries;
  for (const SimTransfer& t : chips.Log()) {
    if (t.address != 0x1C || !t.ok || t.write.size() != 2) continue;
    if (t.write[0] == 0x66 && t.write[1] != 0) tries.offsets.push_back(t.write[1]);
    if (t.write[0] == 0x60) tries.sweeps.push_back(t.write[1]);
  }
  return tries;
}

struct CableRig : FrontendRig {
  explicit CableRig(int board) {
    ids.Build(17, board);
    SimAirSignal& air = ids.Air();
    air.present = true;
    air.freqKHz = board ? 474000 : 473975;  // on the tuner's raster
    air.symbolRate = 6900000;
    air.qamSize = 64;
    EXPECT_EQ(fe.Init(), DVB_ERR_NONE);
    w.chips.ClearLog();
  }
  int Tune(DWORD inversionWord) {
    frontendtypes::_CHANNEL_TYPE channel = {474000, inversionWord, 6900000, frontendtypes::QAM_64, 2, 0, 0};
    EXPECT_EQ(fe.SetChannel(channel), DVB_ERR_NONE);
    int locked = -1;
    EXPECT_EQ(fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
    return locked;
  }
};

TEST(FECab0297, LockTriesAndTheirOffsets) {
  // Board 0, 64-QAM: sweep 1500, offset -600: -330, then -660, then 660
  // with the sweep turned round (0x3A is +58, 0xC6 is -58).
  CableRig board0(0);
  board0.ids.Air().neverLocks = true;
  double start = board0.w.clock.Now();
  EXPECT_EQ(board0.Tune(0), 0);
  // Every wait of the three tries is bounded: the tune gives up.
  EXPECT_LT(board0.w.clock.Now() - start, 15000);
  Tries tries = TriesIn(board0.w.chips);
  EXPECT_EQ(tries.offsets, (std::vector<BYTE>{0x68, 0xD0, 0x30}));
  EXPECT_EQ(tries.sweeps, (std::vector<BYTE>{0x3A, 0x3A, 0xC6}));

  // Boards 1-3: sweep 500, offset -180: one try at -198.
  CableRig board1(1);
  board1.ids.Air().neverLocks = true;
  EXPECT_EQ(board1.Tune(1), 0);
  EXPECT_EQ(TriesIn(board1.w.chips).offsets, (std::vector<BYTE>{0xD8}));

  // A lock at the first try needs no second.
  CableRig locking(0);
  EXPECT_EQ(locking.Tune(0), 1);
  EXPECT_EQ(TriesIn(locking.w.chips).offsets.size(), 1u);
}

TEST(FECab0297, LearnedCorrection) {
  struct Case {
    int measuredKHz;
    int correction;
  } cases[] = {{300, -300}, {-1500, 1500}, {1501, 0}, {-1501, 0}};
  for (const Case& c : cases) {
    CableRig r(0);
    r.ids.Air().offsetKHz = c.measuredKHz;
    BYTE before = r.w.box.Eeprom().Contents()[0xFE];
    ASSERT_EQ(r.Tune(0), 1) << c.measuredKHz;
    EXPECT_EQ(r.fe.Cab0297Driver()->StoredCorrection(), c.correction) << c.measuredKHz;
    EXPECT_EQ(r.w.box.Eeprom().Contents()[0xFE], before);  // kept in the object only
    // The next tune starts the demodulator at 7250 kHz plus the correction.
    r.Tune(0);
    auto* demod = static_cast<CSimStv0297*>(r.ids.Demodulator());
    EXPECT_NEAR(demod->InitialDemodKHz(), 7250 + c.correction, 1) << c.measuredKHz;
  }
}

TEST(FECab0297, LockFlagsAndBoardRevision) {
  CableRig r(0);
  ASSERT_EQ(r.Tune(0), 1);
  frontendtypes::_LOCK_STATE lock = {};
  lock.Status = 0x04;  // bit 2 is not this variant's: it stays
  int locked;
  ASSERT_EQ(r.fe.GetState(locked, nullptr, &lock), DVB_ERR_NONE);
  EXPECT_EQ(lock.Status, 0x3Fu);  // both tests, lock, no errors (class 3)

  for (const auto& rev : {std::make_pair(BYTE(0x09), BYTE(100)), std::make_pair(BYTE(0x0A), BYTE(123))}) {
    FrontendRig p;
    p.ids.Build(17);
    p.w.box.Eeprom().Contents()[0] = 0x00;
    p.w.box.Eeprom().Contents()[1] = rev.first;
    ASSERT_EQ(p.fe.Init(), DVB_ERR_NONE);
    EXPECT_EQ(p.ids.Demodulator()->Reg(0x4B), rev.second) << int(rev.first);
  }
}

TEST(FECab0297, FrequencyAndQamRangesOfTheFrontEnd) {
  CableRig r(0);
  frontendtypes::_CHANNEL_TYPE channel = {44999, 0, 6900000, frontendtypes::QAM_64, 2, 0, 0};
  EXPECT_EQ(r.fe.SetChannel(channel), DVB_ERR_ARGUMENT);
  channel.dwFrequency = 860001;
  EXPECT_EQ(r.fe.SetChannel(channel), DVB_ERR_ARGUMENT);
  channel.dwFrequency = 474000;
  channel.dwParam3 = 5;  // no such QAM
  EXPECT_EQ(r.fe.SetChannel(channel), DVB_ERR_ARGUMENT);
  EXPECT_EQ(r.w.chips.Count(), 0);
  channel.dwFrequency = 860000;
  channel.dwParam3 = frontendtypes::QAM_64;
  EXPECT_EQ(r.fe.SetChannel(channel), DVB_ERR_NONE);
}

}  // namespace
