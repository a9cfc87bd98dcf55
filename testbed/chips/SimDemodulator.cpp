#include "SimDemodulator.h"

#include <algorithm>
#include <cmath>

namespace {
const double kSymbolRateTolerance = 0.01;  // of the signal's rate
}

bool CSimDemodulator::Locked() {
  if (!m_air.present || m_air.neverLocks || !Started()) return false;
  double start = m_restartMs;
  if (m_tuner) {
    if (!m_tuner->Programmed() || std::fabs(m_tuner->TunedKHz() - m_air.freqKHz) > m_air.captureKHz) return false;
    start = std::max(start, m_tuner->ProgrammedAt());
  }
  if (m_air.symbolRate && std::fabs(SymbolRate() - m_air.symbolRate) > m_air.symbolRate * kSymbolRateTolerance)
    return false;
  if (m_air.qamSize && QamSize() != m_air.qamSize) return false;
  int inversion = Inversion();
  if (inversion != 2 && (inversion == 1) != m_air.inverted) return false;
  return m_clock.Now() - start >= m_air.lockAfterMs;
}
