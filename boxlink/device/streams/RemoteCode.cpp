#include "RemoteCode.h"

namespace remotecode {

bool PassesAddress(WORD address, const BYTE* data, DWORD length) {
  if (address == kAnyAddress) return true;
  return length >= 2 && data[1] == address;
}

bool Deliverable(BYTE slot, DWORD length) { return slot == kSlot && length >= kCodeLength; }

}  // namespace remotecode
