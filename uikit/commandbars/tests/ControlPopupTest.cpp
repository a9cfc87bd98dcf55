// Popup controls driven through their operations: opening and closing on a
// menu bar, split buttons in popup bars, double clicks that run the default
// item, hover rules, and popups without a bar.
#include "ControlPopup.h"
#include "Controls.h"
#include "FakeControlBar.h"

#include <gtest/gtest.h>

namespace {

struct CMenuBarFixture {
  CFakeSite site;
  CFakeCommandBars bars{&site};
  CFakeControlBar* pBar = new CFakeControlBar(jvkBarTypeMenuBar, &bars, &site);
  CFakeControlBar* pPopupBar = new CFakeControlBar(jvkBarTypePopup, &bars, &site);
  CJVKControlPopup* pEntry;
  CMenuBarFixture() {
    pEntry = static_cast<CJVKControlPopup*>(pBar->m_pControls->Add(jvkControlPopup, 0));
    pEntry->SetCommandBar(pPopupBar);
    pPopupBar->ReleaseBarRef();  // the control holds it now
    pPopupBar->m_pParentBar = pBar;
    pEntry->SetRect(CRect(0, 0, 40, 20));
  }
  ~CMenuBarFixture() { pBar->ReleaseBarRef(); }
};

}  // namespace

TEST(ControlPopup, AClickOnAnOpenMenuBarEntryClosesIt) {
  CMenuBarFixture f;
  f.pEntry->OnClick(FALSE, CPoint(5, 5));
  EXPECT_TRUE(f.pEntry->GetPopuped());
  EXPECT_TRUE(f.pPopupBar->IsBarVisible());
  EXPECT_EQ(f.pEntry, f.pPopupBar->GetOpener());
  EXPECT_EQ(jvkTrackingPopups, f.pBar->GetTrackingMode());
  f.pEntry->OnClick(FALSE, CPoint(5, 5));
  EXPECT_FALSE(f.pEntry->GetPopuped());
  EXPECT_FALSE(f.pPopupBar->IsBarVisible());
  EXPECT_EQ(jvkTrackingOff, f.pBar->GetTrackingMode());
}

TEST(ControlPopup, DisabledOrBarlessPopupsDoNotOpen) {
  CMenuBarFixture f;
  f.pEntry->SetEnabled(FALSE);
  f.pEntry->OnClick(FALSE, CPoint(5, 5));
  EXPECT_FALSE(f.pEntry->GetPopuped());
  EXPECT_TRUE(f.pBar->m_popupRequests.empty());

  CJVKControlPopup* pBare = CJVKControlPopup::CreateControlPopup(jvkControlPopup);
  EXPECT_FALSE(pBare->SetPopup(TRUE));
  EXPECT_FALSE(pBare->GetPopuped());
  pBare->InternalRelease();
}

TEST(ControlPopup, SelectionWhileTrackingWithPopupsOpensMenuBarEntries) {
  CMenuBarFixture f;
  CJVKControlPopup* pSecond = static_cast<CJVKControlPopup*>(f.pBar->m_pControls->Add(jvkControlPopup, 0));
  f.pBar->m_nTracking = jvkTrackingPopups;
  f.pBar->SetSelected(1, 1);
  EXPECT_TRUE(pSecond->GetPopuped());
  f.pBar->SetSelected(0, 1);  // moving on closes it and opens the next
  EXPECT_FALSE(pSecond->GetPopuped());
  EXPECT_TRUE(f.pEntry->GetPopuped());
  // Without popups tracking, a selection opens nothing.
  f.pBar->SetTrackingMode(jvkTrackingOff);
  f.pBar->SetSelected(1, 1);
  EXPECT_FALSE(pSecond->GetPopuped());
}

TEST(ControlPopup, SplitButtonInAPopupBarExecutesOnReleaseLeftOfItsArrow) {
  CFakeSite site;
  CFakeCommandBars bars(&site);
  auto* pPopupBar = new CFakeControlBar(jvkBarTypePopup, &bars, &site);
  CJVKControl* pSplit = pPopupBar->m_pControls->Add(jvkControlSplitButtonPopup, 900);
  pSplit->SetRect(CRect(0, 0, 100, 20));
  struct Row {
    int x;
    BOOL bExecutes, bOpens;
  } rows[] = {{10, TRUE, FALSE}, {79, TRUE, FALSE}, {80, FALSE, TRUE}, {95, FALSE, TRUE}};
  for (const Row& row : rows) {
    site.m_commands.clear();
    pPopupBar->m_popupRequests.clear();
    pPopupBar->m_killedTimers.clear();
    pSplit->OnClick(FALSE, CPoint(row.x, 5));
    EXPECT_EQ(row.bOpens, !pPopupBar->m_popupRequests.empty()) << row.x;
    // A press on the main part only stops the automatic opening.
    EXPECT_EQ(!row.bOpens, pPopupBar->m_killedTimers == std::vector<UINT_PTR>{JVK_TIMER_HOVER}) << row.x;
    pPopupBar->SetPopuped(-1, FALSE);
    pSplit->OnLButtonUp(CPoint(row.x, 5));
    EXPECT_EQ(row.bExecutes ? 1u : 0u, site.m_commands.size()) << row.x;
  }
  // From the keyboard the split button executes.
  site.m_commands.clear();
  pSplit->OnClick(TRUE, CPoint());
  EXPECT_EQ(1u, site.m_commands.size());
  pPopupBar->ReleaseBarRef();
}

TEST(ControlPopup, DoubleClickRunsTheDefaultItemOfTheOpenPopup) {
  CMenuBarFixture f;
  CJVKControl* pPlain = f.pPopupBar->m_pControls->Add(jvkControlButton, 910);
  CJVKControl* pDefault = f.pPopupBar->m_pControls->Add(jvkControlButton, 911);
  (void)pPlain;
  f.pEntry->OnLButtonDblClk(CPoint(5, 5));  // closed: the press opens it
  EXPECT_TRUE(f.pEntry->GetPopuped());
  EXPECT_TRUE(f.site.m_commands.empty());
  EXPECT_FALSE(f.pEntry->OnLButtonDblClk(CPoint(5, 5)));  // open, no default item
  pDefault->SetDefaultItem(TRUE);
  EXPECT_TRUE(f.pEntry->OnLButtonDblClk(CPoint(5, 5)));
  EXPECT_EQ((std::vector<UINT>{911}), f.site.m_commands);
}

TEST(ControlPopup, HoverOpensInPopupBarsAndLeavingKeepsOrCloses) {
  CMenuBarFixture f;
  // Hover on a menu bar that does not track: nothing opens.
  f.pEntry->OnMouseHover();
  EXPECT_FALSE(f.pEntry->GetPopuped());
  f.pBar->m_nTracking = jvkTrackingPopups;
  f.pEntry->OnMouseHover();
  EXPECT_TRUE(f.pEntry->GetPopuped());

  // Leaving for a control inside the open popup keeps it open; leaving for
  // another menu-bar entry whose popup does not lead here closes it.
  CJVKControl* pInside = f.pPopupBar->m_pControls->Add(jvkControlButton, 920);
  f.pBar->m_popupRequests.clear();
  f.pEntry->OnHoverLeave(pInside);
  EXPECT_EQ((std::vector<int>{0}), f.pBar->m_popupRequests);
  EXPECT_TRUE(f.pEntry->GetPopuped());
  auto* pOther = static_cast<CJVKControlPopup*>(f.pBar->m_pControls->Add(jvkControlPopup, 0));
  EXPECT_FALSE(pOther->IsAncestorOf(f.pEntry));
  // A popup control whose bar leads to this one closes it.
  auto* pNested = static_cast<CJVKControlPopup*>(pOther->GetCommandBar()->GetControls()->Add(jvkControlPopup, 0));
  pNested->SetCommandBar(f.pPopupBar);
  EXPECT_TRUE(pOther->IsAncestorOf(f.pEntry));
  f.pEntry->OnHoverLeave(pOther);
  EXPECT_FALSE(f.pEntry->GetPopuped());
  pNested->SetCommandBar(nullptr);
}
