// The exchange through which another process asks the process that holds
// the box for slave filters (network filters whose data go to the box's
// network adapter): the names of the shared memory and the four events, and
// the layouts of the 64-byte request and response in that memory. Portable.
#pragma once

#include <WinTypes.h>

#include <cstddef>

namespace slaverequest {

// The shared memory (mapping "FILE_" + name, mutex "MUTEX_" + name).
#define SLAVE_REQUEST_MEMORY_NAME "D904ECDE-BDD6-472c-A09B-473C628B8A53"
const DWORD kMemorySize = 1024;
// The four manual-reset events, by role.
#define SLAVE_EVENT_REQUEST "F583CDF9-07A4-4453-873F-97C2B04D8D88"
#define SLAVE_EVENT_RESPONSE_READY "E628974A-B70C-4e30-8268-587581D69ABF"
#define SLAVE_EVENT_REQUEST_TAKEN "2E3D6652-8BB1-4212-8640-17E4B712D84F"
#define SLAVE_EVENT_RESPONSE_TAKEN "CF6251C2-4CCC-4d02-BEA7-3137CFF4EB5A"

const size_t kAreaSize = 64;
const size_t kRequestOffset = 0;
const size_t kResponseOffset = 64;

const int kSlots = 16;
// The create answer when every slot is in use.
const BYTE kNoFreeSlot = 0xFF;
// The value and mask bytes a request carries.
const size_t kMaxFilterBytes = 12;
// Command 6 counts at most this many stream slots.
const BYTE kMaxCountedSlots = 15;

enum Command : BYTE {
  kCreate = 1,
  kDelete = 2,
  kReset = 3,
  kSetNetworkFilter = 4,
  kByteCount = 5,
  kByteCounts = 6,
};

struct Request {
  BYTE number = 0;   // filter number 1-16
  BYTE command = 0;  // 1-6; anything else does nothing
  DWORD filterType = 0;
  WORD pid = 0;
  BYTE length = 0;  // value and mask bytes in use, as requested: the filter judges it
  BYTE value[kMaxFilterBytes] = {};
  BYTE mask[kMaxFilterBytes] = {};
  BYTE count = 0;  // command 6: stream slots to count, held to kMaxCountedSlots
};

// Reads the request area (kAreaSize bytes).
Request ReadRequest(const BYTE* area);
// Marks the request area as taken (number and command 0).
void MarkTaken(BYTE* area);
// The slot of a filter number, or -1 when the number is out of range.
int SlotOf(BYTE number);

// Fields of the response area (kAreaSize bytes); a command writes only its
// own, the others keep what an earlier response held.
void PutHead(BYTE* response, BYTE number, BYTE command);
void PutResult(BYTE* response, DWORD result);
void PutAddress(BYTE* response, DWORD ip, DWORD mask, WORD port);
void PutByteCount(BYTE* response, DWORD count);
void PutFilterId(BYTE* response, BYTE id);

}  // namespace slaverequest
