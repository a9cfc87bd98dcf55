// What a recording's demultiplexer hands on, captured for tests: each
// handler call in order, and the output file's bytes (with an optional
// write error after a number of writes).
#pragma once

#include "PesTimestamp.h"
#include "ProgramStreamWriter.h"
#include "SimPvaComposer.h"

#include <WinTypes.h>

#include <cstdint>
#include <vector>

struct CapturedCall {
  char handler;  // 'A' audio, 'V' video, 'R' program stream
  std::vector<BYTE> data;
};

class CRecordCapture : public IPesHandlers, public IRecordOutput {
 public:
  void OnPESAudio(BYTE* d, int n) override { calls.push_back({'A', std::vector<BYTE>(d, d + n)}); }
  void OnPESVideo(BYTE* d, int n) override { calls.push_back({'V', std::vector<BYTE>(d, d + n)}); }
  void OnPESRecord(BYTE* d, int n) override { calls.push_back({'R', std::vector<BYTE>(d, d + n)}); }
  BOOL Write(const BYTE* d, DWORD n) override {
    if (failAfterWrites >= 0 && writes >= failAfterWrites) return FALSE;
    ++writes;
    file.insert(file.end(), d, d + n);
    return TRUE;
  }

  std::vector<std::vector<BYTE>> Of(char handler) const {
    std::vector<std::vector<BYTE>> out;
    for (const CapturedCall& c : calls)
      if (c.handler == handler) out.push_back(c.data);
    return out;
  }

  std::vector<CapturedCall> calls;
  std::vector<BYTE> file;
  int writes = 0;
  int failAfterWrites = -1;
};

// The PTS of a PES packet, or -1.
inline int64_t PtsOf(const std::vector<BYTE>& pes) {
  return pestimestamp::HasPts(pes.data(), DWORD(pes.size())) ? int64_t(pestimestamp::Decode(&pes[9])) : -1;
}

// Test packets in the box's PVA format.
inline std::vector<BYTE> VideoPva(uint32_t pts, BYTE pre, const std::vector<BYTE>& payload) {
  BYTE p[4] = {BYTE(pts >> 24), BYTE(pts >> 16), BYTE(pts >> 8), BYTE(pts)};
  return CSimPvaComposer::Make(1, 0, BYTE(0x10 | pre), p, payload.data(), payload.size());
}
inline std::vector<BYTE> VideoPva(const std::vector<BYTE>& payload) {
  return CSimPvaComposer::Make(1, 0, 0, nullptr, payload.data(), payload.size());
}
inline std::vector<BYTE> AudioPva(const std::vector<BYTE>& payload, bool startsPes) {
  return CSimPvaComposer::Make(2, 0, startsPes ? 0x10 : 0, nullptr, payload.data(), payload.size());
}
// An audio PVA packet holding a whole PES packet with a PTS.
inline std::vector<BYTE> AudioPesPva(uint32_t pts, const std::vector<BYTE>& frames) {
  return AudioPva(CSimPvaComposer::AudioPes(pts, frames.data(), frames.size()), true);
}
