// The ten tab styles. Each is told for tabs at the top; CJVKTabTurn maps
// that figure to the other positions.
#pragma once

#include "TabAppearanceSet.h"

// A tab's own coordinates: u along the strip from the tab's start, v across
// it from the tab side (v 0 is the top row of a tab at the top, the bottom
// row of one at the bottom).
class CJVKTabTurn {
 public:
  CJVKTabTurn(CDC* pDC, const CRect& rc, int nPosition) : m_pDC(pDC), m_rc(rc), m_nPosition(nPosition) {}

  int Along() const { return JVKIsVerticalTabPosition(m_nPosition) ? m_rc.Height() : m_rc.Width(); }
  int Across() const { return JVKIsVerticalTabPosition(m_nPosition) ? m_rc.Width() : m_rc.Height(); }
  POINT Map(int u, int v) const;
  void Pixel(int u, int v, COLORREF clr) const;
  void LineAlong(int u, int v, int nLength, COLORREF clr) const;
  void LineAcross(int u, int v, int nLength, COLORREF clr) const;
  // A polyline through the given points (own coordinates).
  void Polyline(const POINT* pPoints, int nCount, COLORREF clr) const;
  COLORREF FillPolygon(const POINT* pPoints, int nCount, CJVKTabManagerItem* pItem, CJVKTabColorSet* pColors) const;

 private:
  CDC* m_pDC;
  CRect m_rc;
  int m_nPosition;
};

// Styles 0 and 1: classic 3-D tabs (1 draws only the selected and hot
// tab's outline).
class CJVKTabAppearanceClassic : public CJVKTabAppearanceSet {
 public:
  explicit CJVKTabAppearanceClassic(BOOL bOutlineAll);
  CRect GetClientMargin() override;
  CRect FillTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc) override;
  void DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) override;
  int GetSupportedColors() override { return 1 | 4 | 8; }
  int GetDefaultColorSet() override { return 1; }

 protected:
  void DrawClientAreaFrame(CDC* pDC, CRect rc, int nPosition, BOOL bTabSideOnly) override;

 private:
  BOOL m_bOutlineAll;
};

// Style 2: tabs with rounded corners on the tab side.
class CJVKTabAppearanceRounded : public CJVKTabAppearanceSet {
 public:
  CJVKTabAppearanceRounded();
  void DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) override;
  int GetSupportedColors() override { return 1 | 2 | 4; }
  int GetDefaultColorSet() override { return 1; }

  BOOL m_bJoinCorners = TRUE;
};

// Style 4: buttons.
class CJVKTabAppearanceButtons : public CJVKTabAppearanceSet {
 public:
  CJVKTabAppearanceButtons();
  CRect FillTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc) override;
  void DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) override;
  int GetSupportedColors() override { return 1 | 2 | 4 | 8 | 16; }
  int GetDefaultColorSet() override { return 2; }
};

// Style 5: flat tabs with separators.
class CJVKTabAppearanceFlat : public CJVKTabAppearanceSet {
 public:
  CJVKTabAppearanceFlat();
  void DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) override;
  int GetSupportedColors() override { return 1 | 2 | 4; }
  int GetDefaultColorSet() override { return 2; }

 protected:
  void DrawClientAreaFrame(CDC* pDC, CRect rc, int nPosition, BOOL bTabSideOnly) override;
};

// Style 6: boxes.
class CJVKTabAppearanceBoxes : public CJVKTabAppearanceSet {
 public:
  CJVKTabAppearanceBoxes();
  void DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) override;
  int GetSupportedColors() override { return 1 | 2 | 4; }
  int GetDefaultColorSet() override { return 2; }
};

// Styles 3 and 9: slanted at the leading side, or at both sides.
class CJVKTabAppearanceSlanted : public CJVKTabAppearanceSet {
 public:
  explicit CJVKTabAppearanceSlanted(BOOL bBothSides);
  CRect GetHeaderMargin() override;
  void DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) override;
  int GetSupportedColors() override { return 1 | 4 | 16; }
  int GetDefaultColorSet() override { return 4; }

  BOOL m_bHotOutline = FALSE;

 protected:
  void DrawClientAreaFrame(CDC* pDC, CRect rc, int nPosition, BOOL bTabSideOnly) override;

 private:
  BOOL m_bBothSides;
};

// Style 7: trapezoids.
class CJVKTabAppearanceTrapezoid : public CJVKTabAppearanceSet {
 public:
  CJVKTabAppearanceTrapezoid();
  CRect GetHeaderMargin() override;
  void DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) override;
  int GetSupportedColors() override { return 1 | 2 | 4; }
  int GetDefaultColorSet() override { return 2; }
};

// Style 8: caption bars stacked over and under the selected item's area.
class CJVKTabAppearanceStacked : public CJVKTabAppearanceSet {
 public:
  CJVKTabAppearanceStacked();
  CRect GetHeaderRect(CRect rc, CJVKTabManager* pManager) override;
  void DrawTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc) override;
  void RepositionTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc) override;
  void AdjustClientRect(CJVKTabManager* pManager, CRect& rc) override;
  void DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) override;
  int GetSupportedColors() override { return 1 | 4; }
  int GetDefaultColorSet() override { return 1; }
};
