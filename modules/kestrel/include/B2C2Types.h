// The plain values of the card filter's tuner (B2C2Interfaces.h): its
// types, its capability bits and record. Portable.
#pragma once

#include <WinTypes.h>

// The tuner's kinds (B2C2TunerCapabilities::dwTunerType).
enum B2C2TunerType : DWORD {
  kB2C2TunerSatellite = 0,
  kB2C2TunerCable = 1,
  kB2C2TunerTerrestrial = 2,
  kB2C2TunerAtsc = 3,
};

// Performance-monitoring bits: which status values the tuner measures.
enum : DWORD {
  kB2C2MonitorBitErrorRate = 0x01,
  kB2C2MonitorTotalBlocks = 0x02,
  kB2C2MonitorUncorrectedBlocks = 0x08,
  kB2C2MonitorSnr = 0x10,
  kB2C2MonitorSignalStrength = 0x20,
  kB2C2MonitorSignalQuality = 0x40,
};

// Acquisition bits: what the tuner finds by itself.
enum : DWORD {
  kB2C2AcquireGuardInterval = 0x02,
};

// The tuner's capabilities, 14 words (56 bytes).
struct B2C2TunerCapabilities {
  DWORD dwTunerType;
  DWORD dwConstellationSupport;
  DWORD dwFecSupport;
  DWORD dwMinTransponderFrequency;
  DWORD dwMaxTransponderFrequency;
  DWORD dwMinTunerFrequency;
  DWORD dwMaxTunerFrequency;
  DWORD dwMinSymbolRate;
  DWORD dwMaxSymbolRate;
  DWORD dwReserved;
  DWORD dwPerformanceMonitoring;
  DWORD dwLockTimeMs;
  DWORD dwKernelLockTimeMs;
  DWORD dwAcquisitionCapabilities;
};
static_assert(sizeof(B2C2TunerCapabilities) == 56, "the capability record is 56 bytes");
