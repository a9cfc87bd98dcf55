// The list-file library's channel tree on a CJVTreeCtrl: the tree control's
// items are the channel tree's items (handles passed through as they are)
// and each item's data is its owned CChannelRecord, so nothing is held twice.
#pragma once

#include "ChannelTree.h"
#include "TreeCtrl.h"

class CJVChannelTree : public CChannelTree {
 public:
  explicit CJVChannelTree(CJVTreeCtrl& tree) : m_tree(tree) {}
  CJVChannelTree(const CJVChannelTree&) = delete;
  CJVChannelTree& operator=(const CJVChannelTree&) = delete;
  // Frees the records of the items still in the tree, which stay.
  ~CJVChannelTree() override;

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
    return reinterpret_cast<CChannelRecord*>(m_tree.CTreeCtrl::GetItemData(Handle(item)));
  }
  std::string GetItemText(ChannelTreeItem item) const override {
    const CString text = m_tree.GetItemText(Handle(item));
    return std::string(text, text.GetLength());
  }
  void DeleteItem(ChannelTreeItem item) override;
  void DeleteAllItems() override;
  void SetItemColor(ChannelTreeItem item, COLORREF color) override { m_tree.SetItemColor(Handle(item), color); }
  ChannelTreeItem FindItem(const char* text, ChannelTreeItem start) const override;

  static HTREEITEM Handle(ChannelTreeItem item) { return reinterpret_cast<HTREEITEM>(item); }
  static ChannelTreeItem Item(HTREEITEM hItem) { return reinterpret_cast<ChannelTreeItem>(hItem); }

 private:
  void DeleteRecords(HTREEITEM hFirst);

  CJVTreeCtrl& m_tree;
};
