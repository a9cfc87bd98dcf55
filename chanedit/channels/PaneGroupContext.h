// What the list readers and writers need of a pane group: its three trees,
// its list-file entry, the file last dropped on the pane, and a way to show
// the user a message. The editor's tree pane provides it.
#pragma once

#include <Framework.h>

#include "ChannelClipboard.h"
#include "ChannelTree.h"

enum PaneKind { kPaneTv = 0, kPaneRadio = 1, kPaneFav = 2 };

class CPaneGroupContext {
 public:
  virtual ~CPaneGroupContext() = default;

  virtual CChannelTree& GetTree(PaneKind kind) = 0;
  virtual int GetGroupIndex() const = 0;  // 0 to 3
  virtual CChannelClipboard& GetClipboard() = 0;
  // The list file last dropped on the pane; append mode reads it.
  virtual CString GetPendingFileName() const = 0;
  // A message box with an OK button.
  virtual void ShowMessage(LPCTSTR text) = 0;

  ListFileEntry& GetFileEntry() {
    const int group = GetGroupIndex();
    ENSURE_ARG(group >= 0 && group < CChannelClipboard::kGroupCount);
    return GetClipboard().files[group];
  }
};
