// The elementary streams that a program stream, a run of PES packets or a
// run of PVA packets carry, and the packets of one PVA stream: what tests of
// recording and playback compare.
#pragma once

#include <WinTypes.h>

#include <algorithm>
#include <vector>

namespace elementary {

typedef std::vector<BYTE> Bytes;

inline void Append(Bytes& to, const BYTE* b, size_t n) { to.insert(to.end(), b, b + n); }

// The elementary streams of a program stream (pack and system headers
// skipped), or of the PES packets in a byte run: audio, then video.
struct Elementary {
  Bytes audio, video;
};

inline Elementary FromPesRun(const Bytes& s) {
  Elementary out;
  for (size_t at = 0; at + 9 <= s.size();) {
    if (s[at] || s[at + 1] || s[at + 2] != 1) {
      ++at;
      continue;
    }
    const BYTE id = s[at + 3];
    if (id == 0xBA) {
      at += 14;
      continue;
    }
    const size_t length = 6 + ((s[at + 4] << 8) | s[at + 5]);
    if (id == 0xC0 || id == 0xE0) {
      const size_t header = 9 + s[at + 8];
      Bytes& to = id == 0xC0 ? out.audio : out.video;
      Append(to, &s[at + header], std::min(length, s.size() - at) - header);
    }
    at += length;
  }
  return out;
}

// The elementary streams that PVA packets carry.
inline Elementary FromPva(const std::vector<Bytes>& packets) {
  Bytes audioPes;
  Elementary out;
  for (const Bytes& p : packets) {
    const size_t body = 8 + ((p[5] & 0x10) && p[2] == 1 ? 4 : 0);
    if (p[2] == 2)
      Append(audioPes, &p[8], p.size() - 8);
    else
      Append(out.video, &p[body], p.size() - body);
  }
  out.audio = FromPesRun(audioPes).audio;
  return out;
}

// The PVA packets of one stream (1 video, 2 audio), in order.
inline std::vector<Bytes> OfStream(const std::vector<Bytes>& packets, BYTE stream) {
  std::vector<Bytes> out;
  for (const Bytes& p : packets)
    if (p[2] == stream) out.push_back(p);
  return out;
}

}  // namespace elementary
