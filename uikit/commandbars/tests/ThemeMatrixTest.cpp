// Controls of each type in each state on bars at each position, drawn by
// every theme into DIB sections: the state rectangle read back at probe
// pixels (every colour slot has a colour of its own, so a probe names the
// slot it met), and the sizes the themes measure.
#include "PaintTestSupport.h"

#include "FlatTheme.h"
#include "ImageManager.h"
#include "ImageTestSupport.h"
#include "Refusal.h"
#include "SystemStyleTheme.h"

#include <algorithm>
#include <string>

namespace {

const COLORREF kBack = RGB(1, 2, 3);  // the canvas before drawing

enum State { sNormal, sHot, sPressed, sChecked, sCheckedHot, sPopuped, sDisabled, sDisabledChecked, sDisabledKey,
             sExecuted, sStateCount };
const char* const kStateNames[sStateCount] = {"normal",   "hot",      "pressed",          "checked",
                                              "checked+hot", "popuped", "disabled", "disabled+checked",
                                              "disabled+keyboard", "executed"};

void ApplyState(CFakeControl& c, State s) {
  c.bEnabled = !(s == sDisabled || s == sDisabledChecked || s == sDisabledKey);
  c.bChecked = s == sChecked || s == sCheckedHot || s == sDisabledChecked;
  c.nSelected = s == sHot || s == sPressed || s == sCheckedHot ? 1 : s == sDisabledKey ? 2 : 0;
  c.nPressed = s == sPressed ? 1 : s == sExecuted ? 2 : 0;
  c.bPopuped = s == sPopuped;
}

// What a probe finds: a colour slot, the untouched canvas (-1), or any
// drawing at all (-2: a pattern or a gradient).
const int kNone = -1, kAny = -2;
struct Look {
  int nFill;       // inside, two pixels in
  int nTopLeft;    // frame, top-left pixel
  int nBottomRight;
};

// Classic look, the system style without visual styles too.
Look ClassicLook(State s) {
  switch (s) {
    case sHot: return {kNone, COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW};
    case sChecked: return {kAny, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    case sPressed:
    case sCheckedHot:
    case sPopuped:
    case sDisabledChecked:
    case sDisabledKey:
    case sExecuted: return {kNone, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
    default: return {kNone, kNone, kNone};
  }
}

Look FlatLook(State s, int nPosition) {
  const BOOL bPopup = nPosition == jvkBarPopup;
  switch (s) {
    case sHot: return {31, 32, 32};
    case sPressed: return {33, 50, 50};
    case sChecked: return {36, 50, 50};
    case sCheckedHot: return {33, 37, 37};
    case sPopuped: return {30, 43, 43};
    case sDisabledChecked: return {bPopup ? kNone : 36, 58, 58};
    case sDisabledKey: return {bPopup ? 41 : 31, 32, 32};
    case sExecuted: return {33, 50, 50};
    default: return {kNone, kNone, kNone};
  }
}

// Without a scheme table the gradient themes draw the flat rectangles, but a
// control whose popup is open gets the popped gradient framed 43.
Look GradientLook(State s, int nPosition) {
  if (s == sPopuped) return {kAny, 43, 43};
  return FlatLook(s, nPosition);
}

Look ExpectedLook(int nTheme, State s, int nPosition) {
  switch (nTheme) {
    case 0:
    case 3: return ClassicLook(s);
    case 1: return FlatLook(s, nPosition);
    default: return GradientLook(s, nPosition);
  }
}

std::string Describe(int nProbe) {
  if (nProbe == kNone) return "untouched";
  if (nProbe == kAny) return "drawn";
  return "slot " + std::to_string(nProbe);
}

void ExpectProbe(CDibCanvas& canvas, int x, int y, int nExpected, const std::string& where) {
  const COLORREF clr = canvas.Pixel(x, y);
  if (nExpected == kAny) {
    EXPECT_NE(kBack, clr) << where << ": expected drawing";
  } else if (nExpected == kNone) {
    EXPECT_EQ(kBack, clr) << where << ": expected untouched, found " << Describe(SlotOf(clr));
  } else {
    EXPECT_EQ(SlotColor(nExpected), clr) << where << ": expected " << Describe(nExpected) << ", found "
                                         << Describe(SlotOf(clr));
  }
}

// No visual style takes part: the system style draws classically.
struct CNoVisualStyles {
  CRefusal refusal{{"uxtheme.dll"}};
};

class ThemeMatrix : public ::testing::TestWithParam<int> {};

TEST_P(ThemeMatrix, StateRectanglesOfToolBarControls) {
  CNoVisualStyles styles;
  const int nTheme = GetParam();
  CThemeRef pm(nTheme);
  const int kPositions[] = {jvkBarTop, jvkBarBottom, jvkBarLeft, jvkBarRight, jvkBarFloating};
  const int kTypes[] = {jvkControlButton, jvkControlButtonPopup};
  for (int nPosition : kPositions) {
    CFakeBar bar;
    bar.nPosition = nPosition;
    for (int nType : kTypes) {
      for (int s = 0; s < sStateCount; ++s) {
        CDibCanvas canvas(40, 40, kBack);
        CFakeControl control;
        bar.controls.clear();
        bar.Add(control);
        control.nType = nType;
        control.bCaptionVisible = FALSE;
        control.rect.SetRect(5, 5, 30, 30);
        ApplyState(control, static_cast<State>(s));
        pm->DrawControl(canvas.DC(), &control, TRUE);
        const Look look = ExpectedLook(nTheme, static_cast<State>(s), nPosition);
        const std::string where = "theme " + std::to_string(nTheme) + ", position " + std::to_string(nPosition) +
                                  ", type " + std::to_string(nType) + ", " + kStateNames[s];
        ExpectProbe(canvas, 15, 17, look.nFill, where + ", inside");
        ExpectProbe(canvas, 5, 5, look.nTopLeft, where + ", top-left");
        ExpectProbe(canvas, 29, 29, look.nBottomRight, where + ", bottom-right");
        ExpectProbe(canvas, 4, 4, kNone, where + ", outside");
      }
    }
  }
}

TEST_P(ThemeMatrix, TextColourAfterTheRectangle) {
  CNoVisualStyles styles;
  const int nTheme = GetParam();
  CThemeRef pm(nTheme);
  const BOOL bClassic = nTheme == 0 || nTheme == 3;
  const int nPopupText = nTheme == 3 ? COLOR_MENUTEXT : COLOR_BTNTEXT;
  const struct {
    State s;
    int nPosition;
    int nClassic, nFlat;
  } rows[] = {
      {sNormal, jvkBarTop, COLOR_BTNTEXT, 46},    {sNormal, jvkBarPopup, -3, 44},
      {sHot, jvkBarTop, COLOR_BTNTEXT, 45},        {sChecked, jvkBarTop, COLOR_BTNTEXT, 45},
      {sPressed, jvkBarTop, COLOR_BTNTEXT, 47},    {sCheckedHot, jvkBarTop, COLOR_BTNTEXT, 47},
      {sExecuted, jvkBarTop, COLOR_BTNTEXT, 47},   {sPopuped, jvkBarTop, COLOR_BTNTEXT, 46},
      {sDisabled, jvkBarTop, COLOR_GRAYTEXT, 40},  {sDisabled, jvkBarPopup, COLOR_GRAYTEXT, 40},
  };
  for (const auto& row : rows) {
    CDibCanvas canvas(40, 40, kBack);
    CFakeControl control;
    ApplyState(control, row.s);
    pm->DrawRectangle(canvas.DC(), CRect(5, 5, 30, 30), control.bEnabled, control.nSelected, control.nPressed,
                      control.bChecked, control.bPopuped, jvkBarTypeToolBar, row.nPosition);
    int nExpected = bClassic ? row.nClassic : row.nFlat;
    if (nExpected == -3) nExpected = nPopupText;
    EXPECT_EQ(SlotColor(nExpected), canvas.DC()->GetTextColor())
        << "theme " << nTheme << ", " << kStateNames[row.s] << " at " << row.nPosition << ": found "
        << Describe(SlotOf(canvas.DC()->GetTextColor()));
    EXPECT_EQ(TRANSPARENT, canvas.DC()->GetBkMode());
  }
}

TEST_P(ThemeMatrix, PopupRowsOfEachType) {
  CNoVisualStyles styles;
  const int nTheme = GetParam();
  CThemeRef pm(nTheme);
  const BOOL bFlat = nTheme == 1 || nTheme == 2 || nTheme == 4;
  const int kTypes[] = {jvkControlButton, jvkControlPopup, jvkControlButtonPopup, jvkControlSplitButtonPopup,
                        jvkControlLabel};
  for (int nType : kTypes) {
    for (State s : {sNormal, sHot, sDisabled}) {
      CFakeBar bar;
      bar.nPosition = jvkBarPopup;
      bar.nType = jvkBarTypePopup;
      bar.rcClient.SetRect(0, 0, 160, 40);
      CFakeControl control;
      bar.Add(control);
      control.nType = nType;
      control.strCaption = "";
      control.rect.SetRect(3, 5, 157, 30);
      ApplyState(control, s);
      CDibCanvas canvas(160, 40, kBack);
      pm->DrawControl(canvas.DC(), &control, TRUE);
      const std::string where =
          "theme " + std::to_string(nTheme) + ", type " + std::to_string(nType) + ", " + kStateNames[s];
      // The popup arrow points right, 8 to 11 pixels from the right end.
      const BOOL bArrow = nType >= jvkControlPopup && nType <= jvkControlSplitButtonPopup;
      const COLORREF clrArrowPixel = canvas.Pixel(157 - 10, 17);
      if (bArrow) {
        EXPECT_NE(canvas.Pixel(157 - 4, 17), clrArrowPixel) << where << ": arrow";
      }
      if (!bFlat) {
        ExpectProbe(canvas, 100, 8, s == sHot ? COLOR_HIGHLIGHT : kNone, where + ", row");
        continue;
      }
      if (nType == jvkControlLabel) {
        const int nColumn = static_cast<CJVKFlatTheme*>(pm.get())->GetPopupColumnWidth(&bar);
        ExpectProbe(canvas, nColumn + 3 + 3, 8, 56, where + ", label band");
        ExpectProbe(canvas, 3 + nColumn + 1, 8, kNone, where + ", before the band");
        continue;
      }
      const int nExpected = s == sHot ? 31 : kNone;
      ExpectProbe(canvas, 100, 8, nExpected, where + ", row");
      if (nType == jvkControlSplitButtonPopup && s != sDisabled)
        ExpectProbe(canvas, 157 - 20, 20, s == sHot ? 32 : COLOR_BTNSHADOW, where + ", split line");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllThemes, ThemeMatrix, ::testing::Values(0, 1, 2, 3, 4));

// --------------------------------------------------------- measured sizes

class ThemeSizes : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    if (GetImageManager()->GetImage(kIcon) == nullptr) {
      HICON hIcon = MakeIcon(16, 16, [](int, int) { return Argb(255, 200, 0, 200); });
      GetImageManager()->SetIcon(CJVKImageManagerIconHandle(hIcon), kIcon);
    }
  }
  static const UINT kIcon = 45001;
};

TEST_P(ThemeSizes, ToolBarControls) {
  CNoVisualStyles styles;
  const int nTheme = GetParam();
  CThemeRef pm(nTheme);
  CJVKImageManagerIcon* pIcon = GetImageManager()->GetImage(kIcon, 16);
  ASSERT_NE(nullptr, pIcon);
  CDibCanvas canvas(10, 10);
  CFont* pOld = canvas.DC()->SelectObject(pm->GetRegularFont());
  const int t = canvas.DC()->GetTextExtent(CString("Open")).cx;
  const int th = canvas.DC()->GetTextExtent(CString("Open")).cy;
  CFakeBar vertical;
  vertical.nPosition = jvkBarLeft;
  canvas.DC()->SelectObject(pm->GetFont(&vertical, FALSE));
  const int tv = canvas.DC()->GetTextExtent(CString("Open")).cx;
  canvas.DC()->SelectObject(pOld);
  const struct {
    int nType;
    BOOL bImage, bCaption, bTextBelow;
    int nPosition;
    CSize sz;
  } rows[] = {
      {jvkControlButton, TRUE, FALSE, FALSE, jvkBarTop, CSize(23, 22)},
      {jvkControlButton, FALSE, TRUE, FALSE, jvkBarTop, CSize(t + 12, 22)},
      {jvkControlButton, TRUE, TRUE, FALSE, jvkBarTop, CSize(23 + t + 4, 22)},
      {jvkControlSplitButtonPopup, TRUE, FALSE, FALSE, jvkBarTop, CSize(23 + 11, 22)},
      {jvkControlPopup, TRUE, FALSE, FALSE, jvkBarTop, CSize(23 + 7, 22)},
      {jvkControlPopup, FALSE, TRUE, FALSE, jvkBarTop, CSize(t + 12, 22)},
      {jvkControlButton, TRUE, FALSE, FALSE, jvkBarLeft, CSize(23, 22)},
      {jvkControlButton, FALSE, TRUE, FALSE, jvkBarRight, CSize(23, 8 + tv + 4)},
      {jvkControlButton, TRUE, TRUE, TRUE, jvkBarTop, CSize(std::max({23, t + 10, 22 + th}), 22 + th)},
      {jvkControlSplitButtonPopup, TRUE, TRUE, TRUE, jvkBarTop, CSize(std::max({34, t + 21, 22 + th}), 22 + th)},
  };
  for (const auto& row : rows) {
    CFakeBar bar;
    bar.nPosition = row.nPosition;
    bar.bTextBelow = row.bTextBelow;
    CFakeControl control;
    bar.Add(control);
    control.nType = row.nType;
    control.strCaption = "&Open";
    control.bCaptionVisible = row.bCaption;
    control.nStyle = row.nType == jvkControlPopup && row.bImage ? jvkStyleIcon : jvkStyleAutomatic;
    control.pImage = row.bImage ? pIcon : nullptr;
    control.rect.SetRect(0, 0, 60, 40);
    CSize szExpected = row.sz;
    const CSize szMeasured = pm->DrawControl(nullptr, &control, TRUE);
    EXPECT_EQ(szExpected, szMeasured) << "theme " << nTheme << ", type " << row.nType << ", image " << row.bImage
                                      << ", caption " << row.bCaption << ", below " << row.bTextBelow << ", position "
                                      << row.nPosition;
    CDibCanvas sized(80, 60);
    EXPECT_EQ(szMeasured, pm->DrawControl(sized.DC(), &control, FALSE)) << "a false draw flag measures alike";
  }
}

TEST_P(ThemeSizes, PopupRows) {
  CNoVisualStyles styles;
  const int nTheme = GetParam();
  CThemeRef pm(nTheme);
  const BOOL bFlat = nTheme == 1 || nTheme == 2 || nTheme == 4;
  CDibCanvas canvas(10, 10);
  CFont* pOld = canvas.DC()->SelectObject(pm->GetRegularFont());
  const int t = canvas.DC()->GetTextExtent(CString("Save as")).cx;
  const int s = canvas.DC()->GetTextExtent(CString("Ctrl+S")).cx;
  canvas.DC()->SelectObject(pOld);
  const int rh = pm->GetRowHeight();
  const struct {
    CSize szIcon;
    BOOL bDouble, bShortcut;
  } rows[] = {{CSize(16, 16), FALSE, FALSE}, {CSize(16, 16), FALSE, TRUE}, {CSize(16, 16), TRUE, TRUE},
              {CSize(32, 32), FALSE, FALSE}, {CSize(24, 12), TRUE, FALSE}};
  for (const auto& row : rows) {
    CFakeBar bar;
    bar.nPosition = jvkBarPopup;
    bar.nType = jvkBarTypePopup;
    bar.szIcon = row.szIcon;
    bar.bDoubleGripper = row.bDouble;
    CFakeControl control;
    bar.Add(control);
    control.strCaption = "Save &as";
    control.strShortcut = row.bShortcut ? "Ctrl+S" : "";
    const int nCell = bFlat ? std::max(rh + 4, static_cast<int>(row.szIcon.cx) + 4)
                            : std::max(rh, static_cast<int>(row.szIcon.cx) + 4);
    const int nRow = std::max(rh, static_cast<int>(row.szIcon.cy) + (bFlat ? 6 : 4));
    const CSize szExpected(t + (row.bShortcut ? s : 0) + nCell * (row.bDouble ? 2 : 1) + 40, nRow);
    EXPECT_EQ(szExpected, pm->DrawControl(nullptr, &control, TRUE))
        << "theme " << nTheme << ", icon " << row.szIcon.cx << "x" << row.szIcon.cy << ", double " << row.bDouble;
  }
}

TEST_P(ThemeSizes, EditAndComboFields) {
  CNoVisualStyles styles;
  const int nTheme = GetParam();
  CThemeRef pm(nTheme);
  const BOOL bFlat = nTheme == 1 || nTheme == 2 || nTheme == 4;
  CDibCanvas canvas(10, 10);
  CFont* pOld = canvas.DC()->SelectObject(pm->GetControlFont());
  const int t = canvas.DC()->GetTextExtent(CString("Find")).cx;
  const int h = canvas.DC()->GetTextExtent(CString("A")).cy + 8;
  canvas.DC()->SelectObject(pOld);
  for (int nType : {jvkControlEdit, jvkControlComboBox}) {
    for (BOOL bPopup : {FALSE, TRUE}) {
      CFakeBar bar;
      bar.nPosition = bPopup ? jvkBarPopup : jvkBarTop;
      bar.nType = bPopup ? jvkBarTypePopup : jvkBarTypeToolBar;
      CFakeControl control;
      bar.Add(control);
      control.nType = nType;
      control.strCaption = "&Find";
      control.nFieldWidth = 100;
      int nLabel = t + 5;
      if (bPopup) {
        const int rh = pm->GetRowHeight();
        const int nColumn = bFlat ? std::max(rh + 4, 20) + 1 : std::max(rh, 20);
        nLabel = nColumn + t + 12;
      }
      EXPECT_EQ(CSize(nLabel + 100, h), pm->DrawControl(nullptr, &control, TRUE))
          << "theme " << nTheme << ", type " << nType << ", popup " << bPopup;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllThemes, ThemeSizes, ::testing::Values(0, 1, 2, 3, 4));

}  // namespace
