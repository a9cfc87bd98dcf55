// A channel tree held in memory, with the ownership and search rules of the
// editor's tree control, for tests and fuzz targets.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "ChannelTree.h"

class CMemoryChannelTree : public CChannelTree {
 public:
  CMemoryChannelTree();
  CMemoryChannelTree(const CMemoryChannelTree&) = delete;
  CMemoryChannelTree& operator=(const CMemoryChannelTree&) = delete;
  ~CMemoryChannelTree() override;

  ChannelTreeItem InsertItem(ChannelTreeInsert insert) override;
  int GetCount() const override { return m_count; }
  ChannelTreeItem GetRootItem() const override;
  ChannelTreeItem GetChildItem(ChannelTreeItem item) const override;
  ChannelTreeItem GetNextSiblingItem(ChannelTreeItem item) const override;
  ChannelTreeItem GetParentItem(ChannelTreeItem item) const override;
  bool ItemHasChildren(ChannelTreeItem item) const override;
  CChannelRecord* GetItemData(ChannelTreeItem item) const override;
  std::string GetItemText(ChannelTreeItem item) const override;
  void DeleteItem(ChannelTreeItem item) override;
  void DeleteAllItems() override;
  void SetItemColor(ChannelTreeItem item, COLORREF color) override;
  ChannelTreeItem FindItem(const char* text, ChannelTreeItem start) const override;

  // For tests: what a window would show.
  COLORREF GetItemColor(ChannelTreeItem item) const;  // (COLORREF)-1 when none
  int GetItemImage(ChannelTreeItem item) const;
  int GetItemSelectedImage(ChannelTreeItem item) const;
  bool GetItemBold(ChannelTreeItem item) const;
  // Items in display order.
  std::vector<ChannelTreeItem> Items() const;

 private:
  struct Node;
  static Node* AsNode(ChannelTreeItem item) { return reinterpret_cast<Node*>(item); }
  static ChannelTreeItem AsItem(Node* node) { return reinterpret_cast<ChannelTreeItem>(node); }
  int CountSubtree(const Node* node) const;

  std::vector<std::unique_ptr<Node>> m_roots;
  int m_count = 0;
};
