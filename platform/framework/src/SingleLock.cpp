#include "framework/SingleLock.h"

#include "framework/Exception.h"

CSingleLock::CSingleLock(CSyncObject* pObject, BOOL bInitialLock)
    : m_pObject(pObject), m_hObject(nullptr), m_bAcquired(FALSE) {
  ENSURE_ARG(pObject != nullptr);
  m_hObject = pObject->m_hObject;
  if (bInitialLock) Lock();
}

BOOL CSingleLock::Lock(DWORD dwTimeOut) {
  if (!m_bAcquired) m_bAcquired = m_pObject->Lock(dwTimeOut);
  return m_bAcquired;
}

BOOL CSingleLock::Unlock() {
  if (m_bAcquired) m_bAcquired = !m_pObject->Unlock();
  return !m_bAcquired;
}

BOOL CSingleLock::Unlock(LONG lCount, LPLONG lPrevCount) {
  if (m_bAcquired) m_bAcquired = !m_pObject->Unlock(lCount, lPrevCount);
  return !m_bAcquired;
}
