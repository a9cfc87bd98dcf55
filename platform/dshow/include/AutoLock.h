// Holds a CCritSec for the lifetime of a scope.
#pragma once

#include "CritSec.h"

class CAutoLock {
 public:
  explicit CAutoLock(CCritSec* plock) : m_pLock(plock) { m_pLock->Lock(); }
  ~CAutoLock() { m_pLock->Unlock(); }
  CAutoLock(const CAutoLock&) = delete;
  CAutoLock& operator=(const CAutoLock&) = delete;

 private:
  CCritSec* m_pLock;
};
