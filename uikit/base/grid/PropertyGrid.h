// CJVKPropertyGrid: the child window that hosts a property grid: the list of
// items (the view) above, a help panel with the selected item's caption and
// description below, and a 3-pixel splitter bar between them. It owns the
// paint manager, the three in-place editors shared by all items and an image
// manager, and tells its owner what happens with message 0x89E5.
#pragma once

#include <Framework.h>

#include "PropertyGridItem.h"
#include "PropertyGridRows.h"

class CJVKPropertyGridView;
class CJVKPropertyGridPaintManager;
class CJVKPropertyGridInplaceEdit;
class CJVKPropertyGridInplaceButton;
class CJVKPropertyGridInplaceList;
class CJVKImageManager;

// The owner notification: wParam a code below, lParam its parameter.
const UINT JVK_PGWM_PROPERTYGRID_NOTIFY = 0x89E5;
enum : WPARAM {
  JVK_PGN_SORTORDERCHANGED = 1,   // the grid's dialog control id
  JVK_PGN_SELECTIONCHANGED = 2,   // the selected item
  JVK_PGN_VALUECHANGED = 3,       // the item
  JVK_PGN_EDITCHANGED = 4,        // the in-place edit window
  JVK_PGN_INPLACEBUTTONDOWN = 5,  // the item; answer 1: handled
  JVK_PGN_DRAWITEM = 6,           // the DRAWITEMSTRUCT; answer 1: drawn
  JVK_PGN_ITEMEXPANDCHANGED = 7,  // the item
  JVK_PGN_DBLCLICK = 8,           // the item
  JVK_PGN_RCLICK = 9,             // the item
};

// Style bits of the grid window (low word).
const DWORD JVK_PGS_OWNERDRAW = 0x10;     // rows offered to the owner first
const DWORD JVK_PGS_ITEMHEIGHTS = 0x20;   // items set their own row heights

// Commands the grid answers.
const UINT JVK_ID_GRID_CATEGORIZED = 9950;
const UINT JVK_ID_GRID_ALPHABETIC = 9951;

class CJVKPropertyGrid : public CWnd {
  DECLARE_DYNAMIC(CJVKPropertyGrid)
 public:
  CJVKPropertyGrid();
  ~CJVKPropertyGrid() override;
  CJVKPropertyGrid(const CJVKPropertyGrid&) = delete;
  CJVKPropertyGrid& operator=(const CJVKPropertyGrid&) = delete;

  virtual BOOL Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwListStyle = 0);
  virtual CJVKPropertyGridView* CreateView();
  virtual void OnVerbClick(int nIndex, CPoint pt) {}
  virtual void Navigate(int nFrom, BOOL bForward, CJVKPropertyGridItem* pItem = nullptr);
  virtual LRESULT NotifyOwner(WPARAM nCode, LPARAM lParam);
  virtual int HitTest(CPoint pt);
  virtual void OnSelectionChanged(CJVKPropertyGridItem* pItem);
  virtual void OnSortChanged();
  virtual void Reposition(int cx, int cy);

  CJVKPropertyGridView& GetGridView();
  CJVKPropertyGridItems* GetCategories();
  CJVKPropertyGridItem* GetSelectedItem();
  CJVKPropertyGridItem* AddCategory(LPCTSTR pszCaption, CJVKPropertyGridItem* pItem = nullptr);
  void SetPropertySort(int nMode);
  void Refresh();
  void RedrawControl();
  void SetViewDivider(double dRatio);
  void SetTheme(int nTheme);
  int GetTheme() const { return m_nTheme; }
  // Overrides of help back, help text, category back, back, text and
  // category text, in that order.
  void SetCustomColors(COLORREF clrHelpBack, COLORREF clrHelpFore, COLORREF clrLine, COLORREF clrBack,
                       COLORREF clrFore, COLORREF clrCategoryFore);
  CJVKPropertyGridPaintManager* GetPaintManager() const { return m_pPaintManager; }
  CJVKImageManager* GetImageManager() const { return m_pImageManager; }
  CJVKPropertyGridInplaceEdit& GetInplaceEdit() { return *m_pInplaceEdit; }
  CJVKPropertyGridInplaceButton& GetInplaceButton() { return *m_pInplaceButton; }
  CJVKPropertyGridInplaceList& GetInplaceList() { return *m_pInplaceList; }

  void ShowHelp(BOOL bShow);
  BOOL IsHelpVisible() const { return m_bHelpVisible; }
  int GetHelpHeight() const { return m_nHelpHeight; }
  void SetHelpHeight(int nHeight) { m_nHelpHeight = nHeight; }
  BOOL IsVariableItemsHeight() const { return m_bVariableItemsHeight; }
  void SetVariableItemsHeight(BOOL bVariable) { m_bVariableItemsHeight = bVariable; }
  // The verbs panel: no verbs exist in this system, so it takes no room.
  int GetVerbsHeight() const { return 0; }
  int GetVerbCount() const { return 0; }
  int GetFocusedVerb() const { return -1; }
  // The help band and the splitter bar above it, in client coordinates.
  CRect GetHelpRect() const;
  CRect GetSplitterRect() const;

  // Values of changed items drawn bold.
  BOOL m_bHighlightChanged = FALSE;

 protected:
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnSysColorChange();
  afx_msg UINT OnGetDlgCode() { return DLGC_WANTALLKEYS; }
  afx_msg void OnSortCategorized() { SetPropertySort(jvkSortCategorized); }
  afx_msg void OnSortAlphabetic() { SetPropertySort(jvkSortAlphabetical); }
  DECLARE_MESSAGE_MAP()

 private:
  void TrackSplitter(CPoint point);
  void InstallPaintManager(CJVKPropertyGridPaintManager* pPaintManager);

  BOOL m_bHelpVisible = TRUE;
  int m_nHelpHeight = 58;
  CJVKPropertyGridView* m_pView = nullptr;
  CJVKPropertyGridPaintManager* m_pPaintManager = nullptr;
  int m_nTheme = 0;
  CJVKImageManager* m_pImageManager;
  CJVKPropertyGridInplaceEdit* m_pInplaceEdit;
  CJVKPropertyGridInplaceButton* m_pInplaceButton;
  CJVKPropertyGridInplaceList* m_pInplaceList;
  BOOL m_bVariableItemsHeight = FALSE;
  HCURSOR m_hCursorSplit;
  CRect m_rcTracker;
};
