#include "SimBox.h"

#include "BoxCommands.h"
#include "BulkFrame.h"
#include "MacBlock.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

SimAnswer Send(CSimBox& box, std::vector<BYTE> request) { return box.Command(request.data(), int(request.size())); }

}  // namespace

TEST(SimBox, I2cToAnAbsentAddressIsNaked) {
  CSimBox box;
  SimAnswer a = Send(box, {boxcommands::kI2cCombined, 0x20, 0, 2});  // device 0x10
  ASSERT_TRUE(a.ok);
  ASSERT_EQ(a.bytes.size(), 5u);
  EXPECT_EQ(a.bytes[0], 0x21);  // address byte with bit 0: not acknowledged
  EXPECT_EQ(a.bytes[1], 0);
  EXPECT_EQ(a.bytes[2], 0);
}

TEST(SimBox, EepromPointerAndSequentialReads) {
  CSimBox box;
  SimAnswer w = Send(box, {boxcommands::kI2cCombined, 0xA0, 4, 0, 0x10, 0x11, 0x22, 0x33});
  ASSERT_TRUE(w.ok);
  EXPECT_EQ(w.bytes, (std::vector<BYTE>{0xA0, 4, 0}));
  SimAnswer r = Send(box, {boxcommands::kI2cCombined, 0xA0, 1, 2, 0x10});
  EXPECT_EQ(r.bytes, (std::vector<BYTE>{0xA0, 1, 2, 0x11, 0x22}));
  SimAnswer next = Send(box, {boxcommands::kI2cCombined, 0xA0, 0, 1});  // runs on from the pointer
  EXPECT_EQ(next.bytes, (std::vector<BYTE>{0xA0, 0, 1, 0x33}));
}

TEST(SimBox, BusyEepromDoesNotAcknowledge) {
  CSimBox box;
  box.Eeprom().SetBusyTime(300);
  Send(box, {boxcommands::kI2cCombined, 0xA0, 2, 0, 0x00, 0x42});
  SimAnswer busy = Send(box, {boxcommands::kI2cCombined, 0xA0, 1, 1, 0x00});
  EXPECT_EQ(busy.bytes[0], 0xA1);
  std::this_thread::sleep_for(std::chrono::milliseconds(350));
  SimAnswer ready = Send(box, {boxcommands::kI2cCombined, 0xA0, 1, 1, 0x00});
  EXPECT_EQ(ready.bytes, (std::vector<BYTE>{0xA0, 1, 1, 0x42}));
}

TEST(SimBox, NakOnTheNthTransfer) {
  CSimBox box;
  box.Bus().NakTransfer(0x50, 2);
  EXPECT_EQ(Send(box, {boxcommands::kI2cCombined, 0xA0, 0, 1}).bytes[0], 0xA0);
  EXPECT_EQ(Send(box, {boxcommands::kI2cCombined, 0xA0, 0, 1}).bytes[0], 0xA1);
  EXPECT_EQ(Send(box, {boxcommands::kI2cCombined, 0xA0, 0, 1}).bytes[0], 0xA0);
  EXPECT_EQ(box.Bus().Transfers(0x50), 3);
}

TEST(SimBox, FactoryMacBlockUnscrambles) {
  CSimBox box;
  DWORD first = 0, second = 0;
  ASSERT_EQ(macblock::Unscramble(box.Eeprom().Contents() + macblock::kEepromOffset, &first, &second), 0);
  EXPECT_EQ(first, CSimBox::kMacFirst);
  EXPECT_EQ(second, CSimBox::kMacSecond);
}

TEST(SimBox, RequestsThatDoNotFitTheirLayoutAreRefused) {
  struct Case {
    const char* name;
    std::vector<BYTE> request;
  } cases[] = {
      {"mode query with a parameter", {boxcommands::kGetStbMode, 0}},
      {"PIDs one byte short", {boxcommands::kSetPids, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0}},
      {"I2C write count beyond the bytes sent", {boxcommands::kI2cCombined, 0xA0, 3, 0, 1}},
      {"DiSEqC of seven bytes", {boxcommands::kDiSEqC, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7}},
      {"cable channel with nine words", {boxcommands::kSetChannel, 2, 0, 0, 0, 0, 0, 0, 0}},
      {"unknown command", {0xEE}},
  };
  for (const Case& c : cases) {
    CSimBox box;
    EXPECT_FALSE(Send(box, c.request).ok) << c.name;
  }
}

TEST(SimBox, EachCommandAnswersWithItsLayoutsLength) {
  using namespace boxcommands;
  struct Case {
    const char* name;
    std::vector<BYTE> request;
    size_t answer;
  } cases[] = {
      {"GPIO", {kSetGpio, 1, 1}, 2},
      {"mode", {kGetStbMode}, 12},
      {"versions", {kGetStbVersions}, 16},
      {"I2C read of two bytes", {kI2cCombined, 0xA0, 0, 2}, 5},
      {"I2C bit rate", {kSetI2cBitRate, 1}, 0},
      {"PIDs", {kSetPids, 0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6}, 4},
      {"volume", {kSetVolume, 1, 2}, 1},
      {"video standard", {kVideoStandard, 0, 1}, 0},
      {"video status, first half", {kVideoStatus1}, 46},
      {"video status, second half", {kVideoStatus2}, 46},
      {"audio status", {kAudioStatus}, 6},
      {"pipe filter", {kAddPipeFilter, 0, 0x20, 0, 188}, 2},
      {"filter deleted", {kDelFilter, 0, 0}, 2},
      {"front-end type", {kGetFeType}, 4},
      {"cable channel", {kSetChannel, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5}, 4},
      {"DiSEqC", {kDiSEqC, 0, 0, 0, 0, 0xE0}, 4},
      {"front-end machine state", {kFeQuery, 0, 0, 0, 0, 0, 0, 0, 0}, 4},
      {"front-end lock state", {kFeQuery, 0, 0, 0, 1, 0, 0, 0, 0}, 12},
      {"front-end signal", {kFeQuery, 0, 0, 0, 1, 0, 0, 0, 1}, 48},
      {"front-end capabilities", {kFeCaps}, 36},
      {"antenna power set", {kSetAntennaPower, 0, 0, 0, 1}, 4},
      {"antenna power read", {kGetAntennaPower}, 8},
      {"record", {kRecord, 1}, 0},
      {"teletext on", {kVtEnable, 0, 0x20}, 2},
      {"teletext search table", {kVtModifySearchTable, 0, 1, 0, 2, 0, 3, 0, 4}, 0},
      {"interrupt-in state", {kSetIntInState, 0, 1}, 0},
      {"flash data", {kUpdateData}, 1},
  };
  for (const Case& c : cases) {
    CSimBox box;
    SimAnswer a = Send(box, c.request);
    EXPECT_TRUE(a.ok) << c.name;
    EXPECT_EQ(a.bytes.size(), c.answer) << c.name;
  }
}

TEST(SimBox, FiltersAreNumberedAndDeleted) {
  CSimBox box;
  box.State().filterLimit = 2;
  std::vector<BYTE> section(1 + 29, 0);
  section[0] = boxcommands::kAddSectionFilter;
  section[2] = 0x12;
  section[5] = 3;
  EXPECT_EQ(Send(box, section).bytes, (std::vector<BYTE>{0, 0}));
  EXPECT_EQ(Send(box, {boxcommands::kAddPipeFilter, 0x1F, 0xFF, 0, 188}).bytes, (std::vector<BYTE>{0, 1}));
  EXPECT_EQ(Send(box, {boxcommands::kAddPipeFilter, 0, 0x20, 0, 188}).bytes,
            (std::vector<BYTE>{0xFF, 0xFF}));  // the box is full
  EXPECT_EQ(Send(box, {boxcommands::kDelFilter, 0, 0}).bytes, (std::vector<BYTE>{0, 0}));
  EXPECT_EQ(Send(box, {boxcommands::kDelFilter, 0, 0}).bytes, (std::vector<BYTE>{0xFF, 0xFF}));
  EXPECT_EQ(Send(box, {boxcommands::kAddPipeFilter, 0x20, 0x00, 0, 188}).bytes,
            (std::vector<BYTE>{0xFF, 0xFF}));  // PID 0x2000
}

TEST(SimBox, ResetFramesAndTheirSequence) {
  CSimBox box;
  box.State().mode[0] = 1;
  BYTE frame[bulkframe::kMaxFrame];
  BYTE zero = 0, two = 2;
  int n = bulkframe::Encode(frame, 0x88, bulkframe::kReset, &two, 1);
  box.BulkCommandOut(frame, n);
  n = bulkframe::Encode(frame, 0x89, bulkframe::kReset, &zero, 1);
  box.BulkCommandOut(frame, 2);  // split across two writes
  box.BulkCommandOut(frame + 2, n - 2);
  EXPECT_EQ(box.State().resets, 2);
  EXPECT_EQ(box.State().lastResetMode, 0);
  EXPECT_EQ(box.State().mode[0], 0u);
  EXPECT_EQ(box.State().frameErrors, 0);
  n = bulkframe::Encode(frame, 0x89, bulkframe::kReset, &zero, 1);  // repeated number
  box.BulkCommandOut(frame, n);
  EXPECT_EQ(box.State().frameErrors, 1);
}

TEST(SimBox, GpioOutputsBeyondTheBoardAreRefused) {
  CSimBox box;
  EXPECT_EQ(Send(box, {boxcommands::kSetGpio, 3, 1}).bytes, (std::vector<BYTE>{3, 0}));
  EXPECT_EQ(box.State().gpio[3], 1);
  EXPECT_EQ(Send(box, {boxcommands::kSetGpio, 9, 1}).bytes, (std::vector<BYTE>{9, 0x55}));
}
