#include "DVBBoardControl.h"

#include "BootClock.h"
#include "DVBCommon.h"
#include "DVBIntPipeReader.h"
#include "DVBIoI2c.h"
#include "DVBIsoStreamReader.h"
#include "DVBNetAdapter.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace bootclock {

namespace {
PollSleep g_sleep = nullptr;
}

void SetPollSleep(PollSleep sleep) { g_sleep = sleep; }

void Pause(DWORD milliseconds) {
  PollSleep sleep = g_sleep;
  if (sleep)
    sleep(milliseconds);
  else
    Sleep(milliseconds);
}

}  // namespace bootclock

namespace {

const DWORD kInvalidMode = 0xFFFFFFFF;
const DWORD kModePc = 1;
const DWORD kModeSetTop = 0;
const DWORD kStopWaitMs = 200;
const DWORD kBootPipeTimeoutMs = 2000;
const DWORD kResetPauseMs = 20;

bool NoBox() { return !CDVBCommon::IsOpen(); }

bool HasOutput(int s) { return (s >= 1 && s <= 6) || s >= 13 || s < 0; }
bool HasInput(int s) { return s >= 7 || s < 0; }

}  // namespace

DVB_ERROR CDVBBoardControl::BootARM(const char* file) {
  if (NoBox()) return DVB_ERR_NO_DEVICE;
  WORD present = CDVBCommon::GetNumberOfDevices();
  WORD index = CDVBCommon::GetActDeviceIdx();
  DWORD mode = 0, second = 0, third = 0;
  if (!CDVBIoI2c::GetSTBMode(mode, second, third)) return DVB_ERR_NO_ANSWER;
  if (mode == kInvalidMode) return DVB_ERR_STATE;
  if (mode == kModePc) return DVB_ERR_NONE;

  // The box is reopened as it was opened: with its network side when that
  // was open, and under the application id it was registered with (copied,
  // since closing clears the record).
  bool networkWasOpen = CDVBNetAdapter::GetHandle() != INVALID_HANDLE_VALUE;
  const char* module = nullptr;
  const char* registeredAppId = nullptr;
  if (!CDVBCommon::GetCurrentDevApp(index, module, registeredAppId)) return DVB_ERR_FAILED;
  std::string appId = registeredAppId ? registeredAppId : "";

  if (!CDVBIoI2c::STBUpdateFlashOrBootPCMode(file, 1)) return DVB_ERR_FAILED;
  CDVBCommon::CloseDevice();

  // The box leaves the bus, then comes back running the image. A box slower
  // to leave than the first wait is still waited for: the second wait also
  // goes on while the box has not been seen leaving, so it is not reopened
  // just before it drops off the bus.
  bool left = false;
  for (int i = 0; i < kLeavePolls; ++i) {
    if (CDVBCommon::GetNumberOfDevices() != present) {
      left = true;
      break;
    }
    bootclock::Pause(kPollMs);
  }
  for (int i = 0; i < kReturnPolls; ++i) {
    WORD now = CDVBCommon::GetNumberOfDevices();
    if (now < present) left = true;
    if (left && now >= present) break;
    bootclock::Pause(kPollMs);
  }
  if (CDVBCommon::GetNumberOfDevices() < present) return DVB_ERR_FAILED;

  if (!CDVBCommon::OpenDevice(index, appId.empty() ? nullptr : appId.c_str(), networkWasOpen ? FALSE : TRUE))
    return DVB_ERR_FAILED;
  if (!CDVBIoI2c::GetSTBMode(mode, second, third) || mode != kModePc) return DVB_ERR_FAILED;
  CDVBIoI2c::SetPipeTimeout(USB_PIPE_BULK_CMD_OUT, kBootPipeTimeoutMs);
  CDVBIoI2c::SetPipeTimeout(USB_PIPE_BULK_CMD_IN, kBootPipeTimeoutMs);
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBBoardControl::STB2StandbyModus() {
  if (NoBox()) return DVB_ERR_NO_DEVICE;
  DWORD mode = 0, second = 0, third = 0;
  if (!CDVBIoI2c::GetSTBMode(mode, second, third)) return DVB_ERR_FAILED;
  if (mode != kModeSetTop) return DVB_ERR_STATE;
  return CDVBIoI2c::ResetSTB(2) ? DVB_ERR_NONE : DVB_ERR_FAILED;
}

DVB_ERROR CDVBBoardControl::Reset2STBModus() {
  if (NoBox()) return DVB_ERR_NO_DEVICE;
  return CDVBIoI2c::ResetSTB(0) ? DVB_ERR_NONE : DVB_ERR_FAILED;
}

DVB_ERROR CDVBBoardControl::ResetInit() {
  if (NoBox() || !CDVBIoI2c::ResetDriver()) return DVB_ERR_NO_DEVICE;
  Sleep(kResetPauseMs);
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBBoardControl::GetMACAddress(DWORD& first, DWORD& second) {
  if (NoBox()) return DVB_ERR_NO_DEVICE;
  return CDVBIoI2c::ReadMAC(first, second) ? DVB_ERR_NONE : DVB_ERR_NO_ANSWER;
}

BOOL CDVBBoardControl::GetDriverStatus(DWORD* words, BYTE count) { return CDVBIoI2c::GetDriverStatus(words, count); }

DVB_ERROR CDVBBoardControl::GetUsbDeviceIDs(WORD& vendor, WORD& product) {
  return CDVBIoI2c::GetUsbDeviceIDs(vendor, product) ? DVB_ERR_NONE : DVB_ERR_FAILED;
}

DVB_ERROR CDVBBoardControl::GetSTBMode(DWORD& mode, DWORD& second, DWORD& third) {
  return CDVBIoI2c::GetSTBMode(mode, second, third) ? DVB_ERR_NONE : DVB_ERR_FAILED;
}

DVB_ERROR CDVBBoardControl::GetSTBVersions(WORD& v0, WORD& v1, WORD& v2, WORD& v3, WORD& v4, WORD& v5) {
  return CDVBIoI2c::GetSTBVersions(v0, v1, v2, v3, v4, v5) ? DVB_ERR_NONE : DVB_ERR_FAILED;
}

DWORD CDVBBoardControl::PackFileVersion(const char* text) {
  DWORD packed = 0;
  const char* p = text;
  for (int i = 0; p && i < 4; ++i) {
    char* end = nullptr;
    unsigned long n = strtoul(p, &end, 10);
    if (end == p) break;
    packed |= DWORD(n & 0xF) << (12 - 4 * i);
    if (*end != '.' && *end != ',') break;
    p = end + 1;
  }
  return packed;
}

namespace {

// The FileVersion text of the first translation that has one.
DWORD LibraryVersion() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, sizeof(path));
  if (n == 0 || n >= sizeof(path)) return 0;
  char* slash = strrchr(path, '\\');
  if (!slash) return 0;
  strcpy(slash + 1, "boxlink.dll");
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  if (!size) return 0;
  std::vector<BYTE> info(size);
  if (!GetFileVersionInfoA(path, 0, size, info.data())) return 0;
  WORD* translations = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length))
    return 0;
  for (UINT i = 0; i + 1 < length / 2; i += 2) {
    char key[64];
    snprintf(key, sizeof(key), "\\StringFileInfo\\%04x%04x\\FileVersion", translations[i], translations[i + 1]);
    char* text = nullptr;
    UINT textLength = 0;
    if (VerQueryValueA(info.data(), key, reinterpret_cast<void**>(&text), &textLength) && text && textLength && *text)
      return CDVBBoardControl::PackFileVersion(text);
  }
  return 0;
}

}  // namespace

DVB_ERROR CDVBBoardControl::GetVersions(DWORD& library, DWORD& usbDriver, DWORD& networkDriver) {
  library = LibraryVersion();
  usbDriver = CDVBCommon::IsOpen() ? CDVBIoI2c::GetUsbStbDrvVersion() : 0;
  networkDriver = CDVBNetAdapter::GetVersion();  // 0 when the adapter is not open
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBBoardControl::GetUsbBandWidth(DWORD& first, DWORD& second) {
  if (NoBox()) return DVB_ERR_NO_DEVICE;
  DWORD a = 0, b = 0;
  if (!CDVBIoI2c::GetUsbBandWidth(a, b)) return DVB_ERR_NO_DEVICE;
  first = a - a / 10;
  second = b;
  return DVB_ERR_NONE;
}

DVB_ERROR CDVBBoardControl::EnableIsoStream(_BANDWIDTH setting) {
  if (NoBox()) return DVB_ERR_NO_DEVICE;
  CDVBIsoStreamReader& stream = TheIsoStreamReader();
  CDVBIntPipeReader& interrupt = TheIntPipeReader();
  if (setting == 0) {
    interrupt.StopThread(kStopWaitMs);
    CDVBIoI2c::SetEPIntInState(0);
    stream.StopThread(kStopWaitMs);
    CDVBIoI2c::SwitchIsoInStreamOnOff(FALSE);
    CDVBIoI2c::SwitchIsoOutStreamOnOff(FALSE);
    return CDVBIoI2c::SelectAlternateSetting(USB_ALTERNATE_SETTING_0) ? DVB_ERR_NONE : DVB_ERR_NO_DEVICE;
  }
  if (!CDVBIoI2c::SelectAlternateSetting(_ALTERNATE_SETTINGS(setting))) return DVB_ERR_REFUSED;
  // Each failure undoes what was switched on, in reverse order.
  bool output = HasOutput(setting), input = HasInput(setting);
  auto rollBack = [&](bool inputOn, bool outputOn) {
    if (inputOn) CDVBIoI2c::SwitchIsoInStreamOnOff(FALSE);
    if (outputOn) CDVBIoI2c::SwitchIsoOutStreamOnOff(FALSE);
    CDVBIoI2c::SelectAlternateSetting(USB_ALTERNATE_SETTING_0);
    return DVB_ERR_REFUSED;
  };
  if (output && !CDVBIoI2c::SwitchIsoOutStreamOnOff(TRUE)) return rollBack(false, false);
  if (input) {
    if (!CDVBIoI2c::SwitchIsoInStreamOnOff(TRUE)) return rollBack(false, output);
    if (!stream.StartThread(THREAD_PRIORITY_NORMAL)) return rollBack(true, output);
  }
  interrupt.StartThread(THREAD_PRIORITY_NORMAL);
  CDVBIoI2c::SetEPIntInState(1);
  CDVBIoI2c::SetEPIntInState(1);
  return DVB_ERR_NONE;
}
