#include "MacBlock.h"

#include "ByteOrder.h"

#include <cstring>

namespace macblock {
namespace {

// The key is never kept in the data as it stands: it is the XOR of these two
// tables, assembled on the stack for one call and cleared afterwards.
const WORD kKeyA[kWords] = {0x6D31, 0x52A4, 0x0F7E, 0x3B19, 0x7C62, 0x4E8D, 0x21F0, 0x6A57, 0x1DC3, 0x5B2E};
const WORD kKeyB[kWords] = {0x5719, 0x4A4D, 0x243E, 0x378A, 0x49B3, 0x51E7, 0x2FD7, 0x4EEF, 0x21C6, 0x4AA0};

void AssembleKey(volatile WORD* key) {
  for (int i = 0; i < kWords; ++i) key[i] = WORD(kKeyA[i] ^ kKeyB[i]);
}

void Wipe(volatile void* p, size_t n) {
  volatile BYTE* b = static_cast<volatile BYTE*>(p);
  while (n--) *b++ = 0;
}

}  // namespace

WORD Crc16(const BYTE* data, size_t length) {
  WORD crc = 0xFFFF;
  for (size_t i = 0; i < length; ++i) {
    crc ^= WORD(data[i] << 8);
    for (int bit = 0; bit < 8; ++bit) crc = (crc & 0x8000) ? WORD((crc << 1) ^ 0x1021) : WORD(crc << 1);
  }
  return crc;
}

short CheckAndSeal(BYTE* block, int length) {
  if (!block || length < 2) return -1;
  WORD check = WORD(~Crc16(block, size_t(length - 2)));
  BYTE* tail = block + length - 2;
  short result = byteorder::GetBE16(tail) == check ? 0 : -1;
  byteorder::PutBE16(tail, check);
  return result;
}

short Scramble(DWORD first, DWORD second, BYTE* scrambled, RandomSource random) {
  BYTE plain[kPlainSize];
  byteorder::PutLE32(plain, first);
  byteorder::PutLE32(plain + 4, second);
  CheckAndSeal(plain, kPlainSize);
  volatile WORD key[kWords];
  AssembleKey(key);
  for (int i = 0; i < kWords; ++i) {
    // Bits 15-14 of r give the shift s of the plain byte; the bits below s
    // are random filler, bits 11-13 stay clear.
    WORD r = WORD(2u * unsigned(random()));
    int shift = r >> 14;
    WORD low = WORD((1 << shift) - 1);
    WORD keep = WORD((unsigned(random()) & low) | 0xC000);
    WORD word = WORD(((plain[i] << shift) | (r & keep)) ^ key[i]);
    byteorder::PutLE16(scrambled + 2 * i, word);
  }
  Wipe(key, sizeof(key));
  Wipe(plain, sizeof(plain));
  return kScrambledSize;
}

short Unscramble(const BYTE* scrambled, DWORD* first, DWORD* second) {
  *first = 0;
  *second = 0;
  volatile WORD key[kWords];
  AssembleKey(key);
  BYTE plain[kPlainSize];
  for (int i = 0; i < kWords; ++i) {
    WORD t = WORD(byteorder::GetLE16(scrambled + 2 * i) ^ key[i]);
    plain[i] = BYTE(t >> (t >> 14));
  }
  short result = CheckAndSeal(plain, kPlainSize);
  if (result == 0) {
    *first = byteorder::GetLE32(plain);
    *second = byteorder::GetLE32(plain + 4);
  }
  Wipe(key, sizeof(key));
  Wipe(plain, sizeof(plain));
  return result;
}

}  // namespace macblock
