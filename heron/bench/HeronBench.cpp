// Throughput and latency of heron in a running graph, on demand (not a test).
//
// Two threads push video and audio PES packets through ISourceFeed into heron,
// whose pins deliver to two test sinks that only count (no clock, so they take
// each sample at once). Three runs:
//   1. sustained: each pusher keeps at most a window of packets in flight (so
//      the queues never reach their bound and nothing is dropped);
//   2. paced at a full 80 Mbit/s DVB-S2 transponder;
//   3. paced at one SD programme (8 Mbit/s).
// Prints packets/s, MB/s, the multiple of 80 Mbit/s, CPU time per packet and
// the latency from DeliverVideo to the video sink (median, 99th percentile)
// beside the latency that the pins' wake rules alone imply at that rate.
// After the sustained run the same packets go through a reference with no
// DirectShow (ReferenceQueue.h), and heron's rate in bytes per second is
// printed as a fraction of the reference's: the two deliver different mixes
// of video and audio packets, so packets per second do not compare.
//
//   wine build/windows/heron/bench/heron_bench.exe [seconds per run]
// (run inside the test environment, e.g. after `source scripts/wine-env.sh &&
// wine_env_start build/windows/wineprefix`).
#include "../include/ISourceFeed.h"
#include "ReferenceQueue.h"
#include "WakeModel.h"

#include <Streams.h>
#include <TestSinkLog.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr size_t kVideoPayload = 16000;
constexpr size_t kAudioPayload = 1500;
constexpr double kTransponderBytesPerSec = 80e6 / 8;
// The video pin's wake rules: a push that leaves more than 101 packets queued
// wakes its thread; a take below 11 queued waits for that, at most 1000 ms.
constexpr size_t kVideoWakeAbove = 101;
constexpr size_t kVideoTakeAtLeast = 11;
constexpr double kWakeWaitMs = 1000;
constexpr LONG kVideoWindow = 400;
constexpr LONG kAudioWindow = 100;

std::string WinPath(const char* unixPath) {
  std::string s = std::string("Z:") + unixPath;
  for (char& c : s)
    if (c == '/') c = '\\';
  return s;
}

// An object of a library's class, made through its DllGetClassObject without
// the registry (the library stays loaded).
template <class T>
HRESULT Create(const char* dll, REFCLSID clsid, REFIID iid, ComPtr<T>* pObject) {
  HMODULE h = LoadLibraryA(WinPath(dll).c_str());
  if (!h) return CHECK_HR(HRESULT_FROM_WIN32(GetLastError()));
  using Fn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(h, "DllGetClassObject")));
  if (!fn) return CHECK_HR(E_NOINTERFACE);
  ComPtr<IClassFactory> factory;
  RETURN_IF_FAILED(fn(clsid, IID_IClassFactory, factory.PutVoid()));
  return CHECK_HR(factory->CreateInstance(nullptr, iid, pObject->PutVoid()));
}

LONGLONG Qpc() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t.QuadPart;
}

double QpcSeconds(LONGLONG ticks) {
  static const LONGLONG freq = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  return static_cast<double>(ticks) / static_cast<double>(freq);
}

double CpuSeconds(HANDLE h, bool process) {
  FILETIME c, e, k, u;
  BOOL ok = process ? GetProcessTimes(h, &c, &e, &k, &u) : GetThreadTimes(h, &c, &e, &k, &u);
  if (!ok) return 0;
  auto v = [](FILETIME f) { return (static_cast<ULONGLONG>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
  return static_cast<double>(v(k) + v(u)) / 1e7;
}

// A PES packet whose payload starts with its sequence number.
std::vector<BYTE> Packet(BYTE streamId, size_t payload, DWORD seq, DWORD pts) {
  std::vector<BYTE> p(14 + payload, 0x55);
  p[0] = 0;
  p[1] = 0;
  p[2] = 1;
  p[3] = streamId;
  size_t len = p.size() - 6;
  p[4] = static_cast<BYTE>(len >> 8);
  p[5] = static_cast<BYTE>(len);
  p[6] = 0x80;
  p[7] = 0x80;
  p[8] = 5;
  p[9] = static_cast<BYTE>(0x21 | ((pts >> 29) & 0x06));
  p[10] = static_cast<BYTE>(pts >> 22);
  p[11] = static_cast<BYTE>((pts >> 14) | 1);
  p[12] = static_cast<BYTE>(pts >> 7);
  p[13] = static_cast<BYTE>((pts << 1) | 1);
  memcpy(&p[14], &seq, 4);
  return p;
}

struct Pusher {
  bool video;
  size_t payload;
  double packetsPerSec;  // 0: as fast as the window allows
  LONG window;
  double seconds;
  ISourceFeed* feed;
  ITestSinkLog* log;
  LONG startCount;  // samples the sink held before this run
  DWORD firstSeq;
  std::vector<LONGLONG> pushedAt;  // by sequence number - firstSeq
  double cpu = 0;
  LONGLONG inDeliver = 0;  // QPC ticks spent inside DeliverVideo/DeliverAudio

  void Run() {
    std::vector<BYTE> pkt = Packet(video ? 0xE0 : 0xC0, payload, 0, 0);
    const LONGLONG start = Qpc();
    DWORD n = 0;
    for (;;) {
      const double elapsed = QpcSeconds(Qpc() - start);
      if (elapsed >= seconds) break;
      if (packetsPerSec > 0) {
        if (n >= elapsed * packetsPerSec) {
          Sleep(1);
          continue;
        }
      } else {
        LONG got = 0;
        log->GetSampleCount(&got);
        if (static_cast<LONG>(n) - (got - startCount) >= window) {
          SwitchToThread();
          continue;
        }
      }
      DWORD seq = firstSeq + n;
      DWORD pts = 90000 + seq * 3600;
      pkt[9] = static_cast<BYTE>(0x21 | ((pts >> 29) & 0x06));
      pkt[10] = static_cast<BYTE>(pts >> 22);
      pkt[11] = static_cast<BYTE>((pts >> 14) | 1);
      pkt[12] = static_cast<BYTE>(pts >> 7);
      pkt[13] = static_cast<BYTE>((pts << 1) | 1);
      memcpy(&pkt[14], &seq, 4);
      const LONGLONG before = Qpc();
      pushedAt.push_back(before);
      if (video)
        feed->DeliverVideo(pkt.data(), static_cast<LONG>(pkt.size()));
      else
        feed->DeliverAudio(pkt.data(), static_cast<LONG>(pkt.size()));
      inDeliver += Qpc() - before;
      n++;
    }
    cpu = CpuSeconds(GetCurrentThread(), false);
  }
};

struct Result {
  LONG packets = 0;
  double bytes = 0;
  std::vector<double> latencyMs;
  // Packets pushed in steady flow: neither in the run's first tenth nor
  // among its last tailPackets pushes, which the wake rules hold back until
  // the wait limit.
  std::vector<double> steadyLatencyMs;
};

// Samples received since startCount, with the latency of each from its push.
Result Collect(ITestSinkLog* log, const Pusher& p, size_t packetBytes, size_t tailPackets = 0) {
  Result r;
  LONG count = 0;
  log->GetSampleCount(&count);
  for (LONG i = p.startCount; i < count; i++) {
    TestSinkSample s;
    if (log->GetSample(i, &s, nullptr, 0) != S_OK) break;
    DWORD idx = s.dwTag - p.firstSeq;
    if (idx >= p.pushedAt.size()) continue;  // a packet of an earlier run
    r.packets++;
    r.bytes += static_cast<double>(packetBytes);
    const double ms = QpcSeconds(s.llArrival - p.pushedAt[idx]) * 1000;
    r.latencyMs.push_back(ms);
    if (idx >= p.pushedAt.size() / 10 && idx + tailPackets < p.pushedAt.size()) r.steadyLatencyMs.push_back(ms);
  }
  std::sort(r.latencyMs.begin(), r.latencyMs.end());
  std::sort(r.steadyLatencyMs.begin(), r.steadyLatencyMs.end());
  return r;
}

double Percentile(const std::vector<double>& v, double q) {
  if (v.empty()) return 0;
  size_t i = static_cast<size_t>(q * (v.size() - 1));
  return v[i];
}

struct Rig {
  ComPtr<IGraphBuilder> graph;
  ComPtr<IMediaControl> control;
  ComPtr<IBaseFilter> heron;
  ComPtr<ISourceFeed> feed;
  ComPtr<IBaseFilter> sink[2];
  ComPtr<ITestSinkLog> log[2];
};

// heron with a counting sink on each pin, in a graph without a clock.
HRESULT BuildRig(Rig& rig) {
  RETURN_IF_FAILED(
      CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder, rig.graph.PutVoid()));
  RETURN_IF_FAILED(Create(HERON_AX_PATH, CLSID_ExSourceFilter, IID_IBaseFilter, &rig.heron));
  RETURN_IF_FAILED(rig.heron.As(&rig.feed, IID_ISourceFeed));
  RETURN_IF_FAILED(rig.graph->AddFilter(rig.heron.Get(), L"heron"));
  const wchar_t* pins[2] = {L"Video", L"Audio"};
  for (int i = 0; i < 2; i++) {
    RETURN_IF_FAILED(Create(TESTSINK_AX_PATH, CLSID_TestSink, IID_IBaseFilter, &rig.sink[i]));
    RETURN_IF_FAILED(rig.sink[i].As(&rig.log[i], IID_ITestSinkLog));
    rig.log[i]->SetKeepPayloads(FALSE);
    RETURN_IF_FAILED(rig.graph->AddFilter(rig.sink[i].Get(), i ? L"audio sink" : L"video sink"));
    ComPtr<IPin> out, in;
    RETURN_IF_FAILED(rig.heron->FindPin(pins[i], out.Put()));
    RETURN_IF_FAILED(rig.sink[i]->FindPin(L"In", in.Put()));
    RETURN_IF_FAILED(rig.graph->ConnectDirect(out.Get(), in.Get(), nullptr));
  }
  ComPtr<IMediaFilter> mf;
  RETURN_IF_FAILED(rig.graph.As(&mf, IID_IMediaFilter));
  RETURN_IF_FAILED(mf->SetSyncSource(nullptr));
  return CHECK_HR(rig.graph.As(&rig.control, IID_IMediaControl));
}

// Bytes per second delivered to both sinks (whole PES packets, as the
// reference counts them).
double RunOnce(Rig& rig, const char* title, double seconds, double videoPps, double audioPps, DWORD& seq) {
  Pusher v{true, kVideoPayload, videoPps, kVideoWindow, seconds, rig.feed.Get(), rig.log[0].Get(), 0, seq, {}};
  Pusher a{false, kAudioPayload, audioPps, kAudioWindow, seconds, rig.feed.Get(), rig.log[1].Get(), 0, seq, {}};
  rig.log[0]->GetSampleCount(&v.startCount);
  rig.log[1]->GetSampleCount(&a.startCount);
  v.pushedAt.reserve(2000000);
  a.pushedAt.reserve(2000000);
  const double cpu0 = CpuSeconds(GetCurrentProcess(), true);
  const LONGLONG t0 = Qpc();
  std::thread tv([&] { v.Run(); });
  std::thread ta([&] { a.Run(); });
  tv.join();
  ta.join();
  // Let what is queued drain (the pins wait up to 1 s below their thresholds).
  Sleep(1500);
  const double wall = QpcSeconds(Qpc() - t0) - 1.5;
  const double cpu = CpuSeconds(GetCurrentProcess(), true) - cpu0;
  seq += 10000000;

  const size_t tail = kVideoWakeAbove + 1 - kVideoTakeAtLeast;
  Result rv = Collect(rig.log[0].Get(), v, 14 + kVideoPayload, tail);
  Result ra = Collect(rig.log[1].Get(), a, 14 + kAudioPayload);
  const LONG packets = rv.packets + ra.packets;
  const double bytesPerSec = (rv.bytes + ra.bytes) / wall;
  printf("%s\n", title);
  printf("  delivered %ld video + %ld audio packets of %ld pushed, in %.2f s\n", rv.packets, ra.packets,
         static_cast<long>(v.pushedAt.size() + a.pushedAt.size()), wall);
  printf("  %.0f packets/s, %.1f MB/s = %.2f x 80 Mbit/s\n", packets / wall, bytesPerSec / 1e6,
         bytesPerSec / kTransponderBytesPerSec);
  const size_t pushed = v.pushedAt.size() + a.pushedAt.size();
  printf("  push call: %.1f us per packet inside DeliverVideo/DeliverAudio (copy and append)\n",
         pushed ? QpcSeconds(v.inDeliver + a.inDeliver) / pushed * 1e6 : 0);
  printf("  CPU per packet outside the pushing threads (heron's pin threads, sinks, graph): %.1f us\n",
         packets ? (cpu - v.cpu - a.cpu) / packets * 1e6 : 0);
  printf("  latency DeliverVideo -> sink: median %.1f ms, 99th percentile %.1f ms (audio: %.1f / %.1f ms)\n",
         Percentile(rv.latencyMs, 0.5), Percentile(rv.latencyMs, 0.99), Percentile(ra.latencyMs, 0.5),
         Percentile(ra.latencyMs, 0.99));
  if (videoPps > 0) {
    const ImpliedLatency implied = WakeRuleLatency(videoPps, kVideoWakeAbove, kVideoTakeAtLeast, kWakeWaitMs);
    printf("  in steady flow (without the first tenth and the last %zu pushes): median %.1f ms, 99th percentile %.1f ms\n",
           tail, Percentile(rv.steadyLatencyMs, 0.5), Percentile(rv.steadyLatencyMs, 0.99));
    printf("  the video pin's wake rules alone imply in steady flow: median %.1f ms, 99th percentile %.1f ms\n",
           implied.medianMs, implied.p99Ms);
    printf("  (and the run's last %zu packets or fewer wait out the %.0f ms limit)\n", tail, kWakeWaitMs);
  }
  return bytesPerSec;
}

// Runs the three measurements; failures are reported on stderr.
int Bench(double seconds) {
  Rig rig;
  if (FAILED(BuildRig(rig))) {
    fprintf(stderr, "cannot build the graph of heron and two sinks\n");
    return 1;
  }

  // Start with the queues full enough that the first takes do not wait.
  DWORD seq = 1;
  for (int i = 0; i < 120; i++) {
    std::vector<BYTE> p = Packet(0xE0, 100, 0xFFFFFFF0u, 0);
    rig.feed->DeliverVideo(p.data(), static_cast<LONG>(p.size()));
    if (i < 40) rig.feed->DeliverAudio(p.data(), static_cast<LONG>(p.size()));
  }
  if (FAILED(CHECK_HR(rig.control->Run()))) return 1;

  printf("heron: %zu-byte video and %zu-byte audio PES payloads, no reference clock\n", kVideoPayload, kAudioPayload);
  const double heronBytesPerSec =
      RunOnce(rig, "1. sustained (window of 400 video / 100 audio packets in flight)", seconds, 0, 0, seq);
  // 80 Mbit/s of video with 384 kbit/s of audio.
  const double videoPps80 = kTransponderBytesPerSec / (14 + kVideoPayload);
  const double audioPps = 384000.0 / 8 / (14 + kAudioPayload);
  RunOnce(rig, "2. paced at 80 Mbit/s (a full transponder into one filter)", seconds, videoPps80, audioPps, seq);
  RunOnce(rig, "3. paced at 8 Mbit/s (one SD programme)", seconds, videoPps80 / 10, audioPps, seq);

  rig.control->Stop();

  // Last, so that heron's queues do not run dry (and end their streams)
  // while it runs.
  const ReferenceFigures ref =
      RunReference(seconds, 14 + kVideoPayload, kVideoWindow, 14 + kAudioPayload, kAudioWindow);
  const double refPps = ref.seconds > 0 ? ref.packets / ref.seconds : 0;
  const double refBytesPerSec = ref.seconds > 0 ? ref.bytes / ref.seconds : 0;
  printf("4. reference, sustained: two threads, one event-signalled queue, a counting thread; no DirectShow\n");
  printf("  %.0f packets/s, %.1f MB/s = %.2f x 80 Mbit/s; counting thread CPU %.1f us per packet\n", refPps,
         refBytesPerSec / 1e6, refBytesPerSec / kTransponderBytesPerSec, ref.cpuPerPacketUs);
  printf("  heron sustained = %.2f of the reference (bytes per second)\n",
         refBytesPerSec > 0 ? heronBytesPerSec / refBytesPerSec : 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? atof(argv[1]) : 3.0;
  SetHrLogSink([](const char* line) { fputs(line, stderr); });
  CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  const int rc = Bench(seconds);  // every interface is released in there, before COM goes
  CoUninitialize();
  return rc;
}
