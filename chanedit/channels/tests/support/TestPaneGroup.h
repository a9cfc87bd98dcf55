// A pane group for tests: three in-memory trees, a clipboard with the
// editor's start-up sizes, and the messages the user would have seen.
#pragma once

#include <string>
#include <vector>

#include "MemoryChannelTree.h"
#include "PaneGroupContext.h"

class CTestPaneGroup : public CPaneGroupContext {
 public:
  explicit CTestPaneGroup(int group = 0) : m_group(group) { clipboard.SetSize(50, 10); }

  CChannelTree& GetTree(PaneKind kind) override { return trees[kind]; }
  int GetGroupIndex() const override { return m_group; }
  CChannelClipboard& GetClipboard() override { return clipboard; }
  CString GetPendingFileName() const override { return pendingFileName; }
  void ShowMessage(LPCTSTR text) override { messages.push_back(text); }

  CMemoryChannelTree& tv() { return trees[kPaneTv]; }
  CMemoryChannelTree& radio() { return trees[kPaneRadio]; }
  CMemoryChannelTree& fav() { return trees[kPaneFav]; }

  CMemoryChannelTree trees[3];
  CChannelClipboard clipboard;
  CString pendingFileName;
  std::vector<std::string> messages;

 private:
  int m_group;
};
