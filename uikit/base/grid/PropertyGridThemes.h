// The property grid's paint themes 1 to 6 (theme 0 is the plain
// CJVKPropertyGridPaintManager): their colours, row variants and the
// visual-style glyphs. JVKCreateGridPaintManager makes them by number.
#pragma once

#include "PropertyGridPaintManager.h"

// 1: visual-style glyphs and button; line colour by the system theme.
class CJVKPropertyGridThemeVisual : public CJVKPropertyGridPaintManager {
 public:
  explicit CJVKPropertyGridThemeVisual(CJVKPropertyGrid* pGrid);
  void RefreshMetrics() override;
};

// 2: visual styles and a tinted help panel and category rows per system theme.
class CJVKPropertyGridThemeTinted : public CJVKPropertyGridPaintManager {
 public:
  explicit CJVKPropertyGridThemeTinted(CJVKPropertyGrid* pGrid);
  void RefreshMetrics() override;
};

// 3: flat category rows with left-aligned captions.
class CJVKPropertyGridThemeFlat : public CJVKPropertyGridPaintManager {
 public:
  explicit CJVKPropertyGridThemeFlat(CJVKPropertyGrid* pGrid) : CJVKPropertyGridPaintManager(pGrid) {}
  void RefreshMetrics() override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override { DrawRow(lpDrawItemStruct, rowFlat); }
};

// 4: a left margin on every row.
class CJVKPropertyGridThemeMargin : public CJVKPropertyGridPaintManager {
 public:
  explicit CJVKPropertyGridThemeMargin(CJVKPropertyGrid* pGrid) : CJVKPropertyGridPaintManager(pGrid) {}
  void RefreshMetrics() override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override { DrawRow(lpDrawItemStruct, rowMargin); }
};

// 5: face-coloured rows, an etched divider and dotted row lines.
class CJVKPropertyGridThemeEtched : public CJVKPropertyGridPaintManager {
 public:
  explicit CJVKPropertyGridThemeEtched(CJVKPropertyGrid* pGrid) : CJVKPropertyGridPaintManager(pGrid) {}
  void RefreshMetrics() override;
  void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override { DrawRow(lpDrawItemStruct, rowEtched); }
};

// 6: its own expand box and category rows underlined by a gradient.
class CJVKPropertyGridThemeBanded : public CJVKPropertyGridPaintManager {
 public:
  explicit CJVKPropertyGridThemeBanded(CJVKPropertyGrid* pGrid);
  void RefreshMetrics() override;
  void DrawExpandButton(CDC* pDC, CJVKPropertyGridItem* pItem, CRect rc) override;
  void DrawCategoryRowBackground(CDC* pDC, CRect rc) override;
};
