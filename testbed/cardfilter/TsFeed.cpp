#include "TsFeed.h"

#include "SimScript.h"

namespace {
constexpr size_t kTsPacket = 188;
constexpr int kPacketsPerPace = 32;
constexpr DWORD kStopMs = 2000;
}  // namespace

void CTsFeed::SetCallback(B2C2TsCallback callback) {
  Stop();
  m_callback = callback;
  if (callback) m_worker.Start(&CTsFeed::Run, this);
}

void CTsFeed::Stop() { m_worker.Stop(kStopMs); }

void CTsFeed::AddPid(long pid) {
  CSingleLock lock(&m_lock, TRUE);
  m_pids.insert(pid);
}

void CTsFeed::DeletePid(long pid) {
  CSingleLock lock(&m_lock, TRUE);
  auto it = m_pids.find(pid);
  if (it != m_pids.end()) m_pids.erase(it);
}

void CTsFeed::SetAudioVideoPids(long audio, long video) {
  CSingleLock lock(&m_lock, TRUE);
  m_audioPid = audio;
  m_videoPid = video;
}

long CTsFeed::AudioVideoPid(bool video) {
  CSingleLock lock(&m_lock, TRUE);
  return video ? m_videoPid : m_audioPid;
}

void CTsFeed::GetStats(long* packets, long* bytes) const {
  const long n = m_packets;
  if (packets) *packets = n;
  if (bytes) *bytes = n * static_cast<long>(kTsPacket);
}

void CTsFeed::ResetStats() { m_packets = 0; }

bool CTsFeed::Wanted(USHORT pid) {
  CSingleLock lock(&m_lock, TRUE);
  return m_pids.count(pid) > 0 || (pid != 0 && (pid == m_audioPid || pid == m_videoPid));
}

UINT CTsFeed::Run(LPVOID param) {
  auto* self = static_cast<CTsFeed*>(param);
  const SimCardSettings settings = CSimCardScript::Instance().Settings();
  if (B2C2VideoCallback video = self->m_videoCallback) video(settings.width, settings.height, settings.aspect);
  if (settings.stream.empty()) return 0;
  std::vector<BYTE> packet(kTsPacket);
  int sincePace = 0;
  while (!self->m_worker.IsStopRequested()) {
    for (size_t at = 0; at < settings.stream.size() && !self->m_worker.IsStopRequested(); at += kTsPacket) {
      const BYTE* p = &settings.stream[at];
      const USHORT pid = static_cast<USHORT>(((p[1] & 0x1F) << 8) | p[2]);
      if (self->Wanted(pid)) {
        packet.assign(p, p + kTsPacket);  // the callback may write into it
        if (B2C2TsCallback callback = self->m_callback) callback(pid, packet.data());
        ++self->m_packets;
      }
      if (++sincePace == kPacketsPerPace) {
        sincePace = 0;
        if (self->m_worker.WaitForStop(settings.paceMs)) return 0;
      }
    }
  }
  return 0;
}
