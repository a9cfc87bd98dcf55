// heron in a filter graph with a test sink on each connected pin, for the
// tests that push PES packets and read what the sinks received.
#pragma once

#include "../include/ISourceFeed.h"
#include "DShowTestSupport.h"

#include <TestSinkHold.h>
#include <TestSinkLog.h>

#include <cstdint>
#include <vector>

struct ReceivedSample {
  TestSinkSample info;
  std::vector<uint8_t> payload;
};

class CHeronRig {
 public:
  using Bytes = std::vector<uint8_t>;

  // The streaming threads take without waiting while a queue holds this
  // many packets, so packets pushed before fillers arrive at once.
  static constexpr int kVideoFillers = 110;
  static constexpr int kAudioFillers = 30;

  CHeronRig();

  // Connects a pin to its sink; the result of the graph's direct connection.
  HRESULT ConnectVideo();
  HRESULT ConnectAudio();

  void PushVideo(const Bytes& p) { m_feed->DeliverVideo(const_cast<uint8_t*>(p.data()), static_cast<LONG>(p.size())); }
  void PushAudio(const Bytes& p) { m_feed->DeliverAudio(const_cast<uint8_t*>(p.data()), static_cast<LONG>(p.size())); }
  // Packets without PTS that keep the queues above their wait thresholds.
  void PushVideoFillers();
  void PushAudioFillers();

  // The first count samples the sink received (waiting up to 10 s for them);
  // fewer when they do not arrive.
  static std::vector<ReceivedSample> Samples(ITestSinkLog* log, int count);
  std::vector<ReceivedSample> VideoSamples(int count) { return Samples(m_videoLog.Get(), count); }
  std::vector<ReceivedSample> AudioSamples(int count) { return Samples(m_audioLog.Get(), count); }

  CTestGraph& Graph() { return m_graph; }
  ISourceFeed* Feed() { return m_feed.Get(); }
  IBaseFilter* Heron() { return m_heron.Get(); }
  ITestSinkLog* VideoLog() { return m_videoLog.Get(); }
  ITestSinkLog* AudioLog() { return m_audioLog.Get(); }
  ITestSinkHold* VideoHold() { return m_videoHold.Get(); }
  ITestSinkHold* AudioHold() { return m_audioHold.Get(); }
  IBaseFilter* VideoSink() { return m_videoSink.Get(); }

  static bool IsFiller(const ReceivedSample& s);

 private:
  CTestGraph m_graph;
  ComPtr<IBaseFilter> m_heron;
  ComPtr<ISourceFeed> m_feed;
  ComPtr<IBaseFilter> m_videoSink;
  ComPtr<IBaseFilter> m_audioSink;
  ComPtr<ITestSinkLog> m_videoLog;
  ComPtr<ITestSinkLog> m_audioLog;
  ComPtr<ITestSinkHold> m_videoHold;
  ComPtr<ITestSinkHold> m_audioHold;
};
