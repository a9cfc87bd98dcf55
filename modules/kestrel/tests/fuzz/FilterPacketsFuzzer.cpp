// Dispatches arbitrary bytes, cut into 188-byte packets whose PIDs are
// forced to 0 to 3, to a filter of each type: whatever the headers say,
// every block served lies within the packet or the section buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "HostFilterList.h"

namespace {
volatile uint8_t g_read;  // keeps the reads below

int Check(void* context, const uint8_t* data, int length) {
  if (length < 0 || static_cast<size_t>(length) > CHostFilterList::kSectionBufferSize) __builtin_trap();
  uint8_t sum = 0;
  for (int i = 0; i < length; ++i) sum ^= data[i];  // read every byte served
  g_read = sum;
  return 0;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CHostFilterList list([](int, const char*) {});
  static int contexts[4];
  list.Add(CHostFilterList::kPayload, 0, 0, 0, 0, Check, &contexts[0]);
  list.Add(CHostFilterList::kSections, 1, 0, 0, 0, Check, &contexts[1]);
  list.Add(CHostFilterList::kWholePacket, 2, 0, 0, 0, Check, &contexts[2]);
  list.Add(CHostFilterList::kSections, 3, 0x42, 0xF0, 0, Check, &contexts[3]);
  uint8_t packet[CHostFilterList::kPacketSize];
  for (size_t at = 0; at + sizeof(packet) <= size; at += sizeof(packet)) {
    std::memcpy(packet, data + at, sizeof(packet));
    packet[1] &= 0xE0;
    packet[2] &= 0x03;
    list.Dispatch(packet);
  }
  return 0;
}
