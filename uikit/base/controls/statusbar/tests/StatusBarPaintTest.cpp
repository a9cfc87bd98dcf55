// The status bar drawn through the paint manager into a DIB: the bar's
// background, pane borders, a pane's own text and background colours and the
// size gripper, in the classic and the gradient theme. Every colour slot of
// the theme has a colour of its own, so a probe names the slot it meets.
#include <gtest/gtest.h>

#include <cstdlib>

#include "GradientTheme.h"
#include "PaintTestSupport.h"
#include "Refusal.h"
#include "StatusBarTestFrame.h"

namespace {

const COLORREF kPaneText = RGB(200, 0, 0);
const COLORREF kPaneBack = RGB(0, 0, 200);

struct ThemeCase {
  int nTheme;
  const char* name;
};
const ThemeCase kThemes[] = {{0, "classic"}, {2, "gradient"}};

// The colours the theme's pane border uses on its top-left and bottom-right.
std::pair<COLORREF, COLORREF> PaneBorderColors(CJVKPaintManager* pm, int nTheme) {
  if (nTheme == 2) {
    const COLORREF clr = static_cast<CJVKGradientTheme*>(pm)->m_clrPaneBorder;
    return {clr, clr};
  }
  return {pm->GetColor(COLOR_BTNSHADOW), pm->GetColor(COLOR_BTNHIGHLIGHT)};
}

// Pixels in rc that differ from clr.
int CountOther(CDibCanvas& canvas, const CRect& rc, COLORREF clr) {
  return rc.Width() * rc.Height() - CountColor(canvas, rc, clr);
}

void Decorate(CJVKStatusBar& bar) {
  bar.SetPaneText(0, "Ready");
  bar.GetPane(1)->SetTextColor(kPaneText);
  bar.GetPane(2)->SetBackgroundColor(kPaneBack);
}

TEST(StatusBarPaintTest, BackgroundBordersColoursAndGripperPerTheme) {
  CRefusal refusal{{"uxtheme.dll"}};  // the themes' own drawing, not the visual style's
  for (const ThemeCase& theme : kThemes) {
    SCOPED_TRACE(theme.name);
    CThemeRef pm(theme.nTheme);
    CFrameHolder frame(new CStatusTestFrame);
    CJVKStatusBar& bar = frame->Bar();
    Decorate(bar);
    const CRect rcClient = bar.GetClientRect();
    CDibCanvas canvas(rcClient.Width(), rcClient.Height());
    bar.DrawBar(canvas.DC(), pm.get());

    const COLORREF clrFace = pm->GetColor(COLOR_3DFACE);
    CRect rcMessage, rcCaps, rcOverwrite, rcNum;
    bar.GetItemRect(0, &rcMessage);
    bar.GetItemRect(1, &rcCaps);
    bar.GetItemRect(2, &rcOverwrite);
    bar.GetItemRect(3, &rcNum);
    // The message pane has no border: the bar's background at its corners.
    EXPECT_EQ(canvas.Pixel(rcMessage.left, rcMessage.top), clrFace);
    EXPECT_EQ(canvas.Pixel(rcMessage.right - 1, rcMessage.bottom - 1), clrFace);
    // Borders around the others.
    const auto border = PaneBorderColors(pm.get(), theme.nTheme);
    for (const CRect& rc : {rcCaps, rcOverwrite, rcNum}) {
      EXPECT_EQ(canvas.Pixel(rc.left, rc.top + rc.Height() / 2), border.first);
      EXPECT_EQ(canvas.Pixel(rc.right - 1, rc.top + rc.Height() / 2), border.second);
    }
    // The caps pane's text in its own colour, the message in the theme's.
    EXPECT_GT(CountColor(canvas, rcCaps, kPaneText), 5);
    EXPECT_EQ(CountColor(canvas, rcMessage, kPaneText), 0);
    EXPECT_GT(CountOther(canvas, rcMessage, clrFace), 5) << "the message text";
    // The overwrite pane's own background inside its border.
    EXPECT_EQ(canvas.Pixel(rcOverwrite.left + 1, rcOverwrite.top + 1), kPaneBack);
    // The gripper in the corner beyond the last pane.
    const CRect rcCorner(rcClient.right - 12, rcClient.bottom - 12, rcClient.right, rcClient.bottom);
    ASSERT_GE(rcCorner.left, rcNum.right);
    EXPECT_GT(CountOther(canvas, rcCorner, clrFace), 8);
    if (theme.nTheme == 0) {
      EXPECT_GT(CountColor(canvas, rcCorner, pm->GetColor(COLOR_BTNSHADOW)), 8);
    }

    if (const char* pszPath = std::getenv("UIKIT_STATUSBAR_SHEET")) {
      std::string strPath = std::string(pszPath) + "-" + theme.name + ".bmp";
      canvas.Save(strPath.c_str());
    }
  }
}

TEST(StatusBarPaintTest, TheGripperNeedsTheParentsSizingBorder) {
  CThemeRef pm(0);
  for (BOOL bSizing : {TRUE, FALSE}) {
    SCOPED_TRACE(bSizing);
    CFrameHolder frame(new CStatusTestFrame(bSizing));
    CJVKStatusBar& bar = frame->Bar();
    EXPECT_EQ((bar.GetStyle() & SBARS_SIZEGRIP) != 0, bSizing != FALSE);
    // The last pane drawn as bare background: only a gripper marks the corner.
    bar.SetPaneStyle(3, JVK_PANE_NOBORDERS);
    bar.SetPaneText(3, "");
    const CRect rcClient = bar.GetClientRect();
    CDibCanvas canvas(rcClient.Width(), rcClient.Height());
    bar.DrawBar(canvas.DC(), pm.get());
    const CRect rcCorner(rcClient.right - 12, rcClient.bottom - 12, rcClient.right, rcClient.bottom);
    const int nMarked = CountOther(canvas, rcCorner, pm->GetColor(COLOR_3DFACE));
    if (bSizing) {
      EXPECT_GT(nMarked, 8);
    } else {
      EXPECT_EQ(nMarked, 0);
    }
  }
}

// The bar paints itself through the current paint manager: its window shows
// the theme's colours; without one the control paints.
TEST(StatusBarPaintTest, TheWindowPaintsWithTheCurrentPaintManager) {
  CJVKPaintManager::SetTheme(0);
  OverrideAllSlots(CJVKPaintManager::GetCurrent());
  CFrameHolder frame(new CStatusTestFrame);
  CJVKStatusBar& bar = frame->Bar();
  Decorate(bar);
  frame->SetWindowPos(&CWnd::wndTopMost, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  PumpPending();
  EXPECT_TRUE(bar.IsDrawnWithPaintManager());

  const CRect rcClient = bar.GetClientRect();
  CDibCanvas canvas(rcClient.Width(), rcClient.Height());
  {
    CClientDC dc(&bar);
    canvas.DC()->BitBlt(0, 0, rcClient.Width(), rcClient.Height(), &dc, 0, 0, SRCCOPY);
  }
  CRect rcOverwrite;
  bar.GetItemRect(2, &rcOverwrite);
  EXPECT_EQ(canvas.Pixel(rcOverwrite.left + 1, rcOverwrite.top + 1), kPaneBack);
  EXPECT_EQ(canvas.Pixel(1, 1), CJVKPaintManager::GetCurrent()->GetColor(COLOR_3DFACE));
  if (const char* pszPath = std::getenv("UIKIT_STATUSBAR_SHEET")) {
    CRect rcFrame;
    frame->GetWindowRect(&rcFrame);
    CDibCanvas shot(rcFrame.Width(), rcFrame.Height());
    CWindowDC dc(&*frame);
    shot.DC()->BitBlt(0, 0, rcFrame.Width(), rcFrame.Height(), &dc, 0, 0, SRCCOPY);
    shot.Save((std::string(pszPath) + "-frame.bmp").c_str());
  }

  bar.SetDrawWithPaintManager(FALSE);
  EXPECT_FALSE(bar.IsDrawnWithPaintManager());
  CJVKPaintManager::ReleaseCurrent();
  bar.SetDrawWithPaintManager(TRUE);
  EXPECT_FALSE(bar.IsDrawnWithPaintManager()) << "none exists";
}

}  // namespace
