// The tab manager on Windows: items and their palette, selection and
// scrolling into view, keys, hit tests, clicks and tooltips, laid out
// through a real paint manager.
#include "TabHost.h"

#include <gtest/gtest.h>

namespace {

TEST(TabManager, InsertNumbersItemsAndGivesPaletteCodes) {
  CTestTabHost host;
  for (int i = 0; i < 9; ++i) host.Add("Tab");
  CJVKTabManagerItem* pFirst = host.InsertItem(0);
  ASSERT_EQ(10, host.GetItemCount());
  for (int i = 0; i < 10; ++i) EXPECT_EQ(i, host.GetItem(i)->GetIndex());
  EXPECT_EQ(pFirst, host.GetItem(0));
  // The ninth insertion wraps to the first palette colour; the tenth is the second.
  EXPECT_EQ(0x1000000u, host.GetItem(9)->GetStoredColor());
  EXPECT_EQ(RGB(138, 168, 228), host.GetItem(9)->GetColor());
  EXPECT_EQ(RGB(255, 219, 117), pFirst->GetColor());
  pFirst->SetColor(RGB(1, 2, 3));
  EXPECT_EQ(RGB(1, 2, 3), pFirst->GetColor());
  // Out-of-range indices append.
  EXPECT_EQ(host.GetItem(10), host.InsertItem(99));
  EXPECT_EQ(host.GetItem(11), host.InsertItem(-5));
}

TEST(TabManager, DeleteAllClearsSelectionAndHot) {
  CTestTabHost host;
  host.SetSelectedItem(host.Add("One"));
  host.Add("Two");
  host.DeleteAllItems();
  EXPECT_EQ(0, host.GetItemCount());
  EXPECT_EQ(nullptr, host.GetSelectedItem());
  EXPECT_EQ(nullptr, host.GetHotItem());
  EXPECT_FALSE(host.PerformKeyDown(nullptr, VK_HOME));
  EXPECT_EQ(1, host.GetRowCount());
}

TEST(TabManager, CaptionChangesRepositionOnlyWhenDifferent) {
  CTestTabHost host;
  CJVKTabManagerItem* pItem = host.Add("Alpha");
  const int nBefore = host.m_nRepositions;
  pItem->SetCaption("Alpha");
  EXPECT_EQ(nBefore, host.m_nRepositions);
  const int nWidth = pItem->GetWidth();
  pItem->SetCaption("Alpha with a much longer caption");
  EXPECT_EQ(nBefore + 1, host.m_nRepositions);
  EXPECT_GT(pItem->GetWidth(), nWidth);
}

TEST(TabManager, FixedWidthTabsLayOutThroughThePaintManager) {
  CTestTabHost host(CRect(0, 0, 300, 120));
  host.UseFixedWidth(80);
  for (int i = 0; i < 3; ++i) host.Add("Tab");
  // Style 0: header margins 2, 3, 6, 0.
  EXPECT_EQ(CRect(2, 3, 82, 3 + 18), host.GetItem(0)->GetRect());
  EXPECT_EQ(CRect(162, 3, 242, 21), host.GetItem(2)->GetRect());
  EXPECT_EQ(CRect(0, 0, 294, 21), host.GetHeaderRect());
  EXPECT_EQ(CRect(2, 22, 298, 118), host.GetClientRect());
}

TEST(TabManager, SelectingScrollsTheItemIntoView) {
  CTestTabHost host(CRect(0, 0, 200, 60));
  host.UseFixedWidth(80);
  for (int i = 0; i < 5; ++i) host.Add("Tab");
  // 400 pixels of tabs: the scroll buttons show, the header ends before them.
  const CRect rcHeader = host.GetHeaderRect();
  EXPECT_EQ(194 - 28, rcHeader.right);
  host.SetSelectedItem(host.GetItem(4));
  EXPECT_EQ(rcHeader.right, host.GetItem(4)->GetRect().right);
  EXPECT_LT(host.GetScrollOffset(), 0);
  host.SetSelectedItem(host.GetItem(0));
  EXPECT_EQ(0, host.GetScrollOffset());
  EXPECT_EQ(2, host.GetItem(0)->GetRect().left);
  // Scrolling back at offset 0 changes nothing and does not reposition.
  const int nRepositions = host.m_nRepositions;
  host.OnScroll(FALSE);
  EXPECT_EQ(0, host.GetScrollOffset());
  EXPECT_EQ(nRepositions, host.m_nRepositions);
  host.OnScroll(TRUE);
  EXPECT_EQ(-20, host.GetScrollOffset());
}

TEST(TabManager, KeysMoveTheSelection) {
  CTestTabHost host;
  host.UseFixedWidth(50);
  for (int i = 0; i < 4; ++i) host.Add("Tab");
  host.GetItem(2)->SetEnabled(FALSE);
  EXPECT_TRUE(host.PerformKeyDown(nullptr, VK_RIGHT));  // nothing selected: consumed
  EXPECT_EQ(nullptr, host.GetSelectedItem());
  EXPECT_TRUE(host.PerformKeyDown(nullptr, VK_END));
  EXPECT_EQ(host.GetItem(3), host.GetSelectedItem());
  EXPECT_TRUE(host.PerformKeyDown(nullptr, VK_LEFT));
  EXPECT_EQ(host.GetItem(1), host.GetSelectedItem());  // the disabled tab is skipped
  EXPECT_TRUE(host.PerformKeyDown(nullptr, VK_DOWN));   // the other orientation
  EXPECT_EQ(host.GetItem(1), host.GetSelectedItem());
  EXPECT_FALSE(host.PerformKeyDown(nullptr, 'A'));
  host.m_paint.SetPosition(jvkTabPositionLeft);
  EXPECT_TRUE(host.PerformKeyDown(nullptr, VK_DOWN));
  EXPECT_EQ(host.GetItem(3), host.GetSelectedItem());
}

TEST(TabManager, HitTestAndClickWithoutReorder) {
  CTestTabHost host;
  host.UseFixedWidth(60);
  for (int i = 0; i < 3; ++i) host.Add("Tab");
  host.GetItem(1)->SetVisible(FALSE);
  host.Reposition();
  EXPECT_EQ(host.GetItem(0), host.HitTest(CPoint(10, 10)));
  EXPECT_EQ(host.GetItem(2), host.HitTest(CPoint(70, 10)));  // the hidden tab takes no room
  EXPECT_EQ(nullptr, host.HitTest(CPoint(10, 60)));          // below the header
  EXPECT_EQ(nullptr, host.HitTest(CPoint(280, 10)));
  host.SetAllowReorder(FALSE);
  EXPECT_TRUE(host.PerformClick(nullptr, CPoint(70, 10)));
  EXPECT_EQ(host.GetItem(2), host.GetSelectedItem());
  EXPECT_FALSE(host.PerformClick(nullptr, CPoint(10, 10), TRUE));  // no item clicks
  EXPECT_FALSE(host.PerformClick(nullptr, CPoint(280, 10)));
}

TEST(TabManager, TooltipsFollowTheMode) {
  CTestTabHost host(CRect(0, 0, 150, 60));
  host.m_paint.SetLayout(jvkTabLayoutSizeToFit);
  CJVKTabManagerItem* pLong = host.Add("A caption far too long for its strip");
  CJVKTabManagerItem* pShort = host.Add("B");
  pLong->SetTooltip("long tip");
  pShort->SetTooltip("short tip");
  host.Reposition();
  ASSERT_TRUE(pLong->IsTruncated());
  const CPoint ptLong = pLong->GetRect().CenterPoint(), ptShort = pShort->GetRect().CenterPoint();
  const struct {
    int nMode;
    INT_PTR nLong, nShort;
  } rows[] = {{0, -1, -1}, {1, 0, 1}, {2, 0, -1}};
  for (const auto& row : rows) {
    host.m_paint.m_nToolTipMode = row.nMode;
    EXPECT_EQ(row.nLong, host.OnToolHitTest(nullptr, ptLong, nullptr)) << row.nMode;
    EXPECT_EQ(row.nShort, host.OnToolHitTest(nullptr, ptShort, nullptr)) << row.nMode;
  }
  pLong->SetTooltip("");
  EXPECT_EQ(-1, host.OnToolHitTest(nullptr, ptLong, nullptr));
}

TEST(TabManager, CloseButtonFollowsTheSelectedItem) {
  CTestTabHost host;
  host.UseFixedWidth(60);
  host.FindNavigateButton(jvkTabNavigateClose)->SetShowMode(jvkTabNavigateAuto);
  CJVKTabManagerItem* pOne = host.Add("One");
  CJVKTabManagerItem* pTwo = host.Add("Two");
  pTwo->SetClosable(FALSE);
  host.Reposition();
  EXPECT_FALSE(host.FindNavigateButton(jvkTabNavigateClose)->IsVisible());  // nothing selected
  host.SetSelectedItem(pOne);
  EXPECT_EQ(CRect(280, 4, 294, 19), host.FindNavigateButton(jvkTabNavigateClose)->GetRect());
  host.SetSelectedItem(pTwo);
  EXPECT_FALSE(host.FindNavigateButton(jvkTabNavigateClose)->IsVisible());
}

}  // namespace
