// A program-stream file played back: every PVA packet the reader hands out
// is whole and no longer than the multiplexer builds them, and the reader
// comes to an end. The first byte, when odd, makes a jump half-way in after
// the first packet.
#include "../MemoryRecordFile.h"
#include "ProgramStreamReader.h"

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const bool jump = data[0] & 1;
  CMemoryRecordFile file(std::vector<BYTE>(data + 1, data + size));
  static std::unique_ptr<CProgramStreamReader> reader(new CProgramStreamReader);
  reader->Reset(&file);
  const BYTE* packet;
  DWORD n;
  for (size_t packets = 0; reader->Next(packet, n); ++packets) {
    if (n < 8 || n > 1024 || packet[0] != 'A' || packet[1] != 'V' || DWORD((packet[6] << 8) | packet[7]) + 8 != n)
      __builtin_trap();
    // At most one packet per 4 bytes read, plus what the scheduler held.
    if (packets > size + 3000) __builtin_trap();
    if (jump && packets == 0) reader->Seek(1000, 500);
  }
  return 0;
}
