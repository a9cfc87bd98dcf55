#include "DVBIntPipeReader.h"

#include "DVBCommon.h"
#include "DVBIoI2c.h"

namespace {

const DWORD kMessage = 8;
const DWORD kRetryMs = 20;
// The interrupt pipe's time-out while the reader runs: a read without a
// message ends this soon, so a stop never waits long.
const DWORD kPipeTimeoutMs = 100;
const BYTE kStatusMessage = 4;

}  // namespace

CDVBIntPipeReader::~CDVBIntPipeReader() { StopThread(200); }

int CDVBIntPipeReader::RegisterCallback(INT_CALLBACK callback, void* context, BYTE slot) {
  return m_slots.Register(callback, context, slot);
}

int CDVBIntPipeReader::UnregisterCallback(BYTE slot) { return m_slots.Unregister(slot); }

int CDVBIntPipeReader::StartThread(int priority) {
  if (!m_worker.Start(WorkerThread, this, priority)) return 0;
  CDVBIoI2c::SetPipeTimeout(USB_PIPE_INT_CTRL_IN, kPipeTimeoutMs);
  return 1;
}

int CDVBIntPipeReader::StopThread(DWORD timeoutMs) {
  return StopWorker(m_worker, timeoutMs, nullptr);  // the thread wakes by itself
}

UINT CDVBIntPipeReader::WorkerThread(LPVOID object) {
  auto* self = static_cast<CDVBIntPipeReader*>(object);
  return RunUntilStopped(self->m_worker, [self] { return self->Run(); });
}

int CDVBIntPipeReader::Run() {
  m_dwTotalBytes = 0;
  m_dwLastStatus = 0;
  while (!m_worker.IsStopRequested()) {
    BYTE message[kMessage] = {};
    if (!CDVBCommon::IsOpen() || CDVBIoI2c::ReadEPIntCtrlIn(message, kMessage) != kMessage) {
      Sleep(kRetryMs);
      continue;
    }
    BYTE slot = message[0];
    m_slots.Dispatch(slot, kMessage - 1, slot, message + 1, DWORD(kMessage - 1));
    if (slot == kStatusMessage) m_dwLastStatus = (DWORD(message[5]) << 16) | (DWORD(message[6]) << 8) | message[7];
    m_dwTotalBytes = m_dwTotalBytes + kMessage;
  }
  return 0;
}

CDVBIntPipeReader& TheIntPipeReader() {
  static CDVBIntPipeReader reader;
  return reader;
}
