// I/O control codes of the box's USB kernel driver (device type 0x22,
// METHOD_BUFFERED, FILE_ANY_ACCESS) and the pipe numbers the library uses.
// Shared by the library and the simulated driver.
#pragma once

#include <WinTypes.h>

namespace driverioctl {

enum Ioctl : DWORD {
  kGetConfigDescriptor = 0x222000,
  kResetDevice = 0x222004,
  kAbortPipe = 0x222008,
  kResetPipe = 0x22200C,
  kWriteBulkCmdOut = 0x222010,
  kReadBulkCmdIn = 0x222014,
  kWriteBulkStrmOut = 0x222018,
  kReadBulkStrmIn = 0x22201C,
  kWriteIntCtrlOut = 0x222020,
  kReadIntCtrlIn = 0x222024,
  kCommandChannel = 0x222028,
  kSelectAlternateSetting = 0x22202C,
  kSwitchIsoInStream = 0x222030,
  kGetUsbBandWidth = 0x222034,
  kGetUsbDeviceIds = 0x222038,
  kSetupReadEvent = 0x222040,
  kGetDriverStatus = 0x222044,
  kSetPipeTimeout = 0x222048,
  kSwitchIsoOutStream = 0x22204C,
  kSetupWriteEvent = 0x222050,
  kResetDriver = 0x222054,
  kGetAlternateSetting = 0x222060,
  kSetThreshold = 0x222064,
  kClearBuffer = 0x222068,
  kGetDriverVersion = 0x223FFC,
};

// Pipes in the driver's numbering: 0 and 1 carry the bulk command frames
// (their time-out is raised after booting), 7 is the interrupt-in pipe.
enum Pipe : DWORD {
  kPipeBulkCmdOut = 0,
  kPipeBulkCmdIn = 1,
  kPipeBulkStrmOut = 2,
  kPipeBulkStrmIn = 3,
  kPipeIsoIn = 4,
  kPipeIsoOut = 5,
  kPipeIntCtrlOut = 6,
  kPipeIntCtrlIn = 7,
  kPipeCount = 8,
};

// The driver's status words (GetDriverStatus) and the device descriptor size.
const int kDriverStatusWords = 17;
const int kDeviceDescriptorSize = 18;

}  // namespace driverioctl
