#include "RecordFileReader.h"

#include "ByteOrder.h"
#include "MpegAudioFrame.h"
#include "PesTimestamp.h"
#include "PvaFormat.h"

#include <cstring>

using namespace recordformat;

namespace {

const DWORD kSearchBuffer = 16384;
const DWORD kAudioSearch = 8192;
// Files longer than this are measured from their start and their last MiB.
const DWORD kMeasureTail = 1024 * 1024;
// The duration of a program-stream file without any audio PTS.
const DWORD kNoAudioDuration = 900000;

// The video reorder buffer: bytes, packets, and the margin behind the write
// position below which writing goes on at the start.
const DWORD kHeldBytes = 200000;
const DWORD kHeldPackets = 500;
const DWORD kHeldMargin = 24576;
// A held video packet is due once its PTS is below the last audio PTS plus
// this many 90 kHz ticks.
const DWORD kVideoLead = 33000;

// The longest PVA packet a unit buffer takes.
const DWORD kMaxPvaBody = CRecordFileReader::kBufferSize - pva::kHeaderSize;

bool FitsPva(const BYTE* p) { return p[0] == 'A' && p[1] == 'V' && pva::Length(p) <= kMaxPvaBody; }

bool IsVideoWithPts(const BYTE* h) { return pva::Stream(h) == pva::kStreamVideo && (pva::Flags(h) & pva::kFlagPts); }

// An audio PES header (00 00 01 C0 to CF) with a PTS at p.
bool IsAudioPesWithPts(const BYTE* p, DWORD length) {
  return length >= pestimestamp::kFixedHeader && (p[3] & 0xF0) == 0xC0 && pestimestamp::HasPts(p, length);
}

}  // namespace

CRecordFileReader::CRecordFileReader() : m_search(kSearchBuffer), m_held(kHeldBytes, kHeldPackets, kHeldMargin) {}

void CRecordFileReader::Attach(IRecordFile* file, int streamFormat, int fileFormat) {
  m_file = file;
  m_streamFormat = streamFormat;
  m_fileFormat = fileFormat;
  m_length = m_duration = 0;
  m_counters = Counters();
  ClearVidBuff();
}

void CRecordFileReader::ClearVidBuff() {
  m_held.Clear();
  m_haveVideoPts = m_haveAudioPts = false;
  m_videoPts = m_lastAudioPts = 0;
}

DWORD CRecordFileReader::UnitLengthAt(const BYTE* header) const {
  if (IsPva(m_streamFormat)) return pva::kHeaderSize + pva::Length(header);
  if (m_streamFormat == kMpegAudio) return mpegaudio::FrameLength(header);
  return kRawBlock;
}

DWORD CRecordFileReader::TimeAt(DWORD position) const { return recordfile::Scale(position, m_duration, m_length); }

// ---- Measuring -----------------------------------------------------------------

BOOL CRecordFileReader::GetFileParams(DWORD& length, DWORD& duration, WORD& sampleRate) {
  length = duration = 0;
  sampleRate = 0;
  m_length = m_duration = 0;
  if (!m_file) return FALSE;
  m_length = m_file->Length();
  m_file->Seek(0);
  BOOL ok = FALSE;
  DWORD measured = 0;
  WORD rate = 0;
  if (m_streamFormat == kPva1 || m_streamFormat == kRaw) {
    ok = TRUE;
  } else if (m_streamFormat == kMpegAudio) {
    ok = MeasureAudio(measured, rate);
  } else if (m_streamFormat == kPva5 && m_fileFormat == kFileProgramStream) {
    if (m_length > kMeasureTail) m_file->Seek(m_length - kMeasureTail);
    measured = LastAudioPTS();
    ok = TRUE;
  } else if (IsPva(m_streamFormat)) {
    ok = MeasurePva(measured);
  }
  m_file->Seek(0);
  if (!ok) {
    m_length = 0;
    return FALSE;
  }
  length = m_length;
  duration = m_duration = measured;
  sampleRate = rate;
  return TRUE;
}

BOOL CRecordFileReader::MeasureAudio(DWORD& duration, WORD& sampleRate) {
  BYTE h[mpegaudio::kHeaderSize];
  if (m_file->Read(h, sizeof(h)) != sizeof(h) || !mpegaudio::FrameLength(h)) return FALSE;
  const bool full = (h[1] & 0x08) != 0;
  const DWORD kbits = (full ? mpegaudio::kBitrates1 : mpegaudio::kBitrates2)[h[2] >> 4];
  const int index = (h[2] >> 2) & 3;
  const DWORD hz = (full ? mpegaudio::kSamplerates1 : mpegaudio::kSamplerates2)[index];
  // Frame length without truncation and without padding.
  const double frameBytes = 144000.0 * kbits / hz;
  duration = DWORD(double(m_length) / frameBytes * mpegaudio::FrameMs(hz));
  sampleRate = WORD(hz);
  return TRUE;
}

BOOL CRecordFileReader::MeasurePva(DWORD& duration) {
  BYTE h[12];
  DWORD position = 0;
  DWORD first = 0;
  for (;;) {
    if (GetHeader(h) && IsVideoWithPts(h)) {
      first = byteorder::GetBE32(h + 8);
      break;
    }
    if (!StepToNextUnit(position)) return FALSE;
  }
  if (m_length > kMeasureTail) {
    m_file->Seek(m_length - kMeasureTail);
    if (!SeekNextHeader(position)) return FALSE;
  }
  bool haveLast = false;
  DWORD last = 0;
  do {
    if (GetHeader(h) && IsVideoWithPts(h)) {
      last = byteorder::GetBE32(h + 8);
      haveLast = true;
    }
  } while (StepToNextUnit(position));
  if (!haveLast) return FALSE;
  // The box's PTS has 32 bits: a recording across its wrap measures the
  // step forward.
  duration = DWORD(last - first) / 90;
  return TRUE;
}

BOOL CRecordFileReader::StepToNextUnit(DWORD& position) {
  if (GotoNextHeader(position)) return TRUE;
  BYTE h[12];
  if (GetHeader(h)) return FALSE;  // the last unit of the file
  // Damage: search on behind it, window by window.
  for (DWORD from = m_file->Position() + 1; from + pva::kHeaderSize <= m_length; from += kSearchBuffer - 16) {
    m_file->Seek(from);
    if (SeekNextHeader(position)) return TRUE;
  }
  return FALSE;
}

// ---- Headers -------------------------------------------------------------------

BOOL CRecordFileReader::GetHeader(BYTE* header) {
  if (!m_file) return FALSE;
  if (m_streamFormat == kRaw) return TRUE;
  const DWORD at = m_file->Position();
  const DWORD size = IsPva(m_streamFormat) ? 12 : mpegaudio::kHeaderSize;
  memset(header, 0, size);
  const DWORD n = m_file->Read(header, size);
  m_file->Seek(at);
  if (IsPva(m_streamFormat)) return n >= pva::kHeaderSize && FitsPva(header);
  return n == size && mpegaudio::FrameLength(header) != 0;
}

BOOL CRecordFileReader::GotoNextHeader(DWORD& position) {
  BYTE h[12];
  const DWORD at = m_file ? m_file->Position() : 0;
  position = at;
  if (!GetHeader(h)) return FALSE;
  const DWORD end = at + UnitLengthAt(h);
  if (end >= m_length) return FALSE;
  m_file->Seek(end);
  position = end;
  return TRUE;
}

BOOL CRecordFileReader::SeekNextHeader(DWORD& position) {
  if (!m_file) return FALSE;
  const DWORD at = m_file->Position();
  position = at;
  if (m_streamFormat == kRaw) {
    if (at + kRawBlock >= m_length) return FALSE;
    m_file->Seek(at + kRawBlock);
    position = at + kRawBlock;
    return TRUE;
  }
  const bool isPva = IsPva(m_streamFormat);
  const DWORD n = m_file->Read(m_search.data(), isPva ? kSearchBuffer : kAudioSearch);
  const BYTE* b = m_search.data();
  const DWORD headerSize = isPva ? pva::kHeaderSize : mpegaudio::kHeaderSize;
  for (DWORD o = 0; o + headerSize <= n; ++o) {
    DWORD unit = 0;
    if (isPva ? (pva::IsHeader(b + o) && FitsPva(b + o)) : mpegaudio::FrameLength(b + o) != 0) unit = UnitLengthAt(b + o);
    if (!unit) continue;
    const DWORD next = o + unit;
    // A second unit right behind it, or the first one ends the file.
    const bool followed = next + headerSize <= n && (isPva ? pva::IsHeader(b + next) : mpegaudio::FrameLength(b + next) != 0);
    if (followed || at + next == m_length) {
      m_file->Seek(at + o);
      position = at + o;
      return TRUE;
    }
  }
  m_file->Seek(at);
  return FALSE;
}

// ---- Reading -------------------------------------------------------------------

DWORD CRecordFileReader::ReadFileBlock2(BYTE* buffer, int mode, DWORD& timePosition) {
  if (!m_file || !buffer) return 0;
  timePosition = TimeAt(m_file->Position());
  return ReadUnit(buffer, mode);
}

DWORD CRecordFileReader::ReadUnit(BYTE* buffer, int mode) {
  if (IsPva(m_streamFormat)) return ReadPva(buffer);  // never doubled or skipped
  const bool audio = m_streamFormat == kMpegAudio;
  DWORD n = audio ? ReadAudioFrame(buffer) : m_file->Read(buffer, kRawBlock);
  if (n && mode == kModeFast) n = audio ? ReadAudioFrame(buffer) : m_file->Read(buffer, kRawBlock);
  if (n && mode == kModeSlow) {
    memcpy(buffer + n, buffer, n);
    n *= 2;
  }
  return n;
}

DWORD CRecordFileReader::ReadAudioFrame(BYTE* buffer) {
  if (m_file->Read(buffer, mpegaudio::kHeaderSize) != mpegaudio::kHeaderSize) return 0;
  const DWORD length = mpegaudio::FrameLength(buffer);
  if (!length) return 0;
  const DWORD rest = length - mpegaudio::kHeaderSize;
  return m_file->Read(buffer + mpegaudio::kHeaderSize, rest) == rest ? length : 0;
}

DWORD CRecordFileReader::ReadPva(BYTE* buffer) {
  const DWORD at = m_file->Position();
  if (m_file->Read(buffer, pva::kHeaderSize) != pva::kHeaderSize) return 0;
  if (!FitsPva(buffer)) return ResyncPva(buffer, at + 1);
  const DWORD body = pva::Length(buffer);
  return m_file->Read(buffer + pva::kHeaderSize, body) == body ? pva::kHeaderSize + body : 0;
}

DWORD CRecordFileReader::ResyncPva(BYTE* buffer, DWORD from) {
  const DWORD start = from - 1;
  for (;;) {
    m_file->Seek(from);
    const DWORD n = m_file->Read(m_search.data(), kSearchBuffer);
    for (DWORD o = 0; o + pva::kHeaderSize <= n; ++o) {
      const BYTE* p = &m_search[o];
      if (!pva::IsHeader(p) || !FitsPva(p)) continue;
      m_counters.skippedBytes += from + o - start;
      m_file->Seek(from + o);
      return ReadPva(buffer);
    }
    if (n < kSearchBuffer) {
      m_counters.skippedBytes += from + n - start;
      return 0;
    }
    // A header may straddle the end of what was read.
    from += n - (pva::kHeaderSize - 1);
  }
}

DWORD CRecordFileReader::SeekFileBlock2(BYTE* buffer, int mode, DWORD& timePosition, int seekMs) {
  if (!m_file || !buffer) return 0;
  // A file without a duration (PVA format 1, raw) has no time to seek by.
  if (seekMs && m_duration && m_length) {
    const double target = double(m_file->Position()) + double(seekMs) * m_length / m_duration;
    if (target >= double(m_length)) {
      timePosition = m_duration;
      return 0;
    }
    m_file->Seek(target < 0 ? 0 : DWORD(target));
    ClearVidBuff();
    DWORD position;
    if (!SeekNextHeader(position)) {
      timePosition = m_duration;
      return 0;
    }
  }
  return ReadFileBlock2(buffer, mode, timePosition);
}

// ---- Video held against audio --------------------------------------------------

DWORD CRecordFileReader::GetPVAPacket(BYTE* buffer, int mode, DWORD& timePosition) {
  if (!m_file || !buffer) return 0;
  if (m_streamFormat != kPva5 || m_fileFormat == kFileProgramStream) return ReadFileBlock2(buffer, mode, timePosition);
  for (;;) {
    if (DWORD due = VideoBuff(nullptr, 0, buffer)) return due;
    const DWORD n = ReadFileBlock2(buffer, mode, timePosition);
    if (!n) {
      // The end of the file: what is still held goes out first.
      if (m_held.IsEmpty()) return 0;
      const DWORD length = m_held.Front().length;
      memcpy(buffer, m_held.FrontData(), length);
      m_held.PopFront();
      return length;
    }
    if (pva::Stream(buffer) != pva::kStreamVideo) {
      if (pva::Flags(buffer) & pva::kFlagPts) DecodePTS(buffer + pva::kHeaderSize, n - pva::kHeaderSize);
      return n;
    }
    if ((pva::Flags(buffer) & pva::kFlagPts) && n >= pva::kHeaderSize + pva::kPtsSize) {
      m_videoPts = byteorder::GetBE32(buffer + pva::kHeaderSize);
      m_haveVideoPts = true;
    }
    if (!m_haveVideoPts) {
      ++m_counters.droppedVideo;
      continue;
    }
    if (DWORD due = VideoBuff(buffer, n, buffer)) return due;
  }
}

bool CRecordFileReader::VideoDue() const {
  if (m_held.IsEmpty()) return false;
  if (m_held.IsShortOfRoom()) return true;
  // On the 32-bit circle, so the box clock's wrap holds nothing back.
  return m_haveAudioPts && int32_t(m_held.Front().pts - (m_lastAudioPts + kVideoLead)) < 0;
}

DWORD CRecordFileReader::VideoBuff(const BYTE* in, DWORD length, BYTE* out) {
  if (in && length) {
    BYTE* at = m_held.Reserve(length);
    if (at) {
      memcpy(at, in, length);
      m_held.Commit(WORD(length), true, m_videoPts);
    } else {
      ++m_counters.droppedVideo;
    }
  }
  if (!VideoDue() || !out) return 0;
  const DWORD due = m_held.Front().length;
  memcpy(out, m_held.FrontData(), due);
  m_held.PopFront();
  return due;
}

// ---- Timestamps ----------------------------------------------------------------

DWORD CRecordFileReader::LastAudioPTS() {
  if (!m_file) return kNoAudioDuration;
  bool found = false;
  uint64_t last = 0;
  // Headers are read whole: the last bytes of a block start the next one.
  const DWORD keep = pestimestamp::kFixedHeader + 5 - 1;
  DWORD kept = 0;
  for (;;) {
    const DWORD n = m_file->Read(m_search.data() + kept, kSearchBuffer - kept);
    const DWORD have = kept + n;
    for (DWORD o = 0; o + 4 <= have; ++o) {
      const BYTE* p = &m_search[o];
      if (p[0] || p[1] || p[2] != 1 || (p[3] & 0xF0) != 0xC0) continue;
      if (IsAudioPesWithPts(p, have - o)) {
        last = pestimestamp::Decode(p + 9);
        found = true;
      }
    }
    if (n == 0) break;
    kept = have < keep ? have : keep;
    memmove(m_search.data(), m_search.data() + have - kept, kept);
  }
  return found ? DWORD(last / 90) : kNoAudioDuration;
}

DWORD CRecordFileReader::GetPTStimeMS(const BYTE* pes, DWORD length) {
  return pestimestamp::HasPts(pes, length) ? DWORD(pestimestamp::Decode(pes + 9) / 90) : 0;
}

int64_t CRecordFileReader::DecodePTS(const BYTE* pes, DWORD length) {
  if (!pestimestamp::HasPts(pes, length)) return -1;
  const uint64_t pts = pestimestamp::Decode(pes + 9);
  m_lastAudioPts = DWORD(pts);
  m_haveAudioPts = true;
  return int64_t(pts);
}
