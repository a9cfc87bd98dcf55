#include "PvaMultiplexer.h"

#include "PesTimestamp.h"
#include "PvaFormat.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Queue sizes: bytes, packets, and the margin behind the write position
// below which writing goes on at the start of the ring.
const DWORD kVideoRing = 500000;
const DWORD kVideoEntries = 1250;
const DWORD kVideoMargin = 30720;
const DWORD kAudioRing = 150000;
const DWORD kAudioEntries = 1500;
const DWORD kAudioMargin = 10240;

// Audio packets of long PES packets end at a frame start found in this
// window of offsets.
const DWORD kAudioSplitLast = 1014;
const DWORD kAudioSplitFirst = 610;

// Scheduler distances in 90 kHz ticks.
const DWORD kFirstAudioLead = 26000;
const DWORD kUnstampedAudioLag = 35000;
const DWORD kVideoLead = 40000;
const DWORD kAudioCatchUp = 12000;
const DWORD kVideoRunBeforeAudio = 5;

// Timestamps compare on the 32-bit circle, so the counter's wrap is a step
// forward like any other.
bool NotAfter(DWORD a, DWORD b) { return int32_t(a - b) <= 0; }

// Timestamps this far apart belong to different timelines (before and after
// a wrap or a new base): neither may hold the other back.
bool Unrelated(DWORD a, DWORD b) {
  const DWORD distance = NotAfter(a, b) ? b - a : a - b;
  return distance >= CPvaMultiplexer::kTimelineRestart;
}

bool IsVideoStream(BYTE id) { return id >= 0xE0 && id <= 0xEF; }

BYTE* PutHeader(BYTE* p, BYTE stream, BYTE counter, BYTE flags, DWORD body) {
  p[0] = 'A';
  p[1] = 'V';
  p[2] = stream;
  p[3] = counter;
  p[4] = pva::kMarker;
  p[5] = flags;
  byteorder::PutBE16(p + 6, WORD(body));
  return p + pva::kHeaderSize;
}

}  // namespace

CPvaMultiplexer::CPvaMultiplexer()
    : m_video(kVideoRing, kVideoEntries, kVideoMargin), m_audio(kAudioRing, kAudioEntries, kAudioMargin) {}

void CPvaMultiplexer::Reset(IPvaPacketSink* sink) {
  m_sink = sink;
  m_videoCounter = 0;
  m_audioCounter = 0;
  m_tailCount = 0;
  Clear();
}

void CPvaMultiplexer::Clear() {
  m_video.Clear();
  m_audio.Clear();
  m_haveVideoPts = false;
  m_videoPts = 0;
  m_haveQueuedAudioPts = false;
  m_lastQueuedAudioPts = 0;
  m_firstAudioPts = 0;
  m_audioReleased = false;
  m_lastReleasedAudioPts = 0;
  m_videoReleased = false;
  m_lastReleasedVideoPts = 0;
  m_videoSinceAudio = 0;
  m_bothSeen = false;
}

int CPvaMultiplexer::CutPes(const BYTE* pes, DWORD length) {
  if (!pes || length < pestimestamp::kFixedHeader || pes[0] || pes[1] || pes[2] != 1) return 0;
  return IsVideoStream(pes[3]) ? CutVideo(pes, length) : CutAudio(pes, length);
}

int CPvaMultiplexer::CutVideo(const BYTE* pes, DWORD length) {
  const DWORD header = pestimestamp::HeaderLength(pes);
  if (header > length) return 0;
  const bool hasPts = pestimestamp::HasPts(pes, length);
  if (hasPts) {
    m_videoPts = DWORD(pestimestamp::Decode(pes + 9));
    m_haveVideoPts = true;
  }
  const BYTE* data = pes + header;
  DWORD remaining = length - header;
  if (m_tailCount + remaining < 4) {
    // Too little for a packet: the bytes wait with the tail.
    memcpy(m_tail + m_tailCount, data, remaining);
    m_tailCount += remaining;
    return 1;
  }
  bool withPts = hasPts;
  while (remaining) {
    const DWORD pre = m_tailCount;
    const DWORD limit = withPts ? kMaxBody - pva::kPtsSize : kMaxBody;
    const DWORD size = std::min(pre + remaining, limit) & ~DWORD(3);
    const DWORD taken = size - pre;
    // Fewer than 4 bytes left over go to the next video PES.
    const DWORD after = remaining - taken;
    const DWORD tail = after < 4 ? after : 0;
    const BYTE flags = BYTE((withPts ? pva::kFlagPts : 0) | pre | (tail << 2));
    const DWORD body = size + (withPts ? pva::kPtsSize : 0);
    BYTE* packet = m_haveVideoPts ? ReserveFor(m_video, pva::kHeaderSize + body) : nullptr;
    if (packet) {
      BYTE* p = PutHeader(packet, pva::kStreamVideo, m_videoCounter++, flags, body);
      if (withPts) {
        byteorder::PutBE32(p, m_videoPts);
        p += pva::kPtsSize;
      }
      memcpy(p, m_tail, pre);
      memcpy(p + pre, data, taken);
      m_video.Commit(WORD(pva::kHeaderSize + body), true, m_videoPts);
    }
    data += taken;
    remaining = after - tail;
    // The tail of a picture that was not sent goes with it.
    m_tailCount = packet ? tail : 0;
    memcpy(m_tail, data, m_tailCount);
    withPts = false;
    if (packet) {
      m_bothSeen = m_bothSeen || m_haveQueuedAudioPts;
      ReleaseOne();
    }
    if (tail) break;
  }
  return 1;
}

DWORD CPvaMultiplexer::AudioPacketSize(const BYTE* data, DWORD remaining) {
  if (remaining <= kMaxBody) return remaining;
  for (DWORD at = kAudioSplitLast; at >= kAudioSplitFirst; --at)
    if (data[at] == 0xFF && (data[at + 1] & 0xF6) == 0xF4) return at;
  return kMaxBody;
}

bool CPvaMultiplexer::TakeAudioPts(DWORD pts) {
  if (m_haveQueuedAudioPts && NotAfter(pts, m_lastQueuedAudioPts)) {
    if (m_lastQueuedAudioPts - pts < kTimelineRestart) return false;
    // A wrap or a new base: the scheduler starts over from this PTS, as it
    // did from the first one.
    m_audioReleased = false;
    m_firstAudioPts = pts;
  }
  if (!m_haveQueuedAudioPts) m_firstAudioPts = pts;
  m_haveQueuedAudioPts = true;
  m_lastQueuedAudioPts = pts;
  return true;
}

int CPvaMultiplexer::CutAudio(const BYTE* pes, DWORD length) {
  const bool hasPts = pestimestamp::HasPts(pes, length);
  const DWORD pts = hasPts ? DWORD(pestimestamp::Decode(pes + 9)) : 0;
  if (hasPts ? !TakeAudioPts(pts) : !m_haveQueuedAudioPts) return 0;
  bool withPts = hasPts;
  for (DWORD offset = 0; offset < length;) {
    const DWORD size = AudioPacketSize(pes + offset, length - offset);
    BYTE* packet = ReserveFor(m_audio, pva::kHeaderSize + size);
    if (!packet) return 0;
    BYTE* p = PutHeader(packet, pva::kStreamAudio, m_audioCounter++, withPts ? pva::kFlagPts : 0, size);
    memcpy(p, pes + offset, size);
    m_audio.Commit(WORD(pva::kHeaderSize + size), withPts, pts);
    offset += size;
    withPts = false;
    m_bothSeen = m_bothSeen || m_haveVideoPts;
    ReleaseOne();
  }
  return 1;
}

BYTE* CPvaMultiplexer::ReserveFor(CPvaQueue& queue, DWORD length) {
  // A full queue sends its oldest packets to make room.
  BYTE* at;
  while (!(at = queue.Reserve(length)) && !queue.IsEmpty()) Release(&queue == &m_video ? kVideo : kAudio);
  return at;
}

CPvaMultiplexer::Choice CPvaMultiplexer::Choose() const {
  if (!m_video.IsEmpty() && m_video.IsShortOfRoom()) return kVideo;
  if (!m_audio.IsEmpty() && m_audio.IsShortOfRoom()) return kAudio;
  if (!m_bothSeen || m_video.IsEmpty() || m_audio.IsEmpty()) return kNone;
  const DWORD v = m_video.Front().pts;
  const CPvaQueue::Entry& audio = m_audio.Front();
  const DWORD lastAudio = m_lastReleasedAudioPts;
  if (Unrelated(v, m_audioReleased ? lastAudio : m_firstAudioPts)) return kVideo;
  if (!m_audioReleased) return NotAfter(v, m_firstAudioPts + kFirstAudioLead) ? kVideo : kAudio;
  if (!audio.hasPts)
    return m_videoSinceAudio >= kVideoRunBeforeAudio || !NotAfter(v, lastAudio + kUnstampedAudioLag) ? kAudio : kVideo;
  if (NotAfter(v, lastAudio + kVideoLead)) return kVideo;
  if (m_videoReleased && NotAfter(m_lastReleasedVideoPts, audio.pts + kAudioCatchUp)) return kVideo;
  return kAudio;
}

void CPvaMultiplexer::Release(Choice choice) {
  CPvaQueue& queue = choice == kVideo ? m_video : m_audio;
  const CPvaQueue::Entry entry = queue.Front();
  if (choice == kVideo) {
    ++m_videoSinceAudio;
    m_videoReleased = true;
    m_lastReleasedVideoPts = entry.pts;
  } else {
    if (entry.hasPts) {
      m_audioReleased = true;
      m_lastReleasedAudioPts = entry.pts;
    }
    m_videoSinceAudio = 0;
  }
  if (m_sink) m_sink->ReleasePacket(queue.FrontData(), entry.length);
  queue.PopFront();
}

void CPvaMultiplexer::ReleaseOne() {
  const Choice choice = Choose();
  if (choice != kNone) Release(choice);
}

void CPvaMultiplexer::Drain() {
  while (!m_video.IsEmpty() || !m_audio.IsEmpty()) {
    Choice choice = Choose();
    if (choice == kNone) {
      if (m_audio.IsEmpty()) choice = kVideo;
      else if (m_video.IsEmpty()) choice = kAudio;
      else choice = NotAfter(m_video.Front().pts, m_audio.Front().pts) ? kVideo : kAudio;
    }
    Release(choice);
  }
}
