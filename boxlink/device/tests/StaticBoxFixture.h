// Tests that link the library's objects and the simulated box statically:
// the device port is bound to the simulator, every test starts with a
// fresh box open and the boot waits on a fast clock that moves the
// simulator's boot clock on instead of sleeping.
#pragma once

#include "BootClock.h"
#include "BoxSimulator.h"
#include "DVBBoardControl.h"
#include "DVBCommon.h"
#include "DVBIntPipeReader.h"
#include "DVBIoI2c.h"
#include "DVBIsoStreamReader.h"
#include "DVBOwnerTable.h"
#include "DevicePort.h"
#include "DriverIoctl.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

inline std::atomic<DWORD>& SleptMs() {
  static std::atomic<DWORD> slept{0};
  return slept;
}

inline void FastSleep(DWORD ms) {
  SleptMs() += ms;
  BoxSimulator().AdvanceClock(ms);
  Sleep(0);
}

class StaticBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetDevicePort(&BoxSimulatorPort());
    // The DLL's entry point creates the owner table; these tests link none.
    static CDVBOwnerTable owners("QuillonStaticBoxOwners");
    if (!g_pDVBOwnerTable) g_pDVBOwnerTable = &owners;
    sim = &BoxSimulator();
    StopEverything();
    sim->Reset();
    ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
    bootclock::SetPollSleep(FastSleep);
    sim->FreezeClock(TRUE);
    SleptMs() = 0;
  }
  void TearDown() override {
    StopEverything();
    sim->ClearFaults();
    sim->WaitIdle(5000);
    bootclock::SetPollSleep(nullptr);
    sim->FreezeClock(FALSE);
  }
  void StopEverything() {
    if (CDVBCommon::IsOpen()) board.EnableIsoStream(0);
    TheIntPipeReader().StopThread(200);
    TheIsoStreamReader().StopThread(200);
    CDVBCommon::CloseDevice();
  }

  std::vector<SimLogEntry> Log() {
    std::vector<SimLogEntry> log(size_t(sim->LogCount()));
    for (size_t i = 0; i < log.size(); ++i) sim->GetLogEntry(int(i), &log[i]);
    return log;
  }
  std::vector<SimLogEntry> Controls(DWORD code) {
    std::vector<SimLogEntry> out;
    for (const SimLogEntry& e : Log())
      if (e.kind == SimLogEntry::kIoControl && e.code == code) out.push_back(e);
    return out;
  }
  int CommandCount(BYTE command) {
    int n = 0;
    for (const SimLogEntry& e : Controls(driverioctl::kCommandChannel)) n += e.request[0] == command;
    return n;
  }
  void Fault(int kind, DWORD code, int command = -1, int value = 0, int times = -1) {
    sim->AddFault(SimFault::Make(kind, code, command, value, times));
  }
  // Alternate setting, input and output switches, from the driver's status.
  struct Streams {
    DWORD setting, input, output;
  };
  Streams DriverStreams() {
    DWORD w[17] = {};
    CDVBIoI2c::GetDriverStatus(w, 17);
    return {w[0], w[1], w[2]};
  }
  DWORD Mode() {
    DWORD m = 0xDEAD, a, b;
    CDVBIoI2c::GetSTBMode(m, a, b);
    return m;
  }

  IBoxSimulator* sim = nullptr;
  CDVBBoardControl board;
};
