// The card's data thread: while the filter runs or a PID is added, it hands
// every packet of the received stream to the callbacks added for its PID,
// over and over, and the service's video payload to the programme pin.
// Removing a PID returns only once no call for it is under way.
#pragma once

#include <Framework.h>

#include <TwinhanInterfaces.h>

#include <functional>
#include <map>
#include <vector>

class CPidFeed {
 public:
  using VideoSink = std::function<void(const BYTE* payload, size_t length)>;

  explicit CPidFeed(VideoSink video) : m_video(std::move(video)) {}
  ~CPidFeed() { Stop(); }
  CPidFeed(const CPidFeed&) = delete;
  CPidFeed& operator=(const CPidFeed&) = delete;

  void Add(TwinhanTsCallback callback, int pid);
  // False when the callback was not added for pid.
  bool Remove(TwinhanTsCallback callback, int pid);
  void SetVideoPid(int pid);
  void Stop();

 private:
  static UINT Run(LPVOID self);
  void Deliver(const BYTE* packet);

  VideoSink m_video;
  CCriticalSection m_lock;  // guards m_callbacks and m_videoPid; held while a callback runs
  std::multimap<int, TwinhanTsCallback> m_callbacks;
  int m_videoPid = 0;
  CWorkerThread m_worker;
};
