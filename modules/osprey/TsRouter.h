// Where a transport packet from the TS grabber goes: packets of the current
// video, audio and AC-3 PIDs to the recorder as its streams 0, 1 and 2 (the
// AC-3 ones scanned for the AC-3 mode first), every other packet to the
// host's filters. Portable: packets in, recorder and filter callbacks out.
//
// Threads: Route runs on the grabber's streaming thread, the PID and filter
// changes on the host's thread. The PIDs are read without a lock; the
// filter list is guarded by the filter lock.
#pragma once

#include <WinTypes.h>

#include <atomic>
#include <functional>

#include <framework/SyncObject.h>

#include "HostFilterList.h"

class CTsRouter {
 public:
  enum Stream : int { kVideo = 0, kAudio = 1, kAc3 = 2 };
  static const size_t kPacketSize = CHostFilterList::kPacketSize;
  typedef std::function<void(int stream, const BYTE* packet, DWORD length)> Recorder;
  typedef CHostFilterList::Log Log;

  CTsRouter(Recorder recorder, Log log);
  CTsRouter(const CTsRouter&) = delete;
  CTsRouter& operator=(const CTsRouter&) = delete;

  void SetPids(WORD video, WORD audio, WORD ac3);
  WORD VideoPid() const { return m_video; }
  WORD AudioPid() const { return m_audio; }
  WORD Ac3Pid() const { return m_ac3; }

  // One 188-byte packet of pid.
  void Route(unsigned pid, const BYTE* packet);

  // The bytes routed to the recorder since the last call.
  DWORD TakeByteCount() { return m_bytes.exchange(0); }
  // The AC-3 mode of the last sync frame seen on the AC-3 PID (0 before any).
  DWORD Ac3Mode() const { return m_ac3Mode; }

  // The host's filters; lock with FilterLock() around every use.
  CHostFilterList& Filters() { return m_filters; }
  CCriticalSection& FilterLock() { return m_filterLock; }
  // Drops every filter (the graph was released).
  void ClearFilters();

 private:
  // Packets of no recorder stream, under the filter lock.
  void Dispatch(const BYTE* packet);

  Recorder m_recorder;
  Log m_log;
  std::atomic<WORD> m_video{0}, m_audio{0}, m_ac3{0};
  std::atomic<DWORD> m_bytes{0};
  std::atomic<DWORD> m_ac3Mode{0};
  CCriticalSection m_filterLock;  // guards m_filters
  CHostFilterList m_filters;
};
