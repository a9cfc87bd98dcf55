// The front end's bus seam on the simulated box linked in: box commands go
// to CSimBox as the bytes the command channel carries (the I2C bridge with
// its echo check included), every command first waits out the box's 20 ms
// pacing on the virtual clock, and pauses move that clock.
#pragma once

#include "FrontendBus.h"
#include "SimBox.h"
#include "SimClock.h"

class CSimFrontendBus final : public IFrontendBus {
 public:
  // The box's command pacing.
  static const int kCommandPauseMs = 20;

  CSimFrontendBus(CSimBox& box, CSimClock& clock) : m_box(box), m_clock(clock) {}

  void SetOpen(bool open) { m_open = open; }
  // What the device-access layer's analog query answers.
  void SetAnalog(BOOL analog) { m_analog = analog; }
  void SetUsbIds(WORD vendor, WORD product) { m_ids = (DWORD(vendor) << 16) | product; }
  // Box commands sent so far.
  int Commands() const { return m_commands; }

  bool DeviceOpen() override { return m_open; }
  int CombinedSeq(int address, const int* write, int writeCount, int* read, int readCount) override;
  int GetErrNo() override;
  void SetBitRate(WORD unused, WORD kHz) override;
  int SendCommand(BYTE command, const BYTE* request, int requestLength, BYTE* answer, int answerLength) override;
  bool GetPCISubIDs(DWORD& ids) override;
  bool GetFEType(DWORD& type) override;
  int DiSEqCMsg(const BYTE* message, BYTE length, BYTE burst, int variant) override;
  int SetLnbPwrPolF22(int, int, int, int, int) override { return 1; }
  void SetResetLine(int) override {}
  BOOL GetAnalog() override { return m_analog; }
  void Sleep(DWORD milliseconds) override { m_clock.Advance(milliseconds); }
  DWORD Now() override { return DWORD(m_clock.Now()); }

 private:
  CSimBox& m_box;
  CSimClock& m_clock;
  bool m_open = true;
  BOOL m_analog = 0;
  DWORD m_ids = 0x1A2C0B01;
  int m_errors = 0;
  int m_commands = 0;
};
