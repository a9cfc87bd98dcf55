// The recording engine on one core: the programme of the MPEG-2 test data,
// packed into PVA packets by the simulated box's recorder, through the PVA
// demultiplexer, its splitters and the program-stream writer (output to
// memory), timed by this thread's CPU time. In the same run ffmpeg does the
// same work on the same bytes: the PVA packets, written to a file, through
// its own PVA demuxer into a program stream. ffmpeg's start-up is measured
// with one pass of the programme and subtracted. Prints both rates in MB/s
// of PVA input, their ratio, and the engine's rate as a multiple of the
// programme's own rate and of 15 Mbit/s, the most an MPEG-2 main-level
// programme carries.
//
//   boxlink_record_bench [seconds of programme]   (default 6000: 400 MB of PVA,
//   enough for ffmpeg's start-up to be measured apart)
#include "PvaDemultiplexer.h"
#include "SimPvaComposer.h"
#include "TestData.h"

#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

// Writes the packets of a composer to a file; false when it cannot.
bool WritePackets(const CSimPvaComposer& box, const std::string& path) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = true;
  for (const auto& p : box.Packets()) ok = ok && fwrite(p.data(), 1, p.size(), f) == p.size();
  return fclose(f) == 0 && ok;
}

// ffmpeg's CPU seconds to remux a PVA file into a program stream; negative
// when it fails.
double FfmpegRemuxCpu(const std::string& path) {
  const std::string command = "ffmpeg -nostdin -v fatal -y -f pva -i " + path + " -c copy -f vob /dev/null";
  const double child0 = ChildrenCpuSeconds();
  if (std::system(command.c_str()) != 0) return -1;
  return ChildrenCpuSeconds() - child0;
}

unsigned long long TotalBytes(const CSimPvaComposer& box) {
  unsigned long long n = 0;
  for (const auto& p : box.Packets()) n += p.size();
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? atof(argv[1]) : 6000;
  const auto video = ReadTestData("video.m2v"), audio = ReadTestData("audio.mp2");
  if (video.empty() || audio.empty()) {
    fprintf(stderr, "QUILLON_TEST_DATA must hold the output of scripts/make-fixtures\n");
    return 1;
  }
  const int loops = int(seconds / kProgrammeSeconds + 0.5) > 0 ? int(seconds / kProgrammeSeconds + 0.5) : 1;
  SimPvaOptions options;
  options.loops = loops;
  CSimPvaComposer box(video, audio, options);
  const unsigned long long pvaBytes = TotalBytes(box);
  const double elementary = double(video.size() + audio.size()) * loops;

  CPvaDemultiplexer demux;
  MemoryOutput output;
  demux.Initialise(&output, nullptr);
  const double cpu0 = ThreadCpuSeconds();
  for (const auto& p : box.Packets()) demux.Demultiplex(p.data(), DWORD(p.size()));
  const double cpu = ThreadCpuSeconds() - cpu0;
  const double engine = pvaBytes / 1e6 / cpu;
  printf("recording engine: %d s of programme, %.1f MB of PVA packets, %.1f MB elementary\n", int(3 * loops),
         pvaBytes / 1e6, elementary / 1e6);
  printf("  PVA demultiplexer + program-stream writer: %.1f MB/s of PVA per core (CPU %.3f s), %.1f MB written\n",
         engine, cpu, output.bytes / 1e6);
  if (output.bytes == 0) {
    fprintf(stderr, "the engine wrote nothing\n");
    return 1;
  }

  // The same bytes for ffmpeg, and one pass alone to measure its start-up.
  const char* tmp = getenv("TMPDIR");
  const std::string dir = tmp && *tmp ? tmp : "/tmp";
  const std::string longPath = dir + "/boxlink_record_bench.pva", shortPath = dir + "/boxlink_record_bench_1.pva";
  SimPvaOptions onePass;
  onePass.loops = 1;
  CSimPvaComposer shortBox(video, audio, onePass);
  double ffmpegRate = 0, ffmpegCpu = -1, startCpu = -1;
  if (WritePackets(box, longPath) && WritePackets(shortBox, shortPath)) {
    startCpu = FfmpegRemuxCpu(shortPath);
    ffmpegCpu = FfmpegRemuxCpu(longPath);
  }
  remove(longPath.c_str());
  remove(shortPath.c_str());
  if (ffmpegCpu > 0 && startCpu >= 0 && ffmpegCpu > startCpu) {
    const double bytes = double(pvaBytes - TotalBytes(shortBox));
    ffmpegRate = bytes / 1e6 / (ffmpegCpu - startCpu);
    printf("  ffmpeg's PVA demuxer remuxing the same bytes to a program stream: %.1f MB/s (CPU %.3f s, of which "
           "%.3f s start-up and one pass subtracted); ratio %.2fx\n",
           ffmpegRate, ffmpegCpu, startCpu, engine / ffmpegRate);
  } else {
    printf("  ffmpeg did not run on the PVA file\n");
  }
  const double programmeMBs = pvaBytes / 1e6 / (kProgrammeSeconds * loops);
  printf("  the programme's own rate %.2f MB/s: %.0fx; 15 Mbit/s: %.0fx\n", programmeMBs, engine / programmeMBs,
         engine / kMainLevelMBs);
  return 0;
}
