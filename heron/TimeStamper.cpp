#include "TimeStamper.h"

CTimeStamper::CTimeStamper(BOOL bVideo, std::atomic<DWORD>* pFirstPts) : m_bVideo(bVideo), m_pFirstPts(pFirstPts) {
  if (!m_bVideo) m_pFirstPts->store(0, std::memory_order_relaxed);
}

void CTimeStamper::OnPts(DWORD dwPts) {
  m_dwCurrentPts = dwPts;
  if (!m_bVideo && m_pFirstPts->load(std::memory_order_relaxed) == 0)
    m_pFirstPts->store(dwPts, std::memory_order_relaxed);
}

BOOL CTimeStamper::Stamp(int64_t* pTime) const {
  if (m_dwCurrentPts <= m_dwPreviousPts) return FALSE;
  const DWORD dwFirst = m_pFirstPts->load(std::memory_order_relaxed);
  if (m_bVideo && dwFirst == 0) return FALSE;
  // 90 kHz ticks to 100 ns; the difference wraps modulo 2^32.
  const uint64_t ticks = static_cast<DWORD>(m_dwCurrentPts - dwFirst);
  *pTime = static_cast<int64_t>(ticks * 1000 / 9);
  return TRUE;
}

void CTimeStamper::Reset() {
  m_dwCurrentPts = 0;
  m_dwPreviousPts = 0;
  if (!m_bVideo) m_pFirstPts->store(0, std::memory_order_relaxed);
}
