// The microcode file of the terrestrial demodulator at 0xE2 (variants 7 and
// 8): 16-bit words, high byte first (an odd length read as if padded by one
// byte). Word 0 counts the sections; each is a header (bit 15 clear on the
// code section, bits 13-14 its kind, bits 0-12 its load address), the
// number L of data words, a check flag, a checksum and the L data words.
// The file comes from disk: every length is checked against it.
#pragma once

#include <WinTypes.h>

#include <cstddef>
#include <string>
#include <vector>

namespace scmicrocode {

const WORD kCodeKind = 0x0000;
const WORD kSymbolKind = 0x4000;
const WORD kKindMask = 0x6000;
const WORD kRefused = 0x8000;  // header bit 15, not allowed on the code section
const WORD kAddressMask = 0x1FFF;
// A symbol may not reach beyond this address.
const DWORD kSymbolBound = 2048;

enum Result { kOk, kMissing, kFormatError };

struct Section {
  WORD header = 0;
  std::vector<WORD> data;
};

struct Symbol {
  BYTE type = 0;        // 0-7
  BYTE multiplier = 0;  // 0-15
  WORD address = 0;     // 12 bits
  WORD offset = 0;      // 12 bits
  std::string name;
};

std::vector<WORD> Words(const BYTE* file, size_t size);
// The data words through the CRC-16 register (x^16 + x^12 + x^5 + 1, initial
// value 0, no trailing zero bits).
WORD Checksum(const WORD* data, size_t count);
// The first section of the kind. A section whose check flag is set and whose
// checksum differs counts as missing; a section count or a length that runs
// past the file is a format error.
Result FindSection(const std::vector<WORD>& words, WORD kind, Section& out);
// The symbol table's records, in file order.
Result ParseSymbols(const Section& table, std::vector<Symbol>& out);

}  // namespace scmicrocode
