// The list-file library's channel tree on a tree-view control: the control's
// items are the channel tree's items (handles passed through as they are)
// and each item's data is its owned CChannelRecord, so nothing is held twice.
// On a plain tree view the search walks the items through this interface and
// item colours are not shown; CJVChannelTree uses the multi-selection tree's
// own search and colours.
#pragma once

#include <Framework.h>

#include "ChannelTree.h"

class CTreeViewChannelTree : public CChannelTree {
 public:
  explicit CTreeViewChannelTree(CTreeCtrl& tree) : m_tree(tree) {}
  CTreeViewChannelTree(const CTreeViewChannelTree&) = delete;
  CTreeViewChannelTree& operator=(const CTreeViewChannelTree&) = delete;
  // Frees the records of the items still in the tree, which stay.
  ~CTreeViewChannelTree() override;

  ChannelTreeItem InsertItem(ChannelTreeInsert insert) override;
  int GetCount() const override { return static_cast<int>(m_tree.GetCount()); }
  ChannelTreeItem GetRootItem() const override { return Item(m_tree.GetRootItem()); }
  ChannelTreeItem GetChildItem(ChannelTreeItem item) const override { return Item(m_tree.GetChildItem(Handle(item))); }
  ChannelTreeItem GetNextSiblingItem(ChannelTreeItem item) const override {
    return Item(m_tree.GetNextSiblingItem(Handle(item)));
  }
  ChannelTreeItem GetParentItem(ChannelTreeItem item) const override {
    return Item(m_tree.GetParentItem(Handle(item)));
  }
  bool ItemHasChildren(ChannelTreeItem item) const override { return m_tree.GetChildItem(Handle(item)) != nullptr; }
  CChannelRecord* GetItemData(ChannelTreeItem item) const override {
    return reinterpret_cast<CChannelRecord*>(m_tree.GetItemData(Handle(item)));
  }
  std::string GetItemText(ChannelTreeItem item) const override;
  void DeleteItem(ChannelTreeItem item) override;
  void DeleteAllItems() override;
  void SetItemColor(ChannelTreeItem, COLORREF) override {}
  ChannelTreeItem FindItem(const char* text, ChannelTreeItem start) const override;

  static HTREEITEM Handle(ChannelTreeItem item) { return reinterpret_cast<HTREEITEM>(item); }
  static ChannelTreeItem Item(HTREEITEM hItem) { return reinterpret_cast<ChannelTreeItem>(hItem); }

 private:
  void DeleteRecords(HTREEITEM hFirst);

  CTreeCtrl& m_tree;
};
