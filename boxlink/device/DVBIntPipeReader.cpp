#include "DVBIntPipeReader.h"

#include "DVBCommon.h"
#include "DVBIoI2c.h"
#include "ReaderThread.h"

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
  if (!boxthread::Start(m_lock, m_state, m_pThread, WorkerThread, this, priority)) return 0;
  CDVBIoI2c::SetPipeTimeout(USB_PIPE_INT_CTRL_IN, kPipeTimeoutMs);
  return 1;
}

int CDVBIntPipeReader::StopThread(DWORD timeoutMs) {
  {
    CSingleLock hold(&m_lock, TRUE);
    if (m_state != 1) return 0;
    m_state = 2;
  }
  boxthread::AwaitStop(m_lock, m_state, m_pThread, timeoutMs);
  return 1;
}

int CDVBIntPipeReader::IsRunning() { return m_state == 1; }

UINT CDVBIntPipeReader::WorkerThread(LPVOID object) {
  auto* self = static_cast<CDVBIntPipeReader*>(object);
  while (self->m_state == 1 && self->Run()) {
  }
  return boxthread::Ended(self->m_lock, self->m_state, self->m_pThread);
}

int CDVBIntPipeReader::Run() {
  m_dwTotalBytes = 0;
  m_dwLastStatus = 0;
  while (m_state == 1) {
    BYTE message[kMessage] = {};
    if (!CDVBCommon::IsOpen() || CDVBIoI2c::ReadEPIntCtrlIn(message, kMessage) != kMessage) {
      Sleep(kRetryMs);
      continue;
    }
    BYTE slot = message[0];
    m_slots.Dispatch(slot, kMessage - 1, slot, message + 1, DWORD(kMessage - 1));
    if (slot == kStatusMessage)
      m_dwLastStatus = (DWORD(message[5]) << 16) | (DWORD(message[6]) << 8) | message[7];
    m_dwTotalBytes = m_dwTotalBytes + kMessage;
  }
  return 0;
}

CDVBIntPipeReader& TheIntPipeReader() {
  static CDVBIntPipeReader reader;
  return reader;
}
