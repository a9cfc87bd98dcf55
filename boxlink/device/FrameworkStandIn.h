// TEMPORARY: the few application-framework classes this library needs
// (CString, CSyncObject, CCriticalSection, CEvent, CSingleLock,
// AFX_EXT_CLASS), until the framework library joins the build. Replace every
// include of this header by the framework's headers then, and delete it.
#pragma once

#include <windows.h>

#include <cstring>

#ifndef AFX_EXT_CLASS
#ifdef _AFXEXT
#define AFX_EXT_CLASS __declspec(dllexport)
#else
#define AFX_EXT_CLASS __declspec(dllimport)
#endif
#endif

// An 8-bit string owning one buffer from the C runtime heap; an empty string
// holds no buffer at all, so nothing depends on a per-module static.
class CString {
 public:
  CString() {}
  CString(const char* text) { Assign(text, text ? int(strlen(text)) : 0); }
  CString(const CString& other) { Assign(other.m_data, other.m_length); }
  ~CString() { delete[] m_data; }
  CString& operator=(const CString& other) {
    if (this != &other) Assign(other.m_data, other.m_length);
    return *this;
  }
  CString& operator=(const char* text) {
    CString copy(text);
    Swap(copy);
    return *this;
  }
  operator const char*() const { return m_data ? m_data : ""; }
  int GetLength() const { return m_length; }
  bool IsEmpty() const { return m_length == 0; }
  void Empty() { Assign(nullptr, 0); }
  // A writable buffer of at least minLength characters plus the terminator,
  // holding the current text.
  char* GetBuffer(int minLength) {
    if (minLength < m_length) minLength = m_length;
    char* buffer = new char[size_t(minLength) + 1];
    if (m_length) memcpy(buffer, m_data, size_t(m_length));
    buffer[m_length] = 0;
    delete[] m_data;
    m_data = buffer;
    m_capacity = minLength;
    return m_data;
  }
  // Ends direct writing: the length is the given one, or up to the first
  // zero when -1 (never beyond the buffer).
  void ReleaseBuffer(int newLength = -1) {
    if (!m_data) return;
    if (newLength < 0) {
      const void* end = memchr(m_data, 0, size_t(m_capacity) + 1);
      newLength = end ? int(static_cast<const char*>(end) - m_data) : m_capacity;
    }
    if (newLength > m_capacity) newLength = m_capacity;
    m_data[newLength] = 0;
    m_length = newLength;
  }
  bool operator==(const char* text) const { return strcmp(*this, text ? text : "") == 0; }
  bool operator!=(const char* text) const { return !(*this == text); }
  CString& operator+=(const char* text) {
    CString joined;
    int add = text ? int(strlen(text)) : 0;
    joined.GetBuffer(m_length + add);
    if (m_length) memcpy(joined.m_data, m_data, size_t(m_length));
    if (add) memcpy(joined.m_data + m_length, text, size_t(add));
    joined.ReleaseBuffer(m_length + add);
    Swap(joined);
    return *this;
  }

 private:
  void Assign(const char* text, int length) {
    char* buffer = nullptr;
    if (length > 0) {
      buffer = new char[size_t(length) + 1];
      memcpy(buffer, text, size_t(length));
      buffer[length] = 0;
    }
    delete[] m_data;
    m_data = buffer;
    m_length = length;
    m_capacity = length;
  }
  void Swap(CString& other) {
    char* d = m_data; m_data = other.m_data; other.m_data = d;
    int l = m_length; m_length = other.m_length; other.m_length = l;
    int c = m_capacity; m_capacity = other.m_capacity; other.m_capacity = c;
  }

  char* m_data = nullptr;
  int m_length = 0;
  int m_capacity = 0;
};

class CSyncObject {
 public:
  virtual ~CSyncObject() {}
  virtual BOOL Lock(DWORD timeout = INFINITE) = 0;
  virtual BOOL Unlock() = 0;
};

class CCriticalSection : public CSyncObject {
 public:
  CCriticalSection() { InitializeCriticalSection(&m_sect); }
  ~CCriticalSection() override { DeleteCriticalSection(&m_sect); }
  CCriticalSection(const CCriticalSection&) = delete;
  CCriticalSection& operator=(const CCriticalSection&) = delete;
  BOOL Lock(DWORD = INFINITE) override {
    EnterCriticalSection(&m_sect);
    return TRUE;
  }
  BOOL Unlock() override {
    LeaveCriticalSection(&m_sect);
    return TRUE;
  }
  CRITICAL_SECTION m_sect;
};

class CEvent : public CSyncObject {
 public:
  explicit CEvent(BOOL initiallyOwn = FALSE, BOOL manualReset = FALSE, const char* name = nullptr,
                  LPSECURITY_ATTRIBUTES attributes = nullptr)
      : m_hObject(CreateEventA(attributes, manualReset, initiallyOwn, name)) {}
  ~CEvent() override {
    if (m_hObject) CloseHandle(m_hObject);
  }
  CEvent(const CEvent&) = delete;
  CEvent& operator=(const CEvent&) = delete;
  operator HANDLE() const { return m_hObject; }
  BOOL SetEvent() { return ::SetEvent(m_hObject); }
  BOOL ResetEvent() { return ::ResetEvent(m_hObject); }
  BOOL Lock(DWORD timeout = INFINITE) override {
    return WaitForSingleObject(m_hObject, timeout) == WAIT_OBJECT_0;
  }
  BOOL Unlock() override { return TRUE; }
  HANDLE m_hObject;
};

class CSingleLock {
 public:
  explicit CSingleLock(CSyncObject* object, BOOL initialLock = FALSE) : m_object(object) {
    if (initialLock) Lock();
  }
  ~CSingleLock() { Unlock(); }
  CSingleLock(const CSingleLock&) = delete;
  CSingleLock& operator=(const CSingleLock&) = delete;
  BOOL Lock(DWORD timeout = INFINITE) {
    if (!m_locked) m_locked = m_object->Lock(timeout);
    return m_locked;
  }
  BOOL Unlock() {
    if (m_locked) m_locked = !m_object->Unlock();
    return !m_locked;
  }
  BOOL IsLocked() const { return m_locked; }

 private:
  CSyncObject* m_object;
  BOOL m_locked = FALSE;
};
