// GetState: lock state, lock flags and signal values by variant.
#include "FrontendCore.h"

#include "FrontendChips.h"
#include "FrontendVariants.h"

DWORD CFrontendCore::BerClass(double ber) {
  if (ber < 0.001) return 3;
  if (ber < 0.01) return 2;
  if (ber < 0.1) return 1;
  return 0;
}

int CFrontendCore::GetState(int& locked, frontendtypes::_SIGNAL_TYPE* signal, frontendtypes::_LOCK_STATE* lock) {
  if (!m_bus.DeviceOpen()) return DVB_ERR_NO_DEVICE;
  if (frontendvariants::IsBoxFirmware(m_dwVariant) && m_pBoxFEDriver) return GetStateBoxFirmware(locked, signal, lock);
  m_satVerSignalRead = false;
  locked = GetLockState(lock, signal != nullptr);
  if (signal) FillSignal(*signal);
  return DVB_ERR_NONE;
}

int CFrontendCore::GetStateBoxFirmware(int& locked, frontendtypes::_SIGNAL_TYPE* signal,
                                       frontendtypes::_LOCK_STATE* lock) {
  DWORD state = 0;
  firmwareanswers::Signal values;
  bool wanted = signal || lock;
  if (!m_pBoxFEDriver->GetStatus(&state, wanted ? &values : nullptr, nullptr)) return DVB_ERR_NO_ANSWER;
  locked = int(state);
  if (signal) {
    signal->nAFC = values.nSignal;
    signal->dBER = values.dBER;
    signal->bAGC = values.b1;
    signal->bSNR = values.b2;
    signal->wLevel = values.w1;
    signal->wQuality = values.w2;
  }
  if (lock) {
    lock->Type = m_Type;
    lock->bLocked = state & 1;
    DWORD ber = BerClass(values.dBER);
    switch (m_Type) {
      case frontendtypes::FE_SATELLITE:
        lock->Status = (state & 1) | ((state & 1) << 1) | ((state & 2) << 1) | ((state & 4) << 1) | (ber << 4);
        break;
      case frontendtypes::FE_CABLE: lock->Status = state & 0x3F; break;
      default: lock->Status = (lock->Status & ~0x7u) | (state & 1) | (ber << 1); break;
    }
  }
  return DVB_ERR_NONE;
}

namespace {

// The 8083's error count as a bit-error class.
DWORD ErrorCountClass(DWORD e) {
  if (e > 3276) return 0;
  if (e > 1638) return 1;
  if (e > 327) return 2;
  return 3;
}

DWORD Bit(BYTE s, int from, int to) { return DWORD((s >> from) & 1) << to; }

}  // namespace

int CFrontendCore::GetLockState(frontendtypes::_LOCK_STATE* lock, bool signalNext) {
  using namespace frontendchips;
  DWORD v = m_dwVariant;
  BYTE s = 0;  // a failed read leaves 0: not locked
  bool locked;
  DWORD status = 0;
  DWORD filled = 0x3F;  // the status bits this variant sets; the others stay
  if (v == 2) {
    m_i2c.ReadVES18xx(kVes1893, 0x0E, s);
    locked = s & 0x10;
    status = (s & 0x0F) | Bit(s, 5, 4) | Bit(s, 6, 5);
  } else if (IsVes1820(v)) {
    m_i2c.ReadVES18xx(kVes1820, 0x11, s);
    locked = s & 0x08;
    status = (s & 0x33) | Bit(s, 6, 2) | Bit(s, 2, 3);
  } else if (v == 10) {
    m_i2c.ReadI2CReg(kTda8083, 0x02, s);
    locked = (s & 0x1F) == 0x1F;
    if (!lock) return locked;
    BYTE e[3] = {};
    for (int i = 0; i < 3; ++i) m_i2c.ReadI2CReg(kTda8083, BYTE(0x0B + i), e[i]);
    DWORD errors = DWORD(e[0] & 0x1F) * 65536 + e[1] * 256 + e[2];
    status = Bit(s, 0, 0) | Bit(s, 0, 1) | Bit(s, 1, 2) | Bit(s, 4, 3) | (ErrorCountClass(errors) << 4);
  } else if (IsOti7k(v)) {
    // The OTI7K's lock flag; the record is left alone.
    int chipLock = 0;
    OTI7K_Status st;
    o7k_GetStatus(8, chipLock, &st);
    return st.lock != 0;
  } else if (IsScMain(v)) {
    const int wr[2] = {0x02, 0x00};
    int rd[1] = {0};
    if (m_i2c.i2cWriteRead(kScMain, wr, 2, rd, 1) == 0) s = BYTE(rd[0]);
    locked = (s & 0x0C) == 0x0C;
    if (!lock) return locked;
    filled = 0x06;
    status = BerClass(GetBER()) << 1;
  } else if (IsStv0299(v)) {
    m_i2c.ReadI2CReg(kStv0299, 0x1B, s);
    locked = (s & 0x98) == 0x98;
    // Carrier found: the search bits go back to tracking (the driver keeps
    // its own).
    if ((s & 0x08) && !Stv0299DriverInUse()) SetSTV0299Search(false);
    if (!lock) return locked;
    status = Bit(s, 7, 0) | Bit(s, 7, 1) | Bit(s, 4, 2) | Bit(s, 3, 3) | (BerClass(GetBER()) << 4);
  } else if (IsL64781(v)) {
    BYTE latch[2];
    m_i2c.ReadI2CMultiReg(L64781(v), 0x00, 2, latch);
    m_i2c.ReadI2CReg(L64781(v), 0x32, s);
    locked = (s & 0x7F) == 0x7F;
    if (!lock) return locked;
    filled = 0x07;
    status = (s & 1) | (BerClass(GetBER()) << 1);
  } else if (v == 17 && m_p0297Driver) {
    // A failed read is a test that failed: never a lock from an old shadow.
    int a = 0, carrier = 0, timing = 0;
    locked = m_p0297Driver->ReadFieldNow(0x80DF, a) && a;
    bool b = m_p0297Driver->ReadFieldNow(0x0882, carrier) && carrier && m_p0297Driver->ReadFieldNow(0x0482, timing) &&
             timing;
    if (!lock) return locked;
    filled = 0x3B;
    status = DWORD(b) | DWORD(locked) << 1 | DWORD(locked) << 3 | BerClass(GetBER()) << 4;
  } else if (IsTerrestrialDriver(v)) {
    CFETerFw46* fw46 = Fw46InUse();
    if (v == 25 ? !m_pFw25Driver : !fw46) return 0;  // not locked, nothing filled
    s = v == 25 ? m_pFw25Driver->GetLockState() : fw46->GetLockState();
    locked = s & 0x08;
    if (!lock) return locked;
    filled = 0x07;
    status = (s & 1) | (BerClass(GetBER()) << 1);
  } else if (v >= 28 && v <= 30 && m_pSatVerDriver) {
    DWORD bits = 0;
    bool withSignal = lock || signalNext;
    m_pSatVerDriver->GetStatus(&bits, withSignal ? &m_satVerSignal : nullptr);
    m_satVerSignalRead = withSignal;
    locked = (bits & 0xF) == 0xF;
    if (!lock) return locked;
    status = 1 | (bits & 0x6) | DWORD((bits & 0x9) == 0x9) << 3 | BerClass(m_satVerSignal.ber) << 4;
  } else {
    // The other variants' status comes from driver objects this library
    // does not have yet.
    return 0;
  }
  if (lock) {
    lock->Type = m_Type;
    lock->bLocked = locked;
    lock->Status = (lock->Status & ~filled) | (status & filled);
  }
  return locked;
}
