// Tree walking and label matching shared by the tree implementations.
#pragma once

#include <string_view>

#include "ChannelTree.h"

// The next item in display order: the first child, else the next sibling,
// else the next sibling of the nearest ancestor that has one; null at the end.
ChannelTreeItem GetNextTreeItem(const CChannelTree& tree, ChannelTreeItem item);

// True when label contains text as a whole word, case respected: the
// characters around an occurrence (when present) are neither letters nor "_".
bool ContainsWholeWord(std::string_view label, std::string_view text);

// Calls visit for each root item and then each of its children, in order:
// the order in which the list files store a tree.
template <typename Visit>
void ForEachListItem(const CChannelTree& tree, Visit visit) {
  for (ChannelTreeItem root = tree.GetRootItem(); root; root = tree.GetNextSiblingItem(root)) {
    visit(root);
    if (!tree.ItemHasChildren(root)) continue;
    for (ChannelTreeItem child = tree.GetChildItem(root); child; child = tree.GetNextSiblingItem(child)) visit(child);
  }
}

// FindItem's search over any tree, built on the walk above.
ChannelTreeItem FindWholeWordItem(const CChannelTree& tree, const char* text, ChannelTreeItem start);
