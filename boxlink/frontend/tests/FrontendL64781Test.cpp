// DVB-T tuning on the L64781 boards against the simulated chip: the search
// over modes and offsets finds a signal off its channel, stores what it
// found and tunes directly the next time; the searches' tries, dividers and
// band bytes without a signal; the parameter registers.
#include "FrontendRig.h"
#include "TpsStore.h"

#include <string>
#include <vector>

namespace {

using frontendtypes::_TYPE_TPS;

const std::string kOptions = CTpsStore::kTerrestrialKey;
const int kTuner = 0xC2 >> 1;

struct L64781Rig : FrontendRig {
  explicit L64781Rig(int variant) : FrontendRig(variant) {
    EXPECT_EQ(fe.Init(), DVB_ERR_NONE);
    EXPECT_EQ(fe.GetVariant(), DWORD(variant));
    w.chips.ClearLog();
  }
  // The PLL words written since the log was cleared.
  std::vector<std::vector<BYTE>> PllWords() const {
    std::vector<std::vector<BYTE>> words;
    for (const SimTransfer& t : w.chips.Log())
      if (t.address == kTuner && t.write.size() == 4) words.push_back(t.write);
    return words;
  }
  DWORD Stored(const std::string& key, const char* name) {
    DWORD value = 0xDEADBEEF;
    settings.ReadKeyDWord(key.c_str(), name, value);
    return value;
  }
  CSimL64781& Chip() { return static_cast<CSimL64781&>(*ids.Demodulator()); }
};

TEST(L64781Tuning, FindsAnOffSignalStoresItAndTunesDirectlyNextTime) {
  L64781Rig r(16);
  r.settings.keyed[kOptions + "|FOffset"] = 1;  // offsets -167, 0, +167
  SimAirSignal& air = r.ids.Air();
  air.present = true;
  air.freqKHz = 474167;  // channel 21, 167 kHz high
  air.captureKHz = 60;
  air.ofdm = {1, 3, 1, 0, 1, 2};  // 8K 1/4, 16-QAM, rates 2/3 and 3/4
  air.agc = 0x30;

  frontendtypes::_CHANNEL_TYPE channel = {21, 1, 0, 2, 0, 0, 0};
  ASSERT_EQ(r.fe.SetChannel(channel), DVB_ERR_NONE);
  // Modes 0-3 at three offsets each, then 8K 1/4 (mode 4) at -167, 0 and
  // +167 kHz: the fifteenth try locks.
  auto words = r.PllWords();
  ASSERT_EQ(words.size(), 15u);
  EXPECT_EQ(words[0], (std::vector<BYTE>{0x0B, 0xF3, 0x88, 0x00}));   // 3059: 473833 kHz
  EXPECT_EQ(words[13], (std::vector<BYTE>{0x0B, 0xF4, 0x88, 0x00}));  // 3060: 474000 kHz
  EXPECT_EQ(words[14], (std::vector<BYTE>{0x0B, 0xF5, 0x88, 0x00}));  // 3061: 474167 kHz
  int locked = 0;
  ASSERT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
  EXPECT_EQ(locked, 1);

  const std::string key = kOptions + "059";
  EXPECT_EQ(r.Stored(key, "Mode"), 4u);
  EXPECT_EQ(r.Stored(key, "Freq-Offset"), 167u);
  EXPECT_EQ(r.Stored(key, "TPS-Constellation"), 1u);
  EXPECT_EQ(r.Stored(key, "TPS-CodeRateHP"), 1u);
  EXPECT_EQ(r.Stored(key, "TPS-CodeRateLP"), 2u);
  EXPECT_EQ(r.Stored(key, "TPS-Hierarchy"), 0u);
  // The parameters the chip found went back into it.
  EXPECT_EQ(r.fe.LastOfdmParams().bConstellation, 1);
  EXPECT_EQ(r.fe.LastOfdmParams().bCodeRateHP, 1);

  // The next tune of the channel: one try at the stored offset.
  r.w.chips.ClearLog();
  ASSERT_EQ(r.fe.SetChannel(channel), DVB_ERR_NONE);
  words = r.PllWords();
  ASSERT_EQ(words.size(), 1u);
  EXPECT_EQ(words[0][1], 0xF5);
  EXPECT_EQ(r.fe.SetFreq(21, 0, 0, frontendtypes::BW_2, 0), 474167u);
  ASSERT_EQ(r.fe.GetState(locked, nullptr, nullptr), DVB_ERR_NONE);
  EXPECT_EQ(locked, 1);

  // A search flag skips the stored parameters.
  r.w.chips.ClearLog();
  EXPECT_EQ(r.fe.SetFreq(21, 0, 0, frontendtypes::BW_2, 1), 474167u);
  EXPECT_EQ(r.PllWords().size(), 15u);
}

struct SearchCase {
  int variant;
  DWORD freq;
  bool twoKOnly;
  size_t tries;
  BYTE dividerHigh, dividerLow, band;
  DWORD result;
};

TEST(L64781Tuning, SearchesWithoutASignalTryEveryModeAndOffset) {
  const SearchCase cases[] = {
      // 474000 kHz: divider 3060, band 0x00, eight modes (four 2K ones).
      {16, 474000, false, 8, 0x0B, 0xF4, 0x00, 474000},
      {16, 474000, true, 4, 0x0B, 0xF4, 0x00, 474000},
      {16, 790000, false, 8, 0x13, 0x5C, 0x80, 790000},
      {16, 850000, false, 8, 0x14, 0xC4, 0xC0, 850000},
      // 6 MHz board: "2K only" without a stored offset searches three
      // offsets per mode, ending at +167 kHz.
      {19, 474000, true, 12, 0x0C, 0x25, 0x21, 474167},
      {19, 200000, false, 8, 0x05, 0xB8, 0x22, 200000},
      // Out of the tuners' ranges: nothing tried.
      {16, 469999, false, 0, 0, 0, 0, 0},
      {19, 173999, false, 0, 0, 0, 0, 0},
  };
  for (const SearchCase& c : cases) {
    L64781Rig r(c.variant);
    if (c.twoKOnly) r.settings.keyed[kOptions + "|2K only"] = 1;
    EXPECT_EQ(r.fe.SetFreq(c.freq, 0, 0, frontendtypes::BW_2, 0), c.result) << c.variant << " " << c.freq;
    auto words = r.PllWords();
    ASSERT_EQ(words.size(), c.tries) << c.variant << " " << c.freq;
    if (c.tries) {
      EXPECT_EQ(words.back(), (std::vector<BYTE>{c.dividerHigh, c.dividerLow, 0x88, c.band})) << c.freq;
    }
    EXPECT_EQ(r.settings.keyed.count(CTpsStore::ChannelKey(c.freq) + "|Mode"), 0u);  // nothing stored
  }
}

// The 6 MHz board's order of tries from what the channel has stored, with
// nothing on the air: the offsets of each mode's tries, the stored mode
// tried first.
TEST(L64781Tuning, SixMHzTriesFollowTheStore) {
  const struct {
    const char* name;
    bool twoK;
    int flag;
    bool hasOffset;
    int offset;
    int mode;                // -1: none stored
    std::vector<int> first;  // offsets of the first tries, kHz
    size_t tries;
  } cases[] = {
      {"stored offset, no flag", true, 0, true, 0, -1, {0, 0}, 4},
      {"offset 0, flag", true, 1, true, 0, -1, {0, -167, 167, 0}, 12},
      {"offset below, flag", true, 1, true, -167, -1, {-167, 0, 167}, 12},
      {"offset above, flag", true, 1, true, 167, -1, {167, 0, -167}, 12},
      {"nothing stored, 2K only", true, 0, false, 0, -1, {-167, 0, 167}, 12},
      {"stored mode without flag: one try", false, 0, true, 0, 2, {0}, 1},
      {"stored mode with flag, then all", false, 1, true, 0, 2, {0, 0}, 9},
      {"stored 8K mode with 2K only", true, 1, true, 0, 6, {0, -167, 167}, 12},
  };
  for (const auto& c : cases) {
    L64781Rig r(19);
    const std::string key = CTpsStore::ChannelKey(515000);
    if (c.twoK) r.settings.keyed[kOptions + "|2K only"] = 1;
    if (c.hasOffset) r.settings.keyed[key + "|Freq-Offset"] = DWORD(c.offset);
    if (c.mode >= 0) r.settings.keyed[key + "|Mode"] = DWORD(c.mode);
    r.fe.SetFreq(515000, 0, 0, frontendtypes::BW_0, c.flag);
    auto words = r.PllWords();
    ASSERT_EQ(words.size(), c.tries) << c.name;
    for (size_t i = 0; i < c.first.size(); ++i) {
      DWORD n = (6 * DWORD(515000 + c.first[i]) + 264500) / 1000;
      EXPECT_EQ(DWORD(words[i][0] << 8 | words[i][1]), n) << c.name << " try " << i;
    }
  }
}

TEST(L64781Tuning, ParameterRegisters) {
  L64781Rig r(19);
  _TYPE_TPS tps = {};
  tps.bMode = 1;
  tps.bGuard = 2;
  tps.bConstellation = 3;  // no such constellation
  EXPECT_EQ(r.fe.SetOFDMParams(&tps), -1);
  EXPECT_EQ(r.w.chips.Count(), 0);

  tps.bConstellation = 0;  // QPSK, rate 1/2: R = 2 x 0.5 x 1548288 / (1.125 x 0.756)
  tps.bCodeRateHP = 0;
  ASSERT_EQ(r.fe.SetOFDMParams(&tps), 0);
  CSimL64781& chip = r.Chip();
  EXPECT_EQ(chip.Reg(0x04), 0x06);
  DWORD rate = DWORD(chip.Reg(0x1B) | chip.Reg(0x1C) << 8 | chip.Reg(0x1D) << 16);
  EXPECT_EQ(rate, 1820444u);
  EXPECT_EQ(chip.Reg(0x10) | (chip.Reg(0x11) << 8), 9216);  // 1.125 x 8192
  // Without inversion the 6 MHz board's carrier word is -1453.
  EXPECT_EQ(chip.Reg(0x22), 0x53);
  EXPECT_EQ(chip.Reg(0x23), 0x3A);
  EXPECT_EQ(chip.Reg(0x20), 0x3A);
  EXPECT_EQ(chip.Reg(0x16), 0xC5);
}

}  // namespace
