// The list-file library's channel tree on the multi-selection tree: its
// whole-word search and its item colours (red for unresolved favourites).
#pragma once

#include "TreeCtrl.h"
#include "TreeViewChannelTree.h"

class CJVChannelTree : public CTreeViewChannelTree {
 public:
  explicit CJVChannelTree(CJVTreeCtrl& tree) : CTreeViewChannelTree(tree), m_jvTree(tree) {}

  void SetItemColor(ChannelTreeItem item, COLORREF color) override { m_jvTree.SetItemColor(Handle(item), color); }
  ChannelTreeItem FindItem(const char* text, ChannelTreeItem start) const override {
    const HTREEITEM hStart = start ? Handle(start) : m_jvTree.GetRootItem();
    return hStart ? Item(m_jvTree.FindItem(text, TRUE, TRUE, TRUE, hStart)) : nullptr;
  }

 private:
  CJVTreeCtrl& m_jvTree;
};
