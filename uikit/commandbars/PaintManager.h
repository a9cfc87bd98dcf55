// CJVKPaintManager: the one object that draws and measures every visible
// piece of the command bars (bar backgrounds, grippers, separators, each
// control in each state, check marks, images, captions, the expand buttons,
// the tear-off strip, the status-bar panes) and animates popups. Bars and
// controls hand it a DC and themselves; a null DC or a false draw flag
// measures without painting. The base holds the fonts, metrics, colour table
// and the drawing every theme shares; the theme classes give the look.
// Reference counted: holders release it with InternalRelease.
#pragma once

#include "IconsOptions.h"
#include "PaintRules.h"
#include "PaintedObjects.h"

#include <Framework.h>

class CJVKImageManagerIcon;

// The kinds of DrawSpecialControl.
enum JVKSpecialControl {
  jvkSpecialBarExpand = 0,
  jvkSpecialPopupExpand = 1,
  jvkSpecialClose = 2,
  jvkSpecialPopupArrow = 3,
};

// Where the label, field and drop button of an edit or combo-box control lie.
struct CJVKFieldLayout {
  CRect rcLabel;
  CRect rcField;
  CRect rcButton;  // empty for an edit control
  CSize szControl;
};
// nLabelWidth in front of the field; the field keeps the control's own field
// width (else the rest of the rectangle); the height is the text height + 8.
CJVKFieldLayout JVKLayoutField(CJVKPaintedControl* pControl, int nLabelWidth, int nTextHeight, BOOL bCombo);

// The icon cell and row of a popup row; nCell is one cell's width.
struct CJVKPopupRowLayout {
  int nCell;
  int nCells;  // 2 with DoubleGripper
  int nRowHeight;
  CSize szIcon;
};

class CJVKPaintManager : public CCmdTarget {
 public:
  ~CJVKPaintManager() override;
  CJVKPaintManager(const CJVKPaintManager&) = delete;
  CJVKPaintManager& operator=(const CJVKPaintManager&) = delete;

  // The theme object for a number (0 and unknown numbers: classic), with one
  // reference and the number stored in it.
  static CJVKPaintManager* CreateTheme(int nTheme);
  // Replaces the process-wide current paint manager.
  static void SetTheme(int nTheme);
  // Null until the first SetTheme.
  static CJVKPaintManager* GetCurrent();
  // Drops the current one (process exit, tests).
  static void ReleaseCurrent();

  // ---------------------------------------------------------------- colours
  COLORREF GetColor(UINT nIndex) const { return m_colors.GetColor(nIndex); }
  void SetColors(int nCount, const int* pIndices, const COLORREF* pColors) {
    m_colors.SetColors(nCount, pIndices, pColors);
  }
  CJVKPaintColors& GetColorTable() { return m_colors; }
  int GetCurrentColorScheme() const;
  // The scheme the colour manager detects from the visual style.
  static int DetectColorScheme();
  CJVKIconsOptions* GetIconsOptions() { return &m_iconsOptions; }

  // ------------------------------------------------------------------ fonts
  void SetFont(const LOGFONT* pLogFont, BOOL bUseMenuFont);
  void RefreshFonts();
  CFont* GetRegularFont() { return &m_fontRegular; }
  CFont* GetRegularBoldFont() { return &m_fontBold; }
  CFont* GetCaptionFont() { return &m_fontCaption; }
  CFont* GetControlFont() { return &m_fontControl; }
  CFont* GetControlBoldFont() { return &m_fontControlBold; }
  int GetRowHeight() const { return m_nRowHeight; }

  // --------------------------------------------------------------- drawing
  // By type: edit, combo box, popup-bar row, else a toolbar control.
  CSize DrawControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw);
  CSize DrawControlText(CDC* pDC, const CString& strText, CRect rcText, BOOL bVertical, BOOL bCentred, BOOL bDraw,
                        BOOL bArrow, BOOL bShowUnderlines, BOOL bEmbossed = FALSE);

  // Fill in colour index nBack (none for -1) and frame in nFrame (none for
  // -1 or when equal to nBack).
  void FillRect(CDC* pDC, const CRect& rc, int nBack, int nFrame);
  void Draw3dRect(CDC* pDC, const CRect& rc, int nTopLeft, int nBottomRight);
  void Line(CDC* pDC, int x0, int y0, int x1, int y1, int nColor);
  void Triangle(CDC* pDC, POINT pt0, POINT pt1, POINT pt2, COLORREF clr);
  void GradientFill(CDC* pDC, const CRect& rc, COLORREF clrFrom, COLORREF clrTo, BOOL bHorizontal);

  // ----------------------------------------------- virtual operations
  virtual CSize DrawPopupControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) = 0;
  virtual CSize DrawToolBarControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw);
  virtual void DrawSplitButtonFrame(CDC* pDC, CJVKPaintedControl* pControl, CRect rc);
  virtual CSize DrawComboBoxControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) = 0;
  virtual CSize DrawEditControl(CDC* pDC, CJVKPaintedControl* pControl, BOOL bDraw) = 0;
  virtual CSize DrawListBoxControl(CDC* pDC, CJVKPaintedControl* pControl, CRect rc, BOOL bSelected, BOOL bDraw,
                                   CWnd* pListWnd) = 0;
  virtual void FillCommandBar(CDC* pDC, CJVKPaintedBar* pBar) = 0;
  virtual void DrawRectangle(CDC* pDC, CRect rc, BOOL bEnabled, int nSelected, int nPressed, BOOL bChecked,
                             BOOL bPopuped, int nBarType, int nBarPosition) = 0;
  void DrawControlEntry(CDC* pDC, CJVKPaintedControl* pControl);
  virtual void DrawStateRectangle(CDC* pDC, CRect rc, int nSelected, int nPressed, BOOL bEnabled, BOOL bChecked,
                                  BOOL bPopuped, int nBarType, int nBarPosition) = 0;
  virtual CSize DrawCommandBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) = 0;
  virtual CSize DrawCommandBarSeparator(CDC* pDC, CJVKPaintedBar* pBar, CJVKPaintedControl* pControl,
                                        BOOL bDraw) = 0;
  virtual void AdjustControlRect(CRect& rc, CJVKPaintedControl* pControl, BOOL bVertical) = 0;
  virtual void DrawStatusBarPane(CDC* pDC, CRect rc, CJVKPaintedPane* pPane);
  virtual void DrawStatusBarPaneBorder(CDC* pDC, CRect rc, BOOL bBesideGripper);
  virtual void DrawStatusBarGripper(CDC* pDC, CRect rc);
  virtual void FillDockBar(CDC* pDC, CJVKPaintedDockBar* pDockBar);
  virtual void FillStatusBar(CDC* pDC, CJVKPaintedStatusBar* pStatusBar);
  virtual void RefreshMetrics();
  virtual BOOL IsFlatTheme() const { return FALSE; }
  virtual CSize DrawSpecialControl(int nKind, CDC* pDC, CJVKPaintedControl* pControl, CJVKPaintedBar* pBar,
                                   BOOL bDraw, CRect* pPlaced = nullptr);
  virtual CRect GetCommandBarBorders(CJVKPaintedBar* pBar);
  virtual CSize DrawTearOffStrip(CDC* pDC, CRect rc, BOOL bSelected, BOOL bDraw) = 0;
  virtual void DrawImage(CDC* pDC, CPoint pt, CSize sz, CJVKImageManagerIcon* pImage, int nSelected, int nPressed,
                         BOOL bEnabled, BOOL bChecked, BOOL bPopuped) = 0;
  virtual CSize DrawDialogBarGripper(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw) = 0;
  virtual int GetThemeNumber() const = 0;
  virtual CFont* GetFont(CJVKPaintedBar* pBar, BOOL bBold);
  virtual void DrawCheckMark(CDC* pDC, CRect rc, COLORREF clr, BOOL bRightToLeft);
  virtual void DrawComboArrow(CDC* pDC, CRect rc, COLORREF clr);
  virtual void AnimatePopup(CDC* pDC, CDC* pSourceDC, CRect rc, int nKind);
  // nBands rows of {top, bottom, hidden} in the final image.
  virtual void AnimateExpanding(CDC* pDC, CDC* pSourceDC, CRect rc, const RECT* pBands, const BOOL* pHidden,
                                int nBands, BOOL bDownwards);
  virtual void AdjustCaption(CString& strCaption);

  // ----------------------------------------------------------------- state
  COLORREF m_clrShadow = 0;
  COLORREF m_clrDefaultText = 0;
  BOOL m_bDoubleCheck = FALSE;
  BOOL m_bShadow = TRUE;
  BOOL m_bCaptionFollowsSystem = TRUE;
  BOOL m_bControlFollowsSystem = TRUE;
  BOOL m_bControlBoldFollowsSystem = TRUE;
  BOOL m_bKeepTahoma = FALSE;
  BOOL m_bUseMenuFont = TRUE;
  int m_nTheme = 0;
  CJVKIconsOptions m_iconsOptions;
  int m_nAnimationSteps = 10;
  int m_nAnimationDuration = 100;
  // -1 leaves the caller's choice of underlines; 0 or 1 replaces it.
  int m_nKeyboardCues = -1;
  // 5 automatic, 4 the colour manager's current scheme, else as given.
  int m_nColorScheme = 5;

  // Test seams: the animation clock, and the source of the non-client
  // metrics (null: SystemParametersInfo).
  CJVKAnimationClock* m_pClock;
  static BOOL (*s_pfnGetNonClientMetrics)(NONCLIENTMETRICSA* pMetrics);
  // Test seam: the colour scheme the colour manager detects (null: its
  // DetectXPTheme); also stands for its current scheme.
  static int (*s_pfnDetectScheme)();
  // Test seam: whether a font family is installed (null: the system's).
  static BOOL (*s_pfnFontExists)(const CString& strFace);

 protected:
  CJVKPaintManager();

  // Whether a control's caption shows its mnemonic underlines: the keyboard-cue
  // override when set, else the bar's choice.
  BOOL ShowUnderlines(CJVKPaintedControl* pControl) const;
  CJVKPaintedBar* BarOf(CJVKPaintedControl* pControl) const;
  int PositionOf(CJVKPaintedControl* pControl) const;
  int BarTypeOf(CJVKPaintedControl* pControl) const;
  // A control shows its image: style 2 or 3, or the automatic style for any
  // control but a plain popup.
  static BOOL ShowsImage(CJVKPaintedControl* pControl);
  // The icon cells and row height of a popup row (classic sizes here).
  virtual CJVKPopupRowLayout PopupRow(CJVKPaintedControl* pControl);
  int PopupCellWidth(CJVKPaintedControl* pControl) {
    const CJVKPopupRowLayout row = PopupRow(pControl);
    return row.nCell * row.nCells;
  }

  // The caption strip of a floating bar filled with clrFill, the title in
  // colour 20 in the caption font; the size is the strip's.
  CSize DrawFloatingCaption(CDC* pDC, CJVKPaintedBar* pBar, BOOL bDraw, COLORREF clrFill);

  CJVKPaintColors m_colors;
  CFont m_fontRegular, m_fontBold, m_fontVert, m_fontVertBold;
  CFont m_fontCaption, m_fontControl, m_fontControlBold;
  int m_nRowHeight = 0;

 private:
  void DrawFadeAnimation(CDC* pDC, CDC* pSourceDC, CRect rc);
};

// The screen DC for measuring when a caller passes none.
class CJVKMeasureDC {
 public:
  explicit CJVKMeasureDC(CDC* pDC);
  ~CJVKMeasureDC();
  CJVKMeasureDC(const CJVKMeasureDC&) = delete;
  CJVKMeasureDC& operator=(const CJVKMeasureDC&) = delete;
  CDC* operator->() { return m_pDC; }
  operator CDC*() { return m_pDC; }

 private:
  CDC* m_pDC;
  CDC m_screen;
  int m_nSaved = 0;
};

