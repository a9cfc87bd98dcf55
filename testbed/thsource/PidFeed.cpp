#include "PidFeed.h"

#include "CardScript.h"

namespace {
constexpr size_t kTsPacket = 188;
constexpr int kPacketsPerPace = 32;
constexpr DWORD kStopMs = 2000;
}  // namespace

void CPidFeed::Add(TwinhanTsCallback callback, int pid) {
  {
    CSingleLock lock(&m_lock, TRUE);
    m_callbacks.emplace(pid, callback);
  }
  m_worker.Start(&CPidFeed::Run, this);  // does nothing while it runs
}

bool CPidFeed::Remove(TwinhanTsCallback callback, int pid) {
  CSingleLock lock(&m_lock, TRUE);
  auto [from, to] = m_callbacks.equal_range(pid);
  for (auto it = from; it != to; ++it) {
    if (it->second != callback) continue;
    m_callbacks.erase(it);
    return true;
  }
  return false;
}

void CPidFeed::SetVideoPid(int pid) {
  {
    CSingleLock lock(&m_lock, TRUE);
    m_videoPid = pid;
  }
  if (pid) m_worker.Start(&CPidFeed::Run, this);
}

void CPidFeed::Stop() { m_worker.Stop(kStopMs); }

void CPidFeed::Deliver(const BYTE* packet) {
  const int pid = (packet[1] & 0x1F) << 8 | packet[2];
  bool video;
  {
    CSingleLock lock(&m_lock, TRUE);
    auto [from, to] = m_callbacks.equal_range(pid);
    BYTE copy[kTsPacket];  // the callback may write into it
    for (auto it = from; it != to; ++it) {
      CopyMemory(copy, packet, kTsPacket);
      it->second(copy);
    }
    video = pid != 0 && pid == m_videoPid;
  }
  // Outside the lock: a paused graph may hold the pin's delivery.
  if (!video || !(packet[3] & 0x10)) return;
  const size_t header = (packet[3] & 0x20) ? 5u + packet[4] : 4u;
  if (header < kTsPacket) m_video(packet + header, kTsPacket - header);
}

UINT CPidFeed::Run(LPVOID param) {
  auto* self = static_cast<CPidFeed*>(param);
  const CardSettings settings = CCardScript::Instance().Settings();
  if (settings.stream.empty()) return 0;
  int sincePace = 0;
  while (!self->m_worker.IsStopRequested()) {
    for (size_t at = 0; at < settings.stream.size(); at += kTsPacket) {
      self->Deliver(&settings.stream[at]);
      if (++sincePace < kPacketsPerPace) continue;
      sincePace = 0;
      if (self->m_worker.WaitForStop(settings.paceMs)) return 0;
    }
  }
  return 0;
}
