#include "Ac3HeaderScan.h"

namespace {
// The bit of header byte 6 that holds the LFE flag, by acmod: it follows
// the mix-level fields that the layout carries.
constexpr BYTE kLfeMask[8] = {0x10, 0x10, 0x04, 0x04, 0x04, 0x01, 0x04, 0x01};
constexpr size_t kMinimumBytes = 11;
}  // namespace

int ParseAC3Header(const BYTE* bytes, size_t length, DWORD* mode) {
  if (!bytes || length < kMinimumBytes || bytes[0] != 0x0B || bytes[1] != 0x77) return -1;
  const BYTE acmod = bytes[6] >> 5;
  if (mode) *mode = static_cast<DWORD>(acmod) << 8 | (bytes[6] & kLfeMask[acmod]);
  return 0;
}

BOOL ScanForAC3Header(const BYTE* bytes, size_t length, DWORD* mode) {
  BOOL found = FALSE;
  for (size_t at = 0; bytes && at + kMinimumBytes <= length; ++at)
    if (ParseAC3Header(bytes + at, length - at, mode) == 0) found = TRUE;
  return found;
}
