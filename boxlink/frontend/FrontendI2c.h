// The front end's own register access over the box's I2C bridge: the
// transfer routines with the front end's retry count, and the register
// routines of each register dialect built on them. Addresses are the 8-bit
// write addresses (7-bit address << 1) the chip tables use; buffers hold one
// byte per int. Results are 0 on success and non-zero otherwise.
#pragma once

#include "FrontendBus.h"

class CFrontendI2c {
 public:
  explicit CFrontendI2c(IFrontendBus& bus) : m_bus(bus) {}
  CFrontendI2c(const CFrontendI2c&) = delete;
  CFrontendI2c& operator=(const CFrontendI2c&) = delete;

  IFrontendBus& Bus() { return m_bus; }

  // Tries per transfer: 3 normally, 1 while the front end probes for chips.
  int m_nI2CRetries = 3;

  // Each clears the error count, then tries up to m_nI2CRetries times with a
  // 1 ms pause after a failed try; 0 or the last try's result.
  int i2cWrite(BYTE addr, const int* data, int len);
  int i2cRead(BYTE addr, int* data, int len);
  int i2cWriteRead(BYTE addr, const int* wr, int wrLen, int* rd, int rdLen);

  // Plain dialect: [reg, val]; reads write [reg] then read (combined).
  int WriteI2CReg(BYTE addr, BYTE reg, BYTE val);
  int ReadI2CReg(BYTE addr, BYTE reg, BYTE& val);
  // The STV0297's read: the register number and the read as two transfers.
  int ReadI2CReg0297(BYTE addr, BYTE reg, BYTE& val);
  int WriteI2CByte(BYTE addr, BYTE val);

  // VES-style dialect: [0x00, reg, ...].
  int WriteVES18xx(BYTE addr, BYTE reg, BYTE val);
  int Write2VES18xx(BYTE addr, BYTE reg, BYTE val1, BYTE val2);
  int ReadVES18xx(BYTE addr, BYTE reg, BYTE& val);
  // 1 and nothing sent when the block runs past register 255.
  int WriteBlockVES18xx(BYTE addr, int first, int count, const BYTE* data);

  // Register tables, one register per transfer, each byte under the
  // five-try rule; 0 or 0xFF when a byte failed five times (the rest is not
  // written).
  int WriteI2CMultiReg(BYTE addr, int first, int count, const BYTE* data);
  int WriteI2CArray(BYTE addr, const BYTE* table, int count);
  // Entries 0xFF leave their register alone.
  int WriteI2CArrayMC(BYTE addr, const BYTE* table, int count);
  // Combined: [first], then count bytes (at most 57); out[0] is 0 on failure.
  int ReadI2CMultiReg(BYTE addr, int first, int count, BYTE* out);

  // The 87J205's 16-bit registers at 0xE2: 0 or -1.
  int Write87J205(WORD reg, WORD count, const BYTE* data);
  int Read87J205(WORD reg, WORD count, BYTE* out);

  // The board EEPROM at 7-bit 0x50 (no retries): the stored PWM setting,
  // 0x40 when blank or unreadable; and bytes from an offset (false on
  // failure).
  BYTE GetPWM();
  bool ReadEeprom(BYTE offset, BYTE* out, int count);

 private:
  // Runs one transfer with the retry rule.
  template <typename Transfer>
  int WithRetries(Transfer transfer);
  // The five-try rule around one write.
  int WriteChecked(BYTE addr, const int* data, int len);

  IFrontendBus& m_bus;
};
