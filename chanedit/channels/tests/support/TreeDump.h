// A tree as lines of text, so that tests compare whole trees at once:
// "Astra" for a root, "  ZDF" for a child; with details, the image, bold
// state, the record's service kind and a red colour are added.
#pragma once

#include <string>
#include <vector>

#include "MemoryChannelTree.h"

inline std::vector<std::string> DumpTree(const CMemoryChannelTree& tree, bool details = false) {
  std::vector<std::string> lines;
  for (ChannelTreeItem item : tree.Items()) {
    std::string line = tree.GetParentItem(item) ? "  " : "";
    line += tree.GetItemText(item);
    if (details) {
      line += " img" + std::to_string(tree.GetItemImage(item)) + "/" + std::to_string(tree.GetItemSelectedImage(item));
      if (tree.GetItemBold(item)) line += " bold";
      line += " kind" + std::to_string(tree.GetItemData(item)->m_record.serviceKind);
      if (tree.GetItemColor(item) != static_cast<COLORREF>(-1))
        line += " colour" + std::to_string(tree.GetItemColor(item));
    }
    lines.push_back(line);
  }
  return lines;
}

using Lines = std::vector<std::string>;
