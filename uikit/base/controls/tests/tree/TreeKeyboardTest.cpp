// Keyboard selection, the collapse rule, label-edit arming and Enter, driven
// by injected input.
#include <gtest/gtest.h>

#include "TreeTestWindow.h"

namespace {

class TreeKeys : public TreeFixture {
 protected:
  TreeKeys() : TreeFixture(kSampleTreeStyle) {}
  void SetUp() override {
    TreeFixture::SetUp();
    m_tree.SetMultiSelect(TRUE);
  }
  void Keys(std::initializer_list<WORD> keys, WORD vkHeld = 0) {
    if (vkHeld) m_input.KeyDown(vkHeld);
    for (WORD vk : keys) m_input.Tap(vk);
    if (vkHeld) m_input.KeyUp(vkHeld);
    m_input.Settle();
  }
};

TEST_F(TreeKeys, ShiftArrowsExtendFromTheAnchor) {
  ClickItem(3);
  Keys({VK_DOWN, VK_DOWN}, VK_SHIFT);
  EXPECT_EQ(m_window.Selected(), Items({3, 4, 5}));
  EXPECT_EQ(m_tree.GetSelectedItem(), Item(5));
  Keys({VK_UP, VK_UP, VK_UP}, VK_SHIFT);
  EXPECT_EQ(m_window.Selected(), Items({2, 3})) << "the range turns round the anchor";
}

TEST_F(TreeKeys, PlainArrowsMoveASingleSelection) {
  ClickItem(1);
  {
    CHeldKey ctrl(m_input, VK_CONTROL);
    m_input.Click(m_window.LabelPoint(Item(4)));
    m_input.Settle();
  }
  Keys({VK_DOWN});
  EXPECT_EQ(m_window.Selected(), Items({5})) << "a group is cleared, the caret moves on";
  Keys({VK_UP, VK_UP});
  EXPECT_EQ(m_window.Selected(), Items({3}));
}

TEST_F(TreeKeys, CtrlArrowsMoveOnlyTheCaret) {
  ClickItem(2);
  Keys({VK_DOWN, VK_DOWN}, VK_CONTROL);
  EXPECT_EQ(m_tree.GetSelectedItem(), Item(4));
  EXPECT_EQ(m_window.Selected(), Items({2}));
}

TEST_F(TreeKeys, AnArrowWithNothingSelectedFocusesTheFirstItem) {
  Keys({VK_DOWN});
  EXPECT_EQ(m_tree.GetSelectedItem(), Item(0));
  EXPECT_TRUE(m_window.Selected().empty()) << "focused, not selected";
}

TEST_F(TreeKeys, CollapsingAnUnselectedParentMakesItTheUnselectedCaret) {
  ClickItem(2);
  ClickItem(5);
  {
    CHeldKey ctrl(m_input, VK_CONTROL);
    m_input.Click(m_window.LabelPoint(Item(2)));
    m_input.Settle();
  }
  ASSERT_EQ(m_window.Selected(), Items({2, 5}));
  ASSERT_EQ(m_tree.GetSelectedItem(), Item(2));
  // TVM_EXPAND sends no notification: the user collapses.
  const CPoint button = m_window.ButtonPoint(Item(0));
  ASSERT_GE(button.x, 0);
  m_input.Click(button);
  m_input.Settle();
  EXPECT_EQ(m_tree.GetSelectedItem(), Item(0));
  EXPECT_FALSE(m_tree.IsSelected(Item(0)));
  EXPECT_FALSE(m_tree.IsSelected(Item(2))) << "the hidden child loses its selection";
  EXPECT_EQ(m_window.Selected(), Items({5}));
  EXPECT_EQ(m_window.CountNotices(TVN_ITEMEXPANDING), 1) << "the parent still gets the notification";
}

TEST_F(TreeKeys, HiddenChildrenAreNotWalked) {
  m_tree.SelectRange(Item(0), Item(4), TRUE);
  m_tree.Expand(Item(0), TVE_COLLAPSE);  // no notification: the children keep their state
  ASSERT_TRUE(m_tree.IsSelected(Item(2)));
  EXPECT_EQ(m_window.Selected(), Items({0, 4}));
  EXPECT_EQ(m_tree.GetPrevSelectedItem(Item(4)), Item(0));
}

TEST_F(TreeKeys, EnterTogglesTheCaretItemsExpansion) {
  ClickItem(0);
  Keys({VK_RETURN});
  EXPECT_FALSE(m_tree.CTreeCtrl::GetItemState(Item(0), TVIS_EXPANDED) & TVIS_EXPANDED);
  Keys({VK_RETURN});
  EXPECT_TRUE(m_tree.CTreeCtrl::GetItemState(Item(0), TVIS_EXPANDED) & TVIS_EXPANDED);
}

class TreeLabelEdit : public TreeKeys {
 protected:
  void SetUp() override {
    TreeKeys::SetUp();
    m_tree.ModifyStyle(0, TVS_EDITLABELS);
  }
  bool EditStarts() {
    return PumpUntil([this] { return m_tree.GetEditControl() != nullptr; });
  }
  void EndEdit() {
    m_tree.SendMessage(TVM_ENDEDITLABELNOW, TRUE);
    PumpPending();
  }
};

TEST_F(TreeLabelEdit, ASecondPressOnTheCaretLabelStartsEditing) {
  ClickItem(4);
  ClickItem(4, 0, 6);  // apart from the first press: no double click
  ASSERT_TRUE(EditStarts());
  EXPECT_EQ(m_window.CountNotices(TVN_BEGINLABELEDIT), 1);
  EXPECT_EQ(m_window.Selected(), Items({4}));
  EndEdit();
}

TEST_F(TreeLabelEdit, APressOnEmptySpaceDisarmsTheNextPress) {
  ClickItem(4);
  m_input.Click(CPoint(300, m_window.LabelPoint(Item(6)).y));
  m_input.Settle();
  m_tree.SelectItem(Item(4));  // the caret again, by the program
  ClickItem(4, 0, 6);
  EXPECT_FALSE(m_tree.GetEditControl()) << "the press only arms";
  EXPECT_EQ(m_window.CountNotices(TVN_BEGINLABELEDIT), 0);
  ClickItem(4);
  EXPECT_TRUE(EditStarts());
  EndEdit();
}

TEST_F(TreeLabelEdit, KeysGoToTheEditBoxWhileEditing) {
  ClickItem(4);
  ClickItem(4, 0, 6);
  ASSERT_TRUE(EditStarts());
  Keys({VK_ESCAPE});
  EXPECT_FALSE(m_tree.GetEditControl()) << "Escape reached the edit box";
  EXPECT_EQ(m_window.CountNotices(TVN_ENDLABELEDIT), 1);
}

}  // namespace
