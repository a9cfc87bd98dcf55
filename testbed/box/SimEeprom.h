// A 256-byte serial EEPROM: the first byte written sets the address
// pointer, further bytes are stored from there on, reads run on from the
// pointer; both wrap at 256. After a write the chip may stay busy for a
// while and then does not acknowledge.
#pragma once

#include "SimI2cBus.h"

#include <chrono>

class CSimEeprom : public ISimI2cDevice {
 public:
  static const int kSize = 256;

  CSimEeprom();
  bool Write(const BYTE* data, int count) override;
  bool Read(BYTE* data, int count) override;
  bool Acknowledges() override;

  void SetBusyTime(int milliseconds) { m_busyMs = milliseconds; }
  BYTE* Contents() { return m_memory; }
  int Pointer() const { return m_pointer; }
  int BytesWritten() const { return m_written; }

 private:
  BYTE m_memory[kSize];
  int m_pointer = 0;
  int m_busyMs = 0;
  int m_written = 0;
  std::chrono::steady_clock::time_point m_busyUntil;
};
