// Routes arbitrary bytes, cut into 188-byte packets, with the recorder's PIDs
// 0x100 to 0x102 and a filter of each type on PIDs 0 to 3: whatever the
// headers say, every block served lies within the packet or the section
// buffer, and nothing reads past a packet.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "TsRouter.h"

namespace {
volatile uint8_t g_read;

void ReadAll(const uint8_t* data, size_t length) {
  uint8_t sum = 0;
  for (size_t i = 0; i < length; ++i) sum ^= data[i];
  g_read = sum;
}

int Check(void*, const uint8_t* data, int length) {
  if (length < 0 || static_cast<size_t>(length) > CHostFilterList::kSectionBufferSize) __builtin_trap();
  ReadAll(data, static_cast<size_t>(length));
  return 0;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CTsRouter router([](int, const BYTE* p, DWORD length) { ReadAll(p, length); }, [](int, const char*) {});
  router.SetPids(0x100, 0x101, 0x102);
  static int contexts[4];
  router.Filters().Add(CHostFilterList::kPayload, 0, 0, 0, 0, Check, &contexts[0]);
  router.Filters().Add(CHostFilterList::kSections, 1, 0, 0, 0, Check, &contexts[1]);
  router.Filters().Add(CHostFilterList::kWholePacket, 2, 0, 0, 0, Check, &contexts[2]);
  router.Filters().Add(CHostFilterList::kSections, 3, 0x42, 0xF0, 0, Check, &contexts[3]);
  uint8_t packet[CTsRouter::kPacketSize];
  for (size_t at = 0; at + sizeof(packet) <= size; at += sizeof(packet)) {
    std::memcpy(packet, data + at, sizeof(packet));
    // PIDs 0..3 for the filters, or 0x100..0x102 for the recorder by a bit of byte 1.
    const unsigned pid = (packet[1] & 0x40) ? 0x100u + (packet[2] % 3) : (packet[2] & 0x03u);
    packet[1] = static_cast<uint8_t>((packet[1] & 0xE0) | (pid >> 8));
    packet[2] = static_cast<uint8_t>(pid);
    router.Route(pid, packet);
  }
  return 0;
}
