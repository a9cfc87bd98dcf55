// The command channel: limits, pacing, serialisation with bulk frames, short
// and failed answers, and what happens without a box.
#include "BoxFixture.h"

#include "BoxCommands.h"
#include "BulkFrame.h"

#include <algorithm>
#include <cstring>
#include <thread>

TEST_F(BoxTest, SendCommandRefusesOversizeRequestsWithoutTouchingTheDriver) {
  BYTE params[61] = {1}, answer[61] = {};
  struct Case {
    const char* name;
    BYTE* params;
    BYTE paramLength;
    void* answer;
    BYTE answerLength;
  } cases[] = {
      {"61 parameter bytes", params, 61, answer, 4},
      {"answer length 61", params, 1, answer, 61},
      {"null answer with a length", params, 1, nullptr, 4},
      {"null parameters with a length", nullptr, 2, answer, 4},
  };
  for (const Case& c : cases) {
    sim->ClearLog();
    EXPECT_EQ(CDVBIoI2c::SendCommand(boxcommands::kFeCommand, c.params, c.paramLength, c.answer, c.answerLength), 0xFF)
        << c.name;
    EXPECT_EQ(sim->LogCount(), 0) << c.name;
  }
}

TEST_F(BoxTest, SendCommandAcceptsSixtyAndSixty) {
  BYTE params[60], answer[60] = {};
  for (int i = 0; i < 60; ++i) params[i] = BYTE(i + 1);
  // The simulated box echoes a front-end command.
  EXPECT_EQ(CDVBIoI2c::SendCommand(boxcommands::kFeCommand, params, 60, answer, 60), 60);
  EXPECT_EQ(memcmp(params, answer, 60), 0);
  auto sent = Commands(boxcommands::kFeCommand);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].requestLength, 61u);
}

TEST_F(BoxTest, SendCommandWithoutAnswerPassesNoOutputBuffer) {
  BYTE standard[2] = {0, 1};
  EXPECT_EQ(CDVBIoI2c::SendCommand(boxcommands::kVideoStandard, standard, 2, nullptr, 0), 0);
  EXPECT_EQ(State().videoStandard, 1);
}

TEST_F(BoxTest, ShortAnswerIsCountedAndTheRestIsZero) {
  SimBoxState s = State();
  s.mode[0] = 0x11223344;
  s.mode[1] = 0x55667788;
  s.mode[2] = 0x99AABBCC;
  sim->SetState(s);
  Fault(SimFault::kShortAnswer, driverioctl::kCommandChannel, boxcommands::kGetStbMode, 2);

  BYTE answer[12];
  memset(answer, 0xEE, sizeof(answer));
  EXPECT_EQ(CDVBIoI2c::SendCommand(boxcommands::kGetStbMode, nullptr, 0, answer, 12), 2);
  EXPECT_EQ(answer[0], 0x11);
  EXPECT_EQ(answer[1], 0x22);
  for (int i = 2; i < 12; ++i) EXPECT_EQ(answer[i], 0) << i;

  // The command operations accept a short answer; its missing bytes read
  // as zero, never as whatever the buffer held.
  DWORD mode = 7, second = 7, third = 7;
  EXPECT_TRUE(CDVBIoI2c::GetSTBMode(mode, second, third));
  EXPECT_EQ(mode, 0x11220000u);
  EXPECT_EQ(second, 0u);
  EXPECT_EQ(third, 0u);
}

TEST_F(BoxTest, FailedOrFFCountAnswersLeaveOutArgumentsAlone) {
  struct Case {
    const char* name;
    int kind;
  } cases[] = {
      {"I/O control fails", SimFault::kFail},
      {"byte count with low byte 0xFF", SimFault::kCountLowByteFF},
  };
  for (const Case& c : cases) {
    sim->ClearFaults();
    Fault(c.kind, driverioctl::kCommandChannel);
    DWORD mode = 7, second = 8, third = 9;
    EXPECT_FALSE(CDVBIoI2c::GetSTBMode(mode, second, third)) << c.name;
    EXPECT_EQ(mode, 7u) << c.name;
    EXPECT_EQ(second, 8u) << c.name;
    EXPECT_EQ(third, 9u) << c.name;
    WORD filter = 5;
    EXPECT_FALSE(CDVBIoI2c::DelFilter(filter)) << c.name;
    EXPECT_EQ(filter, 5) << c.name;
    BYTE answer[4];
    EXPECT_EQ(CDVBIoI2c::SendCommand(boxcommands::kGetFeType, nullptr, 0, answer, 4), 0xFF) << c.name;
  }
}

TEST_F(BoxTest, CommandsAreTwentyMillisecondsApartAndNeverOverlapBulkFrames) {
  // The driver takes a while over each call so that two calls issued
  // without the lock would overlap.
  sim->SetLatency(3, 5);
  auto commands = [] {
    for (int i = 0; i < 6; ++i) {
      DWORD type;
      CDVBIoI2c::GetFEType(type);
    }
  };
  auto frames = [] {
    for (int i = 0; i < 6; ++i) {
      BYTE frame[bulkframe::kMaxFrame];
      BYTE payload[16] = {};
      int n = bulkframe::Encode(frame, BYTE(i), bulkframe::kFlashData, payload, sizeof(payload));
      CDVBIoI2c::SyncWriteEPBulkCmdOut(frame, WORD(n));
    }
  };
  std::thread a(commands), b(commands), c(frames);
  a.join();
  b.join();
  c.join();

  std::vector<SimLogEntry> locked;
  for (const SimLogEntry& e : Log())
    if (e.code == driverioctl::kCommandChannel || e.code == driverioctl::kWriteBulkCmdOut) locked.push_back(e);
  ASSERT_EQ(locked.size(), 18u);
  std::sort(locked.begin(), locked.end(),
            [](const SimLogEntry& x, const SimLogEntry& y) { return x.beginMs < y.beginMs; });
  std::vector<DWORD> threads;
  for (size_t i = 1; i < locked.size(); ++i) {
    EXPECT_GE(locked[i].beginMs, locked[i - 1].endMs) << "call " << i << " overlaps";
  }
  std::vector<SimLogEntry> cmds;
  for (const SimLogEntry& e : locked)
    if (e.code == driverioctl::kCommandChannel) cmds.push_back(e);
  ASSERT_EQ(cmds.size(), 12u);
  for (size_t i = 1; i < cmds.size(); ++i) {
    // Sleep and the performance counter disagree by well under a millisecond.
    EXPECT_GE(cmds[i].beginMs - cmds[i - 1].endMs, 19.0) << "command " << i;
  }
  EXPECT_EQ(State().frameErrors, 0);
  EXPECT_EQ(sim->FrameCount(), 6);
}

TEST_F(BoxTest, NothingReachesTheDriverWithoutABox) {
  CDVBCommon::CloseDevice();
  sim->ClearLog();
  BYTE buffer[8];
  DWORD a = 1, b = 2, c = 3;
  int words[2];
  WORD filter = 1;
  EXPECT_EQ(CDVBIoI2c::SendCommand(boxcommands::kGetStbMode, nullptr, 0, buffer, 8), 0xFF);
  EXPECT_FALSE(CDVBIoI2c::GetSTBMode(a, b, c));
  EXPECT_FALSE(CDVBIoI2c::DelFilter(filter));
  EXPECT_EQ(CDVBIoI2c::ReadEPBulkCmdIn(buffer, 8), 0xFF);
  EXPECT_EQ(CDVBIoI2c::ReadEPIsoStrmIn(buffer, 8), -1);
  EXPECT_EQ(CDVBIoI2c::GetUsbStbDrvVersion(), 0u);
  EXPECT_FALSE(CDVBIoI2c::ResetSTB(0));
  EXPECT_EQ(CDVBIoI2c::DiSEqCMsg(buffer, 3, 0, 0), 1);
  EXPECT_EQ(CDVBIoI2c::ReadSeq(0x50, words, 2), -1);
  EXPECT_EQ(CDVBIoI2c::GetErrNo(), 1);
  EXPECT_FALSE(CDVBIoI2c::ReadMAC(a, b));
  EXPECT_EQ(a, 0u);
  EXPECT_EQ(b, 0u);
  EXPECT_EQ(sim->LogCount(), 0);
}

TEST_F(BoxTest, CommandThatNeverCompletesIsBoundedAndReleasesTheLock) {
  Fault(SimFault::kNeverCompletes, driverioctl::kCommandChannel, boxcommands::kGetStbMode, 0, 1);
  DWORD mode = 7, b = 7, c = 7;
  EXPECT_FALSE(CDVBIoI2c::GetSTBMode(mode, b, c));
  EXPECT_EQ(mode, 7u);
  EXPECT_EQ(sim->PendingCount(), 0);  // cancelled and finished before returning
  DWORD type = 0;
  EXPECT_TRUE(CDVBIoI2c::GetFEType(type));  // the lock was released
  EXPECT_EQ(type, 1u);
}

TEST_F(BoxTest, UnpluggedBoxFailsWithoutHanging) {
  sim->Unplug();
  DWORD mode = 7, b, c;
  EXPECT_FALSE(CDVBIoI2c::GetSTBMode(mode, b, c));
  BYTE buffer[8];
  EXPECT_EQ(CDVBIoI2c::ReadEPIntCtrlIn(buffer, 8), 0xFF);
  EXPECT_EQ(CDVBCommon::GetNumberOfDevices(), 0);
  CDVBCommon::CloseDevice();
  EXPECT_FALSE(CDVBCommon::IsOpen());
}
