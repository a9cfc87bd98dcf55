// The test control of the simulated box and its driver (IBoxSimulator):
// reset, presence and names, latency and faults, the box's state, its
// EEPROM and frames, data on the pipes, the call log, waiting for idle.
#include "SimDriver.h"

#include "DriverIoctl.h"
#include "SimDriverStatus.h"
#include "framework/SingleLock.h"
#include "SimNetAdapterDriver.h"

#include <cstring>

using namespace simstatus;

void CSimDriver::Reset() {
  NetAdapterDriver().Reset();
  CSingleLock lock(&m_lock, TRUE);
  CompleteAll(kCancelled);
  m_box.reset(new CSimBox);
  m_present = 1;
  m_names.clear();
  for (HANDLE h : m_deadHandles) m_handles.insert(h);  // plugged in again
  m_deadHandles.clear();
  m_vendor = 0x1A2C;
  m_product = 0x0B01;
  m_commandLatency = m_bulkLatency = 0;
  m_faults.clear();
  m_log.clear();
  m_alternateSetting = 0;
  m_isoIn = m_isoOut = FALSE;
  memset(m_pipeTimeout, 0, sizeof(m_pipeTimeout));
  m_readEvent = m_writeEvent = nullptr;
  m_threshold = 0;
  memset(m_counters, 0, sizeof(m_counters));
  for (auto& q : m_pipeData) q.clear();
  m_bootLeaveMs = 200;
  m_bootReturnMs = 300;
  m_bootPhase = 0;
  m_streamLimit = m_streamDropped = 0;
  m_recorderPending.clear();
  m_recorderNext = 0;
  m_player.Reset();
  m_player.SetRate(kDefaultPlayerRate);
}

void CSimDriver::SetPresent(int boxes) {
  CSingleLock lock(&m_lock, TRUE);
  m_present = boxes;
}

void CSimDriver::SetNames(int index, const char* friendlyName, const char* description) {
  CSingleLock lock(&m_lock, TRUE);
  m_names[index] = {friendlyName ? friendlyName : "", description ? description : ""};
}

void CSimDriver::Unplug() {
  NetAdapterDriver().Unplug();
  CSingleLock lock(&m_lock, TRUE);
  m_present = 0;
  m_recorderPending.clear();  // a box that is gone sends nothing more
  CompleteAll(kNotConnected);
  m_deadHandles.insert(m_handles.begin(), m_handles.end());
  m_handles.clear();
}

void CSimDriver::SetUsbIds(WORD vendor, WORD product) {
  CSingleLock lock(&m_lock, TRUE);
  m_vendor = vendor;
  m_product = product;
}

void CSimDriver::SetLatency(DWORD commandMs, DWORD bulkWriteMs) {
  CSingleLock lock(&m_lock, TRUE);
  m_commandLatency = commandMs;
  m_bulkLatency = bulkWriteMs;
}

void CSimDriver::AddFault(const SimFault& fault) {
  CSingleLock lock(&m_lock, TRUE);
  m_faults.push_back(fault);
}

void CSimDriver::ClearFaults() {
  CSingleLock lock(&m_lock, TRUE);
  m_faults.clear();
}

void CSimDriver::NakI2cTransfer(int address, int nth) {
  CSingleLock lock(&m_lock, TRUE);
  m_box->Bus().NakTransfer(address, nth);
}

void CSimDriver::SetEepromBusyTime(int milliseconds) {
  CSingleLock lock(&m_lock, TRUE);
  m_box->Eeprom().SetBusyTime(milliseconds);
}

void CSimDriver::GetState(SimBoxState* state) {
  CSingleLock lock(&m_lock, TRUE);
  *state = m_box->State();
}

void CSimDriver::SetState(const SimBoxState& state) {
  CSingleLock lock(&m_lock, TRUE);
  m_box->State() = state;
}

void CSimDriver::ReadEeprom(BYTE* contents) {
  CSingleLock lock(&m_lock, TRUE);
  memcpy(contents, m_box->Eeprom().Contents(), CSimEeprom::kSize);
}

void CSimDriver::WriteEeprom(int offset, const BYTE* data, int count) {
  CSingleLock lock(&m_lock, TRUE);
  for (int i = 0; i < count; ++i) m_box->Eeprom().Contents()[(offset + i) % CSimEeprom::kSize] = data[i];
}

int CSimDriver::FrameCount() {
  CSingleLock lock(&m_lock, TRUE);
  return int(m_box->Frames().size());
}

BOOL CSimDriver::GetFrame(int index, bulkframe::Frame* frame) {
  CSingleLock lock(&m_lock, TRUE);
  if (index < 0 || size_t(index) >= m_box->Frames().size()) return FALSE;
  *frame = m_box->Frames()[size_t(index)];
  return TRUE;
}

void CSimDriver::QueuePipeData(DWORD pipe, const BYTE* data, DWORD length) {
  CSingleLock lock(&m_lock, TRUE);
  if (pipe >= driverioctl::kPipeCount) return;
  if (pipe == driverioctl::kPipeIsoIn) {
    QueueStream(data, length);
    return;
  }
  m_pipeData[pipe].insert(m_pipeData[pipe].end(), data, data + length);
  for (Pending& p : m_pending) {
    if (p.waitPipe == int(pipe) && !m_pipeData[pipe].empty()) TakePipeData(p, int(pipe));
  }
  if (pipe == driverioctl::kPipeIsoIn) SignalReadEvent();
  SetEvent(m_wake);
}

int CSimDriver::LogCount() {
  CSingleLock lock(&m_lock, TRUE);
  return int(m_log.size());
}

BOOL CSimDriver::GetLogEntry(int index, SimLogEntry* entry) {
  CSingleLock lock(&m_lock, TRUE);
  if (index < 0 || size_t(index) >= m_log.size()) return FALSE;
  *entry = m_log[size_t(index)];
  return TRUE;
}

void CSimDriver::ClearLog() {
  CSingleLock lock(&m_lock, TRUE);
  // Pending calls keep their entries' indexes: only completed ones go.
  if (m_pending.empty()) m_log.clear();
}

int CSimDriver::PendingCount() {
  CSingleLock lock(&m_lock, TRUE);
  return int(m_pending.size());
}

BOOL CSimDriver::WaitIdle(DWORD milliseconds) { return WaitForSingleObject(m_idle, milliseconds) == WAIT_OBJECT_0; }
