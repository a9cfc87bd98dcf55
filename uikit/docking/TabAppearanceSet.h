// The tab appearance sets (tab styles 0 to 9): the header's geometry, the
// row height, where the client area begins and how one tab is outlined.
// Each style works with the paint manager's layout and caption drawing and
// fills its faces through the colour set.
#pragma once

#include "TabTypes.h"

#include <Framework.h>

class CJVKTabManager;
class CJVKTabManagerItem;
class CJVKTabPaintManager;
class CJVKTabColorSet;

class CJVKTabAppearanceSet {
 public:
  CJVKTabAppearanceSet() = default;
  virtual ~CJVKTabAppearanceSet() = default;
  CJVKTabAppearanceSet(const CJVKTabAppearanceSet&) = delete;
  CJVKTabAppearanceSet& operator=(const CJVKTabAppearanceSet&) = delete;

  // Button height: a blank's height in the normal font plus 3, at least 18.
  virtual void RefreshMetrics();
  virtual CRect GetHeaderRect(CRect rc, CJVKTabManager* pManager);
  virtual CRect GetClientAreaRect(CRect rc, CJVKTabManager* pManager);
  // (leading, tab side, trailing, client side).
  virtual CRect GetHeaderMargin() { return m_rcHeaderMargin; }
  virtual CRect GetClientMargin();
  virtual int GetItemLength(CDC* pDC, CJVKTabManagerItem* pItem);
  virtual int GetRowHeight(const CJVKTabManager* pManager);
  virtual void DrawTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc);
  // Fills the header and client areas; returns the header rectangle.
  virtual CRect FillTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc);
  virtual void RepositionTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc);
  virtual void AdjustClientRect(CJVKTabManager* pManager, CRect& rc);
  // The face, the outline, then the icon and caption.
  virtual void DrawSingleButton(CDC* pDC, CJVKTabManagerItem* pItem) = 0;
  virtual int GetSupportedColors() = 0;
  virtual int GetDefaultColorSet() = 0;

  void SetOwner(CJVKTabPaintManager* pOwner) { m_pPaintManager = pOwner; }
  int GetRowSpacing() const { return m_nRowSpacing; }
  int GetButtonHeight() const { return m_nButtonHeight; }
  BOOL IsTwoSidedDrawing() const { return m_bTwoSided; }

 protected:
  CJVKTabColorSet* GetColorSet() const;
  // The header filled by the colour set's gradient (grown by nGrow towards
  // the client); with client frame 0 the client area filled and framed by
  // DrawClientAreaFrame, with client frame 1 only its tab-side edge.
  CRect FillHeaderAndClient(CJVKTabManager* pManager, CDC* pDC, CRect rc, int nGrow);
  // The frame round the client area (all four sides, or with bTabSideOnly
  // the side towards the tabs).
  virtual void DrawClientAreaFrame(CDC* pDC, CRect rc, int nPosition, BOOL bTabSideOnly);
  // What the stacked bars' own layout writes.
  static void PlaceItem(CJVKTabManagerItem* pItem, const CRect& rc, int nRow);
  static void SetHeader(CJVKTabManager* pManager, const CRect& rcHeader);
  static void HideNavigateButtons(CJVKTabManager* pManager);
  // The item's content through the paint manager.
  void DrawContent(CDC* pDC, CJVKTabManagerItem* pItem, CRect rc);

  CRect m_rcHeaderMargin = CRect(0, 0, 0, 0);
  int m_nRowSpacing = -2;
  int m_nButtonHeight = 18;
  CJVKTabPaintManager* m_pPaintManager = nullptr;
  BOOL m_bTwoSided = FALSE;
};

// Drawing helpers shared by the styles.
// Grows rc by margins in the strip's orientation (negative values shrink).
void JVKInflateTurnedRect(CRect& rc, int nPosition, int nLeading, int nTabSide, int nTrailing, int nClientSide);
// A one-pixel line of the length along x (bHorizontal) or y; nothing for -1.
void JVKTabLine(CDC* pDC, int x, int y, int nLength, BOOL bHorizontal, COLORREF clr);
// A polyline from pt through relative steps in a one-pixel pen; nothing for -1.
void JVKTabPolyline(CDC* pDC, const POINT* pPoints, int nCount, COLORREF clr);
// Turns a polygon given for the top position (within the item rectangle
// rc) into the position's own figure.
void JVKTurnTabPoints(POINT* pPoints, int nCount, const CRect& rc, int nPosition);
// Fills the polygon by the colour set's FillTab through an off-screen
// bitmap of its bounding box; returns the face colour.
COLORREF JVKFillTabPolygon(CDC* pDC, const POINT* pPoints, int nCount, CJVKTabManagerItem* pItem,
                           CJVKTabColorSet* pColorSet);

// The set of a code; a code outside 0 to 9 gives the set of code 0.
CJVKTabAppearanceSet* JVKCreateTabAppearanceSet(int nCode);
