#include "StatusRules.h"

int QualityFromBitErrorRate(double ber, bool locked) {
  if (!locked) return 0;
  const int byErrors = ber < 0.001 ? 75 : ber < 0.01 ? 50 : ber < 0.1 ? 25 : 0;
  return byErrors + 25;
}

DWORD DataRateKbit(DWORD bytes) { return bytes / 1024 * 8; }

int NextMonitorMode(int aspectMode, int monitorMode, int x, int y) {
  switch (aspectMode) {
    case 1: return 1;
    case 2: return 0;
    case 0:
      if (x == 16 && y == 9) return 1;
      if (x == 4 && y == 3) return 0;
      // Near 16:9 within one unit of the height.
      return (y - 1 <= x * 9 / 16 && x * 9 / 16 <= y + 1) ? 1 : 0;
    default: return monitorMode;
  }
}
