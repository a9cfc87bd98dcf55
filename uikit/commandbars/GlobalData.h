// CJVGlobalData: the toolkit's process-wide fonts, metrics, cursors and
// colours, built on first use by GetGlobalData and destroyed at exit.
#pragma once

#include <Framework.h>

class CJVGlobalData {
 public:
  CJVGlobalData();
  ~CJVGlobalData();
  CJVGlobalData(const CJVGlobalData&) = delete;
  CJVGlobalData& operator=(const CJVGlobalData&) = delete;

  // (Re)creates the ten fonts; a face given here is used when installed.
  // Stops at the first font that cannot be made (the earlier ones stay) and
  // answers FALSE.
  BOOL CreateFonts(LPCSTR lpszFace = nullptr, LPCSTR lpszVerticalFace = nullptr);
  // major * 65536 + minor of comctl32's DllGetVersion, asked once; 0 when it
  // cannot be had.
  int GetComCtlVersion();

  // The colour indices copied, in the order held below.
  static const int kSystemIndices[19];
  COLORREF m_clrSystem[19];
  COLORREF m_clrShades[12];  // index 19, then 30 to 40
  COLORREF m_clrFlat[8];     // 41 to 48
  COLORREF m_clr49;

  int m_nComCtlVersion = -1;

  enum { cursorDragCopy, cursorDragMove, cursorDragNone, cursorHand, cursorSplitH, cursorSplitV, cursorSizeAll };
  HCURSOR m_hCursors[7] = {};
  // Loading any of them failed.
  BOOL m_bCursorFailed = FALSE;

  int m_cxSmallIcon, m_cySmallIcon;
  int m_cxDefaultButton = 18, m_cyDefaultButton = 18;
  int m_cxHThumb, m_cyVThumb, m_cyMenu;

  enum { fontRegular, fontBold, fontUnderline, fontVert, fontVertBold, fontIconTitle, fontIconTitleBold, fontGlyph,
         fontStatus, fontSmallCaption, fontCount };
  CFont m_fonts[fontCount];
  BOOL m_bFontsCreated = FALSE;

  BOOL m_bIsWin95, m_bIsWin98, m_bIsWinNT4, m_bIsWin2K, m_bIsWinXP;
  BOOL m_bPreferTahoma = FALSE;
  BOOL m_bReserved1 = FALSE;
  BOOL m_bReserved2 = TRUE;
};

CJVGlobalData* GetGlobalData();
