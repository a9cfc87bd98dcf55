#include "TsRouter.h"

#include <cstdio>

#include <framework/SingleLock.h>

#include "Ac3HeaderScan.h"

namespace {
constexpr int kLogInfo = 10;
constexpr BYTE kSyncByte = 0x47;
}  // namespace

CTsRouter::CTsRouter(Recorder recorder, Log log)
    : m_recorder(std::move(recorder)), m_log(std::move(log)), m_filters(m_log) {}

void CTsRouter::SetPids(WORD video, WORD audio, WORD ac3) {
  m_video = video;
  m_audio = audio;
  m_ac3 = ac3;
}

void CTsRouter::Route(unsigned pid, const BYTE* packet) {
  const WORD p = static_cast<WORD>(pid);
  int stream = -1;
  if (p && p == m_video)
    stream = kVideo;
  else if (p && p == m_audio)
    stream = kAudio;
  else if (p && p == m_ac3)
    stream = kAc3;
  if (stream < 0) {
    Dispatch(packet);
    return;
  }
  if (stream == kAc3) {
    DWORD mode = m_ac3Mode;
    ScanForAC3Header(packet, kPacketSize, &mode);
    m_ac3Mode = mode;
  }
  m_recorder(stream, packet, kPacketSize);
  m_bytes += kPacketSize;
}

void CTsRouter::Dispatch(const BYTE* packet) {
  CSingleLock lock(&m_filterLock, TRUE);
  if (packet[0] != kSyncByte) {
    char text[80];
    std::snprintf(text, sizeof(text), "Critical filter error: Buff[%d]: 0x%x / should be 0x47", 0, packet[0]);
    m_log(kLogInfo, text);
    return;
  }
  m_filters.Dispatch(packet);
}

void CTsRouter::ClearFilters() {
  CSingleLock lock(&m_filterLock, TRUE);
  m_filters = CHostFilterList(m_log);
}
