#include "ProgramPids.h"

namespace {

constexpr size_t kPacket = 188;
constexpr size_t kCrc = 4;

int PidAt(const uint8_t* p) { return (p[0] & 0x1F) << 8 | p[1]; }

// The section that starts in this packet and ends in it, or nullptr.
const uint8_t* SectionIn(const uint8_t* packet, size_t& length) {
  if (packet[0] != 0x47 || !(packet[1] & 0x40)) return nullptr;  // no payload unit start
  const int control = packet[3] >> 4 & 3;
  if (!(control & 1)) return nullptr;  // no payload
  size_t at = control == 3 ? 5u + packet[4] : 4u;
  if (at >= kPacket) return nullptr;
  at += 1u + packet[at];  // the pointer field
  if (at + 3 > kPacket) return nullptr;
  const uint8_t* section = packet + at;
  length = 3u + ((section[1] & 0x0F) << 8 | section[2]);
  return at + length <= kPacket ? section : nullptr;
}

// The first section of the table on the PID that holds at least minLength bytes.
const uint8_t* FindSection(const uint8_t* ts, size_t size, int pid, uint8_t table, size_t minLength, size_t& length) {
  for (size_t i = 0; i + kPacket <= size; i += kPacket) {
    if (PidAt(ts + i + 1) != pid) continue;
    const uint8_t* section = SectionIn(ts + i, length);
    if (section && section[0] == table && length >= minLength) return section;
  }
  return nullptr;
}

bool HasDescriptor(const uint8_t* descriptors, size_t length, uint8_t tag) {
  for (size_t at = 0; at + 2 <= length && at + 2 + descriptors[at + 1] <= length; at += 2 + descriptors[at + 1])
    if (descriptors[at] == tag) return true;
  return false;
}

// PMT stream types and the recorder's stream types they go to.
struct StreamKind {
  uint8_t pmtType;
  int type;
};
// clang-format off
constexpr StreamKind kKinds[] = {
    {0x01, 0}, {0x02, 0}, {0x10, 0}, {0x1B, 0}, {0x24, 0},  // MPEG-1/2, MPEG-4, H.264, HEVC video
    {0x03, 1}, {0x04, 1}, {0x0F, 1}, {0x11, 1},             // MPEG audio, AAC
    {0x81, 2},                                              // AC-3 by its own type
};
// clang-format on

// The recorder's stream type for a PMT entry, -1 for none.
int StreamTypeOf(uint8_t pmtType, const uint8_t* descriptors, size_t length) {
  for (const StreamKind& kind : kKinds)
    if (kind.pmtType == pmtType) return kind.type;
  // Private data is AC-3 when an AC-3 descriptor says so.
  return pmtType == 0x06 && HasDescriptor(descriptors, length, 0x6A) ? 2 : -1;
}

}  // namespace

bool ReadProgramPids(const uint8_t* ts, size_t size, ProgramPids& pids) {
  size_t length = 0;
  const uint8_t* pat = FindSection(ts, size, 0x0000, 0x00, 8 + kCrc, length);
  if (!pat) return false;
  int pmtPid = -1;
  for (size_t at = 8; at + 4 <= length - kCrc && pmtPid < 0; at += 4)
    if ((pat[at] << 8 | pat[at + 1]) != 0) pmtPid = PidAt(pat + at + 2);  // programme 0 names the NIT
  if (pmtPid < 0) return false;
  const uint8_t* pmt = FindSection(ts, size, pmtPid, 0x02, 12 + kCrc, length);
  if (!pmt) return false;
  const size_t end = length - kCrc;
  for (size_t at = 12u + ((pmt[10] & 0x0F) << 8 | pmt[11]); at + 5 <= end;) {
    const size_t info = (pmt[at + 3] & 0x0F) << 8 | pmt[at + 4];
    if (at + 5 + info > end) break;
    const int type = StreamTypeOf(pmt[at], pmt + at + 5, info);
    if (type >= 0 && pids.pid[type] == ProgramPids::kNone) pids.pid[type] = PidAt(pmt + at + 1);
    at += 5 + info;
  }
  return pids.Any();
}
