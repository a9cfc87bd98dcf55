// Every theme paints the help panel and the rows with its colours, checked
// by probe pixels of a memory DC; an item's own colours survive every theme.
// UIKIT_GRID_SNAPSHOT=<folder> writes a screen picture of the grid in each
// theme (grid-theme-N.bmp) to look at.
#include "GridTestWindow.h"

#include <cstdlib>

#include "DibCanvas.h"
#include "ColorManager.h"
#include "PropertyGridPaintManager.h"
#include "WinThemeWrapper.h"

namespace {

// A colour of its own for each colour-manager slot the grid paints with, so
// that a pixel tells which slot it came from.
COLORREF SlotColor(UINT nSlot) { return RGB(4 * nSlot + 3, 240 - 3 * nSlot, (nSlot * 37) % 200 + 20); }
const UINT kPaintedSlots[] = {COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_HIGHLIGHT, COLOR_3DFACE, COLOR_3DSHADOW,
                              COLOR_GRAYTEXT, COLOR_BTNTEXT, COLOR_3DHILIGHT, 57};

// The colours each theme paints with, as the themes are specified: slot
// numbers of the colour manager, the system's scroll-bar colour, and fixed
// values (written as COLORREFs) for the visual styles' colour schemes.
struct ThemeColours {
  COLORREF face, line, helpBack, category, back, text;
};

ThemeColours SpecifiedColours(int nTheme, int nSystemTheme) {
  ThemeColours c = {SlotColor(15), SlotColor(16), SlotColor(15), ::GetSysColor(COLOR_SCROLLBAR), SlotColor(5),
                    SlotColor(8)};
  switch (nTheme) {
    case 1:
      if (nSystemTheme == 1 || nSystemTheme == 3) c.line = 0xB99D7F;
      if (nSystemTheme == 2) c.line = 0x7FB9A4;
      break;
    case 2: {
      static const ThemeColours kTints[] = {
          {0xFEECDD, 0xE0A47B, 0xFEECDD, 0xF0C7A9},
          {0xE7F2F3, 0xB1BBBC, 0xE7F2F3, 0x9FD4C5},
          {0xF4EEEE, 0xBBA0A1, 0xF4EEEE, 0xD3C0C0},
      };
      if (nSystemTheme >= 1 && nSystemTheme <= 3) {
        const ThemeColours& tint = kTints[nSystemTheme - 1];
        c.face = c.helpBack = tint.face;
        c.line = tint.line;
        c.category = tint.category;
      }
      break;
    }
    case 3:
    case 4: c.category = SlotColor(15); break;
    case 5:
      c.back = SlotColor(15);
      c.text = 0x800000;
      break;
    case 6:
      c.category = SlotColor(15);
      c.line = SlotColor(57);
      break;
    default: break;
  }
  return c;
}

class GridPaintTest : public ::testing::Test {
 protected:
  GridPaintTest() : m_window(CGridTestWindow::Reset()), m_view(m_window.View()) {}
  void SetUp() override {
    for (UINT nSlot : kPaintedSlots) GetColorManager()->SetOverride(nSlot, SlotColor(nSlot));
    m_window.m_grid.SetTheme(0);
  }
  void TearDown() override {
    for (UINT nSlot : kPaintedSlots) GetColorManager()->SetOverride(nSlot, JVK_COLOR_UNSET);
    GetColorManager()->m_nThemeSetting = 4;
    m_window.m_grid.SetTheme(0);
  }

  // Draws the row of the item into the canvas (view coordinates).
  void DrawRow(CDibCanvas& canvas, CJVKPropertyGridItem* pItem, UINT nState = 0) {
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_LISTBOX;
    dis.itemID = static_cast<UINT>(pItem->GetIndex());
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = nState;
    dis.hwndItem = m_view.m_hWnd;
    dis.hDC = canvas.DC()->GetSafeHdc();
    dis.rcItem = pItem->GetItemRect();
    dis.itemData = reinterpret_cast<ULONG_PTR>(pItem);
    m_view.DrawItem(&dis);
  }
  CRect ViewClient() {
    CRect rc;
    m_view.GetClientRect(&rc);
    return rc;
  }
  CGridTestWindow& m_window;
  CJVKPropertyGridView& m_view;
};

TEST_F(GridPaintTest, EveryThemePaintsItsColours) {
  const COLORREF clrScrollBar = ::GetSysColor(COLOR_SCROLLBAR);
  for (UINT nSlot : kPaintedSlots) ASSERT_NE(clrScrollBar, SlotColor(nSlot)) << nSlot;
  // Themes 1 and 2 follow the colour scheme of the visual style.
  const struct {
    int nTheme, nSystemTheme;
  } cases[] = {{0, 0}, {1, 0}, {1, 1}, {1, 2}, {1, 3}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {3, 0}, {4, 0}, {5, 0}, {6, 0}};
  for (const auto& row : cases) {
    const int nTheme = row.nTheme;
    SCOPED_TRACE(testing::Message() << "theme " << nTheme << ", system theme " << row.nSystemTheme);
    GetColorManager()->m_nThemeSetting = row.nSystemTheme;
    ASSERT_EQ(row.nSystemTheme, GetCurrentSystemTheme());
    m_window.m_grid.SetTheme(nTheme);
    ASSERT_EQ(nTheme, m_window.m_grid.GetTheme());
    CJVKPropertyGridPaintManager* pPaint = m_window.m_grid.GetPaintManager();
    const ThemeColours c = SpecifiedColours(nTheme, row.nSystemTheme);

    // The grid: face colour around, the help panel at the bottom.
    CRect rcGrid;
    m_window.m_grid.GetClientRect(&rcGrid);
    CDibCanvas grid(rcGrid.Width(), rcGrid.Height());
    pPaint->DrawBackground(grid.DC());
    const CRect rcBar = m_window.m_grid.GetSplitterRect();
    EXPECT_EQ(c.face, grid.Pixel(10, rcBar.top + 1));
    EXPECT_EQ(c.helpBack, grid.Pixel(rcGrid.right - 4, rcGrid.bottom - 4));
    EXPECT_EQ(c.line, grid.Pixel(rcGrid.right - 1, rcGrid.bottom - 10));

    // Rows: a category and an item below it.
    const CRect rcView = ViewClient();
    CDibCanvas rows(rcView.Width(), rcView.Height());
    CJVKPropertyGridItem* pCategory = m_window.m_pNames;
    CJVKPropertyGridItem* pItem = m_window.m_pChannelName;
    DrawRow(rows, pCategory);
    DrawRow(rows, pItem);
    const CRect rcCategory = pCategory->GetItemRect();
    const CRect rcItem = pItem->GetItemRect();
    const int cyCategory = rcCategory.CenterPoint().y;
    const int cyItem = rcItem.CenterPoint().y;
    // Category rows are bands of the category colour, but in the margin
    // theme, which draws them like items.
    EXPECT_EQ(nTheme == 4 ? c.back : c.category, rows.Pixel(rcCategory.right - 3, cyCategory));
    // The value part in the back colour, the margin beside the nested item
    // in the category colour.
    EXPECT_EQ(c.back, rows.Pixel(rcItem.right - 3, cyItem));
    EXPECT_EQ(c.category, rows.Pixel(5, cyItem));
    const int x = m_view.GetDividerPos();
    if (nTheme == 5) {
      EXPECT_EQ(SlotColor(16), rows.Pixel(x - 1, cyItem));
      EXPECT_EQ(SlotColor(20), rows.Pixel(x, cyItem));
    } else {
      EXPECT_EQ(nTheme == 3 ? SlotColor(16) : c.category, rows.Pixel(x, cyItem));
    }
    // The expand box's left edge (classic glyphs where no visual style is on).
    if (!(pPaint->IsThemed() && CJVKWinThemeWrapper::IsThemeActive() && nTheme != 6)) {
      EXPECT_EQ(nTheme == 6 ? SlotColor(16) : c.text, rows.Pixel(2, cyCategory));
    }
    if (nTheme == 6) {
      // The gradient under the category caption runs to colour 20.
      const COLORREF clrEnd = rows.Pixel(rcCategory.right - 1, rcCategory.bottom - 3);
      const COLORREF clrHi = SlotColor(20);
      EXPECT_NEAR(GetRValue(clrHi), GetRValue(clrEnd), 8);
      EXPECT_NEAR(GetGValue(clrHi), GetGValue(clrEnd), 8);
      EXPECT_NEAR(GetBValue(clrHi), GetBValue(clrEnd), 8);
    }
  }
}

TEST_F(GridPaintTest, SelectedCaptionFollowsTheFocus) {
  CJVKPropertyGridItem* pItem = m_window.m_pChannelName;
  const CRect rcView = ViewClient();
  const CPoint pt(m_view.GetDividerPos() - 3, pItem->GetItemRect().top + 2);
  m_view.SetFocus();
  CDibCanvas focused(rcView.Width(), rcView.Height());
  DrawRow(focused, pItem, ODS_SELECTED);
  EXPECT_EQ(SlotColor(COLOR_HIGHLIGHT), focused.Pixel(pt.x, pt.y));
  ::SetFocus(m_window.m_hWnd);
  CDibCanvas unfocused(rcView.Width(), rcView.Height());
  DrawRow(unfocused, pItem, ODS_SELECTED);
  EXPECT_EQ(::GetSysColor(COLOR_SCROLLBAR), unfocused.Pixel(pt.x, pt.y)) << "the category colour";
}

TEST_F(GridPaintTest, OwnColoursSurviveEveryTheme) {
  CJVKPropertyGridItem* pItem = m_window.m_pChannelName;
  const COLORREF clrOwn = RGB(10, 200, 30);
  pItem->GetMetrics(TRUE)->m_clrBack.m_clrValue = clrOwn;
  const CRect rcView = ViewClient();
  for (int nTheme = 0; nTheme <= 6; ++nTheme) {
    m_window.m_grid.SetTheme(nTheme);
    CDibCanvas rows(rcView.Width(), rcView.Height());
    DrawRow(rows, pItem);
    const CRect rc = pItem->GetItemRect();
    EXPECT_EQ(clrOwn, rows.Pixel(rc.right - 3, rc.CenterPoint().y)) << nTheme;
  }
}

// With style bit 0x10 each row is first offered to the owner (code 6); an
// answer of 1 means the owner drew it, and the grid draws nothing.
TEST_F(GridPaintTest, OwnerDrawnRowsAreOfferedToTheOwnerFirst) {
  CJVKPropertyGridItem* pItem = m_window.m_pChannelName;
  const CRect rcView = ViewClient();
  const CRect rc = pItem->GetItemRect();
  const CPoint pt(rc.right - 3, rc.CenterPoint().y);
  CDibCanvas plain(rcView.Width(), rcView.Height());
  DrawRow(plain, pItem);
  EXPECT_EQ(0, m_window.CountNotices(JVK_PGN_DRAWITEM));
  EXPECT_NE(RGB(1, 2, 3), plain.Pixel(pt.x, pt.y));

  m_window.m_grid.ModifyStyle(0, JVK_PGS_OWNERDRAW);
  m_window.m_nDrawAnswer = 1;
  CDibCanvas owner(rcView.Width(), rcView.Height());
  DrawRow(owner, pItem);
  ASSERT_EQ(1, m_window.CountNotices(JVK_PGN_DRAWITEM));
  EXPECT_EQ(RGB(1, 2, 3), owner.Pixel(pt.x, pt.y));  // the canvas as it was filled
  m_window.m_nDrawAnswer = 0;
  CDibCanvas declined(rcView.Width(), rcView.Height());
  DrawRow(declined, pItem);
  EXPECT_EQ(2, m_window.CountNotices(JVK_PGN_DRAWITEM));
  EXPECT_EQ(plain.Pixel(pt.x, pt.y), declined.Pixel(pt.x, pt.y));
  m_window.m_grid.ModifyStyle(JVK_PGS_OWNERDRAW, 0);
}

TEST_F(GridPaintTest, UnknownThemeOnlyStoresTheNumber) {
  m_window.m_grid.SetTheme(3);
  CJVKPropertyGridPaintManager* pPaint = m_window.m_grid.GetPaintManager();
  m_window.m_grid.SetTheme(9);
  EXPECT_EQ(9, m_window.m_grid.GetTheme());
  EXPECT_EQ(pPaint, m_window.m_grid.GetPaintManager());
}

TEST_F(GridPaintTest, MetricsPassFromThemeToThemeAndCustomColoursOverride) {
  CJVKPropertyGridItemMetrics* pMetrics = m_window.m_grid.GetPaintManager()->GetItemMetrics();
  m_window.m_grid.SetCustomColors(RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9), RGB(10, 11, 12), RGB(13, 14, 15),
                                  RGB(16, 17, 18));
  m_window.m_grid.SetTheme(5);
  EXPECT_EQ(pMetrics, m_window.m_grid.GetPaintManager()->GetItemMetrics());
  EXPECT_EQ(RGB(1, 2, 3), COLORREF(pMetrics->m_clrHelpBack));
  EXPECT_EQ(RGB(10, 11, 12), COLORREF(pMetrics->m_clrBack));
  CRect rcGrid;
  m_window.m_grid.GetClientRect(&rcGrid);
  CDibCanvas grid(rcGrid.Width(), rcGrid.Height());
  m_window.m_grid.GetPaintManager()->DrawBackground(grid.DC());
  EXPECT_EQ(RGB(1, 2, 3), grid.Pixel(rcGrid.right - 4, rcGrid.bottom - 4));
  pMetrics->ResetColors();
  EXPECT_NE(RGB(1, 2, 3), COLORREF(pMetrics->m_clrHelpBack));
}

// The window's own painting (WM_PAINT through its memory DCs) as the screen
// shows it: the help panel in each theme's colour.
TEST_F(GridPaintTest, TheWindowPaintsEveryThemeOnScreen) {
  const char* pszFolder = std::getenv("UIKIT_GRID_SNAPSHOT");
  m_window.m_pPolarisation->Select();
  CRect rcWindow;
  m_window.GetWindowRect(&rcWindow);
  CRect rcGrid;
  m_window.m_grid.GetClientRect(&rcGrid);
  for (int nTheme = 0; nTheme <= 6; ++nTheme) {
    m_window.m_grid.SetTheme(nTheme);
    m_window.m_grid.RedrawControl();
    PumpPending();
    CDibCanvas screen(rcWindow.Width(), rcWindow.Height());
    HDC hScreen = ::GetDC(nullptr);
    ::BitBlt(screen.DC()->GetSafeHdc(), 0, 0, rcWindow.Width(), rcWindow.Height(), hScreen, rcWindow.left,
             rcWindow.top, SRCCOPY);
    ::ReleaseDC(nullptr, hScreen);
    CPoint pt(rcGrid.right - 4, rcGrid.bottom - 4);
    m_window.m_grid.ClientToScreen(&pt);
    EXPECT_EQ(SpecifiedColours(nTheme, GetCurrentSystemTheme()).helpBack,
              screen.Pixel(pt.x - rcWindow.left, pt.y - rcWindow.top))
        << nTheme;
    if (pszFolder) {
      CString path;
      path.Format("%s\\grid-theme-%d.bmp", pszFolder, nTheme);
      screen.Save(path);
    }
  }
}

}  // namespace
