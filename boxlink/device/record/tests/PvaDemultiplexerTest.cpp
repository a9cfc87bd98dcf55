// The PVA demultiplexer with its splitters: sequences of PVA packets in,
// the exact PES pieces and counters out. Most cases run an audio-only
// style recording (no wait for a sequence header, base 0), so the pieces
// come out with their timestamps as sent.
#include "PvaDemultiplexer.h"

#include "RecordCapture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const uint32_t kPts = 900000;

// n layer II frame headers (32 kbit/s, 48 kHz) each followed by filler up
// to `size` bytes; frames listed in `bad` get the bit-rate byte given.
std::vector<BYTE> Frames(int n, size_t size = 8, std::vector<int> bad = {}, BYTE badByte = 0xF4) {
  std::vector<BYTE> out;
  for (int i = 0; i < n; ++i) {
    bool isBad = std::find(bad.begin(), bad.end(), i) != bad.end();
    BYTE header[4] = {0xFF, 0xFD, isBad ? badByte : BYTE(0x14), 0x00};
    out.insert(out.end(), header, header + 4);
    out.resize(out.size() + size - 4, BYTE('a' + i % 26));
  }
  return out;
}

std::vector<BYTE> Bytes(size_t n, BYTE seed) {
  std::vector<BYTE> v(n);
  for (size_t i = 0; i < n; ++i) v[i] = BYTE(seed + i * 7);
  // No start code by chance.
  for (size_t i = 0; i < n; ++i)
    if (v[i] == 0) v[i] = 0x11;
  return v;
}

class DemuxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    capture = CRecordCapture();
    demux.reset(new CPvaDemultiplexer);
    demux->Initialise(&capture, &capture);
    demux->SetWaitForSequenceHeader(FALSE);
  }
  void Feed(const std::vector<BYTE>& packet) { demux->Demultiplex(packet.data(), DWORD(packet.size())); }
  // Starts the demultiplexer with an audio PES of one frame.
  void StartAudio() { Feed(AudioPesPva(kPts, Frames(1))); }

  std::unique_ptr<CPvaDemultiplexer> demux;
  CRecordCapture capture;
};

std::vector<BYTE> Concat(std::initializer_list<std::vector<BYTE>> parts) {
  std::vector<BYTE> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

}  // namespace

TEST_F(DemuxTest, AudioPesOfEightFramesIsWrittenAsFiveAndThree) {
  const std::vector<BYTE> frames = Frames(8);
  Feed(AudioPesPva(kPts, frames));
  Feed(AudioPesPva(kPts + 8 * 2160, Frames(1)));
  auto audio = capture.Of('A');
  ASSERT_EQ(audio.size(), 2u);
  BYTE stamp[5];
  pestimestamp::Encode(stamp, 2, kPts);
  const std::vector<BYTE> first = Concat({{0, 0, 1, 0xC0, 0, 48, 0x8B, 0x80, 0x05},
                                          std::vector<BYTE>(stamp, stamp + 5),
                                          std::vector<BYTE>(frames.begin(), frames.begin() + 40)});
  const std::vector<BYTE> second =
      Concat({{0, 0, 1, 0xC0, 0, 28, 0x8B, 0x00, 0x01, 0xFF}, std::vector<BYTE>(frames.begin() + 40, frames.end())});
  EXPECT_EQ(audio[0], first);
  EXPECT_EQ(audio[1], second);
  // The program stream carries the same pieces, the first behind the pack
  // and system headers.
  auto packs = capture.Of('R');
  ASSERT_EQ(packs.size(), 2u);
  EXPECT_EQ(packs[0].size(), 14u + 18u + first.size());
  EXPECT_EQ(std::vector<BYTE>(packs[0].begin() + 14, packs[0].begin() + 32),
            std::vector<BYTE>(programstream::kSystemHeader, programstream::kSystemHeader + 18));
  EXPECT_EQ(std::vector<BYTE>(packs[1].begin() + 14, packs[1].end()), second);
  EXPECT_EQ(capture.file, Concat({packs[0], packs[1]}));
}

TEST_F(DemuxTest, AudioPiecesByFrameCount) {
  struct Row {
    int frames;
    size_t frameSize;
    std::vector<int> bad;  // frames with bit-rate index 15
    std::vector<int> pieces;
  } rows[] = {
      {3, 8, {}, {3}},
      {7, 8, {}, {7}},
      {9, 8, {}, {5, 4}},
      {15, 8, {}, {6, 6, 3}},
      {22, 8, {}, {6, 6, 6, 4}},
      // 4-byte frames: per piece 5, minimum 20 bytes; the last 3 frames
      // (12 bytes) are too few and dropped.
      {8, 4, {}, {5}},
      // Headers with an invalid index are no frame starts: 6 left.
      {8, 8, {2, 5}, {8}},
  };
  for (const Row& row : rows) {
    SetUp();
    Feed(AudioPesPva(kPts, Frames(row.frames, row.frameSize, row.bad, 0xF4)));
    Feed(AudioPesPva(kPts + 100000, Frames(1)));
    auto audio = capture.Of('A');
    std::vector<int> got;
    for (size_t i = 0; i < audio.size(); ++i)
      got.push_back(int((audio[i].size() - (i == 0 ? 14 : 10)) / row.frameSize));
    EXPECT_EQ(got, row.pieces) << row.frames << " frames of " << row.frameSize;
    if (!audio.empty()) {
      EXPECT_EQ(PtsOf(audio[0]), kPts);
    }
  }
}

TEST_F(DemuxTest, InvalidFrameIndicesAreNoFrameStarts) {
  // Bit-rate index 0 or 15, sampling index 3: none of them counts.
  for (BYTE bad : {BYTE(0x04), BYTE(0xF4), BYTE(0x1C)}) {
    SetUp();
    Feed(AudioPesPva(kPts, Frames(10, 8, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, bad)));
    Feed(AudioPesPva(kPts + 100000, Frames(1)));
    ASSERT_EQ(capture.Of('A').size(), 1u) << int(bad);
    EXPECT_EQ(capture.Of('A')[0].size(), 14u + 80u);
  }
}

TEST_F(DemuxTest, VideoPiecesWhileOpenAndAtTheNextPts) {
  struct Row {
    std::vector<std::vector<BYTE>> packets;  // after an audio start
    std::vector<size_t> pieces;              // whole PES sizes
  };
  const auto a = Bytes(1000, 1), b = Bytes(4000, 2), c = Bytes(4000, 3), d = Bytes(4000, 4), e = Bytes(100, 5);
  Row rows[] = {
      // 4,096-byte pieces while more than 8,192 bytes are pending; the
      // rest in two near-equal pieces at the next PTS (with its pre byte).
      {{VideoPva(kPts, 0, a), VideoPva(b), VideoPva(c), VideoPva(d), VideoPva(kPts + 3600, 1, e)},
       {4096, 4096, 2430, 2423}},
      {{VideoPva(kPts, 0, Bytes(20, 6)), VideoPva(Bytes(10, 7)), VideoPva(kPts + 3600, 2, e)}, {46}},
  };
  for (const Row& row : rows) {
    SetUp();
    StartAudio();
    std::vector<BYTE> sent;
    for (size_t i = 0; i < row.packets.size(); ++i) {
      const auto& p = row.packets[i];
      Feed(p);
      const size_t skip = (p[5] & 0x10) ? 12 : 8;
      if (i + 1 < row.packets.size())
        sent.insert(sent.end(), p.begin() + long(skip), p.end());
      else
        sent.insert(sent.end(), p.begin() + 12, p.begin() + 12 + (p[5] & 3));
    }
    auto video = capture.Of('V');
    std::vector<size_t> sizes;
    std::vector<BYTE> got;
    for (size_t i = 0; i < video.size(); ++i) {
      sizes.push_back(video[i].size());
      EXPECT_EQ(size_t((video[i][4] << 8) | video[i][5]) + 6, video[i].size());
      got.insert(got.end(), video[i].begin() + (i == 0 ? 14 : 10), video[i].end());
    }
    EXPECT_EQ(sizes, row.pieces);
    EXPECT_EQ(got, sent);
    ASSERT_FALSE(video.empty());
    EXPECT_EQ(PtsOf(video[0]), kPts);
    for (size_t i = 1; i < video.size(); ++i) EXPECT_EQ(PtsOf(video[i]), -1);
  }
}

TEST_F(DemuxTest, PictureLargerThanTheBufferPassesWhole) {
  StartAudio();
  std::vector<BYTE> sent;
  Feed(VideoPva(kPts, 0, Bytes(4000, 9)));
  sent = Bytes(4000, 9);
  for (int i = 0; i < 200; ++i) {  // 800 KB of one picture
    auto part = Bytes(4000, BYTE(i));
    Feed(VideoPva(part));
    sent.insert(sent.end(), part.begin(), part.end());
  }
  Feed(VideoPva(kPts + 3600, 0, Bytes(8, 1)));
  std::vector<BYTE> got;
  auto video = capture.Of('V');
  for (size_t i = 0; i < video.size(); ++i) got.insert(got.end(), video[i].begin() + (i ? 10 : 14), video[i].end());
  EXPECT_EQ(got, sent);
  EXPECT_EQ(demux->GetCounters().droppedVideo, 0u);
}

TEST_F(DemuxTest, FaultyBlocksAreDroppedAndTheNextOneIsTaken) {
  auto good = AudioPesPva(kPts, Frames(2));
  auto cut = good;
  cut.resize(cut.size() - 5);  // length field past the block
  auto huge = good;
  huge[6] = 0x20, huge[7] = 0x00;  // 8,192
  auto noMarker = good;
  noMarker[4] = 0x54;
  auto offsetPast = good;
  offsetPast[8 + 8] = 200;  // PES header data past the block
  auto shortPts = AudioPva({0, 0, 1, 0xC0, 0, 0, 0x80, 0x80, 0x05, 0x21, 0}, true);
  struct Row {
    const char* name;
    std::vector<BYTE> packet;
  } rows[] = {{"cut", cut}, {"8192", huge}, {"marker", noMarker}, {"offset", offsetPast}, {"short pts", shortPts}};
  for (const Row& row : rows) {
    SetUp();
    StartAudio();
    Feed(row.packet);
    Feed(AudioPesPva(kPts + 4320, Frames(3)));
    Feed(AudioPesPva(kPts + 8640, Frames(1)));
    EXPECT_EQ(demux->GetCounters().badBlocks, 1u) << row.name;
    // The audio before and after the fault both come out.
    auto audio = capture.Of('A');
    ASSERT_EQ(audio.size(), 2u) << row.name;
    EXPECT_EQ(PtsOf(audio[0]), kPts) << row.name;
    EXPECT_EQ(PtsOf(audio[1]), kPts + 4320) << row.name;
  }
}

TEST_F(DemuxTest, WhatDoesNotFitIsDroppedAndCounted) {
  // Nothing before the first audio PTS.
  Feed(VideoPva(kPts, 0, Bytes(100, 1)));
  Feed(AudioPva(Frames(2), false));
  EXPECT_TRUE(capture.calls.empty());
  EXPECT_EQ(demux->GetCounters().droppedVideo, 1u);
  EXPECT_EQ(demux->GetCounters().droppedAudio, 1u);
  StartAudio();
  // Video data before any video PTS.
  Feed(VideoPva(Bytes(100, 1)));
  EXPECT_EQ(demux->GetCounters().droppedVideo, 2u);
  // Audio beyond 30,000 bytes of one PES.
  Feed(AudioPesPva(kPts + 2160, Frames(1)));
  for (int i = 0; i < 8; ++i) Feed(AudioPva(std::vector<BYTE>(4000, 0x22), false));
  EXPECT_EQ(demux->GetCounters().droppedAudio, 2u);
  // 198 frame starts: the packet is garbage.
  Feed(AudioPesPva(kPts + 4320, Frames(198, 4)));
  Feed(AudioPesPva(kPts + 6480, Frames(1)));
  EXPECT_EQ(demux->GetCounters().droppedAudioPes, 1u);
}
