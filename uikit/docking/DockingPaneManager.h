// CJVKDockingPaneManager: what a frame owns to host docking panes. It owns
// the live layout, makes every node through one factory, docks, attaches,
// shows and closes panes on the application's request and the user's, keeps
// the active pane, and reports each such action to its site (the frame) with
// DockingPaneNotify. Its hidden window takes the frame's size-parent pass,
// so the panes sit between the bars and the frame's client window.
#pragma once

#include <Framework.h>

#include <map>
#include <vector>

#include "DockingPaneBase.h"

class CJVKDockingPane;
class CJVKDockingPaneMiniWnd;
class CJVKDockingPaneDragContext;
class CJVKDockingPanePaintManager;
class CJVKDockingPaneTabbedContainer;
class CJVKPropExchange;
class CJVKToolTipContext;

struct DockingPaneAction {
  int action;
  BOOL cancel;
  CJVKDockingPane* pane;
  CJVKDockingPaneBase* container;
  int reserved;
};

class CJVKDockingPaneManager : public CWnd {
 public:
  CJVKDockingPaneManager();
  ~CJVKDockingPaneManager() override;

  virtual CJVKDockingPaneLayout* CreateLayout();
  // Types 0 to 5; null for any other and for kinds this library lacks.
  virtual CJVKDockingPaneBase* CreatePaneObject(int nType, CJVKDockingPaneLayout* pLayout);
  virtual void SetActivePane(BOOL bActive, CJVKDockingPane* pPane);

  BOOL InstallDockingPanes(CWnd* pSite);
  CJVKDockingPane* CreatePane(UINT nID, CRect rc, int nDirection, CJVKDockingPaneBase* pNeighbour = nullptr);
  void AttachPane(CJVKDockingPaneBase* pPane, CJVKDockingPaneBase* pNeighbour);
  void DockPane(CJVKDockingPaneBase* pPane, int nDirection, CJVKDockingPaneBase* pNeighbour = nullptr);
  // Floats a pane or a container at a screen rectangle in a new floating
  // frame; returns the frame (null when the pane cannot float there).
  CJVKDockingPaneMiniWnd* FloatPane(CJVKDockingPaneBase* pPane, CRect rcScreen);
  // Floats a docked pane or group, docks a floating one back into the
  // holders its panes had; FALSE when nothing moved.
  BOOL ToggleDocking(CJVKDockingPaneBase* pPane);
  CJVKDockingPane* FindPane(UINT nID) const;
  void ShowPane(CJVKDockingPane* pPane);
  void ShowPane(UINT nID) { ShowPane(FindPane(nID)); }
  void ClosePane(CJVKDockingPane* pPane);
  void HidePane(CJVKDockingPaneBase* pPane);
  BOOL SetIcons(UINT nBitmapID, const int* pIDs, int nCount, COLORREF crMask);
  void SetIcon(UINT nID, HICON hIcon);
  HICON GetIcon(UINT nID, int nSize = 16) const;
  // Whether the factory makes auto-hide panels (the Auto Hide button shows).
  BOOL CanAutoHide() const { return FALSE; }
  void SetTheme(int nTheme);
  void SetThemedFloatingFrames(BOOL bThemed);
  // The floating frames of the live layout.
  std::vector<CJVKDockingPaneMiniWnd*> GetFloatingFrames() const;
  // The floating frame whose window is the node's site, or null.
  static CJVKDockingPaneMiniWnd* GetFloatingFrame(const CJVKDockingPaneBase* pNode);
  void SetHideClient(BOOL bHide);
  int GetPaneSide(const CJVKDockingPaneBase* pPane) const;
  // Left and right swapped on a right-to-left site.
  int MirrorSide(int nSide) const;
  CRect CalcDockRect(CJVKDockingPaneBase* pPane, int nDirection, CJVKDockingPaneBase* pNeighbour);
  // Sends code 4 (nParam: the side of a drag's dock); returns the record's
  // cancel field.
  BOOL NotifyAction(int nAction, CJVKDockingPane* pPane, CJVKDockingPaneBase* pContainer = nullptr, int nParam = 0);
  CJVKDockingPaneDragContext* GetDragContext() const { return m_pDragContext; }
  LRESULT Notify(int nCode, LPARAM lParam);

  // Saves the live layout; loads one and makes it live. A refused layout
  // (damaged, or naming kinds of node this library lacks) leaves the live
  // layout and its windows as they were.
  void SaveLayout(CJVKPropExchange* pPX);
  BOOL LoadLayout(CJVKPropExchange* pPX);

  // Marks each pane site for a delayed layout.
  void RedrawPanes();
  // Where each placed pane lies now becomes its holders.
  void RecordHolders();
  CWnd* GetSite() const { return m_pSite; }
  CJVKDockingPaneLayout* GetLayout() const { return m_pLayout; }
  CJVKDockingPanePaintManager* GetPaintManager() const { return m_pPaintManager; }
  CJVKDockingPane* GetActivePane() const { return m_pActivePane; }
  // Shows the caption buttons' tooltips (and the tabs').
  CJVKToolTipContext* GetToolTipContext() const { return m_pToolTipContext; }
  CJVKDockingPaneList GetPanes() const;

  int m_nMinTrackMargin = 22;
  BOOL m_bCloseGroupOnButton = FALSE;
  BOOL m_bHideGroupOnButton = TRUE;
  BOOL m_bHideClient = FALSE;
  BOOL m_bUseSplitterTracker = TRUE;
  BOOL m_bShowMaximizeButton = FALSE;
  BOOL m_bLockSplitters = FALSE;
  BOOL m_bAlphaDockingContext = FALSE;
  BOOL m_bShowDockingGuides = FALSE;
  BOOL m_bThemedFloatingFrames = FALSE;
  BOOL m_bSyncActiveFloatingFrames = TRUE;
  DWORD m_dwDefaultPaneOptions = 0;
  int m_nCaptionDirection = 0;
  CString m_strFloatingFrameCaption;
  BOOL m_bThemeGuides = FALSE;

 protected:
  afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
  afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
  afx_msg void OnSysColorChange();
  afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
  DECLARE_MESSAGE_MAP()

 private:
  void DockPaneAt(CJVKDockingPaneBase* pPane, int nDirection, CJVKDockingPaneBase* pNeighbour);
  CJVKDockingPaneTabbedContainer* WrapInGroup(CJVKDockingPane* pPane, CWnd* pSite);
  void DetachFromParent(CJVKDockingPaneBase* pPane);
  BOOL TogglePaneDocking(CJVKDockingPane* pPane, CJVKDockingPaneTabbedContainer* pHolder);
  // The docking site of a node: the floating frame above it, else the frame.
  CWnd* SiteOf(CJVKDockingPaneBase* pNode) const;

  CWnd* m_pSite = nullptr;
  CJVKDockingPaneLayout* m_pLayout = nullptr;
  CJVKDockingPanePaintManager* m_pPaintManager = nullptr;
  CJVKDockingPane* m_pActivePane = nullptr;
  std::map<UINT, HICON> m_mapIcons;
  CJVKDockingPaneDragContext* m_pDragContext = nullptr;
  CJVKToolTipContext* m_pToolTipContext = nullptr;
  BOOL m_bRedocking = FALSE;
  BOOL m_bLaidOut = FALSE;
  BOOL m_bOleInitialized = FALSE;
};
