// The tree's selection operations, per-item look, search and capture loops,
// called directly.
#include <gtest/gtest.h>

#include "TreeTestWindow.h"

namespace {

class TreeApi : public TreeFixture {
 protected:
  TreeApi() : TreeFixture(TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT) {}
};

TEST_F(TreeApi, WithoutMultiSelectionTheStateIsThePlainTreeViews) {
  EXPECT_TRUE(m_tree.SelectItem(Item(2)));
  EXPECT_TRUE(m_tree.SetItemState(Item(5), TVIS_SELECTED, TVIS_SELECTED));
  EXPECT_EQ(m_tree.GetSelectedItem(), Item(2));
  EXPECT_EQ(m_window.CountNotices(TVN_SELCHANGING, TRUE), 0) << "no notice of the tree base's own";
  EXPECT_EQ(m_window.CountNotices(TVN_SELCHANGED, TRUE), 0);
}

TEST_F(TreeApi, SelectionChangesAreNotifiedAndMayBeVetoed) {
  m_tree.SetMultiSelect(TRUE);
  EXPECT_TRUE(m_tree.SetItemState(Item(4), TVIS_SELECTED, TVIS_SELECTED));
  EXPECT_EQ(m_window.CountNotices(TVN_SELCHANGING, TRUE), 1);
  EXPECT_EQ(m_window.CountNotices(TVN_SELCHANGED, TRUE), 1);
  EXPECT_EQ(m_window.m_notices.back().hItem, Item(4));

  m_window.m_bVetoSelChanging = TRUE;
  EXPECT_FALSE(m_tree.SetItemState(Item(5), TVIS_SELECTED, TVIS_SELECTED));
  EXPECT_FALSE(m_tree.SetItemState(Item(4), 0, TVIS_SELECTED));
  m_window.m_bVetoSelChanging = FALSE;
  EXPECT_EQ(m_window.Selected(), Items({4}));
  EXPECT_EQ(m_window.CountNotices(TVN_SELCHANGED, TRUE), 1) << "nothing changed after a veto";
}

TEST_F(TreeApi, TheCaretMovesWithoutTakingTheSelectionAlong) {
  m_tree.SetMultiSelect(TRUE);
  m_tree.SelectItem(Item(1));
  m_tree.FocusItem(Item(5));
  EXPECT_EQ(m_tree.GetSelectedItem(), Item(5));
  EXPECT_EQ(m_window.Selected(), Items({1})) << "the old caret stays selected, the new one is not";
  EXPECT_EQ(m_tree.GetItemState(Item(5), TVIS_FOCUSED), static_cast<UINT>(TVIS_FOCUSED));
  EXPECT_EQ(m_tree.GetItemState(Item(1), TVIS_FOCUSED), 0u);
  m_tree.FocusItem(nullptr);
  EXPECT_EQ(m_tree.GetSelectedItem(), nullptr);
  EXPECT_EQ(m_window.Selected(), Items({1}));
}

TEST_F(TreeApi, RangesChildrenAndSwitchingMultiSelectionOff) {
  m_tree.SetMultiSelect(TRUE);
  m_tree.SelectItem(Item(6));
  m_tree.SelectRange(Item(5), Item(2), FALSE);
  EXPECT_EQ(m_window.Selected(), Items({2, 3, 4, 5, 6}));
  m_tree.SelectRange(Item(1), Item(1), TRUE);
  EXPECT_EQ(m_window.Selected(), Items({1}));
  EXPECT_FALSE(m_tree.SelectChildren(Item(0), TRUE, FALSE)) << "the caret is no child";
  EXPECT_EQ(m_window.Selected(), Items({1, 2, 3}));
  m_tree.SelectAll(TRUE, Item(5));
  EXPECT_EQ(m_window.Selected(), Items({1, 2, 3, 5, 6, 7}));
  m_tree.SelectAllVisible(FALSE, Item(2));
  EXPECT_EQ(m_window.Selected(), Items({2}));
  m_tree.SelectAll(TRUE);
  m_tree.FocusItem(Item(3));
  EXPECT_TRUE(m_tree.SetMultiSelect(FALSE));
  EXPECT_EQ(m_window.Selected(), Items({3})) << "only the caret stays selected";
}

TEST_F(TreeApi, ItemLookIsKeptPerItemAndGoesWithTheItem) {
  EXPECT_EQ(m_tree.GetItemColor(Item(2)), static_cast<COLORREF>(-1));
  LOGFONT lf = {};
  EXPECT_FALSE(m_tree.GetItemFont(Item(2), &lf));
  m_tree.SetItemColor(Item(2), RGB(255, 0, 0));
  lstrcpyA(lf.lfFaceName, "Arial");
  lf.lfHeight = -15;
  m_tree.SetItemFont(Item(2), lf);
  EXPECT_EQ(m_tree.GetItemColor(Item(2)), RGB(255, 0, 0)) << "a font keeps the colour";
  m_tree.SetItemColor(Item(2), RGB(0, 0, 255));
  LOGFONT got = {};
  ASSERT_TRUE(m_tree.GetItemFont(Item(2), &got)) << "a colour keeps the font";
  EXPECT_STREQ(got.lfFaceName, "Arial");
  EXPECT_EQ(got.lfHeight, -15);
  m_tree.SetItemBold(Item(5), TRUE);
  EXPECT_TRUE(m_tree.GetItemBold(Item(5)));
  EXPECT_FALSE(m_tree.GetItemBold(Item(4)));

  const HTREEITEM hDeleted = Item(2);
  m_tree.DeleteItem(hDeleted);
  const HTREEITEM hNew = m_tree.InsertItem("Reused");
  // A new item may reuse the handle: it must not inherit the look.
  EXPECT_EQ(m_tree.GetItemColor(hDeleted), static_cast<COLORREF>(-1));
  EXPECT_EQ(m_tree.GetItemColor(hNew), static_cast<COLORREF>(-1));
}

TEST_F(TreeApi, NavigationWalksHiddenItemsInDisplayOrder) {
  m_tree.Expand(Item(0), TVE_COLLAPSE);
  std::vector<HTREEITEM> forward;
  for (HTREEITEM hItem = m_tree.GetRootItem(); hItem; hItem = m_tree.GetNextItem(hItem)) forward.push_back(hItem);
  EXPECT_EQ(forward, Items({0, 1, 2, 3, 4, 5, 6, 7}));
  std::vector<HTREEITEM> backward;
  for (HTREEITEM hItem = m_tree.GetLastItem(nullptr); hItem; hItem = m_tree.GetPrevItem(hItem))
    backward.push_back(hItem);
  EXPECT_EQ(backward, Items({7, 6, 5, 4, 3, 2, 1, 0}));
  EXPECT_EQ(m_tree.GetLastItem(Item(0)), Item(3));
  EXPECT_EQ(m_tree.GetNextItem(Item(0), TVGN_NEXT), Item(4)) << "the plain relation";
}

TEST_F(TreeApi, FindWrapsOnceAndHonoursTheStartAndDirection) {
  const HTREEITEM hSat = m_tree.InsertItem("sat 2", Item(0));
  m_tree.SetItemText(Item(5), "Sat 1");
  m_tree.SetItemText(Item(6), "Satellite");
  // Down from the caret-less start (the first item), up, from a start that matches.
  EXPECT_EQ(m_tree.FindItem("sat", FALSE, TRUE, TRUE), hSat);
  EXPECT_EQ(m_tree.FindItem("sat", FALSE, TRUE, TRUE, Item(4)), Item(5));
  EXPECT_EQ(m_tree.FindItem("sat", FALSE, TRUE, TRUE, Item(6)), hSat) << "wraps to the first item";
  EXPECT_EQ(m_tree.FindItem("sat", FALSE, FALSE, TRUE, Item(4)), hSat);
  EXPECT_EQ(m_tree.FindItem("sat", FALSE, FALSE, TRUE, Item(1)), Item(5)) << "wraps to the last item";
  EXPECT_EQ(m_tree.FindItem("Sat 1", TRUE, TRUE, TRUE, Item(5)), Item(5));
  EXPECT_EQ(m_tree.FindItem("SAT", TRUE, TRUE, FALSE), nullptr);
  EXPECT_EQ(m_tree.FindItem("", FALSE, TRUE, FALSE), nullptr);
  EXPECT_EQ(m_tree.FindItem("Satellite", FALSE, TRUE, TRUE, Item(7)), Item(6));

  // Children's descendants before the child itself.
  const HTREEITEM hDeep = m_tree.InsertItem("Beta deep", Item(2));
  EXPECT_EQ(m_tree.FindInChildren("Beta", TRUE, TRUE, Item(0)), hDeep);
  EXPECT_EQ(m_tree.FindInChildren("Beta", TRUE, TRUE, Item(4)), nullptr);
  EXPECT_EQ(m_tree.FindInChildren("Delta", TRUE, TRUE, Item(0)), nullptr) << "only descendants";
}

TEST_F(TreeApi, SearchSeesEveryChangeOfItemsAndLabels) {
  EXPECT_EQ(m_tree.FindItem("Beta", TRUE, TRUE, TRUE, Item(0)), Item(2));
  m_tree.SetItemText(Item(2), "Bravo");
  EXPECT_EQ(m_tree.FindItem("Beta", TRUE, TRUE, TRUE, Item(0)), nullptr) << "renamed";
  const HTREEITEM hNew = m_tree.InsertItem("Beta", Item(0), TVI_FIRST);
  EXPECT_EQ(m_tree.FindItem("Beta", TRUE, TRUE, TRUE, Item(0)), hNew) << "inserted";
  m_tree.DeleteItem(hNew);
  EXPECT_EQ(m_tree.FindItem("Beta", TRUE, TRUE, TRUE, Item(0)), nullptr) << "deleted";
  m_tree.SortChildren(Item(0));
  EXPECT_EQ(m_tree.FindItem("a", FALSE, TRUE, FALSE, Item(1)), Item(1)) << "sorted: Alpha, Bravo, Gamma";
  EXPECT_EQ(m_tree.FindItem("Bravo", TRUE, TRUE, TRUE, Item(4)), Item(2));
  m_tree.Expand(Item(0), TVE_COLLAPSE | TVE_COLLAPSERESET);
  ASSERT_EQ(m_tree.GetChildItem(Item(0)), nullptr);
  EXPECT_EQ(m_tree.FindItem("Bravo", TRUE, TRUE, TRUE, Item(4)), nullptr) << "deleted by collapsing with reset";
}

// Posted to the helper window while a capture loop runs: another window
// takes the capture.
class CCaptureThief : public CWnd {
 public:
  CCaptureThief() { CreateEx(0, AfxRegisterWndClass(0), "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr); }
  ~CCaptureThief() override { DestroyWindow(); }
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_APP) ::SetCapture(m_hWnd);
    return CWnd::WindowProc(message, wParam, lParam);
  }
};

enum class LoopEnd { kQuit, kCaptureLoss };

class TreeLoops : public TreeApi, public ::testing::WithParamInterface<LoopEnd> {
 protected:
  void SetUp() override {
    TreeApi::SetUp();
    m_tree.SetMultiSelect(TRUE);
    if (GetParam() == LoopEnd::kQuit)
      ::PostQuitMessage(3);
    else
      m_thief.PostMessage(WM_APP);
  }
  void ExpectCleanEnd() {
    EXPECT_NE(::GetCapture(), m_tree.m_hWnd);
    EXPECT_FALSE(::KillTimer(m_tree.m_hWnd, 1)) << "no auto-scroll timer left";
    ::ReleaseCapture();
    bool bQuit = false;
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT)
        bQuit = msg.wParam == 3;
      else
        ::DispatchMessage(&msg);
    }
    EXPECT_EQ(bQuit, GetParam() == LoopEnd::kQuit) << "the quit is posted again for the outer loop";
  }
  CCaptureThief m_thief;
};

TEST_P(TreeLoops, ClickTrackingEndsWithoutANotice) {
  m_tree.SelectItem(Item(2));
  m_window.m_notices.clear();
  EXPECT_FALSE(m_tree.TrackClick(Item(4), TRUE, 0, m_window.LabelPoint(Item(4))));
  EXPECT_EQ(m_window.CountNotices(NM_CLICK), 0);
  EXPECT_EQ(m_window.CountNotices(TVN_BEGINDRAG), 0);
  ExpectCleanEnd();
}

TEST_P(TreeLoops, RubberBandEndsAndKillsItsTimer) {
  m_tree.SelectItem(Item(2));
  m_tree.OnRubberBand(MK_CONTROL, CPoint(300, m_window.LabelPoint(Item(4)).y));
  EXPECT_EQ(m_window.Selected(), Items({2})) << "a band that never started keeps a Ctrl selection";
  ExpectCleanEnd();
}

INSTANTIATE_TEST_SUITE_P(EndedBy, TreeLoops, ::testing::Values(LoopEnd::kQuit, LoopEnd::kCaptureLoss));

}  // namespace
