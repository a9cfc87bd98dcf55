#include "ReceiveHold.h"

void CReceiveHold::SetHold(BOOL bHold) {
  {
    CAutoLock lock(&m_lock);
    m_bHold = bHold;
    m_cPasses = 0;
  }
  m_evChanged.Set();
}

void CReceiveHold::Pass(LONG count) {
  {
    CAutoLock lock(&m_lock);
    m_cPasses += count;
  }
  m_evChanged.Set();
}

void CReceiveHold::Wait(HANDLE hAbort) {
  const DWORD start = GetTickCount();
  for (;;) {
    {
      CAutoLock lock(&m_lock);
      if (!m_bHold) return;
      if (m_cPasses > 0) {
        m_cPasses--;
        return;
      }
    }
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= kLimitMs) return;
    const HANDLE waits[2] = {m_evChanged, hAbort};
    if (WaitForMultipleObjects(2, waits, FALSE, kLimitMs - elapsed) != WAIT_OBJECT_0) return;
  }
}
