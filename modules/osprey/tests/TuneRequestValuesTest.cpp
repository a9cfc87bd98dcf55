// The locator values a tuning record becomes, by network type, row by row
// as the network provider is handed them.
#include "TuneRequestValues.h"

#include <gtest/gtest.h>

namespace {

using S = LocatorSetting;

TEST(TuneRequestValuesTest, TuningWordsBecomeTheLocatorsValues) {
  struct Case {
    const char* name;
    BdaNetwork network;
    DWORD words[7];
    std::vector<LocatorSetting> settings;
  } cases[] = {
      {"DVB-S, 18 V horizontal, FEC 3/4", BdaNetwork::kSatellite, {11778000, 0, 27500000, 0, 0, 18, 3},
       {{S::kCarrierFrequency, 11778000}, {S::kSymbolRate, 27500}, {S::kInnerFec, 1}, {S::kInnerFecRate, 3},
        {S::kModulation, 20}, {S::kSignalPolarisation, 1}, {S::kAzimuth, -1}, {S::kElevation, -1},
        {S::kOrbitalPosition, 0}}},
      {"DVB-S, 13 V vertical, FEC 7/8", BdaNetwork::kSatellite, {10714000, 0, 22000000, 0, 0, 13, 7},
       {{S::kCarrierFrequency, 10714000}, {S::kSymbolRate, 22000}, {S::kInnerFec, 1}, {S::kInnerFecRate, 8},
        {S::kModulation, 20}, {S::kSignalPolarisation, 2}, {S::kAzimuth, -1}, {S::kElevation, -1},
        {S::kOrbitalPosition, 0}}},
      {"DVB-T, 8 MHz", BdaNetwork::kTerrestrial, {506000, 0, 0, 2, 0, 0, 0},
       {{S::kCarrierFrequency, 506000}, {S::kBandwidth, 8}}},
      {"DVB-T, 7 MHz, frequency 0 left alone", BdaNetwork::kTerrestrial, {0, 0, 0, 1, 0, 0, 0},
       {{S::kBandwidth, 7}}},
      {"DVB-T, any other code 6 MHz", BdaNetwork::kTerrestrial, {474000, 0, 0, 5, 0, 0, 0},
       {{S::kCarrierFrequency, 474000}, {S::kBandwidth, 6}}},
      {"DVB-C, 256-QAM", BdaNetwork::kCable, {346000, 0, 6900000, 4, 0, 0, 0},
       {{S::kCarrierFrequency, 346000}, {S::kSymbolRate, 6900}, {S::kModulation, 11}}},
      {"DVB-C, frequency 0 left alone, code 2 is 64-QAM", BdaNetwork::kCable, {0, 0, 6875000, 2, 0, 0, 0},
       {{S::kSymbolRate, 6875}, {S::kModulation, 3}}},
      {"no network", BdaNetwork::kNone, {506000, 0, 0, 2, 0, 0, 0}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(LocatorSettings(c.network, c.words), c.settings) << c.name;
}

long ValueOf(BdaNetwork network, DWORD word, int index, S::Call call) {
  DWORD words[7] = {12000000, 0, 27500000, 0, 0, 13, 0};
  words[index] = word;
  for (const LocatorSetting& s : LocatorSettings(network, words))
    if (s.call == call) return s.value;
  return -999;
}

TEST(TuneRequestValuesTest, CodeMapsAndTheirDefaults) {
  struct Row {
    BdaNetwork network;
    int word;
    S::Call call;
    DWORD code;
    long value;
  } rows[] = {
      // FEC codes; 0, 1, 6 and anything else are 1/2.
      {BdaNetwork::kSatellite, 6, S::kInnerFecRate, 2, 2}, {BdaNetwork::kSatellite, 6, S::kInnerFecRate, 3, 3},
      {BdaNetwork::kSatellite, 6, S::kInnerFecRate, 4, 5}, {BdaNetwork::kSatellite, 6, S::kInnerFecRate, 5, 6},
      {BdaNetwork::kSatellite, 6, S::kInnerFecRate, 7, 8}, {BdaNetwork::kSatellite, 6, S::kInnerFecRate, 0, 1},
      {BdaNetwork::kSatellite, 6, S::kInnerFecRate, 1, 1}, {BdaNetwork::kSatellite, 6, S::kInnerFecRate, 6, 1},
      {BdaNetwork::kSatellite, 6, S::kInnerFecRate, 99, 1},
      // LNB supply: only 18 is horizontal.
      {BdaNetwork::kSatellite, 5, S::kSignalPolarisation, 18, 1},
      {BdaNetwork::kSatellite, 5, S::kSignalPolarisation, 13, 2},
      {BdaNetwork::kSatellite, 5, S::kSignalPolarisation, 0, 2},
      // Cable modulation codes; 2 and anything else are 64-QAM.
      {BdaNetwork::kCable, 3, S::kModulation, 0, 1}, {BdaNetwork::kCable, 3, S::kModulation, 1, 2},
      {BdaNetwork::kCable, 3, S::kModulation, 2, 3}, {BdaNetwork::kCable, 3, S::kModulation, 3, 7},
      {BdaNetwork::kCable, 3, S::kModulation, 4, 11}, {BdaNetwork::kCable, 3, S::kModulation, 5, 3},
  };
  for (const Row& r : rows)
    EXPECT_EQ(ValueOf(r.network, r.code, r.word, r.call), r.value) << "word " << r.word << " code " << r.code;
}

TEST(TuneRequestValuesTest, KindsFrontendTypesAndDeviceTexts) {
  struct Row {
    BdaNetwork network;
    DWORD frontendType;
    const char* text;
  } rows[] = {{BdaNetwork::kSatellite, 1, "BDA DVB-S"},
              {BdaNetwork::kCable, 2, "BDA DVB-C"},
              {BdaNetwork::kTerrestrial, 3, "BDA DVB-T"}};
  for (const Row& r : rows) {
    EXPECT_EQ(FrontendTypeOf(r.network), r.frontendType);
    EXPECT_EQ(NetworkOfFrontendType(r.frontendType), r.network);
    EXPECT_STREQ(DeviceTypeText(r.network), r.text);
  }
  EXPECT_EQ(FrontendTypeOf(BdaNetwork::kNone), 0u);
  EXPECT_EQ(NetworkOfFrontendType(0), BdaNetwork::kNone);
  EXPECT_EQ(NetworkOfFrontendType(4), BdaNetwork::kNone);
  EXPECT_STREQ(DeviceTypeText(BdaNetwork::kNone), "");
}

}  // namespace
