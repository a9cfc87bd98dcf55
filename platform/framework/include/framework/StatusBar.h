// CStatusBar: a control bar over the status-bar common control, holding
// panes. SetIndicators makes one pane per id: ID_SEPARATOR gives the message
// pane (no border, stretched over the width the others leave); any other id
// an indicator whose text and width come from its string resource. The
// bar's window text is the text of its first ID_SEPARATOR pane, so the
// frame's prompts (WM_SETMESSAGESTRING) land there. At idle time each
// indicator is updated through the frame's ON_UPDATE_COMMAND_UI handlers:
// disabled hides its text, checked pops it out, SetText changes it.
#pragma once

#include <vector>

#include "ControlBar.h"

// Pane styles.
#define SBPS_NORMAL 0x0000
#define SBPS_NOBORDERS SBT_NOBORDERS
#define SBPS_POPOUT SBT_POPOUT
#define SBPS_OWNERDRAW SBT_OWNERDRAW
#define SBPS_DISABLED 0x04000000
#define SBPS_STRETCH 0x08000000

class CStatusBar : public CControlBar {
  DECLARE_DYNAMIC(CStatusBar)
 public:
  CStatusBar();
  ~CStatusBar() override;

  BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
  BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                UINT nID = AFX_IDW_STATUS_BAR);
  using CWnd::Create;
  using CWnd::CreateEx;

  // FALSE when an id has no string resource (its pane stays, empty).
  BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

  int GetCount() const { return static_cast<int>(m_panes.size()); }
  int CommandToIndex(UINT nIDFind) const;
  UINT GetItemID(int nIndex) const;
  void GetItemRect(int nIndex, LPRECT lpRect) const;
  void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
  void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
  UINT GetPaneStyle(int nIndex) const;
  void SetPaneStyle(int nIndex, UINT nStyle);
  CString GetPaneText(int nIndex) const;
  void GetPaneText(int nIndex, CString& rString) const { rString = GetPaneText(nIndex); }
  BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);

  CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
  void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

 protected:
  struct Pane {
    UINT nID;
    UINT nStyle;
    int cxText;
    CString strText;
  };
  std::vector<Pane> m_panes;
  BOOL IsValidIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }
  // Gives the control the panes' right edges (bUpdateRects) and texts.
  void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);
  void ShowPaneText(int nIndex);
  int TextWidth(LPCTSTR lpszText) const;
  afx_msg void OnPaint() { Default(); }
  afx_msg void OnSize(UINT nType, int cx, int cy);
  afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
  DECLARE_MESSAGE_MAP()
};
