// The paint manager base: the factory and the current theme, colours,
// fonts, caption text, check mark and combo arrow, and the popup animations
// on a fake clock.
#include "PaintTestSupport.h"

#include "ClassicTheme.h"
#include "ColorManager.h"
#include "DrawHelpers.h"
#include "FlatTheme.h"
#include "GradientTheme.h"
#include "SchemeGradientTheme.h"
#include "SystemStyleTheme.h"

#include <cstring>
#include <memory>

namespace {

TEST(PaintManagerFactory, SetThemeForEveryNumber) {
  const struct {
    int nTheme;
    int nClassNumber;  // GetThemeNumber of the class built
    BOOL bFlat;
  } rows[] = {{0, 0, FALSE}, {1, 1, TRUE}, {2, 2, TRUE},  {3, 3, FALSE},  {4, 4, TRUE},
              {5, 0, FALSE}, {7, 0, FALSE}, {9, 0, FALSE}, {-1, 0, FALSE}, {100, 0, FALSE}};
  for (const auto& row : rows) {
    CJVKPaintManager::SetTheme(row.nTheme);
    CJVKPaintManager* pm = CJVKPaintManager::GetCurrent();
    ASSERT_NE(nullptr, pm) << row.nTheme;
    EXPECT_EQ(row.nClassNumber, pm->GetThemeNumber()) << row.nTheme;
    EXPECT_EQ(row.nTheme, pm->m_nTheme) << "the number asked is stored";
    EXPECT_EQ(row.bFlat, pm->IsFlatTheme()) << row.nTheme;
  }
  CJVKPaintManager::ReleaseCurrent();
  EXPECT_EQ(nullptr, CJVKPaintManager::GetCurrent());
}

TEST(PaintManagerFactory, ClassesByNumber) {
  CThemeRef classic(0, FALSE), flat(1, FALSE), gradient(2, FALSE), system(3, FALSE), scheme(4, FALSE);
  EXPECT_NE(nullptr, dynamic_cast<CJVKClassicTheme*>(classic.get()));
  EXPECT_EQ(nullptr, dynamic_cast<CJVKSystemStyleTheme*>(classic.get()));
  EXPECT_NE(nullptr, dynamic_cast<CJVKFlatTheme*>(flat.get()));
  EXPECT_EQ(nullptr, dynamic_cast<CJVKGradientTheme*>(flat.get()));
  EXPECT_NE(nullptr, dynamic_cast<CJVKGradientTheme*>(gradient.get()));
  EXPECT_EQ(nullptr, dynamic_cast<CJVKSchemeGradientTheme*>(gradient.get()));
  EXPECT_NE(nullptr, dynamic_cast<CJVKSystemStyleTheme*>(system.get()));
  EXPECT_NE(nullptr, dynamic_cast<CJVKSchemeGradientTheme*>(scheme.get()));
  EXPECT_EQ(1, classic->m_dwRef) << "the factory hands out one reference";
}

TEST(PaintManagerFactory, SetThemeReleasesThePreviousOne) {
  CJVKPaintManager::SetTheme(1);
  CJVKPaintManager* pOld = CJVKPaintManager::GetCurrent();
  pOld->InternalAddRef();
  CJVKPaintManager::SetTheme(4);
  EXPECT_EQ(1, pOld->m_dwRef) << "the current one's reference was given up";
  EXPECT_NE(pOld, CJVKPaintManager::GetCurrent());
  pOld->InternalRelease();
  CJVKPaintManager::ReleaseCurrent();
}

TEST(PaintManagerDefaults, FieldsAndIconOptionsPerTheme) {
  const struct {
    int nTheme;
    BOOL bFaded, bShadowIcons;
    int nScheme;
  } rows[] = {{0, FALSE, FALSE, 5}, {1, TRUE, TRUE, 5}, {2, TRUE, TRUE, 5}, {3, TRUE, FALSE, 5}, {4, TRUE, TRUE, 0}};
  for (const auto& row : rows) {
    CThemeRef pm(row.nTheme, FALSE);
    const CJVKIconsOptions* pOptions = pm->GetIconsOptions();
    EXPECT_EQ(row.bFaded, pOptions->bUseFadedIcons) << row.nTheme;
    EXPECT_FALSE(pOptions->bUseDisabledIcons) << row.nTheme;
    EXPECT_EQ(row.bShadowIcons, pOptions->bIconsWithShadow) << row.nTheme;
    EXPECT_EQ(row.nScheme, pm->m_nColorScheme) << row.nTheme;
    EXPECT_EQ(10, pm->m_nAnimationSteps);
    EXPECT_EQ(100, pm->m_nAnimationDuration);
    EXPECT_EQ(-1, pm->m_nKeyboardCues);
    EXPECT_FALSE(pm->m_bDoubleCheck);
    EXPECT_TRUE(pm->m_bShadow);
    EXPECT_GT(pm->GetRowHeight(), 6);
  }
  CThemeRef classic(0, FALSE), system(3, FALSE);
  EXPECT_EQ(COLOR_BTNTEXT, static_cast<CJVKClassicTheme*>(classic.get())->m_nPopupTextColor);
  EXPECT_EQ(COLOR_MENUTEXT, static_cast<CJVKClassicTheme*>(system.get())->m_nPopupTextColor);
  EXPECT_FALSE(static_cast<CJVKClassicTheme*>(classic.get())->m_bSelectionBar);
}

// ------------------------------------------------------------------ colours

TEST(PaintManagerColors, LookupsAndOverrides) {
  CThemeRef pm(0, FALSE);
  for (UINT v : {60u, 99u, 0x00ABCDEFu}) EXPECT_EQ(v, pm->GetColor(v));
  const COLORREF clrFace = GetColorManager()->GetColor(COLOR_3DFACE);
  EXPECT_EQ(clrFace, pm->GetColor(COLOR_3DFACE));
  pm->GetColorTable().SetOverride(COLOR_3DFACE, RGB(1, 2, 3));
  EXPECT_EQ(RGB(1, 2, 3), pm->GetColor(COLOR_3DFACE));
  pm->RefreshMetrics();
  EXPECT_EQ(RGB(1, 2, 3), pm->GetColor(COLOR_3DFACE)) << "overrides survive a refresh";
  EXPECT_EQ(clrFace, pm->GetColorTable().GetSlot(COLOR_3DFACE).m_clrValue);

  // SetColors writes values: an override still wins, a refresh reloads them.
  const int indices[] = {COLOR_3DFACE, 40};
  const COLORREF colors[] = {RGB(7, 7, 7), RGB(8, 8, 8)};
  pm->SetColors(2, indices, colors);
  EXPECT_EQ(RGB(1, 2, 3), pm->GetColor(COLOR_3DFACE));
  EXPECT_EQ(RGB(8, 8, 8), pm->GetColor(40));
  pm->RefreshMetrics();
  EXPECT_EQ(GetColorManager()->GetColor(40), pm->GetColor(40));
}

TEST(PaintManagerColors, RefreshSetsTheDefaultTextAndShadow) {
  CThemeRef pm(1, FALSE);
  pm->GetColorTable().SetOverride(COLOR_BTNTEXT, RGB(10, 20, 30));
  pm->m_clrShadow = RGB(5, 5, 5);
  pm->m_clrDefaultText = RGB(6, 6, 6);
  pm->RefreshMetrics();
  EXPECT_EQ(RGB(10, 20, 30), pm->m_clrDefaultText);
  EXPECT_EQ(0u, pm->m_clrShadow);
}

int g_nDetected = 0;
int DetectedScheme() { return g_nDetected; }

struct CSchemeSeam {
  explicit CSchemeSeam(int nScheme) {
    g_nDetected = nScheme;
    CJVKPaintManager::s_pfnDetectScheme = &DetectedScheme;
  }
  ~CSchemeSeam() { CJVKPaintManager::s_pfnDetectScheme = nullptr; }
};

TEST(PaintManagerColors, CurrentColorScheme) {
  const struct {
    int nSetting, nDetected, nResult;
  } rows[] = {{5, 2, 2}, {5, 0, 0}, {4, 3, 3}, {0, 3, 0}, {1, 0, 1}, {3, 1, 3}, {9, 1, 0}};
  CThemeRef pm(0, FALSE);
  for (const auto& row : rows) {
    CSchemeSeam seam(row.nDetected);
    pm->m_nColorScheme = row.nSetting;
    EXPECT_EQ(row.nResult, pm->GetCurrentColorScheme()) << row.nSetting << " / " << row.nDetected;
  }
}

// -------------------------------------------------------------------- fonts

LONG g_nMenuHeight = -9;
BYTE g_nMenuCharSet = 0;
char g_szMenuFace[LF_FACESIZE] = "Arial";

BOOL FakeMetrics(NONCLIENTMETRICSA* p) {
  std::memset(p, 0, sizeof *p);
  p->cbSize = 340;
  p->lfMenuFont.lfHeight = g_nMenuHeight;
  p->lfMenuFont.lfWeight = FW_NORMAL;
  p->lfMenuFont.lfCharSet = g_nMenuCharSet;
  std::strcpy(p->lfMenuFont.lfFaceName, g_szMenuFace);
  p->lfSmCaptionFont.lfHeight = -12;
  std::strcpy(p->lfSmCaptionFont.lfFaceName, "Arial");
  return TRUE;
}

struct CMetricsSeam {
  CMetricsSeam() { CJVKPaintManager::s_pfnGetNonClientMetrics = &FakeMetrics; }
  ~CMetricsSeam() { CJVKPaintManager::s_pfnGetNonClientMetrics = nullptr; }
};

LOGFONTA FontOf(CFont* pFont) {
  LOGFONTA lf = {};
  pFont->GetLogFont(&lf);
  return lf;
}

TEST(PaintManagerFonts, SmallMenuFontsAreClamped) {
  CMetricsSeam seam;
  CThemeRef pm(0, FALSE);
  const struct {
    LONG nMenu, nFont;
  } rows[] = {{-9, -11}, {-1, -11}, {-10, -11}, {-12, -12}, {-16, -16}, {14, 14}};
  for (const auto& row : rows) {
    g_nMenuHeight = row.nMenu;
    pm->RefreshFonts();
    EXPECT_EQ(row.nFont, FontOf(pm->GetRegularFont()).lfHeight) << row.nMenu;
    EXPECT_EQ(row.nFont, FontOf(pm->GetRegularBoldFont()).lfHeight) << row.nMenu;
    EXPECT_EQ(FW_BOLD, FontOf(pm->GetRegularBoldFont()).lfWeight);
  }
  g_nMenuHeight = -9;
}

// A menu font with everything set: only its height, weight, italic flag and
// face make the bars' fonts.
BOOL FakeMetricsWithExtras(NONCLIENTMETRICSA* p) {
  FakeMetrics(p);
  LOGFONTA& lf = p->lfMenuFont;
  lf.lfHeight = -13;
  lf.lfWeight = 600;
  lf.lfItalic = TRUE;
  lf.lfWidth = 7;
  lf.lfUnderline = TRUE;
  lf.lfStrikeOut = TRUE;
  lf.lfEscapement = 450;
  lf.lfOrientation = 450;
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  lf.lfQuality = NONANTIALIASED_QUALITY;
  return TRUE;
}

TEST(PaintManagerFonts, RefreshTakesTheMenuFontsHeightWeightItalicAndFaceOnly) {
  CJVKPaintManager::s_pfnGetNonClientMetrics = &FakeMetricsWithExtras;
  CThemeRef pm(0, FALSE);
  pm->RefreshFonts();
  CJVKPaintManager::s_pfnGetNonClientMetrics = nullptr;
  const LOGFONTA lf = FontOf(pm->GetRegularFont());
  const struct {
    const char* field;
    LONG nActual, nExpected;
  } rows[] = {
      {"height", lf.lfHeight, -13},
      {"weight", lf.lfWeight, 600},
      {"italic", lf.lfItalic, TRUE},
      {"width", lf.lfWidth, 0},
      {"underline", lf.lfUnderline, FALSE},
      {"strike-out", lf.lfStrikeOut, FALSE},
      {"escapement", lf.lfEscapement, 0},
      {"orientation", lf.lfOrientation, 0},
      {"precision", lf.lfOutPrecision, OUT_DEFAULT_PRECIS},
      {"quality", lf.lfQuality, DEFAULT_QUALITY},
  };
  for (const auto& row : rows) EXPECT_EQ(row.nExpected, row.nActual) << row.field;
  EXPECT_STREQ("Arial", lf.lfFaceName);
  EXPECT_FALSE(FontOf(pm->GetRegularBoldFont()).lfUnderline);
}

TEST(PaintManagerFonts, RowHeightIsTheBlanksHeightPlusSix) {
  CMetricsSeam seam;
  g_nMenuHeight = -20;
  CThemeRef pm(1, FALSE);
  pm->RefreshFonts();
  CDibCanvas canvas(10, 10);
  CFont* pOld = canvas.DC()->SelectObject(pm->GetRegularFont());
  const int nHeight = canvas.DC()->GetTextExtent(CString(" ")).cy;
  canvas.DC()->SelectObject(pOld);
  EXPECT_EQ(nHeight + 6, pm->GetRowHeight());
  EXPECT_GE(pm->GetRowHeight(), 26);
  g_nMenuHeight = -9;
}

TEST(PaintManagerFonts, VerticalFontsAndTheirBars) {
  CThemeRef pm(0, FALSE);
  CFakeBar bar;
  const struct {
    int nPosition;
    BOOL bVertical;
  } rows[] = {{0, FALSE}, {1, FALSE}, {2, TRUE}, {3, TRUE}, {4, FALSE}, {5, FALSE}, {6, FALSE}};
  for (const auto& row : rows) {
    bar.nPosition = row.nPosition;
    for (BOOL bBold : {FALSE, TRUE}) {
      const LOGFONTA lf = FontOf(pm->GetFont(&bar, bBold));
      EXPECT_EQ(row.bVertical ? 2700 : 0, lf.lfEscapement) << row.nPosition;
      EXPECT_EQ(row.bVertical ? 900 : 0, lf.lfOrientation) << row.nPosition;
      EXPECT_EQ(bBold ? FW_BOLD : FontOf(pm->GetRegularFont()).lfWeight, lf.lfWeight) << row.nPosition;
    }
  }
}

BOOL g_bTahomaInstalled = TRUE;
BOOL FakeFontExists(const CString& strFace) { return strFace.CompareNoCase("Tahoma") == 0 && g_bTahomaInstalled; }

TEST(PaintManagerFonts, TahomaIsKeptForWesternCharacterSets) {
  CMetricsSeam seam;
  CJVKPaintManager::s_pfnFontExists = &FakeFontExists;
  CThemeRef pm(0, FALSE);
  EXPECT_FALSE(pm->m_bKeepTahoma);
  std::strcpy(g_szMenuFace, "Arial");
  pm->RefreshFonts();
  EXPECT_STREQ("Arial", FontOf(pm->GetRegularFont()).lfFaceName);

  LOGFONTA lf = FontOf(pm->GetRegularFont());
  std::strcpy(lf.lfFaceName, "Tahoma");
  pm->SetFont(&lf, TRUE);
  EXPECT_TRUE(pm->m_bKeepTahoma);
  // Later refreshes with another system face keep Tahoma for character sets
  // 0 to 2 (the screen's is 0 or 1 here), not for others.
  pm->RefreshFonts();
  EXPECT_STREQ("Tahoma", FontOf(pm->GetRegularFont()).lfFaceName);
  lf = FontOf(pm->GetRegularFont());
  std::strcpy(lf.lfFaceName, "Arial");
  lf.lfCharSet = 128;
  pm->SetFont(&lf, TRUE);
  EXPECT_STREQ("Arial", FontOf(pm->GetRegularFont()).lfFaceName);
  // Where Tahoma is not installed the system face stays.
  g_bTahomaInstalled = FALSE;
  pm->RefreshFonts();
  EXPECT_STREQ("Arial", FontOf(pm->GetRegularFont()).lfFaceName);
  EXPECT_TRUE(pm->m_bKeepTahoma);
  g_bTahomaInstalled = TRUE;
  CJVKPaintManager::s_pfnFontExists = nullptr;
}

TEST(PaintManagerFonts, SetFontKeepsAControlBoldFont) {
  CThemeRef pm(0, FALSE);
  pm->m_bControlBoldFollowsSystem = FALSE;
  LOGFONTA lf = FontOf(pm->GetRegularFont());
  pm->SetFont(&lf, TRUE);
  ASSERT_NE(nullptr, pm->GetControlBoldFont()->GetSafeHandle());
  EXPECT_EQ(FW_BOLD, FontOf(pm->GetControlBoldFont()).lfWeight);
}

TEST(PaintManagerFonts, NullFontChangesOnlyTheFlag) {
  CThemeRef pm(0, FALSE);
  HGDIOBJ hRegular = pm->GetRegularFont()->GetSafeHandle();
  pm->SetFont(nullptr, FALSE);
  EXPECT_FALSE(pm->m_bUseMenuFont);
  EXPECT_EQ(hRegular, pm->GetRegularFont()->GetSafeHandle());
  // Without the menu font flag a refresh leaves the text fonts alone.
  pm->RefreshFonts();
  EXPECT_EQ(hRegular, pm->GetRegularFont()->GetSafeHandle());
  EXPECT_NE(nullptr, pm->GetControlFont()->GetSafeHandle());
  EXPECT_EQ(FW_BOLD, FontOf(pm->GetControlBoldFont()).lfWeight);
  EXPECT_NE(nullptr, pm->GetCaptionFont()->GetSafeHandle());
}

// ------------------------------------------------------------ caption text

TEST(PaintManagerText, MeasuresWithoutMarkersAndGrowsForTheArrow) {
  CThemeRef pm(1);
  CDibCanvas canvas(200, 40);
  CDC* pDC = canvas.DC();
  CFont* pOld = pDC->SelectObject(pm->GetRegularFont());
  const CSize szPlain = pDC->GetTextExtent(CString("File & Edit"));
  const CRect rc(0, 0, 200, 20);
  EXPECT_EQ(szPlain, pm->DrawControlText(pDC, "&File && Edit", rc, FALSE, FALSE, FALSE, FALSE, TRUE));
  EXPECT_EQ(CSize(szPlain.cx + 10, szPlain.cy),
            pm->DrawControlText(pDC, "&File && Edit", rc, FALSE, FALSE, FALSE, TRUE, TRUE));
  EXPECT_EQ(CSize(szPlain.cy, szPlain.cx + 10),
            pm->DrawControlText(pDC, "&File && Edit", rc, TRUE, FALSE, FALSE, TRUE, TRUE));
  EXPECT_EQ(CSize(szPlain.cx + 5, szPlain.cy),
            pm->DrawControlText(pDC, "&File && Edit", rc, FALSE, FALSE, TRUE, TRUE, TRUE));
  pDC->SelectObject(pOld);
}

TEST(PaintManagerText, UnderlinesFollowTheCallerOrTheOverride) {
  CThemeRef pm(1);
  CDibCanvas shown(120, 24, RGB(255, 255, 255)), hidden(120, 24, RGB(255, 255, 255));
  auto draw = [&](CDibCanvas& canvas, BOOL bUnderlines) {
    CFont* pOld = canvas.DC()->SelectObject(pm->GetRegularFont());
    canvas.DC()->SetTextColor(RGB(0, 0, 0));
    pm->DrawControlText(canvas.DC(), "&Wide", CRect(2, 0, 120, 24), FALSE, FALSE, TRUE, FALSE, bUnderlines);
    canvas.DC()->SelectObject(pOld);
  };
  auto differs = [&]() {
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 120; ++x)
        if (shown.Pixel(x, y) != hidden.Pixel(x, y)) return true;
    return false;
  };
  draw(shown, TRUE);
  draw(hidden, FALSE);
  EXPECT_TRUE(differs()) << "the mnemonic's underline shows";
  pm->m_nKeyboardCues = 0;
  CDibCanvas overridden(120, 24, RGB(255, 255, 255));
  CFont* pOld = overridden.DC()->SelectObject(pm->GetRegularFont());
  overridden.DC()->SetTextColor(RGB(0, 0, 0));
  pm->DrawControlText(overridden.DC(), "&Wide", CRect(2, 0, 120, 24), FALSE, FALSE, TRUE, FALSE, TRUE);
  overridden.DC()->SelectObject(pOld);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 120; ++x) ASSERT_EQ(hidden.Pixel(x, y), overridden.Pixel(x, y)) << x << "," << y;
}

TEST(PaintManagerText, DisabledCaptionsAreEmbossedOnlyInTheClassicLook) {
  const struct {
    int nTheme;
    BOOL bEmbossed;
    int nText;
  } rows[] = {{0, TRUE, COLOR_GRAYTEXT}, {3, TRUE, COLOR_GRAYTEXT}, {1, FALSE, 40}, {2, FALSE, 40}};
  for (const auto& row : rows) {
    CThemeRef pm(row.nTheme);
    CFakeBar bar;
    CFakeControl control;
    bar.Add(control);
    control.strCaption = "Wide";
    control.bEnabled = FALSE;
    control.rect.SetRect(0, 0, 80, 22);
    CDibCanvas canvas(80, 22, RGB(1, 2, 3));
    pm->DrawControl(canvas.DC(), &control, TRUE);
    EXPECT_GT(CountColor(canvas, CRect(0, 0, 80, 22), SlotColor(row.nText)), 10) << row.nTheme;
    EXPECT_EQ(row.bEmbossed, CountColor(canvas, CRect(0, 0, 80, 22), SlotColor(COLOR_BTNHIGHLIGHT)) > 10)
        << row.nTheme;
  }
}

TEST(PaintManagerText, ArrowBesideTheText) {
  CThemeRef pm(1);
  CDibCanvas canvas(120, 40, RGB(255, 255, 255));
  CDC* pDC = canvas.DC();
  CFont* pOld = pDC->SelectObject(pm->GetRegularFont());
  pDC->SetTextColor(RGB(0, 0, 0));
  const int w = pDC->GetTextExtent(CString("Wide")).cx;
  pm->DrawControlText(pDC, "Wide", CRect(10, 0, 120, 20), FALSE, FALSE, TRUE, TRUE, TRUE);
  pDC->SelectObject(pOld);
  // A down triangle centred 5 pixels past the text's end: (x - 2, mid - 1),
  // (x + 2, mid - 1), (x, mid + 1).
  const int x = 10 + w + 5;
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(x - 2, 9));
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(x + 2, 9));
  EXPECT_EQ(RGB(0, 0, 0), canvas.Pixel(x, 11));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(x, 12));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(x + 3, 9));
}

TEST(PaintManagerText, PopupRowsFollowTheOverrideToo) {
  for (int nTheme : {0, 1}) {
    CThemeRef pm(nTheme);
    CFakeBar bar;
    bar.nPosition = jvkBarPopup;
    bar.nType = jvkBarTypePopup;
    bar.bCues = TRUE;
    CFakeControl control;
    bar.Add(control);
    control.strCaption = "&Wide";
    control.rect.SetRect(0, 0, 150, 24);
    auto draw = [&](int nCues) {
      auto canvas = std::make_unique<CDibCanvas>(150, 24, RGB(255, 255, 255));
      pm->m_nKeyboardCues = nCues;
      pm->DrawControl(canvas->DC(), &control, TRUE);
      return canvas;
    };
    auto shown = draw(-1), hidden = draw(0), forced = draw(1);
    int nDiffers = 0, nSame = 0;
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < 150; ++x) {
        nDiffers += shown->Pixel(x, y) != hidden->Pixel(x, y);
        nSame += shown->Pixel(x, y) == forced->Pixel(x, y);
      }
    EXPECT_GT(nDiffers, 0) << nTheme << ": override 0 hides the underline the bar shows";
    EXPECT_EQ(150 * 24, nSame) << nTheme;
  }
}

// ----------------------------------------------------- check mark, arrow

TEST(PaintManagerGlyphs, CheckMarkPoints) {
  CThemeRef pm(0);
  const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
  const struct {
    BOOL bRtl, bDouble;
    POINT set[4];
    POINT clear[2];
  } rows[] = {
      // Normal: (cx-4, cy-1) -> (cx-2, cy+1) -> (cx+3, cy-4), and one below.
      {FALSE, FALSE, {{-4, -1}, {-2, 1}, {-4, 0}, {-2, 2}}, {{-4, 1}, {0, 3}}},
      {TRUE, FALSE, {{-4, -3}, {0, 1}, {-4, -2}, {0, 2}}, {{-4, 0}, {-2, 3}}},
      {FALSE, TRUE, {{-4, -1}, {-2, 1}, {-4, 1}, {-2, 3}}, {{0, 5}, {-4, 3}}},
  };
  for (const auto& row : rows) {
    CDibCanvas canvas(20, 20, white);
    pm->m_bDoubleCheck = row.bDouble;
    pm->DrawCheckMark(canvas.DC(), CRect(0, 0, 20, 20), black, row.bRtl);
    for (const POINT& p : row.set) EXPECT_EQ(black, canvas.Pixel(10 + p.x, 10 + p.y)) << row.bRtl << p.x << "," << p.y;
    for (const POINT& p : row.clear) EXPECT_EQ(white, canvas.Pixel(10 + p.x, 10 + p.y)) << row.bRtl << p.x << "," << p.y;
  }
}

TEST(PaintManagerGlyphs, ComboArrowWidths) {
  CThemeRef pm(0);
  const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255);
  const struct {
    int nWidth, nHalf;  // the triangle's half-width
  } rows[] = {{16, 4}, {12, 2}, {10, 2}, {24, 8}};
  for (const auto& row : rows) {
    CDibCanvas canvas(40, 30, white);
    const CRect rc(0, 0, row.nWidth, 30);
    pm->DrawComboArrow(canvas.DC(), rc, black);
    const int cx = rc.CenterPoint().x, y = 15 - row.nHalf / 2;
    EXPECT_EQ(black, canvas.Pixel(cx - row.nHalf, y)) << row.nWidth;
    EXPECT_EQ(black, canvas.Pixel(cx + row.nHalf, y)) << row.nWidth;
    EXPECT_EQ(black, canvas.Pixel(cx, y + row.nHalf)) << row.nWidth;
    EXPECT_EQ(white, canvas.Pixel(cx - row.nHalf - 1, y)) << row.nWidth;
    EXPECT_EQ(white, canvas.Pixel(cx, y + row.nHalf + 1)) << row.nWidth;
  }
}

// --------------------------------------------------------------- animation

// A popup of 40 x 20 whose row y has red y * 10; the screen under it blue.
struct CAnimationFixture {
  CDibCanvas source{40, 20};
  CDibCanvas screen{60, 40, RGB(0, 0, 200)};
  CFakeClock clock;
  CAnimationFixture() {
    for (int y = 0; y < 20; ++y) source.DC()->FillSolidRect(0, y, 40, 1, RGB(y * 10, 0, 0));
  }
};

TEST(PaintManagerAnimation, SlideCopiesTheBottomRowsFrameByFrame) {
  CThemeRef pm(0);
  CAnimationFixture f;
  pm->m_pClock = &f.clock;
  std::vector<COLORREF> top;
  std::vector<COLORREF> below;
  f.clock.m_onSleep = [&]() {
    top.push_back(f.screen.Pixel(10, 5));
    below.push_back(f.screen.Pixel(10, 5 + 2 * static_cast<int>(top.size())));
  };
  pm->AnimatePopup(f.screen.DC(), f.source.DC(), CRect(10, 5, 50, 25), 3);
  ASSERT_EQ(std::vector<DWORD>(10, 10), f.clock.m_sleeps) << "ten frames 10 ms apart";
  for (int k = 1; k <= 10; ++k) {
    // Frame k shows the last 2k rows of the popup at its top.
    EXPECT_EQ(RGB((20 - 2 * k) * 10, 0, 0), top[static_cast<size_t>(k - 1)]) << k;
    if (k < 10) { EXPECT_EQ(RGB(0, 0, 200), below[static_cast<size_t>(k - 1)]) << k; }
  }
}

TEST(PaintManagerAnimation, UnfoldGrowsFromTheCorner) {
  CThemeRef pm(0);
  CAnimationFixture f;
  pm->m_pClock = &f.clock;
  pm->m_nAnimationSteps = 4;
  pm->m_nAnimationDuration = 40;
  std::vector<std::pair<COLORREF, COLORREF>> seen;
  f.clock.m_onSleep = [&]() {
    const int k = static_cast<int>(seen.size()) + 1;
    seen.emplace_back(f.screen.Pixel(10 + 10 * k - 1, 5), f.screen.Pixel(10 + 10 * k, 5));
  };
  pm->AnimatePopup(f.screen.DC(), f.source.DC(), CRect(10, 5, 50, 25), 2);
  EXPECT_EQ(std::vector<DWORD>(4, 10), f.clock.m_sleeps);
  ASSERT_EQ(4u, seen.size());
  for (int k = 1; k <= 3; ++k) {
    EXPECT_EQ(RGB((20 - 5 * k) * 10, 0, 0), seen[static_cast<size_t>(k - 1)].first) << k;
    EXPECT_EQ(RGB(0, 0, 200), seen[static_cast<size_t>(k - 1)].second) << k;
  }
}

TEST(PaintManagerAnimation, FadeBlendsAndPacesByElapsedTime) {
  const struct {
    DWORD dwCost;
    DWORD dwSleep;
  } rows[] = {{0, 10}, {3, 7}, {10, 0}, {25, 0}};
  for (const auto& row : rows) {
    CThemeRef pm(0);
    CAnimationFixture f;
    f.source.DC()->FillSolidRect(0, 0, 40, 20, RGB(200, 0, 0));
    pm->m_pClock = &f.clock;
    f.clock.m_dwCostPerRead = row.dwCost;
    std::vector<COLORREF> seen;
    f.clock.m_onSleep = [&]() { seen.push_back(f.screen.Pixel(20, 10)); };
    pm->AnimatePopup(f.screen.DC(), f.source.DC(), CRect(10, 5, 50, 25), 4);
    ASSERT_EQ(std::vector<DWORD>(9, row.dwSleep), f.clock.m_sleeps) << "cost " << row.dwCost;
    for (int k = 1; k <= 9; ++k) {
      const int a = 255 * k / 10;
      EXPECT_EQ(RGB(200 * a / 256, 0, 200 * (255 - a) / 256), seen[static_cast<size_t>(k - 1)]) << k;
    }
    EXPECT_EQ(RGB(0, 0, 200), f.screen.Pixel(5, 5)) << "nothing outside the popup";
  }
}

TEST(PaintManagerAnimation, ANegativeDurationDrawsEveryFrameWithoutPausing) {
  const int kinds[] = {2, 3, 4, -1};  // -1: the expanding animation
  for (int nKind : kinds) {
    CThemeRef pm(0);
    CAnimationFixture f;
    pm->m_pClock = &f.clock;
    pm->m_nAnimationSteps = 4;
    pm->m_nAnimationDuration = -40;
    if (nKind < 0) {
      const RECT bands[1] = {{0, 0, 40, 20}};
      const BOOL hidden[1] = {TRUE};
      pm->AnimateExpanding(f.screen.DC(), f.source.DC(), CRect(10, 5, 50, 25), bands, hidden, 1, TRUE);
    } else {
      pm->AnimatePopup(f.screen.DC(), f.source.DC(), CRect(10, 5, 50, 25), nKind);
    }
    EXPECT_EQ(std::vector<DWORD>(nKind == 4 ? 3 : 4, 0), f.clock.m_sleeps) << nKind;
  }
}

TEST(PaintManagerAnimation, FewStepsAndOtherKindsDrawNothing) {
  const struct {
    int nKind, nSteps;
  } rows[] = {{4, 1}, {4, 0}, {2, 0}, {3, -1}, {0, 10}, {1, 10}, {5, 10}};
  for (const auto& row : rows) {
    CThemeRef pm(0);
    CAnimationFixture f;
    pm->m_pClock = &f.clock;
    pm->m_nAnimationSteps = row.nSteps;
    pm->AnimatePopup(f.screen.DC(), f.source.DC(), CRect(10, 5, 50, 25), row.nKind);
    EXPECT_TRUE(f.clock.m_sleeps.empty()) << row.nKind << "/" << row.nSteps;
    EXPECT_EQ(0, CountColor(f.screen, CRect(0, 0, 60, 40), RGB(0, 0, 0))) << row.nKind;
    EXPECT_EQ(60 * 40, CountColor(f.screen, CRect(0, 0, 60, 40), RGB(0, 0, 200))) << row.nKind;
  }
}

TEST(PaintManagerAnimation, ExpandingStretchesOnlyTheHiddenBands) {
  CThemeRef pm(0);
  CAnimationFixture f;
  pm->m_pClock = &f.clock;
  pm->m_nAnimationSteps = 2;
  pm->m_nAnimationDuration = 20;
  // Rows 0-9 were visible (red 0..90), 10-19 are the formerly hidden band.
  const RECT bands[2] = {{0, 0, 40, 10}, {0, 10, 40, 20}};
  const BOOL hidden[2] = {FALSE, TRUE};
  std::vector<std::pair<COLORREF, COLORREF>> seen;
  f.clock.m_onSleep = [&]() { seen.emplace_back(f.screen.Pixel(20, 5 + 9), f.screen.Pixel(20, 5 + 15)); };
  pm->AnimateExpanding(f.screen.DC(), f.source.DC(), CRect(10, 5, 50, 25), bands, hidden, 2, TRUE);
  ASSERT_EQ(2u, seen.size());
  EXPECT_EQ(std::vector<DWORD>(2, 10), f.clock.m_sleeps);
  EXPECT_EQ(RGB(90, 0, 0), seen[0].first) << "the visible band keeps its rows";
  EXPECT_EQ(RGB(0, 0, 200), seen[0].second) << "half of the hidden band shown in frame 1";
  EXPECT_EQ(RGB(150, 0, 0), seen[1].second) << "all of it in the last frame";
}

}  // namespace
