// The values the status timer and the playback controls compute from the
// card's answers. Portable.
#pragma once

#include <WinTypes.h>

// The signal strength shown: the tuner's, or when that is 0 the SNR × 100 / 13,
// at most 100.
long ShownSignalStrength(long strength, float snr);
// The timeshift play position in per mille, in whole megabytes; 0 for a file
// under one megabyte (no whole megabyte to divide by).
DWORD PlayPositionPerMille(LONGLONG position, LONGLONG size);
// The file position of a per-mille seek, in whole megabytes.
LONGLONG SeekTarget(LONGLONG size, long perMille);
