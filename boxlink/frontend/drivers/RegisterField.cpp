#include "RegisterField.h"

#include "DriverI2c.h"

namespace registerfield {

namespace {

int Shift(BYTE mask) {
  int shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

int Width(BYTE mask) {
  int width = 0;
  for (; mask; mask >>= 1) width += mask & 1;
  return width;
}

}  // namespace

BYTE SetFieldBits(BYTE shadow, DWORD desc, int val) {
  BYTE mask = Mask(desc);
  // Shifting the two's complement and masking keeps exactly width bits.
  unsigned bits = (unsigned(val) << Shift(mask)) & mask;
  return BYTE((shadow & ~mask) | bits);
}

int GetFieldBits(BYTE shadow, DWORD desc) {
  BYTE mask = Mask(desc);
  int v = (shadow & mask) >> Shift(mask);
  int width = Width(mask);
  if (Signed(desc) && width > 0 && v >= (1 << (width - 1))) v -= 1 << width;
  return v;
}

}  // namespace registerfield

int CRegisterShadow::WriteReg(BYTE reg, BYTE val) {
  SetShadow(reg, val);
  const BYTE data[2] = {reg, val};
  if (m_access == kCableAccess) return DrvI2cWriteChecked(m_bus, m_addr, data, 2);
  return DrvI2cWrite(m_bus, m_addr, data, 2);
}

int CRegisterShadow::ReadReg(BYTE reg) {
  int value = 0;
  const int wr[1] = {reg};
  int result;
  if (m_access == kCableAccess) {
    result = DrvI2cWrite(m_bus, m_addr, wr, 1);
    if (result == 0) result = DrvI2cRead(m_bus, m_addr, &value, 1);
  } else {
    result = DrvI2cWriteRead(m_bus, m_addr, wr, 1, &value, 1);
  }
  if (result) return -1;
  SetShadow(reg, BYTE(value));
  return BYTE(value);
}

int CRegisterShadow::WriteField(DWORD desc, int val) {
  BYTE reg = registerfield::Register(desc);
  ReadReg(reg);
  BYTE byte = registerfield::SetFieldBits(Shadow(reg), desc, val);
  return WriteReg(reg, byte);
}

int CRegisterShadow::ReadField(DWORD desc) {
  BYTE reg = registerfield::Register(desc);
  ReadReg(reg);
  return registerfield::GetFieldBits(Shadow(reg), desc);
}
