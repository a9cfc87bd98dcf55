#include "TimeShiftPosition.h"

namespace {
constexpr LONGLONG kUnit = 1000000;
}  // namespace

DWORD TimeShiftPlayPosition(LONGLONG readPosition, LONGLONG writePosition) {
  const LONGLONG written = writePosition / kUnit;
  if (written <= 0 || readPosition < 0) return 0;
  return static_cast<DWORD>(readPosition / kUnit * 1000 / written);
}

LONGLONG TimeShiftSeekTarget(LONGLONG writePosition, int perMille) {
  return writePosition / kUnit * perMille / 1000 * kUnit;
}
