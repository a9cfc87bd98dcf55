#include "RemoteCode.h"

#include <gtest/gtest.h>

using namespace remotecode;

TEST(RemoteCode, AddressFilterAndDelivery) {
  const BYTE fromFive[7] = {0x20, 5, 0, 0, 0, 0, 0};
  const BYTE fromSix[7] = {0x20, 6, 0, 0, 0, 0, 0};
  struct Case {
    WORD address;
    const BYTE* data;
    DWORD length;
    bool passes;
  } cases[] = {
      {kAnyAddress, fromFive, 7, true}, {kAnyAddress, fromSix, 7, true}, {5, fromFive, 7, true},
      {5, fromSix, 7, false},           {0x105, fromFive, 7, false},     {5, fromFive, 1, false},
      {kAnyAddress, fromFive, 0, true},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PassesAddress(c.address, c.data, c.length), c.passes) << c.address << " " << c.length;

  EXPECT_TRUE(Deliverable(1, 7));
  EXPECT_TRUE(Deliverable(1, 4));
  EXPECT_FALSE(Deliverable(1, 3));
  EXPECT_FALSE(Deliverable(2, 7));
}
