// The docking paint manager's themes 0 to 9: each sets its defaults (caption
// padding, buttons, the tab styles it asks of the two tab paint managers)
// and draws the caption of a pane group its own way.
#pragma once

#include "DockingPanePaintManager.h"

// 0: solid caption in the system caption colours, classic button frames.
class CJVKDockingPaneClassicTheme : public CJVKDockingPanePaintManager {
 public:
  CJVKDockingPaneClassicTheme();
  void DrawCaption(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc) override;
  COLORREF DrawCaptionBackground(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical) override;
  void DrawCaptionButton(CDC* pDC, CaptionButton* pButton, COLORREF clrGlyph) override;
};

// 1: the active caption filled, the inactive one outlined; 3D buttons.
class CJVKDockingPaneFlatTheme : public CJVKDockingPaneClassicTheme {
 public:
  CJVKDockingPaneFlatTheme();
  void RefreshMetrics() override { FlatRefresh(); }
  COLORREF DrawCaptionBackground(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical) override {
    return CJVKDockingPanePaintManager::DrawCaptionBackground(pDC, rc, bActive, bVertical);
  }
  void DrawCaptionButton(CDC* pDC, CaptionButton* pButton, COLORREF clrGlyph) override {
    CJVKDockingPanePaintManager::DrawCaptionButton(pDC, pButton, clrGlyph);
  }
};

// 2: a rounded gradient bar with gripper dots before the title.
class CJVKDockingPaneDottedGripTheme : public CJVKDockingPaneFlatTheme {
 public:
  CJVKDockingPaneDottedGripTheme();
  void RefreshMetrics() override;
  void DrawCaption(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc) override;
  void DrawCaptionPart(CDC* pDC, CJVKDockingPaneBase* pOwner, CRect rc, const CString& strTitle, BOOL bActive,
                       BOOL bVertical) override;
  void DrawCaptionButtonFrame(CDC* pDC, CaptionButton* pButton, COLORREF& clrGlyph) override;

 protected:
  BOOL m_bGradientButtons = FALSE;
  BOOL m_bGripperDots = TRUE;
};

// 3: the visual style's small caption where one runs, else gradients.
class CJVKDockingPaneExplorerBarTheme : public CJVKDockingPaneFlatTheme {
 public:
  CJVKDockingPaneExplorerBarTheme();
  void RefreshMetrics() override;
  COLORREF DrawCaptionBackground(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical) override;
  void DrawCaptionButtonFrame(CDC* pDC, CaptionButton* pButton, COLORREF& clrGlyph) override;
  BOOL IsStyled() const;

  CJVKWinThemeWrapper m_themeWindow;
  CJVKWinThemeWrapper m_themeExplorer;
};

// 4: no fill; two raised bars after the title.
class CJVKDockingPaneGripperTheme : public CJVKDockingPaneClassicTheme {
 public:
  CJVKDockingPaneGripperTheme();
  void DrawCaptionPart(CDC* pDC, CJVKDockingPaneBase* pOwner, CRect rc, const CString& strTitle, BOOL bActive,
                       BOOL bVertical) override;
  void DrawCaptionButton(CDC* pDC, CaptionButton* pButton, COLORREF clrGlyph) override {
    CJVKDockingPanePaintManager::DrawCaptionButton(pDC, pButton, clrGlyph);
  }
};

// 5: four lines after the title; a pane border of its own.
class CJVKDockingPaneLineGripTheme : public CJVKDockingPaneFlatTheme {
 public:
  CJVKDockingPaneLineGripTheme();
  void DrawPane(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc) override;
  void AdjustCaptionRect(const CJVKDockingPaneTabbedContainer* pPane, CRect& rc) override;
  void DrawCaptionPart(CDC* pDC, CJVKDockingPaneBase* pOwner, CRect rc, const CString& strTitle, BOOL bActive,
                       BOOL bVertical) override;
  void DrawCaptionButtonFrame(CDC* pDC, CaptionButton* pButton, COLORREF& clrGlyph) override {
    DrawFlatFilledButtonFrame(pDC, pButton, clrGlyph);
  }
};

// 6: gradient captions in the visual style's scheme colours; the splitter
// bars show one gradient across the frame.
class CJVKDockingPaneSchemeTheme : public CJVKDockingPaneFlatTheme {
 public:
  CJVKDockingPaneSchemeTheme();
  void RefreshMetrics() override;
  void DrawSplitter(CDC* pDC, CJVKDockingPaneSplitterWnd* pSplitter) override;
};

// 7: theme 2 with a flat bar framed on three sides and a large bold font.
class CJVKDockingPaneBoldCaptionTheme : public CJVKDockingPaneDottedGripTheme {
 public:
  CJVKDockingPaneBoldCaptionTheme();
  void RefreshMetrics() override;
  void DrawCaption(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc) override;
};

// 8: the visual style's rebar behind the caption and tool-bar buttons.
class CJVKDockingPaneRebarTheme : public CJVKDockingPaneClassicTheme {
 public:
  CJVKDockingPaneRebarTheme();
  void RefreshMetrics() override;
  void DrawCaption(CDC* pDC, CJVKDockingPaneTabbedContainer* pPane, CRect rc) override;
  COLORREF DrawCaptionBackground(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical) override;
  void DrawCaptionButton(CDC* pDC, CaptionButton* pButton, COLORREF clrGlyph) override {
    CJVKDockingPanePaintManager::DrawCaptionButton(pDC, pButton, clrGlyph);
  }
  void DrawCaptionButtonFrame(CDC* pDC, CaptionButton* pButton, COLORREF& clrGlyph) override;
  BOOL IsStyled() const;

  CJVKWinThemeWrapper m_themeRebar;
  CJVKWinThemeWrapper m_themeToolbar;

 private:
  CWnd* m_pCaptionSite = nullptr;
};

// 9: theme 6 with solid scheme gradients and a border line round the caption.
class CJVKDockingPaneSchemeGuideTheme : public CJVKDockingPaneSchemeTheme {
 public:
  CJVKDockingPaneSchemeGuideTheme();
  void RefreshMetrics() override;
  COLORREF DrawCaptionBackground(CDC* pDC, CRect rc, BOOL bActive, BOOL bVertical) override;

  COLORREF m_clrCaptionBorder = 0;
};
