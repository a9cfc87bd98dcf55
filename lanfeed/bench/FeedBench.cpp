// Throughput of the server on loopback, run on demand (not a test):
//   lanfeed_bench [seconds] [packet-bytes] [pause-ms]
// For the given time the host's thread hands packets to the server as fast
// as it can (what the queue cannot take is dropped; after each refusal the
// host yields, or sleeps pause-ms when given); a client on 127.0.0.1
// reads and splits the stream. Then the same packet goes through a plain
// Winsock send loop to the same kind of client for the same time. Prints packets/s,
// Mbit/s and drops for both, lanfeed's rate as a fraction of the plain loop's
// and as a multiple of a 38 Mbit/s transponder.
//   lanfeed_bench [seconds]
// runs four cases in turn: 4096-byte packets with a host that yields, then
// one that sleeps 1 ms, after a refusal; 65,000-byte packets with a host
// that yields; and 4096-byte packets handed over evenly at half the plain
// loop's rate of the first case, where the client keeps up and nothing
// should be dropped.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "FakeHost.h"
#include "FeedServer.h"
#include "LoopbackClient.h"
#include "ServerWindow.h"
#include "SyntheticPes.h"

namespace {

using Clock = std::chrono::steady_clock;

// What the host's thread does when the queue refuses a packet: 0 yields.
DWORD g_pauseMs = 0;

struct Figures {
  long long packets = 0;
  long long bytes = 0;
  long long dropped = 0;
  double seconds = 0;
  double PacketsPerSecond() const { return packets / seconds; }
  double Mbits() const { return bytes * 8.0 / seconds / 1e6; }
};

void Print(const char* name, const Figures& f) {
  std::printf("%-12s %9lld packets %8.3f s %10.0f packets/s %9.1f Mbit/s %7lld dropped\n", name, f.packets, f.seconds,
              f.PacketsPerSecond(), f.Mbits(), f.dropped);
}

// packetsPerSec 0: as fast as the queue takes them.
Figures RunLanfeed(const std::vector<BYTE>& packet, double seconds, double packetsPerSec) {
  CFakeHost host;
  CFeedServer server(host);
  CServerWindow window(server);
  const u_short port = FreeLoopbackPort();
  Figures f;
  if (!server.Start(port, 0)) {
    std::printf("lanfeed: cannot start on port %u\n", port);
    return f;
  }
  CLoopbackClient client;
  client.countOnly = true;
  if (!client.Connect(port)) return f;
  client.StartReading();
  PumpUntil([&] { return client.ItemCount() >= 1; });  // the current channel

  const auto start = Clock::now();
  std::atomic<bool> streaming{true};
  std::thread stream([&] {
    long long handed = 0;
    while (streaming) {
      if (packetsPerSec > 0 && handed >= std::chrono::duration<double>(Clock::now() - start).count() * packetsPerSec) {
        Sleep(1);
        continue;
      }
      ++handed;
      if (!server.EnqueuePacket(static_cast<int>(packet.size()), packet.data())) Sleep(g_pauseMs);
    }
  });
  PumpUntil([&] { return std::chrono::duration<double>(Clock::now() - start).count() >= seconds; },
            static_cast<int>(seconds * 1000) + 1000);
  streaming = false;
  stream.join();
  PumpUntil([&] { return server.QueueSize() == 0 && client.ItemCount() >= static_cast<size_t>(server.Sent()) + 1; },
            600000);
  f.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  f.packets = static_cast<long long>(client.ItemCount()) - 1;
  f.bytes = f.packets * static_cast<long long>(packet.size());
  f.dropped = server.Dropped();
  if (client.StreamFailed()) std::printf("lanfeed: the client could not split the stream\n");
  server.Stop(0);
  return f;
}

Figures RunPlainLoop(const std::vector<BYTE>& packet, double seconds) {
  Figures f;
  SOCKET listening = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const u_short port = FreeLoopbackPort();
  address.sin_port = htons(port);
  if (bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(listening, 1) != 0) {
    std::printf("plain: cannot listen on port %u\n", port);
    return f;
  }
  CLoopbackClient client;
  client.countOnly = true;
  client.Connect(port);
  SOCKET s = accept(listening, nullptr, nullptr);
  closesocket(listening);
  client.StartReading();
  const auto start = Clock::now();
  long long count = 0;
  for (; std::chrono::duration<double>(Clock::now() - start).count() < seconds; ++count) {
    int sent = 0;
    while (sent < static_cast<int>(packet.size())) {
      const int n =
          send(s, reinterpret_cast<const char*>(packet.data()) + sent, static_cast<int>(packet.size()) - sent, 0);
      if (n <= 0) break;
      sent += n;
    }
  }
  while (client.ItemCount() < static_cast<size_t>(count)) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  f.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  f.packets = static_cast<long long>(client.ItemCount());
  f.bytes = f.packets * static_cast<long long>(packet.size());
  shutdown(s, SD_BOTH);
  closesocket(s);
  return f;
}

// One case: lanfeed, then the plain loop, with the same packet; the plain
// loop's figures.
Figures RunCase(size_t size, double seconds, DWORD pauseMs, double packetsPerSec) {
  g_pauseMs = pauseMs;
  const std::vector<BYTE> packet = SyntheticPes(1, size - 9);
  if (packetsPerSec > 0)
    std::printf("%.1f s each, packets of %zu bytes handed over evenly at %.0f packets/s (%.1f Mbit/s)\n", seconds,
                packet.size(), packetsPerSec, packetsPerSec * packet.size() * 8 / 1e6);
  else
    std::printf("%.1f s each, packets of %zu bytes, the host %s after a refused packet\n", seconds, packet.size(),
                pauseMs ? "sleeps" : "yields");
  const Figures lanfeed = RunLanfeed(packet, seconds, packetsPerSec);
  const Figures plain = RunPlainLoop(packet, seconds);
  Print("lanfeed", lanfeed);
  Print("plain loop", plain);
  if (plain.seconds > 0 && lanfeed.seconds > 0) {
    std::printf("lanfeed: %.2f of the plain loop's Mbit/s, %.1f times a 38 Mbit/s transponder\n",
                lanfeed.Mbits() / plain.Mbits(), lanfeed.Mbits() / 38.0);
  }
  return plain;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 5;
  const size_t size = argc > 2 ? static_cast<size_t>(std::atoll(argv[2])) : 4096;
  const DWORD pauseMs = argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 0;
  if (seconds <= 0 || size < 16 || size > 65000) {
    std::fprintf(stderr, "usage: lanfeed_bench [seconds] [packet-bytes 16..65000] [pause-ms]\n");
    return 2;
  }
  CWinsockSession winsock;
  if (argc > 2) {
    RunCase(size, seconds, pauseMs, 0);
    return 0;
  }
  const Figures plain = RunCase(4096, seconds, 0, 0);
  RunCase(4096, seconds, 1, 0);
  RunCase(65000, seconds, 0, 0);
  RunCase(4096, seconds, 0, plain.PacketsPerSecond() / 2);
  return 0;
}
