// CJVKTabPaintManager: how a tab strip looks: the appearance set (tab style)
// and colour set in force, position and layout, fonts, margins, paddings
// and drawing switches. It lays the strips out, measures and draws each
// tab's icon and caption, and hands the style's work to the appearance set
// and the colours to the colour set. One paint manager may serve several
// tab managers: every change repositions each of them.
#pragma once

#include "TabLayout.h"
#include "TabTypes.h"

#include <Framework.h>

#include <vector>

class CJVKTabAppearanceSet;
class CJVKTabColorSet;
class CJVKTabManager;
class CJVKTabManagerBase;
class CJVKTabManagerItem;

class CJVKTabPaintManager : public CCmdTarget {
 public:
  CJVKTabPaintManager();
  ~CJVKTabPaintManager() override;
  CJVKTabPaintManager(const CJVKTabPaintManager&) = delete;
  CJVKTabPaintManager& operator=(const CJVKTabPaintManager&) = delete;

  // Passed on to the appearance set.
  virtual void DrawTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc);
  // Less the static frame, then (with items) less the header.
  virtual void AdjustClientRect(CJVKTabManager* pManager, CRect& rc);
  virtual void RepositionTabControl(CJVKTabManager* pManager, CDC* pDC, CRect rc);
  // Draws the item's icon and caption, or with bDraw FALSE returns its length.
  virtual int DrawTextItem(CDC* pDC, CJVKTabManagerItem* pItem, CRect rc, BOOL bDraw);
  virtual void RefreshMetrics();
  // Tells every registered manager (each repositions).
  virtual void OnPropertyChanged();
  virtual void DrawFocusRect(CDC* pDC, CJVKTabManagerItem* pItem, CRect rc);

  // A code outside 0 to 9 gives style 0; installs the style's default colours.
  CJVKTabAppearanceSet* SetAppearance(int nCode);
  // 2, 4, 8 and 16 select those sets; any other code the default set.
  CJVKTabColorSet* SetColor(int nCode);
  // Installs a set made by the caller (owned from now on).
  CJVKTabColorSet* SetColorSet(CJVKTabColorSet* pColorSet);
  void SetPosition(int nPosition);
  void SetLayout(int nLayout);
  int GetAppearance() const { return m_nAppearance; }
  int GetColor() const { return m_nColor; }
  int GetPosition() const { return m_nPosition; }
  int GetLayout() const { return m_nLayout; }
  CJVKTabAppearanceSet* GetAppearanceSet() const { return m_pAppearanceSet; }
  CJVKTabColorSet* GetColorSet() const { return m_pColorSet; }

  // Rebuilds the four fonts from a non-null logfont.
  void SetFontIndirect(const LOGFONT* pLogFont, BOOL bUseSystemFont = FALSE);
  CFont* GetFont(BOOL bBold, BOOL bVertical);
  void EnsureVisible(CJVKTabManager* pManager, CJVKTabManagerItem* pItem);
  // Content plus the left and right padding, raised to a positive minimum
  // and cut to a positive maximum.
  int GetButtonLength(int nContent, int nMin, int nMax) const;
  // Without DT_NOPREFIX the "&" markers are removed before measuring.
  int GetTextExtent(CDC* pDC, const CString& str, UINT nFormat) const;

  void AddClient(CJVKTabManagerBase* pClient);
  void RemoveClient(CJVKTabManagerBase* pClient);

  // The layout and drawing that all styles but the stacked bars share.
  void LayoutStandard(CJVKTabManager* pManager, CDC* pDC, CRect rc);
  void DrawStandard(CJVKTabManager* pManager, CDC* pDC, CRect rc);
  JVKTabLayoutStyle GetLayoutStyle(CJVKTabManager* pManager);

  BOOL m_bHotTracking = FALSE;
  BOOL m_bShowIcons = TRUE;
  BOOL m_bBoldSelected = FALSE;
  BOOL m_bBoldCaptions = FALSE;
  BOOL m_bClassicColors = FALSE;
  BOOL m_bItemColors = FALSE;
  int m_nClientFrame = 0;
  BOOL m_bStaticFrame = FALSE;
  CRect m_rcClientMargins = CRect(0, 0, 0, 0);
  CRect m_rcControlMargins = CRect(0, 0, 0, 0);
  CRect m_rcButtonPadding = CRect(0, 0, 0, 0);
  BOOL m_bInvertGradients = FALSE;
  BOOL m_bFillBackground = TRUE;
  CSize m_szIcon = CSize(16, 16);
  BOOL m_bMiddleEllipsis = FALSE;
  BOOL m_bNoPrefix = TRUE;
  BOOL m_bKeepRowOrder = FALSE;
  BOOL m_bFillRows = TRUE;
  BOOL m_bFocusRect = TRUE;
  BOOL m_bUseSystemFont = TRUE;
  int m_nToolTipMode = 2;
  // An OLE drag over a tab of a pane group selects that tab.
  BOOL m_bSelectOnDragOver = TRUE;

 private:
  void DrawRow(CJVKTabManager* pManager, CDC* pDC, CRect rcPaint, int nRow);
  void DrawCaption(CDC* pDC, const CString& strCaption, CRect rc, UINT nFormat, BOOL bVertical);

  CJVKTabAppearanceSet* m_pAppearanceSet = nullptr;
  CJVKTabColorSet* m_pColorSet = nullptr;
  std::vector<CJVKTabManagerBase*> m_arrClients;
  int m_nAppearance = 0;
  int m_nColor = 1;
  int m_nPosition = jvkTabPositionTop;
  int m_nLayout = jvkTabLayoutAutoSize;
  CFont m_fntNormal;
  CFont m_fntBold;
  CFont m_fntVerticalNormal;
  CFont m_fntVerticalBold;
};

// Small fonts are made readable: a height of -1 to -10 becomes -11.
LONG JVKClampTabFontHeight(LONG lfHeight);
