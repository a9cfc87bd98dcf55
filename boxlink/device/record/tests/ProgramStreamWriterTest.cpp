// The program-stream writer: where a recording starts, how its timestamps
// are rebased (across the 32-bit wrap of the box's stamps, a jump of the
// clock and a cut-out pause), the packs it writes, and a write error.
#include "ProgramStreamWriter.h"

#include "PesHeaders.h"
#include "RecordCapture.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

const BYTE kSequenceHeader[] = {0, 0, 1, 0xB3, 0x14, 0x00, 0xF0, 0x23};

// A PES piece with room in front for the pack headers.
struct Piece {
  static const size_t kRoom = 64;
  std::vector<BYTE> buffer;
  Piece(BYTE stream, int64_t pts, int64_t dts, const std::vector<BYTE>& data) : buffer(kRoom, 0xEE) {
    std::vector<BYTE> pes = {0, 0, 1, stream, 0, 0, 0x8B, 0x00, 0};
    if (pts >= 0) {
      pes[7] = dts >= 0 ? 0xC0 : 0x80;
      pes[8] = dts >= 0 ? 10 : 5;
      pes.resize(pes.size() + pes[8]);
      pestimestamp::Encode(&pes[9], dts >= 0 ? 3 : 2, uint64_t(pts));
      if (dts >= 0) pestimestamp::Encode(&pes[14], 1, uint64_t(dts));
    }
    pes.insert(pes.end(), data.begin(), data.end());
    pesheaders::SetLength(pes.data(), DWORD(pes.size()));
    buffer.insert(buffer.end(), pes.begin(), pes.end());
  }
  BYTE* Pes() { return buffer.data() + kRoom; }
  DWORD Length() const { return DWORD(buffer.size() - kRoom); }
};

std::vector<BYTE> Data(size_t n, bool sequenceHeaderAt0 = false, size_t junk = 0) {
  std::vector<BYTE> v(n, 0x5A);
  if (sequenceHeaderAt0) std::copy(kSequenceHeader, kSequenceHeader + 8, v.begin() + long(junk));
  return v;
}

// The SCR base of a pack header (90 kHz).
int64_t ScrOf(const std::vector<BYTE>& pack) {
  const BYTE* p = pack.data() + 4;
  return (int64_t((p[0] >> 3) & 7) << 30) | (int64_t(p[0] & 3) << 28) | (int64_t(p[1]) << 20) |
         (int64_t(p[2] >> 3) << 15) | (int64_t(p[2] & 3) << 13) | (int64_t(p[3]) << 5) | (p[4] >> 3);
}

// The PES inside a pack.
std::vector<BYTE> PesOf(const std::vector<BYTE>& pack) {
  size_t at = pack[17] == 0xBB ? 32 : 14;
  return std::vector<BYTE>(pack.begin() + long(at), pack.end());
}

class WriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    capture = CRecordCapture();
    writer.Initialise(&capture, &capture);
  }
  void Write(Piece piece) { writer.WritePiece(piece.Pes(), piece.Length()); }
  void Audio(int64_t pts) { Write(Piece(0xC0, pts, -1, Data(576))); }
  void Video(int64_t pts, bool sequenceHeader = false, size_t junk = 0) {
    Write(Piece(0xE0, pts, -1, Data(3000, sequenceHeader, junk)));
  }
  // Starts a recording: audio reference at a, a picture, then one with a
  // sequence header.
  void Start(int64_t a) {
    Audio(a);
    Video(a + 3600);
    Video(a + 7200, true);
  }

  CProgramStreamWriter writer;
  CRecordCapture capture;
};

}  // namespace

TEST_F(WriterTest, RecordingStartsAtTheFirstSequenceHeaderAfterAnAudioPts) {
  const int64_t a = 5000000;
  Video(a, true);  // no reference yet
  Audio(a);
  Video(a + 3600);
  EXPECT_TRUE(capture.calls.empty());
  // The sequence header 5 bytes into the data: what is before it goes.
  Video(a + 7200, true, 5);
  ASSERT_EQ(capture.calls.size(), 1u);
  const auto& first = capture.calls[0];
  EXPECT_EQ(first.handler, 'R');  // the starting piece reaches no video handler
  EXPECT_EQ(ScrOf(first.data), 0);
  EXPECT_EQ(std::vector<BYTE>(first.data.begin() + 14, first.data.begin() + 32),
            std::vector<BYTE>(programstream::kSystemHeader, programstream::kSystemHeader + 18));
  auto pes = PesOf(first.data);
  EXPECT_EQ(std::vector<BYTE>(pes.begin(), pes.begin() + 4 + 0), std::vector<BYTE>({0, 0, 1, 0xE0}));
  EXPECT_EQ(std::vector<BYTE>(pes.begin() + 6, pes.begin() + 18),
            std::vector<BYTE>({0x8B, 0x00, 0x01, 0xFF, 0, 0, 1, 0xB3, 0x14, 0x00, 0xF0, 0x23}));
  EXPECT_EQ(pes.size(), 10u + 3000u - 5u);
  // The base puts the reference 32,768 ticks ahead of the first SCR plus
  // the bytes between them at the assumed rate.
  EXPECT_EQ(writer.GetBase(), uint64_t(a + (3000 + 2995) / 18 - 32768));
  // A piece with PTS and DTS: both rebased, their prefixes kept apart.
  Write(Piece(0xE0, a + 10800, a + 7200, Data(100)));
  auto video = capture.Of('V');
  ASSERT_EQ(video.size(), 1u);
  EXPECT_EQ(pestimestamp::Decode(&video[0][9]), uint64_t(a + 10800) - writer.GetBase());
  EXPECT_EQ(pestimestamp::Decode(&video[0][14]), uint64_t(a + 7200) - writer.GetBase());
  EXPECT_EQ(video[0][9] >> 4, 3);
  EXPECT_EQ(video[0][14] >> 4, 1);
  // The file holds the packs the handler saw.
  std::vector<BYTE> packs;
  for (const auto& r : capture.Of('R')) packs.insert(packs.end(), r.begin(), r.end());
  EXPECT_EQ(capture.file, packs);
}

TEST_F(WriterTest, AudioStampsSetTheClockAcrossTheWrapAndAJump) {
  struct Row {
    const char* name;
    int64_t start;
    int64_t jumpAt;  // audio index where the clock jumps
    int64_t jump;
  } rows[] = {
      {"32-bit wrap", 0x100000000LL - 20 * 2160, -1, 0},
      {"jump ahead", 1000000, 10, 324000000},
      {"jump back", 400000000, 10, -300000000},
  };
  for (const Row& row : rows) {
    SetUp();
    Start(row.start);
    int64_t pts = row.start, last = -1;
    for (int i = 1; i <= 40; ++i) {
      pts += 2160;
      if (i == row.jumpAt) pts += row.jump;
      Audio(pts & 0xFFFFFFFF);
      Video((pts + 3000) & 0xFFFFFFFF);
      auto packs = capture.Of('R');
      // An audio pack with a PTS: its SCR is its PTS 32,768 ticks early.
      for (auto it = packs.rbegin(); it != packs.rend(); ++it) {
        auto pes = PesOf(*it);
        if (pes[3] != 0xC0) continue;
        EXPECT_EQ(PtsOf(pes) - ScrOf(*it), 32768) << row.name << " " << i;
        if (row.jumpAt < 0 && last >= 0) {
          EXPECT_EQ(PtsOf(pes) - last, 2160) << row.name << " " << i;
        }
        last = PtsOf(pes);
        break;
      }
    }
  }
}

TEST_F(WriterTest, TenSecondPauseIsCutOut) {
  const int64_t a = 2000000;
  Start(a);
  int64_t pts = a;
  for (int i = 0; i < 10; ++i) Audio(pts += 2160), Video(pts + 3600);
  const int64_t lastRebased = PtsOf(capture.Of('A').back());
  writer.TogglePause();
  const size_t before = capture.calls.size();
  for (int i = 0; i < 10 * 90000 / 2160; ++i) Audio(pts += 2160), Video(pts + 3600, i % 12 == 0);
  EXPECT_EQ(capture.calls.size(), before);  // nothing while paused
  writer.TogglePause();
  Audio(pts += 2160);
  Video(pts + 3600);
  EXPECT_EQ(capture.calls.size(), before);  // until a sequence header
  Video(pts + 7200, true);
  ASSERT_EQ(capture.calls.size(), before + 1);
  EXPECT_EQ(capture.calls.back().handler, 'R');
  Audio(pts += 2160);
  // The next audio written follows the last one before the pause by one
  // frame: the pause's ten seconds are gone.
  EXPECT_EQ(PtsOf(capture.Of('A').back()), lastRebased + 2160);
}

TEST_F(WriterTest, PauseFollowsTheTogglesWhereverTheyFall) {
  // a: an audio piece with a stamp one frame after the one before; v: a
  // video piece; s: one with a sequence header; p: the pause toggled. The
  // pieces written come out in upper case.
  struct Row {
    const char* name;
    const char* in;
    const char* out;
    bool audioOnly;  // no wait for a sequence header
  } rows[] = {
      {"toggled before the start: the start waits for the resume", "pavspavsav", "pavspavSAV", false},
      {"toggled while running: cut out up to a sequence header", "asavpavsavpavasav", "aSAVpavsavpavaSAV", false},
      {"paused again before the resume found its place", "asapapavpaspasa", "aSApapavpaspaSA", false},
      {"twice before the start", "apapasav", "apapaSAV", false},
      {"audio only: goes on at the next stamp", "aapaapaa", "AApaapAA", true},
      {"audio only, toggled before the first piece", "papaa", "papAA", true},
  };
  for (const Row& row : rows) {
    SetUp();
    if (row.audioOnly) writer.SetWaitForSequenceHeader(FALSE);
    int64_t pts = 3000000;
    std::string out;
    for (const char* c = row.in; *c; ++c) {
      const size_t before = capture.calls.size();
      switch (*c) {
        case 'a': Audio(pts += 2160); break;
        case 'v': Video(pts + 3600); break;
        case 's': Video(pts + 3600, true); break;
        case 'p': writer.TogglePause(); break;
      }
      out += capture.calls.size() > before ? char(toupper(*c)) : *c;
    }
    EXPECT_EQ(out, row.out) << row.name;
    // Each pause is cut out whole: the audio written runs on frame by
    // frame. The clock reference never steps back.
    const auto packs = capture.Of('R');
    int64_t lastAudio = -1;
    for (size_t i = 0; i < packs.size(); ++i) {
      if (i) {
        EXPECT_GE(ScrOf(packs[i]), ScrOf(packs[i - 1])) << row.name << " pack " << i;
      }
      const auto pes = PesOf(packs[i]);
      if (pes[3] != 0xC0) continue;
      if (lastAudio >= 0) {
        EXPECT_EQ(PtsOf(pes) - lastAudio, 2160) << row.name << " pack " << i;
      }
      lastAudio = PtsOf(pes);
    }
  }
}

TEST_F(WriterTest, WriteErrorStopsTheOutput) {
  capture.failAfterWrites = 3;
  Start(1000000);
  for (int i = 1; i <= 10; ++i) Audio(1000000 + i * 2160), Video(1003600 + i * 2160);
  EXPECT_TRUE(writer.HasFailed());
  EXPECT_EQ(capture.writes, 3);
  EXPECT_EQ(capture.Of('R').size(), 3u);
  EXPECT_EQ(capture.Of('A').size() + capture.Of('V').size(), 2u);
}

TEST_F(WriterTest, WithoutWaitingTheStampsStayAsTheyCame) {
  writer.SetWaitForSequenceHeader(FALSE);
  Audio(123456);
  Audio(123456 + 2160);
  auto packs = capture.Of('R');
  ASSERT_EQ(packs.size(), 2u);
  EXPECT_EQ(packs[0][17], 0xBB);  // the system header with the first pack
  EXPECT_EQ(packs[1][17], 0xC0);
  EXPECT_EQ(PtsOf(capture.Of('A')[0]), 123456);
  EXPECT_EQ(PtsOf(capture.Of('A')[1]), 123456 + 2160);
}
