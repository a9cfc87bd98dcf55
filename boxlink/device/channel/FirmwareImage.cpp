#include "FirmwareImage.h"

#include "BulkFrame.h"
#include "ByteOrder.h"

namespace firmwareimage {

namespace {

bool HeaderCrcOk(const BYTE* p) { return Crc32(0, p, kHeaderCrcSpan) == byteorder::GetBE32(p + kHeaderCrcOffset); }

}  // namespace

const DWORD kCrcTable[256] = {BOXFW_CRC_TABLE};

BYTE StartLetter(int mode) {
  static const BYTE kLetters[] = {'u', 'a', 's', 'h', 'x'};
  return mode >= 0 && mode < 5 ? kLetters[mode] : 0;
}

DWORD Crc32(DWORD crc, const BYTE* data, DWORD length) {
  if (!data) return 0;
  crc = ~crc;
  for (DWORD i = 0; i < length; ++i) crc = kCrcTable[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

WORD BoxChecksum(const BYTE* data, long length) {
  if (!data || length <= 0) return 0;
  DWORD c = 0xFFFF;
  for (long i = 0; i < length; ++i) {
    c ^= data[i];
    c ^= (c & 0xFF) >> 4;
    DWORD t = c & 0xFF;
    c ^= (t << 5) ^ (t << 4);
    c &= 0xFFFF;
  }
  return WORD(~c);
}

std::vector<BYTE> PrepareTransfer(const BYTE* image, DWORD length) {
  std::vector<BYTE> out;
  if (!image || length < kMinImage || length > kMaxImage) return out;
  out.assign(TransferLength(length), 0);
  for (DWORD i = 0; i < length; ++i) out[i] = image[i];
  if (HeaderCrcOk(out.data())) return out;
  for (BYTE& b : out) b ^= kMask;  // the added zero bytes too
  if (HeaderCrcOk(out.data())) return out;
  out.clear();
  return out;
}

void BuildHeader(BYTE* out, DWORD transferLength, WORD checksum, int mode) {
  byteorder::PutBE32(out, transferLength);
  out[4] = out[5] = 0;
  byteorder::PutBE16(out + 6, checksum);
  out[8] = mode == 0 ? kLetterUpdate : kLetterBoot;
  out[9] = 0;
}

std::vector<BYTE> BuildFrames(const BYTE* transfer, DWORD length) {
  std::vector<BYTE> out;
  out.reserve(length + 4 * (length / kPiece) + 4);
  BYTE frame[bulkframe::kMaxFrame];
  DWORD piece = 0;
  for (DWORD at = 0; at < length; at += kPiece, ++piece) {
    int n = int(length - at < DWORD(kPiece) ? length - at : DWORD(kPiece));
    int size = bulkframe::Encode(frame, BYTE(piece), bulkframe::kFlashData, transfer + at, n);
    out.insert(out.end(), frame, frame + size);
  }
  return out;
}

std::vector<BYTE> MakeImage(DWORD length, BYTE seed, bool masked) {
  std::vector<BYTE> image(length);
  DWORD x = seed * 2654435761u + 1;
  for (BYTE& b : image) {
    x = x * 1103515245u + 12345u;
    b = BYTE(x >> 16);
  }
  if (length >= kHeaderCrcOffset + 4)
    byteorder::PutBE32(image.data() + kHeaderCrcOffset, Crc32(0, image.data(), kHeaderCrcSpan));
  if (masked)
    for (BYTE& b : image) b ^= kMask;
  return image;
}

}  // namespace firmwareimage
