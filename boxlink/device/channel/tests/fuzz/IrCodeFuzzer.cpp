// What the USB infrared receiver's reads may hold, as arbitrary bytes: the
// first byte cuts the input into reads and silences. Every key is pressed
// before it is released, never twice in a row either way, and each raw
// code comes before the reports it causes.
#include "IrKeyDecoder.h"

#include <cstddef>
#include <cstdint>
#include <vector>

using namespace irkeys;

namespace {

class CCheckingSink : public IKeySink {
 public:
  void OnRawCode(WORD code) override {
    ++raws;
    m_lastRaw = code;
  }
  void OnKeyReport(WORD report) override {
    WORD key = WORD(report & ~kPressedBit);
    if (key & ~kKeyBits) __builtin_trap();
    if (report & kPressedBit) {
      if (m_held) __builtin_trap();  // a press while another key is held
      if (raws == 0 || key != (m_lastRaw & kKeyBits)) __builtin_trap();
      m_held = true;
      m_key = key;
    } else {
      if (!m_held || key != m_key) __builtin_trap();  // a release of a key not held
      m_held = false;
    }
  }
  size_t raws = 0;

 private:
  WORD m_lastRaw = 0;
  WORD m_key = 0;
  bool m_held = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  size_t piece = size_t(data[0] % 17) + 1;  // bytes per read; 1 to 17, records cut anywhere
  CKeyDecoder decoder;
  CCheckingSink sink;
  size_t records = 0;
  for (size_t at = 1; at < size; at += piece) {
    size_t n = size - at < piece ? size - at : piece;
    std::vector<BYTE> read(data + at, data + at + n);  // exact size: ASan sees over-reads
    decoder.Feed(read.data(), read.size(), sink);
    records += n / kRecordSize;
    if (read[0] & 0x80) decoder.Release(sink);
  }
  if (sink.raws != records) __builtin_trap();
  decoder.Release(sink);
  if (decoder.LastKey() & kPressedBit) __builtin_trap();
  return 0;
}
