#include "ProcessState.h"

#include <cstdio>
#include <cstdlib>

namespace {
AFX_PROCESS_STATE* g_pState = nullptr;  // this module's pointer to the shared state
}

AFX_PROCESS_STATE* AfxGetProcessState() {
  AFX_PROCESS_STATE* pState = __atomic_load_n(&g_pState, __ATOMIC_ACQUIRE);
  if (pState != nullptr) return pState;

  char szName[64], szLock[72];
  snprintf(szName, sizeof(szName), "QuillonFrameworkState.%lu", GetCurrentProcessId());
  snprintf(szLock, sizeof(szLock), "%s.lock", szName);
  // The first module to get here creates and initialises the state; the
  // named mutex keeps the others out until it is ready. The lock is held for
  // a few calls only; the bound guards against a holder that died.
  HANDLE hLock = CreateMutexA(nullptr, FALSE, szLock);
  DWORD dwWait = hLock ? WaitForSingleObject(hLock, 10000) : WAIT_FAILED;
  HANDLE hMap = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(AFX_PROCESS_STATE), szName);
  BOOL bCreated = hMap != nullptr && GetLastError() != ERROR_ALREADY_EXISTS;
  pState = hMap ? static_cast<AFX_PROCESS_STATE*>(MapViewOfFile(hMap, FILE_MAP_ALL_ACCESS, 0, 0, 0)) : nullptr;
  if (pState != nullptr && bCreated) {
    pState->cbSize = sizeof(AFX_PROCESS_STATE);
    InitializeCriticalSection(&pState->lock);
    pState->pFirstDLL = nullptr;
    pState->pfnMessageBoxHook = nullptr;
  }
  if (hLock != nullptr) {
    if (dwWait == WAIT_OBJECT_0 || dwWait == WAIT_ABANDONED) ReleaseMutex(hLock);
    CloseHandle(hLock);
  }
  // The mapping stays open and mapped for the life of the process.
  if (pState == nullptr || pState->cbSize != sizeof(AFX_PROCESS_STATE)) {
    OutputDebugStringA("framework: the shared process state is unavailable\n");
    abort();
  }
  __atomic_store_n(&g_pState, pState, __ATOMIC_RELEASE);
  return pState;
}
