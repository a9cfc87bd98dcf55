#include "DockingLayoutCheck.h"

namespace {

// Which kinds of object may stand in a holder's list.
bool MayHold(LONG nHolderType, LONG nChildType) {
  switch (nHolderType) {
    case DockingPaneTypeTabbedContainer:
      return nChildType == DockingPaneTypePane;
    case DockingPaneTypeSplitterContainer:
      return nChildType == DockingPaneTypeTabbedContainer || nChildType == DockingPaneTypeSplitterContainer ||
             nChildType == DockingPaneTypeClient;
    case DockingPaneTypeAutoHidePanel:
      return nChildType == DockingPaneTypeTabbedContainer || nChildType == DockingPaneTypeSplitterContainer;
    default:
      return false;
  }
}

class CTreeCheck {
 public:
  explicit CTreeCheck(DockingLayoutRecord& layout) : m_layout(layout), m_parents(layout.nodes.size() + 1, 0) {}

  BOOL Run() {
    for (size_t i = 0; i < m_layout.nodes.size(); ++i) {
      if (!CheckNode(static_cast<LONG>(i + 1), m_layout.nodes[i])) return FALSE;
    }
    if (TypeOf(m_layout.nClient) != DockingPaneTypeClient) return FALSE;
    // The top container is the root of the docked tree: nobody holds it.
    if (TypeOf(m_layout.nTopContainer) != DockingPaneTypeSplitterContainer) return FALSE;
    if (m_parents[static_cast<size_t>(m_layout.nTopContainer)] != 0) return FALSE;
    return HasNoCycle();
  }

 private:
  LONG TypeOf(LONG nNumber) const {
    if (nNumber < 1 || static_cast<size_t>(nNumber) > m_layout.nodes.size()) return -1;
    return m_layout.nodes[static_cast<size_t>(nNumber - 1)].nType;
  }

  // Records that nParent holds nChild; an object held twice is refused.
  bool Adopt(LONG nParent, LONG nChild) {
    LONG& nSlot = m_parents[static_cast<size_t>(nChild)];
    if (nSlot != 0) return false;
    nSlot = nParent;
    return true;
  }

  void ClearUnlessTabbed(LONG& nHolder) const {
    if (TypeOf(nHolder) != DockingPaneTypeTabbedContainer) nHolder = 0;
  }

  bool CheckNode(LONG nNumber, DockingNodeRecord& node) {
    switch (node.nType) {
      case DockingPaneTypePane:
        ClearUnlessTabbed(node.nDockingHolder);
        ClearUnlessTabbed(node.nFloatingHolder);
        ClearUnlessTabbed(node.nLastHolder);
        return node.nID > 0;
      case DockingPaneTypeMiniWnd:
        return TypeOf(node.nTopContainer) == DockingPaneTypeSplitterContainer && Adopt(nNumber, node.nTopContainer);
      case DockingPaneTypeAutoHidePanel:
        if (node.nDirection < DockingSideLeft || node.nDirection > DockingSideBottom) return false;
        break;
      default:
        break;
    }
    for (LONG nChild : node.children) {
      if (!MayHold(node.nType, TypeOf(nChild)) || !Adopt(nNumber, nChild)) return false;
    }
    return true;
  }

  // With one parent per object, a walk up from any object ends at a root
  // unless it goes round a cycle. Each object is walked once: a walk stops
  // at an object already known to reach a root.
  bool HasNoCycle() const {
    enum : char { kUnknown, kOnPath, kReachesRoot };
    std::vector<char> state(m_parents.size(), kUnknown);
    std::vector<size_t> path;
    for (size_t i = 1; i < m_parents.size(); ++i) {
      path.clear();
      size_t n = i;
      while (n != 0 && state[n] == kUnknown) {
        state[n] = kOnPath;
        path.push_back(n);
        n = static_cast<size_t>(m_parents[n]);
      }
      if (n != 0 && state[n] == kOnPath) return false;
      for (size_t m : path) state[m] = kReachesRoot;
    }
    return true;
  }

  DockingLayoutRecord& m_layout;
  std::vector<LONG> m_parents;  // by object number; 0 for none
};

}  // namespace

BOOL CheckDockingLayout(DockingLayoutRecord& layout) { return CTreeCheck(layout).Run() ? TRUE : FALSE; }
