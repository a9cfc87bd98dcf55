// CJVKDockingPaneSplitterContainer: a row (side by side) or column (one above
// the other) of docked groups and further splitters, with a splitter window
// in each gap between two non-empty children. Its length is shared among
// the children by SplitterLayout's distribution.
#pragma once

#include "DockingPaneBase.h"
#include "SplitterLayout.h"

class CJVKDockingPaneSplitterWnd;

class CJVKDockingPaneSplitterContainer : public CJVKDockingPaneBase {
 public:
  explicit CJVKDockingPaneSplitterContainer(CJVKDockingPaneLayout* pLayout);
  ~CJVKDockingPaneSplitterContainer() override;

  BOOL Contains(const CJVKDockingPaneBase* pPane) const override;
  void FindPanes(int nType, CJVKDockingPaneList& lst) override;
  void GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const override;
  void OnSetPosition(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* lpLayout) override {
    RecalcLayout(pSite, rc, lpLayout);
  }
  void OnChildAttached(CJVKDockingPaneBase* pChild) override;
  BOOL OnAttachedTo(CJVKDockingPaneBase* pContainer) override;
  BOOL ExchangeRecord(DockingNodeRecord& rec, BOOL bLoading, const CJVKDockingPaneNumbers* pNumbers) override;
  CJVKDockingPaneBase* Clone(CJVKDockingPaneLayout* pLayout, CJVKDockingPaneMap* pMap, DWORD dwFlags = 0) override;
  void RemovePane(CJVKDockingPaneBase* pPane) override;
  BOOL IsEmpty() const override;
  virtual CJVKDockingPaneSplitterWnd* CreateSplitterWnd();

  void Init(CJVKDockingPaneBase* pPane, BOOL bHorizontal, CWnd* pSite);
  BOOL InsertPane(CJVKDockingPaneBase* pPane, CJVKDockingPaneBase* pNeighbour, BOOL bAfter);
  void ReplacePane(CJVKDockingPaneBase* pOld, CJVKDockingPaneBase* pNew);
  void CopyFrom(const CJVKDockingPaneSplitterContainer* pSource, CJVKDockingPaneMap* pMap);
  void UpdateSplitters();
  void SaveSizes();
  BOOL IsPaneBefore(const CJVKDockingPaneBase* pPane, const CJVKDockingPaneBase* pStop) const;
  void RecalcLayout(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* lpLayout);
  // Drop previews in screen coordinates.
  CRect CalcPaneRectInSplitter(CJVKDockingPaneBase* pDragged, int nSide, CJVKDockingPaneBase* pNeighbour);
  static CRect CalcPaneRectBeside(CJVKDockingPaneBase* pNeighbour, CJVKDockingPaneBase* pDragged, int nSide);

  BOOL IsHorizontal() const { return m_bHorizontal; }
  void SetHorizontal(BOOL bHorizontal) { m_bHorizontal = bHorizontal; }
  const CJVKDockingPaneList& GetPanes() const { return m_lstPanes; }
  const std::vector<CJVKDockingPaneSplitterWnd*>& GetSplitters() const { return m_lstSplitters; }
  // The splitter thickness of the manager's paint manager.
  int GetSplitterSize() const;

  CJVKDockingPaneList m_lstPanes;
  std::vector<CJVKDockingPaneSplitterWnd*> m_lstSplitters;
  BOOL m_bHorizontal = FALSE;
  BOOL m_bRecalcLayout = FALSE;

 private:
  void Adopt(CJVKDockingPaneBase* pPane);
  void DeleteSplitters();
  // The distribution's view of the children along the axis.
  std::vector<SplitterChild> MeasureChildren(const CJVKDockingPaneList& lst, int* pFiller) const;
};
