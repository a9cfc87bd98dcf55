// The box's MAC address block in its EEPROM: the two MAC words and a
// check value, scrambled word by word with a fixed key so that a plain copy
// of the bytes does not read as an address.
//
// Plain block (10 bytes): first word LE32, second word LE32, the one's
// complement of the CRC-16 (poly 0x1021, init 0xFFFF) of bytes 0-7, BE16.
// Scrambled block (20 bytes): ten LE16 words, word i carries plain byte i.
#pragma once

#include <WinTypes.h>
#include <cstddef>

namespace macblock {

const int kPlainSize = 10;
const int kScrambledSize = 20;
const int kWords = 10;

// EEPROM location of the scrambled block (device 0x50, offsets 0xCC-0xDF).
const int kEepromAddress = 0x50;
const BYTE kEepromOffset = 0xCC;

// CRC-16 with polynomial 0x1021, initial value 0xFFFF, no reflection, no
// final XOR.
WORD Crc16(const BYTE* data, size_t length);

// Computes the check value over length - 2 bytes and stores it in the last
// two bytes; 0 when they already held it, -1 when not (or length < 2).
short CheckAndSeal(BYTE* block, int length);

// A source of random values in the C runtime's manner (0 to at least 0x7FFF).
typedef int (*RandomSource)();

// Scrambles the two words into 20 bytes; returns 20.
short Scramble(DWORD first, DWORD second, BYTE* scrambled, RandomSource random);

// Unscrambles 20 bytes; 0 with both words set, or -1 with both words 0 when
// the block fails its check. Clears its plain copy and key before returning.
short Unscramble(const BYTE* scrambled, DWORD* first, DWORD* second);

}  // namespace macblock
