// The elementary-stream PIDs of a transport stream's first programme, as its
// PAT and PMT name them: the first video, MPEG audio and AC-3 stream, which a
// module routes into the recorder as stream types 0, 1 and 2.
#pragma once

#include <cstddef>
#include <cstdint>

struct ProgramPids {
  static constexpr int kNone = -1;
  int pid[3] = {kNone, kNone, kNone};  // by stream type: video, audio, AC-3

  bool Any() const { return pid[0] != kNone || pid[1] != kNone || pid[2] != kNone; }
};

// Reads the first PAT and then the PMT of its first programme; sections must
// start and end within one transport packet, as short tables do. False when
// either is missing or names none of the three kinds.
bool ReadProgramPids(const uint8_t* ts, size_t size, ProgramPids& pids);
