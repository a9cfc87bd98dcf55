#include "framework/SyncObject.h"

#include <chrono>

IMPLEMENT_DYNAMIC(CSyncObject, CObject)
IMPLEMENT_DYNAMIC(CCriticalSection, CSyncObject)
IMPLEMENT_DYNAMIC(CEvent, CSyncObject)

CSyncObject::CSyncObject(LPCTSTR) : m_hObject(nullptr) {}
CSyncObject::~CSyncObject() = default;
BOOL CSyncObject::Unlock(LONG, LPLONG) { return TRUE; }

CCriticalSection::CCriticalSection() : CSyncObject(nullptr) {}
BOOL CCriticalSection::Lock(DWORD) { return Lock(); }

CEvent::CEvent(BOOL bInitiallyOwn, BOOL bManualReset, LPCTSTR lpszName)
    : CSyncObject(lpszName), m_signalled(bInitiallyOwn != FALSE), m_manualReset(bManualReset != FALSE) {}

BOOL CEvent::SetEvent() {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    m_signalled = true;
  }
  if (m_manualReset)
    m_changed.notify_all();
  else
    m_changed.notify_one();
  return TRUE;
}

BOOL CEvent::ResetEvent() {
  std::lock_guard<std::mutex> hold(m_lock);
  m_signalled = false;
  return TRUE;
}

BOOL CEvent::Lock(DWORD dwTimeout) {
  std::unique_lock<std::mutex> hold(m_lock);
  auto signalled = [this] { return m_signalled; };
  if (dwTimeout == INFINITE)
    m_changed.wait(hold, signalled);
  else if (!m_changed.wait_for(hold, std::chrono::milliseconds(dwTimeout), signalled))
    return FALSE;
  if (!m_manualReset) m_signalled = false;
  return TRUE;
}
