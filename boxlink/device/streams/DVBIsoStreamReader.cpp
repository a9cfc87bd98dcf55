#include "DVBIsoStreamReader.h"

#include "DVBCommon.h"
#include "DVBIoI2c.h"
#include "DevicePort.h"
#include "OverlappedIo.h"

namespace {

// The driver completes a stream read at once with what it has buffered; a
// read that takes longer than this is cancelled, so a stop never waits on
// a box that has gone quiet.
const DWORD kReadLimitMs = 100;
const DWORD kDataWaitMs = 100;

}  // namespace

CDVBIsoStreamReader::CDVBIsoStreamReader() : m_dataEvent(FALSE, FALSE), m_pParser(new CDVBStreamParser(this)) {}

CDVBIsoStreamReader::~CDVBIsoStreamReader() {
  StopThread(200);
  delete m_pParser;
}

int CDVBIsoStreamReader::RegisterCallback(STREAM_CALLBACK callback, void* context, BYTE slot) {
  return m_slots.Register(callback, context, slot);
}

int CDVBIsoStreamReader::UnregisterCallback(BYTE slot) { return m_slots.Unregister(slot); }

DWORD CDVBIsoStreamReader::GetByteCount(BYTE slot) { return m_slots.GetByteCount(slot); }

void CDVBIsoStreamReader::Dispatch(int kind, BYTE* data, DWORD length, BYTE slot) {
  m_slots.Dispatch(slot, length, kind, slot, data, length, BYTE(0));
}

int CDVBIsoStreamReader::RequestResend(WORD sequence) {
  BYTE request[3] = {1, BYTE(sequence >> 8), BYTE(sequence)};
  return CDVBIoI2c::WriteEPIntCtrlOut(request, 3) == 3 ? 0 : -1;
}

int CDVBIsoStreamReader::StartThread(int priority) { return m_worker.Start(WorkerThread, this, priority) ? 1 : 0; }

int CDVBIsoStreamReader::StopThread(DWORD timeoutMs) {
  const int stopped = StopWorker(m_worker, timeoutMs, &m_dataEvent);
  if (stopped) m_dataEvent.ResetEvent();
  return stopped;
}

UINT CDVBIsoStreamReader::WorkerThread(LPVOID object) {
  auto* self = static_cast<CDVBIsoStreamReader*>(object);
  return RunUntilStopped(self->m_worker, [self] { return self->Run(); });
}

int CDVBIsoStreamReader::Run() {
  m_dwTotalBytes = 0;
  BOOL eventHandedOver = CDVBIoI2c::SetupReadEvent(m_dataEvent, TRUE);
  overlappedio::Limits limits;
  limits.cancelWaitMs = kReadLimitMs;
  // One transfer block for every read of this run. Should this thread be
  // terminated inside a read, the block stays with the driver.
  overlappedio::CKeptTransfer transfer;
  for (;;) {
    if (m_worker.IsStopRequested()) {
      CDVBIoI2c::SetupReadEvent(m_dataEvent, FALSE);
      return 0;
    }
    HANDLE device = CDVBCommon::GetActDeviceHandle();
    if (device == INVALID_HANDLE_VALUE) {
      WaitForSingleObject(m_dataEvent, kDataWaitMs);
      continue;
    }
    DWORD read = 0;
    BOOL ok = overlappedio::OverlappedRead(device, m_buffer, kReadSize, &read, kReadLimitMs, limits, transfer);
    if (m_worker.IsStopRequested()) {
      DevicePort().CancelIo(device);
      CDVBIoI2c::SetupReadEvent(m_dataEvent, FALSE);
      return 0;
    }
    if (!ok) read = 0;
    if (read) {
      m_pParser->Feed(m_buffer, read);
      m_dwTotalBytes = m_dwTotalBytes + read;
      Sleep(0);
      continue;
    }
    if (eventHandedOver)
      WaitForSingleObject(m_dataEvent, kDataWaitMs);
    else
      Sleep(1);
  }
}

CDVBIsoStreamReader& TheIsoStreamReader() {
  static CDVBIsoStreamReader reader;
  return reader;
}
