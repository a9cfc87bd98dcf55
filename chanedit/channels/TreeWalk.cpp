#include "TreeWalk.h"

namespace {

// The letters of the Western ANSI code page above 0x7F: the accented capitals
// and small letters (bar the multiplication and division signs) and the few
// others it holds, such as f-hook, S and Z with caron, OE, Y diaeresis, the
// ordinal indicators and micro. Its dashes, quotes, symbols and the no-break
// space are no letters.
bool IsHighLetter(unsigned char c) {
  switch (c) {
    case 0x83:
    case 0x88:
    case 0x8A:
    case 0x8C:
    case 0x8E:
    case 0x9A:
    case 0x9C:
    case 0x9E:
    case 0x9F:
    case 0xAA:
    case 0xB5:
    case 0xBA: return true;
    default: return c >= 0xC0 && c != 0xD7 && c != 0xF7;
  }
}

// Letters and "_" continue a word; digits, blanks and other signs end it.
bool IsWordChar(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || (c >= 0x80 && IsHighLetter(c));
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

ChannelTreeItem FindWholeWordItem(const CChannelTree& tree, const char* text, ChannelTreeItem start) {
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
