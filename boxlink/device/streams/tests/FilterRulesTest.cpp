#include "FilterRules.h"

#include <gtest/gtest.h>

using namespace filterrules;

TEST(FilterRules, ArgumentsTheBoxIsNeverAskedWith) {
  BYTE d[16] = {}, m[16] = {};
  struct Case {
    int type;
    WORD pid;
    bool data, mask;
    BYTE length;
    int result;
  } cases[] = {
      {0, 0x10, true, true, 1, 3},     {2, 0x1FFF, true, true, 16, 0}, {2, 0x2000, true, true, 1, 3},
      {2, 0x10, true, true, 17, 3},    {2, 0x10, false, true, 1, 3},   {2, 0x10, true, false, 1, 3},
      {2, 0x10, false, false, 0, 0},   {3, 0x10, false, false, 2, 3},  {7, 0x10, true, true, 4, 0},
      {1, 0x10, false, false, 188, 3}, {1, 0x10, false, false, 16, 0},  // pipes need no data or mask
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckArguments(c.type, c.pid, c.data ? d : nullptr, c.mask ? m : nullptr, c.length), c.result)
        << c.type << " " << c.pid << " " << int(c.length);
  EXPECT_EQ(SectionMode(3), kModeNetwork);
  EXPECT_EQ(SectionMode(2), kModeSection);
  EXPECT_EQ(SectionMode(9), kModeSection);
}

TEST(FilterRules, SlotsOfBoxFilterNumbers) {
  struct Case {
    WORD number;
    BYTE slot;
    bool usable;
  } cases[] = {
      {0, 1, true},      {31, 32, true},  {62, 63, true},    {63, 64, false},
      {254, 255, false}, {255, 0, false}, {0x1FF, 0, false}, {0xFFFE, 0xFF, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SlotOf(c.number), c.slot) << c.number;
    EXPECT_EQ(SlotUsable(SlotOf(c.number)), c.usable) << c.number;
  }
}

TEST(FilterRules, WhereAPacketGoes) {
  struct Case {
    BYTE slot;
    DWORD length;
    BYTE filterId;
    int type;
    bool network;
    Route route;
  } cases[] = {
      {4, 10, 4, 2, false, kHandler},      {4, 10, 4, 1, false, kHandler},     {4, 10, 4, 2, true, kNetworkSection},
      {4, 10, 4, 3, false, kNetworkBlock}, {4, 10, 4, 3, true, kNetworkBlock}, {4, 0, 4, 2, false, kDrop},
      {5, 10, 4, 2, false, kDrop},         {0, 10, 0, 2, false, kDrop},  // a packet of an old filter
  };
  for (const Case& c : cases)
    EXPECT_EQ(RouteOf(c.slot, c.length, c.filterId, c.type, c.network), c.route)
        << int(c.slot) << " " << c.length << " " << int(c.filterId) << " " << c.type;
}
