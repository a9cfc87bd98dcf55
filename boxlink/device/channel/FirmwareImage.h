// The box's ARM firmware image and its download: the checks on the image
// file, the unmasking of masked images, the box's own 16-bit checksum, the
// download header and the data frames on the bulk command pipe. Shared by
// the library and the simulated box.
#pragma once

#include <WinTypes.h>

#include <vector>

namespace firmwareimage {

const DWORD kMinImage = 80;
const DWORD kMaxImage = 10000000;
// Bytes 0-55 are the header; its CRC-32 follows at 56, big-endian.
const DWORD kHeaderCrcSpan = 56;
const DWORD kHeaderCrcOffset = 56;
// Masked images have every byte XORed with this byte.
const BYTE kMask = 0xA5;
// Data frames carry the image in pieces of this size.
const int kPiece = 60;
// Pipe writes carry at most this many bytes of frames.
const int kPipeWrite = 4096;
const int kHeaderParams = 10;

// Mode letters of the download header and the start command.
const BYTE kLetterUpdate = 'u';  // mode 0: write the flash
const BYTE kLetterBoot = 'a';    // mode 1: run from RAM

// The start command's letter for modes 0..4; 0 for others.
BYTE StartLetter(int mode);

// Entry i of the CRC-32 table of the reflected polynomial 0xEDB88320.
constexpr DWORD CrcEntry(DWORD i) {
  for (int k = 0; k < 8; ++k) i = (i & 1) ? 0xEDB88320u ^ (i >> 1) : i >> 1;
  return i;
}
// The table written out (for arrays that must be initialised as constants).
#define BOXFW_CRC8(i)                                                                                 \
  firmwareimage::CrcEntry(i), firmwareimage::CrcEntry(i + 1), firmwareimage::CrcEntry(i + 2),         \
      firmwareimage::CrcEntry(i + 3), firmwareimage::CrcEntry(i + 4), firmwareimage::CrcEntry(i + 5), \
      firmwareimage::CrcEntry(i + 6), firmwareimage::CrcEntry(i + 7)
#define BOXFW_CRC64(i)                                                                                              \
  BOXFW_CRC8(i), BOXFW_CRC8(i + 8), BOXFW_CRC8(i + 16), BOXFW_CRC8(i + 24), BOXFW_CRC8(i + 32), BOXFW_CRC8(i + 40), \
      BOXFW_CRC8(i + 48), BOXFW_CRC8(i + 56)
#define BOXFW_CRC_TABLE BOXFW_CRC64(0), BOXFW_CRC64(64), BOXFW_CRC64(128), BOXFW_CRC64(192)

extern const DWORD kCrcTable[256];
// The standard CRC-32 (reflected 0xEDB88320, complemented on entry and on
// exit), resumable over a running value; null data gives 0.
DWORD Crc32(DWORD crc, const BYTE* data, DWORD length);
// The box's own 16-bit checksum of the whole transfer.
WORD BoxChecksum(const BYTE* data, long length);

// The transfer length: the image length plus (length mod 4), the added
// bytes zero.
inline DWORD TransferLength(DWORD imageLength) { return imageLength + imageLength % 4; }

// The transfer buffer of an image: padded, and unmasked when only the
// unmasked form has a correct header CRC. Empty when the length is out of
// range or neither form is correct.
std::vector<BYTE> PrepareTransfer(const BYTE* image, DWORD length);

// The 10 parameter bytes of the download header.
void BuildHeader(BYTE* out, DWORD transferLength, WORD checksum, int mode);

// All data frames of a transfer, back to back.
std::vector<BYTE> BuildFrames(const BYTE* transfer, DWORD length);

// A synthetic image of the given length with a correct header CRC (tests).
std::vector<BYTE> MakeImage(DWORD length, BYTE seed, bool masked);

}  // namespace firmwareimage
