#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

#include "FakeHost.h"
#include "FeedServer.h"
#include "PacketIntake.h"
#include "SyntheticPes.h"

namespace {

// The host's stream thread keeps handing over packets while its UI thread
// ends the plug-in and frees the server: nothing is touched after Close.
TEST(PacketIntake, NoPacketReachesTheServerAfterClose) {
  for (int round = 0; round < 20; ++round) {
    CFakeHost host;
    CPacketIntake intake;
    auto server = std::make_unique<CFeedServer>(host);
    intake.Open(server.get());
    std::atomic<bool> go{true};
    const auto packet = SyntheticPes(1, 64);
    std::thread stream([&] {
      while (go) intake.Deliver(static_cast<int>(packet.size()), packet.data());
    });
    while (server->Received() == 0) std::this_thread::yield();
    intake.Close();
    server.reset();
    for (int i = 0; i < 100; ++i) std::this_thread::yield();
    go = false;
    stream.join();
    EXPECT_FALSE(intake.Deliver(static_cast<int>(packet.size()), packet.data()));
  }
}

}  // namespace
