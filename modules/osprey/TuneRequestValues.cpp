#include "TuneRequestValues.h"

#include <cstddef>

namespace {

using S = LocatorSetting;

// BDA's enumerations, as the locators take them.
constexpr long kFecViterbi = 1;
constexpr long kRate1_2 = 1, kRate2_3 = 2, kRate3_4 = 3, kRate4_5 = 5, kRate5_6 = 6, kRate7_8 = 8;
constexpr long kQpsk = 20;
constexpr long kQam16 = 1, kQam32 = 2, kQam64 = 3, kQam128 = 7, kQam256 = 11;
constexpr long kLinearHorizontal = 1, kLinearVertical = 2;

struct CodeMap {
  DWORD code;
  long value;
};

long Map(const CodeMap* map, size_t n, DWORD code, long otherwise) {
  for (size_t i = 0; i < n; ++i)
    if (map[i].code == code) return map[i].value;
  return otherwise;
}

template <size_t N>
long Map(const CodeMap (&map)[N], DWORD code, long otherwise) {
  return Map(map, N, code, otherwise);
}

// The host's FEC codes; any other is 1/2.
constexpr CodeMap kFecRates[] = {{2, kRate2_3}, {3, kRate3_4}, {4, kRate4_5}, {5, kRate5_6}, {7, kRate7_8}};
// The host's cable modulation codes; any other is 64-QAM.
constexpr CodeMap kQam[] = {{0, kQam16}, {1, kQam32}, {3, kQam128}, {4, kQam256}};
// The host's bandwidth codes (MHz); any other is 6.
constexpr CodeMap kBandwidths[] = {{1, 7}, {2, 8}};

constexpr DWORD kHorizontalSupply = 18;

}  // namespace

std::vector<LocatorSetting> LocatorSettings(BdaNetwork network, const DWORD words[7]) {
  const long frequency = static_cast<long>(words[0]);
  const long symbolRate = static_cast<long>(words[2] / 1000);
  std::vector<LocatorSetting> settings;
  switch (network) {
    case BdaNetwork::kSatellite:
      settings = {{S::kCarrierFrequency, frequency},
                  {S::kSymbolRate, symbolRate},
                  {S::kInnerFec, kFecViterbi},
                  {S::kInnerFecRate, Map(kFecRates, words[6], kRate1_2)},
                  {S::kModulation, kQpsk},
                  {S::kSignalPolarisation, words[5] == kHorizontalSupply ? kLinearHorizontal : kLinearVertical},
                  {S::kAzimuth, -1},
                  {S::kElevation, -1},
                  {S::kOrbitalPosition, 0}};
      break;
    case BdaNetwork::kTerrestrial:
      if (frequency) settings.push_back({S::kCarrierFrequency, frequency});
      settings.push_back({S::kBandwidth, Map(kBandwidths, words[3], 6)});
      break;
    case BdaNetwork::kCable:
      if (frequency) settings.push_back({S::kCarrierFrequency, frequency});
      settings.push_back({S::kSymbolRate, symbolRate});
      settings.push_back({S::kModulation, Map(kQam, words[3], kQam64)});
      break;
    case BdaNetwork::kNone:
      break;
  }
  return settings;
}

DWORD FrontendTypeOf(BdaNetwork network) {
  switch (network) {
    case BdaNetwork::kSatellite: return 1;
    case BdaNetwork::kCable: return 2;
    case BdaNetwork::kTerrestrial: return 3;
    case BdaNetwork::kNone: break;
  }
  return 0;
}

BdaNetwork NetworkOfFrontendType(DWORD frontendType) {
  switch (frontendType) {
    case 1: return BdaNetwork::kSatellite;
    case 2: return BdaNetwork::kCable;
    case 3: return BdaNetwork::kTerrestrial;
  }
  return BdaNetwork::kNone;
}

const char* DeviceTypeText(BdaNetwork network) {
  switch (network) {
    case BdaNetwork::kSatellite: return "BDA DVB-S";
    case BdaNetwork::kCable: return "BDA DVB-C";
    case BdaNetwork::kTerrestrial: return "BDA DVB-T";
    case BdaNetwork::kNone: break;
  }
  return "";
}
