// The box's MAC address in its EEPROM (device 0x50, offsets 0xCC-0xDF),
// scrambled and sealed with a CRC.
#include "DVBIoI2c.h"

#include "MacBlock.h"

#include <cstdlib>

namespace {

const int kTries = 3;
// The EEPROM's write cycle after each byte.
const DWORD kWriteCycleMs = 50;

// The C runtime's generator, seeded from the tick count: wait until the tick
// has moved more than 7 ms on, seed with it, and skip a tick-dependent number
// of values.
void SeedRandom() {
  DWORD start = GetTickCount();
  DWORD now = start;
  while (now - start <= 7) {
    Sleep(1);
    now = GetTickCount();
  }
  srand(now);
  for (DWORD skip = (now + 56) % 256; skip > 0; --skip) rand();
}

int Random() { return rand(); }

}  // namespace

short CDVBIoI2c::MACBLOCK_CRC(BYTE* block, short length) { return macblock::CheckAndSeal(block, length); }

short CDVBIoI2c::MACBLOCK_DECRYPT(DWORD* first, DWORD* second, WORD* scrambled) {
  return macblock::Unscramble(reinterpret_cast<const BYTE*>(scrambled), first, second);
}

short CDVBIoI2c::MACBLOCK_ENCRYPT(DWORD first, DWORD second, BYTE* scrambled) {
  SeedRandom();
  return macblock::Scramble(first, second, scrambled, Random);
}

BOOL CDVBIoI2c::ReadMAC(DWORD& first, DWORD& second) {
  first = 0;
  second = 0;
  GetErrNo();
  for (int attempt = 0; attempt < kTries; ++attempt) {
    const int offset[1] = {macblock::kEepromOffset};
    int words[macblock::kScrambledSize] = {};
    CombinedSeq(macblock::kEepromAddress, offset, 1, words, macblock::kScrambledSize);
    if (GetErrNo() != 0) continue;
    WORD block[macblock::kWords];
    BYTE* bytes = reinterpret_cast<BYTE*>(block);
    for (int i = 0; i < macblock::kScrambledSize; ++i) bytes[i] = BYTE(words[i]);
    return MACBLOCK_DECRYPT(&first, &second, block) == 0;
  }
  return FALSE;
}

BOOL CDVBIoI2c::WriteMac(DWORD first, DWORD second) {
  BYTE block[macblock::kScrambledSize];
  MACBLOCK_ENCRYPT(first, second, block);
  for (int i = 0; i < macblock::kScrambledSize; ++i) {
    const int pair[2] = {macblock::kEepromOffset + i, block[i]};
    int attempt = 0;
    while (CombinedSeq(macblock::kEepromAddress, pair, 2, nullptr, 0) != 0) {
      if (++attempt == kTries) return FALSE;
    }
    Sleep(kWriteCycleMs);
  }
  return TRUE;
}
