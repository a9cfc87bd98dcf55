// The process-wide fonts, metrics, cursors and colours.
#include "PaintTestSupport.h"

#include "ColorManager.h"
#include "DrawHelpers.h"
#include "GlobalData.h"
#include "Refusal.h"

namespace {

TEST(GlobalData, ColoursInTheirOrder) {
  CJVGlobalData data;
  CJVKColorManager* pColors = GetColorManager();
  for (int i = 0; i < 19; ++i)
    EXPECT_EQ(pColors->GetColor(static_cast<UINT>(CJVGlobalData::kSystemIndices[i])), data.m_clrSystem[i]) << i;
  EXPECT_EQ(15, CJVGlobalData::kSystemIndices[0]);
  EXPECT_EQ(9, CJVGlobalData::kSystemIndices[18]);
  EXPECT_EQ(pColors->GetColor(19), data.m_clrShades[0]);
  EXPECT_EQ(pColors->GetColor(30), data.m_clrShades[1]);
  EXPECT_EQ(pColors->GetColor(40), data.m_clrShades[11]);
  EXPECT_EQ(pColors->GetColor(41), data.m_clrFlat[0]);
  EXPECT_EQ(pColors->GetColor(48), data.m_clrFlat[7]);
  EXPECT_EQ(pColors->GetColor(49), data.m_clr49);
}

TEST(GlobalData, FontsMetricsAndCursors) {
  CJVGlobalData* pData = GetGlobalData();
  EXPECT_TRUE(pData->m_bFontsCreated);
  LOGFONTA lf[CJVGlobalData::fontCount];
  for (int i = 0; i < CJVGlobalData::fontCount; ++i) {
    ASSERT_NE(nullptr, pData->m_fonts[i].GetSafeHandle()) << i;
    pData->m_fonts[i].GetLogFont(&lf[i]);
  }
  EXPECT_EQ(FW_BOLD, lf[CJVGlobalData::fontBold].lfWeight);
  EXPECT_TRUE(lf[CJVGlobalData::fontUnderline].lfUnderline);
  EXPECT_EQ(2700, lf[CJVGlobalData::fontVert].lfEscapement);
  EXPECT_EQ(900, lf[CJVGlobalData::fontVertBold].lfOrientation);
  EXPECT_EQ(FW_BOLD, lf[CJVGlobalData::fontVertBold].lfWeight);
  EXPECT_EQ(FW_BOLD, lf[CJVGlobalData::fontIconTitleBold].lfWeight);
  EXPECT_STREQ("Marlett", lf[CJVGlobalData::fontGlyph].lfFaceName);
  EXPECT_EQ(DEFAULT_CHARSET, lf[CJVGlobalData::fontGlyph].lfCharSet);
  EXPECT_EQ(lf[CJVGlobalData::fontIconTitle].lfHeight, lf[CJVGlobalData::fontGlyph].lfHeight);
  EXPECT_EQ(lf[CJVGlobalData::fontRegular].lfHeight, lf[CJVGlobalData::fontBold].lfHeight);

  EXPECT_EQ(::GetSystemMetrics(SM_CXSMICON), pData->m_cxSmallIcon);
  EXPECT_EQ(::GetSystemMetrics(SM_CYMENU), pData->m_cyMenu);
  EXPECT_EQ(18, pData->m_cxDefaultButton);
  EXPECT_EQ(18, pData->m_cyDefaultButton);
  EXPECT_NE(nullptr, pData->m_hCursors[CJVGlobalData::cursorHand]) << "the system's hand cursor";
  EXPECT_NE(nullptr, pData->m_hCursors[CJVGlobalData::cursorSizeAll]);
  // The toolkit's own cursor resources come with the toolkit.
  for (int i = 0; i < 7; ++i) EXPECT_NE(nullptr, pData->m_hCursors[i]) << i;
  EXPECT_FALSE(pData->m_bCursorFailed);
  EXPECT_FALSE(pData->m_bPreferTahoma);
  EXPECT_FALSE(pData->m_bReserved1);
  EXPECT_TRUE(pData->m_bReserved2);
}

TEST(GlobalData, GivenFacesWhenInstalled) {
  CJVGlobalData data;
  ASSERT_TRUE(data.CreateFonts("Courier New", "Times New Roman"));
  LOGFONTA lf = {};
  data.m_fonts[CJVGlobalData::fontRegular].GetLogFont(&lf);
  if (CJVKDrawHelpers::FontExists("Courier New")) { EXPECT_STREQ("Courier New", lf.lfFaceName); }
  data.m_fonts[CJVGlobalData::fontVert].GetLogFont(&lf);
  if (CJVKDrawHelpers::FontExists("Times New Roman")) { EXPECT_STREQ("Times New Roman", lf.lfFaceName); }
  ASSERT_TRUE(data.CreateFonts("No Such Face 123"));
  data.m_fonts[CJVGlobalData::fontRegular].GetLogFont(&lf);
  EXPECT_STRNE("No Such Face 123", lf.lfFaceName);
}

TEST(GlobalData, ComCtlVersionAskedOnceAndZeroWithoutIt) {
  {
    CJVGlobalData data;
    EXPECT_EQ(-1, data.m_nComCtlVersion);
    const int nVersion = data.GetComCtlVersion();
    EXPECT_GE(nVersion, 5 * 65536);
    CRefusal refusal({"comctl32.dll"});
    EXPECT_EQ(nVersion, data.GetComCtlVersion()) << "asked once";
  }
  CRefusal refusal({"comctl32.dll"});
  CJVGlobalData data;
  EXPECT_EQ(0, data.GetComCtlVersion());
}

}  // namespace
