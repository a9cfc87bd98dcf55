// State that every module of the process shares, although each module links
// its own copy of the framework: the extension libraries linked in and the
// message-box hook. It lives in a page of named shared memory whose name
// carries the process id, so every copy of the framework finds the same one.
#pragma once

#include <windows.h>

#include "framework/MessageBox.h"

class CDynLinkLibrary;

struct AFX_PROCESS_STATE {
  DWORD cbSize;  // checked: every module must agree on the layout
  CRITICAL_SECTION lock;
  CDynLinkLibrary* pFirstDLL;
  AFX_MSGBOX_HOOK pfnMessageBoxHook;
};

AFX_PROCESS_STATE* AfxGetProcessState();

class CProcessStateLock {
 public:
  CProcessStateLock() : m_pState(AfxGetProcessState()) { EnterCriticalSection(&m_pState->lock); }
  ~CProcessStateLock() { LeaveCriticalSection(&m_pState->lock); }
  CProcessStateLock(const CProcessStateLock&) = delete;
  CProcessStateLock& operator=(const CProcessStateLock&) = delete;
  AFX_PROCESS_STATE* operator->() const { return m_pState; }

 private:
  AFX_PROCESS_STATE* m_pState;
};
