// Named shared memory with a named mutex, seen by every process that maps
// the same name: mapping "FILE_" + name, mutex "MUTEX_" + name.
#pragma once

#include <Framework.h>

class CDVBSharedMemory {
 public:
  // Creates or opens the memory; throws the framework's memory exception
  // when that fails.
  CDVBSharedMemory(DWORD size, const char* name);
  virtual ~CDVBSharedMemory();
  CDVBSharedMemory(const CDVBSharedMemory&) = delete;
  CDVBSharedMemory& operator=(const CDVBSharedMemory&) = delete;

  // Maps size bytes under the name (a fresh GUID text when name is null).
  // FALSE when the name is too long, or the mapping, its view or the mutex
  // cannot be had, or an existing mapping is smaller than size.
  BOOL Create(DWORD size, const char* name);
  // Unmaps and closes everything; always TRUE.
  BOOL Close();

  BYTE* GetView() const { return m_pView; }
  DWORD GetSize() const { return m_dwSize; }
  const CString& GetName() const { return m_strName; }
  BOOL IsCreator() const { return m_bCreated; }

  // The cross-process lock. A holder that does not let go within the time
  // fails the lock; one that died holding it leaves it to the next.
  BOOL Lock(DWORD timeoutMs = kLockTimeoutMs);
  void Unlock();

  // No process holds the lock for more than a few copies of the memory.
  static const DWORD kLockTimeoutMs = 5000;
  // "MUTEX_" + name + terminator fill the 96-byte name buffer.
  static const size_t kMaxName = 89;

 protected:
  // Fields empty; the derived class calls Create itself.
  CDVBSharedMemory();

  BYTE* m_pView;
  DWORD m_dwSize;
  HANDLE m_hMapping;
  CString m_strName;
  CMutex* m_pMutex;
  BOOL m_bCreated;
};
