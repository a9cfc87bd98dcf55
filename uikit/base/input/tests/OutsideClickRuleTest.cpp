#include "OutsideClickRule.h"

#include <gtest/gtest.h>

#include <ios>

namespace {

struct ClickCase {
  UINT message;
  LONG x, y;
  BOOL swallowed;
};

TEST(TextGeometry, OutsideClickRuleSwallowsPressesOutsideTheWindow) {
  const ClickCase cases[] = {
      {kJvkLButtonDown, 5, 5, FALSE},     {kJvkLButtonDown, 20, 5, TRUE},         {kJvkLButtonUp, 10, 5, TRUE},
      {kJvkRButtonDown, -1, 5, TRUE},     {kJvkMButtonDown, 5, 10, TRUE},         {kJvkNcLButtonDown, 5, 9, FALSE},
      {kJvkNcLButtonUp, 50, 50, TRUE},    {kJvkNcRButtonDown, 50, 50, TRUE},      {kJvkNcMButtonDown, 50, 50, TRUE},
      {0x0200 /* move */, 50, 50, FALSE}, {0x0205 /* right up */, 50, 50, FALSE},
  };
  for (const ClickCase& c : cases)
    EXPECT_EQ(IsOutsideClick(c.message, c.x, c.y, 0, 0, 10, 10), c.swallowed) << std::hex << c.message;
}

}  // namespace
