// Builds PES packets for tests: MPEG-2 header with an optional PTS, any payload.
#pragma once

#include <cstdint>
#include <vector>

namespace pes {

// Bytes 9-13 of a header carrying this 33-bit PTS (prefix 0010, marker bits set).
inline void WritePts(uint8_t* p, uint64_t pts) {
  p[0] = static_cast<uint8_t>(0x21 | ((pts >> 29) & 0x0E));
  p[1] = static_cast<uint8_t>(pts >> 22);
  p[2] = static_cast<uint8_t>(((pts >> 14) & 0xFE) | 1);
  p[3] = static_cast<uint8_t>(pts >> 7);
  p[4] = static_cast<uint8_t>(((pts << 1) & 0xFE) | 1);
}

struct Options {
  uint8_t streamId = 0xE0;
  bool hasPts = false;
  uint64_t pts = 0;
  uint8_t extraHeaderBytes = 0;  // stuffing after the PTS (or flags)
};

inline std::vector<uint8_t> Make(const Options& o, const std::vector<uint8_t>& payload) {
  const uint8_t headerData = static_cast<uint8_t>((o.hasPts ? 5 : 0) + o.extraHeaderBytes);
  std::vector<uint8_t> p = {0x00,      0x00, 0x01, o.streamId, 0, 0, 0x80, static_cast<uint8_t>(o.hasPts ? 0x80 : 0x00),
                            headerData};
  p.resize(9 + headerData, 0xFF);
  if (o.hasPts) WritePts(p.data() + 9, o.pts);
  p.insert(p.end(), payload.begin(), payload.end());
  const size_t length = p.size() - 6;
  // Packets longer than the 16-bit field say 0 (unbounded), as video may.
  if (length <= 0xFFFF) {
    p[4] = static_cast<uint8_t>(length >> 8);
    p[5] = static_cast<uint8_t>(length);
  }
  return p;
}

inline std::vector<uint8_t> Video(const std::vector<uint8_t>& payload) { return Make({0xE0}, payload); }
inline std::vector<uint8_t> VideoPts(uint64_t pts, const std::vector<uint8_t>& payload) {
  return Make({0xE0, true, pts}, payload);
}
inline std::vector<uint8_t> Audio(const std::vector<uint8_t>& payload) { return Make({0xC0}, payload); }
inline std::vector<uint8_t> AudioPts(uint64_t pts, const std::vector<uint8_t>& payload) {
  return Make({0xC0, true, pts}, payload);
}

// A sequence header's first 12 bytes: size, aspect code, frame-rate code 3 (25 Hz)
// and bit rate in units of 400 bit/s.
inline std::vector<uint8_t> SequenceHeader(unsigned width, unsigned height, unsigned aspect, unsigned rate400) {
  return {0x00,
          0x00,
          0x01,
          0xB3,
          static_cast<uint8_t>(width >> 4),
          static_cast<uint8_t>(((width & 0x0F) << 4) | (height >> 8)),
          static_cast<uint8_t>(height),
          static_cast<uint8_t>((aspect << 4) | 3),
          static_cast<uint8_t>(rate400 >> 10),
          static_cast<uint8_t>(rate400 >> 2),
          static_cast<uint8_t>(((rate400 & 3) << 6) | 0x20),
          0x00};
}

}  // namespace pes
