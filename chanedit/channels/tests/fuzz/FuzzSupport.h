// Shared by the list-reader fuzz targets: a pane group over in-memory files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "ListFileCodec.h"
#include "MemoryListFileSystem.h"
#include "TestPaneGroup.h"
#include "TreeWalk.h"

struct FuzzGroup {
  FuzzGroup(const char* path) : codec(group, disk) { group.clipboard.files[0].path = path; }
  CTestPaneGroup group;
  CMemoryListFileSystem disk;
  CListFileCodec codec;
};

// Aborts (a finding) when a condition that must hold does not.
inline void FuzzCheck(bool condition) {
  if (!condition) std::abort();
}

// The channel items of a TV or Radio tree (providers left out).
inline int CountChannels(const CChannelTree& tree) {
  int channels = 0;
  ForEachListItem(tree, [&](ChannelTreeItem item) { channels += tree.GetItemData(item)->m_record.itemType != 0; });
  return channels;
}
