#include "TreeWalk.h"

namespace {

// Letters of the ANSI code page continue a word; bytes above 0x7F are taken
// as letters, as the accented letters of the Western code pages are.
bool IsWordChar(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}

}  // namespace

ChannelTreeItem GetNextTreeItem(const CChannelTree& tree, ChannelTreeItem item) {
  if (ChannelTreeItem child = tree.GetChildItem(item)) return child;
  for (ChannelTreeItem at = item; at; at = tree.GetParentItem(at)) {
    if (ChannelTreeItem next = tree.GetNextSiblingItem(at)) return next;
  }
  return nullptr;
}

bool ContainsWholeWord(std::string_view label, std::string_view text) {
  if (text.empty()) return false;
  size_t from = 0;
  while (from <= label.size()) {
    const size_t at = label.find(text, from);
    if (at == std::string_view::npos) return false;
    const size_t end = at + text.size();
    const bool startsWord = at == 0 || !IsWordChar(static_cast<unsigned char>(label[at - 1]));
    const bool endsWord = end == label.size() || !IsWordChar(static_cast<unsigned char>(label[end]));
    if (startsWord && endsWord) return true;
    from = end;  // go on behind the occurrence that did not count
  }
  return false;
}

ChannelTreeItem FindWholeWordItem(const CChannelTree& tree, const char* text,
                                  ChannelTreeItem start) {
  if (!text || !*text) return nullptr;
  ChannelTreeItem first = tree.GetRootItem();
  if (!start) start = first;
  if (!start) return nullptr;
  ChannelTreeItem item = start;
  do {
    if (ContainsWholeWord(tree.GetItemText(item), text)) return item;
    item = GetNextTreeItem(tree, item);
    if (!item) item = first;
  } while (item != start);
  return nullptr;
}
