#include "PvaDemultiplexer.h"

#include "MpegAudioFrame.h"
#include "PesHeaders.h"
#include "PvaFormat.h"

#include "framework/SingleLock.h"

#include <cstring>
#include <new>

namespace ts = pestimestamp;
using programstream::kAudioStream;
using programstream::kVideoStream;

namespace {

// Video pieces while the PES is open: 4,096-byte packets once more than
// two pieces' worth is pending.
const DWORD kVideoPiece = 4096;
const DWORD kSplitAbove = 8192;
// Audio pieces hold up to 7 frames; a packet with this many frame starts
// is taken as garbage.
const DWORD kFramesPerPiece = 7;
const DWORD kMaxFrameStarts = 198;
// The audio header's elementary data start at 8 (PVA) + 9 + header data.
const DWORD kAudioHeaderLengthAt = pva::kHeaderSize + 8;

}  // namespace

CPvaDemultiplexer::CPvaDemultiplexer()
    : m_audioBuffer(new (std::nothrow) BYTE[kFront + kAudioCapacity]),
      m_videoBuffer(new (std::nothrow) BYTE[kFront + kVideoCapacity]),
      m_audio(m_audioBuffer ? m_audioBuffer + kFront : nullptr),
      m_video(m_videoBuffer ? m_videoBuffer + kFront : nullptr) {}

CPvaDemultiplexer::~CPvaDemultiplexer() {
  delete[] m_audioBuffer;
  delete[] m_videoBuffer;
}

void CPvaDemultiplexer::Initialise(IRecordOutput* output, IPesHandlers* handlers) {
  CSingleLock lock(&m_lock, TRUE);
  m_writer.Initialise(output, handlers);
  m_audioFill = m_videoFill = m_videoEmitted = 0;
  m_videoHeadPending = false;
  m_started = m_videoStarted = FALSE;
  m_counters = Counters();
}

void CPvaDemultiplexer::SetWaitForSequenceHeader(BOOL wait) {
  CSingleLock lock(&m_lock, TRUE);
  m_writer.SetWaitForSequenceHeader(wait);
}

void CPvaDemultiplexer::TogglePause() {
  CSingleLock lock(&m_lock, TRUE);
  m_writer.TogglePause();
}

CPvaDemultiplexer::Counters CPvaDemultiplexer::GetCounters() {
  CSingleLock lock(&m_lock, TRUE);
  return m_counters;
}

BOOL CPvaDemultiplexer::HasFailed() {
  CSingleLock lock(&m_lock, TRUE);
  return m_writer.HasFailed();
}

void CPvaDemultiplexer::Demultiplex(const BYTE* block, DWORD length) {
  CSingleLock lock(&m_lock, TRUE);
  if (!m_audio || !m_video || !block) return;
  // The packet is what its length field says; one that claims more than
  // the block holds is cut, and the stream is taken up at the next block.
  if (length < pva::kHeaderSize || !pva::IsHeader(block) || pva::Length(block) + pva::kHeaderSize > length) {
    ++m_counters.badBlocks;
    return;
  }
  length = pva::Length(block) + pva::kHeaderSize;
  const bool video = pva::Stream(block) == pva::kStreamVideo;
  const bool flagged = (pva::Flags(block) & pva::kFlagPts) != 0;
  if (!m_started) {
    const bool startsAudio = !video && flagged && length > pva::kHeaderSize &&
                             ts::HasPts(block + pva::kHeaderSize, length - pva::kHeaderSize);
    if (!startsAudio) {
      ++(video ? m_counters.droppedVideo : m_counters.droppedAudio);
      return;
    }
    m_started = TRUE;
  }
  if (video)
    flagged ? VideoWithPts(block, length) : Video(block, length);
  else
    flagged ? AudioWithHeader(block, length) : Audio(block, length);
}

void CPvaDemultiplexer::VideoWithPts(const BYTE* packet, DWORD length) {
  if (length < pva::kHeaderSize + pva::kPtsSize + 4) {
    ++m_counters.badBlocks;
    return;
  }
  const BYTE* pts = packet + pva::kHeaderSize;
  const BYTE* payload = pts + pva::kPtsSize;
  const DWORD payloadLength = length - pva::kHeaderSize - pva::kPtsSize;
  const DWORD pre = pva::Flags(packet) & pva::kPreBytesMask;
  if (m_videoFill > m_videoEmitted || m_videoHeadPending) {
    // The pre bytes end the picture before; four are copied, as many as
    // the count says are kept.
    if (m_videoFill + 4 <= kVideoCapacity) {
      memcpy(m_video + m_videoFill, payload, 4);
      m_videoFill += pre;
    }
    SplitVideo(true);
  }
  m_videoFill = m_videoEmitted = 0;
  m_videoHeadPending = false;
  if (payloadLength <= pre) return;
  m_videoStarted = TRUE;
  BYTE stamp[5];
  ts::Encode(stamp, ts::kPrefixPtsOnly, byteorder::GetBE32(pts));
  pesheaders::PutWithPts(m_video, kVideoStream, stamp);
  memcpy(m_video + pesheaders::kWithPts, payload + pre, payloadLength - pre);
  m_videoFill = pesheaders::kWithPts + payloadLength - pre;
  m_videoHeadPending = true;
}

void CPvaDemultiplexer::Video(const BYTE* packet, DWORD length) {
  const DWORD n = length - pva::kHeaderSize;
  if (!m_videoStarted || n == 0) {
    ++m_counters.droppedVideo;
    return;
  }
  if (m_videoFill + n > kVideoCapacity && m_videoEmitted > 0) {
    // What is handed on already makes room; the pending bytes move to the
    // front (a continuation's header fits in front of the buffer).
    memmove(m_video, m_video + m_videoEmitted, m_videoFill - m_videoEmitted);
    m_videoFill -= m_videoEmitted;
    m_videoEmitted = 0;
  }
  if (m_videoFill + n > kVideoCapacity) {
    ++m_counters.droppedVideo;
    return;
  }
  memcpy(m_video + m_videoFill, packet + pva::kHeaderSize, n);
  m_videoFill += n;
  if (m_videoFill - m_videoEmitted > kSplitAbove) SplitVideo(false);
}

void CPvaDemultiplexer::EmitVideo(DWORD at, DWORD n) {
  BYTE* pes = m_video + at;
  DWORD length = n;
  if (m_videoHeadPending) {
    m_videoHeadPending = false;
    pesheaders::SetLength(pes, length);
  } else {
    pes -= pesheaders::kPlain;
    length += pesheaders::kPlain;
    pesheaders::PutPlain(pes, kVideoStream, length);
  }
  m_videoEmitted = at + n;
  m_writer.WritePiece(pes, length);
}

void CPvaDemultiplexer::SplitVideo(bool final) {
  if (!final) {
    while (m_videoFill - m_videoEmitted > kSplitAbove)
      EmitVideo(m_videoEmitted, m_videoHeadPending ? kVideoPiece : kVideoPiece - pesheaders::kPlain);
    return;
  }
  const DWORD pending = m_videoFill - m_videoEmitted;
  if (!pending) return;
  const DWORD pieces = pending / kVideoPiece + 1;
  const DWORD size = (pending / pieces + 4) & ~3u;
  for (DWORD i = 0; i < pieces && m_videoFill > m_videoEmitted; ++i) {
    const DWORD left = m_videoFill - m_videoEmitted;
    EmitVideo(m_videoEmitted, i + 1 == pieces || size > left ? left : size);
  }
}

void CPvaDemultiplexer::AudioWithHeader(const BYTE* packet, DWORD length) {
  if (m_audioFill > 0) {
    pesheaders::SetLength(m_audio, m_audioFill);
    SplitAudio();
    m_audioFill = 0;
  }
  if (length <= kAudioHeaderLengthAt) {
    ++m_counters.badBlocks;
    return;
  }
  const BYTE* pes = packet + pva::kHeaderSize;
  const DWORD data = kAudioHeaderLengthAt + 1 + packet[kAudioHeaderLengthAt];
  const bool hasPts = ts::HasPts(pes, length - pva::kHeaderSize);
  // A header that claims more than the packet holds has no data to take.
  if (data > length || (hasPts && length < pva::kHeaderSize + pesheaders::kWithPts)) {
    ++m_counters.badBlocks;
    return;
  }
  DWORD header = pesheaders::kPlain;
  if (hasPts) {
    BYTE stamp[5];
    memcpy(stamp, pes + 9, 5);
    stamp[0] &= 0xE7;
    pesheaders::PutWithPts(m_audio, kAudioStream, stamp);
    header = pesheaders::kWithPts;
  } else {
    pesheaders::PutPlain(m_audio, kAudioStream, pesheaders::kPlain);
  }
  memcpy(m_audio + header, packet + data, length - data);
  m_audioFill = header + length - data;
}

void CPvaDemultiplexer::Audio(const BYTE* packet, DWORD length) {
  if (length <= pva::kHeaderSize || m_audioFill == 0 || m_audioFill + length > kAudioCapacity) {
    ++m_counters.droppedAudio;
    return;
  }
  memcpy(m_audio + m_audioFill, packet + pva::kHeaderSize, length - pva::kHeaderSize);
  m_audioFill += length - pva::kHeaderSize;
}

void CPvaDemultiplexer::SplitAudio() {
  const DWORD length = m_audioFill;
  const DWORD data = ts::HeaderLength(m_audio);
  DWORD starts[kMaxFrameStarts];
  DWORD n = 0;
  for (DWORD i = data; i + 2 < length && n < kMaxFrameStarts; ++i)
    if (mpegaudio::IsLayer2Sync(m_audio + i) && mpegaudio::FrameLength(m_audio + i)) starts[n++] = i;
  if (n == kMaxFrameStarts) {
    ++m_counters.droppedAudioPes;
    return;
  }
  if (n <= kFramesPerPiece) {
    m_writer.WritePiece(m_audio, length);
    return;
  }
  const DWORD per = n / (n / kFramesPerPiece + 1) + 1;
  const DWORD minimum = per * 4;
  if (starts[per] > minimum) {
    pesheaders::SetLength(m_audio, starts[per]);
    m_writer.WritePiece(m_audio, starts[per]);
  }
  for (DWORD g = per; g < n; g += per) {
    const DWORD end = g + per < n ? starts[g + per] : length;
    if (end - starts[g] < minimum) continue;
    BYTE* pes = m_audio + starts[g] - pesheaders::kPlain;
    const DWORD pieceLength = end - starts[g] + pesheaders::kPlain;
    pesheaders::PutPlain(pes, kAudioStream, pieceLength);
    m_writer.WritePiece(pes, pieceLength);
  }
}
