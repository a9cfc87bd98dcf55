// Mouse selection of the multi-selection tree, driven by injected input.
#include <gtest/gtest.h>

#include "TreeTestWindow.h"

namespace {

class TreeMouse : public TreeFixture {
 protected:
  TreeMouse() : TreeFixture(kSampleTreeStyle) {}
  void SetUp() override {
    TreeFixture::SetUp();
    m_tree.SetMultiSelect(TRUE);
  }
  // Selects items 1 to 3, then presses on item 2 and moves by the offset.
  void DragFromAGroup(CSize offset) {
    ClickItem(1);
    ClickItem(2, VK_CONTROL);
    ClickItem(3, VK_CONTROL);
    m_window.m_notices.clear();
    const CPoint pt = m_window.LabelPoint(Item(2));
    m_input.Drag(pt, pt + offset);
    m_input.Settle();
  }
};

TEST_F(TreeMouse, CtrlClicksAddItemsAndToggleThemOff) {
  ClickItem(1);
  ClickItem(4, VK_CONTROL);
  ClickItem(6, VK_CONTROL);
  EXPECT_EQ(m_window.Selected(), Items({1, 4, 6})) << "in display order";
  EXPECT_EQ(m_tree.GetSelectedCount(), 3);
  EXPECT_EQ(m_tree.GetItemState(Item(6), TVIS_FOCUSED), static_cast<UINT>(TVIS_FOCUSED)) << "the last click is the caret";
  ClickItem(4, VK_CONTROL);
  EXPECT_EQ(m_window.Selected(), Items({1, 6}));
  EXPECT_EQ(m_tree.GetSelectedItem(), Item(4)) << "a toggled-off item still takes the caret";
  EXPECT_GE(m_window.CountNotices(NM_CLICK), 4);
}

TEST_F(TreeMouse, ShiftClickSelectsTheRangeAndCtrlKeepsTheOthers) {
  ClickItem(6);
  ClickItem(1, VK_CONTROL);
  {
    // From item 2 to item 5: with Shift alone the others go.
    ClickItem(2);
    CHeldKey shift(m_input, VK_SHIFT);
    m_input.Click(m_window.LabelPoint(Item(5)));
    m_input.Settle();
  }
  m_input.Settle();
  EXPECT_EQ(m_window.Selected(), Items({2, 3, 4, 5}));
  EXPECT_EQ(m_tree.GetSelectedItem(), Item(5));

  ClickItem(7, VK_CONTROL);
  {
    CHeldKey ctrl(m_input, VK_CONTROL);
    CHeldKey shift(m_input, VK_SHIFT);
    m_input.Click(m_window.LabelPoint(Item(0)));
    m_input.Settle();
  }
  m_input.Settle();
  EXPECT_EQ(m_window.Selected(), Items({0, 1, 2, 3, 4, 5, 6, 7})) << "from the kept anchor 2 up to 0, others stay";
}

TEST_F(TreeMouse, AMoveWithinTheDragDistanceIsAClick) {
  DragFromAGroup(CSize(::GetSystemMetrics(SM_CXDRAG), ::GetSystemMetrics(SM_CYDRAG)));
  EXPECT_EQ(m_window.CountNotices(TVN_BEGINDRAG), 0);
  EXPECT_EQ(m_window.CountNotices(NM_CLICK), 1);
  EXPECT_EQ(m_window.Selected(), Items({2})) << "a plain click on one of a group keeps only that item";
}

TEST_F(TreeMouse, AMoveBeyondTheDragDistanceDragsTheWholeGroup) {
  DragFromAGroup(CSize(0, ::GetSystemMetrics(SM_CYDRAG) + 1));
  ASSERT_EQ(m_window.CountNotices(TVN_BEGINDRAG), 1);
  EXPECT_EQ(m_window.CountNotices(NM_CLICK), 0);
  for (const TreeNotice& notice : m_window.m_notices) {
    if (notice.code == TVN_BEGINDRAG) EXPECT_EQ(notice.hItem, Item(2));
  }
  EXPECT_EQ(m_window.Selected(), Items({1, 2, 3}));
  EXPECT_EQ(m_tree.GetSelectedItem(), Item(2));
}

TEST_F(TreeMouse, NoDragNoticeInATreeThatDisablesDragging) {
  m_tree.ModifyStyle(0, TVS_DISABLEDRAGDROP);
  const CPoint pt = m_window.LabelPoint(Item(4));
  m_input.Drag(pt, pt + CPoint(0, 30));
  m_input.Settle();
  EXPECT_EQ(m_window.CountNotices(TVN_BEGINDRAG), 0);
  EXPECT_EQ(m_window.Selected(), Items({4})) << "the pressed item is still selected";
}

// The band starts right of the labels (empty space) and is dragged up.
TEST_F(TreeMouse, RubberBandWithCtrlAddsToTheSelection) {
  ClickItem(0);
  const CPoint from(300, m_window.LabelPoint(Item(5)).y);
  const CPoint to(m_window.LabelPoint(Item(4)).x, m_window.LabelPoint(Item(4)).y - 2);
  {
    CHeldKey ctrl(m_input, VK_CONTROL);
    // The band's loop runs inside the press: all input goes in first.
    m_input.Drag(from, to);
    m_input.Settle();
  }
  m_input.Settle();
  EXPECT_EQ(m_window.Selected(), Items({0, 4, 5}));
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_FALSE(::KillTimer(m_tree.m_hWnd, 1)) << "the auto-scroll timer is gone";
}

TEST_F(TreeMouse, RubberBandWithCtrlDeselectsRememberedItemsInside) {
  ClickItem(4);
  ClickItem(6, VK_CONTROL);
  CHeldKey ctrl(m_input, VK_CONTROL);
  const CPoint from(300, m_window.LabelPoint(Item(6)).y);
  m_input.Drag(from, CPoint(10, m_window.LabelPoint(Item(5)).y));
  m_input.Settle();
  EXPECT_EQ(m_window.Selected(), Items({4, 5}));
}

TEST_F(TreeMouse, PlainRubberBandReplacesTheSelectionAndAClickInEmptySpaceClearsIt) {
  ClickItem(0);
  const CPoint from(300, m_window.LabelPoint(Item(1)).y);
  m_input.Drag(from, CPoint(10, m_window.LabelPoint(Item(2)).y));
  m_input.Settle();
  EXPECT_EQ(m_window.Selected(), Items({1, 2}));
  m_input.Click(CPoint(300, m_window.LabelPoint(Item(3)).y));
  m_input.Settle();
  EXPECT_TRUE(m_window.Selected().empty()) << "a band that never started clears the selection";
}

TEST_F(TreeMouse, EscapeEndsTheBandAndClearsTheSelection) {
  ClickItem(0);
  m_input.Press(CPoint(300, m_window.LabelPoint(Item(1)).y));
  m_input.MoveTo(CPoint(10, m_window.LabelPoint(Item(3)).y));
  m_input.Tap(VK_ESCAPE);
  m_input.Release(CPoint(10, m_window.LabelPoint(Item(3)).y));
  m_input.Settle();
  EXPECT_EQ(::GetCapture(), nullptr);
  EXPECT_TRUE(m_window.Selected().empty());
}

TEST_F(TreeMouse, RightPressOnAnUnselectedItemSelectsOnlyIt) {
  ClickItem(1);
  ClickItem(2, VK_CONTROL);
  m_input.Click(m_window.LabelPoint(Item(5)), TRUE);
  m_input.Settle();
  EXPECT_EQ(m_window.Selected(), Items({5}));
  ClickItem(6, VK_CONTROL);
  m_input.Click(m_window.LabelPoint(Item(6)), TRUE);
  m_input.Settle();
  EXPECT_EQ(m_window.Selected(), Items({5, 6})) << "a right press on a selected item keeps the group";
}

TEST_F(TreeMouse, AClickOnTheExpandButtonOnlyCollapses) {
  ClickItem(5);
  const CPoint button = m_window.ButtonPoint(Item(0));
  ASSERT_GE(button.x, 0);
  m_input.Click(button);
  m_input.Settle();
  EXPECT_FALSE(m_tree.CTreeCtrl::GetItemState(Item(0), TVIS_EXPANDED) & TVIS_EXPANDED);
  EXPECT_EQ(m_window.Selected(), Items({5}));
}

}  // namespace
