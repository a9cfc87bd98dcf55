// The card's data thread: while a callback is set it hands every packet of
// the received stream whose PID is asked for (by the data control or as the
// audio or video PID) to the callback, over and over, and reports the
// picture once to the AV callback at its start.
#pragma once

#include <Framework.h>

#include <B2C2Interfaces.h>

#include <atomic>
#include <set>
#include <vector>

class CTsFeed {
 public:
  CTsFeed() = default;
  ~CTsFeed() { Stop(); }
  CTsFeed(const CTsFeed&) = delete;
  CTsFeed& operator=(const CTsFeed&) = delete;

  // Starts or stops the delivery; a null callback stops it (bounded: the
  // callback is not called once this returns).
  void SetCallback(B2C2TsCallback callback);
  void SetVideoCallback(B2C2VideoCallback callback) { m_videoCallback = callback; }
  void AddPid(long pid);
  void DeletePid(long pid);
  void SetAudioVideoPids(long audio, long video);
  // The AV control's video PID (true) or audio PID (false).
  long AudioVideoPid(bool video);
  // Packets and bytes handed to the callback since the last reset.
  void GetStats(long* packets, long* bytes) const;
  void ResetStats();
  void Stop();

 private:
  static UINT Run(LPVOID self);
  bool Wanted(USHORT pid);

  std::atomic<B2C2TsCallback> m_callback{nullptr};
  std::atomic<B2C2VideoCallback> m_videoCallback{nullptr};
  CCriticalSection m_lock;  // guards the PIDs
  std::multiset<long> m_pids;
  long m_audioPid = 0;
  long m_videoPid = 0;
  std::atomic<long> m_packets{0};
  CWorkerThread m_worker;
};
