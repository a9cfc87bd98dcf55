#include "JVChannelTree.h"

CJVChannelTree::~CJVChannelTree() {
  if (::IsWindow(m_tree.GetSafeHwnd())) DeleteRecords(m_tree.GetRootItem());
}

ChannelTreeItem CJVChannelTree::InsertItem(ChannelTreeInsert insert) {
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

// Frees the records of hFirst, its following siblings and all their
// descendants (and clears the items' data).
void CJVChannelTree::DeleteRecords(HTREEITEM hFirst) {
  for (HTREEITEM hItem = hFirst; hItem; hItem = m_tree.GetNextSiblingItem(hItem)) {
    DeleteRecords(m_tree.GetChildItem(hItem));
    delete reinterpret_cast<CChannelRecord*>(m_tree.CTreeCtrl::GetItemData(hItem));
    m_tree.SetItemData(hItem, 0);
  }
}

void CJVChannelTree::DeleteItem(ChannelTreeItem item) {
  const HTREEITEM hItem = Handle(item);
  DeleteRecords(m_tree.GetChildItem(hItem));
  delete GetItemData(item);
  m_tree.CTreeCtrl::DeleteItem(hItem);
}

void CJVChannelTree::DeleteAllItems() {
  if (m_tree.GetCount() == 0) return;
  m_tree.SetRedraw(FALSE);
  DeleteRecords(m_tree.GetRootItem());
  m_tree.CTreeCtrl::DeleteAllItems();
  m_tree.SetRedraw(TRUE);
  m_tree.Invalidate();
}

ChannelTreeItem CJVChannelTree::FindItem(const char* text, ChannelTreeItem start) const {
  const HTREEITEM hStart = start ? Handle(start) : m_tree.GetRootItem();
  if (!hStart) return nullptr;
  return Item(m_tree.FindItem(text, TRUE, TRUE, TRUE, hStart));
}
