// Popup shadow windows beside plain popup windows standing in for bars:
// layered where USER32 has UpdateLayeredWindow and solid where the
// resolver refuses it; strips that follow their popup, join the strips of
// the popup they cascade from, and never lie on a popup.
#include "Refusal.h"
#include "ShadowWnd.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

class CTestPopup {
 public:
  explicit CTestPopup(const RECT& rc)
      : m_hWnd(::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, rc.left, rc.top,
                                 rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr, nullptr, nullptr)) {}
  ~CTestPopup() {
    if (::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
  }
  HWND m_hWnd;
};

std::vector<CJVKShadowWnd*> Strips(CJVKShadowManager& manager, HWND hBar) {
  std::vector<CJVKShadowWnd*> strips;
  for (POSITION pos = manager.m_lstShadows.GetHeadPosition(); pos;) {
    auto* pStrip = static_cast<CJVKShadowWnd*>(manager.m_lstShadows.GetNext(pos));
    if (pStrip->GetBar() == hBar) strips.push_back(pStrip);
  }
  return strips;
}

CRect WindowRect(CWnd* pWnd) {
  CRect rc;
  pWnd->GetWindowRect(&rc);
  return rc;
}

const RECT kNoExclusion = {0, 0, 0, 0};

class ShadowWnd : public ::testing::TestWithParam<bool> {};

TEST_P(ShadowWnd, StripsFollowTheirPopup) {
  const BOOL bLayered = GetParam();
  std::unique_ptr<CRefusal> refusal;
  if (!bLayered) refusal = std::make_unique<CRefusal>(std::set<std::string>{"user32!UpdateLayeredWindow"});
  CJVKShadowManager manager;
  ASSERT_EQ(bLayered, manager.IsLayeredAvailable());
  CTestPopup popup({100, 100, 300, 300});
  ASSERT_TRUE(popup.m_hWnd);

  JVKCreatePopupShadows(&manager, popup.m_hWnd, kNoExclusion, FALSE, RGB(0, 0, 0));
  const std::vector<CJVKShadowWnd*> strips = Strips(manager, popup.m_hWnd);
  ASSERT_EQ(2u, strips.size());
  const int d = bLayered ? 4 : 2;
  EXPECT_TRUE(strips[0]->IsHorizontal());
  EXPECT_EQ(CRect(100 + d, 300, 300 + d, 300 + d), WindowRect(strips[0]));
  EXPECT_FALSE(strips[1]->IsHorizontal());
  EXPECT_EQ(CRect(300, 100 + d, 300 + d, 300), WindowRect(strips[1]));
  for (CJVKShadowWnd* pStrip : strips) {
    EXPECT_EQ(bLayered, (pStrip->GetExStyle() & WS_EX_LAYERED) != 0);
    EXPECT_TRUE(pStrip->IsWindowVisible());
  }

  ::ShowWindow(popup.m_hWnd, SW_HIDE);
  for (CJVKShadowWnd* pStrip : strips) EXPECT_FALSE(pStrip->IsWindowVisible());
  ::ShowWindow(popup.m_hWnd, SW_SHOWNOACTIVATE);
  for (CJVKShadowWnd* pStrip : strips) EXPECT_TRUE(pStrip->IsWindowVisible());

  ::DestroyWindow(popup.m_hWnd);
  EXPECT_TRUE(manager.m_lstShadows.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(LayeredOrRefused, ShadowWnd, ::testing::Bool());

TEST(ShadowWndCascade, StripsJoinAndSparePopups) {
  CJVKShadowManager manager;
  ASSERT_TRUE(manager.IsLayeredAvailable());
  CTestPopup parent({100, 100, 300, 300});
  // A cascade whose bottom strip starts in the last column of the parent's
  // right strip.
  CTestPopup child({299, 120, 499, 250});
  JVKCreatePopupShadows(&manager, parent.m_hWnd, kNoExclusion, FALSE, RGB(0, 0, 0));
  JVKCreatePopupShadows(&manager, child.m_hWnd, kNoExclusion, FALSE, RGB(0, 0, 0));
  const std::vector<CJVKShadowWnd*> strips = Strips(manager, child.m_hWnd);
  ASSERT_EQ(2u, strips.size());
  CJVKShadowWnd* pBottom = strips[0];
  EXPECT_EQ(CRect(294, 250, 503, 254), WindowRect(pBottom));

  // The joined part that lies on the parent is cut away; beside it stays.
  HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, ::GetWindowRgn(pBottom->m_hWnd, hRegion));
  EXPECT_FALSE(::PtInRegion(hRegion, 296 - 294, 1));
  EXPECT_TRUE(::PtInRegion(hRegion, 301 - 294, 1));
  ::DeleteObject(hRegion);

  JVKRemoveShadows(&manager, parent.m_hWnd);
  EXPECT_TRUE(Strips(manager, parent.m_hWnd).empty());
  EXPECT_EQ(2u, Strips(manager, child.m_hWnd).size());
}

TEST(ShadowWndCascade, ThemedStripsSpareTheOpeningControl) {
  CJVKShadowManager manager;
  CTestPopup popup({100, 100, 300, 300});
  // A control whose rectangle reaches under the popup's bottom strip.
  const RECT rcControl = {150, 290, 200, 320};
  JVKCreatePopupShadows(&manager, popup.m_hWnd, rcControl, TRUE, RGB(0, 0, 0));
  const std::vector<CJVKShadowWnd*> strips = Strips(manager, popup.m_hWnd);
  ASSERT_EQ(2u, strips.size());
  HRGN hRegion = ::CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(ERROR, ::GetWindowRgn(strips[0]->m_hWnd, hRegion));
  EXPECT_FALSE(::PtInRegion(hRegion, 160 - 104, 1));
  EXPECT_TRUE(::PtInRegion(hRegion, 210 - 104, 1));
  ::DeleteObject(hRegion);
}

}  // namespace
