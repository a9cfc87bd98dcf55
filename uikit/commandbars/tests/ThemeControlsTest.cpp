// Details of single controls: which image each state shows and where, the
// fields of edit and combo-box controls, the split button's two parts, the
// icon placement on tool bars, and the check mark and icon cells of popup
// rows.
#include "PaintTestSupport.h"

#include "FlatTheme.h"
#include "ImageManager.h"
#include "ImageTestSupport.h"
#include "Mnemonics.h"
#include "Refusal.h"

#include <string>

namespace {

const COLORREF kBack = RGB(1, 2, 3);
const COLORREF kNormal = RGB(0, 0, 200), kHot = RGB(200, 0, 0), kChecked = RGB(0, 200, 0);
const UINT kStateIcon = 45301, kPlainIcon = 45302;

HICON SolidIcon(COLORREF clr) {
  return MakeIcon(16, 16, [clr](int, int) { return Argb(255, GetRValue(clr), GetGValue(clr), GetBValue(clr)); });
}

CJVKImageManagerIcon* StateIcon() {
  CJVKImageManager* pImages = GetImageManager();
  if (pImages->GetImage(kStateIcon) == nullptr) {
    pImages->SetIcon(CJVKImageManagerIconHandle(SolidIcon(kNormal)), kStateIcon);
    pImages->SetIcon(CJVKImageManagerIconHandle(SolidIcon(kHot)), kStateIcon, CSize(0, 0), jvkImageHot);
    pImages->SetIcon(CJVKImageManagerIconHandle(SolidIcon(kChecked)), kStateIcon, CSize(0, 0), jvkImageChecked);
  }
  return pImages->GetImage(kStateIcon, 16);
}

CJVKImageManagerIcon* PlainIcon() {
  CJVKImageManager* pImages = GetImageManager();
  if (pImages->GetImage(kPlainIcon) == nullptr)
    pImages->SetIcon(CJVKImageManagerIconHandle(SolidIcon(kNormal)), kPlainIcon);
  return pImages->GetImage(kPlainIcon, 16);
}

struct CNoVisualStyles {
  CRefusal refusal{{"uxtheme.dll"}};
};

// What is found at the icon's corners: drawn at pt (0), one pixel right
// and down (+1) or up and left (-1).
enum Where { atPlace, downRight, upLeft };
const int kDrawnColour = -10;  // any colour but the canvas

TEST(ThemeImages, StateImagesAndOffsets) {
  const struct {
    int nTheme;
    int nSelected, nPressed;
    BOOL bEnabled, bChecked, bPopuped;
    COLORREF clrMain;  // the image on top; 0 for a generated look
    Where where;
  } rows[] = {
      {0, 0, 0, TRUE, FALSE, FALSE, kHot, atPlace},      // hot-or-normal (no faded icons)
      {0, 0, 0, TRUE, FALSE, TRUE, kHot, atPlace},       // popup open
      {0, 0, 0, TRUE, TRUE, FALSE, kChecked, downRight},  // checked, moved
      {0, 1, 1, TRUE, FALSE, FALSE, kChecked, downRight},
      {0, 0, 2, TRUE, FALSE, FALSE, kChecked, downRight},
      {0, 1, 0, TRUE, FALSE, FALSE, kChecked, atPlace},   // no shadow in the classic theme
      {1, 0, 0, TRUE, TRUE, FALSE, kChecked, atPlace},    // flat: checked in place
      {1, 1, 1, TRUE, FALSE, FALSE, kChecked, atPlace},
      {1, 1, 0, TRUE, FALSE, FALSE, kChecked, upLeft},    // flat: shadow below, image up and left
      {1, 0, 0, TRUE, FALSE, TRUE, kHot, atPlace},
  };
  CJVKImageManagerIcon* pIcon = StateIcon();
  ASSERT_NE(nullptr, pIcon);
  for (const auto& row : rows) {
    CThemeRef pm(row.nTheme);
    CDibCanvas canvas(40, 40, kBack);
    pm->DrawImage(canvas.DC(), CPoint(10, 10), CSize(16, 16), pIcon, row.nSelected, row.nPressed, row.bEnabled,
                  row.bChecked, row.bPopuped);
    const std::string where = "theme " + std::to_string(row.nTheme) + " sel " + std::to_string(row.nSelected) +
                              " pressed " + std::to_string(row.nPressed) + " checked " + std::to_string(row.bChecked);
    const int d = row.where == downRight ? 1 : row.where == upLeft ? -1 : 0;
    EXPECT_EQ(row.clrMain, canvas.Pixel(10 + d, 10 + d)) << where;
    EXPECT_EQ(row.clrMain, canvas.Pixel(25 + d, 25 + d)) << where;
    if (row.where == downRight) {
      EXPECT_EQ(kBack, canvas.Pixel(10, 10)) << where;
    }
    if (row.where == atPlace) {
      EXPECT_EQ(kBack, canvas.Pixel(26, 26)) << where;
      EXPECT_EQ(kBack, canvas.Pixel(9, 9)) << where;
    }
    if (row.where == upLeft) {
      const COLORREF clrShadow = canvas.Pixel(26, 26);
      EXPECT_NE(kBack, clrShadow) << where << ": the shadow one pixel right and down";
      EXPECT_NE(row.clrMain, clrShadow) << where;
    }
  }
}

TEST(ThemeImages, FadedAndDisabledLooks) {
  CJVKImageManagerIcon* pIcon = PlainIcon();
  ASSERT_NE(nullptr, pIcon);
  {
    // Flat: faded icons for controls in no state.
    CThemeRef flat(1);
    CDibCanvas canvas(40, 40, kBack);
    flat->DrawImage(canvas.DC(), CPoint(10, 10), CSize(16, 16), pIcon, 0, 0, TRUE, FALSE, FALSE);
    EXPECT_NE(kBack, canvas.Pixel(15, 15));
    EXPECT_NE(kNormal, canvas.Pixel(15, 15)) << "the faded look, not the plain image";
    flat->GetIconsOptions()->bUseFadedIcons = FALSE;
    CDibCanvas plain(40, 40, kBack);
    flat->DrawImage(plain.DC(), CPoint(10, 10), CSize(16, 16), pIcon, 0, 0, TRUE, FALSE, FALSE);
    EXPECT_EQ(kNormal, plain.Pixel(15, 15));
  }
  {
    // Classic: an embossed copy, light one pixel right and down, shadow in place.
    CThemeRef classic(0);
    CDibCanvas canvas(40, 40, kBack);
    classic->DrawImage(canvas.DC(), CPoint(10, 10), CSize(16, 16), pIcon, 0, 0, FALSE, FALSE, FALSE);
    EXPECT_EQ(SlotColor(COLOR_BTNSHADOW), canvas.Pixel(10, 10));
    EXPECT_EQ(SlotColor(COLOR_BTNHIGHLIGHT), canvas.Pixel(26, 26));
    EXPECT_EQ(kBack, canvas.Pixel(9, 9));
  }
  {
    // Flat: one copy in colour 40, in place.
    CThemeRef flat(1);
    CDibCanvas canvas(40, 40, kBack);
    flat->DrawImage(canvas.DC(), CPoint(10, 10), CSize(16, 16), pIcon, 0, 0, FALSE, FALSE, FALSE);
    EXPECT_EQ(SlotColor(40), canvas.Pixel(10, 10));
    EXPECT_EQ(SlotColor(40), canvas.Pixel(25, 25));
    EXPECT_EQ(kBack, canvas.Pixel(26, 26));
    // With disabled icons on: the image manager's disabled look instead.
    flat->GetIconsOptions()->bUseDisabledIcons = TRUE;
    CDibCanvas generated(40, 40, kBack);
    flat->DrawImage(generated.DC(), CPoint(10, 10), CSize(16, 16), pIcon, 0, 0, FALSE, FALSE, FALSE);
    EXPECT_NE(kBack, generated.Pixel(15, 15));
    EXPECT_NE(SlotColor(40), generated.Pixel(15, 15));
  }
}

TEST(ThemeToolBar, IconPlacement) {
  CNoVisualStyles styles;
  CJVKImageManagerIcon* pIcon = PlainIcon();
  CThemeRef pm(1);
  pm->GetIconsOptions()->bUseFadedIcons = FALSE;
  const struct {
    int nPosition;
    BOOL bTextBelow;
    int nType;
    POINT ptIcon;  // top-left of the icon
  } rows[] = {
      {jvkBarTop, FALSE, jvkControlButton, {10 + 3, 10 + 3}},        // 3 from the left, centred in 22
      {jvkBarLeft, FALSE, jvkControlButton, {10 + 3, 10 + 4}},       // centred across, 4 below the top
      {jvkBarTop, TRUE, jvkControlButton, {10 + 3, 10 + 4}},         // centred, 4 below the top
      {jvkBarTop, TRUE, jvkControlSplitButtonPopup, {10 + 3, 10 + 4}},
  };
  for (const auto& row : rows) {
    CFakeBar bar;
    bar.nPosition = row.nPosition;
    bar.bTextBelow = row.bTextBelow;
    CFakeControl control;
    bar.Add(control);
    control.nType = row.nType;
    control.bCaptionVisible = FALSE;
    control.pImage = pIcon;
    const int nWidth = row.nType == jvkControlSplitButtonPopup ? 33 : 22;
    control.rect.SetRect(10, 10, 10 + nWidth, 32);
    CDibCanvas canvas(60, 60, kBack);
    pm->DrawControl(canvas.DC(), &control, TRUE);
    const std::string where = "position " + std::to_string(row.nPosition) + " below " + std::to_string(row.bTextBelow);
    EXPECT_EQ(kNormal, canvas.Pixel(row.ptIcon.x, row.ptIcon.y)) << where;
    EXPECT_EQ(kNormal, canvas.Pixel(row.ptIcon.x + 15, row.ptIcon.y + 15)) << where;
    EXPECT_NE(kNormal, canvas.Pixel(row.ptIcon.x - 1, row.ptIcon.y)) << where;
    EXPECT_NE(kNormal, canvas.Pixel(row.ptIcon.x, row.ptIcon.y - 1)) << where;
  }
}

TEST(ThemeToolBar, SplitButtonParts) {
  CNoVisualStyles styles;
  CThemeRef pm(1);
  const struct {
    int nSelected;
    BOOL bPopuped;
    int nButton, nArrowEdge;  // fill of the button part, colour at the arrow part's left edge
  } rows[] = {{1, FALSE, 31, 32}, {0, FALSE, -1, -1}, {1, TRUE, 30, 30}};
  for (const auto& row : rows) {
    CFakeBar bar;
    CFakeControl control;
    bar.Add(control);
    control.nType = jvkControlSplitButtonPopup;
    control.bCaptionVisible = FALSE;
    control.nSelected = row.nSelected;
    control.bPopuped = row.bPopuped;
    control.rect.SetRect(5, 5, 45, 27);
    CDibCanvas canvas(50, 32, kBack);
    pm->DrawControl(canvas.DC(), &control, TRUE);
    auto expected = [](int n) { return n == -1 ? kBack : SlotColor(n); };
    EXPECT_EQ(expected(row.nButton), canvas.Pixel(20, 20)) << row.nSelected << row.bPopuped;
    EXPECT_EQ(expected(row.nArrowEdge), canvas.Pixel(33, 20)) << row.nSelected << row.bPopuped;
    // The arrow: corners (right - 9, mid - 1), (right - 5, mid - 1), (right - 7, mid + 1).
    const COLORREF clrArrow = canvas.Pixel(45 - 7, 16);
    EXPECT_EQ(clrArrow, canvas.Pixel(45 - 9, 15));
    EXPECT_EQ(clrArrow, canvas.Pixel(45 - 5, 15));
    EXPECT_NE(expected(row.nButton), clrArrow);
  }
}

// -------------------------------------------------------------- fields

TEST(ThemeFields, FramesAndFills) {
  CNoVisualStyles styles;
  const struct {
    int nTheme, nType;
    BOOL bPopup, bEnabled;
    int nSelected;
    BOOL bDropped;
    int nCorner, nInside, nButton;  // field corner, inside the field, inside the drop button
  } rows[] = {
      {1, jvkControlEdit, FALSE, TRUE, 0, FALSE, COLOR_WINDOW, COLOR_WINDOW, -1},
      {1, jvkControlEdit, FALSE, TRUE, 1, FALSE, 32, COLOR_WINDOW, -1},
      {1, jvkControlEdit, TRUE, TRUE, 0, FALSE, 53, COLOR_WINDOW, -1},
      {1, jvkControlEdit, FALSE, FALSE, 0, FALSE, 40, COLOR_3DFACE, -1},
      {1, jvkControlEdit, FALSE, FALSE, 2, FALSE, 32, COLOR_3DFACE, -1},
      {1, jvkControlComboBox, FALSE, TRUE, 1, FALSE, 32, COLOR_WINDOW, 31},
      {1, jvkControlComboBox, FALSE, TRUE, 1, TRUE, 32, COLOR_WINDOW, 33},
      {1, jvkControlComboBox, TRUE, TRUE, 0, FALSE, 53, COLOR_WINDOW, COLOR_WINDOW},
      {2, jvkControlComboBox, FALSE, TRUE, 1, TRUE, 32, COLOR_WINDOW, 33},
      {0, jvkControlEdit, FALSE, TRUE, 0, FALSE, COLOR_3DFACE, COLOR_WINDOW, -1},
      {0, jvkControlEdit, FALSE, TRUE, 1, FALSE, COLOR_BTNSHADOW, COLOR_WINDOW, -1},
      {0, jvkControlEdit, FALSE, FALSE, 0, FALSE, COLOR_3DFACE, COLOR_3DFACE, -1},
      {0, jvkControlComboBox, FALSE, TRUE, 0, FALSE, COLOR_3DFACE, COLOR_WINDOW, COLOR_3DFACE},
  };
  for (const auto& row : rows) {
    CThemeRef pm(row.nTheme);
    CFakeBar bar;
    bar.nPosition = row.bPopup ? jvkBarPopup : jvkBarTop;
    bar.nType = row.bPopup ? jvkBarTypePopup : jvkBarTypeToolBar;
    CFakeControl control;
    bar.Add(control);
    control.nType = row.nType;
    control.bCaptionVisible = FALSE;
    control.strCaption = row.bPopup ? "" : "Find";
    control.bEnabled = row.bEnabled;
    control.nSelected = row.nSelected;
    control.bDroppedDown = row.bDropped;
    control.nFieldWidth = 80;
    control.rect.SetRect(5, 5, 200, 35);
    CDibCanvas canvas(210, 40, kBack);
    const CSize sz = pm->DrawControl(canvas.DC(), &control, TRUE);
    // Where the field lies: its label in front, centred vertically.
    const int nField = 5 + sz.cx - 80;
    const int nTop = 5 + (30 - sz.cy) / 2;
    const std::string where = "theme " + std::to_string(row.nTheme) + " type " + std::to_string(row.nType) +
                              " popup " + std::to_string(row.bPopup) + " enabled " + std::to_string(row.bEnabled) +
                              " selected " + std::to_string(row.nSelected);
    const COLORREF clrCorner = canvas.Pixel(nField, nTop);
    EXPECT_EQ(SlotColor(row.nCorner), clrCorner) << where << ": found " << SlotOf(clrCorner);
    const COLORREF clrInside = canvas.Pixel(nField + 2, nTop + 2);
    EXPECT_EQ(SlotColor(row.nInside), clrInside) << where << ": found " << SlotOf(clrInside);
    if (row.nButton != -1) {
      const COLORREF clrButton = canvas.Pixel(nField + 73, nTop + 4);
      EXPECT_EQ(SlotColor(row.nButton), clrButton) << where << ": found " << SlotOf(clrButton);
    }
  }
}

// ----------------------------------------------------------- popup rows

TEST(ThemePopupRows, CheckMarkAndIconCells) {
  CNoVisualStyles styles;
  CJVKImageManagerIcon* pIcon = PlainIcon();
  const struct {
    int nTheme;
    BOOL bDouble, bImage;
    BOOL bMarkInFirst;
    int nIconCell;  // -1 none
  } rows[] = {
      {1, TRUE, TRUE, TRUE, 1},  {1, FALSE, TRUE, FALSE, 0}, {1, FALSE, FALSE, TRUE, -1},
      {4, TRUE, TRUE, TRUE, 1},  {0, FALSE, FALSE, TRUE, -1}, {0, FALSE, TRUE, FALSE, 0},
  };
  for (const auto& row : rows) {
    CThemeRef pm(row.nTheme);
    pm->GetIconsOptions()->bUseFadedIcons = FALSE;
    CFakeBar bar;
    bar.nPosition = jvkBarPopup;
    bar.nType = jvkBarTypePopup;
    bar.bDoubleGripper = row.bDouble;
    bar.rcClient.SetRect(0, 0, 200, 40);
    CFakeControl control;
    bar.Add(control);
    control.bChecked = TRUE;
    control.pImage = row.bImage ? pIcon : nullptr;
    control.strCaption = "";
    const CSize sz = pm->DrawControl(nullptr, &control, TRUE);
    control.rect.SetRect(0, 4, 200, 4 + sz.cy);
    CDibCanvas canvas(200, 40, kBack);
    pm->DrawControl(canvas.DC(), &control, TRUE);
    // One cell's width, from the measured width: cells + caption (0) + 40.
    const int nCell = (sz.cx - 40) / (row.bDouble ? 2 : 1);
    const int cy = control.rect.CenterPoint().y;
    const int cx = nCell / 2;
    const COLORREF clrMark = row.nTheme == 0 ? SlotColor(COLOR_BTNTEXT) : RGB(0, 0, 0);
    const std::string where = "theme " + std::to_string(row.nTheme) + " double " + std::to_string(row.bDouble) +
                              " image " + std::to_string(row.bImage);
    // The tick's vertex at (cx - 2, cy + 1).
    EXPECT_EQ(row.bMarkInFirst, canvas.Pixel(cx - 2, cy + 1) == clrMark) << where;
    for (int cell = 0; cell < 2; ++cell) {
      const bool bIcon = cell == row.nIconCell;
      EXPECT_EQ(bIcon, CountColor(canvas, CRect(cell * nCell, 4, (cell + 1) * nCell, 4 + sz.cy), kNormal) == 256)
          << where << " cell " << cell;
    }
  }
}

}  // namespace
