#include <gtest/gtest.h>

#include <vector>

#include "LanProtocol.h"
#include "LanStreamReader.h"
#include "SyntheticPes.h"

namespace {

using Bytes = std::vector<BYTE>;

Bytes Header(const char* magic, uint16_t type, uint16_t index, uint32_t count, uint16_t length) {
  Bytes b(magic, magic + 4);
  for (int i = 0; i < 2; ++i) b.push_back(static_cast<BYTE>(type >> (8 * i)));
  for (int i = 0; i < 2; ++i) b.push_back(static_cast<BYTE>(index >> (8 * i)));
  for (int i = 0; i < 4; ++i) b.push_back(static_cast<BYTE>(count >> (8 * i)));
  for (int i = 0; i < 2; ++i) b.push_back(static_cast<BYTE>(length >> (8 * i)));
  b.push_back(0);
  b.push_back(0);
  return b;
}

TEST(LanProtocol, HeadersAreLittleEndianWithTheIndexCutTo16Bits) {
  struct Row {
    uint16_t type;
    uint32_t index;
    uint32_t count;
    uint16_t length;
    uint16_t wireIndex;
  };
  const Row rows[] = {
      {kLanChannelRecord, 0, 3, 172, 0},         {kLanChannelRecord, 65535, 70000, 172, 65535},
      {kLanChannelRecord, 65536, 70000, 172, 0}, {kLanChannelRecord, 69999, 70000, 172, 4463},
      {kLanSecondRecord, 2, 5, 268, 2},          {kLanCurrentChannel, 0x12345, 0, 0, 0x2345},
      {kLanChannelSwitched, 7, 0, 0, 7},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.index);
    const Bytes payload(row.length, 0xA5);
    Bytes message;
    EncodeLanMessage(message, row.type, row.index, row.count, payload.data(), row.length);
    Bytes expected = Header("QLON", row.type, row.wireIndex, row.count, row.length);
    expected.insert(expected.end(), payload.begin(), payload.end());
    EXPECT_EQ(expected, message);

    LanMessageHeader decoded;
    ASSERT_TRUE(DecodeLanHeader(message.data(), message.size(), &decoded));
    EXPECT_EQ(row.type, decoded.type);
    EXPECT_EQ(row.wireIndex, decoded.index);
    EXPECT_EQ(row.count, decoded.count);
    EXPECT_EQ(row.length, decoded.length);
  }
}

TEST(LanProtocol, DecodeRefusesShortInputAndOtherMagic) {
  const Bytes good = Header("QLON", 2, 1, 0, 0);
  LanMessageHeader h;
  EXPECT_FALSE(DecodeLanHeader(good.data(), 15, &h));
  EXPECT_FALSE(DecodeLanHeader(nullptr, 16, &h));
  const Bytes other = Header("QLOM", 2, 1, 0, 0);
  EXPECT_FALSE(DecodeLanHeader(other.data(), other.size(), &h));
}

// The client splits what it receives byte by byte as well as in one piece.
TEST(LanStreamReader, SplitsMessagesAndPesPacketsInAnyChunking) {
  Bytes stream;
  Bytes message;
  const Bytes record(172, 0x11);
  EncodeLanMessage(message, kLanChannelRecord, 0, 1, record.data(), 172);
  stream.insert(stream.end(), message.begin(), message.end());
  const Bytes pes1 = SyntheticPes(1, 300);
  stream.insert(stream.end(), pes1.begin(), pes1.end());
  EncodeLanMessage(message, kLanCurrentChannel, 4, 0, nullptr, 0);
  stream.insert(stream.end(), message.begin(), message.end());
  const Bytes pes2 = SyntheticPes(2, 5, 0xC0);
  stream.insert(stream.end(), pes2.begin(), pes2.end());

  for (size_t chunk : {stream.size(), size_t{1}, size_t{7}}) {
    SCOPED_TRACE(chunk);
    CLanStreamReader reader;
    for (size_t at = 0; at < stream.size(); at += chunk)
      ASSERT_TRUE(reader.Feed(&stream[at], std::min(chunk, stream.size() - at)));
    ASSERT_EQ(4u, reader.items.size());
    EXPECT_TRUE(reader.items[0].isMessage);
    EXPECT_EQ(record, reader.items[0].bytes);
    EXPECT_EQ(pes1, reader.items[1].bytes);
    EXPECT_EQ(kLanCurrentChannel, reader.items[2].header.type);
    EXPECT_EQ(4, reader.items[2].header.index);
    EXPECT_EQ(pes2, reader.items[3].bytes);
    EXPECT_EQ(0u, reader.Pending());
  }
}

TEST(LanStreamReader, FailsOnBytesThatAreNeitherMessageNorPacket) {
  const Bytes cases[] = {{'Q', 'L', 'X', 'N', 1, 2}, {0, 0, 1, 0xE0, 0, 0, 1, 2}, {0, 0, 1, 0x10, 0, 1}};
  for (const Bytes& bytes : cases) {
    CLanStreamReader reader;
    EXPECT_FALSE(reader.Feed(bytes.data(), bytes.size()));
    EXPECT_TRUE(reader.items.empty());
  }
}

}  // namespace
