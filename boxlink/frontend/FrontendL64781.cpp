// DVB-T tuning on the L64781 of variants 16 (8 MHz channels, at 0xAA) and 19
// (6 MHz channels, at 0xA8). The chip needs the transmission parameters
// before it locks, so a tune is a search: the parameters stored for the
// channel first, then the modes one by one, each at up to three frequency
// offsets. What locked is stored per channel (CTpsStore).
#include "FrontendCore.h"

#include "FrontendChips.h"
#include "FrontendTables.h"
#include "TpsStore.h"

#include <string>
#include <vector>

using frontendchips::L64781;
using frontendtables::g_64781;
using frontendtypes::_LOCK_STATE;
using frontendtypes::_TYPE_TPS;

namespace {

const BYTE kTuner = 0xC2;
const BYTE kPllControl = 0x88;
const DWORD kPllPauseMs = 20;
const DWORD kPollPauseMs = 40;
const int kPolls = 20;
const int kDefaultOffsetKHz = 167;  // a DVB-T channel's offset raster, 1/6 MHz

// Bits per carrier, code rates and guard fractions by their TPS codes.
const double kBits[3] = {2, 4, 6};
const double kRate[5] = {1.0 / 2, 2.0 / 3, 3.0 / 4, 5.0 / 6, 7.0 / 8};
const double kGuard[4] = {1.0 / 32, 1.0 / 16, 1.0 / 8, 1.0 / 4};

// One tuning band: divider offset, range and band bytes above their limits.
struct Band64781 {
  DWORD dividerOffset;  // N = (6 f + offset) / 1000
  DWORD ifKHz;          // of the reported frequency
  DWORD minKHz, maxKHz;
  struct Step {
    DWORD above;
    BYTE band;
  } steps[5];
  BYTE lowest;
};
const Band64781 k8MHz = {216500, 36000, 470000, 860000, {{838000, 0xC0}, {782000, 0x80}, {646000, 0x40}}, 0x00};
const Band64781 k6MHz = {
    264500, 44000, 174000, 860000, {{835000, 0xE1}, {778000, 0xA1}, {642000, 0x61}, {400000, 0x21}}, 0x22};

BYTE BandByte(const Band64781& b, DWORD f) {
  for (const Band64781::Step& s : b.steps)
    if (s.above && f > s.above) return s.band;
  return b.lowest;
}

// The search's parameters of a mode: 64-QAM, no hierarchy, code rates 3/4.
_TYPE_TPS SearchParams(DWORD modeIndex) {
  _TYPE_TPS tps = {};
  CTpsStore::ModeAndGuard(modeIndex, tps.bMode, tps.bGuard);
  tps.bConstellation = 2;
  tps.bHierarchy = 0;
  tps.bCodeRateHP = 2;
  tps.bCodeRateLP = 2;
  return tps;
}

}  // namespace

int CFrontendCore::SetOFDMParams(_TYPE_TPS* tps) {
  DWORD v = m_dwVariant;
  if (!frontendchips::IsL64781(v)) {
    if (tps) m_LastOfdmParams = *tps;
    return 0;
  }
  if (!tps || tps->bMode > 1 || tps->bGuard > 3 || tps->bCodeRateLP > 4 || tps->bCodeRateHP > 4 ||
      tps->bHierarchy > 3 || tps->bConstellation > 2)
    return -1;
  g_64781[0x04] = BYTE(tps->bMode << 2 | tps->bGuard);
  g_64781[0x05] = BYTE(tps->bCodeRateLP << 3 | tps->bCodeRateHP);
  g_64781[0x06] = BYTE(tps->bHierarchy << 2 | tps->bConstellation);
  // The data rate and the symbol length in the chip's clock units.
  double g = 1 + kGuard[tps->bGuard];
  double k = v == 16 ? 1.008 : 0.756;
  DWORD r = DWORD(kBits[tps->bConstellation] * kRate[tps->bCodeRateHP] * 1548288 / (g * k) + 0.5);
  DWORD s = DWORD(g * (tps->bMode ? 8192 : 2048) + 0.5);
  g_64781[0x1B] = BYTE(r);
  g_64781[0x1C] = BYTE(r >> 8);
  g_64781[0x1D] = BYTE((r >> 16) & 0x7F);
  g_64781[0x10] = BYTE(s);
  g_64781[0x11] = BYTE((s >> 8) & 0x3F);
  if (v == 19) {
    g_64781[0x16] = 0xC5;
    g_64781[0x17] = 0x20;
    g_64781[0x18] = 0xB0;
    int c = m_nInversion ? 1453 : -1453;  // the 6 MHz board's carrier offset
    g_64781[0x22] = BYTE(c);
    g_64781[0x23] = BYTE((c >> 8) & 0x3F);
    g_64781[0x20] = tps->bConstellation == 0 ? 0x3A : 0x36;
  }
  BYTE addr = L64781(v);
  if (m_i2c.WriteI2CMultiReg(addr, 0, frontendtables::k64781Size, g_64781))
    m_i2c.WriteI2CMultiReg(addr, 0, frontendtables::k64781Size, g_64781);
  m_LastOfdmParams = *tps;
  return 0;
}

int CFrontendCore::StartDemod() {
  if (!frontendchips::IsL64781(m_dwVariant)) return 0;
  for (BYTE value : {0x01, 0x00, 0x06, 0x00}) m_i2c.WriteI2CReg(L64781(m_dwVariant), 0x2A, value);
  return 0;
}

bool CFrontendCore::Try64781(DWORD n, BYTE band, _TYPE_TPS& tps, DWORD modeIndex, const std::string& key) {
  const int pll[4] = {int(n >> 8) & 0xFF, int(n & 0xFF), kPllControl, band};
  m_i2c.i2cWrite(kTuner, pll, 4);
  m_bus.Sleep(kPllPauseMs);
  SetOFDMParams(&tps);
  StartDemod();

  _LOCK_STATE lock = {};
  bool locked = false;
  for (int i = 0; i < kPolls && !locked; ++i) {
    locked = GetLockState(&lock) != 0;
    if (!locked) m_bus.Sleep(kPollPauseMs);
  }
  if (locked) {
    GetTPS64781(&tps);
  } else if (lock.Status & 1) {
    // The chip found the mode but not the rest: retune with what it found.
    GetTPS64781(&tps);
    SetOFDMParams(&tps);
    StartDemod();
    for (int i = 0; i < kPolls; ++i) {
      if (GetLockState(nullptr)) break;
      m_bus.Sleep(kPollPauseMs);
    }
    locked = GetLockState(&lock) != 0;
  }
  if (!locked) return false;
  m_settings.WriteKeyDWord(key.c_str(), "Mode", modeIndex);
  CTpsStore(m_settings).StoreTPS(key.c_str(), tps);
  return true;
}

DWORD CFrontendCore::SetFreq_64781_neu(DWORD freq, DWORD, int flag) {
  const Band64781& b = k8MHz;
  DWORD f = VerfifyCabTerFreq(freq);
  DWORD value = 0;
  const char* options = CTpsStore::kTerrestrialKey;
  DWORD modes = m_settings.ReadKeyDWord(options, "2K only", value) && value ? 4 : 8;
  DWORD spread = m_settings.ReadKeyDWord(options, "FOffset", value) ? value : 0;
  std::string key = CTpsStore::ChannelKey(f);
  BYTE band = BandByte(b, f);
  DWORD n = (6 * f + b.dividerOffset) / 1000;
  auto result = [&] { return (n * 1000 + 3) / 6 - b.ifKHz; };
  // One try at f + o; false and n untouched when that is out of range.
  auto tryAt = [&](int o, _TYPE_TPS& tps, DWORD modeIndex, bool& tuned) {
    DWORD f2 = DWORD(int(f) + o);
    tuned = f2 >= b.minKHz && f2 <= b.maxKHz;
    if (!tuned) return false;
    n = (6 * f2 + b.dividerOffset) / 1000;
    tps.nFreqOffset = o;
    return Try64781(n, band, tps, modeIndex, key);
  };
  bool tuned = true;

  DWORD stored = 0;
  if (flag == 0 && m_settings.ReadKeyDWord(key.c_str(), "Mode", stored) && static_cast<signed char>(stored) >= 0) {
    _TYPE_TPS tps = {};
    CTpsStore::ModeAndGuard(stored, tps.bMode, tps.bGuard);
    CTpsStore(m_settings).RetrieveTPS(key.c_str(), tps);
    DWORD o = 0;
    m_settings.ReadKeyDWord(key.c_str(), "Freq-Offset", o);
    if (tryAt(int(o), tps, stored, tuned)) return result();
    if (!tuned) return 0;
  }

  std::vector<int> offsets{0};
  if (spread == 1) offsets = {-kDefaultOffsetKHz, 0, kDefaultOffsetKHz};
  if (spread > 1) offsets = {-int(spread), 0, int(spread)};
  for (DWORD mode = 0; mode < modes; ++mode) {
    for (int o : offsets) {
      _TYPE_TPS tps = SearchParams(mode);
      if (tryAt(o, tps, mode, tuned)) return result();
      if (!tuned) return 0;
    }
  }
  return result();
}

DWORD CFrontendCore::SetFreq_64781_6MHz(DWORD freq, DWORD, int flag) {
  const Band64781& b = k6MHz;
  DWORD f = VerfifyCabTerFreq_US(freq);
  DWORD value = 0;
  bool twoK = m_settings.ReadKeyDWord(CTpsStore::kTerrestrialKey, "2K only", value) && value;
  DWORD modes = twoK ? 4 : 8;
  std::string key = CTpsStore::ChannelKey(f);
  DWORD storedOffset = 0, storedMode = 0;
  bool hasOffset = m_settings.ReadKeyDWord(key.c_str(), "Freq-Offset", storedOffset);
  bool hasMode = m_settings.ReadKeyDWord(key.c_str(), "Mode", storedMode);
  int v = int(storedOffset);
  if (!hasOffset && twoK) flag = 1;

  std::vector<int> offsets{hasOffset ? v : 0};
  if (twoK && flag) {
    if (!hasOffset)
      offsets = {-kDefaultOffsetKHz, 0, kDefaultOffsetKHz};
    else if (v == 0)
      offsets = {0, -kDefaultOffsetKHz, kDefaultOffsetKHz};
    else
      offsets = {v, 0, v < 0 ? kDefaultOffsetKHz : -kDefaultOffsetKHz};
  }
  if (flag && hasMode && storedMode >= modes) hasMode = false;

  BYTE band = BandByte(b, f);
  DWORD n = (6 * f + b.dividerOffset) / 1000;
  auto result = [&] { return (n * 1000 + 3) / 6 - b.ifKHz; };
  bool tuned = true;
  auto tryAt = [&](int o, _TYPE_TPS& tps, DWORD modeIndex) {
    DWORD f2 = DWORD(int(f) + o);
    tuned = f2 >= b.minKHz && f2 <= b.maxKHz;
    if (!tuned) return false;
    n = (6 * f2 + b.dividerOffset) / 1000;
    tps.nFreqOffset = o;
    return Try64781(n, band, tps, modeIndex, key);
  };

  DWORD mode = hasMode ? storedMode : 0;
  while (mode < modes) {
    if (hasMode) {
      _TYPE_TPS tps = {};
      CTpsStore::ModeAndGuard(mode, tps.bMode, tps.bGuard);
      CTpsStore(m_settings).RetrieveTPS(key.c_str(), tps);
      if (tryAt(offsets[0], tps, mode)) return result();
      if (!tuned || flag == 0) return tuned ? result() : 0;
      // On without the stored mode, from the first.
      hasMode = false;
      mode = 0;
      continue;
    }
    for (int o : offsets) {
      _TYPE_TPS tps = SearchParams(mode);
      if (tryAt(o, tps, mode)) return result();
      if (!tuned) return 0;
    }
    ++mode;
  }
  return result();
}
