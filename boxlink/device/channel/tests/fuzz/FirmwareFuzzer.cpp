// A firmware image file as arbitrary bytes, the way the library prepares it
// for download: the header check, the unmasking, the padding, and the data
// frames that must carry the transfer whole. The first byte may seal the
// header's CRC (and then mask the image), so that accepted images are
// reached as well as rejected ones.
#include "BulkFrame.h"
#include "ByteOrder.h"
#include "FirmwareImage.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const BYTE flags = data[0];
  std::vector<BYTE> image(data + 1, data + size);  // exact size: ASan sees over-reads
  const bool sealed = (flags & 1) && image.size() >= firmwareimage::kHeaderCrcOffset + 4;
  if (sealed) {
    byteorder::PutBE32(image.data() + firmwareimage::kHeaderCrcOffset,
                       firmwareimage::Crc32(0, image.data(), firmwareimage::kHeaderCrcSpan));
    if (flags & 2)
      for (BYTE& b : image) b ^= firmwareimage::kMask;
  }
  const DWORD length = DWORD(image.size());
  std::vector<BYTE> transfer = firmwareimage::PrepareTransfer(image.empty() ? nullptr : image.data(), length);
  const bool inRange = length >= firmwareimage::kMinImage && length <= firmwareimage::kMaxImage;
  if (sealed && inRange && transfer.empty()) __builtin_trap();
  if (transfer.empty()) return 0;
  if (transfer.size() != firmwareimage::TransferLength(length)) __builtin_trap();
  firmwareimage::BoxChecksum(transfer.data(), long(transfer.size()));

  // The frames read back as the transfer, piece by piece, in order.
  std::vector<BYTE> frames = firmwareimage::BuildFrames(transfer.data(), DWORD(transfer.size()));
  bulkframe::CBulkFrameReader reader;
  reader.Feed(frames.data(), frames.size());
  bulkframe::Frame frame;
  size_t at = 0, piece = 0;
  while (reader.Next(frame)) {
    if (frame.command != bulkframe::kFlashData || frame.sequence != BYTE(piece)) __builtin_trap();
    if (at + frame.length > transfer.size()) __builtin_trap();
    if (memcmp(frame.payload, transfer.data() + at, frame.length) != 0) __builtin_trap();
    at += frame.length;
    ++piece;
  }
  if (at != transfer.size() || reader.Pending() != 0 || reader.DroppedBytes() != 0) __builtin_trap();
  return 0;
}
