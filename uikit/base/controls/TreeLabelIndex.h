// The labels of a tree's items in display order (hidden items included), so
// that a text search runs over memory instead of asking the control for each
// label: the editor's favourites are resolved by a whole-word search through
// trees of thousands of channels, once per favourite. The tree control fills
// it on the first search after a change of its items or labels. Portable.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "TreeFindText.h"

class CJVTreeLabelIndex {
 public:
  using Item = const void*;

  void Invalidate() {
    m_bValid = false;
    // Cheap when already empty: emptying a tree invalidates once per item.
    if (m_entries.empty()) return;
    m_entries.clear();
    m_positions.clear();
  }
  bool IsValid() const { return m_bValid; }
  // Items in display order; then Finish.
  void Add(Item item, std::string label);
  void Finish() { m_bValid = true; }
  size_t GetCount() const { return m_entries.size(); }

  // The first item from start on (start included), downwards or upwards and
  // wrapping once round, whose label matches and that accept takes; null
  // when none does, for an empty text, or when start is not indexed.
  template <typename Accept>
  Item Find(std::string_view text, bool bMatchCase, bool bDown, bool bWholeWord, Item start,
            const CJVTreeCharSet& charSet, Accept accept) const {
    const auto at = m_positions.find(start);
    if (text.empty() || at == m_positions.end()) return nullptr;
    const size_t count = m_entries.size();
    for (size_t step = 0, pos = at->second; step < count; ++step) {
      const Entry& entry = m_entries[pos];
      if (JVTreeLabelMatches(entry.label, text, bMatchCase, bWholeWord, charSet) && accept(entry.item))
        return entry.item;
      pos = bDown ? (pos + 1 == count ? 0 : pos + 1) : (pos == 0 ? count - 1 : pos - 1);
    }
    return nullptr;
  }

 private:
  struct Entry {
    Item item;
    std::string label;
  };
  std::vector<Entry> m_entries;
  std::unordered_map<Item, size_t> m_positions;
  bool m_bValid = false;
};
