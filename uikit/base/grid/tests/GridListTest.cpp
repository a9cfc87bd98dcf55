// The drop-down list and the in-place button: opening by Alt+Down, F4 and
// the button, applying and cancelling, its size, and the outside-click hook
// gone on every way the list closes.
#include "GridTestWindow.h"

#include "OutsideClickHook.h"
#include "ThreadHook.h"

namespace {

class GridListTest : public ::testing::Test {
 protected:
  GridListTest() : m_window(CGridTestWindow::Reset()), m_list(m_window.m_grid.GetInplaceList()) {}

  void SelectItem(CJVKPropertyGridItem* pItem) {
    m_window.View().SetFocus();
    pItem->Select();
    PumpPending();
    m_window.m_notices.clear();
  }
  BOOL ListOpen() const { return m_list.GetSafeHwnd() && m_list.IsWindowVisible(); }
  BOOL ListGone() const { return !m_list.GetSafeHwnd() && !IsOutsideClickHookActive(); }
  void AltKey(WORD vk) {
    InjectKeyDown(VK_MENU);
    InjectTap(vk);
    InjectKeyUp(VK_MENU);
  }
  CString Selected() const {
    CString text;
    const int nSel = m_list.GetCurSel();
    if (nSel >= 0) m_list.GetText(nSel, text);
    return text;
  }

  CGridTestWindow& m_window;
  CJVKPropertyGridInplaceList& m_list;
};

TEST_F(GridListTest, AltDownOpensDownMovesEnterApplies) {
  SelectItem(m_window.m_pPolarisation);
  AltKey(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return ListOpen(); }));
  EXPECT_TRUE(IsOutsideClickHookActive());
  EXPECT_EQ(::GetFocus(), m_list.m_hWnd);
  EXPECT_STREQ("Horizontal", Selected());  // the current value is selected
  EXPECT_EQ(m_window.m_pPolarisation, m_list.GetItem());
  InjectTap(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return Selected() == "Vertical"; }));
  InjectTap(VK_RETURN);
  ASSERT_TRUE(PumpUntil([&] { return ListGone(); }));
  PumpPending();
  EXPECT_STREQ("Vertical", m_window.m_pPolarisation->GetValue());
  EXPECT_EQ(1, m_window.m_pPolarisation->GetConstraints()->GetCurrent());
  EXPECT_EQ(1, m_window.CountNotices(JVK_PGN_VALUECHANGED));
  EXPECT_EQ(1, m_window.CountNotices(JVK_PGN_INPLACEBUTTONDOWN));
  EXPECT_EQ(::GetFocus(), m_window.View().m_hWnd);
}

TEST_F(GridListTest, AltUpInTheListApplies) {
  SelectItem(m_window.m_pModulation);
  AltKey(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return ListOpen(); }));
  InjectTap(VK_DOWN);
  InjectTap(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return Selected() == "16QAM"; }));
  AltKey(VK_UP);
  ASSERT_TRUE(PumpUntil([&] { return ListGone(); }));
  EXPECT_STREQ("16QAM", m_window.m_pModulation->GetValue());
  EXPECT_EQ(1, m_window.CountNotices(JVK_PGN_VALUECHANGED));
}

TEST_F(GridListTest, EscapeCancelsWithoutAChange) {
  SelectItem(m_window.m_pPolarisation);
  InjectTap(VK_F4);
  ASSERT_TRUE(PumpUntil([&] { return ListOpen(); }));
  InjectTap(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return Selected() == "Vertical"; }));
  InjectTap(VK_ESCAPE);
  ASSERT_TRUE(PumpUntil([&] { return ListGone(); }));
  PumpPending();
  EXPECT_STREQ("Horizontal", m_window.m_pPolarisation->GetValue());
  EXPECT_EQ(0, m_window.CountNotices(JVK_PGN_VALUECHANGED));
  EXPECT_EQ(::GetFocus(), m_window.View().m_hWnd);
}

TEST_F(GridListTest, ApplyingTheCurrentValueChangesOnlyTheIndex) {
  SelectItem(m_window.m_pPolarisation);
  m_window.m_pPolarisation->OnButtonPressed();
  ASSERT_TRUE(PumpUntil([&] { return ListOpen(); }));
  m_list.Apply();
  PumpPending();
  EXPECT_TRUE(ListGone());
  EXPECT_EQ(0, m_window.m_pPolarisation->GetConstraints()->GetCurrent());
  EXPECT_EQ(0, m_window.CountNotices(JVK_PGN_VALUECHANGED));
}

TEST_F(GridListTest, TheButtonOpensAndAClickOutsideClosesWithoutAChange) {
  SelectItem(m_window.m_pPolarisation);
  CJVKPropertyGridInplaceButton& button = m_window.m_grid.GetInplaceButton();
  ASSERT_TRUE(button.IsWindowVisible());
  EXPECT_EQ(m_window.m_pPolarisation, button.GetItem());
  CRect rcButton;
  button.GetClientRect(&rcButton);
  InjectClick(button, rcButton.CenterPoint());
  ASSERT_TRUE(PumpUntil([&] { return ListOpen(); }));
  InjectTap(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return Selected() == "Vertical"; }));
  // A click on the help panel, outside the list.
  CRect rcHelp = m_window.m_grid.GetHelpRect();
  InjectClick(m_window.m_grid, rcHelp.CenterPoint());
  ASSERT_TRUE(PumpUntil([&] { return ListGone(); }));
  PumpPending();
  EXPECT_STREQ("Horizontal", m_window.m_pPolarisation->GetValue());
  EXPECT_EQ(0, m_window.CountNotices(JVK_PGN_VALUECHANGED));
}

TEST_F(GridListTest, AnOwnerThatHandlesTheButtonKeepsTheListClosed) {
  SelectItem(m_window.m_pPolarisation);
  m_window.m_nButtonAnswer = 1;
  InjectTap(VK_F4);
  ASSERT_TRUE(PumpUntil([&] { return m_window.CountNotices(JVK_PGN_INPLACEBUTTONDOWN) == 1; }));
  PumpPending();
  EXPECT_FALSE(ListOpen());
  EXPECT_FALSE(IsOutsideClickHookActive());
}

TEST_F(GridListTest, ListHeightIsTenEntriesAtMost) {
  struct Case {
    CJVKPropertyGridItem* pItem;
    int nRows;
  } cases[] = {{m_window.m_pSatellite, 10}, {m_window.m_pModulation, 3}};
  for (const Case& c : cases) {
    SelectItem(c.pItem);
    c.pItem->OnButtonPressed();
    ASSERT_TRUE(PumpUntil([&] { return ListOpen(); }));
    CRect rc;
    m_list.GetWindowRect(&rc);
    EXPECT_EQ(c.nRows * m_list.GetItemHeight(0) + 2, rc.Height()) << (LPCTSTR)c.pItem->GetCaption();
    EXPECT_EQ(c.pItem->GetConstraints()->GetCount(), m_list.GetCount());
    m_list.Cancel();
    ASSERT_TRUE(PumpUntil([&] { return ListGone(); }));
  }
}

// Opening the list takes the focus from the in-place edit, which commits
// its text; an owner that rebuilds the grid on that notice closes the list
// while it opens, and nothing of it stays behind.
TEST_F(GridListTest, ACommitThatRebuildsTheGridLeavesTheListClosed) {
  SelectItem(m_window.m_pPolarisation);
  InjectText("X");
  CJVKPropertyGridInplaceEdit& edit = m_window.m_grid.GetInplaceEdit();
  ASSERT_TRUE(PumpUntil([&] { return ::GetFocus() == edit.m_hWnd && edit.GetWindowTextLength() == 1; }));
  const LONG nHooks = CJVKThreadHook::GetInstalledCount();
  m_window.m_onNotice = [&](WPARAM code, LPARAM) {
    if (code != JVK_PGN_VALUECHANGED) return;
    m_window.m_grid.GetCategories()->Clear();
    m_window.m_grid.AddCategory("Rebuilt");
  };
  AltKey(VK_DOWN);
  ASSERT_TRUE(PumpUntil([&] { return m_window.CountNotices(JVK_PGN_VALUECHANGED) > 0; }));
  PumpPending();
  m_window.m_onNotice = nullptr;
  EXPECT_EQ(1, m_window.CountNotices(JVK_PGN_INPLACEBUTTONDOWN));
  EXPECT_FALSE(m_list.GetSafeHwnd());
  EXPECT_EQ(nullptr, m_list.GetItem());
  EXPECT_FALSE(IsOutsideClickHookActive());
  EXPECT_EQ(nHooks, CJVKThreadHook::GetInstalledCount()) << "no hook left for a list that never opened";
  ASSERT_EQ(1, m_window.m_grid.GetCategories()->GetCount());
  EXPECT_STREQ("Rebuilt", m_window.m_grid.GetCategories()->GetAt(0)->GetCaption());
}

// The outside-click hook goes with the list whichever way it closes.
TEST_F(GridListTest, TheHookGoesOnEveryWayTheListCloses) {
  struct Way {
    const char* name;
    std::function<void(CGridTestWindow&, CJVKPropertyGridInplaceList&)> close;
  } ways[] = {
      {"kill focus", [](CGridTestWindow& w, CJVKPropertyGridInplaceList&) { w.View().SetFocus(); }},
      {"apply", [](CGridTestWindow&, CJVKPropertyGridInplaceList& l) { l.Apply(); }},
      {"cancel", [](CGridTestWindow&, CJVKPropertyGridInplaceList& l) { l.Cancel(); }},
      {"hide", [](CGridTestWindow&, CJVKPropertyGridInplaceList& l) { l.Hide(); }},
      {"destroy", [](CGridTestWindow&, CJVKPropertyGridInplaceList& l) { l.DestroyWindow(); }},
      {"items cleared", [](CGridTestWindow& w, CJVKPropertyGridInplaceList&) { w.m_grid.GetCategories()->Clear(); }},
  };
  for (const Way& way : ways) {
    CGridTestWindow& window = CGridTestWindow::Reset();
    SelectItem(window.m_pPolarisation);
    window.m_pPolarisation->OnButtonPressed();
    ASSERT_TRUE(PumpUntil([&] { return ListOpen(); })) << way.name;
    ASSERT_TRUE(IsOutsideClickHookActive()) << way.name;
    way.close(window, m_list);
    PumpPending();
    EXPECT_FALSE(IsOutsideClickHookActive()) << way.name;
    EXPECT_FALSE(m_list.GetSafeHwnd()) << way.name;
  }
}

TEST_F(GridListTest, DestroyingAGridWithItsListOpenRemovesTheHook) {
  CJVKPropertyGrid* pGrid = new CJVKPropertyGrid;
  ASSERT_TRUE(pGrid->Create(CRect(0, 0, 200, 200), &m_window, 101));
  CJVKPropertyGridItem* pCategory = pGrid->AddCategory("Extra");
  CJVKPropertyGridItem* pItem = pCategory->AddChildItem(new CJVKPropertyGridItem("Band", "Low"));
  pItem->SetFlags(jvkItemHasComboButton);
  pItem->GetConstraints()->AddConstraint("Low");
  pItem->GetConstraints()->AddConstraint("High");
  pCategory->Expand();
  pGrid->GetGridView().SetFocus();
  pItem->Select();
  pItem->OnButtonPressed();
  ASSERT_TRUE(PumpUntil([&] { return pGrid->GetInplaceList().GetSafeHwnd() && IsOutsideClickHookActive(); }));
  delete pGrid;
  PumpPending();
  EXPECT_FALSE(IsOutsideClickHookActive());
}

}  // namespace
