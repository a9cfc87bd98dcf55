// The library's classes over the simulated card: each call is recorded, may
// be told to fail by the script, and otherwise answers from the script.
#include <cstring>

#include "DVBBoardControl.h"
#include "DVBCommon.h"
#include "DVBFrontend.h"
#include "SimCard.h"

namespace {

bool g_open = false;  // a card is open (the host's thread only)
frontendtypes::_CHANNEL_TYPE g_channel = {};  // the last channel tuned (the host's thread only)

DVB_ERROR Result(int code) { return static_cast<DVB_ERROR>(code); }

}  // namespace

// ------------------------------------------------------------- CDVBCommon

WORD CDVBCommon::GetNumberOfDevices() { return static_cast<WORD>(CSimCard::Get().settings.devices); }

BOOL CDVBCommon::GetDeviceInfo(WORD index, CString& name, CString& mac, CString& third) {
  CSimCard& card = CSimCard::Get();
  third.Empty();
  if (index >= card.settings.devices) return FALSE;
  name = card.settings.name.c_str();
  mac = card.settings.mac.c_str();
  return TRUE;
}

BOOL CDVBCommon::OpenDevice(WORD index, const char* appId, BOOL noNetwork) {
  CSimCard& card = CSimCard::Get();
  card.Record("OpenDevice %u %s %d", index, appId ? appId : "(null)", noNetwork);
  if (card.Fail("OpenDevice") || index >= card.settings.devices) return FALSE;
  g_open = true;
  return TRUE;
}

void CDVBCommon::CloseDevice() {
  CSimCard::Get().Record("CloseDevice");
  g_open = false;
}

// ------------------------------------------------------- CDVBBoardControl

DVB_ERROR CDVBBoardControl::BootARM(CString* folder) {
  CSimCard& card = CSimCard::Get();
  card.Record("BootARM %s", folder ? static_cast<LPCTSTR>(*folder) : "(null)");
  if (!folder || folder->IsEmpty() || folder->Right(1) != "\\") return DVB_ERR_ARGUMENT;
  return Result(card.Fail("BootARM"));
}

DVB_ERROR CDVBBoardControl::ResetInit() {
  CSimCard::Get().Record("ResetInit");
  return Result(CSimCard::Get().Fail("ResetInit"));
}

DVB_ERROR CDVBBoardControl::GetBEVersion(_BE_VERSION& version) {
  CSimCard& card = CSimCard::Get();
  card.Record("GetBEVersion");
  std::memset(&version, 0, sizeof(version));
  if (const int code = card.Fail("GetBEVersion")) return Result(code);
  version.dwVersion[0] = card.settings.beVersion;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBBoardControl::EnableDataDMA(int enable) {
  CSimCard& card = CSimCard::Get();
  card.Record("EnableDataDMA %d", enable);
  if (!g_open) return DVB_ERR_NO_DEVICE;
  return Result(card.Fail("EnableDataDMA"));
}

// ----------------------------------------------------------- CDVBFrontend

DVB_ERROR CDVBFrontend::Init() {
  CSimCard::Get().Record("Frontend Init");
  if (!g_open) return DVB_ERR_NO_DEVICE;
  return Result(CSimCard::Get().Fail("Init"));
}

CDVBFrontend::_FRONTEND_TYPE CDVBFrontend::GetType() {
  return static_cast<_FRONTEND_TYPE>(CSimCard::Get().settings.frontendType);
}

DVB_ERROR CDVBFrontend::SetChannel(_CHANNEL_TYPE c, int last) {
  CSimCard& card = CSimCard::Get();
  card.Record("SetChannel %lu %lu %lu %lu %lu %lu %lu %d", static_cast<unsigned long>(c.dwFrequency),
              static_cast<unsigned long>(c.dwInversion), static_cast<unsigned long>(c.dwSymbolRate),
              static_cast<unsigned long>(c.dwParam3), static_cast<unsigned long>(c.dwParam4),
              static_cast<unsigned long>(c.dwLNBSupply), static_cast<unsigned long>(c.dwViterbi), last);
  if (const int code = card.Fail("SetChannel")) return Result(code);
  g_channel = c;
  return DVB_ERR_NONE;
}

// The channel last tuned.
DVB_ERROR CDVBFrontend::GetChannel(_CHANNEL_TYPE& channel) {
  std::memset(&channel, 0, sizeof(channel));
  if (const int code = CSimCard::Get().Fail("GetChannel")) return Result(code);
  channel = g_channel;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBFrontend::GetState(int& locked, _SIGNAL_TYPE* signal, _LOCK_STATE* lock) {
  CSimCard& card = CSimCard::Get();
  if (const int code = card.Fail("GetState")) return Result(code);
  locked = card.settings.locked;
  if (signal) {
    std::memset(signal, 0, sizeof(*signal));
    signal->dBER = card.settings.ber;
    signal->wLevel = card.settings.level;
    signal->wQuality = card.settings.quality;
  }
  if (lock) {
    std::memset(lock, 0, sizeof(*lock));
    lock->Type = GetType();
    lock->bLocked = card.settings.locked ? 1 : 0;
  }
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBFrontend::SendDiSEqCMsg(BYTE* data, BYTE length, BYTE burst) {
  CSimCard& card = CSimCard::Get();
  char hex[2 * 255 + 1] = {};
  for (int i = 0; data && i < length; ++i) std::snprintf(hex + 2 * i, 3, "%02X", data[i]);
  card.Record("SendDiSEqCMsg %s %u", hex, burst);
  return Result(card.Fail("SendDiSEqCMsg"));
}

void CDVBFrontend::GetFrequencyRange(ULONG& min, ULONG& max) {
  min = CSimCard::Get().settings.rangeMin;
  max = CSimCard::Get().settings.rangeMax;
}
