// CJVKDockingPaneLayout: one complete docking arrangement: every node made
// for it, the panes with the holders each last had, the top container and
// the client placeholder. It lays the tree out in the frame, tells on which
// side of the client a pane lies, and is saved and read through the saved
// layout's records (DockingLayoutRecord), which refuse a damaged layout
// before any node is built.
#pragma once

#include <Framework.h>

#include "DockingPaneBase.h"

class CJVKDockingPane;
class CJVKDockingPaneTabbedContainer;
class CJVKPropExchange;
struct DockingLayoutRecord;

class CJVKDockingPaneLayout : public CCmdTarget {
 public:
  explicit CJVKDockingPaneLayout(CJVKDockingPaneManager* pManager);
  ~CJVKDockingPaneLayout() override;

  struct PaneEntry {
    CJVKDockingPane* pPane = nullptr;
    CJVKDockingPaneTabbedContainer* pFloatingHolder = nullptr;
    CJVKDockingPaneTabbedContainer* pDockingHolder = nullptr;
    CJVKDockingPaneTabbedContainer* pLastHolder = nullptr;
  };

  void Clear();
  void RecalcLayout(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* lpLayout);
  int GetPaneSide(const CJVKDockingPaneBase* pPane) const;
  // The archive form of the saved layout.
  void DoPropExchange(CArchive& ar);
  // Refused (FALSE, nothing built) unless the stored layout is sound.
  BOOL Load(CJVKPropExchange* pPX);
  void Save(CJVKPropExchange* pPX);
  void Normalize();

  // Builds the nodes of an accepted record; FALSE when a node refuses.
  BOOL Build(const DockingLayoutRecord& rec);
  PaneEntry* FindEntry(const CJVKDockingPane* pPane);
  CJVKDockingPaneManager* GetManager() const { return m_pManager; }
  BOOL IsDetached() const { return m_bDetached; }
  // Unlinks a node from the object list and frees it.
  void DeleteObject(CJVKDockingPaneBase* pNode);
  static void FreeNode(CJVKDockingPaneBase* pNode);

  CJVKDockingPaneBase* m_pTopContainer = nullptr;
  CJVKDockingPaneBase* m_pClient = nullptr;
  std::vector<PaneEntry> m_lstPanes;
  CJVKDockingPaneList m_lstObjects;
  CJVKDockingPaneBase* m_arrPanels[4] = {nullptr, nullptr, nullptr, nullptr};
  BOOL m_bDetached = TRUE;
  CJVKDockingPaneManager* m_pManager;
};
