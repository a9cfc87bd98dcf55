#include "DVBOwnerTable.h"

#include <cstdio>
#include <cstring>

using ownerrecord::OwnerRecord;

CDVBOwnerTable* g_pDVBOwnerTable = nullptr;

CDVBOwnerTable::CDVBOwnerTable(const char* name) : m_hOwnerWnd(nullptr), m_uCloseMsg(0), m_pszMsgName(nullptr) {
  if (!name) name = "";
  size_t size = strlen(name) + 10;
  m_pszMsgName = new char[size];
  snprintf(m_pszMsgName, size, "MSG_%s", name);
  m_uCloseMsg = RegisterWindowMessageA(m_pszMsgName);
  if (!Create(DWORD(ownerrecord::kTableSize), name)) return;
  // The first process clears the records (a new mapping is zero-filled
  // already; this keeps the start state explicit).
  if (m_bCreated && Lock()) {
    for (int i = 0; i < ownerrecord::kRecords; ++i) ownerrecord::ClearRecord(m_pView, m_dwSize, i);
    Unlock();
  }
}

CDVBOwnerTable::~CDVBOwnerTable() {
  delete[] m_pszMsgName;
  m_pszMsgName = nullptr;
}

BOOL CALLBACK CDVBOwnerTable::FindOwnWindow(HWND window, LPARAM table) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  reinterpret_cast<CDVBOwnerTable*>(table)->m_hOwnerWnd = window;
  return FALSE;
}

bool CDVBOwnerTable::OwnerGone(DWORD window) {
  return window > ownerrecord::kNoWindow && !IsWindow(reinterpret_cast<HWND>(UINT_PTR(window)));
}

bool CDVBOwnerTable::HeldByOther(const OwnerRecord& record) const {
  if (record.window == 0) return false;
  if (record.window == ownerrecord::kNoWindow) {
    // Without a window only the executable tells the holders apart.
    char module[ownerrecord::kTextSize] = {};
    if (GetModuleFileNameA(nullptr, module, sizeof(module) - 1) == 0) return false;
    return lstrcmpiA(module, record.module) != 0;
  }
  HWND window = reinterpret_cast<HWND>(UINT_PTR(record.window));
  if (!IsWindow(window)) return false;
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  return process != GetCurrentProcessId();
}

BOOL CDVBOwnerTable::Register(WORD idx, const char* appId) {
  if (idx >= ownerrecord::kRecords || !m_pView) return FALSE;
  if (appId && strnlen(appId, ownerrecord::kTextSize) >= ownerrecord::kTextSize) return FALSE;
  char module[ownerrecord::kTextSize] = {};
  // An older system leaves a path cut at the buffer's end unterminated.
  if (GetModuleFileNameA(nullptr, module, sizeof(module)) == 0) return FALSE;
  module[sizeof(module) - 1] = 0;
  if (!Lock()) return FALSE;
  m_hOwnerWnd = nullptr;
  EnumWindows(FindOwnWindow, reinterpret_cast<LPARAM>(this));
  DWORD window = m_hOwnerWnd ? DWORD(UINT_PTR(m_hOwnerWnd)) : ownerrecord::kNoWindow;
  ownerrecord::WriteRecord(m_pView, m_dwSize, idx, module, appId, window);
  Unlock();
  return TRUE;
}

BOOL CDVBOwnerTable::Release(WORD idx) {
  if (idx >= ownerrecord::kRecords || !m_pView) return FALSE;
  if (!Lock()) return FALSE;
  OwnerRecord record;
  ownerrecord::ReadRecord(m_pView, m_dwSize, idx, record);
  // Another process may have taken the box after this one was asked to let
  // go and did not: its record is not this process's to clear.
  BOOL cleared = FALSE;
  if (!HeldByOther(record)) cleared = ownerrecord::ClearRecord(m_pView, m_dwSize, idx);
  Unlock();
  return cleared;
}

BOOL CDVBOwnerTable::GetOwner(WORD idx, const char*& module, const char*& appId) {
  module = nullptr;
  appId = nullptr;
  if (idx >= ownerrecord::kRecords || !m_pView) return FALSE;
  // A copy taken under the lock is consistent; without it (a holder that
  // does not let go) it is still bounded and terminated.
  BOOL locked = Lock();
  ownerrecord::ReadRecord(m_pView, m_dwSize, idx, m_copies[idx]);
  if (locked) Unlock();
  module = m_copies[idx].module;
  appId = m_copies[idx].appId;
  return TRUE;
}

BOOL CDVBOwnerTable::RequestClose(WORD idx, DWORD timeoutMs) {
  if (idx >= ownerrecord::kRecords || !m_pView) return FALSE;
  if (!Lock()) return FALSE;
  DWORD old = ownerrecord::RecordWindow(m_pView, m_dwSize, idx);
  if (old == 0) {
    Unlock();
    return FALSE;
  }
  if (OwnerGone(old)) {
    ownerrecord::ClearRecord(m_pView, m_dwSize, idx);
    Unlock();
    return TRUE;
  }
  if (!PostMessageA(HWND_BROADCAST, m_uCloseMsg, 0, 0)) {
    Unlock();
    return FALSE;
  }
  Unlock();

  if (timeoutMs > kMaxCloseWaitMs) timeoutMs = kMaxCloseWaitMs;
  for (DWORD elapsed = 0;; elapsed += kWaitStepMs) {
    if (ownerrecord::RecordWindow(m_pView, m_dwSize, idx) != old) return TRUE;
    if (elapsed >= timeoutMs) return FALSE;
    if (OwnerGone(old)) {
      // It ended while asked: free its record unless someone took it meanwhile.
      if (Lock()) {
        if (ownerrecord::RecordWindow(m_pView, m_dwSize, idx) == old) ownerrecord::ClearRecord(m_pView, m_dwSize, idx);
        Unlock();
      }
      return TRUE;
    }
    Sleep(kWaitStepMs);
  }
}
