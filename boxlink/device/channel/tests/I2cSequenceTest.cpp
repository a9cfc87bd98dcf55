#include "I2cSequence.h"

#include <gtest/gtest.h>

#include <vector>

using namespace i2csequence;

TEST(I2cSequence, ReadOfTwentyBytesFromTheEeprom) {
  BYTE req[kHeaderSize + kMaxTransfer];
  ASSERT_EQ(BuildRequest(req, 0x50, nullptr, 0, 20), 3);
  EXPECT_EQ(req[0], 0xA0);
  EXPECT_EQ(req[1], 0x00);
  EXPECT_EQ(req[2], 0x14);
}

TEST(I2cSequence, SendsOnlyTheLowByteOfEachWord) {
  BYTE req[kHeaderSize + kMaxTransfer];
  int words[] = {0x1CC, -1, 0x12345678};
  ASSERT_EQ(BuildRequest(req, 0x61, words, 3, 1), 6);
  EXPECT_EQ(req[0], 0xC2);
  EXPECT_EQ(req[3], 0xCC);
  EXPECT_EQ(req[4], 0xFF);
  EXPECT_EQ(req[5], 0x78);
}

TEST(I2cSequence, CountLimits) {
  BYTE req[kHeaderSize + kMaxTransfer];
  std::vector<int> words(58, 1);
  EXPECT_EQ(BuildRequest(req, 0x50, words.data(), 57, 57), 60);
  EXPECT_EQ(BuildRequest(req, 0x50, words.data(), 58, 0), -1);
  EXPECT_EQ(BuildRequest(req, 0x50, nullptr, 0, 58), -1);
  EXPECT_EQ(BuildRequest(req, 0x50, nullptr, 2, 0), -1);
}

TEST(I2cSequence, EchoMustMatchAddressAndBothCounts) {
  struct Case {
    BYTE echo[3];
    bool ok;
  } cases[] = {
      {{0xA0, 1, 20}, true},  {{0xA2, 1, 20}, false}, {{0xA0, 0, 20}, false},
      {{0xA0, 1, 19}, false}, {{0x00, 0, 0}, false},  // a zeroed buffer: nothing came back
  };
  for (const Case& c : cases) EXPECT_EQ(EchoMatches(c.echo, 0x50, 1, 20), c.ok);
}

TEST(I2cSequence, ReadBytesAreZeroExtended) {
  BYTE answer[6] = {0xA0, 0, 3, 0xFF, 0x80, 0x01};
  int read[3] = {-1, -1, -1};
  CopyRead(answer, read, 3);
  EXPECT_EQ(read[0], 0xFF);
  EXPECT_EQ(read[1], 0x80);
  EXPECT_EQ(read[2], 0x01);
}

TEST(I2cSequence, ParseRejectsShortAndOversizedRequests) {
  Request r;
  BYTE ok[] = {0xA0, 2, 4, 0xCC, 0x11};
  ASSERT_TRUE(ParseRequest(ok, 5, r));
  EXPECT_EQ(r.address, 0x50);
  EXPECT_EQ(r.writeCount, 2);
  EXPECT_EQ(r.readCount, 4);
  EXPECT_EQ(r.write[1], 0x11);
  EXPECT_FALSE(ParseRequest(ok, 4, r));  // claims 2 bytes, carries 1
  BYTE big[] = {0xA0, 0, 58};
  EXPECT_FALSE(ParseRequest(big, 3, r));
  EXPECT_FALSE(ParseRequest(ok, 2, r));
}

TEST(I2cSequence, DiSEqCFrame) {
  BYTE out[kDiSEqCHeader + kMaxDiSEqC];
  BYTE msg[7] = {0xE0, 0x10, 0x38, 0xF3, 1, 2, 3};
  ASSERT_EQ(BuildDiSEqC(out, 0x05, msg, 6), 10);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(out[1], 0x05);
  EXPECT_EQ(out[2], 0);
  EXPECT_EQ(out[3], 0);
  EXPECT_EQ(out[4], 0xE0);
  EXPECT_EQ(out[9], 2);
  EXPECT_EQ(BuildDiSEqC(out, 0, msg, 7), -1);
  EXPECT_EQ(BuildDiSEqC(out, 0, nullptr, 3), -1);
  EXPECT_EQ(BuildDiSEqC(out, 1, nullptr, 0), 4);
}

TEST(I2cSequence, GpioAnswer) {
  BYTE req[2];
  BuildGpio(req, 4, 0x101);
  EXPECT_EQ(req[0], 4);
  EXPECT_EQ(req[1], 1);
  BYTE accepted[2] = {4, 0}, refused[2] = {4, 0x55}, other[2] = {5, 0};
  EXPECT_TRUE(GpioAccepted(accepted, 4));
  EXPECT_FALSE(GpioAccepted(refused, 4));
  EXPECT_FALSE(GpioAccepted(other, 4));
}
