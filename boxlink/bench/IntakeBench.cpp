// The simulated box streaming a programme at a transponder's rate through
// the library's real intake (stream reader thread, parser, slot dispatch,
// a consumer's ring and worker) for a given time. Prints the CPU time the
// intake threads used and what was dropped anywhere on the way, the reads
// the stream reader made (with data and empty), and what one call that
// reaches the Wine server (setting an event) costs the calling thread here,
// which each read pays several times. Then, for a third of the time, the
// same stream with no consumer registered: the stream reader's CPU time
// alone, what its read loop (8192-byte reads, a new read after every read
// with data, waits of at most 100 ms for the data event) costs whatever
// happens to the packets.
//
//   boxlink_intake_bench [seconds] [Mbit/s]   (default 30 s at 38 Mbit/s)
#include "BenchSource.h"
#include "BoxSimulator.h"
#include "DVBBoardControl.h"
#include "DVBCommon.h"
#include "DVBIsoStreamReader.h"
#include "DevicePort.h"
#include "DriverIoctl.h"
#include "PacketConsumer.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

// Counts what reaches it; keeps the last PVA counters to spot losses.
class CCountingConsumer : public CPacketConsumer {
 public:
  CCountingConsumer() : CPacketConsumer(256000) {}
  ~CCountingConsumer() override { Shutdown(); }
  std::atomic<unsigned long long> bytes{0};
  std::atomic<unsigned long> packets{0};

 protected:
  void OnPacket(const PacketDesc& p) override {
    bytes += p.length;
    ++packets;
  }
};

double Seconds(FILETIME f) { return (double(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e7; }

double ThreadCpu(DWORD id) {
  HANDLE h = OpenThread(THREAD_QUERY_INFORMATION, FALSE, id);
  if (!h) return -1;
  FILETIME c, e, k, u;
  double s = GetThreadTimes(h, &c, &e, &k, &u) ? Seconds(k) + Seconds(u) : -1;
  CloseHandle(h);
  return s;
}

// CPU time of this thread per SetEvent, which under Wine is a round trip to
// its server, as every wait, driver call and event handover is.
double SetEventMicroseconds() {
  HANDLE e = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  const int calls = 20000;
  const double before = ThreadCpu(GetCurrentThreadId());
  for (int i = 0; i < calls; ++i) SetEvent(e);
  const double after = ThreadCpu(GetCurrentThreadId());
  CloseHandle(e);
  return (after - before) / calls * 1e6;
}

// The box sends what the rate allows by now, in groups of 8 packets, for
// the given time. Adds to the counts.
void Stream(IBoxSimulator& sim, CSimProgrammeSource& source, CSimStreamComposer& composer, double rate,
            double seconds, unsigned long& packets, unsigned long long& bytes) {
  std::vector<BYTE> group;
  unsigned long long sent = 0;
  LARGE_INTEGER f, t0, t;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&t0);
  for (;;) {
    QueryPerformanceCounter(&t);
    double elapsed = double(t.QuadPart - t0.QuadPart) / double(f.QuadPart);
    if (elapsed >= seconds) break;
    while (double(sent) < elapsed * rate) {
      group.clear();
      source.NextGroup(composer, 8, group);
      sim.QueuePipeData(driverioctl::kPipeIsoIn, group.data(), DWORD(group.size()));
      sent += group.size();
      packets += 8;
    }
    Sleep(2);
  }
  bytes += sent;
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = argc > 1 ? atof(argv[1]) : 30;
  double mbits = argc > 2 ? atof(argv[2]) : 38;
  double rate = mbits * 1e6 / 8;  // bytes per second

  SetDevicePort(&BoxSimulatorPort());
  IBoxSimulator& sim = BoxSimulator();
  sim.Reset();
  // A driver buffer of a quarter of a second of stream: what the reader does
  // not fetch in time is lost there.
  sim.SetStreamBufferLimit(DWORD(rate / 4));
  if (!CDVBCommon::OpenDevice(0, nullptr, TRUE)) {
    fprintf(stderr, "no simulated box\n");
    return 1;
  }
  CDVBBoardControl board;
  CCountingConsumer consumer;
  consumer.RegisterSlot(34);
  if (board.EnableIsoStream(8) != DVB_ERR_NONE) {
    fprintf(stderr, "streams not enabled\n");
    return 1;
  }
  DWORD readerId = TheIsoStreamReader().GetThreadId();
  DWORD workerId = consumer.GetThreadId();
  double reader0 = ThreadCpu(readerId), worker0 = ThreadCpu(workerId);

  bool real = false;
  CSimProgrammeSource source = BenchProgramme(&real);
  CSimStreamComposer composer;
  unsigned long sentPackets = 0;
  unsigned long long sentBytes = 0;
  Stream(sim, source, composer, rate, seconds, sentPackets, sentBytes);
  // Let the intake catch up with what is buffered (at most 2 s).
  for (int i = 0; i < 200 && (sim.StreamBytesBuffered() || consumer.packets < sentPackets); ++i) Sleep(10);
  double readerCpu = ThreadCpu(readerId) - reader0, workerCpu = ThreadCpu(workerId) - worker0;
  const CDVBStreamParser::Counters k = TheIsoStreamReader().GetParser().GetCounters();
  unsigned long delivered = consumer.packets;
  DWORD driverDropped = sim.StreamBytesDropped();
  const int firstAloneLog = sim.LogCount();

  // The reader alone: nothing registered in the slot any more.
  consumer.UnregisterSlot();
  const double aloneSeconds = seconds / 3;
  unsigned long alonePackets = 0;
  unsigned long long aloneBytes = 0;
  const double readerAlone0 = ThreadCpu(readerId);
  Stream(sim, source, composer, rate, aloneSeconds, alonePackets, aloneBytes);
  for (int i = 0; i < 200 && sim.StreamBytesBuffered(); ++i) Sleep(10);
  const double readerAloneCpu = ThreadCpu(readerId) - readerAlone0;
  board.EnableIsoStream(0);
  // The reader's reads in each part of the run.
  unsigned long reads = 0, emptyReads = 0, aloneReads = 0;
  for (int i = 0, n = sim.LogCount(); i < n; ++i) {
    SimLogEntry e;
    if (!sim.GetLogEntry(i, &e) || e.kind != SimLogEntry::kRead || e.thread != readerId) continue;
    if (i >= firstAloneLog) {
      ++aloneReads;
      continue;
    }
    ++reads;
    if (e.bytes == 0) ++emptyReads;
  }

  printf("simulated box: %s programme at %.1f Mbit/s for %.0f s\n", real ? "MPEG-2 test" : "synthetic", mbits, seconds);
  printf("  sent %lu packets (%.1f MB); delivered to the recording slot %lu\n", sentPackets, sentBytes / 1e6,
         delivered);
  printf("  intake CPU: stream reader %.2f s, consumer worker %.2f s (%.1f%% of one core)\n", readerCpu, workerCpu,
         100.0 * (readerCpu + workerCpu) / seconds);
  printf(
      "  dropped: driver buffer %lu bytes, consumer ring %lu packets, parser bad %lu, "
      "refused %lu, resend requests %lu; packets lost %ld\n",
      (unsigned long)driverDropped, (unsigned long)consumer.GetDropped(), (unsigned long)k.badPackets,
      (unsigned long)k.refusedPackets, (unsigned long)k.resendRequests, long(sentPackets) - long(delivered));
  printf("  stream reads: %lu (%.0f/s), %lu of them empty; %.0f bytes per read with data\n", reads, reads / seconds,
         emptyReads, reads > emptyReads ? double(sentBytes) / double(reads - emptyReads) : 0.0);
  printf("  the stream reader alone, nothing registered, %.0f s more: %.2f s CPU (%.1f%% of one core), %lu reads "
         "(%.0f/s), %.0f us of CPU per read\n",
         aloneSeconds, readerAloneCpu, 100.0 * readerAloneCpu / aloneSeconds, aloneReads, aloneReads / aloneSeconds,
         aloneReads ? readerAloneCpu / aloneReads * 1e6 : 0.0);
  printf("  one SetEvent (a Wine server round trip) costs this thread %.1f us of CPU\n", SetEventMicroseconds());
  CDVBCommon::CloseDevice();
  return delivered == sentPackets ? 0 : 2;
}
