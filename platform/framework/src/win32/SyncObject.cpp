#include "framework/MultiLock.h"
#include "framework/SyncObject.h"

#include "framework/Exception.h"

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)
IMPLEMENT_DYNAMIC(CMutex, CSyncObject)
IMPLEMENT_DYNAMIC(CEvent, CSyncObject)
IMPLEMENT_DYNAMIC(CSemaphore, CSyncObject)

CSyncObject::CSyncObject(LPCTSTR) : m_hObject(nullptr) {}

CSyncObject::~CSyncObject() {
  if (m_hObject != nullptr) CloseHandle(m_hObject);
}

BOOL CSyncObject::Lock(DWORD dwTimeout) {
  DWORD dwRet = WaitForSingleObject(m_hObject, dwTimeout);
  return dwRet == WAIT_OBJECT_0 || dwRet == WAIT_ABANDONED;
}

BOOL CSyncObject::Unlock(LONG, LPLONG) { return TRUE; }

CCriticalSection::CCriticalSection() : CSyncObject(nullptr) { InitializeCriticalSection(&m_sect); }
CCriticalSection::~CCriticalSection() { DeleteCriticalSection(&m_sect); }
BOOL CCriticalSection::Lock(DWORD) { return Lock(); }

CMutex::CMutex(BOOL bInitiallyOwn, LPCTSTR lpszName, LPSECURITY_ATTRIBUTES lpsaAttribute) : CSyncObject(lpszName) {
  m_hObject = CreateMutexA(lpsaAttribute, bInitiallyOwn, lpszName);
  if (m_hObject == nullptr) AfxThrowResourceException();
}

BOOL CMutex::Unlock() { return ReleaseMutex(m_hObject); }

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCTSTR lpszName, LPSECURITY_ATTRIBUTES lpsaAttribute)
    : CSyncObject(lpszName) {
  m_hObject = CreateEventA(lpsaAttribute, bManualReset, bInitiallyOwn, lpszName);
  if (m_hObject == nullptr) AfxThrowResourceException();
}

CSemaphore::CSemaphore(LONG lInitialCount, LONG lMaxCount, LPCTSTR pstrName, LPSECURITY_ATTRIBUTES lpsaAttributes)
    : CSyncObject(pstrName) {
  ENSURE_ARG(lMaxCount > 0 && lInitialCount >= 0 && lInitialCount <= lMaxCount);
  m_hObject = CreateSemaphoreA(lpsaAttributes, lInitialCount, lMaxCount, pstrName);
  if (m_hObject == nullptr) AfxThrowResourceException();
}

BOOL CSemaphore::Unlock(LONG lCount, LPLONG lpPrevCount) { return ReleaseSemaphore(m_hObject, lCount, lpPrevCount); }

// ------------------------------------------------------------- CMultiLock

CMultiLock::CMultiLock(CSyncObject* ppObjects[], DWORD dwCount, BOOL bInitialLock)
    : m_ppObjectArray(ppObjects), m_pHandleArray(m_hPreallocated), m_bLockedArray(m_bPreallocated), m_dwCount(dwCount) {
  ENSURE_ARG(ppObjects != nullptr && dwCount > 0 && dwCount <= MAXIMUM_WAIT_OBJECTS);
  if (dwCount > sizeof(m_hPreallocated) / sizeof(m_hPreallocated[0])) {
    m_pHandleArray = new HANDLE[dwCount];
    m_bLockedArray = new BOOL[dwCount];
  }
  for (DWORD i = 0; i < dwCount; ++i) {
    ENSURE_ARG(ppObjects[i] != nullptr && ppObjects[i]->m_hObject != nullptr);  // no critical sections
    m_pHandleArray[i] = ppObjects[i]->m_hObject;
    m_bLockedArray[i] = FALSE;
  }
  if (bInitialLock) Lock();
}

CMultiLock::~CMultiLock() {
  Unlock();
  if (m_pHandleArray != m_hPreallocated) {
    delete[] m_pHandleArray;
    delete[] m_bLockedArray;
  }
}

DWORD CMultiLock::Lock(DWORD dwTimeOut, BOOL bWaitForAll, DWORD dwWakeMask) {
  DWORD dwResult = dwWakeMask ? MsgWaitForMultipleObjects(m_dwCount, m_pHandleArray, bWaitForAll, dwTimeOut, dwWakeMask)
                              : WaitForMultipleObjects(m_dwCount, m_pHandleArray, bWaitForAll, dwTimeOut);
  DWORD dwIndex;
  if (dwResult < WAIT_OBJECT_0 + m_dwCount)
    dwIndex = dwResult - WAIT_OBJECT_0;
  else if (dwResult >= WAIT_ABANDONED_0 && dwResult < WAIT_ABANDONED_0 + m_dwCount)
    dwIndex = dwResult - WAIT_ABANDONED_0;
  else
    return dwResult;  // timeout, message or failure
  if (bWaitForAll) {
    for (DWORD i = 0; i < m_dwCount; ++i) m_bLockedArray[i] = TRUE;
  } else {
    m_bLockedArray[dwIndex] = TRUE;
  }
  return dwResult;
}

BOOL CMultiLock::Unlock() {
  for (DWORD i = 0; i < m_dwCount; ++i)
    if (m_bLockedArray[i]) m_bLockedArray[i] = !m_ppObjectArray[i]->Unlock();
  return TRUE;
}

BOOL CMultiLock::Unlock(LONG lCount, LPLONG lPrevCount) {
  BOOL bGotOne = FALSE;
  for (DWORD i = 0; i < m_dwCount; ++i)
    if (m_bLockedArray[i] && m_ppObjectArray[i]->IsKindOf(RUNTIME_CLASS(CSemaphore))) {
      m_bLockedArray[i] = !m_ppObjectArray[i]->Unlock(lCount, lPrevCount);
      bGotOne = TRUE;
    }
  return bGotOne;
}

BOOL CMultiLock::IsLocked(DWORD dwItem) const {
  ENSURE_ARG(dwItem < m_dwCount);
  return m_bLockedArray[dwItem];
}
