#include "PesFile.h"

#include <cstdio>

namespace {

bool KeptStream(uint8_t id) { return id == 0xBD || (id >= 0xC0 && id <= 0xEF); }

// The PTS of an MPEG-2 PES header, when the packet has one.
bool ReadPts(const std::vector<uint8_t>& p, uint64_t* pts) {
  if (p.size() < 14 || (p[6] & 0xC0) != 0x80 || (p[7] & 0x80) == 0) return false;
  *pts = (static_cast<uint64_t>(p[9] & 0x0E) << 29) | (static_cast<uint64_t>(p[10]) << 22) |
         (static_cast<uint64_t>(p[11] & 0xFE) << 14) | (static_cast<uint64_t>(p[12]) << 7) | (p[13] >> 1);
  return true;
}

}  // namespace

std::vector<PesFilePacket> SplitPesStream(const std::vector<uint8_t>& b, std::string* error) {
  std::vector<PesFilePacket> packets;
  size_t at = 0;
  auto fail = [&](const char* what) {
    if (error) *error = std::string(what) + " at byte " + std::to_string(at);
  };
  while (at < b.size()) {
    const uint8_t prefix[3] = {0, 0, 1};
    bool startCode = true;
    for (size_t i = 0; i < 3 && at + i < b.size(); ++i) startCode = startCode && b[at + i] == prefix[i];
    if (!startCode) {
      fail("no start code");
      break;
    }
    if (at + 4 > b.size()) {
      fail("packet cut short");
      break;
    }
    const uint8_t id = b[at + 3];
    if (id == 0xB9) {  // program end
      at += 4;
      continue;
    }
    if (id == 0xBA) {  // MPEG-2 pack header: 14 bytes and its stuffing
      if (at + 14 > b.size()) {
        fail("pack header cut short");
        break;
      }
      at += 14 + (b[at + 13] & 0x07);
      continue;
    }
    if (id < 0xBB) {
      fail("no packet");
      break;
    }
    if (at + 6 > b.size()) {
      fail("packet cut short");
      break;
    }
    const size_t size = 6 + ((static_cast<size_t>(b[at + 4]) << 8) | b[at + 5]);
    if (at + size > b.size()) {
      fail("packet cut short");
      break;
    }
    if (KeptStream(id)) {
      PesFilePacket packet;
      packet.bytes.assign(b.begin() + static_cast<std::ptrdiff_t>(at),
                          b.begin() + static_cast<std::ptrdiff_t>(at + size));
      packet.hasPts = ReadPts(packet.bytes, &packet.pts);
      packets.push_back(std::move(packet));
    }
    at += size;
  }
  return packets;
}

bool ReadPesFile(const std::string& path, std::vector<PesFilePacket>* packets, std::string* error) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    *error = "cannot open " + path;
    return false;
  }
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  for (size_t n; (n = std::fread(chunk, 1, sizeof(chunk), f)) > 0;) bytes.insert(bytes.end(), chunk, chunk + n);
  std::fclose(f);
  error->clear();
  *packets = SplitPesStream(bytes, error);
  return error->empty();
}
