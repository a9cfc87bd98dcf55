// Playback of an MPEG-2 program-stream file: finds the audio and video PES
// packets behind the pack headers, has the PVA multiplexer cut and schedule
// them, and hands the released PVA packets out one at a time. At the end of
// the file what the scheduler still holds goes out too. Jumps by a time
// offset land on the next PES start. Portable; one thread at a time.
#pragma once

#include "PvaMultiplexer.h"
#include "RecordFile.h"

#include <WinTypes.h>

#include <deque>
#include <vector>

class CProgramStreamReader final : private IPvaPacketSink {
 public:
  // PES starts are searched this far at most.
  static const DWORD kSearchLimit = 2 * 1024 * 1024;

  CProgramStreamReader();

  // Reads `file` (not owned) from its position on; forgets what was queued.
  void Reset(IRecordFile* file);
  // The next PVA packet (valid until the next call): 1, or 0 at the end.
  int Next(const BYTE*& packet, DWORD& length);
  // Where the file stands, in ms of `duration`.
  DWORD TimePosition(DWORD duration);
  // Jumps deltaMs from the position to the next PES start and returns the
  // new time position; the duration when that leaves the file (the
  // reader is then at its end).
  DWORD Seek(DWORD duration, int deltaMs);
  // PES packets the multiplexer dropped (a timestamp stepping back).
  DWORD DroppedPes() const { return m_droppedPes; }

 private:
  int ReleasePacket(BYTE* packet, DWORD length) override;
  // Cuts the next PES packet of the file; false at the end.
  bool CutNextPes();
  void EndOfFile();

  CPvaMultiplexer m_mux;
  IRecordFile* m_file = nullptr;
  std::deque<std::vector<BYTE>> m_ready;
  std::vector<BYTE> m_current;
  std::vector<BYTE> m_pes;
  bool m_end = false;
  bool m_drained = false;
  DWORD m_droppedPes = 0;
};
