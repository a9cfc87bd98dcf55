// Feeds arbitrary recording blocks to the PVA demultiplexer and its writer:
// each block is a 2-byte length then the bytes (what ReadPacket hands the
// worker); a length with bit 15 set toggles the pause instead. The first
// byte picks waiting for a sequence header. Every piece handed on must be
// one whole PES packet.
#include "PvaDemultiplexer.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

class CheckingHandlers : public IPesHandlers, public IRecordOutput {
 public:
  void OnPESAudio(BYTE* d, int n) override { CheckPes(d, n, 0xC0); }
  void OnPESVideo(BYTE* d, int n) override { CheckPes(d, n, 0xE0); }
  void OnPESRecord(BYTE* d, int n) override {
    if (n < 14 + 9 || d[0] || d[1] || d[2] != 1 || d[3] != 0xBA) __builtin_trap();
  }
  BOOL Write(const BYTE*, DWORD) override { return TRUE; }

 private:
  static void CheckPes(const BYTE* d, int n, BYTE stream) {
    if (n < 9 || d[0] || d[1] || d[2] != 1 || d[3] != stream || ((d[4] << 8) | d[5]) + 6 != n) __builtin_trap();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<CPvaDemultiplexer> demux(new CPvaDemultiplexer);
  CheckingHandlers handlers;
  demux->Initialise(&handlers, &handlers);
  if (size < 1) return 0;
  demux->SetWaitForSequenceHeader(data[0] & 1);
  ++data, --size;
  while (size >= 2) {
    size_t n = size_t((data[0] << 8) | data[1]);
    data += 2, size -= 2;
    if (n & 0x8000) {
      demux->TogglePause();
      continue;
    }
    if (n > size) n = size;
    demux->Demultiplex(data, DWORD(n));
    data += n, size -= n;
  }
  return 0;
}
