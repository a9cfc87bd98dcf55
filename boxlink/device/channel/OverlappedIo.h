// Overlapped driver calls with their own event, each bounded in time.
//
// A call with a time-out waits that long; a call without one (0) waits for
// completion, but never longer than kCompletionLimitMs, since a box that
// never answers must not hang its caller. A call that has not finished by
// then is cancelled, and the helper waits (at most kCancelWaitMs) for the
// cancelled call to finish: when it completed after all (before the cancel
// reached it), its result and bytes are taken; otherwise the helper returns
// FALSE. The OVERLAPPED and the
// buffers the driver works on live in a heap block of the helper's own;
// when even the cancel does not finish in time, that block is abandoned to
// the driver rather than freed, so a late completion never writes into
// memory that has been reused. The caller's buffers are only written from
// the block after completion, and never beyond their size.
#pragma once

#include <windows.h>

namespace overlappedio {

const DWORD kCompletionLimitMs = 10000;
const DWORD kCancelWaitMs = 1000;

struct Limits {
  DWORD completionMs = kCompletionLimitMs;
  DWORD cancelWaitMs = kCancelWaitMs;
  // When set, the call is also cancelled as soon as this event is set.
  HANDLE abortEvent = nullptr;
};

BOOL OverlappedIoControl(HANDLE handle, DWORD code, const void* input, DWORD inputLength, void* output,
                         DWORD outputLength, DWORD* returned, DWORD timeoutMs, const Limits& limits = Limits());
BOOL OverlappedRead(HANDLE handle, void* buffer, DWORD length, DWORD* read, DWORD timeoutMs,
                    const Limits& limits = Limits());
BOOL OverlappedWrite(HANDLE handle, const void* buffer, DWORD length, DWORD* written, DWORD timeoutMs,
                     const Limits& limits = Limits());

// The transfer block of a caller that reads again and again on one thread
// (the stream reader), kept from one read to the next so that a read makes
// no event and no heap block of its own. A block abandoned to the driver is
// replaced by a new one at the next read.
class CKeptTransfer {
 public:
  CKeptTransfer() = default;
  ~CKeptTransfer();
  CKeptTransfer(const CKeptTransfer&) = delete;
  CKeptTransfer& operator=(const CKeptTransfer&) = delete;

 private:
  friend struct KeptTransferAccess;
  void* m_block = nullptr;
  bool m_eventMaySignal = false;  // the last call left its event set
};

BOOL OverlappedRead(HANDLE handle, void* buffer, DWORD length, DWORD* read, DWORD timeoutMs, const Limits& limits,
                    CKeptTransfer& kept);

// Number of transfer blocks abandoned to the driver since the library loaded.
LONG AbandonedTransfers();

}  // namespace overlappedio
