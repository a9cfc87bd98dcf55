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
// should be dropped. For that case the host's thread also watches the queue
// and prints what a drop there means: the time the queue's packets cover at
// the offered rate beside the longest stall of the sender, its slowest
// sending while packets stayed queued, and the host's own longest pause.
#include <algorithm>
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

// What the host's thread saw of the queue during a paced case, to tell what
// a drop there means. The queue holds kMaxPackets: at the offered rate that
// covers a bounded pause of the sender, or a bounded stretch in which the
// sender (with the client and the machine) moves less than is offered.
struct PaceWatch {
  double longestSenderStallMs = 0;  // packets queued and none sent for so long
  double slowestDrain = -1;         // packets/s sent over 100 ms with packets queued throughout; -1: none
  int largestQueue = 0;
  double longestHostPauseMs = 0;  // longest time between two hand-overs
  long long largestBurst = 0;     // packets handed over without the pacing sleep
  // At the first drop of each run of drops: the largest of these.
  double stallAtDropMs = 0;
  long long burstAtDrop = 0;
};

struct Figures {
  long long packets = 0;
  long long bytes = 0;
  long long dropped = 0;
  double seconds = 0;
  PaceWatch pace;
  double PacketsPerSecond() const { return packets / seconds; }
  double Mbits() const { return bytes * 8.0 / seconds / 1e6; }
};

void Print(const char* name, const Figures& f) {
  std::printf("%-12s %9lld packets %8.3f s %10.0f packets/s %9.1f Mbit/s %7lld dropped\n", name, f.packets, f.seconds,
              f.PacketsPerSecond(), f.Mbits(), f.dropped);
}

// What a drop in a paced case means: the queue covers kMaxPackets at the
// offered rate, so a drop needs the sender stalled longer than that, or a
// stretch in which it sends slower than packets arrive (the client then does
// not keep up), or a host that hands over more than the queue holds at once.
void PrintPace(const PaceWatch& w, double packetsPerSec, long long dropped) {
  const double coverMs = CPesQueue::kMaxPackets * 1000.0 / packetsPerSec;
  std::printf(
      "the queue's %d packets cover %.1f ms at %.0f packets/s; longest sender stall %.1f ms "
      "(packets queued, none sent); largest queue %d\n",
      CPesQueue::kMaxPackets, coverMs, packetsPerSec, w.longestSenderStallMs, w.largestQueue);
  if (w.slowestDrain >= 0)
    std::printf(
        "slowest sending over 100 ms with packets queued throughout: %.0f packets/s (%.2f of the offered rate)\n",
        w.slowestDrain, w.slowestDrain / packetsPerSec);
  else
    std::printf("the queue emptied within every 100 ms\n");
  std::printf("longest pause of the host's thread %.1f ms; at most %lld packets handed over without a pause\n",
              w.longestHostPauseMs, w.largestBurst);
  if (dropped > 0)
    std::printf(
        "at the first drop of each run of drops: sender stalled up to %.1f ms, host burst up to %lld "
        "packets\n",
        w.stallAtDropMs, w.burstAtDrop);
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
    using Ms = std::chrono::duration<double, std::milli>;
    long long handed = 0;
    long long burst = 0;  // hand-overs since the last pause
    int lastSent = 0;
    bool dropping = false;
    auto lastHandOver = start;
    auto lastProgress = start;  // the sender last sent a packet, or the queue was empty
    auto drainStart = start;    // the queue has held packets since, as far as seen
    int drainSent = 0;
    PaceWatch& w = f.pace;
    while (streaming) {
      const auto now = Clock::now();
      if (packetsPerSec > 0) {
        // Between two looks at the queue the sender either sent a packet or had
        // none to send; otherwise it stalls since the last progress seen.
        const int sent = server.Sent();
        const int queued = server.QueueSize();
        if (sent != lastSent || queued == 0) lastProgress = now;
        lastSent = sent;
        if (queued == 0) {
          drainStart = now;
          drainSent = sent;
        } else if (Ms(now - drainStart).count() >= 100) {
          const double rate = (sent - drainSent) / std::chrono::duration<double>(now - drainStart).count();
          if (w.slowestDrain < 0 || rate < w.slowestDrain) w.slowestDrain = rate;
          drainStart = now;
          drainSent = sent;
        }
        w.longestSenderStallMs = std::max(w.longestSenderStallMs, Ms(now - lastProgress).count());
        w.largestQueue = std::max(w.largestQueue, queued);
        if (handed >= std::chrono::duration<double>(now - start).count() * packetsPerSec) {
          burst = 0;
          Sleep(1);
          continue;
        }
        if (burst == 0) w.longestHostPauseMs = std::max(w.longestHostPauseMs, Ms(now - lastHandOver).count());
        lastHandOver = now;
        w.largestBurst = std::max(w.largestBurst, ++burst);
      }
      ++handed;
      const bool accepted = server.EnqueuePacket(static_cast<int>(packet.size()), packet.data());
      if (packetsPerSec > 0 && !accepted && !dropping) {
        w.stallAtDropMs = std::max(w.stallAtDropMs, Ms(now - lastProgress).count());
        w.burstAtDrop = std::max(w.burstAtDrop, burst);
      }
      dropping = !accepted;
      if (!accepted) Sleep(g_pauseMs);
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
  if (packetsPerSec > 0) PrintPace(lanfeed.pace, packetsPerSec, lanfeed.dropped);
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
  // The server reaches its host through a window. Without a display Wine
  // creates none, no event reaches the server, and every case would wait out
  // its limits (minutes each) before printing nothing useful.
  if (HWND probe = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr)) {
    DestroyWindow(probe);
  } else {
    std::fprintf(stderr,
                 "lanfeed_bench: cannot create a window (no display?); `bash scripts/bench lanfeed_bench` runs it "
                 "on a virtual display\n");
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
