// The firmware image: the box's checksum, CRC-32, transfer length, masking
// and the data frames.
#include "BulkFrame.h"
#include "ByteOrder.h"
#include "FirmwareImage.h"

#include <gtest/gtest.h>

using namespace firmwareimage;

TEST(FirmwareImage, Checksums) {
  const BYTE abc[] = {'a', 'b', 'c'};
  EXPECT_EQ(BoxChecksum(abc, 3), 0x1E5A);
  EXPECT_EQ(BoxChecksum(abc, 0), 0);
  const BYTE check[] = {'1', '2', '3', '4', '5', '6', '7', '8', '9'};
  EXPECT_EQ(Crc32(0, check, 9), 0xCBF43926u);
  EXPECT_EQ(Crc32(Crc32(0, check, 4), check + 4, 5), 0xCBF43926u);  // resumable
  EXPECT_EQ(Crc32(0, nullptr, 9), 0u);
  EXPECT_EQ(kCrcTable[1], 0x77073096u);
  EXPECT_EQ(kCrcTable[255], 0x2D02EF8Du);
}

TEST(FirmwareImage, TransferLengthAndLimits) {
  EXPECT_EQ(TransferLength(81), 82u);
  EXPECT_EQ(TransferLength(82), 84u);
  EXPECT_EQ(TransferLength(83), 86u);
  EXPECT_EQ(TransferLength(84), 84u);
  auto ok = MakeImage(80, 1, false);
  EXPECT_EQ(PrepareTransfer(ok.data(), 80).size(), 80u);
  auto shortImage = MakeImage(79, 1, false);
  EXPECT_TRUE(PrepareTransfer(shortImage.data(), 79).empty());
  auto bad = MakeImage(100, 2, false);
  bad[3] ^= 1;
  EXPECT_TRUE(PrepareTransfer(bad.data(), 100).empty());
}

TEST(FirmwareImage, MaskedImageIsUnmaskedWholePaddingIncluded) {
  auto plain = MakeImage(81, 3, false);
  auto masked = MakeImage(81, 3, true);
  auto t = PrepareTransfer(masked.data(), 81);
  ASSERT_EQ(t.size(), 82u);
  EXPECT_TRUE(std::equal(plain.begin(), plain.end(), t.begin()));
  EXPECT_EQ(t[81], kMask);  // the added zero byte, unmasked with the rest
  auto tp = PrepareTransfer(plain.data(), 81);
  EXPECT_EQ(tp[81], 0);
}

TEST(FirmwareImage, FramesCutInPiecesOf60NumberedFrom0) {
  std::vector<BYTE> t(132, 0x33);
  auto frames = BuildFrames(t.data(), 132);
  bulkframe::CBulkFrameReader reader;
  reader.Feed(frames.data(), frames.size());
  bulkframe::Frame f;
  std::vector<int> lengths, numbers;
  while (reader.Next(f)) {
    EXPECT_EQ(f.command, bulkframe::kFlashData);
    lengths.push_back(f.length);
    numbers.push_back(f.sequence);
  }
  EXPECT_EQ(lengths, (std::vector<int>{60, 60, 12}));
  EXPECT_EQ(numbers, (std::vector<int>{0, 1, 2}));
  std::vector<BYTE> big(60 * 300);
  auto many = BuildFrames(big.data(), DWORD(big.size()));
  EXPECT_EQ(many[256 * 64 + 1], 0);  // piece 256 wraps to 0
  EXPECT_EQ(many[255 * 64 + 1], 255);
}

TEST(FirmwareImage, HeaderLayout) {
  BYTE h[kHeaderParams];
  BuildHeader(h, 0x01020304, 0xBEEF, 1);
  const BYTE boot[] = {1, 2, 3, 4, 0, 0, 0xBE, 0xEF, 'a', 0};
  EXPECT_EQ(memcmp(h, boot, sizeof(boot)), 0);
  BuildHeader(h, 84, 1, 0);
  EXPECT_EQ(h[8], 'u');
  EXPECT_EQ(StartLetter(0), 'u');
  EXPECT_EQ(StartLetter(4), 'x');
  EXPECT_EQ(StartLetter(5), 0);
}
