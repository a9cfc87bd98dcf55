#include "TpsStore.h"

#include "DVBRegistry.h"

#include <cstdio>

namespace {

// Transmission mode (0 2K, 1 8K) and guard interval (0-3: 1/32 ... 1/4) by
// mode number; number 0 is the pair the front ends do not tune.
struct ModeRow {
  BYTE mode, guard;
};
const ModeRow kModes[] = {{0, 0}, {0, 2}, {0, 1}, {0, 3}, {1, 3}, {1, 2}, {1, 1}, {1, 0}};
const DWORD kModeCount = sizeof(kModes) / sizeof(kModes[0]);

// What a fresh machine retrieves.
const BYTE kDefaultHierarchy = 0;
const BYTE kDefaultConstellation = 2;  // 64-QAM
const BYTE kDefaultCodeRate = 2;       // 3/4

}  // namespace

const char CTpsStore::kTerrestrialKey[] = BOXLINK_REGISTRY_KEY "\\DVB-T\\";

std::string CTpsStore::ChannelKey(DWORD frequency) {
  char number[16];
  snprintf(number, sizeof(number), "%03u", unsigned((frequency + 2000) / 8000));
  return std::string(kTerrestrialKey) + number;
}

void CTpsStore::StoreTPS(const char* key, frontendtypes::_TYPE_TPS tps) {
  m_settings.WriteKeyDWord(key, "TPS-Hierarchy", tps.bHierarchy);
  m_settings.WriteKeyDWord(key, "TPS-Constellation", tps.bConstellation);
  m_settings.WriteKeyDWord(key, "TPS-CodeRateLP", tps.bCodeRateLP);
  m_settings.WriteKeyDWord(key, "TPS-CodeRateHP", tps.bCodeRateHP);
  m_settings.WriteKeyDWord(key, "Mode", DWORD(GetTPSMode(tps)));
  m_settings.WriteKeyDWord(key, "Freq-Offset", DWORD(tps.nFreqOffset));
}

void CTpsStore::RetrieveTPS(const char* key, frontendtypes::_TYPE_TPS& tps) {
  auto low = [&](const char* name, BYTE fallback) {
    DWORD value = 0;
    return m_settings.ReadKeyDWord(key, name, value) ? BYTE(value) : fallback;
  };
  tps.bHierarchy = low("TPS-Hierarchy", kDefaultHierarchy);
  tps.bConstellation = low("TPS-Constellation", kDefaultConstellation);
  tps.bCodeRateLP = low("TPS-CodeRateLP", kDefaultCodeRate);
  tps.bCodeRateHP = low("TPS-CodeRateHP", kDefaultCodeRate);
}

int CTpsStore::GetTPSMode(frontendtypes::_TYPE_TPS tps) {
  for (DWORD n = 1; n < kModeCount; ++n)
    if (kModes[n].mode == tps.bMode && kModes[n].guard == tps.bGuard) return int(n);
  return 0;
}

void CTpsStore::ModeAndGuard(DWORD mode, BYTE& transmissionMode, BYTE& guard) {
  const ModeRow& row = kModes[mode < kModeCount ? mode : kModeCount - 1];
  transmissionMode = row.mode;
  guard = row.guard;
}
