#include "ColorManager.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The classic scheme and the blue visual style's system colours, 0 to 30.
const COLORREF kClassic[31] = {0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000,
                               0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4,
                               0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF, 0x404040, 0xC8D0D4, 0x000000,
                               0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xC8D0D4, 0xC8D0D4};
const COLORREF kLuna[31] = {0x004E98, 0x984E00, 0xE35400, 0x808080, 0xD8E9EC, 0xFFFFFF, 0x000000, 0x000000,
                            0x000000, 0xFFFFFF, 0xD4D0C8, 0xD4D0C8, 0x808080, 0xC56A31, 0xFFFFFF, 0xD8E9EC,
                            0x99A8AC, 0xACA899, 0x000000, 0xD8E9EC, 0xFFFFFF, 0x716F64, 0xE2EFF1, 0x000000,
                            0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0xC0C0C0, 0xC56A31, 0xD8E9EC};

// Golden tables, computed apart from this code from the rules of the table.
const COLORREF kClassicTable[60] = {
    0x000000, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF,
    0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A, 0xFFFFFF, 0xC8D0D4, 0x808080, 0x808080, 0x000000, 0xC8D0D4,
    0xFFFFFF, 0x404040, 0xD7DFE3, 0x000000, 0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0x000000, 0x000000,
    0xD1D8DB, 0xD2BDB6, 0x6A240A, 0xB59285, 0x9D8D88, 0xA6A6A6, 0xD8D5D4, 0x6A240A, 0xA0A0A0, 0xA6A6A6,
    0x8D8D8D, 0xF7F8F9, 0xC1C8CC, 0x666666, 0x000000, 0x000000, 0x000000, 0xFFFFFF, 0xE9F2F7, 0x555555,
    0x6A240A, 0xC8D0D4, 0x808080, 0xD1D8DB, 0x808080, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x8D8D8D, 0x000000};
// Blue visual style; slot 54 is the style's, slot 57 the tree border of the fixture.
const COLORREF kLunaTable[60] = {
    0x000000, 0x984E00, 0xE35400, 0x808080, 0xD8E9EC, 0xFFFFFF, 0x000000, 0x000000, 0x000000, 0xFFFFFF,
    0xD4D0C8, 0xD4D0C8, 0x808080, 0xC56A31, 0xFFFFFF, 0xD8E9EC, 0x99A8AC, 0xACA899, 0x000000, 0xD8E9EC,
    0xFFFFFF, 0x716F64, 0xE7F8FB, 0x000000, 0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6, 0x000000, 0x000000,
    0xDEEDEF, 0xEED2C1, 0xC56A31, 0xE2B598, 0xB29D90, 0xC5C2B8, 0xE8E6E1, 0xC56A31, 0xB1BCBF, 0xB8C2C5,
    0xA3B1B4, 0xF9FCFC, 0xD2E3E6, 0x7A868A, 0x000000, 0x000000, 0x000000, 0x494949, 0xE9FBFF, 0x727E81,
    0xC56A31, 0xD8E9EC, 0x99A8AC, 0xDEEDEF, 0x962D00, 0xD8E9EC, 0xD8E9EC, 0xB99D7F, 0xA3B1B4, 0x000000};

class CFixedColorSystem : public CJVKColorSystem {
 public:
  explicit CFixedColorSystem(const COLORREF* pColors) { m_colors.assign(pColors, pColors + 31); }
  COLORREF GetSysColor(int nIndex) override { return m_colors[nIndex]; }
  BOOL IsLowColorDisplay() override { return m_bLowColor; }
  BOOL IsThemeActive() override { return m_bThemeActive; }
  BOOL GetCurrentThemeName(CString& file, CString& color) override {
    file = m_strFile;
    color = m_strColor;
    return m_bNamesAvailable;
  }
  BOOL GetTreeBorderColor(COLORREF& clr) override {
    clr = m_clrTreeBorder;
    return m_bThemed;
  }
  DWORD GetTickCount() override { return m_dwTick; }

  std::vector<COLORREF> m_colors;
  BOOL m_bLowColor = FALSE;
  BOOL m_bThemeActive = FALSE;
  BOOL m_bNamesAvailable = TRUE;
  BOOL m_bThemed = FALSE;
  CString m_strFile, m_strColor;
  COLORREF m_clrTreeBorder = 0xB99D7F;
  DWORD m_dwTick = 0;
};

void ExpectTable(CJVKColorManager& manager, const COLORREF (&expected)[60]) {
  for (UINT i = 0; i < 60; ++i) EXPECT_EQ(manager.GetColor(i), expected[i]) << "slot " << i;
}

void ExpectGradient(const CJVKGradientColor& g, COLORREF start, COLORREF m1, COLORREF m2, COLORREF end) {
  EXPECT_EQ(g.m_clrStart.GetColor(), start);
  EXPECT_EQ(g.m_clrMiddle1.GetColor(), m1);
  EXPECT_EQ(g.m_clrMiddle2.GetColor(), m2);
  EXPECT_EQ(g.m_clrEnd.GetColor(), end);
}

const COLORREF U = JVK_COLOR_UNSET;

TEST(ColorManager, ClassicSchemeGivesTheGoldenTableAndMixedGradients) {
  CFixedColorSystem system(kClassic);
  CJVKColorManager manager(&system);
  ExpectTable(manager, kClassicTable);
  EXPECT_EQ(manager.GetCurrentSystemTheme(), xpThemeNone);
  ExpectGradient(manager.GetGradient(0), 0x808080, U, U, 0x808080);
  ExpectGradient(manager.GetGradient(1), 0xC8D0D4, U, U, 0xF3F5F6);
  ExpectGradient(manager.GetGradient(4), 0xF3F5F6, 0xE4E8EA, 0xE3E7E9, 0xCAD1D5);
  ExpectGradient(manager.GetGradient(8), 0x8CD5FF, U, U, 0x55ADFF);
  ExpectGradient(manager.GetGradient(9), 0x4B8EFE, U, U, 0x8BCFFF);
  ExpectGradient(manager.GetGradient(10), 0xC8F2FF, U, U, 0x97D4FF);
}

TEST(ColorManager, BlueVisualStyleGivesItsFixedGradientsAndTreeBorder) {
  CFixedColorSystem system(kLuna);
  system.m_bThemeActive = TRUE;
  system.m_bThemed = TRUE;
  system.m_strFile = "C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles";
  system.m_strColor = "NormalColor";
  CJVKColorManager manager(&system);
  EXPECT_EQ(manager.GetCurrentSystemTheme(), xpThemeBlue);
  ExpectTable(manager, kLunaTable);
  ExpectGradient(manager.GetGradient(4), 0xFEECDD, 0xFCE1CB, 0xFCE1CA, 0xE2A981);
  ExpectGradient(manager.GetGradient(7), 0xFFEFE3, U, U, 0xE7B593);
}

TEST(ColorManager, ThemeSettingOtherThanDetectIsTheThemeItself) {
  CFixedColorSystem system(kClassic);
  CJVKColorManager manager(&system);
  manager.m_nThemeSetting = xpThemeSilver;
  manager.RefreshColors();
  EXPECT_EQ(manager.GetColor(54), 0x947C7Cu);
  ExpectGradient(manager.GetGradient(2), 0xBFA7A8, U, U, 0x977677);
}

struct NamesCase {
  const char* file;
  const char* color;
  int theme;
};

TEST(ColorManager, VisualStyleNamesGiveTheThemeNumber) {
  const NamesCase cases[] = {
      {"C:\\Themes\\Luna.msstyles", "NormalColor", 1},
      {"c:\\themes\\luna.msstyles", "homestead", 2},
      {"LUNA.MSSTYLES", "Metallic", 3},
      {"luna.msstyles", "other", 0},
      {"Royale.msstyles", "NormalColor", 1},
      {"royale.msstyles", "homestead", 0},
      {"aero.msstyles", "NormalColor", 0},
      {"", "", 0},
  };
  for (const NamesCase& c : cases) EXPECT_EQ(JVKThemeFromNames(c.file, c.color), c.theme) << c.file << " " << c.color;

  CFixedColorSystem system(kClassic);
  system.m_strFile = "luna.msstyles";
  system.m_strColor = "metallic";
  CJVKColorManager manager(&system);
  EXPECT_EQ(manager.DetectXPTheme(), 0) << "no visual style active";
  system.m_bThemeActive = TRUE;
  EXPECT_EQ(manager.DetectXPTheme(), 3);
  system.m_bNamesAvailable = FALSE;
  EXPECT_EQ(manager.DetectXPTheme(), 0);
}

TEST(ColorManager, IndexAboveTheTableIsAColour) {
  CFixedColorSystem system(kClassic);
  CJVKColorManager manager(&system);
  EXPECT_EQ(manager.GetColor(60), 60u);
  EXPECT_EQ(manager.GetColor(0x00FF0000), 0x00FF0000u);
}

TEST(ColorManager, OverridesWinAtOnceSurviveRefreshesAndFeedTheDerivedSlots) {
  CFixedColorSystem system(kClassic);
  CJVKColorManager manager(&system);
  manager.SetOverride(15, 0x00FFFF);
  EXPECT_EQ(manager.GetColor(15), 0x00FFFFu);
  EXPECT_EQ(manager.GetValue(15), 0xC8D0D4u);
  manager.RefreshColors();
  EXPECT_EQ(manager.GetColor(15), 0x00FFFFu);
  EXPECT_EQ(manager.GetColor(22), 0x0FFFFFu) << "face + 15 from the override";
  EXPECT_EQ(manager.GetColor(51), 0x00FFFFu) << "default from the effective face";
  manager.GetGradient(1).m_clrEnd.m_clrOverride = 0x010203;
  manager.RefreshColors();
  EXPECT_EQ(manager.GetGradient(1).m_clrEnd.GetColor(), 0x010203u);
}

TEST(ColorManager, LowColourDisplayKeepsTheDefaultsButComputesGradients) {
  CFixedColorSystem system(kClassic);
  system.m_bLowColor = TRUE;
  system.m_bThemed = TRUE;
  CJVKColorManager manager(&system);
  EXPECT_EQ(manager.GetColor(30), 0xC8D0D4u);
  EXPECT_EQ(manager.GetColor(31), 0xFFFFFFu);
  EXPECT_EQ(manager.GetColor(36), 0xFFFFFFu);
  EXPECT_EQ(manager.GetColor(57), 0x808080u) << "no tree border on a low-colour display";
  ExpectGradient(manager.GetGradient(1), 0xC8D0D4, U, U, 0xF3F5F6);
}

TEST(ColorManager, SystemColourReplacementIsAsked) {
  CFixedColorSystem system(kClassic);
  CJVKColorManager manager(&system);
  manager.m_pfnGetSysColor = [](int nIndex) -> COLORREF { return nIndex == 5 ? 0x0000FF : 0; };
  manager.RefreshColors();
  EXPECT_EQ(manager.GetColor(5), 0x0000FFu);
  EXPECT_EQ(manager.GetColor(15), 0u);
}

TEST(ColorManager, RefreshRecomputesAtMostOncePer500Ms) {
  CFixedColorSystem system(kClassic);
  CJVKColorManager manager(&system);
  system.m_dwTick = 1000;
  system.m_colors[5] = 0x111111;
  manager.RefreshIfDue();
  EXPECT_EQ(manager.GetColor(5), 0x111111u);
  system.m_colors[5] = 0x222222;
  system.m_dwTick = 1500;
  manager.RefreshIfDue();
  EXPECT_EQ(manager.GetColor(5), 0x111111u) << "500 ms is not more than 500 ms";
  system.m_dwTick = 1501;
  manager.RefreshIfDue();
  EXPECT_EQ(manager.GetColor(5), 0x222222u);
}

}  // namespace
