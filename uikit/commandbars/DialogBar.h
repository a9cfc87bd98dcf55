// CJVKDialogBar: a resizable bar that hosts one child window below a
// caption. The caption holds a popup (9399) that spans it and, on a
// closeable bar, a 16 x 16 close button (9401) at its right that hides the
// bar. The child window is kept inside the borders on every size change. A
// docked bar resizes on its inner edge only, a floating one on every edge
// and corner; sizes below the minimum (50 x 50) are refused.
#pragma once

#include "ToolBar.h"

const int JVK_ID_DIALOGBAR_CAPTION = 9399;

class CJVKDialogBar : public CJVKToolBar {
 public:
  CJVKDialogBar();

  // The hosted window (a child of the bar); null: none.
  void SetChild(CWnd* pChild);
  HWND GetChild() const { return m_hWndChild; }
  void SetCaption(const CString& strCaption);
  CString GetCaption() const { return m_strCaption; }
  void SetResizable(BOOL bResizable) { m_bResizable = bResizable; }
  void ShowCaption(BOOL bShow);
  void EnableCaptionPopup(BOOL bEnable) { m_bCaptionPopup = bEnable; }
  // The popup the caption opens (null until one is made).
  CJVKControlParentBar* GetCaptionPopupBar() const { return m_pCaptionPopupBar; }
  // Takes the popup bar the caption opens (one reference held).
  void SetCaptionPopupBar(CJVKControlParentBar* pBar);

  // A resize to the size: FALSE (and nothing changes) below the minimum.
  // A docked bar keeps the extent across its dock side, a floating bar the
  // whole size; the layout follows.
  BOOL ResizeBar(CSize szNew);
  CSize GetFloatingSize() const { return m_szFloating; }
  int GetDockedExtent(BOOL bHorizontalDock) const { return bHorizontalDock ? m_nDockedVertExtent : m_nDockedHorzExtent; }
  // The caption strip and the child's rectangle for a bar of the size.
  CRect GetCaptionRect(CSize szBar) const;
  CRect GetChildRect(CSize szBar) const;

  BOOL IsDialogBar() const override { return TRUE; }
  CSize CalcDockingLayout(int nLength, DWORD dwMode) override;
  CSize CalcDynamicLayout(int nLength, DWORD dwMode) override;
  // Client points are inside; any other point answers -2.
  int IsPointInside(CPoint ptClient) const;

 protected:
  ~CJVKDialogBar() override;

  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnNcHitTest(CPoint pt);
  DECLARE_MESSAGE_MAP()

  int CaptionHeight() const;
  // Lays the caption controls out and moves the child window into place.
  void PlaceContents(CSize szBar);

  CRect m_rcBorders{3, 3, 3, 3};
  BOOL m_bResizable = TRUE;
  CSize m_szMin{50, 50};
  BOOL m_bCaptionShown = TRUE;
  BOOL m_bCaptionPopup = TRUE;
  int m_nDockedHorzExtent = 200;  // width when docked left or right
  int m_nDockedVertExtent = 200;  // height when docked top or bottom
  CSize m_szFloating{200, 200};
  HWND m_hWndChild = nullptr;
  CString m_strCaption;
  CJVKControlParentBar* m_pCaptionPopupBar = nullptr;
};
