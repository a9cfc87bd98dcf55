// GetState: lock state, lock flags and signal values by variant.
#include "FrontendCore.h"

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
  locked = GetLockState(lock);
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

int CFrontendCore::GetLockState(frontendtypes::_LOCK_STATE* lock) {
  BYTE s = 0;  // a failed read leaves 0: not locked
  bool locked;
  DWORD status;
  switch (m_dwVariant) {
    case 2:
      m_i2c.ReadVES18xx(0x10, 0x0E, s);
      locked = s & 0x10;
      status = (s & 0x0F) | Bit(s, 5, 4) | Bit(s, 6, 5);
      break;
    case 3:
    case 4:
      m_i2c.ReadVES18xx(0x12, 0x11, s);
      locked = s & 0x08;
      status = (s & 0x33) | Bit(s, 6, 2) | Bit(s, 2, 3);
      break;
    case 10: {
      m_i2c.ReadI2CReg(0xD0, 0x02, s);
      locked = (s & 0x1F) == 0x1F;
      if (!lock) return locked;
      BYTE e[3] = {};
      for (int i = 0; i < 3; ++i) m_i2c.ReadI2CReg(0xD0, BYTE(0x0B + i), e[i]);
      DWORD errors = DWORD(e[0] & 0x1F) * 65536 + e[1] * 256 + e[2];
      status = Bit(s, 0, 0) | Bit(s, 0, 1) | Bit(s, 1, 2) | Bit(s, 4, 3) | (ErrorCountClass(errors) << 4);
      break;
    }
    default:
      // The status of the other variants is read by their chip routines
      // and driver objects, which this library does not have yet.
      return 0;
  }
  if (lock) {
    lock->Type = m_Type;
    lock->bLocked = locked;
    lock->Status = status;
  }
  return locked;
}
