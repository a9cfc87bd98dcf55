// The playback engine: cuts MPEG-2 PES packets into PVA packets, queues
// video and audio apart, and releases them to the box's player in an order
// that keeps the two streams close in time. Each PES byte is copied once,
// straight behind its PVA header in a queue. Not locked: one caller at a
// time; a release may block in the sink until the box takes data.
#pragma once

#include "PvaQueue.h"

#include <WinTypes.h>

// Where released PVA packets go (the box's player). A sink may be owned and
// deleted through its own class: the destructor is virtual.
class IPvaPacketSink {
 public:
  virtual int ReleasePacket(BYTE* packet, DWORD length) = 0;

 protected:
  virtual ~IPvaPacketSink() {}
};

class CPvaMultiplexer {
 public:
  // Video packets carry at most this many bytes behind their header; with a
  // PTS, 4 of them are the PTS.
  static const DWORD kMaxBody = 1016;
  // A PTS this far (in 90 kHz ticks) or further behind the last queued
  // audio PTS starts a new timeline (a wrap or a new base); a smaller step
  // back is a repeated or misplaced packet and its PES is dropped. Video
  // this far from the audio is sent without waiting for it.
  static const DWORD kTimelineRestart = 10 * 90000;

  CPvaMultiplexer();
  CPvaMultiplexer(const CPvaMultiplexer&) = delete;
  CPvaMultiplexer& operator=(const CPvaMultiplexer&) = delete;

  // Forgets everything, counters too; packets go to `sink` from now on.
  void Reset(IPvaPacketSink* sink);
  // Empties both queues and the scheduler's state; the counters stay.
  void Clear();
  // Cuts one PES packet (stream id 0xE0 to 0xEF video, any other audio),
  // queues its pieces and may release packets. 0 when the packet was
  // dropped (whole or in part), else 1.
  int CutPes(const BYTE* pes, DWORD length);
  // Releases everything still queued (at the end of a stream), in the
  // scheduler's order where it has one and by timestamp where it would wait.
  void Drain();

 private:
  enum Choice { kNone, kVideo, kAudio };

  int CutVideo(const BYTE* pes, DWORD length);
  int CutAudio(const BYTE* pes, DWORD length);
  // The size of the next audio packet out of `remaining` bytes at `data`.
  static DWORD AudioPacketSize(const BYTE* data, DWORD remaining);
  // Accepts an audio PES's PTS or says it must be dropped.
  bool TakeAudioPts(DWORD pts);
  BYTE* ReserveFor(CPvaQueue& queue, DWORD length);
  // The next packet the box gets: forced ones first, then by the timestamps.
  Choice Choose() const;
  void Release(Choice choice);
  void ReleaseOne();

  CPvaQueue m_video;
  CPvaQueue m_audio;
  IPvaPacketSink* m_sink = nullptr;

  // Cutting state: the packet counters per stream and the video tail bytes
  // carried into the next video PES.
  BYTE m_videoCounter = 0;
  BYTE m_audioCounter = 0;
  BYTE m_tail[3] = {};
  DWORD m_tailCount = 0;

  // Scheduler state.
  bool m_haveVideoPts = false;
  DWORD m_videoPts = 0;
  bool m_haveQueuedAudioPts = false;
  DWORD m_lastQueuedAudioPts = 0;
  DWORD m_firstAudioPts = 0;
  bool m_audioReleased = false;  // an audio packet with a PTS
  DWORD m_lastReleasedAudioPts = 0;
  bool m_videoReleased = false;
  DWORD m_lastReleasedVideoPts = 0;
  DWORD m_videoSinceAudio = 0;
  bool m_bothSeen = false;
};
