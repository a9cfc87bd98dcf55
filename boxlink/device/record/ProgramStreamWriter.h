// The program-stream writer of a recording: takes the PES pieces that the
// PVA demultiplexer cuts, starts the recording at the first video sequence
// header (after an audio PTS gave it a time reference), rebases every PTS
// and DTS onto that start, puts a pack header (the first one followed by the
// system header) in front of each piece and hands the result to an output
// file and to PES handlers. It also cuts a pause out of the timeline: the
// pause is the user's toggle and is kept apart from the wait for the start,
// so a pause toggled before the recording started delays the start, and the
// clock reference never steps back across a cut.
//
// Pack headers are written in place over the bytes in front of each piece:
// callers leave kHeadroom bytes before every piece that may be overwritten.
// Portable; one thread at a time (the demultiplexer's lock).
#pragma once

#include <WinTypes.h>

#include <cstdint>

// The file a recording is written to. FALSE from Write is a write error.
class IRecordOutput {
 public:
  virtual BOOL Write(const BYTE* data, DWORD length) = 0;

 protected:
  ~IRecordOutput() {}
};

// Who receives the pieces: the program stream pack by pack, and the video
// and audio PES pieces (not the one that starts or resumes a recording).
// Lengths are whole packets; the data are valid during the call only.
class IPesHandlers {
 public:
  virtual void OnPESAudio(BYTE* data, int length) = 0;
  virtual void OnPESVideo(BYTE* data, int length) = 0;
  virtual void OnPESRecord(BYTE* data, int length) = 0;

 protected:
  ~IPesHandlers() {}
};

namespace programstream {

const DWORD kPackHeaderSize = 14;
const DWORD kSystemHeaderSize = 18;
// Bytes in front of a piece the writer may overwrite: the pack and system
// headers, and the 10-byte header a piece that starts at a sequence header
// gets.
const DWORD kHeadroom = kPackHeaderSize + kSystemHeaderSize + 10;
const BYTE kVideoStream = 0xE0;
const BYTE kAudioStream = 0xC0;
// The SCR of a fresh start, and the delay between SCR and PTS it gives.
const DWORD kScrStart = 32768;
// Rate in units of 50 bytes/s assumed before any estimate.
const DWORD kDefaultRate = 18000;

// The pack header for a 27 MHz SCR count and a mux rate (50 bytes/s).
void PutPackHeader(BYTE* at, uint64_t scr27MHz, DWORD muxRate);
extern const BYTE kSystemHeader[kSystemHeaderSize];

}  // namespace programstream

class CProgramStreamWriter {
 public:
  CProgramStreamWriter() = default;

  // Resets the state for a new recording with optional output and
  // handlers; the recording waits for an audio PTS and a sequence header.
  void Initialise(IRecordOutput* output, IPesHandlers* handlers);
  // FALSE: write from the first piece on with base 0 (an audio-only
  // stream), and resume a pause at the next audio stamp.
  void SetWaitForSequenceHeader(BOOL wait) { m_waitingForSequence = m_startsAtSequence = wait; }

  // One PES piece (whole packet, length = its length field + 6), with
  // kHeadroom writable bytes in front.
  void WritePiece(BYTE* pes, DWORD length);

  // Pauses or resumes. A resume cuts the pause out of the timeline at the
  // next sequence header (at the next audio stamp in an audio-only stream);
  // before the recording started there is nothing to cut, and the start is
  // looked for afresh.
  void TogglePause();
  // The output refused a write: nothing more is written or handed on.
  BOOL HasFailed() const { return m_failed; }
  DWORD GetTotalWritten() const { return m_totalWritten; }
  uint64_t GetBase() const { return m_base; }

 private:
  // Where a sequence header starts in the piece's data, or -1.
  static int FindSequenceHeader(const BYTE* pes, DWORD length);
  void Start(BYTE* pes, DWORD length, bool resume);
  // The cut of a resume: later stamps move back by the time since the
  // pause, less `kept` ticks.
  void CutPause(uint64_t kept);
  void WritePack(BYTE* pes, DWORD length, bool handOn);
  uint64_t Rebase(uint64_t timestamp) const;
  int DurationOf(DWORD length) const;

  IRecordOutput* m_output = nullptr;
  IPesHandlers* m_handlers = nullptr;
  DWORD m_previousScr = programstream::kScrStart;
  DWORD m_currentScr = 0;
  uint64_t m_base = 0;
  int m_packetDuration = 0;
  uint64_t m_lastAudioPts = 0;
  uint64_t m_audioPtsAtPause = 0;
  // Ticks between the last two audio stamps written.
  uint64_t m_audioStep = 0;
  BOOL m_startsAtSequence = TRUE;
  BOOL m_waitingForSequence = TRUE;
  // Something was written: a resume has a pause to cut out.
  BOOL m_started = FALSE;
  // The user's pause, and a resume that waits for the place to go on at.
  BOOL m_paused = FALSE;
  BOOL m_resumePending = FALSE;
  // After a resume, until an audio stamp has caught up with the clock
  // reference that ran on across the cut, audio does not set it back.
  BOOL m_holdScr = FALSE;
  BOOL m_haveReference = FALSE;
  BOOL m_systemHeaderDue = TRUE;
  BOOL m_failed = FALSE;
  uint64_t m_referencePts = 1;
  DWORD m_bytesSinceReference = 0;
  DWORD m_referenceRate = 0;
  int m_rateEstimate = 0;
  DWORD m_bytesSinceAudioPts = 0;
  DWORD m_totalWritten = 0;
};
