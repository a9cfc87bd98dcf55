// The MAC address block in the box's EEPROM, through the I2C bridge.
#include "BoxFixture.h"

#include "BoxCommands.h"
#include "MacBlock.h"

#include <cstring>

namespace {

const int kBlockStart = macblock::kEepromOffset;
const int kBlockEnd = macblock::kEepromOffset + macblock::kScrambledSize;

}  // namespace

TEST_F(BoxTest, ReadsTheFactoryMac) {
  DWORD first = 0, second = 0;
  ASSERT_TRUE(CDVBIoI2c::ReadMAC(first, second));
  EXPECT_EQ(first, CSimBox::kMacFirst);
  EXPECT_EQ(second, CSimBox::kMacSecond);
  auto sent = Commands(boxcommands::kI2cCombined);
  ASSERT_EQ(sent.size(), 1u);
  const BYTE request[5] = {boxcommands::kI2cCombined, 0xA0, 1, 20, 0xCC};
  EXPECT_EQ(memcmp(sent[0].request, request, 5), 0);
}

TEST_F(BoxTest, ReadsAKnownAnswerBlock) {
  // 02A7E3 / 123456 scrambled without filler bits (every shift 0): each
  // word is the plain byte XOR the key word. Computed apart from the library.
  const BYTE block[macblock::kScrambledSize] = {0xCB, 0x3A, 0x4E, 0x18, 0x42, 0x2B, 0x93, 0x0C, 0x87, 0x35,
                                                0x5E, 0x1F, 0x35, 0x0E, 0xB8, 0x24, 0x0A, 0x3C, 0xDE, 0x11};
  sim->WriteEeprom(kBlockStart, block, sizeof(block));
  DWORD first = 0, second = 0;
  ASSERT_TRUE(CDVBIoI2c::ReadMAC(first, second));
  EXPECT_EQ(first, 0x0002A7E3u);
  EXPECT_EQ(second, 0x00123456u);
}

TEST_F(BoxTest, WriteMacThenReadMacRoundTrip) {
  sim->SetEepromBusyTime(30);  // inside the 50 ms the library leaves per byte
  BYTE before[256];
  sim->ReadEeprom(before);
  ASSERT_TRUE(CDVBIoI2c::WriteMac(0x00C0FFEE, 0x00123456));
  DWORD first = 0, second = 0;
  ASSERT_TRUE(CDVBIoI2c::ReadMAC(first, second));
  EXPECT_EQ(first, 0x00C0FFEEu);
  EXPECT_EQ(second, 0x00123456u);

  // One byte per transaction, offsets 0xCC to 0xDF, nothing else touched.
  auto writes = Commands(boxcommands::kI2cCombined);
  ASSERT_EQ(writes.size(), 21u);  // 20 writes, then the read
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(writes[size_t(i)].requestLength, 6u) << i;
    EXPECT_EQ(writes[size_t(i)].request[2], 2) << i;
    EXPECT_EQ(writes[size_t(i)].request[3], 0) << i;
    EXPECT_EQ(writes[size_t(i)].request[4], 0xCC + i) << i;
  }
  BYTE after[256];
  sim->ReadEeprom(after);
  EXPECT_EQ(memcmp(before, after, kBlockStart), 0);
  EXPECT_EQ(memcmp(before + kBlockEnd, after + kBlockEnd, 256 - kBlockEnd), 0);
}

TEST_F(BoxTest, ScramblingTheSameMacTwiceGivesDifferentBlocks) {
  BYTE first[256], second[256];
  ASSERT_TRUE(CDVBIoI2c::WriteMac(0x0002A7E3, 0x00000007));
  sim->ReadEeprom(first);
  ASSERT_TRUE(CDVBIoI2c::WriteMac(0x0002A7E3, 0x00000007));
  sim->ReadEeprom(second);
  EXPECT_NE(memcmp(first + kBlockStart, second + kBlockStart, macblock::kScrambledSize), 0);
  DWORD a = 0, b = 0;
  ASSERT_TRUE(CDVBIoI2c::ReadMAC(a, b));
  EXPECT_EQ(a, 0x0002A7E3u);
  EXPECT_EQ(b, 7u);
}

TEST_F(BoxTest, CorruptBlockReadsAsNoMacWithoutRetrying) {
  BYTE eeprom[256];
  sim->ReadEeprom(eeprom);
  BYTE word = BYTE(eeprom[kBlockStart + 6] ^ 0x10);  // bit 4 of word 3
  sim->WriteEeprom(kBlockStart + 6, &word, 1);
  DWORD first = 1, second = 1;
  EXPECT_FALSE(CDVBIoI2c::ReadMAC(first, second));
  EXPECT_EQ(first, 0u);
  EXPECT_EQ(second, 0u);
  EXPECT_EQ(Commands(boxcommands::kI2cCombined).size(), 1u);
}

TEST_F(BoxTest, ErasedEepromReadsAsNoMac) {
  BYTE erased[macblock::kScrambledSize];
  memset(erased, 0xFF, sizeof(erased));
  sim->WriteEeprom(kBlockStart, erased, sizeof(erased));
  DWORD first = 1, second = 1;
  EXPECT_FALSE(CDVBIoI2c::ReadMAC(first, second));
  EXPECT_EQ(first, 0u);
}

TEST_F(BoxTest, ReadMacRetriesAFailedTransferUpToThreeTimes) {
  sim->NakI2cTransfer(0x50, 1);
  DWORD first = 0, second = 0;
  EXPECT_TRUE(CDVBIoI2c::ReadMAC(first, second));
  EXPECT_EQ(first, CSimBox::kMacFirst);
  EXPECT_EQ(Commands(boxcommands::kI2cCombined).size(), 2u);

  sim->ClearLog();
  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kI2cCombined);
  first = second = 9;
  EXPECT_FALSE(CDVBIoI2c::ReadMAC(first, second));
  EXPECT_EQ(first, 0u);
  EXPECT_EQ(second, 0u);
  EXPECT_EQ(Commands(boxcommands::kI2cCombined).size(), 3u);
  EXPECT_EQ(CDVBIoI2c::GetErrNo(), 0);  // ReadMAC consumed the failure counts
}

TEST_F(BoxTest, WriteMacRetriesEachByteAndGivesUpAfterThree) {
  sim->NakI2cTransfer(0x50, 5);  // the fifth byte's first attempt
  ASSERT_TRUE(CDVBIoI2c::WriteMac(0x00AABBCC, 0x00DDEEFF));
  EXPECT_EQ(Commands(boxcommands::kI2cCombined).size(), 21u);
  DWORD first = 0, second = 0;
  ASSERT_TRUE(CDVBIoI2c::ReadMAC(first, second));
  EXPECT_EQ(second, 0x00DDEEFFu);

  sim->ClearLog();
  Fault(SimFault::kFail, driverioctl::kCommandChannel, boxcommands::kI2cCombined, 0, -1);
  EXPECT_FALSE(CDVBIoI2c::WriteMac(1, 2));
  EXPECT_EQ(Commands(boxcommands::kI2cCombined).size(), 3u);
}
