#include "IrKeyDecoder.h"

#include "ByteOrder.h"

namespace irkeys {

void CKeyDecoder::Feed(const BYTE* data, size_t length, IKeySink& sink) {
  if (!data) return;
  for (size_t at = 0; at + kRecordSize <= length; at += kRecordSize) {
    WORD code = byteorder::GetLE16(data + at);
    sink.OnRawCode(code);
    WORD key = WORD((code & kKeyBits) | kPressedBit);
    WORD toggle = WORD(code & kToggleBit);
    if (key != m_lastKey || toggle != m_lastToggle) {
      // Another key, or the same key pressed anew: the old one is let go first.
      Release(sink);
      sink.OnKeyReport(key);
    }
    m_lastKey = key;
    m_lastToggle = toggle;
  }
}

void CKeyDecoder::Release(IKeySink& sink) {
  if (!(m_lastKey & kPressedBit)) return;
  m_lastKey = WORD(m_lastKey & ~kPressedBit);
  sink.OnKeyReport(m_lastKey);
}

}  // namespace irkeys
