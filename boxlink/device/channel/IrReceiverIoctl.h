// The USB infrared receiver's kernel driver as the library uses it: its
// device-interface class and its two I/O control codes (device type 0x22,
// METHOD_BUFFERED; 4 bytes in, nothing out). Shared by the library and the
// simulated receiver.
#pragma once

#include <windows.h>

namespace irreceiverioctl {

enum Ioctl : DWORD {
  kSetMode = 0x222080,   // in: the receive mode; 0 switches reception off
  kSetEvent = 0x222084,  // in: the event the driver sets when data arrive, or 0
};

// Receive modes the driver accepts.
const DWORD kMaxMode = 12;

}  // namespace irreceiverioctl

// Device-interface class of the USB infrared receiver.
const GUID GUID_BOXLINK_IR_RECEIVER = {0x4E21E420, 0x1F1E, 0x4991, {0x90, 0x5F, 0x59, 0x87, 0x00, 0x47, 0x7D, 0x51}};
