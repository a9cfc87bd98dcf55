// SetChannel and GetChannel, dispatched on the variant, and the terrestrial
// channel numbers.
#include "FrontendCore.h"

#include "FrontendChips.h"
#include "FrontendVariants.h"

#include <cstdio>

namespace {

struct ChannelBand {
  DWORD first, last;  // channel numbers
  DWORD base;         // kHz of `first`
  DWORD step;         // kHz per channel
  int clamp;          // the offset's limit either way, kHz
};

const ChannelBand kUhf = {21, 69, 474000, 8000, 4000};
const ChannelBand kVhf = {5, 12, 177500, 7000, 4000};

const DWORD kStepPauseMs = 20;
const DWORD kLnbPauseMs = 80;
const DWORD kPwmPauseMs = 200;
const DWORD kCab0297MinKHz = 45000;
const DWORD kCab0297MaxKHz = 860000;
const DWORD kSatIfMinKHz = 950000;
const DWORD kSatIfMaxKHz = 2150000;

// Inversion as the chip routines take it: 1 for word 0, 0 for word 1, else
// automatic.
int MappedInversion(DWORD word) { return word == 0 ? 1 : word == 1 ? 0 : 2; }

int Clamp(int v, int limit) { return v < -limit ? -limit : v > limit ? limit : v; }

}  // namespace

DWORD CFrontendCore::VerfifyCabTerFreq(DWORD channel) {
  for (const ChannelBand& band : {kUhf, kVhf}) {
    if (channel < band.first || channel > band.last) continue;
    char key[32];
    snprintf(key, sizeof(key), "DVB_T_Offset_%02u", unsigned(channel));
    int offset = Clamp(m_settings.GetProfileInt("DVBServer", key, 0), band.clamp);
    return DWORD(int(band.base + (channel - band.first) * band.step) + offset);
  }
  return channel;
}

DWORD CFrontendCore::VerfifyCabTerFreq_US(DWORD channel) {
  if (channel < 7 || channel > 78) return channel;
  char key[32];
  snprintf(key, sizeof(key), "DVB_T_Offset_%02u", unsigned(channel));
  int offset = Clamp(m_settings.GetProfileInt("DVBServer", key, 0), 3000);
  DWORD base = channel < 14 ? 177000 : 431000;
  return DWORD(int((channel - 7) * 6000 + base) + offset);
}

void CFrontendCore::LnbControl(const frontendtypes::_CHANNEL_TYPE& c) {
  m_bus.SetLnbPwrPolF22(c.dwLNBSupply != 0, c.dwLNBSupply == 13, int(c.dwParam4), int(m_dwVariant), m_bJapanLNB);
}

int CFrontendCore::SetChannel(frontendtypes::_CHANNEL_TYPE channel) {
  if (!m_bus.DeviceOpen()) return DVB_ERR_NO_DEVICE;
  m_bAnalog = m_bus.GetAnalog();
  if (frontendvariants::IsBoxFirmware(m_dwVariant) && m_pBoxFEDriver) {
    int result = SetChannelBoxFirmware(channel);
    if (result == DVB_ERR_NONE) m_Channel = channel;
    return result;
  }
  // The box firmware takes a symbol rate of 0 as it is; every satellite and
  // cable path below divides by it.
  bool satOrCable = m_Type == frontendtypes::FE_SATELLITE || m_Type == frontendtypes::FE_CABLE;
  if (satOrCable && channel.dwSymbolRate == 0) return DVB_ERR_ARGUMENT;
  if (m_dwVariant >= 28 && m_dwVariant <= 30 && m_pSatVerDriver) {
    // Then on through the satellite sequence, which for these variants
    // only records the inversion.
    LnbControl(channel);
    m_bus.Sleep(kStepPauseMs);
    const DWORD rec[3] = {channel.dwFrequency, channel.dwSymbolRate, channel.dwParam3};
    m_pSatVerDriver->SetChannel(rec);
  }
  if (m_dwVariant == 25 && m_pFw25Driver) {
    // Then on through the terrestrial sequence.
    m_pFw25Driver->SetChannel(VerfifyCabTerFreq(channel.dwFrequency), channel.dwParam3, channel.dwInversion == 0, 0xFF,
                              0xFF, FALSE);
  }
  CFETerFw46* fw46 = m_dwVariant == 31 ? m_pFw46BDriver.get() : m_dwVariant == 26 ? m_pFw46Driver.get() : nullptr;
  if (fw46) {
    fw46->SetChannel(VerfifyCabTerFreq(channel.dwFrequency), channel.dwParam3, channel.dwInversion == 0, 0xFF, 0xFF,
                     FALSE);
    m_Channel = channel;
    return DVB_ERR_NONE;
  }
  if (m_dwVariant == 17 && m_p0297Driver) return SetChannelCab0297(channel);
  if (SatVesInUse()) return SetChannelSatVes(channel);
  if (CabVesInUse()) return SetChannelCabVes(channel);
  if (Stv0299DriverInUse()) return SetChannelStv0299(channel);
  SetChannelByChipRoutines(channel);
  m_Channel = channel;
  return DVB_ERR_NONE;
}

void CFrontendCore::SetChannelByChipRoutines(const frontendtypes::_CHANNEL_TYPE& c) {
  int inversion = MappedInversion(c.dwInversion);
  switch (m_Type) {
    case frontendtypes::FE_SATELLITE:
      SetViterbi(c.dwViterbi);
      m_bus.Sleep(kStepPauseMs);
      LnbControl(c);
      m_bus.Sleep(kLnbPauseMs);
      SetInversion(inversion);
      m_bus.Sleep(kStepPauseMs);
      SetSymRate(c.dwSymbolRate);
      m_bus.Sleep(kStepPauseMs);
      SetFreq(c.dwFrequency, c.dwParam3, c.dwSymbolRate, frontendtypes::BW_3, 0);
      m_bus.Sleep(kStepPauseMs);
      break;
    case frontendtypes::FE_CABLE:
      SetInversion(inversion);
      m_bus.Sleep(kStepPauseMs);
      SetQAM(frontendtypes::_QAM_TYPE(c.dwParam3));
      m_bus.Sleep(kStepPauseMs);
      SetSymRate(c.dwSymbolRate);
      m_bus.Sleep(kStepPauseMs);
      SetFreq(c.dwFrequency, 0, c.dwSymbolRate, frontendtypes::_BANDWITH_TYPE(c.dwParam4), 0);
      m_bus.Sleep(kStepPauseMs);
      break;
    case frontendtypes::FE_TERRESTRIAL:
      SetInversion(inversion);
      m_bus.Sleep(kStepPauseMs);
      SetFreq(c.dwFrequency, 0, 0, frontendtypes::_BANDWITH_TYPE(c.dwParam3), int(c.dwSymbolRate));
      m_bus.Sleep(kStepPauseMs);
      break;
    default: break;
  }
}

int CFrontendCore::SetChannelCab0297(const frontendtypes::_CHANNEL_TYPE& c) {
  if (c.dwFrequency < kCab0297MinKHz || c.dwFrequency > kCab0297MaxKHz) return DVB_ERR_ARGUMENT;
  if (c.dwParam3 > frontendtypes::QAM_256) return DVB_ERR_ARGUMENT;
  CFECab0297::Channel channel = {c.dwFrequency, c.dwSymbolRate / 1000, DWORD(0x10) << c.dwParam3};
  if (m_bLastAnalog != m_bAnalog) {
    SetPWM(m_wBoardRevision < 10 ? 100 : 123);
    m_bus.Sleep(kPwmPauseMs);
    m_bLastAnalog = m_bAnalog;
  }
  if (m_p0297Driver->BoardIndex() != 0) {
    InitCab0297();
    m_p0297Driver->SetChannel(channel, c.dwInversion == 0, 500, -180, int(c.dwParam4));
  } else {
    int sweep = c.dwParam3 == frontendtypes::QAM_128 ? 1000 : c.dwParam3 == frontendtypes::QAM_256 ? 500 : 1500;
    m_p0297Driver->SetChannel(channel, c.dwInversion != 0, sweep, -600, int(c.dwParam4));
  }
  m_Channel = c;
  return DVB_ERR_NONE;
}

int CFrontendCore::SetChannelCabVes(const frontendtypes::_CHANNEL_TYPE& c) {
  WORD code = 0;
  // A QAM word beyond 256-QAM reaches the driver as one it refuses.
  BYTE qam = c.dwParam3 > frontendtypes::QAM_256 ? 0xFF : BYTE(c.dwParam3);
  BYTE inversion = c.dwInversion > 1 ? 2 : BYTE(c.dwInversion);
  int result = m_pCabVes->SetChannel(&code, c.dwFrequency, 0, c.dwSymbolRate, qam, inversion);
  if (result) return result;
  if (code) return DVB_ERR_NO_ANSWER;
  AwaitVesSearch(*m_pCabVes);
  m_Channel = c;
  return DVB_ERR_NONE;
}

int CFrontendCore::SetChannelSatVes(const frontendtypes::_CHANNEL_TYPE& c) {
  WORD code = 0;
  // Words beyond a byte reach the driver as values it refuses.
  auto byte = [](DWORD v) { return BYTE(v > 0xFF ? 0xFF : v); };
  // No zig-zag width from here: the driver searches within its capture.
  int result = m_pSatVes->SetChannel(&code, c.dwFrequency, c.dwParam3, c.dwSymbolRate, byte(c.dwViterbi),
                                     byte(c.dwInversion), byte(c.dwLNBSupply), c.dwParam4 != 0, 0, DWORD(m_bJapanLNB), 1);
  if (result) return result;
  if (code) return DVB_ERR_NO_ANSWER;
  AwaitVesSearch(*m_pSatVes);
  m_Channel = c;
  return DVB_ERR_NONE;
}

void CFrontendCore::AwaitVesSearch(CFEVes18xx& driver) {
  // The lock search runs a dozen polls at most; bounded all the same, it
  // ends "not locked" and the channel stands.
  WORD state = CFEVes18xx::kPollBusy;
  for (int i = 0; i < kTunePollLimit && state == CFEVes18xx::kPollBusy; ++i) driver.Poll(&state, 100);
}

int CFrontendCore::SetChannelStv0299(const frontendtypes::_CHANNEL_TYPE& c) {
  DWORD ifKHz = c.dwFrequency > c.dwParam3 ? c.dwFrequency - c.dwParam3 : c.dwParam3 - c.dwFrequency;
  if (ifKHz < kSatIfMinKHz || ifKHz > kSatIfMaxKHz) return DVB_ERR_ARGUMENT;
  // The driver counts in kSym/s and divides by it.
  DWORD srK = c.dwSymbolRate / 1000;
  if (srK == 0) return DVB_ERR_ARGUMENT;
  LnbControl(c);
  m_bus.Sleep(kStepPauseMs);
  m_pSTV0299Driver->SetChannel(int(srK), int(ifKHz / 1000), 0, MappedInversion(c.dwInversion));
  m_Channel = c;
  return DVB_ERR_NONE;
}

int CFrontendCore::SetChannelBoxFirmware(const frontendtypes::_CHANNEL_TYPE& c) {
  BOOL ok = FALSE;
  switch (m_dwVariant) {
    case 21:
      ok = m_pBoxFEDriver->SetChannel(c.dwFrequency, c.dwInversion, c.dwSymbolRate, 0, c.dwParam3, c.dwLNBSupply,
                                      c.dwParam4, c.dwViterbi);
      break;
    case 22:
      ok = m_pBoxFEDriver->SetChannel(VerfifyCabTerFreq(c.dwFrequency), c.dwInversion, c.dwSymbolRate, c.dwParam3 + 1,
                                      c.dwParam4, 0, 0, 0);
      break;
    case 23:
      ok = m_pBoxFEDriver->SetChannel(VerfifyCabTerFreq(c.dwFrequency), c.dwInversion, 0xFF, 0xFF, c.dwParam3, 0, 0, 0);
      break;
  }
  return ok ? DVB_ERR_NONE : DVB_ERR_NO_ANSWER;
}

int CFrontendCore::GetChannel(frontendtypes::_CHANNEL_TYPE& channel) {
  if (!m_bus.DeviceOpen()) return DVB_ERR_NO_DEVICE;
  if (frontendvariants::IsBoxFirmware(m_dwVariant) && m_pBoxFEDriver) {
    channel = m_Channel;
    DWORD lock = 0;
    if (!m_pBoxFEDriver->GetStatus(&lock, nullptr, nullptr)) return DVB_ERR_NO_ANSWER;
    // The inversion the box found, from its lock word.
    DWORD bit = m_Type == frontendtypes::FE_SATELLITE ? 0x8 : m_Type == frontendtypes::FE_CABLE ? 0x40 : 0x80000000;
    channel.dwInversion = (lock & bit) ? 0 : 1;
    return DVB_ERR_NONE;
  }
  if (SatVesInUse()) {
    WORD code = 0;
    CFESatVES18xx::Channel back = {};
    if (m_pSatVes->GetChannel(&code, &back) == 0) {
      channel.dwFrequency = back.frequency;
      channel.dwInversion = back.inversion;
      channel.dwSymbolRate = back.symbolRate;
      channel.dwParam3 = m_Channel.dwParam3;  // the oscillator
      channel.dwParam4 = back.tone ? 1 : 0;
      channel.dwLNBSupply = back.voltage;
      channel.dwViterbi = back.codeRate;
    }
    return DVB_ERR_NONE;
  }
  if (CabVesInUse()) {
    WORD code = 0;
    CFECabVES18xx::Channel back = {};
    if (m_pCabVes->GetChannel(&code, &back) == 0) {
      channel.dwFrequency = back.frequency;
      channel.dwInversion = back.inversion;
      channel.dwSymbolRate = back.symbolRate;
      channel.dwParam3 = back.qam;
    }
    return DVB_ERR_NONE;
  }
  channel = m_Channel;
  if (m_Type != frontendtypes::FE_NONE) {
    int chip = GetInversion();
    channel.dwInversion = chip == 0 ? 1 : chip == 1 ? 0 : 2;
  }
  return DVB_ERR_NONE;
}
