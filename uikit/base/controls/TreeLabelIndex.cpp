#include "TreeLabelIndex.h"

void CJVTreeLabelIndex::Add(Item item, std::string label) {
  m_positions.emplace(item, m_entries.size());
  m_entries.push_back({item, std::move(label)});
}
