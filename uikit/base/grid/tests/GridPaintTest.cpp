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

class GridPaintTest : public ::testing::Test {
 protected:
  GridPaintTest() : m_window(CGridTestWindow::Reset()), m_view(m_window.View()) {}

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
  for (int nTheme = 0; nTheme <= 6; ++nTheme) {
    SCOPED_TRACE(nTheme);
    m_window.m_grid.SetTheme(nTheme);
    ASSERT_EQ(nTheme, m_window.m_grid.GetTheme());
    CJVKPropertyGridPaintManager* pPaint = m_window.m_grid.GetPaintManager();
    CJVKPropertyGridItemMetrics* pMetrics = pPaint->GetItemMetrics();
    const COLORREF clrLine = pMetrics->m_clrLine;
    const COLORREF clrBack = pMetrics->m_clrBack;

    // The grid: face colour around, the help panel at the bottom.
    CRect rcGrid;
    m_window.m_grid.GetClientRect(&rcGrid);
    CDibCanvas grid(rcGrid.Width(), rcGrid.Height());
    pPaint->DrawBackground(grid.DC());
    const CRect rcBar = m_window.m_grid.GetSplitterRect();
    EXPECT_EQ(pPaint->GetFaceColor(), grid.Pixel(10, rcBar.top + 1));
    EXPECT_EQ(COLORREF(pMetrics->m_clrHelpBack), grid.Pixel(rcGrid.right - 4, rcGrid.bottom - 4));
    EXPECT_EQ(pPaint->GetLineColor(), grid.Pixel(rcGrid.right - 1, rcGrid.bottom - 10));

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
    EXPECT_EQ(nTheme == 4 ? clrBack : clrLine, rows.Pixel(rcCategory.right - 3, cyCategory));
    // The value part in the back colour, the margin beside the nested item
    // in the category colour.
    EXPECT_EQ(clrBack, rows.Pixel(rcItem.right - 3, cyItem));
    EXPECT_EQ(clrLine, rows.Pixel(5, cyItem));
    const int x = m_view.GetDividerPos();
    if (nTheme == 5) {
      EXPECT_EQ(JVKGridColor(COLOR_3DSHADOW), rows.Pixel(x - 1, cyItem));
      EXPECT_EQ(JVKGridColor(COLOR_3DHILIGHT), rows.Pixel(x, cyItem));
    } else {
      EXPECT_EQ(nTheme == 3 ? JVKGridColor(COLOR_3DSHADOW) : clrLine, rows.Pixel(x, cyItem));
    }
    // The expand box's left edge (classic glyphs where no visual style is on).
    if (!(pPaint->IsThemed() && CJVKWinThemeWrapper::IsThemeActive() && nTheme != 6)) {
      const COLORREF clrEdge = nTheme == 6 ? JVKGridColor(COLOR_3DSHADOW) : COLORREF(pMetrics->m_clrFore);
      EXPECT_EQ(clrEdge, rows.Pixel(2, cyCategory));
    }
    if (nTheme == 6) {
      // The gradient under the category caption runs to the highlight colour.
      const COLORREF clrEnd = rows.Pixel(rcCategory.right - 1, rcCategory.bottom - 3);
      const COLORREF clrHi = JVKGridColor(COLOR_3DHILIGHT);
      EXPECT_NEAR(GetRValue(clrHi), GetRValue(clrEnd), 8);
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
  EXPECT_EQ(JVKGridColor(COLOR_HIGHLIGHT), focused.Pixel(pt.x, pt.y));
  ::SetFocus(m_window.m_hWnd);
  CDibCanvas unfocused(rcView.Width(), rcView.Height());
  DrawRow(unfocused, pItem, ODS_SELECTED);
  EXPECT_EQ(COLORREF(m_window.m_grid.GetPaintManager()->GetItemMetrics()->m_clrLine), unfocused.Pixel(pt.x, pt.y));
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
    EXPECT_EQ(COLORREF(m_window.m_grid.GetPaintManager()->GetItemMetrics()->m_clrHelpBack),
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
