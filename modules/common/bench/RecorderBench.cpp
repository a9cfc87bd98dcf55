// The recorder's throughput on one core beside ffmpeg's, run on demand (not
// a test). Build it without sanitizers:
//   cmake -S . -B build/bench -G Ninja -DQUILLON_HOST=ON -DQUILLON_SANITIZERS=OFF \
//     -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
//   ninja -C build/bench recorder_bench
//   build/bench/modules/common/bench/recorder_bench build/testdata/modules/stream.ts [copies]
// The transport stream (video on PID 0x100, audio on 0x101) is repeated
// `copies` times (default 400) and fed packet by packet, as a module's
// transport-stream callback does. Then ffmpeg demultiplexes the same bytes
// to a program stream (-c copy, one thread). Prints MB/s of transport stream
// for both, the ratio, and the multiple of an 80 Mbit/s transponder.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "DVBRecorder.h"

namespace {

using Clock = std::chrono::steady_clock;

long long g_delivered = 0;

int __cdecl Tap(const BYTE*, int length) {
  g_delivered += length;
  return 0;
}

int __cdecl Log(const char*, int, int, const char*, ...) { return 0; }

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: recorder_bench STREAM.ts [copies]\n");
    return 2;
  }
  const int copies = argc > 2 ? std::atoi(argv[2]) : 400;
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<BYTE> one((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (one.size() < 188 || copies < 1) {
    std::fprintf(stderr, "recorder_bench: cannot read %s\n", argv[1]);
    return 1;
  }
  std::vector<BYTE> ts;
  ts.reserve(one.size() * copies);
  for (int i = 0; i < copies; ++i) ts.insert(ts.end(), one.begin(), one.end());
  const double megabytes = ts.size() / 1e6;

  MODULE_STATUS status{};
  status.m_pfnPESCallback = &Tap;
  status.m_bPESCallback = 1;
  ModuleHostLink host{&Log, &status};
  CDVBRecorder recorder(host, RecorderModule::kestrel);
  const auto start = Clock::now();
  for (size_t i = 0; i + 188 <= ts.size(); i += 188) {
    const int pid = (ts[i + 1] & 0x1F) << 8 | ts[i + 2];
    if (pid == 0x100 || pid == 0x101) recorder.OnStreamData(pid - 0x100, ts.data() + i, 188);
  }
  const double ours = megabytes / Seconds(start);

  const std::string file = "/tmp/recorder-bench-" + std::to_string(getpid()) + ".ts";
  std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(ts.data()), ts.size());
  const std::string command =
      "ffmpeg -nostdin -v error -threads 1 -f mpegts -i " + file + " -map 0:v -map 0:a -c copy -f mpeg -y /dev/null";
  const auto ffStart = Clock::now();
  const int rc = std::system(command.c_str());
  const double theirs = megabytes / Seconds(ffStart);
  std::remove(file.c_str());

  const double transponder = 80e6 / 8 / 1e6;  // MB/s
  std::printf("input        %.1f MB of transport stream (%d copies)\n", megabytes, copies);
  std::printf("recorder     %8.1f MB/s  %.1f MB of PES delivered  %6.1f x an 80 Mbit/s transponder\n", ours,
              g_delivered / 1e6, ours / transponder);
  if (rc != 0) {
    std::printf("ffmpeg       failed (exit %d)\n", rc);
    return 1;
  }
  std::printf("ffmpeg       %8.1f MB/s  %6.1f x an 80 Mbit/s transponder\n", theirs, theirs / transponder);
  std::printf("ratio        %.2f (recorder / ffmpeg)\n", ours / theirs);
  return 0;
}
