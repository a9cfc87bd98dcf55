// Key reports from the RC-5 code words of the USB infrared receiver. A read
// of the receiver gives 4-byte records, each starting with one
// little-endian code word: bits 0-10 the RC-5 address and command, bit 11
// the toggle bit, which changes with every new press of a key. A held key
// repeats its word with the same toggle bit. Each key is reported once
// pressed (bit 15 set) and once released (bit 15 clear); the release comes
// when another key or a new press arrives, or when the receiver has been
// silent long enough (the caller decides when, and calls Release).
// Portable.
#pragma once

#include <WinTypes.h>

#include <cstddef>

namespace irkeys {

const size_t kRecordSize = 4;
const WORD kKeyBits = 0x07FF;
const WORD kToggleBit = 0x0800;
const WORD kPressedBit = 0x8000;

// What the decoder reports, in order.
class IKeySink {
 public:
  // Every code word as it came, repeats included, before any key report.
  virtual void OnRawCode(WORD code) = 0;
  // A key report: the key bits, with kPressedBit set for a press.
  virtual void OnKeyReport(WORD report) = 0;

 protected:
  ~IKeySink() {}
};

class CKeyDecoder {
 public:
  // The records of one read; bytes beyond the last whole record are ignored.
  void Feed(const BYTE* data, size_t length, IKeySink& sink);
  // The receiver went silent: a key still held is reported released.
  void Release(IKeySink& sink);
  // The key held now, kPressedBit set; 0 or a word without it when none.
  WORD LastKey() const { return m_lastKey; }

 private:
  WORD m_lastKey = 0;
  WORD m_lastToggle = 0;
};

}  // namespace irkeys
