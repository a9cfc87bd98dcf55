// Every appearance style with every colour set drawn into DIB sections.
// Each colour-set entry gets a colour of its own, so a probe pixel names the
// entry it met. UIKIT_TAB_SHEET=<file.bmp> writes a sheet of every style
// (rows) in every colour set (columns) to look at.
#include "TabAppearanceSet.h"
#include "TabColorSet.h"
#include "TabHost.h"

#include <ColorManager.h>
#include <DibCanvas.h>

#include <WinThemeWrapper.h>
#include <gtest/gtest.h>
#include <uxtheme.h>

#include <cstdlib>
#include <string>

namespace {

const COLORREF kCanvas = RGB(1, 2, 3);

COLORREF Slot(int n) { return RGB(10 + n * 9, 200 - n * 7, 30 + n * 5); }

// Distinct overrides for the entries the probes read.
void MarkEntries(CJVKTabColorSet* pColors) {
  CJVKColorRef* refs[] = {&pColors->m_clrFrame,          &pColors->m_clrBackground,
                          &pColors->m_clrHighlight,      &pColors->m_clrSelectedFace,
                          &pColors->m_clrNormalFace,     &pColors->m_clrClassicLight,
                          &pColors->m_clrClassicShadow,  &pColors->m_clrClassicDark,
                          &pColors->m_clrSlantedOutline, &pColors->m_clrSlantedSelectedOutline,
                          &pColors->m_clrSelectedText,   &pColors->m_clrTrapezoid[0][0]};
  for (size_t i = 0; i < sizeof(refs) / sizeof(refs[0]); ++i) refs[i]->m_clrOverride = Slot(static_cast<int>(i));
  if (pColors->m_grcClientFace.m_clrStart.GetColor() != kJvkTabCheckerboard) {
    pColors->m_grcClientFace.m_clrStart.m_clrOverride = Slot(12);
    pColors->m_grcClientFace.m_clrEnd.m_clrOverride = Slot(12);
  }
  pColors->m_grcHotFace.m_clrStart.m_clrOverride = Slot(13);
}

// A strip of three tabs, the middle one selected, drawn at the top of a
// canvas cell.
struct CStrip {
  CTestTabHost host;
  explicit CStrip(int nStyle, int nColor, CRect rc = CRect(0, 0, 240, 90)) : host(rc) {
    host.m_paint.SetAppearance(nStyle);
    host.m_paint.SetColor(nColor);
    host.UseFixedWidth(60);
    host.Add("One");
    host.Add("Two");
    host.Add("Three");
    host.SetSelectedItem(host.GetItem(1));
  }
  void Draw(CDC* pDC) {
    host.Reposition();
    host.m_paint.DrawTabControl(&host, pDC, host.m_rc);
  }
};

enum { kAny = -1 };

struct StyleLook {
  int nStyle;
  int nOutlineDx, nOutlineDy;  // from the selected tab's top-left corner
  int nOutlineSlot;            // the entry met there (index into the marked entries)
  BOOL bFaceIsSelectedFace;    // the selected tab's face probe
  BOOL bClientIsSelectedFace;  // the client probe
};

const StyleLook kLooks[] = {
    {0, -2, 1, 5, TRUE, TRUE},  {1, -2, 1, 5, TRUE, TRUE},   {2, 0, 9, 0, TRUE, TRUE},
    {3, 10, 0, 9, TRUE, TRUE},  {4, 0, 9, 13, FALSE, FALSE}, {5, 0, 9, 2, TRUE, TRUE},
    {6, 0, 9, 0, TRUE, TRUE},   {7, 20, -1, 11, TRUE, TRUE}, {8, 0, 0, 2, TRUE, FALSE},
    {9, 20, 0, 9, TRUE, TRUE},
};

// The client-area pixel probed above as the "TAB" pane part draws it.
COLORREF ThemePanePixel(CTestTabHost& host, const CRect& rcClient) {
  CJVKWinThemeWrapper theme;
  theme.OpenThemeData(nullptr, L"TAB");
  CDibCanvas canvas(240, 90, kCanvas);
  // The client area as the frame leaves it: grown by the 2-pixel frame.
  CRect rcPane = rcClient;
  rcPane.InflateRect(2, 2);
  theme.DrawThemeBackground(*canvas.DC(), 9, 0, rcPane, nullptr);
  (void)host;
  return canvas.Pixel(rcClient.left + 20, rcClient.bottom - 10);
}

BOOL SolidFaces(int nColor, CJVKTabColorSet* pColors) {
  return nColor == jvkTabColorDefault || nColor == jvkTabColorFlat ||
         (nColor == jvkTabColorVisualStyle && !pColors->IsAppThemed());
}

TEST(TabPaint, EveryStyleInEveryColorSet) {
  const int colors[] = {jvkTabColorDefault, jvkTabColorFlat, jvkTabColorScheme, jvkTabColorVisualStyle,
                        jvkTabColorSchemeLight};
  for (const StyleLook& look : kLooks) {
    for (int nColor : colors) {
      SCOPED_TRACE(::testing::Message() << "style " << look.nStyle << " colours " << nColor);
      CStrip strip(look.nStyle, nColor);
      CJVKTabColorSet* pColors = strip.host.m_paint.GetColorSet();
      MarkEntries(pColors);
      CDibCanvas canvas(240, 90, kCanvas);
      strip.Draw(canvas.DC());
      const CRect rcSel = strip.host.GetItem(1)->GetRect();
      ASSERT_FALSE(rcSel.IsRectEmpty());

      const CRect rcClient = strip.host.GetClientRect();
      const COLORREF clrClient = canvas.Pixel(rcClient.left + 20, rcClient.bottom - 10);
      if (pColors->IsAppThemed()) {
        // The visual style draws the faces and the client pane: the pane's
        // pixel is the one the style's own drawing gives.
        const COLORREF clrFace = canvas.Pixel(rcSel.left + 3, rcSel.top + rcSel.Height() / 2);
        EXPECT_NE(kCanvas, clrFace);
        if (look.bClientIsSelectedFace) EXPECT_EQ(ThemePanePixel(strip.host, rcClient), clrClient);
        continue;
      }
      EXPECT_EQ(Slot(look.nOutlineSlot), canvas.Pixel(rcSel.left + look.nOutlineDx, rcSel.top + look.nOutlineDy));
      const COLORREF clrFace = canvas.Pixel(rcSel.left + 3, rcSel.top + rcSel.Height() / 2);
      if (look.bFaceIsSelectedFace && SolidFaces(nColor, pColors)) {
        EXPECT_EQ(Slot(3), clrFace);
      } else {
        EXPECT_NE(kCanvas, clrFace);
      }
      if (look.bClientIsSelectedFace) {
        EXPECT_EQ(Slot(3), clrClient);
      } else if (look.nStyle == 4) {
        EXPECT_EQ(Slot(1), clrClient);  // the buttons style fills only the background
      }
    }
  }
}

TEST(TabPaint, ItemColoursPaintTheSelectedTabAndClient) {
  CStrip strip(6, jvkTabColorFlat);
  strip.host.m_paint.m_bItemColors = TRUE;
  CDibCanvas canvas(240, 90, kCanvas);
  strip.Draw(canvas.DC());
  const COLORREF clrSecond = RGB(255, 219, 117);  // the second palette colour
  const CRect rcSel = strip.host.GetItem(1)->GetRect();
  EXPECT_EQ(clrSecond, canvas.Pixel(rcSel.left + 3, rcSel.top + 9));
  EXPECT_EQ(clrSecond, canvas.Pixel(120, 70));
  EXPECT_EQ(RGB(138, 168, 228), canvas.Pixel(strip.host.GetItem(0)->GetRect().left + 3, rcSel.top + 9));
}

TEST(TabPaint, DefaultSetFillsTheSelectedButtonWithTheCheckerboard) {
  CStrip strip(4, jvkTabColorDefault);
  CDibCanvas canvas(240, 90, kCanvas);
  strip.Draw(canvas.DC());
  const CRect rcSel = strip.host.GetItem(1)->GetRect();
  const COLORREF a = canvas.Pixel(rcSel.left + 3, rcSel.top + 3), b = canvas.Pixel(rcSel.left + 4, rcSel.top + 3);
  EXPECT_NE(a, b);
  EXPECT_EQ(a, canvas.Pixel(rcSel.left + 4, rcSel.top + 4));
}

// The visual-style set where no style runs: it opens no part.
class CUnstyledColorSet : public CJVKTabColorSetVisualStyle {
 protected:
  void OpenThemes() override {}
};

// Without a visual style the visual-style set draws exactly as the default
// set, in every style and position.
TEST(TabPaint, VisualStyleSetWithoutAStyleDrawsLikeTheDefault) {
  for (int nStyle = 0; nStyle < 10; ++nStyle) {
    for (int nPosition = 0; nPosition < 4; ++nPosition) {
      CStrip unstyled(nStyle, jvkTabColorDefault), plain(nStyle, jvkTabColorDefault);
      unstyled.host.m_paint.SetColorSet(new CUnstyledColorSet);
      ASSERT_FALSE(unstyled.host.m_paint.GetColorSet()->IsAppThemed());
      unstyled.host.m_paint.SetPosition(nPosition);
      plain.host.m_paint.SetPosition(nPosition);
      CDibCanvas a(240, 90, kCanvas), b(240, 90, kCanvas);
      unstyled.Draw(a.DC());
      plain.Draw(b.DC());
      for (int y = 0; y < 90; y += 2)
        for (int x = 0; x < 240; x += 2)
          ASSERT_EQ(b.Pixel(x, y), a.Pixel(x, y)) << "style " << nStyle << " position " << nPosition << " at " << x
                                                  << "," << y;
    }
  }
}

TEST(TabPaint, ScrollButtonsDrawTheirGlyphs) {
  CStrip strip(0, jvkTabColorDefault, CRect(0, 0, 150, 60));
  for (int i = 0; i < 3; ++i) strip.host.Add("More");
  strip.host.SetSelectedItem(strip.host.GetItem(0));
  CDibCanvas canvas(150, 60, kCanvas);
  strip.Draw(canvas.DC());
  CJVKTabManagerNavigateButton* pForward = strip.host.FindNavigateButton(jvkTabNavigateForward);
  CJVKTabManagerNavigateButton* pBack = strip.host.FindNavigateButton(jvkTabNavigateBack);
  ASSERT_TRUE(pForward->IsVisible());
  EXPECT_TRUE(pForward->IsEnabled());
  EXPECT_FALSE(pBack->IsEnabled());
  const COLORREF clrGlyph = GetColorManager()->GetColor(COLOR_BTNTEXT);
  // The filled arrow's middle, and the outlined one's hollow middle.
  const CPoint f = pForward->GetRect().CenterPoint(), b = pBack->GetRect().CenterPoint();
  EXPECT_EQ(clrGlyph, canvas.Pixel(f.x - 1, f.y - 1));
  EXPECT_EQ(clrGlyph, canvas.Pixel(b.x + 2, b.y - 1));  // the outline's back edge
  EXPECT_NE(clrGlyph, canvas.Pixel(b.x + 1, b.y - 1));
}

void DrawSheet() {
  const char* path = std::getenv("UIKIT_TAB_SHEET");
  if (!path) return;
  const int colors[] = {jvkTabColorDefault, jvkTabColorFlat, jvkTabColorScheme, jvkTabColorVisualStyle,
                        jvkTabColorSchemeLight};
  const int cx = 250, cy = 96;
  CDibCanvas canvas(cx * 5, cy * 12, RGB(255, 255, 255));
  for (int nStyle = 0; nStyle < 10; ++nStyle) {
    for (int c = 0; c < 5; ++c) {
      CStrip strip(nStyle, colors[c], CRect(0, 0, cx - 10, cy - 6));
      canvas.DC()->SetViewportOrg(c * cx + 5, nStyle * cy + 3);
      strip.Draw(canvas.DC());
    }
  }
  // The last two rows: style 0 and the slanted style at the bottom, left
  // and right, and a multi-row strip.
  const struct {
    int nStyle, nPosition, nLayout;
  } extras[] = {{0, jvkTabPositionBottom, 2}, {0, jvkTabPositionLeft, 2}, {3, jvkTabPositionRight, 2},
                {3, jvkTabPositionBottom, 2}, {5, jvkTabPositionTop, 4},  {9, jvkTabPositionBottom, 0},
                {2, jvkTabPositionLeft, 0},   {7, jvkTabPositionBottom, 0}, {6, jvkTabPositionTop, 4},
                {4, jvkTabPositionTop, 4}};
  for (int i = 0; i < 10; ++i) {
    CStrip strip(extras[i].nStyle, 0, CRect(0, 0, cx - 10, cy - 6));
    strip.host.m_paint.SetColor(strip.host.m_paint.GetAppearanceSet()->GetDefaultColorSet());
    strip.host.m_paint.SetPosition(extras[i].nPosition);
    strip.host.m_paint.SetLayout(extras[i].nLayout);
    for (int k = 0; k < 4; ++k) strip.host.Add("Extra");
    canvas.DC()->SetViewportOrg((i % 5) * cx + 5, (10 + i / 5) * cy + 3);
    strip.Draw(canvas.DC());
  }
  canvas.DC()->SetViewportOrg(0, 0);
  canvas.Save(path);
}

TEST(TabPaint, Sheet) { DrawSheet(); }

}  // namespace
