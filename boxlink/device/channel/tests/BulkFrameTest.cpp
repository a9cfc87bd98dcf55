#include "BulkFrame.h"

#include <gtest/gtest.h>

#include <vector>

using namespace bulkframe;

namespace {

std::vector<BYTE> Frame1(BYTE seq, BYTE cmd, std::vector<BYTE> payload) {
  BYTE out[kMaxFrame];
  int n = Encode(out, seq, cmd, payload.data(), int(payload.size()));
  return std::vector<BYTE>(out, out + (n < 0 ? 0 : n));
}

}  // namespace

TEST(BulkFrame, EncodesHeaderAndPayload) {
  EXPECT_EQ(Frame1(0x88, kReset, {0x02}), (std::vector<BYTE>{0xAA, 0x88, 0xF1, 0x01, 0x02}));
  EXPECT_EQ(Frame1(0, kFlashData, {}), (std::vector<BYTE>{0xAA, 0x00, 0xF0, 0x00}));
  BYTE out[kMaxFrame];
  std::vector<BYTE> sixty(60, 0x11), sixtyOne(61, 0x11);
  EXPECT_EQ(Encode(out, 1, kFlashData, sixty.data(), 60), 64);
  EXPECT_EQ(Encode(out, 1, kFlashData, sixtyOne.data(), 61), -1);
  EXPECT_EQ(Encode(out, 1, kFlashData, nullptr, 3), -1);
}

TEST(BulkFrame, ReassemblesFramesSplitAcrossWrites) {
  std::vector<BYTE> stream;
  for (BYTE seq = 0; seq < 4; ++seq) {
    auto f = Frame1(seq, kFlashData, std::vector<BYTE>(seq * 15, BYTE(seq + 1)));
    stream.insert(stream.end(), f.begin(), f.end());
  }
  CBulkFrameReader reader;
  for (BYTE b : stream) reader.Feed(&b, 1);  // one byte per write
  Frame frame;
  for (BYTE seq = 0; seq < 4; ++seq) {
    ASSERT_TRUE(reader.Next(frame)) << int(seq);
    EXPECT_EQ(frame.sequence, seq);
    EXPECT_EQ(frame.command, kFlashData);
    EXPECT_EQ(frame.length, seq * 15);
    for (int i = 0; i < frame.length; ++i) EXPECT_EQ(frame.payload[i], seq + 1);
  }
  EXPECT_FALSE(reader.Next(frame));
  EXPECT_EQ(reader.DroppedBytes(), 0u);
  EXPECT_EQ(reader.Pending(), 0u);
}

TEST(BulkFrame, DropsGarbageAndImpossibleLengths) {
  struct Case {
    const char* name;
    std::vector<BYTE> prefix;
    size_t dropped;
  } cases[] = {
      {"noise before start", {0x00, 0x13, 0x55}, 3},
      {"start byte with length 61", {0xAA, 0x01, 0xF0, 61}, 4},
      {"start byte inside a bad header", {0xAA, 0xAA, 0xF1, 0xFF}, 4},
  };
  for (const Case& c : cases) {
    CBulkFrameReader reader;
    std::vector<BYTE> stream = c.prefix;
    auto good = Frame1(7, kReset, {0x00});
    stream.insert(stream.end(), good.begin(), good.end());
    reader.Feed(stream.data(), stream.size());
    Frame frame;
    ASSERT_TRUE(reader.Next(frame)) << c.name;
    EXPECT_EQ(frame.sequence, 7) << c.name;
    EXPECT_EQ(frame.command, kReset) << c.name;
    EXPECT_EQ(reader.DroppedBytes(), c.dropped) << c.name;
  }
}

TEST(BulkFrame, HoldsAnIncompleteFrame) {
  CBulkFrameReader reader;
  auto f = Frame1(3, kFlashData, std::vector<BYTE>(10, 0x42));
  reader.Feed(f.data(), f.size() - 1);
  Frame frame;
  EXPECT_FALSE(reader.Next(frame));
  EXPECT_EQ(reader.Pending(), f.size() - 1);
  reader.Feed(&f.back(), 1);
  EXPECT_TRUE(reader.Next(frame));
}
