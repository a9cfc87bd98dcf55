#include "StatusValues.h"

namespace {
constexpr LONGLONG kMegabyte = 1000000;
constexpr long kSnrFullScale = 13;
constexpr long kFullStrength = 100;
}  // namespace

long ShownSignalStrength(long strength, float snr) {
  if (strength != 0) return strength;
  const long fromSnr = static_cast<long>(snr * 100 / kSnrFullScale);
  return fromSnr > kFullStrength ? kFullStrength : fromSnr;
}

DWORD PlayPositionPerMille(LONGLONG position, LONGLONG size) {
  const LONGLONG megabytes = size / kMegabyte;
  if (megabytes <= 0 || position < 0) return 0;
  return static_cast<DWORD>(position / kMegabyte * 1000 / megabytes);
}

LONGLONG SeekTarget(LONGLONG size, long perMille) { return size / kMegabyte * perMille / 1000 * kMegabyte; }
