// DiSEqC, antenna power and the range queries of the front end.
#include "FrontendCore.h"

#include "FrontendVariants.h"

namespace {

const int kDiSEqCTries = 3;
const BYTE kMaxDiSEqC = 6;
const DWORD kLnbSupply18V = 18;
const BYTE kFullMessage = 0xFF;  // burst byte beside a full message

}  // namespace

int CFrontendCore::SendDiSEqCMsg(const BYTE* message, BYTE length, BYTE burst) {
  if (!m_bus.DeviceOpen()) return DVB_ERR_NO_DEVICE;
  if (m_Type != frontendtypes::FE_SATELLITE) return DVB_ERR_NO_ANSWER;
  if (m_bJapanLNB) return DVB_ERR_NONE;
  if (m_Channel.dwLNBSupply == 0) {
    m_bus.SetLnbPwrPolF22(1, 1, -1, int(m_dwVariant), 0);
    m_Channel.dwLNBSupply = kLnbSupply18V;
    m_bus.Sleep(kDiSEqCPauseMs);
  }
  if (length > kMaxDiSEqC || (length && !message)) return DVB_ERR_ARGUMENT;
  for (int i = 0; i < kDiSEqCTries; ++i) {
    if (i) m_bus.Sleep(kDiSEqCPauseMs);
    if (m_bus.DiSEqCMsg(message, length, burst, int(m_dwVariant)) == 0) return DVB_ERR_NONE;
  }
  return DVB_ERR_DISEQC;
}

int CFrontendCore::SendDiSEqCMsg(BYTE command, int a, int b, int c, int d, BYTE repeat) {
  switch (command) {
    case 0: {
      const BYTE reset[3] = {0xE0, 0x00, 0x00};
      return SendDiSEqCMsg(reset, 3, kFullMessage);
    }
    case 1: return SendDiSEqCMsg(nullptr, 0, a != 0);
    case 2: {
      // Committed switch: position (a), option (b), vertical (c), high band (d).
      BYTE x = BYTE(0xF0 | (a ? 0x04 : 0) | (b ? 0x08 : 0) | (c ? 0 : 0x02) | (d ? 0x01 : 0));
      BYTE message[4] = {0xE0, 0x10, 0x38, x};
      // Nothing to send is nothing done.
      int result = DVB_ERR_NONE;
      for (int i = 0; i < repeat; ++i) {
        if (i) message[0] = 0xE1;  // a repeated command
        result = SendDiSEqCMsg(message, 4, kFullMessage);
        m_bus.Sleep(kDiSEqCPauseMs);
      }
      return result;
    }
    default: return DVB_ERR_ARGUMENT;
  }
}

int CFrontendCore::SetAntennaPower(int on) {
  if (!(m_dwCaps & 0x10000)) return DVB_ERR_FAILED;
  if (m_dwVariant == 23)
    return m_pBoxFEDriver && m_pBoxFEDriver->SetAntennaPower(DWORD(on)) ? DVB_ERR_NONE : DVB_ERR_FAILED;
  if (m_dwVariant == 26) {
    if (!m_bus.SetLnbPwrPolF22(on, 0, 0, 26, 0)) return DVB_ERR_FAILED;
    m_dwAntennaPower = DWORD(on);
    return DVB_ERR_NONE;
  }
  return DVB_ERR_FAILED;
}

int CFrontendCore::GetAntennaPower(DWORD& state) {
  state = 3;
  if (!(m_dwCaps & 0x10000)) return DVB_ERR_FAILED;
  if (m_dwVariant == 23)
    return m_pBoxFEDriver && m_pBoxFEDriver->GetAntennaPower(&state) ? DVB_ERR_NONE : DVB_ERR_FAILED;
  if (m_dwVariant == 26) {
    state = m_dwAntennaPower;
    return DVB_ERR_NONE;
  }
  return DVB_ERR_FAILED;
}

bool CFrontendCore::BoxRanges(DWORD out[8]) {
  return frontendvariants::IsBoxFirmware(m_dwVariant) && m_pBoxFEDriver && m_pBoxFEDriver->GetCapsAndRanges(out);
}

void CFrontendCore::RangeFromBox(int first, DWORD tableMin, DWORD tableMax, DWORD& min, DWORD& max) {
  DWORD box[8];
  bool fromBox = BoxRanges(box);
  min = fromBox ? box[first] : tableMin;
  max = fromBox ? box[first + 1] : tableMax;
}

void CFrontendCore::GetFrequencyRange(DWORD& min, DWORD& max) {
  const frontendvariants::Ranges& r = frontendvariants::Lookup(m_dwVariant).ranges;
  RangeFromBox(2, r.freqMin, r.freqMax, min, max);
}

void CFrontendCore::GetSymbolRateRange(DWORD& min, DWORD& max) {
  const frontendvariants::Ranges& r = frontendvariants::Lookup(m_dwVariant).ranges;
  RangeFromBox(4, r.symMin, r.symMax, min, max);
}

void CFrontendCore::GetBandwidthRange(frontendtypes::_BANDWITH_TYPE& min, frontendtypes::_BANDWITH_TYPE& max) {
  const frontendvariants::Ranges& r = frontendvariants::Lookup(m_dwVariant).ranges;
  DWORD lo, hi;
  RangeFromBox(6, r.bwMin, r.bwMax, lo, hi);
  min = frontendtypes::_BANDWITH_TYPE(lo);
  max = frontendtypes::_BANDWITH_TYPE(hi);
}

void CFrontendCore::GetBandwidthAndGap(DWORD& raster, DWORD& gapStart, DWORD& gapEnd) {
  frontendvariants::Raster r = frontendvariants::RasterOf(m_dwVariant);
  raster = r.raster;
  gapStart = r.gapStart;
  gapEnd = r.gapEnd;
}
