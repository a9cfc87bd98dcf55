#include "AMThread.h"

#include "AutoLock.h"

#include <vfwmsgs.h>

CAMThread::CAMThread(HRESULT*)
    : m_EventSend(TRUE), m_EventComplete(FALSE), m_dwParam(0), m_dwReturnVal(0), m_hThread(nullptr) {}

CAMThread::~CAMThread() { Close(); }

DWORD WINAPI CAMThread::InitialThreadProc(LPVOID pv) {
  CAMThread* pThread = static_cast<CAMThread*>(pv);
  HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  DWORD result = pThread->ThreadProc();
  if (SUCCEEDED(hr)) CoUninitialize();
  return result;
}

BOOL CAMThread::Create() {
  CAutoLock lock(&m_AccessLock);
  if (ThreadExists()) return FALSE;
  m_EventSend.Reset();
  m_bRequestPending = false;
  m_EventComplete.Reset();
  DWORD threadId;
  m_hThread = CreateThread(nullptr, 0, InitialThreadProc, this, 0, &threadId);
  return m_hThread != nullptr;
}

DWORD CAMThread::CallWorker(DWORD dwParam) {
  CAutoLock lock(&m_AccessLock);
  if (!ThreadExists()) return static_cast<DWORD>(E_FAIL);
  // A late reply to an earlier, timed-out call must not answer this one.
  m_EventComplete.Reset();
  m_dwParam = dwParam;
  m_bRequestPending = true;
  m_EventSend.Set();
  HANDLE waits[2] = {m_EventComplete, m_hThread};
  DWORD w = WaitForMultipleObjects(2, waits, FALSE, m_dwReplyTimeoutMs);
  if (w == WAIT_OBJECT_0) return m_dwReturnVal;
  if (w == WAIT_OBJECT_0 + 1) return static_cast<DWORD>(E_FAIL);  // the worker is gone
  OutputDebugStringA("worker thread did not answer a command in time\n");
  return static_cast<DWORD>(VFW_E_TIMEOUT);
}

void CAMThread::Close() {
  HANDLE hThread = static_cast<HANDLE>(InterlockedExchangePointer(reinterpret_cast<PVOID*>(&m_hThread), nullptr));
  if (!hThread) return;
  if (WaitForSingleObject(hThread, m_dwReplyTimeoutMs) != WAIT_OBJECT_0) {
    OutputDebugStringA("worker thread did not end in time: terminated\n");
    TerminateThread(hThread, static_cast<DWORD>(E_ABORT));
    WaitForSingleObject(hThread, 1000);
  }
  CloseHandle(hThread);
}

DWORD CAMThread::GetRequest() {
  m_EventSend.Wait(INFINITE);
  return m_dwParam;
}

BOOL CAMThread::CheckRequest(DWORD* pParam) {
  if (!m_bRequestPending) return FALSE;
  if (pParam) *pParam = m_dwParam;
  return TRUE;
}

void CAMThread::Reply(DWORD dw) {
  m_dwReturnVal = dw;
  m_bRequestPending = false;
  m_EventSend.Reset();
  m_EventComplete.Set();
}
