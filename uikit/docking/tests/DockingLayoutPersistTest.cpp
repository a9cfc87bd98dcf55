// A live layout saved and loaded: the saved form round-trips key for key
// and byte for byte, the panes come back where they were with their
// windows, and every damaged layout is refused with the panes left as they
// were.
#include "DockingLayoutFixtures.h"
#include "DockingPaneFixture.h"

#include <PropExchange.h>
#include <PropStreams.h>

#include <gtest/gtest.h>

namespace {

// Left, right, and two tabbed at the bottom, the first of those selected.
void Arrange(CDockingFixture& f) {
  f.Create(101, "Left", DockingSideLeft);
  f.Create(102, "Right", DockingSideRight);
  CJVKDockingPane* pBottom = f.Create(103, "Bottom", DockingSideBottom);
  CJVKDockingPane* pOutput = f.Create(104, "Output", DockingSideBottom);
  f.pManager->AttachPane(pOutput, pBottom);
  f.Group(103)->SelectPane(pBottom, FALSE, FALSE);
  f.pManager->FindPane(101)->SetMinTrackSize(CPoint(60, 0));
  f.pManager->FindPane(102)->SetOptions(DockingPaneNoCloseable | DockingPaneHasMenuButton);
  f.Layout();
}

LayoutBytes Save(CDockingFixture& f) {
  return StoreExchange([&](CJVKPropExchangeArchive& px, CArchive&) { f.pManager->SaveLayout(&px); });
}

BOOL Load(CDockingFixture& f, const LayoutBytes& bytes) {
  BOOL bLoaded = FALSE;
  LoadExchange(bytes, [&](CJVKPropExchangeArchive& px, CArchive&) { bLoaded = f.pManager->LoadLayout(&px); });
  return bLoaded;
}

// What a pane is, by id: title, options, limits and where it stands.
std::string Panes(CDockingFixture& f) {
  std::string str;
  for (CJVKDockingPaneBase* pNode : f.pManager->GetPanes()) {
    auto* p = static_cast<CJVKDockingPane*>(pNode);
    CJVKDockingPaneTabbedContainer* pGroup = f.Group(p->GetID());
    str += std::to_string(p->GetID()) + " " + std::string(p->GetTitle()) + " o" + std::to_string(p->GetOptions()) +
           " min" + std::to_string(p->m_ptMinTrackSize.x) + (pGroup && pGroup->GetSelected() == p ? " selected" : "") +
           (p->m_hwndChild && ::IsWindowVisible(p->m_hwndChild) ? " shown" : "") + "; ";
  }
  return str;
}

}  // namespace

TEST(DockingLayoutPersist, SaveAndLoadRoundTripKeyForKeyAndByteForByte) {
  CDockingFixture f;
  Arrange(f);
  const auto rects = f.Rects();
  const std::string panes = Panes(f);
  const LayoutBytes first = Save(f);
  // The emptied group of 104 is no holder of anything any more: it is not
  // saved: client, two splitters, three groups, four panes.
  DockingLayoutRecord saved;
  ASSERT_TRUE(LoadDockingLayoutBytes(first, saved));
  EXPECT_EQ(10u, saved.nodes.size());

  ASSERT_TRUE(Load(f, first));
  f.Layout();
  EXPECT_EQ(rects, f.Rects());
  EXPECT_EQ(panes, Panes(f));
  // The application's windows went over to the loaded panes, under their groups.
  for (int nID : {101, 102, 103, 104})
    EXPECT_EQ(f.Group(nID)->GetSafeHwnd(), ::GetParent(f.windows[nID])) << nID;

  const LayoutBytes second = Save(f);
  DockingLayoutRecord reloaded;
  ASSERT_TRUE(LoadDockingLayoutBytes(second, reloaded));
  EXPECT_EQ(saved, reloaded);
  EXPECT_EQ(first, second);
}

TEST(DockingLayoutPersist, AClosedPaneKeepsItsHolderAcrossSaveAndLoad) {
  CDockingFixture f;
  Arrange(f);
  f.pManager->ClosePane(f.pManager->FindPane(101));
  f.Layout();
  const LayoutBytes bytes = Save(f);
  ASSERT_TRUE(Load(f, bytes));
  f.Layout();
  EXPECT_TRUE(f.pManager->FindPane(101)->IsClosed());
  EXPECT_EQ(CRect(0, 0, 596, 446), f.Rects().at("client"));
  f.pManager->ShowPane(101);
  f.Layout();
  EXPECT_EQ(CRect(0, 0, 200, 446), f.Rects().at("101"));
  EXPECT_TRUE(::IsWindowVisible(f.windows[101]));
}

TEST(DockingLayoutPersist, EveryDamagedLayoutIsRefusedAndThePanesStay) {
  CDockingFixture f;
  Arrange(f);
  const auto rects = f.Rects();
  const std::string panes = Panes(f);
  const CJVKDockingPaneLayout* pLayout = f.pManager->GetLayout();
  std::vector<DamagedLayout> damaged = DamagedDockingLayouts();
  // A sound layout with a kind of node this library does not make yet (an
  // auto-hide panel, beside a floating frame) is refused the same way.
  damaged.push_back({"sample with frame and panel", SaveDockingLayoutBytes(SampleDockingLayout())});
  ASSERT_GT(damaged.size(), 5u);
  for (const DamagedLayout& d : damaged) {
    EXPECT_FALSE(Load(f, d.bytes)) << d.name;
    EXPECT_EQ(pLayout, f.pManager->GetLayout()) << d.name;
    f.Layout();
    EXPECT_EQ(rects, f.Rects()) << d.name;
    EXPECT_EQ(panes, Panes(f)) << d.name;
  }
}

TEST(DockingLayoutPersist, TheSmallestLayoutSavesTwoObjects) {
  CDockingFixture f;
  const LayoutBytes bytes = Save(f);
  DockingLayoutRecord saved;
  ASSERT_TRUE(LoadDockingLayoutBytes(bytes, saved));
  EXPECT_EQ(2u, saved.nodes.size());
  ASSERT_TRUE(Load(f, bytes));
  f.Layout();
  EXPECT_EQ(CRect(0, 0, 800, 600), f.Rects().at("client"));
}
