// The OFDM demodulator models with DSP microcode.
#include "SimDemodulator.h"

#include <algorithm>
#include <cmath>

namespace {
BYTE Port(CSimDspDemod::Kind kind) { return kind == CSimDspDemod::kFw25 ? 0x0D : 0x58; }
BYTE PortReset(CSimDspDemod::Kind kind) { return kind == CSimDspDemod::kFw25 ? 0x0E : 0x57; }
BYTE Version(CSimDspDemod::Kind kind) { return kind == CSimDspDemod::kFw25 ? 0x2C : 0x20; }
}  // namespace

CSimDspDemod::CSimDspDemod(Kind kind, CSimClock& clock, const SimAirSignal& air, CSimPll* tuner,
                           std::vector<BYTE> image)
    : CSimDemodulator(kPlain, clock, air, tuner), m_kind(kind), m_image(std::move(image)) {}

bool CSimDspDemod::Running() const {
  return m_image.size() > 1 && m_download.size() == m_image.size() - 1 &&
         std::equal(m_download.begin(), m_download.end(), m_image.begin() + 1);
}

bool CSimDspDemod::Write(const BYTE* data, int count) {
  if (count >= 1 && data[0] == Port(m_kind)) {
    if (m_refuseTimes > 0 && m_portWrites + 1 == m_refuseAt) {
      --m_refuseTimes;
      return false;
    }
    m_download.insert(m_download.end(), data + 1, data + count);
    ++m_portWrites;
    return true;
  }
  return CSimChip::Write(data, count);
}

void CSimDspDemod::OnWrite(int reg, BYTE value) {
  if (reg == PortReset(m_kind)) m_download.clear();
  if (reg == 0x11) {
    m_answer[0] = m_answer[1] = 0xFF;  // a DSP that does not run answers nothing sensible
    if (!Running()) return;
    switch (value) {
      case 0x67: m_answer[0] = 0x67, m_answer[1] = Version(m_kind); break;
      case 0x61: m_answer[0] = m_dspBusy ? 0x01 : 0x00, m_answer[1] = 0x00; break;
      case 0x69: m_answer[0] = 0x69, m_answer[1] = Reg(0x12); break;
      default: break;
    }
  }
  if (m_kind == kFw25 && reg == 0x07) {
    if (value & 0x08) {
      m_resetHeld = true;
    } else if (m_resetHeld) {
      m_resetHeld = false;
      Restart();
    }
  }
  if (m_kind == kFw46 && reg == 0x01 && (value & 0x40)) {
    SetReg(0x01, BYTE(value & ~0x40));  // the start bit clears itself
    Restart();
  }
}

BYTE CSimDspDemod::OnRead(int reg) {
  bool locked = Locked();
  switch (reg) {
    case 0x06: {
      BYTE s = locked ? 0x09 : 0x00;
      if (m_kind == kFw46 && Running()) s |= 0x20;
      return s;
    }
    case 0x10: {
      if (locked || !m_acquiring || m_air.stuckAttempts) return 0;
      double attempts = (m_clock.Now() - m_restartMs) / kAttemptMs;
      return BYTE(attempts > 255 ? 255 : attempts);
    }
    case 0x13:
    case 0x14: return m_answer[reg - 0x13];
    case 0x04: {
      if (!locked) return Reg(reg);
      const SimAirSignal::Ofdm& o = m_air.ofdm;
      return BYTE(o.constellation | o.guard << 2 | o.mode << 4 | o.hierarchy << 5);
    }
    case 0x05: {
      BYTE v = Reg(reg) & 0x3F;
      if (locked) v = BYTE(m_air.ofdm.codeRateHP | m_air.ofdm.codeRateLP << 3);
      double error = ErrorKHz();
      if (m_air.present && !locked && std::fabs(error) > CaptureKHz() && std::fabs(error) < kReachKHz)
        v |= error > 0 ? 0x40 : 0x80;
      return v;
    }
    case 0x1A: return m_air.present ? m_air.agc : 0;
    case 0x1C: return locked ? m_air.snr : 0;
    default: return Reg(reg);
  }
}
