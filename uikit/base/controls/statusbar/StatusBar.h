// CJVKStatusBar: the frame's status bar. A control bar over the common
// status-bar control holding CJVKStatusBarPane objects: stretch panes share
// the width the others leave, texts reach the control only when they change,
// the panes follow the frame's ON_UPDATE_COMMAND_UI handlers at idle time,
// each pane can show a tooltip, and the bar draws itself through the current
// paint manager when there is one (else the control draws).
//
// The window text is the text of the first pane with id 0 (the message
// pane), so the frame's prompts land there.
#pragma once

#include <Framework.h>

#include <vector>

#include "PaintedObjects.h"
#include "StatusBarPane.h"

class CJVKPaintManager;
class CJVKToolTipContext;

class CJVKStatusBar : public CControlBar, public CJVKPaintedStatusBar {
  DECLARE_DYNAMIC(CJVKStatusBar)
 public:
  CJVKStatusBar();
  ~CJVKStatusBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
  using CWnd::Create;

  // Replaces the panes by one per id: 0 gives a free-text pane (the first
  // one stretches without borders), any other id a pane with the text of its
  // string resource. FALSE when a resource is missing: that pane stays
  // empty and the ids after it get no pane.
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

  int GetPaneCount() const { return static_cast<int>(m_arrPanes.size()); }
  // Null outside 0 to count - 1.
  CJVKStatusBarPane* GetPane(int nIndex) const;
  int CommandToIndex(UINT nIDFind) const;
  // Empty for a hidden pane or a bad index.
  void GetItemRect(int nIndex, LPRECT lpRect) const;

  CString GetPaneText(int nIndex) const;
  // An unchanged text that is not waiting to be sent does nothing. FALSE for
  // a hidden pane (the text is kept) or a bad index.
  BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
  UINT GetPaneStyle(int nIndex) const;
  void SetPaneStyle(int nIndex, UINT nStyle);
  int GetPaneWidth(int nIndex) const;
  void SetPaneWidth(int nIndex, int nWidth);

  // The panes' numbers, the control's parts and the windows in panes; with
  // bSendText also the texts still waiting.
  void RecalcLayout(BOOL bSendText);

  CFont* GetBarFont() { return &m_fontBar; }
  int GetMinHeight() const { return m_nMinHeight; }
  // Drawn by the control itself when off or when no paint manager exists.
  void SetDrawWithPaintManager(BOOL bDraw);
  BOOL IsDrawnWithPaintManager() const;
  CJVKToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }

  // Paints the bar the way WM_PAINT does with a paint manager (tests and
  // snapshots draw into a DC of their own).
  void DrawBar(CDC* pDC, CJVKPaintManager* pPaintManager);

  // CJVKPaintedStatusBar
  CRect GetClientRect() const override;
  using CWnd::GetClientRect;

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg LRESULT OnNcHitTest(CPoint point);
  afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
  afx_msg void OnNcPaint();
  afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()

 private:
  friend class CJVKStatusBarPane;
  void RemoveAllPanes();
  // Index of the first visible pane with id 0, or -1.
  int MessagePaneIndex() const;
  // SB_SETTEXT for a visible pane (no text while disabled); clears the mark.
  void SendPaneText(CJVKStatusBarPane* pPane);
  void SendPendingTexts();
  void OnPaneVisibilityChanged();
  BOOL HasSizeGrip() const;
  BOOL ParentHasSizingBorder() const;
  BOOL ParentIsMaximized() const;
  // The window rectangle less the bar's inside margins (no grip room).
  CRect InsideMargins() const;
  CJVKPaintManager* GetPaintManager() const;

  std::vector<CJVKStatusBarPane*> m_arrPanes;  // one reference each
  int m_nMinHeight = 0;
  CFont m_fontBar;
  BOOL m_bDrawWithPaintManager = TRUE;
  CJVKToolTipContext* m_pToolTipContext;
};
