#include "DVBRecPlay.h"

#include "DVBCommon.h"
#include "DVBIoI2c.h"
#include "DVBIsoStreamReader.h"
#include "OverlappedIo.h"
#include "PacketRing.h"

#include <cstring>

namespace {

const DWORD kRingSize = 256000;
const DWORD kPlaybackThreshold = 244000;
const BYTE kFramePrefix[4] = {0xAA, 0xAA, 0xAA, 0x00};

bool NoDevice() { return CDVBCommon::GetActDeviceHandle() == INVALID_HANDLE_VALUE; }

}  // namespace

WORD CDVBRecPlay::s_frameCounter = 0;

CDVBRecPlay::CDVBRecPlay()
    : m_recordSlot(34),
      m_playSlot(36),
      m_pRing(new CPacketRing(kRingSize)),
      m_dataEvent(FALSE, FALSE),
      m_writeEvent(FALSE, FALSE) {}

CDVBRecPlay::~CDVBRecPlay() {
  if (m_mode != RP_MODE_IDLE) Stop();
  // Also when the box refused the stop (or is gone): no packet may reach
  // this object, and the driver may not keep its write event, once it is
  // destroyed.
  if (m_mode != RP_MODE_IDLE) EndLocally(m_mode);
  EndRecordingSlot();
  delete m_pRing;
}

void CDVBRecPlay::EndRecordingSlot() {
  if (!m_slotRegistered) return;
  m_slotRegistered = FALSE;
  TheIsoStreamReader().UnregisterCallback(m_recordSlot);
  m_pRing->Flush();
}

DVB_ERROR CDVBRecPlay::Record(_REC_PLAY_FORMAT format) {
  if (NoDevice()) return DVB_ERR_NO_DEVICE;
  if (m_mode != RP_MODE_IDLE) return DVB_ERR_STATE;
  int registered = TheIsoStreamReader().RegisterCallback(ExtCallback, this, m_recordSlot);
  if (registered != 0) return DVB_ERROR(registered);
  m_slotRegistered = TRUE;
  if (!CDVBIoI2c::RPRecord(BYTE(format))) {
    // A recording that did not start leaves no slot behind.
    EndRecordingSlot();
    return DVB_ERR_NO_ANSWER;
  }
  m_format = format;
  m_mode = RP_MODE_RECORD;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBRecPlay::Playback(_REC_PLAY_FORMAT format) {
  if (NoDevice()) return DVB_ERR_NO_DEVICE;
  if (m_mode == RP_MODE_RECORD || m_mode == RP_MODE_PLAY) return DVB_ERR_STATE;
  if (m_mode == RP_MODE_IDLE) {
    if (!SetupWriteEvent(TRUE)) return DVB_ERR_NO_DEVICE;
    SetThreshold(kPlaybackThreshold);
  }
  if (!CDVBIoI2c::RPPlay(BYTE(format))) return DVB_ERR_NO_ANSWER;
  m_format = format;
  m_mode = RP_MODE_PLAY;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBRecPlay::PlaybackPause() {
  if (NoDevice()) return DVB_ERR_NO_DEVICE;
  if (m_mode == RP_MODE_IDLE || m_mode == RP_MODE_RECORD) return DVB_ERR_STATE;
  if (!CDVBIoI2c::RPPause()) return DVB_ERR_NO_ANSWER;
  m_mode = RP_MODE_PAUSE;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBRecPlay::PlaybackFast(int withPFrames) {
  if (NoDevice()) return DVB_ERR_NO_DEVICE;
  if (m_mode == RP_MODE_IDLE || m_mode == RP_MODE_RECORD || m_mode == RP_MODE_FAST) return DVB_ERR_STATE;
  if (!(withPFrames ? CDVBIoI2c::RPFast_IP() : CDVBIoI2c::RPFast_I())) return DVB_ERR_NO_ANSWER;
  m_mode = RP_MODE_FAST;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBRecPlay::PlaybackSlow(BYTE speed) {
  if (NoDevice()) return DVB_ERR_NO_DEVICE;
  if (m_mode == RP_MODE_IDLE || m_mode == RP_MODE_RECORD || m_mode == RP_MODE_SLOW) return DVB_ERR_STATE;
  if (!CDVBIoI2c::RPSlow(speed)) return DVB_ERR_NO_ANSWER;
  m_mode = RP_MODE_SLOW;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBRecPlay::Stop() {
  if (NoDevice()) {
    // The box is gone and cannot be told to stop, but a reader or writer
    // waiting for it would wait for ever: end the recording or playback here.
    if (m_mode != RP_MODE_IDLE) EndLocally(m_mode);
    return DVB_ERR_NO_DEVICE;
  }
  const LONG old = m_mode;
  if (old == RP_MODE_IDLE) return DVB_ERR_STATE;
  // The mode goes first, so a reader or writer woken below sees it.
  m_mode = RP_MODE_IDLE;
  if (!CDVBIoI2c::RPStop()) {
    m_mode = old;
    return DVB_ERR_NO_ANSWER;
  }
  EndLocally(old);
  return DVB_ERR_NONE;
}

void CDVBRecPlay::EndLocally(LONG old) {
  m_mode = RP_MODE_IDLE;
  if (old == RP_MODE_RECORD) {
    EndRecordingSlot();
    m_dataEvent.SetEvent();
  } else {
    SetupWriteEvent(FALSE);
    m_writeEvent.SetEvent();
    SetThreshold(0);
  }
  m_format = RP_FORMAT_NONE;
}

int CDVBRecPlay::ReadPacket(BYTE* buffer, DWORD size, BOOL wait) {
  for (;;) {
    if (m_mode != RP_MODE_RECORD) return -2;
    PacketDesc* packet = nullptr;
    while (m_pRing->Peek(&packet)) {
      if (packet->slot != m_recordSlot || packet->length == 0) {
        m_pRing->Pop();
        continue;
      }
      if (packet->length > size || !buffer) return -1;
      const int length = int(packet->length);
      memcpy(buffer, packet->data, packet->length);
      m_pRing->Pop();
      return length;
    }
    if (!wait) return 0;
    WaitForSingleObject(m_dataEvent, INFINITE);
  }
}

void CDVBRecPlay::WaitForPacket(DWORD timeoutMs) { WaitForSingleObject(m_dataEvent, timeoutMs); }
void CDVBRecPlay::WaitForWriteRoom(DWORD timeoutMs) { WaitForSingleObject(m_writeEvent, timeoutMs); }

int CDVBRecPlay::WritePacket(BYTE* data, DWORD length, BOOL wait) {
  if (m_mode == RP_MODE_IDLE || m_mode == RP_MODE_RECORD) return -2;
  if (length > kMaxPayload || length == 0 || !data) return -1;
  const DWORD padded = (length + 3) & ~3u;
  memcpy(m_frame, kFramePrefix, 4);
  memcpy(m_frame + 4, data, length);
  memset(m_frame + 4 + length, 0, padded - length);
  BYTE* trailer = m_frame + 4 + padded;
  trailer[0] = BYTE((s_frameCounter >> 8) & 0x7F);
  trailer[1] = BYTE(s_frameCounter);
  trailer[2] = trailer[3] = 0;
  const WORD sum = MuxCalcCheckSum(m_frame + 4, WORD((padded + 4) / 2));
  trailer[2] = BYTE(sum >> 8);
  trailer[3] = BYTE(sum);
  for (;;) {
    DWORD written = 0;
    if (overlappedio::OverlappedWrite(CDVBCommon::GetActDeviceHandle(), m_frame, padded + 8, &written, 0)) break;
    if (!wait) return 0;
    WaitForSingleObject(m_writeEvent, INFINITE);
    if (m_mode == RP_MODE_IDLE) return -2;
  }
  ++s_frameCounter;
  return int(padded);
}

void CDVBRecPlay::ExtCallback(void* context, int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag) {
  if (context) static_cast<CDVBRecPlay*>(context)->TSCallback(kind, slot, data, length, flag);
}

void CDVBRecPlay::TSCallback(int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag) {
  if (length > kMaxRecordPacket || !m_pRing->Push(data, length, DWORD(kind), slot, flag)) {
    m_dropped = m_dropped + 1;
    return;
  }
  m_dataEvent.SetEvent();
}

WORD CDVBRecPlay::MuxCalcCheckSum(void* data, WORD words) {
  const BYTE* p = static_cast<const BYTE*>(data);
  WORD sum = 0;
  for (WORD i = 0; i < words; ++i) sum ^= WORD(p[2 * i] | (p[2 * i + 1] << 8));
  return sum;
}

BOOL CDVBRecPlay::SetupWriteEvent(BOOL set) { return CDVBIoI2c::SetupWriteEvent(m_writeEvent, set) > 0; }
BOOL CDVBRecPlay::SetThreshold(DWORD value) { return CDVBIoI2c::SetThreshold(value) > 0; }
BOOL CDVBRecPlay::ClearBuffer() { return CDVBIoI2c::ClearBuffer() > 0; }
