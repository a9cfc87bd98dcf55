// CJVKDockingPaneMiniWnd: the small top-level frame that holds panes while
// they float. A node of the docking tree (type 3) whose content is one
// splitter container of groups; it hides itself when that empties and is
// put back on a monitor's work area when created off every one.
#pragma once

#include "DockingPaneBase.h"

#include <framework/MiniFrameWnd.h>

class CJVKDockingPaneTabbedContainer;

class CJVKDockingPaneMiniWnd : public CMiniFrameWnd, public CJVKDockingPaneBase {
 public:
  explicit CJVKDockingPaneMiniWnd(CJVKDockingPaneLayout* pLayout);
  ~CJVKDockingPaneMiniWnd() override;

  // The window at a screen rectangle (moved onto the nearest work area when
  // it lies off it); FALSE when the window cannot be made.
  BOOL Create(CRect rc);
  using CMiniFrameWnd::Create;
  // Builds the frame around a pane (wrapped in a new group) or a container.
  void Init(CJVKDockingPaneBase* pPane, CRect rc);
  // A loaded frame in a live layout: its window at the loaded rectangle.
  BOOL CreateLoaded();
  void Restyle();

  void Invalidate() override;
  void OnChildAttached(CJVKDockingPaneBase* pChild) override;
  void OnChildChanged(BOOL bLayout) override;
  BOOL ExchangeRecord(DockingNodeRecord& rec, BOOL bLoading, const CJVKDockingPaneNumbers* pNumbers) override;
  CJVKDockingPaneBase* Clone(CJVKDockingPaneLayout* pLayout, CJVKDockingPaneMap* pMap, DWORD dwFlags = 0) override;
  void RemovePane(CJVKDockingPaneBase* pPane) override;
  BOOL GetCaptionButtonState(const CaptionButton* pButton) const override;
  void RecalcLayout(BOOL bNotify = TRUE) override;

  CJVKDockingPaneBase* GetTopContainer() const { return m_pTopContainer; }
  // The groups of the frame that hold panes, in order.
  std::vector<CJVKDockingPaneTabbedContainer*> GetGroups() const;
  BOOL IsCloseEnabled() const { return m_bCloseEnabled; }
  // The frame's rectangle on the screen: its window's, else the stored one.
  CRect GetFrameRect() const;

  // Moves a screen rectangle lying wholly off a work area onto its nearest
  // edge, by the least offset.
  static CRect SnapToWorkArea(CRect rc, const CRect& rcWork);

  CJVKDockingPaneBase* m_pTopContainer = nullptr;
  BOOL m_bCloseEnabled = TRUE;
  int m_nExpandedHeight = 0;
  BOOL m_bActive = FALSE;
  BOOL m_bCreated = FALSE;
  int m_nStepCount = 128 / 16;
  int m_nStep = 0;
  int m_nWatchCount = 0;
  BOOL m_bCollapsed = FALSE;
  BOOL m_bExpanded = FALSE;
  BOOL m_bRolling = FALSE;

 protected:
  void PostNcDestroy() override;
  afx_msg void OnClose();
  afx_msg void OnDestroy();
  afx_msg void OnSetFocus(CWnd* pOldWnd);
  afx_msg void OnGetMinMaxInfo(MINMAXINFO* pMinMaxInfo);
  afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
  afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
  afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
  DECLARE_MESSAGE_MAP()

 private:
  void SetTopContainer(CJVKDockingPaneBase* pContainer);
  void UpdateSystemMenu();
  BOOL m_bInChange = FALSE;
};
