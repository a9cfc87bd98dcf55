#include "ProgramStreamWriter.h"

#include "PesHeaders.h"
#include "PesTimestamp.h"

#include <cstring>

using namespace programstream;
namespace ts = pestimestamp;

namespace programstream {

// Rate bound 280,000, audio bound 1, fixed 0, constrained 1, audio and video
// lock, video bound 1, packet-rate restriction 1; stream 0xC0 with a buffer
// bound of 128 x 128 bytes, stream 0xE0 with 230 x 1,024 bytes.
const BYTE kSystemHeader[kSystemHeaderSize] = {0x00, 0x00, 0x01, 0xBB, 0x00, 0x0C, 0x88, 0x8B, 0x81,
                                               0x05, 0xE1, 0xFF, 0xC0, 0xC0, 0x80, 0xE0, 0xE0, 0xE6};

void PutPackHeader(BYTE* p, uint64_t scr27MHz, DWORD muxRate) {
  const uint64_t base = (scr27MHz / 300) & ts::kMask;
  const DWORD ext = DWORD(scr27MHz % 300);
  p[0] = 0x00;
  p[1] = 0x00;
  p[2] = 0x01;
  p[3] = 0xBA;
  p[4] = BYTE(0x44 | ((base >> 27) & 0x38) | ((base >> 28) & 0x03));
  p[5] = BYTE(base >> 20);
  p[6] = BYTE(0x04 | ((base >> 12) & 0xF8) | ((base >> 13) & 0x03));
  p[7] = BYTE(base >> 5);
  p[8] = BYTE(0x04 | ((base << 3) & 0xF8) | ((ext >> 7) & 0x03));
  p[9] = BYTE(((ext << 1) & 0xFE) | 1);
  p[10] = BYTE(muxRate >> 14);
  p[11] = BYTE(muxRate >> 6);
  p[12] = BYTE((muxRate << 2) | 0x03);
  p[13] = 0xF8;  // reserved, no stuffing
}

}  // namespace programstream

namespace {

const DWORD kMaxMuxRate = 0x3FFFFF;  // 22 bits

// The recording's timestamps carry 32 bits (the box's video PTS has no
// more, and the audio PTS loses bit 32 on the way in), so they wrap, and
// are rebased, at 2^32.
const uint64_t kStampMask = 0xFFFFFFFFu;
uint64_t Forward(uint64_t a, uint64_t b) { return (a - b) & kStampMask; }

}  // namespace

void CProgramStreamWriter::Initialise(IRecordOutput* output, IPesHandlers* handlers) {
  *this = CProgramStreamWriter();
  m_output = output;
  m_handlers = handlers;
}

int CProgramStreamWriter::FindSequenceHeader(const BYTE* pes, DWORD length) {
  for (DWORD i = ts::HeaderLength(pes); i + 4 <= length; ++i)
    if (pes[i] == 0 && pes[i + 1] == 0 && pes[i + 2] == 1 && pes[i + 3] == 0xB3) return int(i);
  return -1;
}

uint64_t CProgramStreamWriter::Rebase(uint64_t timestamp) const { return Forward(timestamp, m_base); }

int CProgramStreamWriter::DurationOf(DWORD length) const {
  const uint64_t rate = m_rateEstimate > 0 ? uint64_t(m_rateEstimate) : kDefaultRate;
  return int(uint64_t(length) * 1800 / rate);
}

void CProgramStreamWriter::WritePiece(BYTE* pes, DWORD length) {
  if (m_failed || length < ts::kFixedHeader || length < ts::HeaderLength(pes)) return;
  if (pes[3] >= 0xC0 && pes[3] <= 0xDF) pes[3] = kAudioStream;
  const bool audio = pes[3] == kAudioStream;
  const bool hasPts = ts::HasPts(pes, length);
  const uint64_t pts = hasPts ? ts::Decode(pes + 9) & kStampMask : 0;
  // Kept current while paused, for the length of the pause.
  if (audio && hasPts) m_lastAudioPts = pts;
  if (m_paused) return;

  if (m_resumePending) {
    if (m_startsAtSequence) {
      if (!audio && FindSequenceHeader(pes, length) >= 0) Start(pes, length, true);
      return;
    }
    // An audio-only stream goes on at its next stamp, one audio step after
    // the last one written.
    if (!audio || !hasPts) return;
    CutPause(m_audioStep);
  }

  m_bytesSinceReference += length - ts::HeaderLength(pes);
  if (m_waitingForSequence) {
    if (audio && hasPts) {
      m_referencePts = pts;
      m_haveReference = TRUE;
      m_bytesSinceReference = 0;
      m_referenceRate = kDefaultRate;
      m_rateEstimate = int(kDefaultRate);
    } else if (!audio && m_haveReference && FindSequenceHeader(pes, length) >= 0) {
      m_waitingForSequence = FALSE;
      Start(pes, length, false);
    }
    return;
  }

  if (audio && hasPts) {
    if (m_bytesSinceAudioPts && pts != m_referencePts) {
      m_audioStep = Forward(pts, m_referencePts);
      // Bytes per 90 kHz tick in units of 50 bytes/s, with a fifth to spare.
      const uint64_t r = uint64_t(m_bytesSinceAudioPts) * 2160 / m_audioStep;
      if (r > uint64_t(m_rateEstimate)) m_rateEstimate = int(r > kMaxMuxRate ? kMaxMuxRate : r);
    }
    m_referencePts = pts;
    m_currentScr = DWORD(Rebase(pts));
    if (m_holdScr) {
      if (int32_t(m_currentScr - m_previousScr) < 0)
        m_currentScr = m_previousScr;
      else
        m_holdScr = FALSE;
    }
    m_bytesSinceAudioPts = 0;
    m_packetDuration = int(m_currentScr - m_previousScr);
  } else {
    m_packetDuration = DurationOf(length);
    m_currentScr = m_previousScr + DWORD(m_packetDuration);
  }
  WritePack(pes, length, true);
}

void CProgramStreamWriter::CutPause(uint64_t kept) {
  const uint64_t gap = Forward(m_lastAudioPts, m_audioPtsAtPause);
  m_base = (m_base + (gap > kept ? gap - kept : 0)) & kStampMask;
  m_resumePending = FALSE;
  // The pieces on both sides of the cut had their durations counted, so
  // the audio clock may lag the reference for a while.
  m_holdScr = TRUE;
  m_bytesSinceAudioPts = 0;
}

void CProgramStreamWriter::Start(BYTE* pes, DWORD length, bool resume) {
  const DWORD at = DWORD(FindSequenceHeader(pes, length));
  if (!resume) {
    const uint64_t ahead =
        m_referenceRate ? uint64_t(m_bytesSinceReference) * 1000 / m_referenceRate : m_bytesSinceReference / 18;
    m_base = (m_referencePts + ahead - kScrStart) & kStampMask;
  } else {
    CutPause(0);
  }
  if (at != ts::HeaderLength(pes)) {
    // The data in front of the sequence header belong to a picture
    // before the start: dropped, with the stamp that was theirs.
    BYTE* header = pes + at - pesheaders::kPlain;
    length -= DWORD(header - pes);
    pes = header;
    pesheaders::PutPlain(pes, kVideoStream, length);
  }
  m_packetDuration = DurationOf(length);
  if (!resume) {
    m_currentScr = kScrStart;
    m_systemHeaderDue = TRUE;
  } else {
    // The clock runs on from the last pack before the pause: the pause is
    // cut out of it as out of the stamps.
    m_currentScr = m_previousScr + DWORD(m_packetDuration);
  }
  WritePack(pes, length, false);
}

void CProgramStreamWriter::WritePack(BYTE* pes, DWORD length, bool handOn) {
  m_started = TRUE;
  DWORD mux = m_packetDuration > 0 ? DWORD(uint64_t(length) * 1800 / DWORD(m_packetDuration)) : kDefaultRate;
  if (mux == 0) mux = 1;
  if (mux > kMaxMuxRate) mux = kMaxMuxRate;
  BYTE* pack = pes - kPackHeaderSize - (m_systemHeaderDue ? kSystemHeaderSize : 0);
  PutPackHeader(pack, uint64_t(DWORD(m_currentScr - kScrStart)) * 300, mux);
  if (m_systemHeaderDue) memcpy(pack + kPackHeaderSize, kSystemHeader, kSystemHeaderSize);
  m_systemHeaderDue = FALSE;
  m_previousScr = m_currentScr;
  if (ts::HasPts(pes, length)) {
    const bool dts = ts::HasDts(pes, length);
    const uint64_t pts = ts::Decode(pes + 9) & kStampMask;
    ts::Encode(pes + 9, dts ? ts::kPrefixPtsWithDts : ts::kPrefixPtsOnly, Rebase(pts));
    if (dts) ts::Encode(pes + 14, ts::kPrefixDts, Rebase(ts::Decode(pes + 14) & kStampMask));
  }
  const DWORD total = DWORD(pes - pack) + length;
  if (m_output && !m_output->Write(pack, total)) {
    m_failed = TRUE;
    return;
  }
  m_bytesSinceAudioPts += length;
  m_totalWritten += total;
  if (!m_handlers) return;
  m_handlers->OnPESRecord(pack, int(total));
  if (!handOn) return;
  if (pes[3] == kVideoStream)
    m_handlers->OnPESVideo(pes, int(length));
  else
    m_handlers->OnPESAudio(pes, int(length));
}

void CProgramStreamWriter::TogglePause() {
  m_paused = !m_paused;
  if (m_paused) {
    // Paused again before the resume found its place: the cut still runs
    // from the first pause.
    if (!m_resumePending) m_audioPtsAtPause = m_lastAudioPts;
    m_resumePending = FALSE;
  } else if (m_started) {
    m_resumePending = TRUE;
  } else {
    // Nothing written yet, nothing to cut: the start is looked for afresh,
    // from a new audio reference (the bytes of the pause were not counted).
    m_haveReference = FALSE;
  }
}
