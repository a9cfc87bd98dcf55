// The rules of the status timer that turn the front end's and the
// renderer's answers into the host's status fields.
#pragma once

#include <WinTypes.h>

// 75, 50, 25 or 0 by the bit error rate, +25 when locked; 0 when not locked.
int QualityFromBitErrorRate(double ber, bool locked);

// kbit/s from the bytes counted over one timer period.
DWORD DataRateKbit(DWORD bytes);

// The monitor mode (1 16:9, 0 4:3) after a tick: the host's aspect request
// (1 force 16:9, 2 force 4:3, 0 automatic from the preferred aspect x:y);
// any other request keeps the current mode.
int NextMonitorMode(int aspectMode, int monitorMode, int x, int y);
