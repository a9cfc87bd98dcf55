#include "TreeViewChannelTree.h"

#include "TreeWalk.h"

CTreeViewChannelTree::~CTreeViewChannelTree() {
  if (::IsWindow(m_tree.GetSafeHwnd())) DeleteRecords(m_tree.GetRootItem());
}

ChannelTreeItem CTreeViewChannelTree::InsertItem(ChannelTreeInsert insert) {
  TVINSERTSTRUCT tvis = {};
  tvis.hParent = insert.parent ? Handle(insert.parent) : TVI_ROOT;
  tvis.hInsertAfter = TVI_LAST;
  tvis.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE | TVIF_PARAM;
  tvis.item.pszText = const_cast<LPTSTR>(insert.text.c_str());
  tvis.item.iImage = insert.image;
  tvis.item.iSelectedImage = insert.selectedImage;
  tvis.item.state = insert.bold ? TVIS_BOLD : 0;
  tvis.item.stateMask = TVIS_BOLD;
  tvis.item.lParam = reinterpret_cast<LPARAM>(insert.record.get());
  const HTREEITEM hItem = m_tree.InsertItem(&tvis);
  if (hItem) insert.record.release();  // the item owns it now
  return Item(hItem);
}

std::string CTreeViewChannelTree::GetItemText(ChannelTreeItem item) const {
  // Labels of list records hold at most 32 characters.
  char text[64] = {};
  TVITEM tvi = {};
  tvi.mask = TVIF_TEXT;
  tvi.hItem = Handle(item);
  tvi.pszText = text;
  tvi.cchTextMax = sizeof(text);
  if (!m_tree.GetItem(&tvi)) return std::string();
  return std::string(tvi.pszText);
}

// Frees the records of hFirst, its following siblings and all their
// descendants, and clears the items' data.
void CTreeViewChannelTree::DeleteRecords(HTREEITEM hFirst) {
  for (HTREEITEM hItem = hFirst; hItem; hItem = m_tree.GetNextSiblingItem(hItem)) {
    DeleteRecords(m_tree.GetChildItem(hItem));
    delete reinterpret_cast<CChannelRecord*>(m_tree.GetItemData(hItem));
    m_tree.SetItemData(hItem, 0);
  }
}

void CTreeViewChannelTree::DeleteItem(ChannelTreeItem item) {
  const HTREEITEM hItem = Handle(item);
  DeleteRecords(m_tree.GetChildItem(hItem));
  delete GetItemData(item);
  m_tree.DeleteItem(hItem);
}

void CTreeViewChannelTree::DeleteAllItems() {
  if (m_tree.GetCount() == 0) return;
  m_tree.SetRedraw(FALSE);
  DeleteRecords(m_tree.GetRootItem());
  m_tree.DeleteAllItems();
  m_tree.SetRedraw(TRUE);
  m_tree.Invalidate();
}

ChannelTreeItem CTreeViewChannelTree::FindItem(const char* text, ChannelTreeItem start) const {
  return FindWholeWordItem(*this, text, start);
}
