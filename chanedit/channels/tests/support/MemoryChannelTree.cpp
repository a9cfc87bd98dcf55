#include "MemoryChannelTree.h"

#include <algorithm>
#include <stdexcept>

#include "TreeWalk.h"

struct CMemoryChannelTree::Node {
  Node* parent = nullptr;
  std::string text;
  int image = 0;
  int selectedImage = 0;
  bool bold = false;
  COLORREF color = static_cast<COLORREF>(-1);
  std::unique_ptr<CChannelRecord> record;
  std::vector<std::unique_ptr<Node>> children;
};

CMemoryChannelTree::CMemoryChannelTree() = default;
CMemoryChannelTree::~CMemoryChannelTree() = default;

ChannelTreeItem CMemoryChannelTree::InsertItem(ChannelTreeInsert insert) {
  auto node = std::make_unique<Node>();
  node->parent = AsNode(insert.parent);
  node->text = std::move(insert.text);
  node->image = insert.image;
  node->selectedImage = insert.selectedImage;
  node->bold = insert.bold;
  node->record = std::move(insert.record);
  Node* raw = node.get();
  (raw->parent ? raw->parent->children : m_roots).push_back(std::move(node));
  ++m_count;
  return AsItem(raw);
}

ChannelTreeItem CMemoryChannelTree::GetRootItem() const {
  return m_roots.empty() ? nullptr : AsItem(m_roots.front().get());
}

ChannelTreeItem CMemoryChannelTree::GetChildItem(ChannelTreeItem item) const {
  const Node* node = AsNode(item);
  return node && !node->children.empty() ? AsItem(node->children.front().get()) : nullptr;
}

ChannelTreeItem CMemoryChannelTree::GetNextSiblingItem(ChannelTreeItem item) const {
  const Node* node = AsNode(item);
  if (!node) return nullptr;
  const auto& siblings = node->parent ? node->parent->children : m_roots;
  for (size_t i = 0; i + 1 < siblings.size(); ++i)
    if (siblings[i].get() == node) return AsItem(siblings[i + 1].get());
  return nullptr;
}

ChannelTreeItem CMemoryChannelTree::GetParentItem(ChannelTreeItem item) const {
  const Node* node = AsNode(item);
  return node ? AsItem(node->parent) : nullptr;
}

bool CMemoryChannelTree::ItemHasChildren(ChannelTreeItem item) const {
  const Node* node = AsNode(item);
  return node && !node->children.empty();
}

CChannelRecord* CMemoryChannelTree::GetItemData(ChannelTreeItem item) const { return AsNode(item)->record.get(); }

std::string CMemoryChannelTree::GetItemText(ChannelTreeItem item) const { return AsNode(item)->text; }

int CMemoryChannelTree::CountSubtree(const Node* node) const {
  int count = 1;
  for (const auto& child : node->children) count += CountSubtree(child.get());
  return count;
}

void CMemoryChannelTree::DeleteItem(ChannelTreeItem item) {
  Node* node = AsNode(item);
  if (!node) throw std::invalid_argument("no item to delete");
  auto& siblings = node->parent ? node->parent->children : m_roots;
  auto it = std::find_if(siblings.begin(), siblings.end(),
                         [node](const std::unique_ptr<Node>& n) { return n.get() == node; });
  if (it == siblings.end()) throw std::invalid_argument("item of another tree");
  m_count -= CountSubtree(node);
  siblings.erase(it);
}

void CMemoryChannelTree::DeleteAllItems() {
  m_roots.clear();
  m_count = 0;
}

void CMemoryChannelTree::SetItemColor(ChannelTreeItem item, COLORREF color) { AsNode(item)->color = color; }

ChannelTreeItem CMemoryChannelTree::FindItem(const char* text, ChannelTreeItem start) const {
  return FindWholeWordItem(*this, text, start);
}

COLORREF CMemoryChannelTree::GetItemColor(ChannelTreeItem item) const { return AsNode(item)->color; }

int CMemoryChannelTree::GetItemImage(ChannelTreeItem item) const { return AsNode(item)->image; }

int CMemoryChannelTree::GetItemSelectedImage(ChannelTreeItem item) const { return AsNode(item)->selectedImage; }

bool CMemoryChannelTree::GetItemBold(ChannelTreeItem item) const { return AsNode(item)->bold; }

std::vector<ChannelTreeItem> CMemoryChannelTree::Items() const {
  std::vector<ChannelTreeItem> items;
  for (ChannelTreeItem item = GetRootItem(); item; item = GetNextTreeItem(*this, item)) items.push_back(item);
  return items;
}
