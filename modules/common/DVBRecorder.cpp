#include "DVBRecorder.h"

#include <cstring>

#include <framework/Exception.h>
#include <framework/SingleLock.h>

#include "PesTemplates.h"

CDVBRecorder::CDVBRecorder(const ModuleHostLink& host, RecorderModule module)
    : m_host(host), m_variant(RecorderVariantOf(module)) {
  std::memcpy(m_PackHeader, kPackHeaderTemplate, sizeof(m_PackHeader));
  InitBuffers();
}

CDVBRecorder::~CDVBRecorder() {
  if (IsOpen()) Abort();
}

void CDVBRecorder::InitBuffers() {
  for (int type = 0; type < 3; ++type) m_Buffers[type].Init(type, this, kNominalSizes[type]);
}

BOOL CDVBRecorder::StartRecording(LPCTSTR path, WORD mode, LONG) {
  if (!m_variant.startsFiles) return FALSE;
  CSingleLock lock(&m_Lock, TRUE);
  if (IsOpen()) Abort();
  if (!Open(path, modeCreate | modeWrite | shareDenyWrite)) return FALSE;
  m_nMode = mode;
  std::memcpy(m_PackHeader, kPackHeaderTemplate, sizeof(m_PackHeader));
  try {
    if (mode >= 2 && mode <= 4) {
      Write(kPackHeaderTemplate, sizeof(kPackHeaderTemplate));
      Write(kSystemHeaderTemplate, sizeof(kSystemHeaderTemplate));
    }
  } catch (CException* e) {
    e->Delete();
    Abort();
    m_host.Log(".\\DVBRecorder", __LINE__, kLogError, "cannot write the program-stream header to %s", path);
    return FALSE;
  }
  m_llSCR = 0;
  InitBuffers();
  return TRUE;
}

BOOL CDVBRecorder::StopRecording() {
  CSingleLock lock(&m_Lock, TRUE);
  if (!IsOpen()) return FALSE;
  Abort();
  return TRUE;
}

ULONGLONG CDVBRecorder::GetRecordedSize() const {
  if (!IsOpen()) return 0;
  try {
    return GetLength();
  } catch (CException* e) {
    e->Delete();
    return 0;
  }
}

bool CDVBRecorder::WritesTransportStream() const {
  if (m_nMode != kDirectWriteMode || !IsOpen()) return false;
  if (!m_variant.directWriteFollowsHostState) return true;
  return m_host.m_pStatus && m_host.m_pStatus->m_iRecPlayState == 2;
}

void CDVBRecorder::OnStreamData(int type, const BYTE* data, DWORD length) {
  if (!data) return;
  CSingleLock lock(&m_Lock, TRUE);
  if (WritesTransportStream()) {
    try {
      Write(data, length & 0xFFFF);
    } catch (CException* e) {
      e->Delete();
      m_host.Log(".\\DVBRecorder", __LINE__, kLogError, "cannot write the transport stream; the file is closed");
      Abort();
    }
    return;
  }
  if (type >= 0 && type < 3) m_Buffers[type].AddData(data, length);
}

void CDVBRecorder::DeliverPES(BYTE* packet, DWORD length) {
  const MODULE_STATUS* status = m_host.m_pStatus;
  if (!packet || !status || !status->m_bPESCallback || !status->m_pfnPESCallback) return;
  if (length > kDeliverySize - kPackHeaderSize) {
    if (m_tooLong.Add())
      m_host.Log(".\\DVBRecorder", __LINE__, kLogError,
                 "dropped a PES packet of %u bytes: longer than the host's delivery buffer (%u times)",
                 static_cast<unsigned>(length), static_cast<unsigned>(m_tooLong.Count()));
    return;
  }
  BYTE* delivered = packet - kPackHeaderSize;
  std::memcpy(delivered, m_PackHeader, kPackHeaderSize);
  status->m_pfnPESCallback(delivered, static_cast<int>(length + kPackHeaderSize));
}

void CDVBRecorder::BuildPackHeader(BYTE* out) {
  m_llSCR += 146;
  const ULONGLONG scr = m_llSCR;
  out[0] = 0x00;
  out[1] = 0x00;
  out[2] = 0x01;
  out[3] = 0xBA;
  out[4] = static_cast<BYTE>(0x44 | ((scr >> 30) & 0x07) << 3 | ((scr >> 28) & 0x03));
  out[5] = static_cast<BYTE>(scr >> 20);
  out[6] = static_cast<BYTE>(((scr >> 15) & 0x1F) << 3 | 0x04 | ((scr >> 13) & 0x03));
  out[7] = static_cast<BYTE>(scr >> 5);
  out[8] = static_cast<BYTE>((scr & 0x1F) << 3 | 0x04);
}

namespace {

void EncodeTimeStamp(BYTE* out, BYTE prefix, DWORD ts) {
  out[0] = static_cast<BYTE>(prefix | ((ts >> 30) & 0x03) << 1 | 1);
  out[1] = static_cast<BYTE>(ts >> 22);
  out[2] = static_cast<BYTE>(((ts >> 15) & 0x7F) << 1 | 1);
  out[3] = static_cast<BYTE>(ts >> 7);
  out[4] = static_cast<BYTE>((ts & 0x7F) << 1 | 1);
}

}  // namespace

void CDVBRecorder::EncodePTS(BYTE* out, DWORD ts) { EncodeTimeStamp(out, 0x20, ts); }

void CDVBRecorder::EncodeDTS(BYTE* out, DWORD ts) {
  EncodeTimeStamp(out, 0x10, ts);
  out[-5] |= 0x10;
}

BOOL CDVBRecorder::HasSequenceHeader(const BYTE* data, DWORD length) {
  const int n = static_cast<int>(length & 0xFFFF) - 4;
  for (int i = 0; i < n; ++i)
    if (data[i] == 0 && data[i + 1] == 0 && data[i + 2] == 1 && data[i + 3] == 0xB3) return TRUE;
  return FALSE;
}
