// I/O control codes of the driver of the box's network adapter on the PC
// (device type 0x17, METHOD_BUFFERED, FILE_ANY_ACCESS) and their buffer
// sizes. Shared by the library and the simulated adapter driver.
#pragma once

#include <WinTypes.h>

namespace netadapterioctl {

enum Ioctl : DWORD {
  kGetMulticastList = 0x172024,  // out: the 396-byte multicast list
  kGetAddress = 0x172034,        // out: u32 IP, u32 mask, u16 base port, 2 bytes unused
  kSetAddress = 0x17203C,        // in: u32 IP, u32 mask
  kSendSection = 0x1720C0,       // in: tag byte, then the section bytes
  kSendBlock = 0x1720C4,         // in: the block bytes
  kGetDriverVersion = 0x173FFC,  // out: u32 version
};

const DWORD kMulticastListSize = 396;
const DWORD kAddressReplySize = 12;
// IP, mask and port: what the library reads of the address reply.
const DWORD kAddressReplyUsed = 10;
const DWORD kAddressRequestSize = 8;
// The most data bytes one section or block may carry.
const DWORD kMaxPayload = 8128;

}  // namespace netadapterioctl
