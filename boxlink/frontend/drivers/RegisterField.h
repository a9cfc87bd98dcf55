// Bit fields of 8-bit chip registers and the register shadow of a chip-driver
// object. A field descriptor names one field: bits 0-7 the register, bits
// 8-15 the mask (one run of ones), bit 16 set for a signed field; 0x10F69 is
// the signed low nibble of register 0x69.
#pragma once

#include "FrontendBus.h"

#include <cstddef>
#include <vector>

namespace registerfield {

inline BYTE Register(DWORD desc) { return BYTE(desc); }
inline BYTE Mask(DWORD desc) { return BYTE(desc >> 8); }
inline bool Signed(DWORD desc) { return (desc & 0x10000) != 0; }

// The shadow byte with val in the field (a negative value of a signed field
// as its two's complement in the field's width).
BYTE SetFieldBits(BYTE shadow, DWORD desc, int val);
// The field's value in a shadow byte, sign-extended for a signed field.
int GetFieldBits(BYTE shadow, DWORD desc);

}  // namespace registerfield

// One shadow byte per register of a chip; each holds the value last written
// to or read from its register. How the chip is reached differs per driver:
// the cable driver writes with the five-pass check and reads by a write of
// the register number and a separate read; the satellite driver writes
// plainly and reads combined.
class CRegisterShadow {
 public:
  enum Access { kCableAccess, kSatelliteAccess };

  CRegisterShadow(IFrontendBus& bus, BYTE addr, int registers, Access access)
      : m_bus(bus), m_addr(addr), m_access(access), m_shadow(size_t(registers), 0) {}

  // Stores val in the shadow and writes [reg, val]; the transfer's result.
  int WriteReg(BYTE reg, BYTE val);
  // The register's value (also into the shadow), or -1.
  int ReadReg(BYTE reg);
  // Reads the register (the shadow keeps its old value when that fails),
  // puts val into the field and writes the shadow byte back.
  int WriteField(DWORD desc, int val);
  // Reads the register into the shadow, then the field from the shadow.
  int ReadField(DWORD desc);

  BYTE Shadow(BYTE reg) const { return reg < m_shadow.size() ? m_shadow[reg] : 0; }
  void SetShadow(BYTE reg, BYTE val) {
    if (reg < m_shadow.size()) m_shadow[reg] = val;
  }

 private:
  IFrontendBus& m_bus;
  BYTE m_addr;
  Access m_access;
  std::vector<BYTE> m_shadow;
};
