#include "IrReceiver.h"

#include "DVBDeviceList.h"
#include "DevicePort.h"
#include "IrReceiverIoctl.h"
#include "OverlappedIo.h"
#include "framework/SingleLock.h"

#include <atomic>
#include <memory>

namespace irreceiver {
namespace {

// The receiver answers a read at once with what it holds; one that does not
// within this time is cancelled.
const DWORD kReadCompletionMs = 1000;

struct Context {
  HANDLE device = INVALID_HANDLE_VALUE;
  HANDLE event = nullptr;   // auto-reset; the driver sets it when data arrive
  HANDLE closed = nullptr;  // manual-reset; set by Close, ends a read in the driver
  std::atomic<bool> stop{false};
  DWORD mode = 0;

  ~Context() {
    if (device != INVALID_HANDLE_VALUE) DevicePort().CloseHandle(device);
    if (event) CloseHandle(event);
    if (closed) CloseHandle(closed);
  }
};

struct Entry {
  HANDLE handle = INVALID_HANDLE_VALUE;
  std::shared_ptr<Context> context;
};

// The open receivers of the process.
class CHandleTable {
 public:
  bool Add(HANDLE handle, const std::shared_ptr<Context>& context) {
    CSingleLock lock(&m_lock, TRUE);
    Entry* free = nullptr;
    for (Entry& e : m_entries) {
      if (e.handle == handle) {
        e.context = context;
        return true;
      }
      if (!free && e.handle == INVALID_HANDLE_VALUE) free = &e;
    }
    if (!free) return false;
    free->handle = handle;
    free->context = context;
    return true;
  }
  std::shared_ptr<Context> Find(HANDLE handle) {
    CSingleLock lock(&m_lock, TRUE);
    for (Entry& e : m_entries)
      if (e.handle == handle && handle != INVALID_HANDLE_VALUE) return e.context;
    return nullptr;
  }
  std::shared_ptr<Context> Remove(HANDLE handle) {
    CSingleLock lock(&m_lock, TRUE);
    for (Entry& e : m_entries) {
      if (e.handle != handle || handle == INVALID_HANDLE_VALUE) continue;
      std::shared_ptr<Context> context = std::move(e.context);
      e = Entry();
      return context;
    }
    return nullptr;
  }

 private:
  CCriticalSection m_lock;
  Entry m_entries[kMaxOpen];
};

CHandleTable& Table() {
  static CHandleTable table;
  return table;
}

BOOL Control(HANDLE device, DWORD code, DWORD value) {
  return overlappedio::OverlappedIoControl(device, code, &value, sizeof(value), nullptr, 0, nullptr, 0);
}

BOOL SetEventHandle(HANDLE device, HANDLE event) {
  // The driver takes the handle value as a 32-bit word.
  return Control(device, irreceiverioctl::kSetEvent, DWORD(reinterpret_cast<ULONG_PTR>(event)));
}

}  // namespace

int Count() {
  CDVBDeviceList list(GUID_BOXLINK_IR_RECEIVER);
  int n = list.Enumerate();
  return n < kMaxReceivers ? n : kMaxReceivers;
}

HANDLE Open(int index, DWORD mode) {
  CDVBDeviceList list(GUID_BOXLINK_IR_RECEIVER);
  int count = list.Enumerate();
  if (count > kMaxReceivers) count = kMaxReceivers;
  if (index < 0 || index >= count || mode > irreceiverioctl::kMaxMode) return INVALID_HANDLE_VALUE;
  // Overlapped, so that every read and control is bounded in time.
  HANDLE device = DevicePort().CreateFileA(list[index].path, GENERIC_READ | GENERIC_WRITE,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                           FILE_FLAG_OVERLAPPED, nullptr);
  if (device == INVALID_HANDLE_VALUE) return INVALID_HANDLE_VALUE;
  auto context = std::make_shared<Context>();
  context->device = device;
  context->mode = mode;
  context->event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  context->closed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  if (!context->event || !context->closed) return INVALID_HANDLE_VALUE;  // the context closes the device
  SetEventHandle(device, context->event);
  Control(device, irreceiverioctl::kSetMode, mode);
  // A full table leaves the receiver open but unknown to Read and Close,
  // which would leak it: it is closed again instead.
  if (!Table().Add(device, context)) {
    Control(device, irreceiverioctl::kSetMode, 0);
    SetEventHandle(device, nullptr);
    return INVALID_HANDLE_VALUE;
  }
  return device;
}

void Close(HANDLE handle) {
  std::shared_ptr<Context> context = Table().Remove(handle);
  if (!context) return;
  Control(context->device, irreceiverioctl::kSetMode, 0);
  SetEventHandle(context->device, nullptr);
  context->stop = true;
  SetEvent(context->closed);
  SetEvent(context->event);
  // A read that waits holds the context: the device handle and the event
  // are closed when it lets go (here, when none does).
}

int Read(HANDLE handle, BYTE* buffer, DWORD size, DWORD timeoutMs) {
  std::shared_ptr<Context> context = Table().Find(handle);
  if (!context || !buffer) return -1;
  overlappedio::Limits limits;
  limits.completionMs = kReadCompletionMs;
  // A read the driver holds is cancelled by a close, at once.
  limits.abortEvent = context->closed;
  for (;;) {
    if (context->stop) return -1;
    DWORD n = 0;
    if (overlappedio::OverlappedRead(context->device, buffer, size, &n, 0, limits) && n >= 1) return int(n);
    if (timeoutMs == 0) return 0;
    if (WaitForSingleObject(context->event, timeoutMs) != WAIT_OBJECT_0) return -1;
  }
}

}  // namespace irreceiver
