// Feeds arbitrary PES packets to the playback multiplexer: each is a 2-byte
// length then the bytes (what WritePES hands it); a length with bit 15 set
// clears the queues instead, with bit 14 set resets the multiplexer. Every
// packet released must be a whole PVA packet the box accepts, its counter
// following the one before in its stream (a clear drops queued packets, so
// after one the counters may jump once).
#include "PvaMultiplexer.h"

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

class CheckingSink : public IPvaPacketSink {
 public:
  int ReleasePacket(BYTE* p, DWORD n) override {
    if (n < 8 || n > 1024 || p[0] != 'A' || p[1] != 'V' || p[4] != 0x55 || DWORD((p[6] << 8) | p[7]) + 8 != n)
      __builtin_trap();
    if (p[2] == 1) {
      // Video bodies are whole words; the flags hold the PTS bit and the
      // pre and tail counts only.
      if ((n - 8) % 4 || (p[5] & ~0x1F)) __builtin_trap();
    } else if (p[2] != 2 || (p[5] & ~0x10)) {
      __builtin_trap();
    }
    const int stream = p[2] - 1;
    if (m_known[stream] && p[3] != m_next[stream]) __builtin_trap();
    m_known[stream] = true;
    m_next[stream] = BYTE(p[3] + 1);
    return int(n);
  }
  void Reset() {
    m_next[0] = m_next[1] = 0;
    m_known[0] = m_known[1] = true;
  }
  void Clear() { m_known[0] = m_known[1] = false; }

 private:
  BYTE m_next[2] = {};
  bool m_known[2] = {};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::unique_ptr<CPvaMultiplexer> mux(new CPvaMultiplexer);
  static CheckingSink sink;
  mux->Reset(&sink);
  sink.Reset();
  while (size >= 2) {
    size_t n = size_t((data[0] << 8) | data[1]);
    data += 2, size -= 2;
    if (n & 0x8000) {
      mux->Clear();
      sink.Clear();
      continue;
    }
    if (n & 0x4000) {
      mux->Reset(&sink);
      sink.Reset();
      continue;
    }
    if (n > size) n = size;
    mux->CutPes(data, DWORD(n));
    data += n, size -= n;
  }
  return 0;
}
