// The terrestrial demodulator of variants 7 and 8 with its microcode file:
// a sound file loads, runs and tunes; every damaged file is refused before
// anything goes to the bus; the tuning words and the transmission
// parameters; the front end on both variants.
#include "FETerScMain.h"
#include "FrontendRig.h"
#include "MicrocodeFixtures.h"

namespace {

const int kChip = 0xE2 >> 1;

struct ScRig : FrontendRig {
  // The chip runs the program of `sections` (its second section).
  ScRig(int variant, const std::vector<ScSection>& sections, const std::vector<BYTE>& file) {
    ids.SetMicrocode(WordBytes(sections[1].data));
    ids.Build(variant);
    settings.files[CFETerScMain::kMicrocodeFile] = file;
  }
  CSimScMain& Chip() { return static_cast<CSimScMain&>(*ids.Demodulator()); }
  CFETerScMain driver{w.bus, settings};
};

TEST(FETerScMain, SoundFileLoadsInChunksTheBoxCarries) {
  std::vector<ScSection> sections = ScSections(200);
  ScRig r(8, sections, ScFile(sections));
  ASSERT_TRUE(r.driver.Init());
  EXPECT_EQ(r.driver.Result(), CFETerScMain::kSuccess);
  EXPECT_TRUE(r.Chip().Running());
  EXPECT_EQ(r.Chip().Reg16(0x8F08), 0x03FF);  // load address 0x0400 - 1
  EXPECT_EQ(r.Chip().PortWrites(), 8);        // 200 words, 27 a write
  for (const SimTransfer& t : r.w.chips.Log())
    if (t.address == kChip) {
      EXPECT_LE(t.write.size(), 57u);
      EXPECT_EQ(t.rateKHz, 100);
    }
  ASSERT_EQ(r.driver.Symbols().size(), 3u);
  EXPECT_EQ(r.driver.Symbols()[0].name, "ofdm_start");
  EXPECT_EQ(r.driver.Symbols()[0].multiplier, 2);
  EXPECT_EQ(r.driver.Symbols()[0].address, 0x100);
  EXPECT_EQ(r.driver.Symbols()[1].name, "ofdm_stop");  // five characters taken over
  EXPECT_EQ(r.driver.Symbols()[2].offset, 0x7FF);
  // Started with the sampling word of 55 MHz at 8 MHz and the carrier
  // centred.
  EXPECT_EQ(r.Chip().Reg16(0x0319), 0x00A);
  EXPECT_EQ(r.Chip().Reg16(0x031A), 0xAAB);
  EXPECT_EQ(r.Chip().Reg16(0x0309), 0x400);
  EXPECT_EQ(r.Chip().Reg16(0x0F00), 1);
}

TEST(FETerScMain, OddLengthReadsAsPaddedAndAnUncheckedSectionPasses) {
  std::vector<ScSection> sections = ScSections(100);
  sections[1].data.back() &= 0xFF00;  // the byte the file lacks reads as 0
  sections[0].check = 0;
  sections[0].sumDelta = 1;  // wrong, but not checked
  ScRig r(8, sections, ScFile(sections, true));
  ASSERT_TRUE(r.driver.Init());
  EXPECT_TRUE(r.Chip().Running());
}

TEST(FETerScMain, DamagedFilesAreRefusedBeforeAnyBusTraffic) {
  auto with = [](auto change) {
    std::vector<ScSection> s = ScSections(60);
    change(s);
    return ScFile(s);
  };
  auto table = [](auto add) {
    std::vector<BYTE> bytes;
    add(bytes);
    return ScWords(bytes);
  };
  const struct {
    const char* name;
    std::vector<BYTE> file;
  } cases[] = {
      {"no symbol table", with([](std::vector<ScSection>& s) { s[0].header = 0x2000; })},
      {"no code", with([](std::vector<ScSection>& s) { s[1].header = 0x2400; })},
      {"table checksum", with([](std::vector<ScSection>& s) { s[0].sumDelta = 1; })},
      {"code checksum", with([](std::vector<ScSection>& s) { s[1].sumDelta = 0x100; })},
      {"header bit 15", with([](std::vector<ScSection>& s) { s[1].header = 0x8400; })},
      {"symbol past 2048", with([&](std::vector<ScSection>& s) {
         s[0].data = table([](std::vector<BYTE>& b) { ScSymbol(b, 1, 2, 0x400, 1, 0, "far"); });
       })},
      {"name past the table", with([&](std::vector<ScSection>& s) {
         s[0].data = table([](std::vector<BYTE>& b) {
           ScSymbol(b, 1, 1, 0x10, 0, 0, "cut");
           b[4] = 40;  // forty new characters, three there
         });
       })},
      {"name from nothing", with([&](std::vector<ScSection>& s) {
         s[0].data = table([](std::vector<BYTE>& b) { ScSymbol(b, 1, 1, 0x10, 0, 3, "abc"); });
       })},
      {"code past the file", with([](std::vector<ScSection>& s) { s[1].lengthDelta = 5; })},
      {"table past the file", with([](std::vector<ScSection>& s) { s[0].lengthDelta = 1000; })},
      {"more sections than the file holds",
       [] {
         std::vector<BYTE> f = ScFile(ScSections(60));
         f[1] = 3;  // three sections, two there
         return f;
       }()},
      {"empty file", {}},
  };
  for (const auto& c : cases) {
    std::vector<ScSection> sections = ScSections(60);
    ScRig r(8, sections, c.file);
    EXPECT_FALSE(r.driver.Init()) << c.name;
    EXPECT_EQ(r.driver.Result(), CFETerScMain::kFailure) << c.name;
    EXPECT_EQ(r.w.chips.Count(), 0) << c.name;
  }
  // No file at all.
  std::vector<ScSection> sections = ScSections(60);
  ScRig r(8, sections, {});
  r.settings.files.clear();
  EXPECT_FALSE(r.driver.Init());
  EXPECT_EQ(r.w.chips.Count(), 0);
}

TEST(FETerScMain, TuningWordsAndTheirLimits) {
  std::vector<ScSection> sections = ScSections(30);
  ScRig r(8, sections, ScFile(sections));
  EXPECT_EQ(r.driver.SetTuning(55.0, 1000.0, 0, 3, 0), CFETerScMain::kSuccess);
  EXPECT_EQ(r.driver.SetTuning(55.0, 1000.1, 0, 3, 0), CFETerScMain::kBadArgument);
  EXPECT_EQ(r.driver.SetTuning(55.0, -1000.1, 0, 3, 0), CFETerScMain::kBadArgument);
  EXPECT_EQ(r.driver.SetTuning(40.0, 0, 0, 3, 0), CFETerScMain::kBadArgument);  // below 6 x 7.6 MHz
  r.w.chips.ClearLog();
  // 6 MHz, inverted, 500 kHz: O = 457560, carrier word -O - 0x400000.
  ASSERT_EQ(r.driver.SetTuning(55.0, 500.0, 0, 2, 1), CFETerScMain::kSuccess);
  DWORD cw = DWORD(-457560 - 0x400000) & 0xFFFFFF;
  EXPECT_EQ(r.Chip().Reg16(0x0309), (cw >> 12) & 0xFFF);
  EXPECT_EQ(r.Chip().Reg16(0x030A), cw & 0xFFF);
  EXPECT_EQ(r.Chip().Reg16(0x0311), 2);
  EXPECT_EQ(r.Chip().Reg16(0x0338), 1);
  EXPECT_EQ(r.w.chips.Count(), 6);
}

TEST(FETerScMain, FrontEndOnBothVariants) {
  for (int variant : {7, 8}) {
    std::vector<ScSection> sections = ScSections(120);
    ScRig r(variant, sections, ScFile(sections));
    SimAirSignal& air = r.ids.Air();
    air.present = true;
    air.freqKHz = 474000;
    air.captureKHz = 60;
    air.ofdm = {1, 3, 1, 0, 1, 2};
    ASSERT_EQ(r.fe.Init(), DVB_ERR_NONE) << variant;
    ASSERT_NE(r.fe.ScMainDriver(), nullptr);
    frontendtypes::_CHANNEL_TYPE channel = {21, 1, 0, 2, 0, 0, 0};
    ASSERT_EQ(r.fe.SetChannel(channel), DVB_ERR_NONE);
    int locked = 0;
    ASSERT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
    frontendtypes::_TYPE_TPS tps = {};
    if (variant == 7) {
      // The box's own tuner, which this library does not set: no lock.
      EXPECT_EQ(locked, 0);
      continue;
    }
    EXPECT_EQ(locked, 1);
    EXPECT_EQ(r.ids.Tuner()->Divider(), 3061u);  // (6 x 474000 + 217502) / 1000
    EXPECT_EQ(r.ids.Tuner()->Band(), 0x40);
    ASSERT_EQ(r.fe.GetTPS(&tps), 0);
    EXPECT_EQ(tps.bTPSExtra, 4);
    EXPECT_EQ(tps.bMode, 1);
    EXPECT_EQ(tps.bGuard, 3);
    EXPECT_EQ(tps.bConstellation, 1);
    EXPECT_EQ(tps.bHierarchy, 0);
    EXPECT_EQ(tps.bCodeRateHP, 1);
    EXPECT_EQ(tps.bCodeRateLP, 8);
    EXPECT_EQ(r.fe.SetFreq(21, 0, 0, frontendtypes::BW_2, 0), 474000u);
    EXPECT_EQ(r.fe.SetFreq(469999, 0, 0, frontendtypes::BW_2, 0), 0u);
  }
}

}  // namespace
