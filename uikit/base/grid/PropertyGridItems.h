// CJVKPropertyGridItems: an ordered collection of property grid items that
// holds one reference to each (the categories of a view, the children of an
// item). Reference counted itself.
#pragma once

#include <Framework.h>

class CJVKPropertyGridItem;

class CJVKPropertyGridItems : public CCmdTarget {
 public:
  CJVKPropertyGridItems() = default;
  ~CJVKPropertyGridItems() override;
  CJVKPropertyGridItems(const CJVKPropertyGridItems&) = delete;
  CJVKPropertyGridItems& operator=(const CJVKPropertyGridItems&) = delete;

  int GetCount() const { return static_cast<int>(m_arrItems.GetSize()); }
  // Null out of range.
  CJVKPropertyGridItem* GetAt(int nIndex) const;
  // Depth first: each item, then its children; null when none has the id.
  CJVKPropertyGridItem* FindItem(UINT nID) const;
  // Detaches and releases every item. While it runs the view shows nothing
  // (its update lock is raised) and rebuilds its list afterwards.
  void Clear();
  // By caption, in the code page's order (equal captions keep their order).
  void Sort();
  // Appends every item of pItems, adding a reference to each.
  void AddTail(const CJVKPropertyGridItems* pItems);

  // Takes over the caller's reference; an index out of range appends.
  void InsertAt(int nIndex, CJVKPropertyGridItem* pItem);
  // Gives the collection's reference back to the caller.
  CJVKPropertyGridItem* RemoveAt(int nIndex);
  int IndexOf(const CJVKPropertyGridItem* pItem) const;

 private:
  CArray<CJVKPropertyGridItem*, CJVKPropertyGridItem*> m_arrItems;
};
