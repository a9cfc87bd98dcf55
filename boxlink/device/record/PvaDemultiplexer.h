// The PVA demultiplexer of a recording: reassembles the video and audio PES
// packets from the box's PVA packets (one per block), has the splitters cut
// them into pieces of bounded size and passes each piece to its program-
// stream writer. Blocks that are no valid PVA packet, or whose contents do
// not fit, are dropped and counted; the next block is taken on its own.
//
// Every call takes the demultiplexer's own lock, so the pause toggle may
// come from another thread than the blocks; the handlers run inside it.
// Portable.
#pragma once

#include "ProgramStreamWriter.h"

#include "framework/SyncObject.h"

#include <WinTypes.h>

class CPvaDemultiplexer {
 public:
  // Room in front of each assembly buffer for headers written in place.
  static const DWORD kFront = 50;
  static const DWORD kAudioCapacity = 30000;
  static const DWORD kVideoCapacity = 600000;

  CPvaDemultiplexer();
  ~CPvaDemultiplexer();
  CPvaDemultiplexer(const CPvaDemultiplexer&) = delete;
  CPvaDemultiplexer& operator=(const CPvaDemultiplexer&) = delete;

  // A new recording to the optional output and handlers.
  void Initialise(IRecordOutput* output, IPesHandlers* handlers);
  // FALSE for an audio-only stream (recording format 1).
  void SetWaitForSequenceHeader(BOOL wait);
  // One PVA packet as the box sent it.
  void Demultiplex(const BYTE* block, DWORD length);
  void TogglePause();

  struct Counters {
    DWORD badBlocks = 0;     // no PVA packet, length field past the block, header cut
    DWORD droppedVideo = 0;  // no room, or before the first video PTS
    DWORD droppedAudio = 0;  // no room, or no PES in work
    DWORD droppedAudioPes = 0;
  };
  Counters GetCounters();
  BOOL HasFailed();

 private:
  void VideoWithPts(const BYTE* packet, DWORD length);
  void Video(const BYTE* packet, DWORD length);
  void AudioWithHeader(const BYTE* packet, DWORD length);
  void Audio(const BYTE* packet, DWORD length);
  // Hands the pending video on: full pieces while more than two are
  // pending, or everything (the PES is complete).
  void SplitVideo(bool final);
  void SplitAudio();
  // Writes the piece at `at` of `data` bytes; a continuation piece gets
  // a plain header in front.
  void EmitVideo(DWORD at, DWORD data);

  CCriticalSection m_lock;
  BYTE* m_audioBuffer;
  BYTE* m_videoBuffer;
  BYTE* m_audio;  // data start, kFront bytes into the buffer
  BYTE* m_video;
  DWORD m_audioFill = 0;
  DWORD m_videoFill = 0;
  DWORD m_videoEmitted = 0;
  // The head of the PES in work, with its header, is not yet handed on.
  bool m_videoHeadPending = false;
  BOOL m_started = FALSE;
  BOOL m_videoStarted = FALSE;
  CProgramStreamWriter m_writer;
  Counters m_counters;
};
