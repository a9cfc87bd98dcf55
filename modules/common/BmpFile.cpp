#include "BmpFile.h"

namespace {

constexpr size_t kInfoHeaderSize = 40;
constexpr uint32_t kBiBitfields = 3;

uint32_t Read32(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint32_t>(b[at]) | static_cast<uint32_t>(b[at + 1]) << 8 |
         static_cast<uint32_t>(b[at + 2]) << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

uint16_t Read16(const std::vector<uint8_t>& b, size_t at) {
  return static_cast<uint16_t>(b[at] | b[at + 1] << 8);
}

void Put32(std::vector<uint8_t>& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; i++) b[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

uint32_t DibColourEntries(const std::vector<uint8_t>& dib) {
  if (dib.size() < kInfoHeaderSize) return 0;
  const uint32_t used = Read32(dib, 32);
  const uint16_t bits = Read16(dib, 14);
  if (used) return used;
  if (bits <= 8) return 1u << bits;
  return Read32(dib, 16) == kBiBitfields ? 3 : 0;
}

uint64_t DibSize(const std::vector<uint8_t>& dib) {
  if (dib.size() < kInfoHeaderSize) return 0;
  const uint32_t headerSize = Read32(dib, 0);
  const int32_t width = static_cast<int32_t>(Read32(dib, 4));
  const int32_t height = static_cast<int32_t>(Read32(dib, 8));
  const uint16_t bits = Read16(dib, 14);
  const uint32_t entries = DibColourEntries(dib);
  if (headerSize < kInfoHeaderSize || width <= 0 || height == 0 || width > 65536 || bits == 0 || bits > 32 ||
      entries > 65536)
    return 0;
  const uint64_t rows = static_cast<uint64_t>(height < 0 ? -static_cast<int64_t>(height) : height);
  if (rows > 65536) return 0;
  const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
  return headerSize + entries * 4ull + stride * rows;
}

std::vector<uint8_t> BmpFileHeader(const std::vector<uint8_t>& dib) {
  std::vector<uint8_t> header(14, 0);
  header[0] = 'B';
  header[1] = 'M';
  Put32(header, 2, static_cast<uint32_t>(14 + dib.size()));
  const uint32_t headerSize = dib.size() >= 4 ? Read32(dib, 0) : 0;
  Put32(header, 10, 14 + headerSize + DibColourEntries(dib) * 4);
  return header;
}
