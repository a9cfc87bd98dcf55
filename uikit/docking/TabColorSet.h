// The tab colour sets: every colour of a tab strip, and the fills of tab
// faces, client area, header and navigate buttons. Codes 1 (system
// colours), 2 (flat styles), 4 (desktop scheme), 8 (visual style) and 16
// (desktop scheme on light backgrounds). Colours are read from the colour
// manager on every RefreshColors.
#pragma once

#include <ColorRef.h>
#include <Framework.h>
#include <WinThemeWrapper.h>

class CJVKTabManager;
class CJVKTabManagerItem;
class CJVKTabManagerNavigateButton;
class CJVKTabPaintManager;

enum JVKTabColorCode {
  jvkTabColorDefault = 1,
  jvkTabColorFlat = 2,
  jvkTabColorScheme = 4,
  jvkTabColorVisualStyle = 8,
  jvkTabColorSchemeLight = 16,
};

// A gradient whose start is this value is drawn as the 50 % checkerboard.
const COLORREF kJvkTabCheckerboard = static_cast<COLORREF>(-2);

class CJVKTabColorSet {
 public:
  CJVKTabColorSet() = default;
  virtual ~CJVKTabColorSet() = default;
  CJVKTabColorSet(const CJVKTabColorSet&) = delete;
  CJVKTabColorSet& operator=(const CJVKTabColorSet&) = delete;

  virtual void RefreshColors();
  // The caption colour for the item's state.
  virtual void SetTextColor(CDC* pDC, CJVKTabManagerItem* pItem);
  // The button-face gradient, its direction by the position.
  virtual void GradientFill(CDC* pDC, CRect rc, CJVKTabManager* pManager);
  virtual void FillClient(CDC* pDC, CRect rc, CJVKTabManager* pManager);
  virtual void FillButton(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem);
  // Fills the face; returns its colour.
  virtual COLORREF FillTab(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem);
  virtual void FillHeader(CDC* /*pDC*/, CRect /*rc*/, CJVKTabManager* /*pManager*/) {}
  // The button's background; selects the glyph colour as the text colour.
  // May move rc (a pressed glyph moves by a pixel).
  virtual void FillNavigateButton(CDC* pDC, CJVKTabManagerNavigateButton* pButton, CRect& rc) = 0;
  virtual COLORREF GetItemColor(CJVKTabManagerItem* pItem);
  virtual BOOL IsAppThemed() { return FALSE; }

  void SetOwner(CJVKTabPaintManager* pOwner) { m_pPaintManager = pOwner; }

  CJVKGradientColor m_grcButton;
  CJVKGradientColor m_grcButtonSelected;
  CJVKColorRef m_clrFrame;
  CJVKColorRef m_clrBackground;
  CJVKColorRef m_clrHighlight;
  CJVKColorRef m_clrSelectedFace;
  CJVKColorRef m_clrNormalFace;
  CJVKColorRef m_clrNormalText;
  CJVKColorRef m_clrInactiveText;
  CJVKColorRef m_clrSelectedText;
  CJVKColorRef m_clrHotText;
  CJVKColorRef m_clrDisabledText;
  CJVKGradientColor m_grcClientFace;
  CJVKGradientColor m_grcHotFace;
  CJVKColorRef m_clrClassicLight;
  CJVKColorRef m_clrClassicShadow;
  CJVKColorRef m_clrClassicDark;
  CJVKColorRef m_clrSlantedOutline;
  CJVKColorRef m_clrSlantedSelectedOutline;
  CJVKColorRef m_clrSlantedLight;
  CJVKColorRef m_clrSlantedInner;
  // The trapezoid tabs' lines: [0] the selected tab, [1] the others; in each
  // the outer left and top, -, the outer right, the inner left and top, the
  // inner right, -.
  CJVKColorRef m_clrTrapezoid[2][6];

 protected:
  // A colour-manager index (or a colour above 59) as a colour.
  static COLORREF Index(UINT nIndex);
  static void Set(CJVKColorRef& ref, COLORREF clr) { ref.m_clrValue = clr; }
  int GetAppearance() const;
  // A two-colour gradient by the strip's direction rule (or the
  // checkerboard for a start of -2).
  void FillGradient(CDC* pDC, CRect rc, const CJVKGradientColor& grc, CJVKTabManager* pManager);
  static void FillCheckerboard(CDC* pDC, CRect rc);
  // The default set's navigate button: sunken when pressed, raised when hot.
  void FillClassicNavigateButton(CDC* pDC, CJVKTabManagerNavigateButton* pButton, CRect& rc);

  CJVKTabPaintManager* m_pPaintManager = nullptr;
};

// Code 1: system colours.
class CJVKTabColorSetDefault : public CJVKTabColorSet {
 public:
  void RefreshColors() override;
  void FillNavigateButton(CDC* pDC, CJVKTabManagerNavigateButton* pButton, CRect& rc) override;
};

// Code 2: the flat styles' variant.
class CJVKTabColorSetFlat : public CJVKTabColorSetDefault {
 public:
  void RefreshColors() override;
  void FillNavigateButton(CDC* pDC, CJVKTabManagerNavigateButton* pButton, CRect& rc) override;
};

// Code 4: colours of the desktop's scheme (blue, olive, silver).
class CJVKTabColorSetScheme : public CJVKTabColorSet {
 public:
  void RefreshColors() override;
  COLORREF FillTab(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem) override;
  void FillNavigateButton(CDC* pDC, CJVKTabManagerNavigateButton* pButton, CRect& rc) override;

  CJVKColorRef m_clrHotTabFace;
  CJVKColorRef m_clrNavigateFrame;
  BOOL m_bSchemeColors = FALSE;

 protected:
  // Whether the desktop's scheme colours are ignored.
  BOOL UseClassicColors() const;
  void ApplySchemeColors();
  // A gradient from the face blended with white to the face.
  COLORREF FillGradientTab(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem);
};

// Code 16: the scheme set for tabs on light backgrounds.
class CJVKTabColorSetSchemeLight : public CJVKTabColorSetScheme {
 public:
  void RefreshColors() override;
  COLORREF FillTab(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem) override;

  BOOL m_bGradientFaces = FALSE;
};

// Code 8: the "TAB" and "TOOLBAR" visual-style parts; without an active
// style it draws as code 1.
class CJVKTabColorSetVisualStyle : public CJVKTabColorSetDefault {
 public:
  void RefreshColors() override;
  COLORREF FillTab(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem) override;
  void FillClient(CDC* pDC, CRect rc, CJVKTabManager* pManager) override;
  void FillButton(CDC* pDC, CRect rc, CJVKTabManagerItem* pItem) override;
  void FillHeader(CDC* pDC, CRect rc, CJVKTabManager* pManager) override;
  void FillNavigateButton(CDC* pDC, CJVKTabManagerNavigateButton* pButton, CRect& rc) override;
  BOOL IsAppThemed() override { return m_themeTab.IsAppThemed(); }

 protected:
  // Opens the "TAB" and "TOOLBAR" parts (a test opens none, as where no
  // visual style runs).
  virtual void OpenThemes();

 private:
  void DrawTurnedTabItem(CDC* pDC, CRect rc, int nState, int nPosition);

  CJVKWinThemeWrapper m_themeTab;
  CJVKWinThemeWrapper m_themeToolbar;
};

// The set of a code; any code but 2, 4, 8 and 16 gives the default set.
CJVKTabColorSet* JVKCreateTabColorSet(int nCode);
