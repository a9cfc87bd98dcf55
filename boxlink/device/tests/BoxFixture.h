// Tests through the library's test build, whose device port is bound to the
// simulator DLL it links (boxsim.dll). The fixture reaches the same DLL's
// control interface, starts every test with a fresh box open, and closes it
// afterwards.
#pragma once

#include "BoxSimulator.h"
#include "DVBCommon.h"
#include "DVBIoI2c.h"
#include "DriverIoctl.h"
#include "SimNetAdapter.h"
#include "SimulatorInterface.h"

#include <gtest/gtest.h>

#include <vector>

inline IBoxSimulator* Simulator() {
  static IBoxSimulator* sim = SimulatorInterface<IBoxSimulator>(BOXSIM_CONTROL_EXPORT);
  return sim;
}

// The box's network adapter on the PC, in the same DLL.
inline ISimNetAdapter* NetSimulator() {
  static ISimNetAdapter* net = SimulatorInterface<ISimNetAdapter>(BOXSIM_NETADAPTER_EXPORT);
  return net;
}

class BoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim = Simulator();
    ASSERT_NE(sim, nullptr) << "the library's test build must be loaded, with boxsim.dll";
    CDVBCommon::CloseDevice();
    sim->Reset();
    ASSERT_TRUE(CDVBCommon::OpenDevice(0, nullptr, TRUE));
    CDVBIoI2c::GetErrNo();
  }
  void TearDown() override {
    CDVBCommon::CloseDevice();
    sim->ClearFaults();
    sim->WaitIdle(5000);
  }

  SimBoxState State() {
    SimBoxState s;
    sim->GetState(&s);
    return s;
  }
  std::vector<SimLogEntry> Log() {
    std::vector<SimLogEntry> log(size_t(sim->LogCount()));
    for (size_t i = 0; i < log.size(); ++i) sim->GetLogEntry(int(i), &log[i]);
    return log;
  }
  // Command-channel calls carrying the given command byte (-1: all).
  std::vector<SimLogEntry> Commands(int command = -1) {
    std::vector<SimLogEntry> out;
    for (const SimLogEntry& e : Log())
      if (e.code == driverioctl::kCommandChannel && (command < 0 || e.request[0] == command)) out.push_back(e);
    return out;
  }
  void Fault(int kind, DWORD code, int command = -1, int value = 0, int times = -1) {
    sim->AddFault(SimFault::Make(kind, code, command, value, times));
  }

  IBoxSimulator* sim = nullptr;
};
