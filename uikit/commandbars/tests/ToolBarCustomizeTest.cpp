// Customize drag and drop over a tool bar: the mark follows the pointer and
// is painted inverted, a drop inserts a copy where the mark shows (taking
// the group separator of the control it goes before), and a drop on the
// control's own place only sets or clears its separator.
#include "PaintTestSupport.h"
#include "ToolBarHost.h"
#include "ToolBarTestResources.h"

#include <gtest/gtest.h>

namespace {

class ToolBarCustomize : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_h.pBar->LoadToolBar(IDR_TB_STANDARD));
    m_h.host.RepositionBars(0, 0xFFFF, 0);
  }
  CJVKControl* Control(int nIndex) { return m_h.Control(nIndex); }
  CPoint Inside(int nIndex, int dx) {
    const CRect rc = Control(nIndex)->GetRect();
    return CPoint(dx >= 0 ? rc.left + dx : rc.right + dx, rc.CenterPoint().y);
  }
  std::vector<int> Ids() {
    std::vector<int> ids;
    for (int i = 0; i < m_h.pBar->GetControls()->GetCount(); ++i) ids.push_back(Control(i)->GetID());
    return ids;
  }

  CHostWithBar m_h;
};

TEST_F(ToolBarCustomize, TheMarkFollowsThePointerAndIsPaintedInverted) {
  CJVKToolBar* pBar = m_h.pBar;
  CJVKControl* pDragged = Control(0);
  pBar->OnCustomizeDragEnter(pDragged, Inside(2, 2));
  const CRect rc2 = Control(2)->GetRect();
  EXPECT_EQ(CRect(rc2.left, rc2.top, rc2.left + 6, rc2.bottom), pBar->GetDropMark());
  pBar->OnCustomizeDragOver(pDragged, Inside(2, -2));
  EXPECT_EQ(CRect(rc2.right - 6, rc2.top, rc2.right, rc2.bottom), pBar->GetDropMark()) << "after the last";
  // Over the dragged control itself: no mark.
  pBar->OnCustomizeDragOver(pDragged, Inside(0, 3));
  EXPECT_TRUE(pBar->GetDropMark().IsRectEmpty());

  // Painted: only pixels inside the mark change.
  pBar->OnCustomizeDragOver(pDragged, Inside(1, 2));
  const CRect rcMark = pBar->GetDropMark();
  ASSERT_FALSE(rcMark.IsRectEmpty());
  const CRect rcBar = pBar->CJVKCommandBar::GetClientRect();
  CDibCanvas withMark(rcBar.Width(), rcBar.Height());
  pBar->DrawCommandBar(withMark.DC());
  pBar->OnCustomizeDragLeave();
  EXPECT_TRUE(pBar->GetDropMark().IsRectEmpty());
  CDibCanvas without(rcBar.Width(), rcBar.Height());
  pBar->DrawCommandBar(without.DC());
  int nInside = 0, nOutside = 0;
  for (int y = 0; y < rcBar.Height(); ++y)
    for (int x = 0; x < rcBar.Width(); ++x)
      if (withMark.Pixel(x, y) != without.Pixel(x, y)) ++(rcMark.PtInRect(CPoint(x, y)) ? nInside : nOutside);
  EXPECT_GT(nInside, 2 * rcMark.Height());
  EXPECT_EQ(0, nOutside);
}

TEST_F(ToolBarCustomize, ADropInsertsACopyWhereTheMarkShows) {
  CJVKToolBar* pBar = m_h.pBar;
  ASSERT_TRUE(Control(1)->GetBeginGroup());
  // Before the first of the second group: the copy takes its separator.
  CJVKControl* pDragged = Control(2);
  pBar->OnCustomizeDragEnter(pDragged, Inside(2, -2));
  EXPECT_EQ(2, pBar->OnCustomizeDrop(pDragged, Inside(1, 2), 2));
  EXPECT_EQ(std::vector<int>({ID_TB_OPEN, ID_TB_CHECKED, ID_TB_DISABLED, ID_TB_CHECKED}), Ids());
  EXPECT_TRUE(Control(1)->GetBeginGroup());
  EXPECT_FALSE(Control(2)->GetBeginGroup());
  EXPECT_NE(pDragged, Control(1)) << "a copy";
  EXPECT_TRUE(pBar->GetDropMark().IsRectEmpty());
  m_h.host.RepositionBars(0, 0xFFFF, 0);

  // After the last: appended.
  pDragged = Control(0);
  pBar->OnCustomizeDragEnter(pDragged, Inside(0, 2));
  EXPECT_EQ(1, pBar->OnCustomizeDrop(pDragged, Inside(3, -2), 1));
  EXPECT_EQ(ID_TB_OPEN, Control(4)->GetID());
}

TEST_F(ToolBarCustomize, ADropOnItsOwnPlaceOnlyMovesTheSeparator) {
  CJVKToolBar* pBar = m_h.pBar;
  CJVKControl* pDragged = Control(2);
  const CPoint ptStart = Inside(2, 2);
  // Not moved further than 4 pixels: nothing changes.
  pBar->OnCustomizeDragEnter(pDragged, ptStart);
  EXPECT_EQ(5, pBar->OnCustomizeDrop(pDragged, ptStart + CSize(3, 0), 2));
  EXPECT_FALSE(Control(2)->GetBeginGroup());
  EXPECT_EQ(3, pBar->GetControls()->GetCount());
  // Moved past its centre: it begins a group; before the centre: it ends one.
  pBar->OnCustomizeDragEnter(pDragged, ptStart);
  EXPECT_EQ(5, pBar->OnCustomizeDrop(pDragged, Inside(2, -3), 2));
  EXPECT_TRUE(Control(2)->GetBeginGroup());
  pBar->OnCustomizeDragEnter(pDragged, Inside(2, -3));
  EXPECT_EQ(5, pBar->OnCustomizeDrop(pDragged, Inside(2, 2), 2));
  EXPECT_FALSE(Control(2)->GetBeginGroup());
  EXPECT_EQ(3, pBar->GetControls()->GetCount());
}

TEST_F(ToolBarCustomize, ARightClickOnAControlGoesToTheSiteFirst) {
  const CPoint pt = Control(0)->GetRect().CenterPoint();
  m_h.host.m_lRightClickAnswer = 1;
  m_h.pBar->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(pt.x, pt.y));
  EXPECT_EQ(std::vector<CJVKControl*>({Control(0)}), m_h.host.m_rightClicks);
  // Over no control the site hears nothing.
  m_h.pBar->SendMessage(WM_RBUTTONUP, 0, MAKELPARAM(1, 1));
  EXPECT_EQ(1u, m_h.host.m_rightClicks.size());
}

}  // namespace
