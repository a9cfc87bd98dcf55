// The interface between the TV application (the host) and a hardware module:
// the host's logging function and callbacks, the capability record and the
// status record that the host owns and the module fills, and the result
// codes of the exports. Portable: the records are plain memory images, so
// the host, the modules and the native tests share this one header.
#pragma once

#include <cstddef>
#include <cstdint>

#include <WinTypes.h>

#ifndef _WIN32
#define __cdecl
#endif

struct DVB_CHANNELS;

// Result codes of the exports (the device library's DVB_ERROR values).
enum ModuleResult : int {
  kModuleOk = 0,
  kModuleFailed = 2,
  kModuleBadArgument = 3,
  kModuleWrongState = 5,
};

// Levels of the host's log.
enum ModuleLogLevel : int {
  kLogInfo = 10,
  kLogError = 127,
};

// The host's printf-style log: (source file, line, level, format, ...).
typedef int(__cdecl* PFN_MODULE_LOG)(const char* sourceFile, int line, int level, const char* format, ...);
// The host's tap on the module's PES packets.
typedef int(__cdecl* PFN_PES_CALLBACK)(const BYTE* data, int length);
// Delivers the data of one filter to the host.
typedef int(__cdecl* PFN_FILTER_CALLBACK)(void* context, const BYTE* data, int length);
// Delivers one teletext page block to the host.
typedef int(__cdecl* PFN_TELETEXT_CALLBACK)(const BYTE* data, int length);

// The front end's tuning record that _SetTunerChannel takes by value:
// seven 32-bit words.
struct CHANNEL_TYPE {
  DWORD words[7];
};

// The capability record: 46 flags that the module writes once in
// _QLONExModule and never reads.
constexpr size_t kCapabilityCount = 46;
struct MODULE_CAPABILITIES {
  DWORD flags[kCapabilityCount];
};
static_assert(sizeof(MODULE_CAPABILITIES) == 184);

// The status record. Fields the module never touches are kept as padding so
// that every named field lies at its place in the 32-bit layout. Packed to 4
// bytes: the 64-bit field must not round the record up past its 172 bytes.
#pragma pack(push, 4)
struct MODULE_STATUS {
  uint8_t reserved0[8];
  DWORD m_iFrontendType;  // 1 DVB-S, 2 DVB-C, 3 DVB-T, 0 other
  DWORD m_iRecPlayState;  // 0 idle; other values per module
  DWORD m_iPlaySpeed;     // 0 running, 4 paused
  uint8_t reserved20[4];
  DWORD m_iPlayPosition;  // per mille of the file
  DWORD m_iSignalValue;   // front end's quality in percent
  DWORD m_iQuality;       // 0..100
  DWORD m_iSignalValue2;  // front end's level
  DWORD m_iVideoWidth;
  DWORD m_iVideoHeight;
  DWORD m_iDataRate;  // kbit/s over the last timer period
  int16_t m_iScreenMode;
  uint8_t reserved54[2];
  DWORD m_bLocked;
  DWORD m_dwCleared60;  // written 0 on every timer tick
  int16_t m_iLastScreenMode;
  uint8_t reserved66[2];
  int32_t m_iXScale;
  int32_t m_iYScale;
  DWORD m_dwCleared76;  // written 0 on every timer tick
  uint64_t m_llRecordedSize;
  DWORD m_bTopMost;  // host
  uint8_t reserved92[4];
  DWORD m_iAC3Mode;
  DWORD m_dwMinFrequency;
  DWORD m_dwMaxFrequency;
  uint8_t reserved108[4];
  DWORD m_iSurfaceMode;
  DWORD m_bNoChannel;  // host
  int32_t m_iBorderX;
  int32_t m_iBorderY;
  int32_t m_iAspectMode;    // host: 0 automatic, 1 force 16:9, 2 force 4:3
  int32_t m_iPlayBufferKB;  // host
  uint8_t reserved136[16];
  DVB_CHANNELS* m_pChannel;
  void* m_pFilterGraph;
  DWORD m_iMPEGAspect;
  PFN_PES_CALLBACK m_pfnPESCallback;  // host
  DWORD m_bPESCallback;               // host
};
#pragma pack(pop)

// The layout the host was built against is the 32-bit one.
#if defined(_WIN32) && !defined(_WIN64)
static_assert(offsetof(MODULE_STATUS, m_iFrontendType) == 8);
static_assert(offsetof(MODULE_STATUS, m_iDataRate) == 48);
static_assert(offsetof(MODULE_STATUS, m_iScreenMode) == 52);
static_assert(offsetof(MODULE_STATUS, m_bLocked) == 56);
static_assert(offsetof(MODULE_STATUS, m_iLastScreenMode) == 64);
static_assert(offsetof(MODULE_STATUS, m_llRecordedSize) == 80);
static_assert(offsetof(MODULE_STATUS, m_iAC3Mode) == 96);
static_assert(offsetof(MODULE_STATUS, m_iSurfaceMode) == 112);
static_assert(offsetof(MODULE_STATUS, m_iBorderX) == 120);
static_assert(offsetof(MODULE_STATUS, m_iAspectMode) == 128);
static_assert(offsetof(MODULE_STATUS, m_pChannel) == 152);
static_assert(offsetof(MODULE_STATUS, m_pFilterGraph) == 156);
static_assert(offsetof(MODULE_STATUS, m_iMPEGAspect) == 160);
static_assert(offsetof(MODULE_STATUS, m_pfnPESCallback) == 164);
static_assert(offsetof(MODULE_STATUS, m_bPESCallback) == 168);
static_assert(sizeof(MODULE_STATUS) == 172);
#endif
