#include "RecordFile.h"

#include "ProgramStreamWriter.h"

#include <cstdint>
#include <vector>

namespace recordfile {

namespace {

// Bytes read per step of a pattern search.
const DWORD kSearchBlock = 3996;

bool Matches(const BYTE* at, const BYTE* pattern, const BYTE* mask, DWORD length) {
  for (DWORD i = 0; i < length; ++i) {
    const BYTE m = mask ? mask[i] : 0xFF;
    if ((at[i] ^ pattern[i]) & m) return false;
  }
  return true;
}

}  // namespace

long FindPattern(IRecordFile& file, const BYTE* pattern, const BYTE* mask, DWORD length, DWORD limit) {
  if (!pattern || length == 0 || length > kMaxPattern) return kSearchFailed;
  const DWORD start = file.Position();
  std::vector<BYTE> block(kSearchBlock + kMaxPattern);
  DWORD kept = 0;  // bytes carried over from the previous block
  DWORD base = 0;  // distance of block[0] from the start
  for (;;) {
    const DWORD n = file.Read(block.data() + kept, kSearchBlock);
    const DWORD have = kept + n;
    for (DWORD i = 0; i + length <= have; ++i) {
      if (base + i > limit) break;
      if (Matches(&block[i], pattern, mask, length)) {
        file.Seek(start + base + i);
        return long(base + i);
      }
    }
    if (n == 0 || base + have > limit + length) break;
    // The last length - 1 bytes may begin a match that the next block ends.
    kept = have >= length ? length - 1 : have;
    for (DWORD i = 0; i < kept; ++i) block[i] = block[have - kept + i];
    base += have - kept;
  }
  file.Seek(start);
  return kNotFound;
}

BOOL WriteZeros(IRecordOutput& out, DWORD count) {
  static const BYTE kZeros[kZeroPiece] = {};
  while (count) {
    const DWORD piece = count < kZeroPiece ? count : kZeroPiece;
    if (!out.Write(kZeros, piece)) return FALSE;
    count -= piece;
  }
  return TRUE;
}

DWORD Scale(DWORD value, DWORD numerator, DWORD denominator) {
  if (!denominator) return 0;
  return DWORD(uint64_t(value) * numerator / denominator);
}

}  // namespace recordfile
