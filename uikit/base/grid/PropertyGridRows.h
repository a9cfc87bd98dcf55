// Which items become rows of the property grid's list, and in what order.
// Portable templates over any item type with IsHidden, IsExpanded,
// GetCaption and GetChildren (a collection with GetCount and GetAt): the
// grid's items, and plain records in the tests.
#pragma once

#include <algorithm>
#include <type_traits>
#include <vector>

#include "PropertyGridText.h"

enum { jvkSortCategorized = 0, jvkSortAlphabetical = 1, jvkSortNoSort = 2 };

// The rows of one item: none when hidden; else the item, then, when it is
// expanded, the rows of each child in order.
template <typename Item>
void JVKAppendItemRows(Item* pItem, std::vector<Item*>& rows) {
  if (pItem->IsHidden()) return;
  rows.push_back(pItem);
  if (!pItem->IsExpanded()) return;
  auto* pChildren = pItem->GetChildren();
  for (int i = 0; i < pChildren->GetCount(); ++i) JVKAppendItemRows(pChildren->GetAt(i), rows);
}

// The items whose rows a list in the sort mode begins each run of rows
// with: categorised, the categories; otherwise the children of the visible
// categories in category order, sorted by caption in alphabetical mode
// (equal captions keep their order).
template <typename Items>
auto JVKSortRoots(Items* pCategories, int nMode) {
  using Item = std::remove_pointer_t<decltype(pCategories->GetAt(0))>;
  std::vector<Item*> roots;
  for (int i = 0; i < pCategories->GetCount(); ++i) {
    Item* pCategory = pCategories->GetAt(i);
    if (nMode == jvkSortCategorized) {
      roots.push_back(pCategory);
    } else if (!pCategory->IsHidden()) {
      auto* pChildren = pCategory->GetChildren();
      for (int j = 0; j < pChildren->GetCount(); ++j) roots.push_back(pChildren->GetAt(j));
    }
  }
  if (nMode == jvkSortAlphabetical) {
    std::stable_sort(roots.begin(), roots.end(), [](Item* a, Item* b) {
      return JVKCompareCaptions(a->GetCaption(), b->GetCaption()) < 0;
    });
  }
  return roots;
}

// All rows of a list in the sort mode.
template <typename Items>
auto JVKBuildRows(Items* pCategories, int nMode) {
  auto roots = JVKSortRoots(pCategories, nMode);
  decltype(roots) rows;
  for (auto* pItem : roots) JVKAppendItemRows(pItem, rows);
  return rows;
}
