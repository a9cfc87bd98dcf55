// CJVKDockingPanePaintManager: draws what the docking panes show besides the
// application's windows (a group's caption with its title and buttons, the
// group's background and tab row, the splitter bars) and owns the
// measurements the layout reads (caption height, splitter thickness, tab row
// height) and the two tab paint managers of the groups and the auto-hide
// strips. A theme (0 to 9) is a subclass that sets other defaults and
// overrides some drawing; CreateTheme builds the one of a number.
#pragma once

#include <ColorRef.h>
#include <Framework.h>
#include <WinThemeWrapper.h>

class CaptionButton;
class CJVKDockingPaneBase;
class CJVKDockingPaneSplitterWnd;
class CJVKDockingPaneTabbedContainer;
class CJVKTabPaintManager;

class CJVKDockingPanePaintManager : public CCmdTarget {
 public:
  CJVKDockingPanePaintManager();
  ~CJVKDockingPanePaintManager() override;
  CJVKDockingPanePaintManager(const CJVKDockingPanePaintManager&) = delete;
  CJVKDockingPanePaintManager& operator=(const CJVKDockingPanePaintManager&) = delete;

  // The theme of the number, refreshed; any number outside 1 to 9 gives 0.
  static CJVKDockingPanePaintManager* CreateTheme(int nTheme);

  virtual void DrawPane(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc);
  virtual void DrawCaption(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc) = 0;
  // Lays the visible buttons out from the far end of rc and draws them;
  // rc's far edge then stops short of them.
  virtual void DrawCaptionButtons(CDC* pDC, const std::vector<CaptionButton*>& buttons, CRect& rc, COLORREF clr,
                                  int nButtonSize, int nGap, BOOL bVertical);
  virtual void DrawCaptionButton(CDC* pDC, CaptionButton* pButton, COLORREF clrGlyph);
  virtual void RefreshMetrics();
  virtual void AdjustClientRect(CJVKDockingPaneTabbedContainer* pPane, CRect& rc, BOOL bLayoutTabs);
  virtual void AdjustCaptionRect(const CJVKDockingPaneTabbedContainer* pPane, CRect& rc);
  virtual void DrawFloatingFrame(CDC*, CJVKDockingPaneBase*, CRect) {}
  virtual void DrawSplitter(CDC* pDC, CJVKDockingPaneSplitterWnd* pSplitter);
  virtual void DrawCaptionPart(CDC* pDC, CJVKDockingPaneBase* pOwner, CRect rc, const CString& strTitle, BOOL bActive,
                               BOOL bVertical);
  virtual void DrawCaptionButtonGlyph(CDC* pDC, CaptionButton* pButton, int x, int y, COLORREF clr);
  virtual COLORREF DrawCaptionBackground(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical);
  virtual void DrawCaptionButtonFrame(CDC* pDC, CaptionButton* pButton, COLORREF& clrGlyph);

  // An index 0 to 59 of the colour table, else the value as an RGB colour.
  COLORREF GetColor(int nIndex) const;
  void SetCaptionFont(LOGFONT lf, BOOL bUseSystemFont);
  // Draws the title (none for an empty one) and returns its length.
  int DrawCaptionText(CDC* pDC, const CString& strTitle, CRect rc, BOOL bVertical, BOOL bCalcWidth = FALSE);
  // The theme's buttons: size and gap.
  int m_nButtonSize = 12;
  int m_nButtonGap = 2;

  BOOL m_bBoldCaption = TRUE;
  BOOL m_bHighlightActiveCaption = TRUE;
  int m_nSplitterSize = 4;
  BOOL m_bShowCaption = TRUE;
  CJVKColorRef m_clrSplitterGripper;
  CJVKColorRef m_clrBackground;
  DWORD m_dwSplitterStyle = 0;
  int m_nCaptionHeight = 0;
  int m_nCaptionPadding = 5;
  int m_nTabRowHeight = 24;
  CFont m_fntCaption;
  CFont m_fntCaptionVertical;
  BOOL m_bUseStandardFontFace = FALSE;
  BOOL m_bUseSystemFont = TRUE;
  // Groups of one pane show their tab too.
  BOOL m_bShowTabsForSinglePane = FALSE;
  CJVKTabPaintManager* m_pPanelPaintManager = nullptr;
  CJVKTabPaintManager* m_pAutoHidePaintManager = nullptr;
  COLORREF m_arrColors[60] = {};
  int m_nTheme = 0;
  CString m_strFontFace = _T("Tahoma");
  CRect m_rcCaptionMargin = CRect(0, 2, 0, 1);
  int m_nColorScheme = 5;

  // Added by themes: caption gradients and text colours.
  CJVKGradientColor m_grcCaptionInactive;
  CJVKGradientColor m_grcCaptionActive;
  COLORREF m_clrCaptionTextInactive = 0;
  COLORREF m_clrCaptionTextActive = 0;
  BOOL m_bGradientCaption = FALSE;

 protected:
  // The caption strip of a group (the group's rect cut to the caption).
  CRect CaptionRect(const CJVKDockingPaneTabbedContainer* pPane, CRect rc) const;
  BOOL IsCaptionActive(const CJVKDockingPaneTabbedContainer* pPane) const;
  // Caption drawing shared by most themes: strip, then DrawCaptionPart.
  void DrawGroupCaption(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc);
  void FlatRefresh();
  // The caption scheme in force (1 blue, 2 olive, 3 silver, 0 none).
  int CurrentScheme() const;
  void Draw3dButtonFrame(CDC* pDC, CaptionButton* pButton, COLORREF& clrGlyph);
  void DrawFlatFilledButtonFrame(CDC* pDC, CaptionButton* pButton, COLORREF& clrGlyph);
  static void Line(CDC* pDC, int x1, int y1, int x2, int y2);
};
