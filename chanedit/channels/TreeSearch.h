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

// FindItem's search over any tree, built on the walk above.
ChannelTreeItem FindWholeWordItem(const CChannelTree& tree, const char* text,
                                  ChannelTreeItem start);
