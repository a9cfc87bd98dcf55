#include "FrontendI2c.h"

#include <cstring>

namespace {

const int kMaxTransfer = 57;
const int kCheckedTries = 5;
const BYTE kEepromAddress = 0x50;  // 7-bit
const BYTE kEepromPwmOffset = 0xFF;
const BYTE kBlankPwm = 0x40;
const BYTE k87J205Address = 0xE2;

int Addr7(BYTE addr) { return addr >> 1; }

}  // namespace

template <typename Transfer>
int CFrontendI2c::WithRetries(Transfer transfer) {
  m_bus.GetErrNo();
  int result = -1;
  for (int tries = 0; tries < (m_nI2CRetries > 0 ? m_nI2CRetries : 1); ++tries) {
    result = transfer();
    if (result == 0) return 0;
    m_bus.Sleep(1);
  }
  return result;
}

int CFrontendI2c::i2cWrite(BYTE addr, const int* data, int len) {
  return WithRetries([&] { return m_bus.WriteSeq(Addr7(addr), data, len); });
}

int CFrontendI2c::i2cRead(BYTE addr, int* data, int len) {
  return WithRetries([&] { return m_bus.ReadSeq(Addr7(addr), data, len); });
}

int CFrontendI2c::i2cWriteRead(BYTE addr, const int* wr, int wrLen, int* rd, int rdLen) {
  return WithRetries([&] { return m_bus.CombinedSeq(Addr7(addr), wr, wrLen, rd, rdLen); });
}

int CFrontendI2c::WriteI2CReg(BYTE addr, BYTE reg, BYTE val) {
  const int data[2] = {reg, val};
  return i2cWrite(addr, data, 2);
}

int CFrontendI2c::ReadI2CReg(BYTE addr, BYTE reg, BYTE& val) {
  val = 0;
  const int wr[1] = {reg};
  int rd[1] = {0};
  int result = i2cWriteRead(addr, wr, 1, rd, 1);
  if (result == 0) val = BYTE(rd[0]);
  return result;
}

int CFrontendI2c::ReadI2CReg0297(BYTE addr, BYTE reg, BYTE& val) {
  val = 0;
  const int wr[1] = {reg};
  int result = i2cWrite(addr, wr, 1);
  if (result) return result;
  int rd[1] = {0};
  result = i2cRead(addr, rd, 1);
  if (result == 0) val = BYTE(rd[0]);
  return result;
}

int CFrontendI2c::WriteI2CByte(BYTE addr, BYTE val) {
  const int data[1] = {val};
  return i2cWrite(addr, data, 1);
}

int CFrontendI2c::WriteVES18xx(BYTE addr, BYTE reg, BYTE val) {
  const int data[3] = {0x00, reg, val};
  return i2cWrite(addr, data, 3);
}

int CFrontendI2c::Write2VES18xx(BYTE addr, BYTE reg, BYTE val1, BYTE val2) {
  const int data[4] = {0x00, reg, val1, val2};
  return i2cWrite(addr, data, 4);
}

int CFrontendI2c::ReadVES18xx(BYTE addr, BYTE reg, BYTE& val) {
  val = 0;
  const int wr[2] = {0x00, reg};
  int rd[1] = {0};
  int result = i2cWriteRead(addr, wr, 2, rd, 1);
  if (result == 0) val = BYTE(rd[0]);
  return result;
}

int CFrontendI2c::WriteBlockVES18xx(BYTE addr, int first, int count, const BYTE* data) {
  if (first < 0 || count < 0 || first + count > 256) return 1;
  for (int i = 0; i < count; ++i)
    if (int result = WriteVES18xx(addr, BYTE(first + i), data[i])) return result;
  return 0;
}

int CFrontendI2c::WriteChecked(BYTE addr, const int* data, int len) {
  for (int pass = 0; pass < kCheckedTries; ++pass) {
    m_bus.GetErrNo();
    i2cWrite(addr, data, len);
    // A failed try counts even when a later one went through: the byte goes
    // out once more.
    if (m_bus.GetErrNo() == 0) return 0;
  }
  return 0xFF;
}

int CFrontendI2c::WriteI2CMultiReg(BYTE addr, int first, int count, const BYTE* data) {
  for (int i = 0; i < count; ++i) {
    const int pair[2] = {BYTE(first + i), data[i]};
    bool written = false;
    for (int pass = 0; pass < kCheckedTries && !written; ++pass) {
      i2cWrite(addr, pair, 2);
      m_bus.Sleep(1);
      written = m_bus.GetErrNo() == 0;
    }
    if (!written) return 0xFF;
  }
  return 0;
}

int CFrontendI2c::WriteI2CArray(BYTE addr, const BYTE* table, int count) {
  const int start[3] = {0x00, 0x00, 0x00};
  i2cWrite(addr, start, 3);
  for (int i = 0; i < count; ++i) {
    const int triple[3] = {0x00, i, table[i]};
    if (WriteChecked(addr, triple, 3)) return 0xFF;
  }
  return 0;
}

int CFrontendI2c::WriteI2CArrayMC(BYTE addr, const BYTE* table, int count) {
  for (int i = 0; i < count; ++i) {
    if (table[i] == 0xFF) continue;
    const int pair[2] = {i, table[i]};
    if (WriteChecked(addr, pair, 2)) return 0xFF;
  }
  return 0;
}

int CFrontendI2c::ReadI2CMultiReg(BYTE addr, int first, int count, BYTE* out) {
  if (count > 0) out[0] = 0;
  if (count <= 0 || count > kMaxTransfer) return -1;
  const int wr[1] = {BYTE(first)};
  int rd[kMaxTransfer] = {};
  int result = i2cWriteRead(addr, wr, 1, rd, count);
  if (result) return result;
  for (int i = 0; i < count; ++i) out[i] = BYTE(rd[i]);
  return 0;
}

int CFrontendI2c::Write87J205(WORD reg, WORD count, const BYTE* data) {
  if (count > kMaxTransfer - 2) return -1;
  int words[kMaxTransfer] = {reg >> 8, reg & 0xFF};
  for (int i = 0; i < count; ++i) words[2 + i] = data[i];
  return i2cWrite(k87J205Address, words, 2 + count) ? -1 : 0;
}

int CFrontendI2c::Read87J205(WORD reg, WORD count, BYTE* out) {
  if (count > kMaxTransfer) return -1;
  const int wr[2] = {reg >> 8, reg & 0xFF};
  int rd[kMaxTransfer] = {};
  if (i2cWriteRead(k87J205Address, wr, 2, rd, count)) return -1;
  for (int i = 0; i < count; ++i) out[i] = BYTE(rd[i]);
  return 0;
}

bool CFrontendI2c::ReadEeprom(BYTE offset, BYTE* out, int count) {
  if (count <= 0 || count > kMaxTransfer) return false;
  const int wr[1] = {offset};
  int rd[kMaxTransfer] = {};
  if (m_bus.CombinedSeq(kEepromAddress, wr, 1, rd, count)) return false;
  for (int i = 0; i < count; ++i) out[i] = BYTE(rd[i]);
  return true;
}

BYTE CFrontendI2c::GetPWM() {
  BYTE value = 0xFF;
  if (!ReadEeprom(kEepromPwmOffset, &value, 1)) value = 0xFF;
  return value == 0xFF ? kBlankPwm : value;
}
