// A chip on the simulated I2C bus with a register file and a register
// pointer. The pointer survives between transfers, so a write of the
// register number followed by a separate read reads that register, as a
// combined transfer does; reads and writes move it on by one
// (auto-increment). Three register dialects:
//   plain   [reg, data...]
//   VES     [0x00, reg, data...]  (the VES18xx family's leading zero byte)
//   wide    [reg high, reg low, data...] (16-bit register numbers)
// Subclasses model registers with behaviour (status, identity, PLL words).
#pragma once

#include "SimI2cBus.h"

#include <map>
#include <cstddef>
#include <vector>

class CSimChip : public ISimI2cDevice {
 public:
  enum Dialect { kPlain, kVes, kWide };

  explicit CSimChip(Dialect dialect = kPlain, int registers = 256);

  bool Write(const BYTE* data, int count) override;
  bool Read(BYTE* data, int count) override;

  // A general-call write (address 0); true when the chip takes it.
  virtual bool GeneralCall(const BYTE* data, int count) {
    (void)data;
    (void)count;
    return false;
  }

  BYTE Reg(int reg) const { return m_regs[size_t(reg) % m_regs.size()]; }
  void SetReg(int reg, BYTE value) { m_regs[size_t(reg) % m_regs.size()] = value; }
  int Pointer() const { return m_pointer; }
  // Registers the bus cannot change (identity registers); OnWrite still
  // sees what was written to them.
  void SetReadOnly(int reg) { m_readOnly[reg] = true; }
  // The register answers alternately its value and `other`, starting with
  // the value: a chip whose identity flickers under probing.
  void SetFlicker(int reg, BYTE other) { m_flicker[reg] = {other, false}; }
  // The register answers `value` whatever the chip would (a fixed reading
  // a test wants to see decoded).
  void Pin(int reg, BYTE value) { m_pinned[reg] = value; }
  // Every write phase, as the chip received it.
  const std::vector<std::vector<BYTE>>& Writes() const { return m_writes; }

 protected:
  // A register was written over the bus.
  virtual void OnWrite(int reg, BYTE value) {
    (void)reg;
    (void)value;
  }
  // The value a read of the register gives.
  virtual BYTE OnRead(int reg) { return Reg(reg); }

 private:
  int AddressBytes() const { return m_dialect == kWide ? 2 : m_dialect == kVes ? 2 : 1; }

  Dialect m_dialect;
  std::vector<BYTE> m_regs;
  int m_pointer = 0;
  std::map<int, bool> m_readOnly;
  std::map<int, BYTE> m_pinned;
  struct Flicker {
    BYTE other;
    bool showOther;
  };
  std::map<int, Flicker> m_flicker;
  std::vector<std::vector<BYTE>> m_writes;
};
