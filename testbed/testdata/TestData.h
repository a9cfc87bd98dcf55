// The generated test data that scripts/make-fixtures writes to the folder
// named by QUILLON_TEST_DATA: an MPEG-2 programme made with ffmpeg, as PES
// packets (av.pes), as its elementary streams (video.m2v, audio.mp2) and
// ffprobe's time stamps.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// The path of one file of the programme; empty when the variable is unset.
inline std::string TestDataPath(const char* name) {
  const char* dir = std::getenv("QUILLON_TEST_DATA");
  return dir ? std::string(dir) + "/heron/" + name : std::string();
}

// A whole file, or nothing when it is missing.
inline std::vector<uint8_t> ReadFileBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  FILE* f = path.empty() ? nullptr : std::fopen(path.c_str(), "rb");
  if (!f) return bytes;
  uint8_t block[65536];
  size_t n;
  while ((n = std::fread(block, 1, sizeof(block), f)) > 0) bytes.insert(bytes.end(), block, block + n);
  std::fclose(f);
  return bytes;
}

// One file of the programme, or nothing when it is missing.
inline std::vector<uint8_t> ReadTestData(const char* name) { return ReadFileBytes(TestDataPath(name)); }
