#include "SimI2cBus.h"

bool CSimI2cBus::Transfer(int address, const BYTE* write, int writeCount, BYTE* read, int readCount) {
  address &= 0x7F;
  ++m_transfers[address];
  auto nak = m_nak.find(address);
  if (nak != m_nak.end() && --nak->second <= 0) {
    m_nak.erase(nak);
    return false;
  }
  if (m_engine) return m_engine->Transfer(address, write, writeCount, read, readCount);
  return Deliver(address, write, writeCount, read, readCount);
}

ISimI2cDevice* CSimI2cBus::Device(int address) const {
  auto it = m_devices.find(address & 0x7F);
  return it == m_devices.end() ? nullptr : it->second;
}

bool CSimI2cBus::Deliver(int address, const BYTE* write, int writeCount, BYTE* read, int readCount) {
  ISimI2cDevice* device = Device(address);
  if (!device || !device->Acknowledges()) return false;
  if (writeCount > 0 && !device->Write(write, writeCount)) return false;
  if (readCount > 0 && !device->Read(read, readCount)) return false;
  return true;
}

int CSimI2cBus::Transfers(int address) const {
  auto it = m_transfers.find(address & 0x7F);
  return it == m_transfers.end() ? 0 : it->second;
}
