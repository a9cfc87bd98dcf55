// The outside-click hook is installed once and removed with NULL.
#include "OutsideClickHook.h"

#include <gtest/gtest.h>

namespace {

TEST(OutsideClickHook, RemembersOneWindowUntilCleared) {
  CWnd list, other;
  ASSERT_TRUE(list.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  ASSERT_TRUE(other.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  EXPECT_FALSE(IsOutsideClickHookActive());
  SetOutsideClickHook(&list);
  EXPECT_TRUE(IsOutsideClickHookActive());
  SetOutsideClickHook(&other);
  EXPECT_TRUE(IsOutsideClickHookActive());
  SetOutsideClickHook(nullptr);
  EXPECT_FALSE(IsOutsideClickHookActive());
  list.DestroyWindow();
  other.DestroyWindow();
}

}  // namespace
