#include "SimDemodulator.h"

#include <algorithm>
#include <cmath>

namespace {
const double kSymbolRateTolerance = 0.01;  // of the signal's rate
}

double CSimDemodulator::CaptureKHz() {
  if (m_air.captureKHz) return m_air.captureKHz;
  double sr = SymbolRate();
  return sr > 0 ? sr * kCaptureFraction / 1000 : kFixedCaptureKHz;
}

double CSimDemodulator::ErrorKHz() {
  const double kFarAway = 1e9;
  if (m_tuner && !m_tuner->Programmed()) return kFarAway;
  double looks = (m_tuner ? m_tuner->TunedKHz() : m_air.freqKHz) + OffsetKHz();
  double error = m_air.freqKHz - looks;
  for (DWORD more : m_air.moreKHz)
    if (more && std::fabs(more - looks) < std::fabs(error)) error = more - looks;
  return error;
}

bool CSimDemodulator::Locked() {
  if (!CarrierLocked()) return false;
  int inversion = Inversion();
  return inversion == 2 || (inversion == 1) == m_air.inverted;
}

bool CSimDemodulator::CarrierLocked() {
  if (!m_air.present || m_air.neverLocks || !m_acquiring || !Started()) return false;
  double start = m_restartMs;
  if (m_tuner) {
    if (!m_tuner->InLock()) return false;
    start = std::max(start, m_tuner->ProgrammedAt());
  }
  if (std::fabs(ErrorKHz()) > CaptureKHz()) return false;
  if (m_air.symbolRate && std::fabs(SymbolRate() - m_air.symbolRate) > m_air.symbolRate * kSymbolRateTolerance)
    return false;
  if (m_air.qamSize && QamSize() != m_air.qamSize) return false;
  return m_clock.Now() - start >= m_air.lockAfterMs;
}
