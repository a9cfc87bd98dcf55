// GetState: lock state, lock flags and signal values by variant.
#include "FrontendCore.h"

#include "FrontendVariants.h"

DWORD CFrontendCore::BerClass(double ber) {
  if (ber < 0.001) return 3;
  if (ber < 0.01) return 2;
  if (ber < 0.1) return 1;
  return 0;
}

int CFrontendCore::GetState(int& locked, fe::_SIGNAL_TYPE* signal, fe::_LOCK_STATE* lock) {
  if (!m_bus.DeviceOpen()) return DVB_ERR_NO_DEVICE;
  if (fevariant::IsBoxFirmware(m_dwVariant) && m_pBoxFEDriver)
    return GetStateBoxFirmware(locked, signal, lock);
  locked = GetLockState(lock);
  return DVB_ERR_NONE;
}

int CFrontendCore::GetStateBoxFirmware(int& locked, fe::_SIGNAL_TYPE* signal,
                                       fe::_LOCK_STATE* lock) {
  DWORD state = 0;
  fwfe::Signal values;
  bool wanted = signal || lock;
  if (!m_pBoxFEDriver->GetStatus(&state, wanted ? &values : nullptr, nullptr))
    return DVB_ERR_NO_ANSWER;
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
      case fe::FE_SATELLITE:
        lock->Status = (state & 1) | ((state & 1) << 1) | ((state & 2) << 1) |
                       ((state & 4) << 1) | (ber << 4);
        break;
      case fe::FE_CABLE:
        lock->Status = state & 0x3F;
        break;
      default:
        lock->Status = (lock->Status & ~0x7u) | (state & 1) | (ber << 1);
        break;
    }
  }
  return DVB_ERR_NONE;
}

int CFrontendCore::GetLockState(fe::_LOCK_STATE* lock) {
  // The status registers of the other variants are read by their chip
  // routines, which this library does not have yet.
  (void)lock;
  return 0;
}
