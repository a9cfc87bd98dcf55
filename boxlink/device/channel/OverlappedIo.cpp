#include "OverlappedIo.h"

#include "DevicePort.h"

#include <cstdlib>
#include <cstring>

namespace overlappedio {
namespace {

enum class Kind { IoControl, Read, Write };

// What the driver may touch until the call has finished.
struct Transfer {
  OVERLAPPED overlapped;
  HANDLE event;
  BYTE* input;
  BYTE* output;
  DWORD inputLength;
  DWORD outputLength;
};

LONG g_abandoned = 0;

Transfer* NewTransfer(DWORD inputLength, DWORD outputLength) {
  size_t size = sizeof(Transfer) + inputLength + outputLength;
  BYTE* raw = static_cast<BYTE*>(calloc(1, size));
  if (!raw) return nullptr;
  Transfer* t = reinterpret_cast<Transfer*>(raw);
  t->input = inputLength ? raw + sizeof(Transfer) : nullptr;
  t->output = outputLength ? raw + sizeof(Transfer) + inputLength : nullptr;
  t->event = CreateEventA(nullptr, FALSE, FALSE, nullptr);  // auto-reset, not signalled
  if (!t->event) {
    free(raw);
    return nullptr;
  }
  t->overlapped.hEvent = t->event;
  t->inputLength = inputLength;
  t->outputLength = outputLength;
  return t;
}

void FreeTransfer(Transfer* t) {
  CloseHandle(t->event);
  free(t);
}

}  // namespace

struct KeptTransferAccess {
  // The kept block when it fits the call, ready for it; else a new block,
  // kept from now on. Null when none can be made.
  static Transfer* Take(CKeptTransfer& kept, DWORD inputLength, DWORD outputLength) {
    auto* t = static_cast<Transfer*>(kept.m_block);
    if (t && t->inputLength == inputLength && t->outputLength == outputLength) {
      memset(&t->overlapped, 0, sizeof(t->overlapped));
      t->overlapped.hEvent = t->event;
      if (kept.m_eventMaySignal) ResetEvent(t->event);
      kept.m_eventMaySignal = false;
      return t;
    }
    if (t) FreeTransfer(t);
    kept.m_block = t = NewTransfer(inputLength, outputLength);
    kept.m_eventMaySignal = false;
    return t;
  }
  static void Abandon(CKeptTransfer& kept) { kept.m_block = nullptr; }
  static void NoteEventMaySignal(CKeptTransfer& kept) { kept.m_eventMaySignal = true; }
  static void Free(CKeptTransfer& kept) {
    if (kept.m_block) FreeTransfer(static_cast<Transfer*>(kept.m_block));
    kept.m_block = nullptr;
  }
};

namespace {

BOOL Run(Kind kind, HANDLE handle, DWORD code, const void* input, DWORD inputLength, void* output, DWORD outputLength,
         DWORD* done, DWORD timeoutMs, const Limits& limits, CKeptTransfer* kept = nullptr) {
  DWORD local = 0;
  if (!done) done = &local;
  if (handle == INVALID_HANDLE_VALUE) return FALSE;
  *done = 0;
  if (inputLength && !input) return FALSE;
  if (outputLength && !output) return FALSE;

  Transfer* t =
      kept ? KeptTransferAccess::Take(*kept, inputLength, outputLength) : NewTransfer(inputLength, outputLength);
  if (!t) return FALSE;
  // Whether the event may still be set when the call returns (a completion
  // whose signal no wait consumed).
  bool eventMaySignal = false;
  if (inputLength) memcpy(t->input, input, inputLength);

  IDevicePort& port = DevicePort();
  DWORD count = 0;
  BOOL started = FALSE;
  switch (kind) {
    case Kind::IoControl:
      started =
          port.DeviceIoControl(handle, code, t->input, inputLength, t->output, outputLength, &count, &t->overlapped);
      break;
    case Kind::Read: started = port.ReadFile(handle, t->output, outputLength, &count, &t->overlapped); break;
    case Kind::Write: started = port.WriteFile(handle, t->input, inputLength, &count, &t->overlapped); break;
  }

  BOOL ok = FALSE;
  if (started) {
    ok = TRUE;
    eventMaySignal = true;
  } else if (GetLastError() == ERROR_IO_PENDING) {
    DWORD wait = timeoutMs ? timeoutMs : limits.completionMs;
    HANDLE events[2] = {t->event, limits.abortEvent};
    eventMaySignal = WaitForMultipleObjects(limits.abortEvent ? 2 : 1, events, FALSE, wait) != WAIT_OBJECT_0;
    if (port.GetOverlappedResult(handle, &t->overlapped, &count, FALSE)) {
      ok = TRUE;
    } else if (GetLastError() == ERROR_IO_INCOMPLETE) {
      // Still running: cancel it and let it finish before the block goes.
      port.CancelIo(handle);
      if (WaitForSingleObject(t->event, limits.cancelWaitMs) != WAIT_OBJECT_0) {
        InterlockedIncrement(&g_abandoned);
        if (kept) KeptTransferAccess::Abandon(*kept);
        return FALSE;
      }
      eventMaySignal = false;
      // A call that completed before the cancel reached it delivered its
      // data: it counts, bytes and all.
      ok = port.GetOverlappedResult(handle, &t->overlapped, &count, FALSE);
    }
  }

  if (ok) {
    *done = count;
    DWORD copy = count < outputLength ? count : outputLength;
    if (kind != Kind::Write && copy) memcpy(output, t->output, copy);
  }
  if (!kept)
    FreeTransfer(t);
  else if (eventMaySignal)
    KeptTransferAccess::NoteEventMaySignal(*kept);
  return ok;
}

}  // namespace

BOOL OverlappedIoControl(HANDLE handle, DWORD code, const void* input, DWORD inputLength, void* output,
                         DWORD outputLength, DWORD* returned, DWORD timeoutMs, const Limits& limits) {
  return Run(Kind::IoControl, handle, code, input, inputLength, output, outputLength, returned, timeoutMs, limits);
}

BOOL OverlappedRead(HANDLE handle, void* buffer, DWORD length, DWORD* read, DWORD timeoutMs, const Limits& limits) {
  return Run(Kind::Read, handle, 0, nullptr, 0, buffer, length, read, timeoutMs, limits);
}

BOOL OverlappedWrite(HANDLE handle, const void* buffer, DWORD length, DWORD* written, DWORD timeoutMs,
                     const Limits& limits) {
  return Run(Kind::Write, handle, 0, buffer, length, nullptr, 0, written, timeoutMs, limits);
}

BOOL OverlappedRead(HANDLE handle, void* buffer, DWORD length, DWORD* read, DWORD timeoutMs, const Limits& limits,
                    CKeptTransfer& kept) {
  return Run(Kind::Read, handle, 0, nullptr, 0, buffer, length, read, timeoutMs, limits, &kept);
}

CKeptTransfer::~CKeptTransfer() { KeptTransferAccess::Free(*this); }

LONG AbandonedTransfers() { return InterlockedCompareExchange(&g_abandoned, 0, 0); }

}  // namespace overlappedio
