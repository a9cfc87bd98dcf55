// The pause of a PVA recording into a file: while paused each stream runs on
// up to its next stamped packet and then writes nothing; on the resume each
// stream starts again at its next stamped packet, and the time it lost (all
// but 100 ms of the gap) is cut out of the later timestamps. Every packet
// written gets the next counter of its stream. Portable.
#pragma once

#include <WinTypes.h>

class CPvaRecordPause {
 public:
  // A gap up to this many 90 kHz ticks stays in the timeline.
  static const DWORD kKeptGap = 9000;

  // A new recording: not paused, both streams running, offsets 0.
  void Clear();
  void Toggle() { m_paused = !m_paused; }
  BOOL IsPaused() const { return m_paused; }

  // One PVA packet (header checked by the caller, `length` bytes): whether
  // it is to be written. Its counter and timestamp are rewritten in place.
  bool Admit(BYTE* packet, DWORD length);

 private:
  struct Stream {
    bool resumed = true;
    BYTE counter = 0;
    DWORD current = 0;      // the last PTS seen
    DWORD lastWritten = 0;  // the PTS of the last packet written
    DWORD offset = 0;       // cut out of every later PTS
  };

  BOOL m_paused = FALSE;
  bool m_audioSeen = false;
  Stream m_audio;
  Stream m_video;
};
