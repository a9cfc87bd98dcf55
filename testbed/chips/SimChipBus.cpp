#include "SimChipBus.h"

namespace {
const int kGeneralCall = 0;
}

CSimChipBus::CSimChipBus(CSimI2cBus& bus, CSimClock& clock) : m_bus(bus), m_clock(clock) { m_bus.SetEngine(this); }

CSimChipBus::~CSimChipBus() {
  for (auto& chip : m_chips) m_bus.Detach(chip.first);
  m_bus.SetEngine(nullptr);
}

void CSimChipBus::Plug(int address, CSimChip* chip) {
  m_chips[address & 0x7F] = chip;
  m_bus.Attach(address, chip);
}

void CSimChipBus::Unplug(int address) {
  m_chips.erase(address & 0x7F);
  m_bus.Detach(address);
}

void CSimChipBus::SetGate(int tuner, int demod, int reg, BYTE mask, bool closesAfterTransfer) {
  m_gates[tuner & 0x7F] = {demod & 0x7F, reg, mask, closesAfterTransfer};
}

void CSimChipBus::AfterGate(int tuner) {
  auto gate = m_gates.find(tuner);
  if (gate == m_gates.end() || !gate->second.closesAfterTransfer) return;
  auto demod = m_chips.find(gate->second.demod);
  if (demod == m_chips.end()) return;
  CSimChip& chip = *demod->second;
  chip.SetReg(gate->second.reg, BYTE(chip.Reg(gate->second.reg) & ~gate->second.mask));
}

void CSimChipBus::NakAlways(int address, bool on) { m_nakAlways[address & 0x7F] = on; }
void CSimChipBus::FailNext(int address, int transfers) { m_failNext[address & 0x7F] = transfers; }

int CSimChipBus::Count(int address) const {
  int n = 0;
  for (const SimTransfer& t : m_log) n += address < 0 || t.address == address;
  return n;
}

bool CSimChipBus::GateOpen(int tuner) const {
  auto gate = m_gates.find(tuner);
  if (gate == m_gates.end()) return true;
  auto demod = m_chips.find(gate->second.demod);
  return demod != m_chips.end() && (demod->second->Reg(gate->second.reg) & gate->second.mask);
}

bool CSimChipBus::Deliver(int address, const BYTE* write, int writeCount, BYTE* read, int readCount) {
  if (address == kGeneralCall) {
    bool taken = false;
    for (auto& chip : m_chips) taken |= chip.second->GeneralCall(write, writeCount);
    return taken && readCount == 0;
  }
  if (m_nakAlways[address]) return false;
  auto fail = m_failNext.find(address);
  if (fail != m_failNext.end() && fail->second > 0) {
    --fail->second;
    return false;
  }
  if (!GateOpen(address)) {
    ++m_gateViolations;
    if (m_strictGates) return false;
  }
  bool ok = m_bus.Deliver(address, write, writeCount, read, readCount);
  AfterGate(address);
  return ok;
}

bool CSimChipBus::Transfer(int address, const BYTE* write, int writeCount, BYTE* read, int readCount) {
  SimTransfer t;
  t.timeMs = m_clock.Now();
  t.address = address;
  t.write.assign(write, write + writeCount);
  t.readCount = readCount;
  t.rateKHz = m_bus.Rate();
  bool busFault = m_nakBusTransfer > 0 && --m_nakBusTransfer == 0;
  t.ok = !busFault && Deliver(address, write, writeCount, read, readCount);
  if (t.ok) t.read.assign(read, read + readCount);
  m_log.push_back(t);
  return t.ok;
}

bool CSimChipBus::TakeEchoFault() {
  if (m_corruptEchoes <= 0) return false;
  --m_corruptEchoes;
  return true;
}
