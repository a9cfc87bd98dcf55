// Completion statuses of the simulated driver's calls, as the I/O manager
// records them in OVERLAPPED.Internal, and the Win32 error each becomes.
// Shared by the driver's files only.
#pragma once

#include <windows.h>

namespace simstatus {

const LONG kPending = 0x00000103;
const LONG kSuccess = 0;
const LONG kUnsuccessful = LONG(0xC0000001);
const LONG kInvalidDeviceRequest = LONG(0xC0000010);
const LONG kInvalidParameter = LONG(0xC000000D);
const LONG kCancelled = LONG(0xC0000120);
const LONG kTimeout = LONG(0xC00000B5);
const LONG kNotConnected = LONG(0xC000009D);
const LONG kDeviceBusy = LONG(0x80000011);

inline DWORD Win32Error(LONG status) {
  switch (status) {
    case kSuccess: return 0;
    case kCancelled: return ERROR_OPERATION_ABORTED;
    case kTimeout: return ERROR_SEM_TIMEOUT;
    case kNotConnected: return ERROR_DEVICE_NOT_CONNECTED;
    case kDeviceBusy: return ERROR_BUSY;
    case kInvalidDeviceRequest: return ERROR_INVALID_FUNCTION;
    case kInvalidParameter: return ERROR_INVALID_PARAMETER;
  }
  return ERROR_GEN_FAILURE;
}

}  // namespace simstatus
