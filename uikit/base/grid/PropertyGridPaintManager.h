// CJVKPropertyGridPaintManager: everything the property grid paints: the
// help panel, each row (category rows, captions, values, expand boxes, grid
// lines), the in-place button and the entries of the drop-down list. It owns
// the grid's default item metrics (fonts, colours, text format), which the
// grid hands from one paint manager to the next when the theme changes.
// Theme classes override the operations that differ (PropertyGridThemes.h).
#pragma once

#include <Framework.h>

#include "PropertyGridItemMetrics.h"
#include "WinThemeWrapper.h"

class CJVKPropertyGrid;
class CJVKPropertyGridItem;
class CJVKPropertyGridItemConstraint;
class CJVKPropertyGridInplaceButton;

class CJVKPropertyGridPaintManager {
 public:
  explicit CJVKPropertyGridPaintManager(CJVKPropertyGrid* pGrid);
  virtual ~CJVKPropertyGridPaintManager();
  CJVKPropertyGridPaintManager(const CJVKPropertyGridPaintManager&) = delete;
  CJVKPropertyGridPaintManager& operator=(const CJVKPropertyGridPaintManager&) = delete;

  virtual COLORREF GetItemTextColor(CJVKPropertyGridItem* pItem, BOOL bValuePart);
  virtual COLORREF GetItemBackColor(CJVKPropertyGridItem* pItem, BOOL bValuePart);
  virtual CFont* GetItemFont(CJVKPropertyGridItem* pItem, BOOL bValuePart);
  // The grid's client area: background, help panel (and verbs panel).
  virtual void DrawBackground(CDC* pDC);
  // The view's client fill (bClient), or a frame around its window.
  virtual void FillBackground(CDC* pDC, BOOL bClient);
  virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
  virtual void DrawInplaceListItem(CDC* pDC, CJVKPropertyGridItemConstraint* pConstraint, CRect rc, BOOL bSelected);
  virtual void AdjustValueRect(CJVKPropertyGridItem* pItem, CRect& rc);
  virtual void AdjustCaptionRect(CJVKPropertyGridItem* pItem, CRect& rc);
  virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
  virtual void DrawInplaceButton(CDC* pDC, CJVKPropertyGridInplaceButton* pButton);
  virtual void RefreshMetrics();
  virtual void DrawExpandButton(CDC* pDC, CJVKPropertyGridItem* pItem, CRect rc);
  virtual void DrawCategoryRowBackground(CDC* pDC, CRect rc);
  virtual void DrawItemValue(CDC* pDC, CJVKPropertyGridItem* pItem, CRect rc);
  virtual void DrawItemCaption(CDC* pDC, CJVKPropertyGridItem* pItem, CRect rc);

  CJVKPropertyGridItemMetrics* GetItemMetrics() const { return m_pMetrics; }
  // Hands the metrics over (the grid gives them to the next manager).
  CJVKPropertyGridItemMetrics* DetachItemMetrics();
  // Releases the own metrics and takes pMetrics (and its reference).
  void SetItemMetrics(CJVKPropertyGridItemMetrics* pMetrics);
  COLORREF GetFaceColor() const { return m_clrFace; }
  COLORREF GetLineColor() const { return m_clrShadow; }
  BOOL IsThemed() const { return m_bThemed; }

 protected:
  // How a row is laid out: the standard row and the variants of the themes.
  enum RowStyle { rowStandard, rowFlat, rowMargin, rowEtched };
  void DrawRow(LPDRAWITEMSTRUCT lpDis, RowStyle nStyle);
  // The image of an item's caption or value metrics, drawn vertically
  // centred two pixels left of x; x moves past it. FALSE without one.
  BOOL DrawMetricsImage(CDC* pDC, CJVKPropertyGridItem* pItem, BOOL bValuePart, CRect rc, int& x);
  int MetricsImageWidth(CJVKPropertyGridItem* pItem, BOOL bValuePart);
  UINT TextFormat(CJVKPropertyGridItem* pItem, BOOL bValuePart);
  BOOL IsFocusInGrid() const;
  // Visual styles for the glyphs and the button: asked for and in effect.
  BOOL UseTreeTheme() { return m_bThemed && m_themeTree.IsAppThemed(); }
  BOOL UseButtonTheme() { return m_bThemed && m_themeButton.IsAppThemed() && m_themeCombo.IsAppThemed(); }

  CJVKPropertyGrid* m_pGrid;
  BOOL m_bThemed = FALSE;
  CFont m_fontLink;
  CFont m_fontLinkNoUnderline;
  CJVKWinThemeWrapper m_themeTree;
  CJVKWinThemeWrapper m_themeButton;
  CJVKWinThemeWrapper m_themeCombo;
  CJVKPropertyGridItemMetrics* m_pMetrics;
  COLORREF m_clrFace = 0;
  COLORREF m_clrShadow = 0;  // frames and panel borders
  BOOL m_bThemeColorsApplied = FALSE;
};

// The paint manager of a theme number 0 to 6; null for any other number.
CJVKPropertyGridPaintManager* JVKCreateGridPaintManager(int nTheme, CJVKPropertyGrid* pGrid);

// The colour manager's colour of an index (a value above 59 is a COLORREF).
COLORREF JVKGridColor(UINT nIndex);
