// The recorder's throughput on one core beside ffmpeg's demuxer on the same
// bytes, run on demand (not a test). Build it without sanitizers:
//   cmake -S . -B build/bench -G Ninja -DQUILLON_HOST=ON -DQUILLON_SANITIZERS=OFF \
//     -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
//   ninja -C build/bench recorder_bench
//   build/bench/modules/common/bench/recorder_bench build/testdata/modules/stream.ts \
//     [--megabytes N] [--video PID] [--audio PID] [--ac3 PID]
// The stream's packets are repeated in memory up to N MB (default 256) and
// fed to the recorder packet by packet, routed by PID as a module's
// transport-stream callback does: the PIDs given, else the first video, MPEG
// audio and AC-3 stream of the stream's PMT. ffmpeg then demultiplexes the
// same bytes, read from a pipe, with the same PIDs mapped, into its null
// muxer (-c copy): its transport-stream demuxer assembling the same PES
// packets, and no muxing. It reads the input four times over, so that its
// start-up (about half a second of loading libraries and probing) is small
// beside its work; the start-up is also measured, on the first sixteenth of
// the input, and subtracted. Both sides are timed in CPU time, the best of
// three runs. Fails when a routed stream delivered nothing, or when ffmpeg
// fails.
#include <sys/resource.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "DVBRecorder.h"
#include "ProgramPids.h"

namespace {

constexpr size_t kPacket = 188;
constexpr int kRuns = 3;
constexpr int kFfmpegPasses = 4;
const char* const kTypeNames[3] = {"video", "audio", "AC-3"};

long long g_delivered = 0;

int __cdecl Tap(const BYTE*, int length) {
  g_delivered += length;
  return 0;
}

int __cdecl Log(const char*, int, int, const char*, ...) { return 0; }

double ThreadSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

double ChildrenSeconds() {
  rusage u{};
  getrusage(RUSAGE_CHILDREN, &u);
  return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

struct Options {
  const char* path = nullptr;
  double megabytes = 256;
  ProgramPids pids;
  bool pidsGiven = false;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.rfind("--", 0) != 0) {
      if (options.path) return false;
      options.path = argv[i];
      continue;
    }
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    char* end = nullptr;
    if (arg == "--megabytes") {
      options.megabytes = std::strtod(value, &end);
      if (*end || !(options.megabytes > 0)) return false;
      continue;
    }
    const long pid = std::strtol(value, &end, 0);
    if (*end || pid < 0 || pid > 0x1FFE) return false;
    int type = -1;
    for (int t = 0; t < 3; ++t)
      if (arg == std::string("--") + (t == 2 ? "ac3" : kTypeNames[t])) type = t;
    if (type < 0) return false;
    options.pids.pid[type] = static_cast<int>(pid);
    options.pidsGiven = true;
  }
  return options.path != nullptr;
}

// The file's transport packets repeated up to `bytes` (whole packets).
std::vector<BYTE> RepeatedInput(const std::vector<BYTE>& one, size_t bytes) {
  std::vector<BYTE> ts;
  ts.reserve(bytes);
  while (ts.size() < bytes) {
    const size_t n = std::min(one.size(), (bytes - ts.size()) / kPacket * kPacket);
    if (n == 0) break;
    ts.insert(ts.end(), one.begin(), one.begin() + static_cast<std::ptrdiff_t>(n));
  }
  return ts;
}

struct RecorderRun {
  double seconds = 0;
  long long delivered[3] = {};
};

RecorderRun RunRecorder(const std::vector<BYTE>& ts, const ProgramPids& pids) {
  signed char route[0x2000];
  std::memset(route, -1, sizeof(route));
  for (int type = 0; type < 3; ++type)
    if (pids.pid[type] != ProgramPids::kNone) route[pids.pid[type]] = static_cast<signed char>(type);

  MODULE_STATUS status{};
  status.m_pfnPESCallback = &Tap;
  status.m_bPESCallback = 1;
  ModuleHostLink host{&Log, &status};
  CDVBRecorder recorder(host, RecorderModule::kestrel);
  RecorderRun run;
  g_delivered = 0;
  const double start = ThreadSeconds();
  for (size_t i = 0; i + kPacket <= ts.size(); i += kPacket) {
    const int type = route[(ts[i + 1] & 0x1F) << 8 | ts[i + 2]];
    if (type < 0) continue;
    const long long before = g_delivered;
    recorder.OnStreamData(type, ts.data() + i, kPacket);
    run.delivered[type] += g_delivered - before;
  }
  run.seconds = ThreadSeconds() - start;
  return run;
}

struct FfmpegRun {
  bool ok = false;
  double seconds = 0;  // CPU time of the child processes
  std::string log;     // its standard error
};

// ffmpeg reads the first `bytes` bytes of the input `passes` times over from
// a pipe and demultiplexes the mapped PIDs into its null muxer.
FfmpegRun RunFfmpeg(const std::vector<BYTE>& ts, size_t bytes, int passes, const ProgramPids& pids) {
  FfmpegRun run;
  char logPath[] = "/tmp/recorder-bench-XXXXXX";
  const int fd = mkstemp(logPath);
  if (fd < 0) return run;
  close(fd);
  std::string command = "ffmpeg -nostdin -hide_banner -nostats -v info -f mpegts -i pipe:0";
  char map[32];
  for (int pid : pids.pid) {
    if (pid == ProgramPids::kNone) continue;
    std::snprintf(map, sizeof(map), " -map 0:i:0x%x", pid);
    command += map;
  }
  command += " -c copy -f null - 2>";
  command += logPath;
  const double start = ChildrenSeconds();
  if (FILE* pipe = popen(command.c_str(), "w")) {
    bool written = true;
    for (int pass = 0; pass < passes && written; ++pass) written = std::fwrite(ts.data(), 1, bytes, pipe) == bytes;
    const int rc = pclose(pipe);
    run.ok = written && rc == 0;
  }
  run.seconds = ChildrenSeconds() - start;
  std::ifstream in(logPath);
  run.log.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  std::remove(logPath);
  return run;
}

// What ffmpeg's closing statistics say it passed on, in MB ("video:123kB").
double FfmpegMegabytes(const std::string& log, const char* kind) {
  const std::string key = std::string(kind) + ":";
  const size_t at = log.rfind(key);
  return at == std::string::npos ? 0 : std::atof(log.c_str() + at + key.size()) * 1024 / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fprintf(stderr, "usage: recorder_bench STREAM.ts [--megabytes N] [--video PID] [--audio PID] [--ac3 PID]\n");
    return 2;
  }
  std::signal(SIGPIPE, SIG_IGN);  // an ffmpeg that stops reading fails its run instead
  std::ifstream in(options.path, std::ios::binary);
  std::vector<BYTE> one((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  one.resize(one.size() / kPacket * kPacket);
  bool aligned = !one.empty();
  for (size_t i = 0; aligned && i < one.size(); i += kPacket) aligned = one[i] == 0x47;
  if (!aligned) {
    std::fprintf(stderr, "recorder_bench: %s is not a stream of 188-byte transport packets\n", options.path);
    return 1;
  }
  if (!options.pidsGiven && !ReadProgramPids(one.data(), one.size(), options.pids)) {
    std::fprintf(stderr, "recorder_bench: no PAT and PMT naming video, audio or AC-3 in %s; give the PIDs\n",
                 options.path);
    return 1;
  }
  const std::vector<BYTE> ts = RepeatedInput(one, static_cast<size_t>(options.megabytes * 1e6));
  const double megabytes = ts.size() / 1e6;
  std::printf("input     %.1f MB of transport stream: %s (%.2f MB) repeated; PIDs %s:", megabytes, options.path,
              one.size() / 1e6, options.pidsGiven ? "given" : "from the PMT");
  for (int type = 0; type < 3; ++type)
    if (options.pids.pid[type] != ProgramPids::kNone) std::printf(" %s 0x%x", kTypeNames[type], options.pids.pid[type]);
  std::printf("\n");

  RecorderRun ours = RunRecorder(ts, options.pids);
  for (int run = 1; run < kRuns; ++run) ours.seconds = std::min(ours.seconds, RunRecorder(ts, options.pids).seconds);
  const double oursRate = megabytes / ours.seconds;
  std::printf("recorder  %8.1f MB/s  PES delivered:", oursRate);
  bool silent = false;
  for (int type = 0; type < 3; ++type) {
    if (options.pids.pid[type] == ProgramPids::kNone) continue;
    std::printf(" %s %.1f MB", kTypeNames[type], ours.delivered[type] / 1e6);
    silent = silent || ours.delivered[type] == 0;
  }
  std::printf("\n");
  if (silent) {
    std::fprintf(stderr, "recorder_bench: a stream delivered nothing: are the PIDs right?\n");
    return 1;
  }

  // The start-up comes from a run over the first sixteenth of the input; the
  // rate is what the rest adds.
  const size_t head = ts.size() / 16 / kPacket * kPacket;
  const double fed = static_cast<double>(ts.size()) * kFfmpegPasses;
  FfmpegRun full, start;
  for (int run = 0; run < kRuns; ++run) {
    FfmpegRun f = RunFfmpeg(ts, ts.size(), kFfmpegPasses, options.pids);
    FfmpegRun s = RunFfmpeg(ts, head, 1, options.pids);
    if (!f.ok || !s.ok) {
      std::fprintf(stderr, "recorder_bench: ffmpeg failed:\n%s\n", (f.ok ? s : f).log.c_str());
      return 1;
    }
    if (run == 0 || f.seconds < full.seconds) full = f;
    if (run == 0 || s.seconds < start.seconds) start = s;
  }
  const double startUp = start.seconds - (full.seconds - start.seconds) * head / (fed - head);
  const double theirsRate = (fed - head) / 1e6 / (full.seconds - start.seconds);
  std::printf(
      "ffmpeg    %8.1f MB/s  packets passed on per pass: video %.1f MB audio %.1f MB; start-up %.3f s subtracted\n",
      theirsRate, FfmpegMegabytes(full.log, "video") / kFfmpegPasses,
      FfmpegMegabytes(full.log, "audio") / kFfmpegPasses, startUp);
  std::printf("ratio     %8.2f (recorder / ffmpeg), CPU time, best of %d runs each\n", oursRate / theirsRate, kRuns);
  const double transponder = 80e6 / 8 / 1e6;  // MB/s
  std::printf("          recorder %.0f x, ffmpeg %.0f x an 80 Mbit/s transponder\n", oursRate / transponder,
              theirsRate / transponder);
  return 0;
}
