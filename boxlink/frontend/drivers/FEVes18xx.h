// What the VES18xx satellite and cable drivers share: the demodulator's
// register forms ([0x00, register, value] writes, combined reads, two-value
// pulses) with a shadow of what was written, the object's state flags and
// busy codes, and the frequency window that the scan operations sweep step
// by step, which is how the front end's channel search drives them.
#pragma once

#include "FrontendBus.h"
#include "SearchDriver.h"

class CFEVes18xx : public IFESearchDriver {
 public:
  // Detail codes.
  static constexpr WORD kBusy8 = 8, kBusy5 = 5, kBusy4 = 4;
  static constexpr WORD kOutOfRange = 6;  // symbol rate, voltage
  static constexpr WORD kBadArgument = 7;
  // Poll states.
  static constexpr WORD kPollBusy = 0, kPollNotLocked = 1, kPollLocked = 2;

  // 0 or 5 (no channel set); state kPollBusy, kPollNotLocked or kPollLocked.
  virtual int Poll(WORD* state, DWORD waitMs) = 0;

  // The window the scan sweeps, from two frequencies seen through an
  // oscillator `offset` (0 when there is none), clamped to the chip's range.
  void SetScanRange(DWORD f1, DWORD f2, DWORD offset);
  void ResetScanRange();
  int ScanNext(WORD* code);
  int ScanStop(WORD* code);

  // IFESearchDriver: the sweep runs from the current channel up to
  // `parameter` kHz (0: to the top of the window).
  WORD SetSearchStart(DWORD frequency, DWORD parameter, DWORD localOscillator) override;
  WORD StartSearch() override;
  WORD PollLock(WORD& state, DWORD waitMs) override;
  WORD GetSearchResult() override;
  void ResetSearchRange() override { ResetScanRange(); }
  DWORD SweepSteps() override;

  DWORD CurrentKHz() const { return m_currentKHz; }
  DWORD ScanLow() const { return m_scanLow; }
  DWORD ScanHigh() const { return m_scanHigh; }
  WORD Wait() const { return m_wait; }

 protected:
  CFEVes18xx(IFrontendBus& bus, BYTE address, DWORD windowLow, DWORD windowHigh);

  // Object state flags. Bits 1 and 2: busy states, reported as detail
  // codes 5 and 4; bit 1 also holds the channel (no corrections).
  static constexpr BYTE kScanning = 0x01, kHeld = 0x02, kBusyOther = 0x04, kSearching = 0x10, kLockFound = 0x20,
                        kRangeEnd = 0x40, kChannelSet = 0x80;

  void Write(BYTE reg, BYTE value);
  void Pulse(BYTE reg, BYTE first, BYTE second);
  BYTE Read(BYTE reg);
  // 4, 5 or 8 while the object is busy, else 0.
  WORD BusyCode() const;
  // The frequency clamped to the scan window; the range-end flag when it
  // reaches either end.
  DWORD ClampToWindow(DWORD f);
  // A 20-bit error count from two registers and the low nibble of a third.
  DWORD ErrorCount(BYTE low);
  // An error count as mantissa (below 100) and decimal exponent.
  static void NormaliseBer(DWORD count, DWORD exponent, DWORD& mantissa, DWORD& outExponent);

  // The scan's step from a frequency without a carrier (kHz) and from a
  // locked channel, past its bandwidth.
  DWORD ScanStepKHz(bool carrier) const;
  virtual void StopLockSearch() = 0;

  IFrontendBus& m_bus;
  const BYTE m_address;
  const DWORD m_windowLow, m_windowHigh;
  bool m_tuned = false;
  DWORD m_scanLow, m_scanHigh;
  BYTE m_flags = 0;
  int m_identity = 0;
  DWORD m_currentKHz = 0, m_requestedKHz = 0;
  WORD m_wait = 0;
  DWORD m_symbolRate = 0;
  BYTE m_shadow[0x40] = {};
  BYTE m_status = 0;
  int m_searchState = 0;
};
