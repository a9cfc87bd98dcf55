// The intake path fed from memory as fast as it goes: 8192-byte blocks
// through the stream parser, slot dispatch and a consumer's packet ring,
// which the same thread empties after each block, so the figure is the
// whole path's throughput on one core. Printed beside the ceiling of a
// USB 2.0 high-speed isochronous stream (24 MB/s).
//
//   boxlink_parser_bench [megabytes]   (default 256)
#include "BenchSource.h"
#include "CallbackSlots.h"
#include "PacketRing.h"
#include "StreamParser.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

namespace {

const double kUsbIsoCeilingMBs = 24.0;

double ThreadCpuSeconds() {
#ifdef _WIN32
  FILETIME c, e, k, u;
  GetThreadTimes(GetCurrentThread(), &c, &e, &k, &u);
  auto t = [](FILETIME f) { return (double(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e7; };
  return t(k) + t(u);
#else
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
#endif
}

typedef void (*Callback)(void*, int, BYTE, BYTE*, DWORD, BYTE);

struct Consumer {
  CPacketRing ring{256000};
  std::atomic<unsigned long long> bytes{0};
  std::atomic<unsigned long> packets{0};
  std::atomic<unsigned long> dropped{0};
};

void Push(void* context, int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag) {
  auto* c = static_cast<Consumer*>(context);
  if (!c->ring.Push(data, length, DWORD(kind), slot, flag)) ++c->dropped;
}

class Sink : public IStreamParserSink {
 public:
  void Dispatch(int kind, BYTE* data, DWORD length, BYTE slot) override {
    slots.Dispatch(slot, length, kind, slot, data, length, BYTE(0));
  }
  int RequestResend(WORD) override { return 0; }
  CCallbackSlots<Callback> slots;
};

}  // namespace

int main(int argc, char** argv) {
  double megabytes = argc > 1 ? atof(argv[1]) : 256;
  bool real = false;
  CSimProgrammeSource source = BenchProgramme(&real);
  // One pass of the programme, composed once and fed again and again. Each
  // new pass renumbers its packets so the sequence runs on: a trailer's
  // check word changes by exactly the bits its sequence number changes.
  CSimStreamComposer composer;
  std::vector<BYTE> stream;
  std::vector<size_t> trailers;
  size_t packetsPerPass = (source.Packets().size() + 7) / 8 * 8;
  for (size_t n = 0; n < packetsPerPass; n += 8) {
    BYTE header[4] = {0xAA, 0xAA, 0xAA, 7};
    stream.insert(stream.end(), header, header + 4);
    for (int i = 0; i < 8; ++i) {
      composer.Packet(source.Packets()[(n + i) % source.Packets().size()], stream);
      trailers.push_back(stream.size() - 4);
    }
  }
  size_t passBytes = stream.size();
  WORD sequence = composer.NextSequence();
  auto renumber = [&] {
    for (size_t at : trailers) {
      BYTE* t = stream.data() + at;
      WORD old = WORD((t[0] << 8) | t[1]);
      WORD now = sequence;
      sequence = streamparser::NextSequence(sequence);
      t[0] = BYTE(now >> 8), t[1] = BYTE(now);
      t[2] ^= BYTE((old ^ now) >> 8), t[3] ^= BYTE(old ^ now);
    }
  };

  Consumer consumer;
  Sink sink;
  sink.slots.Register(Push, &consumer, 34);
  CDVBStreamParser parser(&sink);

  auto drain = [&] {
    PacketDesc* p;
    while (consumer.ring.Peek(&p)) {
      consumer.bytes += p->length;
      ++consumer.packets;
      consumer.ring.Pop();
    }
  };

  const size_t target = size_t(megabytes * 1e6);
  size_t fed = 0;
  double cpu0 = ThreadCpuSeconds();
  auto wall0 = std::chrono::steady_clock::now();
  for (bool first = true; fed < target; first = false) {
    if (!first) renumber();
    for (size_t at = 0; at < passBytes && fed < target; at += 8192) {
      DWORD n = DWORD(std::min<size_t>(8192, passBytes - at));
      parser.Feed(stream.data() + at, n);
      drain();
      fed += n;
    }
  }
  double cpu = ThreadCpuSeconds() - cpu0;
  double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();

  double perCore = fed / 1e6 / (cpu > 0 ? cpu : wall);
  const CDVBStreamParser::Counters& k = parser.GetCounters();
  printf("intake from memory: %s programme, %.0f MB in 8192-byte blocks\n", real ? "MPEG-2 test" : "synthetic",
         fed / 1e6);
  printf("  parser + dispatch + ring: %.1f MB/s per core (thread CPU %.2f s, wall %.2f s)\n", perCore, cpu, wall);
  printf("  USB 2.0 high-speed isochronous ceiling: %.0f MB/s; ratio %.1fx\n", kUsbIsoCeilingMBs,
         perCore / kUsbIsoCeilingMBs);
  printf("  packets delivered %lu, ring drops %lu, bad %lu, refused %lu, resend requests %lu\n",
         (unsigned long)consumer.packets.load(), (unsigned long)consumer.dropped.load(), (unsigned long)k.badPackets,
         (unsigned long)k.refusedPackets, (unsigned long)k.resendRequests);
  return 0;
}
