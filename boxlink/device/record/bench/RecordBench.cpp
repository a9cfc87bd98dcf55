// The recording engine on one core: the programme of the MPEG-2 test data,
// packed into PVA packets by the simulated box's recorder, through the PVA
// demultiplexer, its splitters and the program-stream writer (output to
// memory), timed by this thread's CPU time. In the same run ffmpeg remuxes
// the same elementary streams, as often, into a program stream; its CPU
// time is taken from the child's usage. Prints both rates in MB/s of
// elementary input, their ratio, and the engine's rate as a multiple of
// the programme's own rate and of 15 Mbit/s, the most an MPEG-2 main-level
// programme carries.
//
//   boxlink_record_bench [seconds of programme]   (default 600)
#include "PvaDemultiplexer.h"
#include "SimPvaComposer.h"
#include "TestData.h"

#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const double kProgrammeSeconds = 3.0;  // scripts/make-fixtures
const double kMainLevelMBs = 15.0 / 8;

double ThreadCpuSeconds() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

double ChildrenCpuSeconds() {
  rusage u;
  getrusage(RUSAGE_CHILDREN, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

class MemoryOutput : public IRecordOutput {
 public:
  BOOL Write(const BYTE*, DWORD n) override {
    bytes += n;
    return TRUE;
  }
  unsigned long long bytes = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? atof(argv[1]) : 600;
  const auto video = ReadTestData("video.m2v"), audio = ReadTestData("audio.mp2");
  if (video.empty() || audio.empty()) {
    fprintf(stderr, "QUILLON_TEST_DATA must hold the output of scripts/make-fixtures\n");
    return 1;
  }
  const int loops = int(seconds / kProgrammeSeconds + 0.5) > 0 ? int(seconds / kProgrammeSeconds + 0.5) : 1;
  SimPvaOptions options;
  options.loops = loops;
  CSimPvaComposer box(video, audio, options);
  unsigned long long pvaBytes = 0;
  for (const auto& p : box.Packets()) pvaBytes += p.size();
  const double elementary = double(video.size() + audio.size()) * loops;

  CPvaDemultiplexer demux;
  MemoryOutput output;
  demux.Initialise(&output, nullptr);
  const double cpu0 = ThreadCpuSeconds();
  for (const auto& p : box.Packets()) demux.Demultiplex(p.data(), DWORD(p.size()));
  const double cpu = ThreadCpuSeconds() - cpu0;
  const double engine = elementary / 1e6 / cpu;

  const std::string ffmpeg = "ffmpeg -nostdin -v error -y -stream_loop " + std::to_string(loops - 1) + " -i " +
                             TestDataPath("video.m2v") + " -stream_loop " + std::to_string(loops - 1) + " -i " +
                             TestDataPath("audio.mp2") + " -map 0:v -map 1:a -c copy -f vob /dev/null";
  const double child0 = ChildrenCpuSeconds();
  const int rc = std::system(ffmpeg.c_str());
  const double ffmpegCpu = ChildrenCpuSeconds() - child0;
  const double ffmpegRate = rc == 0 && ffmpegCpu > 0 ? elementary / 1e6 / ffmpegCpu : 0;

  const double programmeMBs = elementary / 1e6 / (kProgrammeSeconds * loops);
  printf("recording engine: %d s of programme, %.1f MB of PVA packets, %.1f MB elementary\n", int(3 * loops),
         pvaBytes / 1e6, elementary / 1e6);
  printf("  PVA demultiplexer + program-stream writer: %.1f MB/s per core (CPU %.3f s), %.1f MB written\n", engine, cpu,
         output.bytes / 1e6);
  if (ffmpegRate > 0)
    printf("  ffmpeg remuxing the same streams to a program stream: %.1f MB/s (CPU %.3f s); ratio %.2fx\n", ffmpegRate,
           ffmpegCpu, engine / ffmpegRate);
  else
    printf("  ffmpeg did not run (exit %d)\n", rc);
  printf("  the programme's own rate %.2f MB/s: %.0fx; 15 Mbit/s: %.0fx\n", programmeMBs, engine / programmeMBs,
         engine / kMainLevelMBs);
  return 0;
}
