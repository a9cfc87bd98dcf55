// Helpers of the tab tests: rectangles compared and printed as a whole.
#pragma once

#include "TabLayout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

inline bool operator==(const JVKTabRect& a, const JVKTabRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

inline std::ostream& operator<<(std::ostream& os, const JVKTabRect& rc) {
  return os << "(" << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom << ")";
}

inline JVKTabStrip MakeStrip(const std::vector<int>& lengths) {
  JVKTabStrip strip;
  for (int n : lengths) {
    JVKTabLayoutItem item;
    item.nLength = n;
    strip.items.push_back(item);
  }
  strip.buttons[jvkTabNavigateClose].nMode = jvkTabNavigateNever;
  return strip;
}
