// The tree's own painting of labels, read back from a DIB; hot tracking.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "DibCanvas.h"
#include "TreeTestWindow.h"

namespace {

class TreePaint : public TreeFixture {
 protected:
  TreePaint() : TreeFixture(kSampleTreeStyle) {}
  void SetUp() override {
    TreeFixture::SetUp();
    m_tree.SetMultiSelect(TRUE);
    m_tree.SelectItem(Item(1));
    m_tree.SetItemState(Item(4), TVIS_SELECTED, TVIS_SELECTED);
    m_tree.SetItemColor(Item(6), RGB(255, 0, 0));
    m_tree.SetItemBold(Item(0), TRUE);
  }
  // Paints the tree into the canvas as WM_PAINT would.
  void Paint() { m_tree.DoPaint(m_canvas.DC(), TRUE); }
  // Whether a pixel of the colour lies in the item's label rectangle.
  bool LabelHas(int i, COLORREF clr) {
    CRect rc;
    m_tree.GetItemRect(Item(i), &rc, TRUE);
    for (int y = rc.top; y < rc.bottom; ++y)
      for (int x = rc.left; x < rc.right; ++x)
        if (m_canvas.Pixel(x, y) == clr) return true;
    return false;
  }

  CDibCanvas m_canvas{320, 300};
};

TEST_F(TreePaint, SelectedLabelsAreHighlightedWhileFocused) {
  ASSERT_EQ(::GetFocus(), m_tree.m_hWnd);
  Paint();
  const COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_TRUE(LabelHas(1, highlight));
  EXPECT_TRUE(LabelHas(4, highlight)) << "every selected item, not only the caret";
  EXPECT_TRUE(LabelHas(4, ::GetSysColor(COLOR_HIGHLIGHTTEXT)));
  EXPECT_FALSE(LabelHas(5, highlight));
  EXPECT_TRUE(LabelHas(6, RGB(255, 0, 0))) << "an item's own colour";
  EXPECT_FALSE(LabelHas(5, RGB(255, 0, 0)));
  if (const char* path = getenv("UIKIT_TREE_SNAPSHOT")) m_canvas.Save(path);
}

TEST_F(TreePaint, WithoutFocusSelectionShowsInButtonFaceAndDisabledInGrey) {
  ::SetFocus(nullptr);
  Paint();
  EXPECT_TRUE(LabelHas(4, ::GetSysColor(COLOR_BTNFACE)));
  EXPECT_FALSE(LabelHas(4, ::GetSysColor(COLOR_HIGHLIGHT)));
  m_tree.EnableWindow(FALSE);
  Paint();
  EXPECT_TRUE(LabelHas(4, ::GetSysColor(COLOR_GRAYTEXT)));
  EXPECT_FALSE(LabelHas(6, RGB(255, 0, 0))) << "no own colour in a disabled tree";
}

TEST_F(TreePaint, HotTrackingMarksTheItemUnderThePointer) {
  m_tree.ModifyStyle(0, TVS_TRACKSELECT);
  CTreeInput& input = m_input;
  input.MoveTo(m_window.LabelPoint(Item(5)));
  input.Settle();
  EXPECT_EQ(m_tree.GetHotItem(), Item(5));
  input.MoveTo(m_window.LabelPoint(Item(6)));
  input.Settle();
  EXPECT_EQ(m_tree.GetHotItem(), Item(6)) << "the previous hot item lets go";
  Paint();
  EXPECT_FALSE(LabelHas(6, RGB(255, 0, 0))) << "the hot colour wins over the item's own";
  EXPECT_FALSE(LabelHas(5, ::GetSysColor(COLOR_HOTLIGHT)));
  input.MoveTo(CPoint(300, m_window.LabelPoint(Item(6)).y));
  input.Settle();
  EXPECT_EQ(m_tree.GetHotItem(), nullptr) << "off the label";
}

// The hot item is no state bit: a pass of the pointer over a tree with check
// boxes leaves every item's check box as it was.
TEST_F(TreePaint, HotTrackingKeepsTheCheckBoxes) {
  m_tree.ModifyStyle(0, TVS_TRACKSELECT | TVS_CHECKBOXES);
  std::vector<UINT> before;
  for (size_t i = 0; i < m_window.m_items.size(); ++i) {
    before.push_back(INDEXTOSTATEIMAGEMASK(i % 2 ? 2 : 1));  // checked and unchecked in turn
    m_tree.CTreeCtrl::SetItemState(m_window.m_items[i], before.back(), TVIS_STATEIMAGEMASK);
  }
  for (int i : {4, 5, 6, 7}) {
    m_input.MoveTo(m_window.LabelPoint(Item(i)));
    m_input.Settle();
    EXPECT_EQ(m_tree.GetHotItem(), Item(i));
  }
  m_input.MoveTo(CPoint(300, m_window.LabelPoint(Item(7)).y));
  m_input.Settle();
  for (size_t i = 0; i < before.size(); ++i)
    EXPECT_EQ(m_tree.CTreeCtrl::GetItemState(m_window.m_items[i], TVIS_STATEIMAGEMASK), before[i]) << "item " << i;
  m_tree.ModifyStyle(TVS_CHECKBOXES, 0);
}

}  // namespace
