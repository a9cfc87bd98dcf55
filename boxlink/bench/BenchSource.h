// The programme the benchmarks stream: the MPEG-2 elementary streams of the
// test data when QUILLON_TEST_DATA names it, else synthetic payloads of the
// same shape.
#pragma once

#include "SimStreamComposer.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

inline std::vector<BYTE> BenchReadFile(const std::string& path) {
  std::vector<BYTE> v;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return v;
  BYTE buf[65536];
  size_t n;
  while ((n = fread(buf, 1, sizeof(buf), f)) > 0) v.insert(v.end(), buf, buf + n);
  fclose(f);
  return v;
}

inline CSimProgrammeSource BenchProgramme(bool* real) {
  const char* dir = getenv("QUILLON_TEST_DATA");
  std::vector<BYTE> video, audio;
  if (dir) {
    video = BenchReadFile(std::string(dir) + "/heron/video.m2v");
    audio = BenchReadFile(std::string(dir) + "/heron/audio.mp2");
  }
  *real = !video.empty() && !audio.empty();
  if (!*real) {
    video.assign(400000, 0);
    audio.assign(72000, 0);
    for (size_t i = 0; i < video.size(); ++i) video[i] = BYTE(i * 31 + (i >> 9));
    for (size_t i = 0; i < audio.size(); ++i) audio[i] = BYTE(i * 17 + (i >> 7));
  }
  return CSimProgrammeSource(video, audio);
}
