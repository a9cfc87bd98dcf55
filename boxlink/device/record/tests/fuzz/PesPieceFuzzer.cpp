// Feeds arbitrary PES pieces straight to the program-stream writer (the
// headers a broken demultiplexer or a hostile stream could produce): a
// 2-byte length, then the piece, each copied behind the writer's headroom.
#include "ProgramStreamWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

class Sink : public IPesHandlers, public IRecordOutput {
 public:
  void OnPESAudio(BYTE*, int n) override { Check(n); }
  void OnPESVideo(BYTE*, int n) override { Check(n); }
  void OnPESRecord(BYTE*, int n) override { Check(n); }
  BOOL Write(const BYTE*, DWORD n) override { return n > 0; }

 private:
  static void Check(int n) {
    if (n <= 0) __builtin_trap();
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CProgramStreamWriter writer;
  Sink sink;
  writer.Initialise(&sink, &sink);
  if (size < 1) return 0;
  writer.SetWaitForSequenceHeader(data[0] & 1);
  ++data, --size;
  while (size >= 2) {
    size_t n = size_t((data[0] << 8) | data[1]);
    data += 2, size -= 2;
    if (n == 0xFFFF) {
      writer.TogglePause();
      continue;
    }
    if (n > size) n = size;
    // Exactly the headroom in front, exactly the piece behind: the
    // sanitizer sees any write outside.
    std::vector<BYTE> buffer(programstream::kHeadroom + n);
    memcpy(buffer.data() + programstream::kHeadroom, data, n);
    writer.WritePiece(buffer.data() + programstream::kHeadroom, DWORD(n));
    data += n, size -= n;
  }
  return 0;
}
