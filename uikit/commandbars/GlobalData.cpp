#include "GlobalData.h"

#include "ColorManager.h"
#include "DrawHelpers.h"
#include "Mnemonics.h"
#include "OSVersionInfo.h"
#include "OptionalEntry.h"
#include "PaintRules.h"
#include "ResourceManager.h"
#include "WinThemeWrapper.h"

const int CJVGlobalData::kSystemIndices[19] = {15, 16, 21, 20, 22, 18, 17, 13, 14, 4, 7, 5, 6, 8, 2, 3, 27, 28, 9};

namespace {
// The toolkit's own cursors, which every program linking it carries.
HCURSOR LoadResourceCursor(UINT nID) { return GetResourceManager()->LoadCursor(nID); }
}  // namespace

CJVGlobalData::CJVGlobalData() {
  CJVKColorManager* pColors = GetColorManager();
  for (int i = 0; i < 19; ++i) m_clrSystem[i] = pColors->GetColor(static_cast<UINT>(kSystemIndices[i]));
  m_clrShades[0] = pColors->GetColor(19);
  for (int i = 0; i < 11; ++i) m_clrShades[i + 1] = pColors->GetColor(static_cast<UINT>(30 + i));
  for (int i = 0; i < 8; ++i) m_clrFlat[i] = pColors->GetColor(static_cast<UINT>(41 + i));
  m_clr49 = pColors->GetColor(49);

  static const UINT kCursorIds[7] = {9011, 9008, 9009, 0, 9970, 9971, 0};
  for (int i = 0; i < 7; ++i) {
    if (i == cursorHand) {
      m_hCursors[i] = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // IDC_HAND
      if (m_hCursors[i] == nullptr) m_hCursors[i] = LoadResourceCursor(9973);
    } else if (i == cursorSizeAll) {
      m_hCursors[i] = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32646));  // IDC_SIZEALL
    } else {
      m_hCursors[i] = LoadResourceCursor(kCursorIds[i]);
    }
    if (m_hCursors[i] == nullptr) m_bCursorFailed = TRUE;
  }

  m_cxSmallIcon = ::GetSystemMetrics(SM_CXSMICON);
  m_cySmallIcon = ::GetSystemMetrics(SM_CYSMICON);
  m_cxHThumb = ::GetSystemMetrics(SM_CXHTHUMB);
  m_cyVThumb = ::GetSystemMetrics(SM_CYVTHUMB);
  m_cyMenu = ::GetSystemMetrics(SM_CYMENU);

  m_bFontsCreated = CreateFonts();

  CJVKOSVersionInfo* pVersion = GetOSVersionInfo();
  m_bIsWin95 = pVersion->IsWin95();
  m_bIsWin98 = pVersion->IsWin98();
  m_bIsWinNT4 = pVersion->IsWinNT4();
  m_bIsWin2K = pVersion->IsWin2K();
  m_bIsWinXP = pVersion->IsWinXP();
}

CJVGlobalData::~CJVGlobalData() = default;

BOOL CJVGlobalData::CreateFonts(LPCSTR lpszFace, LPCSTR lpszVerticalFace) {
  for (CFont& font : m_fonts) font.DeleteObject();
  NONCLIENTMETRICSA ncm = {};
  ncm.cbSize = 340;
  if (!::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, 340, &ncm, 0)) return FALSE;
  LOGFONTA lfIcon = {};
  if (!::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof lfIcon, &lfIcon, 0)) return FALSE;

  HDC hScreen = ::GetDC(nullptr);
  const BYTE nCharSet = static_cast<BYTE>(::GetTextCharsetInfo(hScreen, nullptr, 0));
  ::ReleaseDC(nullptr, hScreen);
  const CString strGiven = lpszFace ? lpszFace : "";
  const CString strGivenVertical = lpszVerticalFace ? lpszVerticalFace : "";
  const CString strMenuFace = ncm.lfMenuFont.lfFaceName;

  LOGFONTA lf = {};
  lf.lfHeight = ncm.lfMenuFont.lfHeight;
  lf.lfWeight = ncm.lfMenuFont.lfWeight;
  lf.lfItalic = ncm.lfMenuFont.lfItalic;
  lf.lfCharSet = nCharSet;
  const CString strFace = JVKChooseSharedFace(strGiven, !strGiven.IsEmpty() && CJVKDrawHelpers::FontExists(strGiven),
                                              m_bPreferTahoma, nCharSet, CJVKDrawHelpers::FontExists("Tahoma"),
                                              strMenuFace);
  const CString strVertical = JVKChooseSharedVerticalFace(
      strGivenVertical, !strGivenVertical.IsEmpty() && CJVKDrawHelpers::FontExists(strGivenVertical), strMenuFace,
      CJVKDrawHelpers::FontExists("Arial"));

  LOGFONTA fonts[fontCount];
  CopyString(lf.lfFaceName, sizeof lf.lfFaceName, strFace);
  fonts[fontRegular] = lf;
  fonts[fontBold] = lf;
  fonts[fontBold].lfWeight = FW_BOLD;
  fonts[fontUnderline] = lf;
  fonts[fontUnderline].lfUnderline = TRUE;
  LOGFONTA lfVert = lf;
  lfVert.lfEscapement = 2700;
  lfVert.lfOrientation = 900;
  CopyString(lfVert.lfFaceName, sizeof lfVert.lfFaceName, strVertical);
  fonts[fontVert] = lfVert;
  fonts[fontVertBold] = lfVert;
  fonts[fontVertBold].lfWeight = FW_BOLD;
  fonts[fontIconTitle] = lfIcon;
  fonts[fontIconTitleBold] = lfIcon;
  fonts[fontIconTitleBold].lfWeight = FW_BOLD;
  LOGFONTA lfGlyph = {};
  lfGlyph.lfHeight = lfIcon.lfHeight;
  lfGlyph.lfCharSet = DEFAULT_CHARSET;
  CopyString(lfGlyph.lfFaceName, sizeof lfGlyph.lfFaceName, "Marlett");
  fonts[fontGlyph] = lfGlyph;
  fonts[fontStatus] = ncm.lfStatusFont;
  fonts[fontSmallCaption] = ncm.lfSmCaptionFont;
  for (int i = 0; i < fontCount; ++i) {
    if (!m_fonts[i].CreateFontIndirect(&fonts[i])) return FALSE;
  }
  return TRUE;
}

int CJVGlobalData::GetComCtlVersion() {
  if (m_nComCtlVersion != -1) return m_nComCtlVersion;
  m_nComCtlVersion = 0;
  if (HMODULE hModule = JVKOptionalLibrary("COMCTL32.DLL", TRUE)) {
    m_nComCtlVersion = static_cast<int>(CJVKWinThemeWrapper::GetDllVersion(hModule));
    ::FreeLibrary(hModule);
  }
  return m_nComCtlVersion;
}

CJVGlobalData* GetGlobalData() {
  static CJVGlobalData data;
  return &data;
}
