// A pane group whose three trees are tree windows: multi-selection trees
// (CJVTreeCtrl, as in the editor) or plain tree views, each behind its
// channel-tree adapter. For the tests and the benchmark of list reading.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "PaneGroupContext.h"
#include "TreeViewChannelTree.h"

class CTreeWindowPaneGroup : public CPaneGroupContext {
 public:
  // The trees are made side by side in the parent's client area.
  CTreeWindowPaneGroup(CWnd* pParent, BOOL bMultiSelectTrees);

  CChannelTree& GetTree(PaneKind kind) override { return *m_adapters[kind]; }
  int GetGroupIndex() const override { return 0; }
  CChannelClipboard& GetClipboard() override { return m_clipboard; }
  CString GetPendingFileName() const override { return CString(); }
  void ShowMessage(LPCTSTR text) override { m_messages.push_back(text); }

  CTreeCtrl& Window(PaneKind kind) { return *m_windows[kind]; }
  void SetRedraw(BOOL bRedraw);

  CChannelClipboard m_clipboard;
  std::vector<std::string> m_messages;

 private:
  // Declared first: the adapters free their records while the windows exist.
  std::unique_ptr<CTreeCtrl> m_windows[3];
  std::unique_ptr<CTreeViewChannelTree> m_adapters[3];
};
