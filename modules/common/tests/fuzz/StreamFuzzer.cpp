// Feeds arbitrary bytes to the recorder as a sequence of blocks for its three
// stream types: the first byte of each block picks the type and the length
// (in packets plus a few odd bytes), so both whole packets and torn blocks
// come through. Every packet the tap receives must be a pack header and a
// PES packet whose length field matches what was delivered.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "DVBRecorder.h"
#include "PesTemplates.h"

namespace {

int __cdecl Tap(const BYTE* data, int length) {
  if (length < 14 + 6 || std::memcmp(data, kPackHeaderTemplate, 14) != 0) __builtin_trap();
  const BYTE* pes = data + 14;
  if (pes[0] != 0 || pes[1] != 0 || pes[2] != 1) __builtin_trap();
  if ((pes[4] << 8 | pes[5]) + 6 != length - 14) __builtin_trap();
  return 0;
}

int __cdecl Log(const char*, int, int, const char*, ...) { return 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MODULE_STATUS status{};
  status.m_pfnPESCallback = &Tap;
  status.m_bPESCallback = 1;
  ModuleHostLink host{&Log, &status};
  CDVBRecorder recorder(host, RecorderModule::condor);
  size_t i = 0;
  while (i < size) {
    const uint8_t control = data[i++];
    size_t n = (control >> 2 & 0x0F) * 188 + (control & 0x40 ? control & 0x0F : 0);
    if (n == 0) n = 188;
    if (n > size - i) n = size - i;
    recorder.OnStreamData(control & 3, data + i, static_cast<DWORD>(n));
    i += n;
  }
  return 0;
}
