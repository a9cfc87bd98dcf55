// CJVKDockingPaneTabbedContainer: the pane group. A window that shows one of
// its panes at a time under a caption with caption buttons, and a tab strip
// to switch between its panes when it holds more than one. Groups are the
// holders panes return to.
#pragma once

#include "DockingPaneBase.h"
#include "TabManager.h"

class CJVKDockingPane;
class CJVKDockingPaneTabbedContainer;
class COleDropTarget;

// The group's tab strip: the docking paint manager's panel tab paint
// manager draws it; changes repaint the group.
class CJVKDockingTabManager : public CJVKTabManager {
 public:
  explicit CJVKDockingTabManager(CJVKDockingPaneTabbedContainer* pContainer) : m_pContainer(pContainer) {}
  void Reposition() override;
  CJVKTabPaintManager* GetPaintManager() const override;
  void RedrawControl() override;
  BOOL DrawIcon(CDC* pDC, CPoint pt, CJVKTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const override;
  void OnItemClick(CJVKTabManagerItem* pItem) override;
  CJVKDockingPaneTabbedContainer* GetContainer() const { return m_pContainer; }

 private:
  CJVKDockingPaneTabbedContainer* m_pContainer;
};

class CJVKDockingPaneTabbedContainer : public CWnd, public CJVKDockingPaneBase {
 public:
  explicit CJVKDockingPaneTabbedContainer(CJVKDockingPaneLayout* pLayout);
  ~CJVKDockingPaneTabbedContainer() override;

  virtual void SelectPane(CJVKDockingPane* pPane, BOOL bFocus = TRUE, BOOL bLayout = TRUE);
  virtual BOOL IsCaptionVertical() const;
  virtual BOOL IsTabStripVisible() const;
  virtual void OnCaptionLButtonDown(CPoint point);
  virtual BOOL IsPointInCaption(CPoint ptScreen) const;
  virtual void OnCaptionButton(CaptionButton* pButton);
  virtual void CopyFrom(CJVKDockingPaneTabbedContainer* pSource, CJVKDockingPaneMap* pMap, DWORD dwOptions);
  virtual void RecalcTabs();

  void Invalidate() override;
  BOOL Contains(const CJVKDockingPaneBase* pPane) const override;
  void FindPanes(int nType, CJVKDockingPaneList& lst) override;
  void GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const override;
  void OnSetPosition(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* lpLayout) override;
  void UpdateActiveState() override;
  void SetSite(CWnd* pSite) override;
  void OnChildChanged(BOOL bLayout) override;
  BOOL OnAttachedTo(CJVKDockingPaneBase* pContainer) override;
  BOOL ExchangeRecord(DockingNodeRecord& rec, BOOL bLoading, const CJVKDockingPaneNumbers* pNumbers) override;
  CJVKDockingPaneBase* Clone(CJVKDockingPaneLayout* pLayout, CJVKDockingPaneMap* pMap, DWORD dwFlags = 0) override;
  void RemovePane(CJVKDockingPaneBase* pPane) override;
  BOOL IsEmpty() const override { return m_lstPanes.empty(); }
  BOOL GetCaptionButtonState(const CaptionButton* pButton) const override;
  CWnd* GetWindow() const override { return const_cast<CJVKDockingPaneTabbedContainer*>(this); }
  BOOL IsAutoHidden() const override;

  void AttachPane(CJVKDockingPane* pPane);
  void InitFromPane(CJVKDockingPane* pPane, CWnd* pSite);
  void Maximize();
  void Restore();
  CString GetTitle() const;
  BOOL HasCaption() const;
  // The only group of a floating frame leaves its caption to the frame.
  void ShowCaption(BOOL bShow);
  BOOL IsActive() const { return m_bActive; }
  BOOL IsMaximized() const { return m_bMaximized; }
  CJVKDockingPane* GetSelected() const { return m_pSelectedPane; }
  const std::vector<CJVKDockingPane*>& GetPanes() const { return m_lstPanes; }
  CJVKDockingTabManager* GetTabManager() { return &m_tabs; }
  CaptionButton* FindCaptionButton(UINT nID) const;
  // A caption button's tooltip (its string), else a tab's.
  INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
  // -2 on the caption, a tab's index, else -1 (client coordinates).
  int HitTest(CPoint point) const;
  // The area left to the panes inside caption and tabs (client coordinates).
  CRect GetPaneArea(BOOL bLayoutTabs);
  BOOL IsUpdating() const { return m_nUpdating > 0; }
  // A group may be maximised inside a splitter with other groups.
  BOOL CanMaximize() const;
  // In a live layout: the group's window, once, with its drop target.
  BOOL CreateContainerWindow();
  // An OLE drag over the point (client coordinates): over a tab, when the
  // tab paint manager allows it, that tab's pane is selected without focus.
  void OnOleDragOver(CPoint point);
  COleDropTarget* GetDropTarget() const { return m_pDropTarget; }

 protected:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  afx_msg void OnPaint();
  afx_msg BOOL OnEraseBkgnd(CDC* pDC);
  afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
  afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
  afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
  afx_msg void OnMouseMove(UINT nFlags, CPoint point);
  afx_msg void OnMouseLeave();
  afx_msg void OnCaptureChanged(CWnd* pWnd);
  afx_msg void OnDestroy();
  DECLARE_MESSAGE_MAP()


 private:
  void ShowPanes(const CRect& rcArea);
  void EndTabDrag();
  void ClosePanes();
  void ToggleAutoHide();

  CJVKDockingTabManager m_tabs;
  std::vector<CRect> m_arrTabRects;
  std::vector<CJVKDockingPane*> m_lstPanes;
  BOOL m_bMaximized = FALSE;
  BOOL m_bActive = FALSE;
  BOOL m_bShowCaption = TRUE;
  int m_nUpdating = 0;
  CJVKDockingPane* m_pSelectedPane = nullptr;
  CJVKDockingPane* m_pDraggedPane = nullptr;
  COleDropTarget* m_pDropTarget = nullptr;

  friend class CJVKDockingTabManager;
  friend class CJVKDockingPaneLayout;
};
