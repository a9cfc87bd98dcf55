// The programme the benchmarks stream: the MPEG-2 elementary streams of the
// test data when QUILLON_TEST_DATA names it, else synthetic payloads of the
// same shape.
#pragma once

#include "SimStreamComposer.h"
#include "TestData.h"

#include <vector>

inline CSimProgrammeSource BenchProgramme(bool* real) {
  std::vector<BYTE> video = ReadTestData("video.m2v");
  std::vector<BYTE> audio = ReadTestData("audio.mp2");
  *real = !video.empty() && !audio.empty();
  if (!*real) {
    video.assign(400000, 0);
    audio.assign(72000, 0);
    for (size_t i = 0; i < video.size(); ++i) video[i] = BYTE(i * 31 + (i >> 9));
    for (size_t i = 0; i < audio.size(); ++i) audio[i] = BYTE(i * 17 + (i >> 7));
  }
  return CSimProgrammeSource(video, audio);
}
