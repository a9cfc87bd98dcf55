// The library unloaded (FreeLibrary) while a box is open and another
// process has 16 slave filters in it: nothing under the loader lock waits
// for a thread, which could not end there. The slave filter server and its
// filters' workers are asked to stop and end by themselves once the loader
// lets them; a worker held inside the network adapter's driver, where no
// stop reaches it, is neither waited for nor terminated.
//
// The unload leaves the server's named objects and the held worker behind,
// so this program holds this one test.
#include "AdapterKey.h"
#include "BoxCommands.h"
#include "BoxSimulator.h"
#include "DriverIoctl.h"
#include "FilterRequests.h"
#include "LoadedLibrary.h"
#include "SimFilterOutput.h"
#include "SimNetAdapter.h"
#include "SimulatorInterface.h"
#include "WaitFor.h"
#include "WorkerLoop.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

using namespace filterrequests;

namespace {

const int kFilters = 16;
// A thread asked to stop ends within this once the loader lets it (a
// bound on the wait, not a measure).
const DWORD kEndWaitMs = 30000;

WORD Pid(int filter) { return WORD(0x100 + filter); }

struct Thread {
  HANDLE handle;
  DWORD exitCodeWhenEnded;
};

}  // namespace

TEST(LibraryUnload, WithABoxOpenTheThreadsAreAskedToStopAndNoneIsWaitedFor) {
  ASSERT_NE(getenv("BOXLINK_FILTER_REQUESTER"), nullptr);
  // This program's own reference keeps the simulator, and the held worker's
  // place in it, beyond the library's unload.
  ASSERT_NE(LoadLibraryA("boxsim.dll"), nullptr);
  IBoxSimulator* sim = SimulatorInterface<IBoxSimulator>(BOXSIM_CONTROL_EXPORT);
  ISimNetAdapter* net = SimulatorInterface<ISimNetAdapter>(BOXSIM_NETADAPTER_EXPORT);
  ASSERT_NE(sim, nullptr);
  ASSERT_NE(net, nullptr);
  sim->Reset();
  net->Reset();
  // The box's network adapter, for the filters' sections.
  const BYTE boxMac[6] = {0x02, 0xA7, 0xE3, 0x1A, 0x2B, 0x3C};
  net->SetPresent(1);
  WriteAdapterValue(*net, 0, "NetworkAddress", "02A7E31A2B3C");
  net->AddHostAdapter(HostAdapter(boxMac, "192.168.7.1", "255.255.255.0"));
  net->SetDriverAddress(0, 0, 5000);

  CLoadedLibrary library;
  ASSERT_TRUE(library.Loaded());
  ASSERT_TRUE(library.OpenDevice(0, nullptr, FALSE));
  ASSERT_EQ(library.EnableIsoStream(8), 0);
  std::vector<std::string> requests(kFilters, "create");
  for (int n = 1; n <= kFilters; ++n) requests.push_back("set:" + std::to_string(n) + ":2:" + std::to_string(Pid(n)));
  std::vector<Response> responses = Ask(requests);
  ASSERT_EQ(responses.size(), requests.size());
  for (const Response& r : responses) ASSERT_TRUE(r.answered && r.result == 0) << r.line;

  // The server's thread set the box filters; each filter's worker sends
  // its filter's sections to the adapter.
  std::set<DWORD> server;
  for (int i = 0; i < sim->LogCount(); ++i) {
    SimLogEntry e;
    sim->GetLogEntry(i, &e);
    if (e.code == driverioctl::kCommandChannel && e.request[0] == boxcommands::kAddSectionFilter)
      server.insert(e.thread);
  }
  ASSERT_EQ(server.size(), 1u);
  SimBoxState box;
  sim->GetState(&box);
  CSimStreamComposer composer;
  auto send = [&](int filter) {
    std::vector<BYTE> stream;
    composer.Group(SimSectionOutput(box, Pid(filter), {SimSectionWithCrc(0x42, WORD(filter), {1, 2, 3})}), stream);
    sim->QueuePipeData(driverioctl::kPipeIsoIn, stream.data(), DWORD(stream.size()));
  };
  for (int n = 1; n <= kFilters; ++n) send(n);
  ASSERT_TRUE(WaitFor([&] { return net->SentCount() == kFilters; }));
  std::set<DWORD> workers;
  for (int i = 0; i < kFilters; ++i) {
    SimNetPacket sent;
    ASSERT_TRUE(net->GetSent(i, &sent));
    workers.insert(sent.thread);
  }
  ASSERT_EQ(workers.size(), size_t(kFilters));

  // One worker stops inside the adapter's driver, out of reach of a stop.
  net->HoldSends(TRUE);
  send(1);
  ASSERT_TRUE(WaitFor([&] { return net->HeldSends() == 1; }));
  SimNetPacket heldSend;
  ASSERT_TRUE(net->GetSent(kFilters, &heldSend));
  ASSERT_EQ(library.EnableIsoStream(0), 0);

  const DWORD access = SYNCHRONIZE | THREAD_QUERY_INFORMATION;
  HANDLE held = OpenThread(access, FALSE, heldSend.thread);
  ASSERT_NE(held, nullptr);
  std::vector<Thread> asked = {{OpenThread(access, FALSE, *server.begin()), 0}};
  for (DWORD id : workers)
    if (id != heldSend.thread) asked.push_back({OpenThread(access, FALSE, id), kWorkerEndedExitCode});
  for (const Thread& t : asked) ASSERT_NE(t.handle, nullptr);

  ASSERT_TRUE(library.Unload());
  EXPECT_EQ(GetModuleHandleA("boxlink.dll"), nullptr);
  // Nothing waited for the held worker, let alone terminated it.
  EXPECT_EQ(WaitForSingleObject(held, 0), DWORD(WAIT_TIMEOUT));
  // The others were asked to stop and ended by themselves.
  for (const Thread& t : asked) {
    ASSERT_EQ(WaitForSingleObject(t.handle, kEndWaitMs), DWORD(WAIT_OBJECT_0));
    DWORD code = 0;
    GetExitCodeThread(t.handle, &code);
    EXPECT_EQ(code, t.exitCodeWhenEnded);
    CloseHandle(t.handle);
  }
  // The held worker stays in the driver until the process ends.
  RemoveAdapterKey(*net, 0);
}
