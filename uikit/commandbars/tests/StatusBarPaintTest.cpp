// The status-bar entry points of the paint manager: panes with their text,
// colours, alignment and icon, the pane borders, the size gripper and the
// bar's background, per theme.
#include "PaintTestSupport.h"

#include "GradientTheme.h"
#include "ImageManager.h"
#include "ImageTestSupport.h"
#include "Refusal.h"

namespace {

const COLORREF kBack = RGB(1, 2, 3);

struct CNoVisualStyles {
  CRefusal refusal{{"uxtheme.dll"}};
};

// The leftmost and rightmost columns with a pixel of this colour; -1 when none.
std::pair<int, int> ColumnsOf(CDibCanvas& canvas, const CRect& rc, COLORREF clr) {
  int first = -1, last = -1;
  for (int x = rc.left; x < rc.right; ++x)
    for (int y = rc.top; y < rc.bottom; ++y)
      if (canvas.Pixel(x, y) == clr) {
        if (first < 0) first = x;
        last = x;
        break;
      }
  return {first, last};
}

struct PaneFixture {
  CFakeStatusBar bar;
  CFakePane pane;
  CFont font;
  PaneFixture() {
    pane.pBar = &bar;
    font.CreatePointFont(90, "Arial");
    pane.pFont = &font;
    pane.strText = "Ready";
  }
  int TextWidth(CDibCanvas& canvas) {
    CFont* pOld = canvas.DC()->SelectObject(&font);
    const int cx = canvas.DC()->GetTextExtent(pane.strText).cx;
    canvas.DC()->SelectObject(pOld);
    return cx;
  }
};

TEST(StatusBarPane, TextColours) {
  CThemeRef pm(1);
  pm->m_clrDefaultText = RGB(10, 200, 30);
  const struct {
    COLORREF clrPane;
    BOOL bDisabled, bBarShowsDisabled;
    COLORREF clrExpected;  // 0: no text at all
  } rows[] = {
      {static_cast<COLORREF>(-1), FALSE, FALSE, RGB(10, 200, 30)},
      {RGB(200, 0, 0), FALSE, FALSE, RGB(200, 0, 0)},
      {static_cast<COLORREF>(-1), TRUE, TRUE, SlotColor(COLOR_GRAYTEXT)},
      {RGB(200, 0, 0), TRUE, TRUE, SlotColor(COLOR_GRAYTEXT)},
      {static_cast<COLORREF>(-1), TRUE, FALSE, 0},
  };
  for (const auto& row : rows) {
    PaneFixture f;
    f.pane.clrText = row.clrPane;
    f.pane.nStyle = row.bDisabled ? JVK_PANE_DISABLED : 0;
    f.bar.bDisabledText = row.bBarShowsDisabled;
    CDibCanvas canvas(120, 22, kBack);
    pm->DrawStatusBarPane(canvas.DC(), CRect(0, 0, 120, 22), &f.pane);
    if (row.clrExpected == 0) {
      EXPECT_EQ(120 * 22, CountColor(canvas, CRect(0, 0, 120, 22), kBack)) << "disabled text stays hidden";
      continue;
    }
    EXPECT_GT(CountColor(canvas, CRect(0, 0, 120, 22), row.clrExpected), 10)
        << row.clrPane << " disabled " << row.bDisabled;
  }
}

TEST(StatusBarPane, BackgroundAndAlignment) {
  CThemeRef pm(0);
  pm->m_clrDefaultText = RGB(0, 0, 0);
  const struct {
    UINT nStyle;
    int nAlignment;
  } rows[] = {{0, 0}, {0, 1}, {0, 2}, {JVK_PANE_NOBORDERS, 0}, {JVK_PANE_NOBORDERS, 2}};
  for (const auto& row : rows) {
    PaneFixture f;
    f.pane.clrBack = RGB(255, 255, 0);
    f.pane.nStyle = row.nStyle;
    f.pane.nAlignment = row.nAlignment;
    CDibCanvas canvas(120, 22, kBack);
    const CRect rc(0, 0, 120, 22);
    pm->DrawStatusBarPane(canvas.DC(), rc, &f.pane);
    const BOOL bBorders = !(row.nStyle & JVK_PANE_NOBORDERS);
    EXPECT_EQ(bBorders ? kBack : RGB(255, 255, 0), canvas.Pixel(0, 0)) << row.nStyle;
    EXPECT_EQ(RGB(255, 255, 0), canvas.Pixel(1, 1));
    const int w = f.TextWidth(canvas);
    const auto cols = ColumnsOf(canvas, rc, RGB(0, 0, 0));
    ASSERT_GE(cols.first, 0);
    // Text area: 2 pixels in on each side.
    int nLeft = 2;
    if (row.nAlignment == 1) nLeft = 2 + (116 - w) / 2;
    if (row.nAlignment == 2) nLeft = 118 - w;
    EXPECT_NEAR(nLeft, cols.first, 2) << "alignment " << row.nAlignment;
    EXPECT_LE(cols.second, nLeft + w) << "alignment " << row.nAlignment;
  }
}

TEST(StatusBarPane, IconBeforeTheText) {
  const UINT kIcon = 45101;
  if (GetImageManager()->GetImage(kIcon) == nullptr) {
    HICON hIcon = MakeIcon(16, 16, [](int, int) { return Argb(255, 0, 160, 0); });
    GetImageManager()->SetIcon(CJVKImageManagerIconHandle(hIcon), kIcon);
  }
  CThemeRef pm(1);
  pm->m_clrDefaultText = RGB(0, 0, 0);
  PaneFixture f;
  f.pane.nIconId = static_cast<int>(kIcon);
  CDibCanvas canvas(120, 22, kBack);
  pm->DrawStatusBarPane(canvas.DC(), CRect(0, 0, 120, 22), &f.pane);
  const auto icon = ColumnsOf(canvas, CRect(0, 0, 120, 22), RGB(0, 160, 0));
  EXPECT_EQ(2, icon.first);
  EXPECT_EQ(17, icon.second);
  EXPECT_EQ(RGB(0, 160, 0), canvas.Pixel(2, 3)) << "vertically centred";
  const auto text = ColumnsOf(canvas, CRect(0, 0, 120, 22), RGB(0, 0, 0));
  EXPECT_GE(text.first, 20) << "the text starts 2 pixels after the icon";
}

TEST(StatusBarParts, BordersGripperAndBackground) {
  CNoVisualStyles styles;
  const struct {
    int nTheme;
    int nTopLeft, nBottomRight;  // -2: the gradient's pane border colour
  } rows[] = {{0, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT},
              {1, COLOR_BTNSHADOW, COLOR_BTNSHADOW},
              {2, -2, -2},
              {3, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT},
              {4, -2, -2}};
  for (const auto& row : rows) {
    CThemeRef pm(row.nTheme);
    CDibCanvas canvas(100, 22, kBack);
    pm->DrawStatusBarPaneBorder(canvas.DC(), CRect(10, 2, 60, 20), FALSE);
    auto expected = [&](int n) {
      return n == -2 ? static_cast<CJVKGradientTheme*>(pm.get())->m_clrPaneBorder : SlotColor(n);
    };
    EXPECT_EQ(expected(row.nTopLeft), canvas.Pixel(10, 2)) << row.nTheme;
    EXPECT_EQ(expected(row.nBottomRight), canvas.Pixel(59, 19)) << row.nTheme;
    EXPECT_EQ(kBack, canvas.Pixel(30, 10)) << row.nTheme;

    CFakeStatusBar bar;
    bar.rcClient.SetRect(0, 0, 100, 22);
    CDibCanvas back(100, 22, kBack);
    pm->FillStatusBar(back.DC(), &bar);
    EXPECT_EQ(100 * 22, CountColor(back, CRect(0, 0, 100, 22), SlotColor(COLOR_3DFACE))) << row.nTheme;

    CDibCanvas grip(30, 30, kBack);
    pm->DrawStatusBarGripper(grip.DC(), CRect(0, 0, 30, 30));
    // The outermost groove: a light line at the corner's diagonal, dark ones further in.
    EXPECT_EQ(SlotColor(COLOR_BTNHIGHLIGHT), grip.Pixel(29, 29)) << row.nTheme;
    EXPECT_EQ(SlotColor(COLOR_BTNSHADOW), grip.Pixel(28, 29)) << row.nTheme;
    EXPECT_EQ(SlotColor(COLOR_BTNSHADOW), grip.Pixel(29, 27)) << row.nTheme;
    EXPECT_EQ(kBack, grip.Pixel(5, 5)) << row.nTheme;
    // Grooves 4 apart (light line, two dark) or, in the gradient themes, 5
    // apart (light line, three dark): diagonals of 1 + 5 + 9 light pixels
    // and 2 + 3 + 6 + 7 + 10 + 11 dark ones, or 1 + 6 + 11 and 2 + 3 + 4 +
    // 7 + 8 + 9 + 12 + 13 + 14.
    const BOOL bGradient = row.nTheme == 2 || row.nTheme == 4;
    EXPECT_EQ(bGradient ? 18 : 15, CountColor(grip, CRect(0, 0, 30, 30), SlotColor(COLOR_BTNHIGHLIGHT))) << row.nTheme;
    EXPECT_EQ(bGradient ? 72 : 39, CountColor(grip, CRect(0, 0, 30, 30), SlotColor(COLOR_BTNSHADOW))) << row.nTheme;
  }
}

TEST(StatusBarParts, DockBarAndStatusBarFillWithTheFace) {
  CThemeRef pm(0);
  CFakeDockBar dock;
  CDibCanvas canvas(300, 30, kBack);
  pm->FillDockBar(canvas.DC(), &dock);
  EXPECT_EQ(300 * 30, CountColor(canvas, CRect(0, 0, 300, 30), SlotColor(COLOR_3DFACE)));
}

}  // namespace
