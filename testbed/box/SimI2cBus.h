// The box's own I2C bus behind its ARM processor. Chip models plug in by
// 7-bit address; an address where nothing is plugged in does not acknowledge.
#pragma once

#include <WinTypes.h>

#include <map>

class ISimI2cDevice {
 public:
  virtual ~ISimI2cDevice() {}
  // The bytes of one write phase after the address; false = NAK.
  virtual bool Write(const BYTE* data, int count) = 0;
  // One read phase of count bytes; false = NAK.
  virtual bool Read(BYTE* data, int count) = 0;
  // Whether the device acknowledges its address right now (a busy EEPROM
  // does not).
  virtual bool Acknowledges() { return true; }
};

class CSimI2cBus;

// A chip simulator hooked into the bus: it sees every transfer (with faults,
// gates, the general call and its log) and hands what reaches a device to
// CSimI2cBus::Deliver.
class ISimI2cEngine {
 public:
  virtual ~ISimI2cEngine() {}
  virtual bool Transfer(int address, const BYTE* write, int writeCount, BYTE* read, int readCount) = 0;
  // The box's answer to the transfer just made echoes the wrong counts.
  virtual bool TakeEchoFault() = 0;
};

class CSimI2cBus {
 public:
  // The bus does not own its devices.
  void Attach(int address, ISimI2cDevice* device) { m_devices[address & 0x7F] = device; }
  void Detach(int address) { m_devices.erase(address & 0x7F); }

  // One combined transaction: a write phase when writeCount > 0, then a read
  // phase when readCount > 0 (repeated start). False when the device NAKs.
  bool Transfer(int address, const BYTE* write, int writeCount, BYTE* read, int readCount);

  // Makes the n-th transfer (1 = the next) to the address NAK.
  void NakTransfer(int address, int nth) { m_nak[address & 0x7F] = nth; }
  // Transfers addressed to a device so far.
  int Transfers(int address) const;

  // The engine (not owned) takes every transfer; null unhooks it.
  void SetEngine(ISimI2cEngine* engine) { m_engine = engine; }
  // A transfer to the device plugged in at the address, without the engine.
  bool Deliver(int address, const BYTE* write, int writeCount, BYTE* read, int readCount);
  ISimI2cDevice* Device(int address) const;
  bool TakeEchoFault() { return m_engine && m_engine->TakeEchoFault(); }
  // The rate command 0x32 chose: 100 or 400 kHz.
  void SetRate(int kHz) { m_rateKHz = kHz; }
  int Rate() const { return m_rateKHz; }

 private:
  ISimI2cEngine* m_engine = nullptr;
  int m_rateKHz = 100;
  std::map<int, ISimI2cDevice*> m_devices;
  std::map<int, int> m_nak;        // address -> transfers left until the NAK
  std::map<int, int> m_transfers;  // address -> count
};
