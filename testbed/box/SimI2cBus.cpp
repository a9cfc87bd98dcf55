#include "SimI2cBus.h"

bool CSimI2cBus::Transfer(int address, const BYTE* write, int writeCount, BYTE* read,
                          int readCount) {
  address &= 0x7F;
  ++m_transfers[address];
  auto nak = m_nak.find(address);
  if (nak != m_nak.end() && --nak->second <= 0) {
    m_nak.erase(nak);
    return false;
  }
  auto it = m_devices.find(address);
  if (it == m_devices.end() || !it->second->Acknowledges()) return false;
  ISimI2cDevice* device = it->second;
  if (writeCount > 0 && !device->Write(write, writeCount)) return false;
  if (readCount > 0 && !device->Read(read, readCount)) return false;
  return true;
}

int CSimI2cBus::Transfers(int address) const {
  auto it = m_transfers.find(address & 0x7F);
  return it == m_transfers.end() ? 0 : it->second;
}
