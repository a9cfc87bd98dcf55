// CJVKDockingPaneBase: the node of the docking tree and its interface. Every
// pane and container carries it; the manager, the layout and the containers
// work on it alone. A bare base of type 4 is the client placeholder, the node
// that stands for the frame's own client window.
#pragma once

#include <Framework.h>

#include <map>
#include <vector>

#include "DockingPaneTypes.h"

class CJVKDockingPaneBase;
class CJVKDockingPaneLayout;
class CJVKDockingPaneManager;
class CaptionButton;
struct DockingNodeRecord;

using CJVKDockingPaneList = std::vector<CJVKDockingPaneBase*>;
// Old node to new while a tree is cloned; object number to node while a
// layout is read.
using CJVKDockingPaneMap = std::map<const CJVKDockingPaneBase*, CJVKDockingPaneBase*>;
using CJVKDockingPaneNumbers = std::map<LONG, CJVKDockingPaneBase*>;

class CJVKDockingPaneBase {
 public:
  CJVKDockingPaneBase(int nType, CJVKDockingPaneLayout* pLayout);
  virtual ~CJVKDockingPaneBase();
  CJVKDockingPaneBase(const CJVKDockingPaneBase&) = delete;
  CJVKDockingPaneBase& operator=(const CJVKDockingPaneBase&) = delete;

  // Repaints its window without erasing.
  virtual void Invalidate();
  virtual BOOL Contains(const CJVKDockingPaneBase* pPane) const { return pPane == this; }
  // Appends every non-empty node of the type at or below this one.
  virtual void FindPanes(int nType, CJVKDockingPaneList& lst);
  // Zero minimum, maximum track size 32000 by 32000.
  virtual void GetMinMaxInfo(MINMAXINFO* pMinMaxInfo) const;
  // lpLayout null or with a deferral handle: windows move; a query pass
  // (no handle) only stores the site.
  virtual void OnSetPosition(CWnd* pSite, CRect rc, AFX_SIZEPARENTPARAMS* lpLayout);
  virtual void UpdateActiveState() {}
  virtual void SetSite(CWnd* pSite) { m_pSite = pSite; }
  virtual void SetParentContainer(CJVKDockingPaneBase* pContainer) { m_pParentContainer = pContainer; }
  virtual void OnChildAttached(CJVKDockingPaneBase* /*pChild*/) {}
  virtual void OnChildChanged(BOOL bLayout);
  virtual BOOL OnAttachedTo(CJVKDockingPaneBase* /*pContainer*/) { return TRUE; }
  // The node's own keys: with bLoading from the record (references through
  // pNumbers; FALSE refuses the layout), else into it (references by the
  // numbers the layout gave the nodes).
  virtual BOOL ExchangeRecord(DockingNodeRecord& rec, BOOL bLoading, const CJVKDockingPaneNumbers* pNumbers);
  virtual CJVKDockingPaneBase* Clone(CJVKDockingPaneLayout* pLayout, CJVKDockingPaneMap* pMap, DWORD dwFlags = 0);
  virtual void RemovePane(CJVKDockingPaneBase* /*pPane*/) {}
  virtual BOOL IsEmpty() const;
  // A caption button got a new rectangle (the owner refreshes its tooltips).
  virtual void OnCaptionButtonMoved(CaptionButton* /*pButton*/) {}
  virtual BOOL GetCaptionButtonState(const CaptionButton* /*pButton*/) const { return TRUE; }
  virtual CWnd* GetWindow() const { return nullptr; }
  virtual BOOL IsAutoHidden() const { return FALSE; }

  int GetType() const { return m_nType; }
  CJVKDockingPaneLayout* GetLayout() const { return m_pLayout; }
  CJVKDockingPaneManager* GetDockingPaneManager() const;
  CJVKDockingPaneBase* GetContainer() const { return m_pParentContainer; }
  CWnd* GetDockingSite() const { return m_pSite; }
  CRect GetPaneWindowRect() const { return m_rcWindow; }
  // Marks the site frame for a layout at the next idle time.
  void DelayLayoutSite() const;

  CSize m_szDocking = CSize(0, 0);
  CJVKDockingPaneLayout* m_pLayout;
  CJVKDockingPaneBase* m_pParentContainer = nullptr;
  CWnd* m_pSite = nullptr;
  int m_nType;
  CRect m_rcWindow = CRect(0, 0, 0, 0);
  std::vector<CaptionButton*> m_arrCaptionButtons;
  int m_nIndex = 0;
};
