// The settings a channel and a DiSEqC message become at the card's tuner.
#include "TunerSettings.h"

#include <B2C2Types.h>
#include <gtest/gtest.h>

namespace {

using S = TunerSetting;

TEST(TunerSettingsTest, ChannelWordsBecomeTheTunersSettingsByTunerType) {
  struct Case {
    const char* name;
    DWORD type, acquisition;
    DWORD words[7];
    std::vector<TunerSetting> settings;
  } cases[] = {
      {"satellite, horizontal, 22 kHz, FEC 5",
       kB2C2TunerSatellite, 0, {11778000, 0, 27500000, 10600000, 1, 18, 5},
       {{S::kFrequency, 11778}, {S::kSymbolRate, 27500}, {S::kLnbFrequency, 10600}, {S::kFec, 4},
        {S::kLnbKHz, 1}, {S::kPolarity, 0}, {S::kDiseqc, 0}}},
      {"satellite, vertical, no tone, FEC 7",
       kB2C2TunerSatellite, 0, {10714000, 0, 22000000, 9750000, 0, 13, 7},
       {{S::kFrequency, 10714}, {S::kSymbolRate, 22000}, {S::kLnbFrequency, 9750}, {S::kFec, 5},
        {S::kLnbKHz, 0}, {S::kPolarity, 1}, {S::kDiseqc, 0}}},
      {"satellite, unknown FEC",
       kB2C2TunerSatellite, 0, {12000000, 0, 1000, 0, 0, 0, 4},
       {{S::kFrequency, 12000}, {S::kSymbolRate, 1}, {S::kLnbFrequency, 0}, {S::kFec, 6},
        {S::kLnbKHz, 0}, {S::kPolarity, 0}, {S::kDiseqc, 0}}},
      {"cable",
       kB2C2TunerCable, 0, {346000000, 0, 6900000, 2, 0, 0, 0},
       {{S::kModulation, 3}, {S::kFrequency, 346000}, {S::kSymbolRate, 6900}}},
      {"terrestrial, 8 MHz, guard interval set",
       kB2C2TunerTerrestrial, 0, {506000, 0, 0, 2, 0, 0, 0},
       {{S::kFrequency, 506000}, {S::kGuardInterval, 0}, {S::kBandwidth, 8}}},
      {"terrestrial, 7 MHz, guard interval found by the tuner",
       kB2C2TunerTerrestrial, kB2C2AcquireGuardInterval, {177500, 0, 0, 1, 0, 0, 0},
       {{S::kFrequency, 177500}, {S::kBandwidth, 7}}},
      {"terrestrial, bandwidth codes 4 and other",
       kB2C2TunerTerrestrial, kB2C2AcquireGuardInterval, {474000, 0, 0, 4, 0, 0, 0},
       {{S::kFrequency, 474000}, {S::kBandwidth, 255}}},
      {"terrestrial, 6 MHz",
       kB2C2TunerTerrestrial, kB2C2AcquireGuardInterval, {474000, 0, 0, 0, 0, 0, 0},
       {{S::kFrequency, 474000}, {S::kBandwidth, 6}}},
      {"ATSC", kB2C2TunerAtsc, 0, {57000000, 0, 0, 0, 0, 0, 0}, {{S::kFrequency, 57000}}},
      {"unknown tuner", 9, 0, {57000000, 0, 0, 0, 0, 0, 0}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.settings, TuningSettings(c.type, c.acquisition, c.words)) << c.name;
}

TEST(TunerSettingsTest, DiseqcMessagesTheCardKnowsSelectItsSettings) {
  struct Case {
    std::vector<BYTE> message;
    BOOL toneBurst;
    long setting;
  } cases[] = {
      {{}, TRUE, 2},
      {{}, FALSE, 1},
      {{0xE0, 0x00, 0x00}, FALSE, 0},
      {{0xE0, 0x10, 0x38, 0xF0}, FALSE, 3},
      {{0xE0, 0x10, 0x38, 0xF4}, FALSE, 4},
      {{0xE0, 0x10, 0x38, 0xF8}, FALSE, 5},
      {{0xE0, 0x10, 0x38, 0xFC}, TRUE, 6},
      {{0xE0, 0x10, 0x39, 0xF0}, FALSE, -1},
      {{0xE0, 0x10, 0x38}, FALSE, -1},
      {{0xE0, 0x00, 0x00, 0x00}, FALSE, -1},
      {{0xE1, 0x00, 0x00}, FALSE, -1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.setting, DiseqcSetting(c.message.data(), static_cast<int>(c.message.size()), c.toneBurst))
        << ::testing::PrintToString(c.message);
  }
  EXPECT_EQ(-1, DiseqcSetting(nullptr, 4, FALSE));
}

}  // namespace
