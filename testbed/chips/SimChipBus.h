// The chip simulator's engine on the box's I2C bus: chips by 7-bit address,
// the general call, tuners behind a demodulator's gate, bus faults on demand
// and a log of every transfer that tests assert on. Hooks into a CSimI2cBus
// (the box's bus) and keeps the devices already plugged in there (the
// EEPROM).
#pragma once

#include "SimChip.h"
#include "SimClock.h"
#include "SimI2cBus.h"

#include <map>
#include <vector>

struct SimTransfer {
  double timeMs = 0;
  int address = 0;          // 7-bit; 0 the general call
  std::vector<BYTE> write;  // the write phase
  std::vector<BYTE> read;   // what the read phase returned
  int readCount = 0;
  bool ok = false;  // acknowledged throughout
  int rateKHz = 100;
};

class CSimChipBus : public ISimI2cEngine {
 public:
  CSimChipBus(CSimI2cBus& bus, CSimClock& clock);
  ~CSimChipBus() override;
  CSimChipBus(const CSimChipBus&) = delete;
  CSimChipBus& operator=(const CSimChipBus&) = delete;

  // The bus does not own its chips.
  void Plug(int address, CSimChip* chip);
  void Unplug(int address);

  // The chip at `tuner` answers only while the field (register, mask) of
  // the chip at `demod` is non-zero. With strict gates a transfer to a
  // closed gate is refused; otherwise it goes through. Either way it counts
  // as a gate violation. A gate that `closesAfterTransfer` (a repeater
  // opened for one transaction) clears its field after each transfer it
  // let through; the others stay open until the driver closes them.
  void SetGate(int tuner, int demod, int reg, BYTE mask, bool closesAfterTransfer = false);
  void SetStrictGates(bool strict) { m_strictGates = strict; }
  int GateViolations() const { return m_gateViolations; }

  // Faults. The address stops answering for good, or for the next n
  // transfers (a first try that fails), or the n-th transfer on the bus
  // (1 = the next) fails; the box's next n answers echo wrong counts.
  void NakAlways(int address, bool on = true);
  void FailNext(int address, int transfers);
  void NakBusTransfer(int nth) { m_nakBusTransfer = nth; }
  void CorruptEcho(int answers) { m_corruptEchoes = answers; }

  CSimClock& Clock() { return m_clock; }
  const std::vector<SimTransfer>& Log() const { return m_log; }
  void ClearLog() { m_log.clear(); }
  // Transfers in the log to an address (-1: all).
  int Count(int address = -1) const;

  // ISimI2cEngine
  bool Transfer(int address, const BYTE* write, int writeCount, BYTE* read, int readCount) override;
  bool TakeEchoFault() override;

 private:
  bool Deliver(int address, const BYTE* write, int writeCount, BYTE* read, int readCount);
  bool GateOpen(int tuner) const;

  struct Gate {
    int demod;
    int reg;
    BYTE mask;
    bool closesAfterTransfer;
  };
  // A transfer went through the gate of `tuner`.
  void AfterGate(int tuner);
  CSimI2cBus& m_bus;
  CSimClock& m_clock;
  std::map<int, CSimChip*> m_chips;
  std::map<int, Gate> m_gates;
  bool m_strictGates = true;
  int m_gateViolations = 0;
  std::map<int, bool> m_nakAlways;
  std::map<int, int> m_failNext;
  int m_nakBusTransfer = 0;
  int m_corruptEchoes = 0;
  std::vector<SimTransfer> m_log;
};
