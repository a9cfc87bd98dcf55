#include "ScMicrocode.h"

namespace scmicrocode {

namespace {
const size_t kSectionHeader = 4;  // header, length, check flag, checksum
}

std::vector<WORD> Words(const BYTE* file, size_t size) {
  std::vector<WORD> words((size + 1) / 2, 0);
  for (size_t i = 0; i < size; ++i) words[i / 2] = WORD(words[i / 2] | file[i] << ((i & 1) ? 0 : 8));
  return words;
}

WORD Checksum(const WORD* data, size_t count) {
  DWORD acc = 0;
  for (size_t i = 0; i < count; ++i) {
    acc |= data[i];
    for (int bit = 0; bit < 16; ++bit) {
      bool out = (acc & 0x80000000u) != 0;
      acc <<= 1;
      if (out) acc ^= 0x10210000u;
    }
  }
  return WORD(acc >> 16);
}

Result FindSection(const std::vector<WORD>& words, WORD kind, Section& out) {
  if (words.empty()) return kFormatError;
  // Every section must lie within the file, the one looked for or not.
  size_t sections = words[0];
  size_t at = 1;
  for (size_t s = 0; s < sections; ++s) {
    if (words.size() - at < kSectionHeader) return kFormatError;
    size_t length = words[at + 1];
    at += kSectionHeader;
    if (words.size() - at < length) return kFormatError;
    at += length;
  }
  at = 1;
  for (size_t s = 0; s < sections; ++s) {
    WORD header = words[at];
    size_t length = words[at + 1];
    bool check = words[at + 2] != 0;
    WORD sum = words[at + 3];
    at += kSectionHeader;
    if ((header & kKindMask) == kind) {
      if (check && Checksum(words.data() + at, length) != sum) return kMissing;
      out.header = header;
      out.data.assign(words.begin() + long(at), words.begin() + long(at + length));
      return kOk;
    }
    at += length;
  }
  return kMissing;
}

Result ParseSymbols(const Section& table, std::vector<Symbol>& out) {
  out.clear();
  std::vector<BYTE> bytes;
  for (WORD w : table.data) {
    bytes.push_back(BYTE(w >> 8));
    bytes.push_back(BYTE(w));
  }
  const size_t kRecordHeader = 6;
  std::string previous;
  size_t at = 0;
  while (at < bytes.size()) {
    if (bytes[at] == 0 && at + 1 == bytes.size()) break;  // the closing zero byte
    if (bytes.size() - at < kRecordHeader) return kFormatError;
    const BYTE* r = &bytes[at];
    Symbol sym;
    sym.type = (r[0] >> 4) & 7;
    sym.multiplier = r[0] & 0x0F;
    sym.address = WORD(r[1] << 4 | r[2] >> 4);
    sym.offset = WORD((r[2] & 0x0F) << 8 | r[3]);
    size_t fresh = r[4], kept = r[5];
    if (fresh == 0 || kept > previous.size()) return kFormatError;
    if (DWORD(sym.address) * sym.multiplier + sym.offset > kSymbolBound) return kFormatError;
    at += kRecordHeader;
    if (bytes.size() - at < fresh) return kFormatError;
    sym.name = previous.substr(0, kept) + std::string(bytes.begin() + long(at), bytes.begin() + long(at + fresh));
    at += fresh;
    previous = sym.name;
    out.push_back(sym);
  }
  return kOk;
}

}  // namespace scmicrocode
