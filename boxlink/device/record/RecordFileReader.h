// The reading side of file playback: measures a recording file (length and
// duration) when it is opened, finds, skips and reads its units one at a
// time (PVA packets, MPEG audio frames, raw 1,024-byte blocks) with the slow
// and fast variants, jumps by a time offset, and for PVA files whose video
// leads the audio holds video packets back until their time has come.
//
// Every unit it returns fits the caller's buffer of kBufferSize bytes: a PVA
// length field that would not fit is taken for damage and the reader finds
// its way back into the stream behind it. Portable; one thread at a time.
#pragma once

#include "PvaQueue.h"
#include "RecordFile.h"

#include <WinTypes.h>

#include <cstdint>
#include <vector>

namespace recordformat {

// The stream formats the box records and plays (the format byte).
const int kPva1 = 1;
const int kMpegAudio = 2;
const int kRaw = 3;
const int kPva4 = 4;
const int kPva5 = 5;
// The file formats: MPEG audio, PVA, PVA played with video held against
// audio, MPEG-2 program stream.
const int kFileMpegAudio = 0;
const int kFilePva = 1;
const int kFilePvaReordered = 2;
const int kFileProgramStream = 3;
// Playback modes the reader reads differently in.
const int kModeSlow = 4;
const int kModeFast = 5;

inline bool IsPva(int streamFormat) { return streamFormat == kPva1 || streamFormat == kPva4 || streamFormat == kPva5; }

}  // namespace recordformat

class CRecordFileReader {
 public:
  static const DWORD kBufferSize = 8192;
  static const DWORD kRawBlock = 1024;

  CRecordFileReader();
  CRecordFileReader(const CRecordFileReader&) = delete;
  CRecordFileReader& operator=(const CRecordFileReader&) = delete;

  // The file to read (not owned) in its formats; forgets the measurement
  // and clears the video reorder buffer.
  void Attach(IRecordFile* file, int streamFormat, int fileFormat);

  // Measures the file for playback; afterwards it stands at its start.
  // FALSE (all outputs 0) when its units or timestamps do not fit its format.
  BOOL GetFileParams(DWORD& length, DWORD& duration, WORD& sampleRate);
  DWORD Length() const { return m_length; }
  DWORD Duration() const { return m_duration; }

  // The unit header at the position (the file stays there): TRUE when it
  // begins a unit. 12 bytes for PVA, 4 for MPEG audio.
  BOOL GetHeader(BYTE* header);
  // Skips the unit at the position when it ends inside the file.
  BOOL GotoNextHeader(DWORD& position);
  // Moves to the first place where a unit starts and a second one follows
  // right behind it, searching the next 16 KB (PVA) or 8 KB (audio).
  BOOL SeekNextHeader(DWORD& position);

  // One unit into buffer (kBufferSize bytes): its length, 0 at the end of
  // the file. timePosition: where it stood, in ms.
  DWORD ReadFileBlock2(BYTE* buffer, int mode, DWORD& timePosition);
  // The same after a jump of seekMs (0: none); 0 when the jump leaves the
  // file (timePosition is then the duration).
  DWORD SeekFileBlock2(BYTE* buffer, int mode, DWORD& timePosition, int seekMs);
  // The next unit to send: for stream format 5, video packets wait in the
  // reorder buffer until the audio has caught up with them.
  DWORD GetPVAPacket(BYTE* buffer, int mode, DWORD& timePosition);
  // Stores a video packet (when `in` is given) and copies a due one to
  // `out`: its length, or 0.
  DWORD VideoBuff(const BYTE* in, DWORD length, BYTE* out);
  void ClearVidBuff();

  // The last audio PTS in the rest of the file, in ms (900,000 when none).
  DWORD LastAudioPTS();
  // The PTS of a PES header in ms, 0 when it carries none.
  static DWORD GetPTStimeMS(const BYTE* pes, DWORD length);
  // The 33-bit PTS of a PES header, -1 when it carries none; a valid one
  // also becomes the last audio PTS.
  int64_t DecodePTS(const BYTE* pes, DWORD length);

  struct Counters {
    DWORD skippedBytes = 0;   // passed over to find the next unit
    DWORD droppedVideo = 0;   // video before the first PTS, or no room
  };
  const Counters& GetCounters() const { return m_counters; }

 private:
  DWORD ReadUnit(BYTE* buffer, int mode);
  DWORD ReadPva(BYTE* buffer);
  // Finds the next PVA packet that fits the buffer from `from` on and
  // reads it; 0 when none is left.
  DWORD ResyncPva(BYTE* buffer, DWORD from);
  DWORD ReadAudioFrame(BYTE* buffer);
  DWORD UnitLengthAt(const BYTE* header) const;
  DWORD TimeAt(DWORD position) const;
  BOOL MeasurePva(DWORD& duration);
  BOOL MeasureAudio(DWORD& duration, WORD& sampleRate);
  // Steps to the next unit, finding the way back into the stream when the
  // unit at the position is damaged; FALSE at the end.
  BOOL StepToNextUnit(DWORD& position);
  bool VideoDue() const;

  IRecordFile* m_file = nullptr;
  int m_streamFormat = 0;
  int m_fileFormat = 0;
  DWORD m_length = 0;
  DWORD m_duration = 0;
  std::vector<BYTE> m_search;

  // The video reorder buffer.
  CPvaQueue m_held;
  bool m_haveVideoPts = false;
  DWORD m_videoPts = 0;
  bool m_haveAudioPts = false;
  DWORD m_lastAudioPts = 0;
  Counters m_counters;
};
