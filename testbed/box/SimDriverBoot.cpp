// The simulated driver's booting and stream buffering: the box leaving the
// bus after an accepted start command and coming back, and the isochronous
// input that flows only while its stream is on; what the player took.
#include "SimDriver.h"

#include "DriverIoctl.h"
#include "SimDriverStatus.h"
#include "framework/SingleLock.h"

#include <algorithm>
#include <cstring>

void CSimDriver::BeginReboot(BYTE letter) {
  m_bootPhase = 1;
  m_bootStart = BootClock();
  m_bootMode = letter == 'u' ? 0 : 1;
  UpdateBoot();
}

void CSimDriver::UpdateBoot() {
  double now = BootClock();
  if (m_bootPhase == 1 && m_bootLeaveMs >= 0 && now >= m_bootStart + m_bootLeaveMs) {
    // Off the bus: the box's handles die, enumeration no longer finds it.
    m_bootPhase = 2;
    if (m_present > 0) --m_present;
    CompleteAll(simstatus::kNotConnected);
    m_deadHandles.insert(m_handles.begin(), m_handles.end());
    m_handles.clear();
  }
  if (m_bootPhase == 2 && m_bootReturnMs >= 0 && now >= m_bootStart + m_bootLeaveMs + m_bootReturnMs) {
    // Back as a new device, running what it was started with; the driver
    // state of the old device is gone.
    m_bootPhase = 0;
    ++m_present;
    m_box->State().mode[0] = m_bootMode;
    m_alternateSetting = 0;
    m_isoIn = m_isoOut = FALSE;
    memset(m_pipeTimeout, 0, sizeof(m_pipeTimeout));
    m_readEvent = m_writeEvent = nullptr;
    for (auto& q : m_pipeData) q.clear();
  }
}

bool CSimDriver::Streaming() const { return m_alternateSetting >= 7 && m_isoIn; }

void CSimDriver::QueueStream(const BYTE* data, DWORD length) {
  std::deque<BYTE>& q = m_pipeData[driverioctl::kPipeIsoIn];
  DWORD room = length;
  if (m_streamLimit) {
    DWORD held = DWORD(q.size());
    room = held >= m_streamLimit ? 0 : std::min(length, m_streamLimit - held);
  }
  m_streamDropped += length - room;
  q.insert(q.end(), data, data + room);
  if (Streaming() && !q.empty()) SignalReadEvent();
}

void CSimDriver::SetBootTiming(int leaveMs, int returnMs) {
  CSingleLock lock(&m_lock, TRUE);
  m_bootLeaveMs = leaveMs;
  m_bootReturnMs = returnMs;
}

void CSimDriver::AdvanceClock(DWORD milliseconds) {
  CSingleLock lock(&m_lock, TRUE);
  m_clockOffset += milliseconds;
  UpdateBoot();
}

void CSimDriver::FreezeClock(BOOL frozen) {
  CSingleLock lock(&m_lock, TRUE);
  m_clockFrozen = frozen != FALSE;
  UpdateBoot();
}

void CSimDriver::GetBootInfo(SimBootInfo* info) {
  CSingleLock lock(&m_lock, TRUE);
  *info = m_box->Boot().Info();
}

int CSimDriver::ReadFlash(BYTE* buffer, int size) {
  CSingleLock lock(&m_lock, TRUE);
  const std::vector<BYTE>& flash = m_box->Boot().Flash();
  int n = std::min(size, int(flash.size()));
  if (buffer && n > 0) memcpy(buffer, flash.data(), size_t(n));
  return int(flash.size());
}

void CSimDriver::SetStreamBufferLimit(DWORD bytes) {
  CSingleLock lock(&m_lock, TRUE);
  m_streamLimit = bytes;
}

DWORD CSimDriver::StreamBytesDropped() {
  CSingleLock lock(&m_lock, TRUE);
  return m_streamDropped;
}

DWORD CSimDriver::StreamBytesBuffered() {
  CSingleLock lock(&m_lock, TRUE);
  return DWORD(m_pipeData[driverioctl::kPipeIsoIn].size());
}

DWORD CSimDriver::GetPlayed(BYTE* buffer, DWORD size) {
  CSingleLock lock(&m_lock, TRUE);
  const std::vector<BYTE>& played = m_player.Played();
  if (buffer) memcpy(buffer, played.data(), std::min<size_t>(size, played.size()));
  return DWORD(played.size());
}

DWORD CSimDriver::PlayerRejectedFrames() {
  CSingleLock lock(&m_lock, TRUE);
  return m_player.RejectedFrames();
}

void CSimDriver::SetRecorder(const SimRecorderSetup& setup) {
  CSingleLock lock(&m_lock, TRUE);
  m_recorder = setup;
}

BOOL CSimDriver::SendTeletext(const BYTE* block, DWORD length) {
  CSingleLock lock(&m_lock, TRUE);
  if (!m_box->State().vtOn) return FALSE;
  std::vector<BYTE> stream;
  m_recorderStream.Group({CSimStreamComposer::Teletext(block, length)}, stream);
  QueueStream(stream.data(), DWORD(stream.size()));
  return TRUE;
}

void CSimDriver::StartRecorder(BYTE format) {
  m_recorderPending = CSimRecorder::Packets(format, m_recorder);
  m_recorderNext = 0;
  m_recorderSentBytes = 0;
  m_recorderStartMs = Now();
  if (m_recorder.bytesPerSecond) {
    SetEvent(m_wake);
    return;
  }
  SendPacedRecording(-1);  // all at once
}

double CSimDriver::SendPacedRecording(double now) {
  if (m_recorderNext >= m_recorderPending.size()) return -1;
  const double due = now < 0 ? 1e300 : (now - m_recorderStartMs) * m_recorder.bytesPerSecond / 1000.0;
  std::vector<BYTE> stream;
  // Groups of up to eight packets, as the box sends them.
  while (m_recorderNext < m_recorderPending.size() && m_recorderSentBytes < due) {
    const size_t end = std::min(m_recorderPending.size(), m_recorderNext + 8);
    std::vector<SimStreamPacket> group(m_recorderPending.begin() + long(m_recorderNext),
                                       m_recorderPending.begin() + long(end));
    const size_t before = stream.size();
    m_recorderStream.Group(group, stream);
    m_recorderSentBytes += double(stream.size() - before);
    m_recorderNext = end;
  }
  if (!stream.empty()) QueueStream(stream.data(), DWORD(stream.size()));
  if (m_recorderNext < m_recorderPending.size()) return 10.0;
  m_recorderPending.clear();
  m_recorderNext = 0;
  return -1;
}

void CSimDriver::SetPlayerRate(DWORD bytesPerSecond) {
  CSingleLock lock(&m_lock, TRUE);
  m_player.Update(Now());
  m_player.SetRate(bytesPerSecond);
  SetEvent(m_wake);
}

void CSimDriver::SetPlayerStalled(BOOL stalled) {
  CSingleLock lock(&m_lock, TRUE);
  m_player.Update(Now());
  m_player.SetStalled(stalled != FALSE);
  SetEvent(m_wake);
}

void CSimDriver::GetPlayerStatus(SimPlayerStatus* status) {
  CSingleLock lock(&m_lock, TRUE);
  m_player.Update(Now());
  *status = m_player.Status();
}
