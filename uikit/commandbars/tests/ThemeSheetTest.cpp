// A sheet of the themes side by side: a menu bar, a tool bar, a popup with
// its rows and a status bar per theme, drawn into one bitmap.
// UIKIT_PAINT_SHEET=<file.bmp> writes the sheet out to look at.
#include "PaintTestSupport.h"

#include "GradientTheme.h"
#include "ImageManager.h"
#include "ImageTestSupport.h"
#include "Refusal.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace {

const int kColumn = 230, kHeight = 330;
const UINT kIcons[] = {45201, 45202, 45203};

int g_nScheme = 0;
int Scheme() { return g_nScheme; }

void MakeIcons() {
  const DWORD colours[] = {Argb(255, 30, 90, 200), Argb(255, 200, 60, 40), Argb(255, 40, 160, 60)};
  for (int i = 0; i < 3; ++i) {
    if (GetImageManager()->GetImage(kIcons[i])) continue;
    const DWORD c = colours[i];
    HICON hIcon = MakeIcon(16, 16, [c, i](int x, int y) {
      const bool inside = i == 0 ? (x >= 2 && x < 14 && y >= 3 && y < 13) : i == 1 ? (x - 8) * (x - 8) + (y - 8) * (y - 8) < 40 : (x + y > 8 && x + y < 22);
      return inside ? c : 0u;
    });
    GetImageManager()->SetIcon(CJVKImageManagerIconHandle(hIcon), kIcons[i]);
  }
}

struct CSheetColumn {
  CJVKPaintManager* pm;
  int x;
  CFakeBar menu, tool, popup;
  CFakeControl menuItems[3], tools[7], rows[7];
  CFakeStatusBar status;
  CFakePane panes[3];

  void Build() {
    const char* const menuCaptions[] = {"&File", "&Edit", "&View"};
    menu.nType = jvkBarTypeMenuBar;
    menu.rcClient.SetRect(0, 0, kColumn - 10, 22);
    int left = 4;
    for (int i = 0; i < 3; ++i) {
      CFakeControl& c = menuItems[i];
      c.nType = jvkControlPopup;
      c.strCaption = menuCaptions[i];
      menu.Add(c);
      const CSize sz = pm->DrawControl(nullptr, &c, TRUE);
      c.rect.SetRect(left, 1, left + sz.cx, 21);
      left += sz.cx;
    }
    menuItems[1].nSelected = 1;
    menuItems[1].bPopuped = TRUE;

    tool.rcClient.SetRect(0, 0, kColumn - 10, 28);
    left = 10;
    for (int i = 0; i < 7; ++i) {
      CFakeControl& c = tools[i];
      c.pImage = GetImageManager()->GetImage(kIcons[i % 3], 16);
      c.bCaptionVisible = FALSE;
      c.nType = i == 5 ? jvkControlSplitButtonPopup : jvkControlButton;
      c.bBeginGroup = i == 3;
      tool.Add(c);
      if (c.bBeginGroup) left += 8;
      const CSize sz = pm->DrawControl(nullptr, &c, TRUE);
      c.rect.SetRect(left, 3, left + sz.cx, 25);
      left += sz.cx;
    }
    tools[1].nSelected = 1;
    tools[2].nSelected = 1, tools[2].nPressed = 1;
    tools[3].bChecked = TRUE;
    tools[4].bEnabled = FALSE;
    tools[6].bEnabled = FALSE, tools[6].bChecked = TRUE;

    popup.nPosition = jvkBarPopup;
    popup.nType = jvkBarTypePopup;
    popup.rcClient.SetRect(0, 0, 200, 190);
    popup.rcOpener = menuItems[1].rect;
    popup.rcOpener.OffsetRect(-6, -menuItems[1].rect.bottom + 1);
    const char* const rowCaptions[] = {"&Undo", "Cu&t", "&Copy", "&Paste", "&Find", "Options", "Zoom"};
    const char* const shortcuts[] = {"Ctrl+Z", "Ctrl+X", "Ctrl+C", "Ctrl+V", "", "", ""};
    int top = 3;
    for (int i = 0; i < 7; ++i) {
      CFakeControl& c = rows[i];
      c.strCaption = rowCaptions[i];
      c.strShortcut = shortcuts[i];
      c.pImage = i < 3 ? GetImageManager()->GetImage(kIcons[i], 16) : nullptr;
      c.nType = i == 4 ? jvkControlEdit : i == 6 ? jvkControlPopup : jvkControlButton;
      c.nFieldWidth = 80;
      c.strEditText = "text";
      c.bBeginGroup = i == 4;
      popup.Add(c);
      if (c.bBeginGroup) top += 6;
      const CSize sz = pm->DrawControl(nullptr, &c, TRUE);
      c.rect.SetRect(2, top, 198, top + sz.cy);
      top += sz.cy;
    }
    rows[1].nSelected = 1;
    rows[3].bEnabled = FALSE;
    rows[5].bChecked = TRUE;
    popup.rcClient.bottom = top + 3;

    status.rcClient.SetRect(0, 0, kColumn - 10, 22);
    const char* const texts[] = {"Ready", "CAP", "NUM"};
    for (int i = 0; i < 3; ++i) {
      panes[i].strText = texts[i];
      panes[i].pBar = &status;
    }
    panes[0].nStyle = JVK_PANE_NOBORDERS;
    panes[2].nStyle = JVK_PANE_DISABLED;
  }

  // Draws each bar at its place in the column, through a viewport origin.
  void Draw(CDC* pDC) {
    auto at = [&](int y, auto paint) {
      const CPoint old = pDC->SetViewportOrg(x + 5, y);
      paint();
      pDC->SetViewportOrg(old);
    };
    at(5, [&] {
      pm->FillCommandBar(pDC, &menu);
      for (auto& c : menuItems) pm->DrawControl(pDC, &c, TRUE);
    });
    at(32, [&] {
      pm->FillCommandBar(pDC, &tool);
      pm->DrawCommandBarGripper(pDC, &tool, TRUE);
      for (auto& c : tools) {
        if (c.bBeginGroup) pm->DrawCommandBarSeparator(pDC, &tool, &c, TRUE);
        pm->DrawControl(pDC, &c, TRUE);
      }
    });
    at(70, [&] {
      pm->FillCommandBar(pDC, &popup);
      for (auto& c : rows) {
        if (c.bBeginGroup) pm->DrawCommandBarSeparator(pDC, &popup, &c, TRUE);
        pm->DrawControl(pDC, &c, TRUE);
      }
    });
    at(kHeight - 30, [&] {
      pm->FillStatusBar(pDC, &status);
      const int edges[] = {0, 120, 170, kColumn - 10};
      for (int i = 0; i < 3; ++i) {
        const CRect rc(edges[i], 2, edges[i + 1] - 2, 22);
        if (!(panes[i].nStyle & JVK_PANE_NOBORDERS)) pm->DrawStatusBarPaneBorder(pDC, rc, i == 2);
        pm->DrawStatusBarPane(pDC, rc, &panes[i]);
      }
      pm->DrawStatusBarGripper(pDC, CRect(kColumn - 28, 2, kColumn - 10, 22));
    });
  }
};

TEST(ThemeSheet, ThemesSideBySide) {
  MakeIcons();
  CRefusal noVisualStyles({"uxtheme.dll"});  // the system style as drawn without one
  // The five themes, then the gradient themes following the blue scheme.
  const struct {
    int nTheme, nScheme;
  } columns[] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}, {2, 1}, {4, 1}};
  const int nColumns = static_cast<int>(sizeof columns / sizeof columns[0]);
  CDibCanvas canvas(kColumn * nColumns, kHeight, RGB(128, 128, 128));
  std::vector<COLORREF> toolBacks;
  for (int i = 0; i < nColumns; ++i) {
    g_nScheme = columns[i].nScheme;
    CJVKPaintManager::s_pfnDetectScheme = &Scheme;
    CThemeRef pm(columns[i].nTheme, FALSE);
    if (columns[i].nScheme) {
      pm->m_nColorScheme = 5;
      pm->RefreshMetrics();
    }
    CJVKPaintManager::s_pfnDetectScheme = nullptr;
    auto column = std::make_unique<CSheetColumn>();
    column->pm = pm.get();
    column->x = i * kColumn;
    column->Build();
    column->Draw(canvas.DC());
    // Probes: the tool bar's background just right of the last control.
    toolBacks.push_back(canvas.Pixel(column->x + 5 + column->tools[6].rect.right + 20, 32 + 14));
    const COLORREF clrMenuRow = canvas.Pixel(column->x + 5 + 190, 70 + column->rows[0].rect.CenterPoint().y);
    if (columns[i].nTheme == 0 || columns[i].nTheme == 3)
      EXPECT_EQ(pm->GetColor(COLOR_3DFACE), clrMenuRow) << i;
    else
      EXPECT_EQ(pm->GetColor(41), clrMenuRow) << i;
    if (columns[i].nTheme == 1) { EXPECT_EQ(pm->GetColor(30), toolBacks.back()) << i; }
    if (columns[i].nTheme == 0) { EXPECT_EQ(pm->GetColor(COLOR_3DFACE), toolBacks.back()) << i; }
  }
  EXPECT_NE(toolBacks[0], toolBacks[1]) << "classic and flat tool bars differ";
  EXPECT_NE(toolBacks[2], toolBacks[5]) << "the blue scheme changes the gradient tool bar";
  if (const char* path = std::getenv("UIKIT_PAINT_SHEET")) canvas.Save(path);
}

}  // namespace
