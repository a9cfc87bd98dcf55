#include "TreeWindowPaneGroup.h"

#include "JVChannelTree.h"

CTreeWindowPaneGroup::CTreeWindowPaneGroup(CWnd* pParent, BOOL bMultiSelectTrees) {
  m_clipboard.SetSize(50, 10);
  CRect rcClient;
  pParent->GetClientRect(&rcClient);
  const int cx = rcClient.Width() / 3;
  for (int kind = 0; kind < 3; ++kind) {
    const CRect rc(kind * cx, 0, (kind + 1) * cx, rcClient.bottom);
    const DWORD dwStyle = WS_CHILD | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    if (bMultiSelectTrees) {
      auto tree = std::make_unique<CJVTreeCtrl>();
      tree->Create(dwStyle, rc, pParent, 200 + kind);
      tree->SetMultiSelect(TRUE);
      m_adapters[kind] = std::make_unique<CJVChannelTree>(*tree);
      m_windows[kind] = std::move(tree);
    } else {
      m_windows[kind] = std::make_unique<CTreeCtrl>();
      m_windows[kind]->Create(dwStyle, rc, pParent, 200 + kind);
      m_adapters[kind] = std::make_unique<CTreeViewChannelTree>(*m_windows[kind]);
    }
  }
}

void CTreeWindowPaneGroup::SetRedraw(BOOL bRedraw) {
  for (auto& window : m_windows) {
    window->SetRedraw(bRedraw);
    if (bRedraw) window->Invalidate();
  }
}
