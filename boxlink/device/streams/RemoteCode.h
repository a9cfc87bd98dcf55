// The box's infrared code messages on interrupt slot 1: the 7 bytes after
// the slot byte carry the code, byte 1 of them the device address, and a
// handler receives the first 4. Portable.
#pragma once

#include <WinTypes.h>

namespace remotecode {

const BYTE kSlot = 1;
const WORD kAnyAddress = 0xFFFF;
const DWORD kCodeLength = 4;

// Whether a message passes the address filter: every message with
// kAnyAddress, else those whose byte 1 equals the address.
bool PassesAddress(WORD address, const BYTE* data, DWORD length);

// Whether a queued message reaches the handler (slot 1, at least 4 bytes).
bool Deliverable(BYTE slot, DWORD length);

}  // namespace remotecode
