// The box's player: frames built here byte by byte, each spoiled in one
// way; only whole, counted, checksummed frames with one PVA packet play,
// and checksum-correct frames around a bad PVA packet are turned away too.
#include "SimPlayer.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

std::vector<BYTE> Packet(BYTE stream, DWORD body) {
  std::vector<BYTE> p = {'A', 'V', stream, 7, 0x55, 0, BYTE(body >> 8), BYTE(body)};
  for (DWORD i = 0; i < body; ++i) p.push_back(BYTE(i * 5 + 1));
  return p;
}

std::vector<BYTE> Cat(std::vector<BYTE> a, const std::vector<BYTE>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::vector<BYTE> Frame(std::vector<BYTE> payload, WORD counter) {
  std::vector<BYTE> f = {0xAA, 0xAA, 0xAA, 0x00};
  f.insert(f.end(), payload.begin(), payload.end());
  f.resize((f.size() + 3) / 4 * 4);
  f.push_back(BYTE((counter >> 8) & 0x7F));
  f.push_back(BYTE(counter));
  WORD sum = 0;
  for (size_t i = 4; i < f.size(); i += 2) sum ^= WORD(f[i] | (f[i + 1] << 8));
  f.push_back(BYTE(sum >> 8));
  f.push_back(BYTE(sum));
  return f;
}

TEST(SimPlayerTest, PlaysOnlyValidFrames) {
  const std::vector<BYTE> packet = Packet(2, 13);
  struct Row {
    const char* name;
    std::function<void(std::vector<BYTE>&)> spoil;
    WORD counter;
    bool plays;
  } rows[] = {
      {"valid", [](std::vector<BYTE>&) {}, 11, true},
      {"counter runs on", [](std::vector<BYTE>&) {}, 12, true},
      {"counter skips", [](std::vector<BYTE>&) {}, 14, false},
      {"prefix", [](std::vector<BYTE>& f) { f[3] = 1; }, 13, false},
      {"checksum", [](std::vector<BYTE>& f) { f.back() ^= 1; }, 13, false},
      {"payload byte", [](std::vector<BYTE>& f) { f[10] ^= 0x40; }, 13, false},
      {"counter after rejected frames", [](std::vector<BYTE>&) {}, 13, true},
  };
  CSimPlayer player;
  std::vector<BYTE> want;
  DWORD rejected = 0;
  for (const Row& row : rows) {
    std::vector<BYTE> f = Frame(packet, row.counter);
    row.spoil(f);
    player.Accept(f.data(), DWORD(f.size()));
    if (row.plays)
      want.insert(want.end(), packet.begin(), packet.end());
    else
      ++rejected;
    EXPECT_EQ(player.Played(), want) << row.name;
    EXPECT_EQ(player.RejectedFrames(), rejected) << row.name;
  }
}

TEST(SimPlayerTest, PvaPacketMustFillThePaddedPayload) {
  struct Row {
    const char* name;
    std::vector<BYTE> payload;
    bool plays;
  } rows[] = {
      {"3 pad bytes", Packet(1, 1), true},
      {"length past the payload",
       [] {
         auto p = Packet(1, 8);
         p[7] = 9;
         return p;
       }(),
       false},
      {"4 bytes behind the packet", Cat(Packet(1, 4), {0, 0, 0, 0}), false},
      {"a pad byte not zero", Cat(Packet(2, 2), {0, 1}), false},
      {"stream 3", Packet(3, 4), false},
      {"no AV",
       [] {
         auto p = Packet(1, 4);
         p[1] = 'W';
         return p;
       }(),
       false},
  };
  for (const Row& row : rows) {
    CSimPlayer player;
    const std::vector<BYTE> f = Frame(row.payload, 1);
    player.Accept(f.data(), DWORD(f.size()));
    EXPECT_EQ(player.Played().size(), row.plays ? row.payload.size() : 0u) << row.name;
  }
}

}  // namespace
