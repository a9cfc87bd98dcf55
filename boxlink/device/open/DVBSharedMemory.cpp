#include "DVBSharedMemory.h"

#include <objbase.h>

#include <cstdio>
#include <cstring>

namespace {

const size_t kNameBuffer = 96;

// A fresh GUID as text, braces included.
bool NewGuidName(char (&name)[64]) {
  GUID guid;
  if (FAILED(CoCreateGuid(&guid))) return false;
  WCHAR wide[64];
  if (StringFromGUID2(guid, wide, 64) == 0) return false;
  return WideCharToMultiByte(CP_ACP, 0, wide, -1, name, sizeof(name), nullptr, nullptr) > 0;
}

}  // namespace

CDVBSharedMemory::CDVBSharedMemory()
    : m_pView(nullptr), m_dwSize(0), m_hMapping(nullptr), m_pMutex(nullptr), m_bCreated(FALSE) {}

CDVBSharedMemory::CDVBSharedMemory(DWORD size, const char* name) : CDVBSharedMemory() {
  if (!Create(size, name)) AfxThrowMemoryException();
}

CDVBSharedMemory::~CDVBSharedMemory() { Close(); }

BOOL CDVBSharedMemory::Create(DWORD size, const char* name) {
  Close();
  char generated[64] = {};
  if (!name) {
    if (!NewGuidName(generated)) return FALSE;
    name = generated;
  }
  if (strlen(name) > kMaxName || size == 0) return FALSE;

  char objectName[kNameBuffer] = {};
  snprintf(objectName, sizeof(objectName), "FILE_%s", name);
  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, size, objectName);
  BOOL created = GetLastError() != ERROR_ALREADY_EXISTS;
  if (!mapping || mapping == INVALID_HANDLE_VALUE) return FALSE;
  BYTE* view = static_cast<BYTE*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  if (!view) {
    CloseHandle(mapping);
    return FALSE;
  }
  // A mapping of that name made smaller elsewhere must not be read past its end.
  MEMORY_BASIC_INFORMATION info = {};
  if (VirtualQuery(view, &info, sizeof(info)) == 0 || info.RegionSize < size) {
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    return FALSE;
  }

  snprintf(objectName, sizeof(objectName), "MUTEX_%s", name);
  CMutex* mutex = nullptr;
  try {
    mutex = new CMutex(TRUE, objectName);
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  if (!mutex) {
    UnmapViewOfFile(view);
    CloseHandle(mapping);
    return FALSE;
  }

  m_dwSize = size;
  m_strName = name;
  m_pView = view;
  m_pMutex = mutex;
  m_hMapping = mapping;
  m_bCreated = created;
  // Gives up the initial ownership where this process created the mutex;
  // where it opened an existing one it owns nothing and this fails harmlessly.
  m_pMutex->Unlock();
  return TRUE;
}

BOOL CDVBSharedMemory::Close() {
  delete m_pMutex;
  m_pMutex = nullptr;
  if (m_pView) UnmapViewOfFile(m_pView);
  m_pView = nullptr;
  if (m_hMapping) CloseHandle(m_hMapping);
  m_hMapping = nullptr;
  m_dwSize = 0;
  m_strName.Empty();
  m_bCreated = FALSE;
  return TRUE;
}

BOOL CDVBSharedMemory::Lock(DWORD timeoutMs) { return m_pMutex && m_pMutex->Lock(timeoutMs); }

void CDVBSharedMemory::Unlock() {
  if (m_pMutex) m_pMutex->Unlock();
}
