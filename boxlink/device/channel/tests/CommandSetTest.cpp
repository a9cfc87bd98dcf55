// The box command set: each operation's request layout as the box receives
// it and its answer as the caller gets it.
#include "BoxFixture.h"

#include "BoxCommands.h"
#include "BulkFrame.h"

#include <cstring>

TEST_F(BoxTest, ModeAndVersions) {
  SimBoxState s = State();
  s.mode[0] = 1;
  s.mode[1] = 0x00010002;
  s.mode[2] = 0xFFFFFFFF;
  sim->SetState(s);
  DWORD mode, second, third;
  ASSERT_TRUE(CDVBIoI2c::GetSTBMode(mode, second, third));
  EXPECT_EQ(mode, 1u);
  EXPECT_EQ(second, 0x00010002u);
  EXPECT_EQ(third, 0xFFFFFFFFu);

  WORD v[6];
  ASSERT_TRUE(CDVBIoI2c::GetSTBVersions(v[0], v[1], v[2], v[3], v[4], v[5]));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(v[i], s.versions[i]) << i;
  auto sent = Commands(boxcommands::kGetStbVersions);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].bytes, 16u);
}

TEST_F(BoxTest, DecoderCommands) {
  DWORD answer = 0;
  ASSERT_TRUE(CDVBIoI2c::SetPIDs(answer, 0x100, 0x101, 0x102, 0xFFFF, 0xFFFF, 0xFFFF));
  EXPECT_EQ(answer, 0x1600u);
  SimBoxState s = State();
  EXPECT_EQ(s.pids[0], 0x100);
  EXPECT_EQ(s.pids[2], 0x102);
  EXPECT_EQ(s.pids[5], 0xFFFF);
  auto sent = Commands(boxcommands::kSetPids);
  ASSERT_EQ(sent.size(), 1u);
  const BYTE wire[13] = {0x50, 0x01, 0x00, 0x01, 0x01, 0x01, 0x02, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(memcmp(sent[0].request, wire, 13), 0);

  BYTE volume = 9;
  s.volumeAnswer = 0x33;
  sim->SetState(s);
  ASSERT_TRUE(CDVBIoI2c::SetVolume(volume, 10, 20));
  EXPECT_EQ(volume, 0x33);
  EXPECT_EQ(State().volume[1], 20);
}

TEST_F(BoxTest, FilterCommands) {
  BYTE data[12] = {0x42, 0xF0, 0x11, 0x00, 0x01, 0xC1};
  BYTE mask[12] = {0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF};
  WORD filter = 0xFFFF;
  ASSERT_TRUE(CDVBIoI2c::AddSectionFilter(filter, 0x11, data, mask, 6, 13));
  EXPECT_EQ(filter, 0);
  SimBoxState s = State();
  ASSERT_TRUE(s.filters[0].used);
  EXPECT_EQ(s.filters[0].mode, 13);
  const BYTE params[29] = {0x00, 0x11, 0x00, 0x0D, 6, 0x42, 0x00, 0x01, 0xC1, 0,   0,
                           0,    0,    0,    0,    0, 0,    0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(memcmp(s.filters[0].params, params, 29), 0);

  // Length 0 with no data at all is sent with empty match bytes.
  WORD empty = 0xFFFF;
  ASSERT_TRUE(CDVBIoI2c::AddSectionFilter(empty, 0x12, nullptr, nullptr, 0, 1));
  EXPECT_EQ(empty, 1);
  WORD refused = 0x1234;
  EXPECT_FALSE(CDVBIoI2c::AddSectionFilter(refused, 0x12, data, mask, 13, 1));
  EXPECT_FALSE(CDVBIoI2c::AddSectionFilter(refused, 0x2000, data, mask, 3, 1));
  EXPECT_EQ(refused, 0x1234);

  WORD pipe = 0;
  ASSERT_TRUE(CDVBIoI2c::AddPipeFilter(pipe, 0x1FFF, 188));
  EXPECT_EQ(pipe, 2);
  EXPECT_FALSE(CDVBIoI2c::AddPipeFilter(pipe, 0x2000, 188));

  WORD del = 1;
  ASSERT_TRUE(CDVBIoI2c::DelFilter(del));
  EXPECT_EQ(del, 1);
  del = 1;  // gone now: the box answers 0xFFFF, written back
  ASSERT_TRUE(CDVBIoI2c::DelFilter(del));
  EXPECT_EQ(del, 0xFFFF);
  EXPECT_FALSE(CDVBIoI2c::DelFilter(del));  // 0xFFFF is not sent
  EXPECT_EQ(Commands(boxcommands::kAddSectionFilter).size(), 2u);
  EXPECT_EQ(Commands(boxcommands::kDelFilter).size(), 2u);
}

TEST_F(BoxTest, FrontEndCommands) {
  DWORD type = 0;
  ASSERT_TRUE(CDVBIoI2c::GetFEType(type));
  EXPECT_EQ(type, 1u);

  DWORD answer = 5;
  ASSERT_TRUE(CDVBIoI2c::SetChannelS(answer, 1, 2, 3, 4, 5, 6, 7, 8, 0x0A0B0C0D));
  EXPECT_EQ(answer, 0u);
  SimBoxState s = State();
  EXPECT_EQ(s.channelType, 1u);
  EXPECT_EQ(s.channel[8], 0x0A0B0C0Du);
  ASSERT_TRUE(CDVBIoI2c::SetChannelT(answer, 474000, 8, 0, 0));
  EXPECT_EQ(State().channelType, 3u);
  EXPECT_EQ(State().channel[0], 474000u);

  s = State();
  s.feMachineState = 4;
  s.feLock[0] = 1;
  s.feLock[2] = 0x33;
  for (int i = 0; i < 12; ++i) s.feSignal[i] = DWORD(100 + i);
  sim->SetState(s);
  DWORD m = 0, l[3] = {}, g[12] = {};
  ASSERT_TRUE(CDVBIoI2c::GetFEMachineState(m));
  EXPECT_EQ(m, 4u);
  ASSERT_TRUE(CDVBIoI2c::GetFELockState(l[0], l[1], l[2]));
  EXPECT_EQ(l[0], 1u);
  EXPECT_EQ(l[2], 0x33u);
  ASSERT_TRUE(CDVBIoI2c::GetFESignalInfo(g[0], g[1], g[2], g[3], g[4], g[5], g[6], g[7], g[8], g[9], g[10], g[11]));
  EXPECT_EQ(g[0], 100u);
  EXPECT_EQ(g[11], 111u);
}

TEST_F(BoxTest, BitRateTeletextRecordingAndInterruptCommands) {
  CDVBIoI2c::SetBitRate(0, 199);
  EXPECT_EQ(State().fastI2c, 0);
  CDVBIoI2c::SetBitRate(0, 200);
  EXPECT_EQ(State().fastI2c, 1);
  EXPECT_EQ(CDVBIoI2c::GetBitRate(), 100);

  EXPECT_EQ(CDVBIoI2c::VTEnable(0x203), 1);
  EXPECT_EQ(State().vtPid, 0x203);
  EXPECT_TRUE(CDVBIoI2c::VTModifySearchTable(0xFFFF, 0xFFFF, 0xFFFF, 1));
  EXPECT_EQ(State().vtSearch[3], 1);
  EXPECT_TRUE(CDVBIoI2c::VTDisable());
  EXPECT_EQ(State().vtOn, 0);

  EXPECT_TRUE(CDVBIoI2c::RPRecord(5));
  EXPECT_EQ(State().lastRecPlay, boxcommands::kRecord);
  EXPECT_EQ(State().recPlayArg, 5);
  EXPECT_TRUE(CDVBIoI2c::RPStop());
  EXPECT_EQ(State().lastRecPlay, boxcommands::kStop);

  EXPECT_TRUE(CDVBIoI2c::SetEPIntInState(1));
  EXPECT_EQ(State().intInState, 1);
}

TEST_F(BoxTest, ResetFramesCountOnFrom0x88) {
  // The only test of this program that sends reset frames: the counter
  // starts at 0x88 when the library loads.
  EXPECT_TRUE(CDVBIoI2c::ResetSTB(2));
  EXPECT_TRUE(CDVBIoI2c::ResetSTB(0));
  ASSERT_EQ(sim->FrameCount(), 2);
  bulkframe::Frame first, second;
  sim->GetFrame(0, &first);
  sim->GetFrame(1, &second);
  EXPECT_EQ(first.sequence, 0x88);
  EXPECT_EQ(second.sequence, 0x89);
  EXPECT_EQ(first.command, bulkframe::kReset);
  EXPECT_EQ(first.payload[0], 2);
  EXPECT_EQ(State().lastResetMode, 0);
  EXPECT_EQ(State().frameErrors, 0);
}
