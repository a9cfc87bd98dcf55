// The program-stream reader on streams whose audio timestamps jump: a wrap
// or a new base goes on playing, a packet that steps back a little is
// dropped alone.
#include "MemoryRecordFile.h"
#include "ProgramStreamReader.h"
#include "SimPvaComposer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

typedef std::vector<BYTE> Bytes;

const BYTE kPack[14] = {0, 0, 1, 0xBA, 0x44, 0, 4, 0, 4, 1, 1, 0x89, 0xC3, 0xF8};

// Video and audio PES packets 40 ms apart, each behind a pack header; the
// audio stamps as given, the video running on from the first.
Bytes Stream(const std::vector<DWORD>& audioPts) {
  Bytes s;
  Bytes frame(576, 0x22);
  frame[0] = 0xFF;
  frame[1] = 0xFD;
  frame[2] = 0xA4;
  for (size_t i = 0; i < audioPts.size(); ++i) {
    const DWORD pts = audioPts[0] + DWORD(i) * 3600;
    Bytes video = {0, 0, 1, 0xE0, 0, 0, 0x8B, 0x80, 0x05, 0, 0, 0, 0, 0};
    video[9] = BYTE(0x21 | ((pts >> 29) & 0x0E));
    video[10] = BYTE(pts >> 22);
    video[11] = BYTE((pts >> 14) | 1);
    video[12] = BYTE(pts >> 7);
    video[13] = BYTE((pts << 1) | 1);
    video.resize(14 + 800, 0x33);
    video[4] = BYTE((video.size() - 6) >> 8);
    video[5] = BYTE(video.size() - 6);
    s.insert(s.end(), kPack, kPack + sizeof(kPack));
    s.insert(s.end(), video.begin(), video.end());
    const Bytes audio = CSimPvaComposer::AudioPes(audioPts[i], frame.data(), frame.size());
    s.insert(s.end(), kPack, kPack + sizeof(kPack));
    s.insert(s.end(), audio.begin(), audio.end());
  }
  return s;
}

}  // namespace

TEST(ProgramStreamReaderTest, AudioPlaysOnAcrossAWrapOrANewBase) {
  const DWORD t = 900000;
  struct Row {
    const char* name;
    std::vector<DWORD> audioPts;
    DWORD dropped;  // audio PES packets dropped
  } rows[] = {
      {"rising", {t, t + 3600, t + 7200, t + 10800, t + 14400}, 0},
      {"the 32-bit counter wraps", {0xFFFFF000u, 0xFFFFF000u + 3600, 2000, 5600, 9200}, 0},
      {"a new base 20 s back", {t + 1800000, t + 1803600, t, t + 3600, t + 7200}, 0},
      {"one packet repeated", {t, t + 3600, t + 3600, t + 7200, t + 10800}, 1},
  };
  for (const Row& row : rows) {
    CMemoryRecordFile file(Stream(row.audioPts));
    CProgramStreamReader reader;
    reader.Reset(&file);
    size_t audio = 0, video = 0;
    const BYTE* packet;
    DWORD n;
    while (reader.Next(packet, n)) ++(packet[2] == 2 ? audio : video);
    EXPECT_EQ(reader.DroppedPes(), row.dropped) << row.name;
    EXPECT_EQ(audio, row.audioPts.size() - row.dropped) << row.name << ": every audio PES fits one packet";
    EXPECT_EQ(video, row.audioPts.size()) << row.name << ": every video PES fits one packet";
  }
}
