// Synchronisation objects: critical section, mutex, event and semaphore.
// Kernel objects may be named (shared between processes); creating one that
// fails throws CResourceException.
//
// Portable code uses the critical section and the (unnamed) event too: away
// from Windows they are built on the standard library with the same
// behaviour (a critical section may be entered again by its owner, an event
// resets by itself or manually), so one lock vocabulary serves both builds.
#pragma once

#include "Object.h"

#ifndef _WIN32
#include <condition_variable>
#include <mutex>
#endif

#ifndef INFINITE
#define INFINITE 0xFFFFFFFFu
#endif

#ifdef _WIN32

class CSyncObject : public CObject {
  DECLARE_DYNAMIC(CSyncObject)
 public:
  explicit CSyncObject(LPCTSTR pstrName);
  ~CSyncObject() override;

  operator HANDLE() const { return m_hObject; }

  // TRUE when acquired (an abandoned mutex counts as acquired).
  virtual BOOL Lock(DWORD dwTimeout = INFINITE);
  virtual BOOL Unlock() = 0;
  virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = nullptr);

  HANDLE m_hObject;
};

class CCriticalSection : public CSyncObject {
  DECLARE_DYNAMIC(CCriticalSection)
 public:
  CCriticalSection();
  ~CCriticalSection() override;

  operator CRITICAL_SECTION*() { return &m_sect; }

  BOOL Lock() {
    EnterCriticalSection(&m_sect);
    return TRUE;
  }
  // A critical section has no timeout; it waits until it is free.
  BOOL Lock(DWORD dwTimeout) override;
  BOOL Unlock() override {
    LeaveCriticalSection(&m_sect);
    return TRUE;
  }
  using CSyncObject::Unlock;

  CRITICAL_SECTION m_sect;
};

class CMutex : public CSyncObject {
  DECLARE_DYNAMIC(CMutex)
 public:
  explicit CMutex(BOOL bInitiallyOwn = FALSE, LPCTSTR lpszName = nullptr,
                  LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);
  BOOL Unlock() override;
  using CSyncObject::Unlock;
};

class CEvent : public CSyncObject {
  DECLARE_DYNAMIC(CEvent)
 public:
  explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = nullptr,
                  LPSECURITY_ATTRIBUTES lpsaAttribute = nullptr);

  BOOL SetEvent() { return ::SetEvent(m_hObject); }
  BOOL PulseEvent() { return ::PulseEvent(m_hObject); }
  BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
  BOOL Unlock() override { return TRUE; }
  using CSyncObject::Unlock;
};

class CSemaphore : public CSyncObject {
  DECLARE_DYNAMIC(CSemaphore)
 public:
  explicit CSemaphore(LONG lInitialCount = 1, LONG lMaxCount = 1, LPCTSTR pstrName = nullptr,
                      LPSECURITY_ATTRIBUTES lpsaAttributes = nullptr);
  BOOL Unlock() override { return Unlock(1, nullptr); }
  BOOL Unlock(LONG lCount, LPLONG lprevCount = nullptr) override;
};

#else

class CSyncObject : public CObject {
  DECLARE_DYNAMIC(CSyncObject)
 public:
  explicit CSyncObject(LPCTSTR pstrName);
  ~CSyncObject() override;

  // TRUE when acquired within the time-out.
  virtual BOOL Lock(DWORD dwTimeout = INFINITE) = 0;
  virtual BOOL Unlock() = 0;
  virtual BOOL Unlock(LONG lCount, LPLONG lpPrevCount = nullptr);

  HANDLE m_hObject;  // always null here: no kernel object behind it
};

class CCriticalSection : public CSyncObject {
  DECLARE_DYNAMIC(CCriticalSection)
 public:
  CCriticalSection();

  BOOL Lock() {
    m_sect.lock();
    return TRUE;
  }
  // A critical section has no timeout; it waits until it is free.
  BOOL Lock(DWORD dwTimeout) override;
  BOOL Unlock() override {
    m_sect.unlock();
    return TRUE;
  }
  using CSyncObject::Unlock;

 private:
  std::recursive_mutex m_sect;
};

class CEvent : public CSyncObject {
  DECLARE_DYNAMIC(CEvent)
 public:
  // Unnamed events only.
  explicit CEvent(BOOL bInitiallyOwn = FALSE, BOOL bManualReset = FALSE, LPCTSTR lpszName = nullptr);

  BOOL SetEvent();
  BOOL ResetEvent();
  // Waits until the event is set; an auto-reset event is reset again by the
  // one wait that it ends.
  BOOL Lock(DWORD dwTimeout = INFINITE) override;
  BOOL Unlock() override { return TRUE; }
  using CSyncObject::Unlock;

 private:
  std::mutex m_lock;  // guards m_signalled
  std::condition_variable m_changed;
  bool m_signalled;
  const bool m_manualReset;
};

#endif
