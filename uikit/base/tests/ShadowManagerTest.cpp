// The shadow manager's start-up and exit.
#include "Refusal.h"
#include "ShadowManager.h"

#include <gtest/gtest.h>

namespace {

int g_nDeleted = 0;

class CCountedShadow : public CWnd {
 public:
  ~CCountedShadow() override { ++g_nDeleted; }
};

TEST(ShadowManager, LayeredWindowsWhereUser32HasThem) {
  {
    CJVKShadowManager manager;
    EXPECT_TRUE(manager.IsLayeredAvailable());
  }
  CRefusal refusal({"user32!UpdateLayeredWindow"});
  CJVKShadowManager manager;
  EXPECT_FALSE(manager.IsLayeredAvailable());
}

TEST(ShadowManager, ExitDeletesTheShadowWindowsStillListed) {
  g_nDeleted = 0;
  HWND hWnd = nullptr;
  {
    CJVKShadowManager manager;
    CCountedShadow* shadow = new CCountedShadow;
    ASSERT_TRUE(shadow->CreateEx(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP, CRect(0, 0, 10, 4), nullptr, 0));
    hWnd = shadow->GetSafeHwnd();
    manager.m_lstShadows.AddTail(shadow);
    manager.m_lstShadows.AddTail(new CCountedShadow);
    manager.m_mapShadows.SetAt(shadow, shadow);
  }
  EXPECT_EQ(g_nDeleted, 2);
  EXPECT_FALSE(::IsWindow(hWnd)) << "the window went with its object";
}

}  // namespace
