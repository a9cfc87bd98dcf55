// The driver's pending calls: every call on a device handle is accepted
// and returns pending (with the faults a test injected applied), completes
// when due on the scheduler thread, and is reported the Win32 way through
// the caller's OVERLAPPED and event; CancelIo and closing the handle end it
// early.
#include "SimDriver.h"

#include "DriverIoctl.h"
#include "SimDriverStatus.h"
#include "framework/SingleLock.h"
#include "SimIrReceiverDriver.h"
#include "SimNetAdapterDriver.h"

#include <algorithm>
#include <cstring>

using namespace simstatus;

bool CSimDriver::MatchFault(DWORD code, int command, SimFault& hit) {
  for (auto it = m_faults.begin(); it != m_faults.end(); ++it) {
    if (it->code != 0 && it->code != code) continue;
    if (it->command >= 0 && it->command != command) continue;
    hit = *it;
    if (it->times > 0 && --it->times == 0) m_faults.erase(it);
    return true;
  }
  return false;
}

BOOL CSimDriver::DeviceIoControl(HANDLE handle, DWORD code, LPVOID in, DWORD inSize, LPVOID out, DWORD outSize,
                                 LPDWORD returned, LPOVERLAPPED overlapped) {
  if (NetAdapterDriver().OwnsHandle(handle))
    return NetAdapterDriver().IoControl(handle, code, in, inSize, out, outSize, returned, overlapped);
  if (IrReceiverDriver().OwnsHandle(handle))
    return IrReceiverDriver().IoControl(handle, code, in, inSize, out, outSize, returned, overlapped);
  if (returned) *returned = 0;
  return Submit(SimLogEntry::kIoControl, handle, code, in, inSize, out, outSize, overlapped);
}

BOOL CSimDriver::ReadFile(HANDLE handle, LPVOID buffer, DWORD size, LPDWORD read, LPOVERLAPPED overlapped) {
  if (IrReceiverDriver().OwnsHandle(handle)) return IrReceiverDriver().Read(handle, buffer, size, read, overlapped);
  if (read) *read = 0;
  return Submit(SimLogEntry::kRead, handle, kSimReadFile, nullptr, 0, buffer, size, overlapped);
}

BOOL CSimDriver::WriteFile(HANDLE handle, LPCVOID buffer, DWORD size, LPDWORD written, LPOVERLAPPED overlapped) {
  if (written) *written = 0;
  return Submit(SimLogEntry::kWrite, handle, kSimWriteFile, buffer, size, nullptr, 0, overlapped);
}

BOOL CSimDriver::Submit(int kind, HANDLE handle, DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
                        LPOVERLAPPED overlapped) {
  CSingleLock lock(&m_lock, TRUE);
  UpdateBoot();
  if (m_deadHandles.count(handle)) {
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return FALSE;
  }
  if (!OwnHandle(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!overlapped || !overlapped->hEvent || (inSize && !in) || (outSize && !out)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const BYTE* input = static_cast<const BYTE*>(in);

  SimLogEntry entry;
  entry.kind = kind;
  entry.code = kind == SimLogEntry::kIoControl ? code : 0;
  entry.thread = GetCurrentThreadId();
  entry.beginMs = Now();
  entry.requestLength = inSize;
  if (inSize) memcpy(entry.request, input, std::min<DWORD>(inSize, sizeof(entry.request)));
  m_log.push_back(entry);

  int command = code == driverioctl::kCommandChannel && inSize ? input[0] : -1;
  SimFault hit;
  const SimFault* fault = MatchFault(code, command, hit) ? &hit : nullptr;

  Outcome outcome;
  if (fault && fault->kind == SimFault::kFail) {
    outcome.status = kUnsuccessful;
    outcome.delayMs = fault->value;
  } else if (fault && fault->kind == SimFault::kNeverCompletes) {
    outcome.waitPipe = -2;  // waits for a cancel only
  } else if (kind == SimLogEntry::kRead) {
    outcome = StreamRead(outSize);
  } else if (kind == SimLogEntry::kWrite) {
    outcome = StreamWrite(input, inSize);
  } else {
    outcome = HandleIoControl(code, input, inSize, outSize);
  }
  if (fault && fault->kind == SimFault::kShortAnswer && outcome.data.size() > size_t(fault->value))
    outcome.data.resize(size_t(fault->value));

  Pending p;
  p.handle = handle;
  p.thread = GetCurrentThreadId();
  p.overlapped = overlapped;
  p.output = static_cast<BYTE*>(out);
  p.outputSize = outSize;
  p.status = outcome.status;
  p.data = outcome.data;
  if (p.data.size() > outSize) p.data.resize(outSize);
  p.bytes = outcome.reportData ? DWORD(p.data.size()) : outcome.bytes;
  if (fault && fault->kind == SimFault::kCountLowByteFF) p.bytes = 0xFF;
  p.log = m_log.size() - 1;
  double now = Now();
  if (outcome.waitPipe == -2) {
    p.due = -1;
  } else if (outcome.waitPipe >= 0) {
    p.waitPipe = outcome.waitPipe;
    DWORD timeout = m_pipeTimeout[outcome.waitPipe];
    if (timeout) {
      p.due = now + timeout;
      p.status = kTimeout;
    }
  } else {
    p.due = now + outcome.delayMs;
  }
  if (fault && fault->kind == SimFault::kCompleteLate) {
    p.due = now + fault->value;
    p.ignoresCancel = true;
    p.waitPipe = -1;
  }

  overlapped->Internal = ULONG_PTR(kPending);
  overlapped->InternalHigh = 0;
  m_pending.push_back(p);
  ResetEvent(m_idle);
  SetEvent(m_wake);
  SetLastError(ERROR_IO_PENDING);
  return FALSE;
}

BOOL CSimDriver::GetOverlappedResult(HANDLE handle, LPOVERLAPPED overlapped, LPDWORD transferred, BOOL wait) {
  if (NetAdapterDriver().OwnsHandle(handle))
    return NetAdapterDriver().OverlappedResult(handle, overlapped, transferred);
  if (IrReceiverDriver().OwnsHandle(handle))
    return IrReceiverDriver().OverlappedResult(handle, overlapped, transferred, wait);
  if (!overlapped) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  {
    CSingleLock lock(&m_lock, TRUE);
    if (!OwnHandle(handle) && !m_deadHandles.count(handle)) {
      SetLastError(ERROR_INVALID_HANDLE);
      return FALSE;
    }
  }
  volatile ULONG_PTR* internal = &overlapped->Internal;
  if (LONG(*internal) == kPending) {
    if (!wait) {
      SetLastError(ERROR_IO_INCOMPLETE);
      return FALSE;
    }
    while (LONG(*internal) == kPending) WaitForSingleObject(overlapped->hEvent, INFINITE);
  }
  MemoryBarrier();
  if (transferred) *transferred = DWORD(overlapped->InternalHigh);
  DWORD error = Win32Error(LONG(*internal));
  if (error) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}

BOOL CSimDriver::CancelIo(HANDLE handle) {
  if (NetAdapterDriver().OwnsHandle(handle)) return TRUE;  // its calls complete at once
  if (IrReceiverDriver().OwnsHandle(handle)) return IrReceiverDriver().Cancel(handle);
  CSingleLock lock(&m_lock, TRUE);
  if (!OwnHandle(handle) && !m_deadHandles.count(handle)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  SimLogEntry entry;
  entry.kind = SimLogEntry::kCancel;
  entry.thread = GetCurrentThreadId();
  entry.beginMs = entry.endMs = Now();
  m_log.push_back(entry);
  // Only the calling thread's calls on this handle, as CancelIo does.
  DWORD thread = GetCurrentThreadId();
  for (auto it = m_pending.begin(); it != m_pending.end();) {
    if (it->handle != handle || it->thread != thread) {
      ++it;
      continue;
    }
    m_log[it->log].cancelled = 1;
    if (it->ignoresCancel) {
      ++it;
      continue;
    }
    CompleteWith(*it, kCancelled);
    it = m_pending.erase(it);
  }
  if (m_pending.empty()) SetEvent(m_idle);
  return TRUE;
}

void CSimDriver::Complete(Pending& p) {
  // Written as the I/O manager does it: the data, the count, the status,
  // then the caller's event.
  if (!p.data.empty() && p.output) memcpy(p.output, p.data.data(), p.data.size());
  p.overlapped->InternalHigh = p.bytes;
  MemoryBarrier();
  p.overlapped->Internal = ULONG_PTR(p.status);
  SimLogEntry& e = m_log[p.log];
  e.endMs = Now();
  e.error = Win32Error(p.status);
  e.bytes = p.bytes;
  SetEvent(p.overlapped->hEvent);
}

void CSimDriver::CompleteWith(Pending& p, LONG status) {
  p.status = status;
  p.data.clear();
  p.bytes = 0;
  Complete(p);
}

void CSimDriver::CompleteAll(LONG status) {
  for (Pending& p : m_pending) CompleteWith(p, status);
  m_pending.clear();
  SetEvent(m_idle);
}

UINT CSimDriver::SchedulerThread(LPVOID self) {
  static_cast<CSimDriver*>(self)->Schedule();
  return 0;
}

void CSimDriver::Schedule() {
  while (!m_scheduler.IsStopRequested()) {
    DWORD wait = INFINITE;
    {
      CSingleLock lock(&m_lock, TRUE);
      double now = Now();
      for (auto it = m_pending.begin(); it != m_pending.end();) {
        if (it->due >= 0 && it->due <= now) {
          Complete(*it);
          it = m_pending.erase(it);
          continue;
        }
        if (it->due >= 0) {
          double left = it->due - now;
          DWORD ms = DWORD(left) + 1;
          if (ms < wait) wait = ms;
        }
        ++it;
      }
      if (m_pending.empty()) SetEvent(m_idle);
      // The player drains in time: a writer it turned away may write again.
      if (m_player.Update(now) && m_writeEvent) SetEvent(m_writeEvent);
      const double room = m_player.MsUntilRoom();
      if (room >= 0 && DWORD(room) + 1 < wait) wait = DWORD(room) + 1;
      const double more = SendPacedRecording(now);
      if (more >= 0 && DWORD(more) < wait) wait = DWORD(more);
    }
    WaitForSingleObject(m_wake, wait);
  }
}
