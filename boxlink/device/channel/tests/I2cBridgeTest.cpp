// The I2C bridge with its echo check, DiSEqC, GPIO and the free-form
// front-end command.
#include "BoxFixture.h"

#include "BoxCommands.h"

#include <cstring>

TEST_F(BoxTest, CombinedSequenceReadsAndWritesTheEeprom) {
  const int write[4] = {0x10, 0x1AA, 0xBB, 0xCC};  // offset, then three bytes
  ASSERT_EQ(CDVBIoI2c::WriteSeq(0x50, write, 4), 0);
  const int offset[1] = {0x10};
  int read[3] = {-1, -1, -1};
  ASSERT_EQ(CDVBIoI2c::CombinedSeq(0x50, offset, 1, read, 3), 0);
  EXPECT_EQ(read[0], 0xAA);
  EXPECT_EQ(read[1], 0xBB);
  EXPECT_EQ(read[2], 0xCC);
  int more[1];
  ASSERT_EQ(CDVBIoI2c::ReadSeq(0x50, more, 1), 0);  // runs on from the pointer
  EXPECT_EQ(CDVBIoI2c::GetErrNo(), 0);

  int twenty[20];
  ASSERT_EQ(CDVBIoI2c::ReadSeq(0x50, twenty, 20), 0);
  auto sent = Commands(boxcommands::kI2cCombined);
  EXPECT_EQ(sent.back().requestLength, 4u);
  EXPECT_EQ(sent.back().request[1], 0xA0);
  EXPECT_EQ(sent.back().request[2], 0x00);
  EXPECT_EQ(sent.back().request[3], 0x14);
}

TEST_F(BoxTest, CombinedSequenceLimits) {
  int words[58] = {};
  int read[58];
  ASSERT_EQ(CDVBIoI2c::CombinedSeq(0x50, words, 57, read, 57), 0);
  auto sent = Commands(boxcommands::kI2cCombined);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].requestLength, 61u);
  EXPECT_EQ(sent[0].bytes, 60u);

  sim->ClearLog();
  EXPECT_EQ(CDVBIoI2c::CombinedSeq(0x50, words, 58, read, 0), -1);
  EXPECT_EQ(CDVBIoI2c::CombinedSeq(0x50, words, 0, read, 58), -1);
  EXPECT_EQ(sim->LogCount(), 0);
  EXPECT_EQ(CDVBIoI2c::GetErrNo(), 2);
  EXPECT_EQ(CDVBIoI2c::GetErrNo(), 0);
}

TEST_F(BoxTest, EchoThatDiffersFailsAndCountsOnce) {
  int read[2] = {-1, -1};
  struct Case {
    const char* name;
    int address;
    int kind;
    int value;
  } cases[] = {
      {"no device at the address", 0x61, 0, 0},
      {"answer cut to two bytes", 0x50, SimFault::kShortAnswer, 2},
      {"I/O control fails", 0x50, SimFault::kFail, 0},
      // Twice 0xD0 is no bus address byte; cut to one it would be 0xA0,
      // the EEPROM's.
      {"address beyond seven bits", 0xD0, 0, 0},
  };
  for (const Case& c : cases) {
    sim->ClearFaults();
    if (c.kind) Fault(c.kind, driverioctl::kCommandChannel, boxcommands::kI2cCombined, c.value);
    EXPECT_EQ(CDVBIoI2c::ReadSeq(c.address, read, 2), -1) << c.name;
    EXPECT_EQ(CDVBIoI2c::GetErrNo(), 1) << c.name;
  }
  EXPECT_EQ(read[0], -1);  // nothing copied from a failed sequence
}

TEST_F(BoxTest, DiSEqCMessages) {
  BYTE message[7] = {0xE0, 0x10, 0x38, 0xF3, 0x01, 0x02, 0x03};
  EXPECT_EQ(CDVBIoI2c::DiSEqCMsg(message, 6, 0x05, 0), 0);
  SimBoxState s = State();
  EXPECT_EQ(s.diseqcLength, 6);
  EXPECT_EQ(s.diseqcMode, 0x05);
  EXPECT_EQ(memcmp(s.diseqcMessage, message, 6), 0);
  auto sent = Commands(boxcommands::kDiSEqC);
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].requestLength, 11u);  // command byte and a 10-byte block

  sim->ClearLog();
  EXPECT_EQ(CDVBIoI2c::DiSEqCMsg(message, 7, 0, 0), 1);
  EXPECT_EQ(CDVBIoI2c::DiSEqCMsg(nullptr, 3, 0, 0), 1);
  EXPECT_EQ(sim->LogCount(), 0);

  s.diseqcStatus = 0x00000102;
  sim->SetState(s);
  EXPECT_EQ(CDVBIoI2c::DiSEqCMsg(message, 4, 0, 0), 1);
  DWORD status = 0;
  EXPECT_TRUE(CDVBIoI2c::SendDiSEqC(status, 0, message, 4));
  EXPECT_EQ(status, 0x102u);
  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kDiSEqC);
  EXPECT_EQ(CDVBIoI2c::DiSEqCMsg(message, 4, 0, 0), 1);
}

TEST_F(BoxTest, GpioOutputs) {
  EXPECT_TRUE(CDVBIoI2c::SetGPIO(2, 0x101));
  EXPECT_EQ(State().gpio[2], 1);
  EXPECT_FALSE(CDVBIoI2c::SetGPIO(12, 1));  // the box refuses with 0x55
  auto sent = Commands(boxcommands::kSetGpio);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0].requestLength, 3u);
  EXPECT_EQ(sent[0].request[2], 1);
}

TEST_F(BoxTest, FrontEndCommandPassesBytesThrough) {
  BYTE request[3] = {0x7E, 0x01, 0x02};
  BYTE answer[8] = {};
  BYTE length = sizeof(answer);
  EXPECT_TRUE(CDVBIoI2c::SendFECommand(request, 3, answer, length));
  EXPECT_EQ(length, 3);  // the simulated box echoes
  EXPECT_EQ(answer[2], 0x02);
  sim->ClearLog();
  length = sizeof(answer);
  EXPECT_FALSE(CDVBIoI2c::SendFECommand(request, 0, answer, length));
  EXPECT_FALSE(CDVBIoI2c::SendFECommand(request, 3, nullptr, length));
  EXPECT_EQ(sim->LogCount(), 0);
  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kFeCommand);
  EXPECT_FALSE(CDVBIoI2c::SendFECommand(request, 3, answer, length));
  EXPECT_EQ(length, 0);
}
