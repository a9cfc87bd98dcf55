#include "WakeState.h"

bool CWakeState::Signal() {
  if (m_bWaiting) {
    m_bWaiting = false;
    return true;
  }
  m_bPending = true;
  return false;
}

bool CWakeState::BeginWait() {
  if (m_bPending) {
    m_bPending = false;
    return true;
  }
  m_bWaiting = true;
  return false;
}

bool CWakeState::EndWait(bool woken) {
  if (m_bWaiting) {  // nobody signalled during the wait
    m_bWaiting = false;
    return false;
  }
  if (woken) return false;
  m_bPending = true;
  return true;
}
