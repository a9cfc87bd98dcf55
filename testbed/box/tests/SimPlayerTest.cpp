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

// The player at 100,000 bytes/s with a limit of 3,000 bytes, fed
// 1,032-byte frames: what it takes, refuses and has drained at each time,
// by mode.
TEST(SimPlayerTest, PlaysAtItsRateAndSpeedAndRefusesWhileFull) {
  const std::vector<BYTE> packet = Packet(1, 1016);
  struct Row {
    const char* name;
    double at;  // ms
    int command;  // -1 a frame is written, else the command (0x81-0x86)
    bool taken;   // the frame was taken
    DWORD buffered;
    bool writerMayWrite;  // Update at `at` says a refused writer may go on
  } rows[] = {
      {"play", 0, 0x82, false, 0, false},
      {"frame 1", 0, -1, true, 1032, false},
      {"frame 2", 0, -1, true, 2064, false},
      {"frame 3", 0, -1, true, 3096, false},
      {"over the limit: refused", 0, -1, false, 3096, false},
      {"half drained after 5 ms", 5, -1, true, 3096 - 500 + 1032, false},
      {"pause: nothing drains", 6, 0x83, false, 3528, false},
      {"paused 100 ms on", 106, -1, false, 3528, false},
      {"fast (I frames): 4 times the rate", 106, 0x86, false, 3528, false},
      {"room again after 2 ms of fast", 108, -2, false, 3528 - 800, true},
      {"slow at speed 4: a quarter", 108, 0x84, false, 2728, false},
      {"10 ms slow", 118, -2, false, 2728 - 250, false},
      {"stop drops the buffer", 118, 0x81, false, 0, false},
  };
  CSimPlayer player;
  player.SetRate(100000);
  player.SetLimit(3000);
  WORD counter = 0;
  for (const Row& row : rows) {
    if (row.command > 0) {
      player.Command(BYTE(row.command), row.command == 0x84 ? 4 : 0, row.at);
    } else if (row.command == -1) {
      const std::vector<BYTE> f = Frame(packet, counter);
      const bool taken = player.Accept(f.data(), DWORD(f.size()), row.at);
      EXPECT_EQ(taken, row.taken) << row.name;
      if (taken) ++counter;
    } else {
      EXPECT_EQ(player.Update(row.at), row.writerMayWrite) << row.name;
    }
    EXPECT_EQ(player.Status().buffered, row.buffered) << row.name;
  }
  EXPECT_EQ(player.Status().refusedWrites, 2u);
  EXPECT_EQ(player.Status().peakBuffered, 3628u);
  EXPECT_EQ(player.Played().size(), 4 * packet.size());
  EXPECT_EQ(player.RejectedFrames(), 0u);
}

TEST(SimPlayerTest, StalledPlayerNeverMakesRoom) {
  const std::vector<BYTE> f = Frame(Packet(2, 2000), 0);
  CSimPlayer player;
  player.SetRate(1000000);
  player.SetLimit(1000);
  player.Command(0x82, 0, 0);
  player.SetStalled(true);
  EXPECT_TRUE(player.Accept(f.data(), DWORD(f.size()), 0));
  EXPECT_FALSE(player.Accept(f.data(), DWORD(f.size()), 1000));
  EXPECT_EQ(player.MsUntilRoom(), -1);
  EXPECT_FALSE(player.Update(60000));
  player.SetStalled(false);
  EXPECT_GT(player.MsUntilRoom(), 0);
  EXPECT_TRUE(player.Update(60002));
}

}  // namespace
