// What the list readers and writers need of one channel tree (TV, Radio or
// Fav.). The editor's tree control implements it; tests use an in-memory one.
// Every item owns the CChannelRecord given at insertion and deletes it with
// the item.
#pragma once

#include <memory>
#include <string>

#include <WinTypes.h>

#include "ChannelRecord.h"

struct ChannelTreeItemTag;
using ChannelTreeItem = ChannelTreeItemTag*;  // null: none / the root

// Images of the channel trees' image list.
enum ChannelTreeImage {
  kImageProvider = 0,
  kImageChannel = 1,
  kImageSelectedChannel = 2,
  kImageScrambled = 3,
  kImageFavouriteRadio = 4,
};

// One insertion, always as the last child of parent (root when null).
struct ChannelTreeInsert {
  ChannelTreeItem parent = nullptr;
  std::string text;
  int image = 0;
  int selectedImage = 0;
  bool bold = false;                       // providers are shown bold
  std::unique_ptr<CChannelRecord> record;  // owned by the item from now on
};

class CChannelTree {
 public:
  virtual ~CChannelTree() = default;

  virtual ChannelTreeItem InsertItem(ChannelTreeInsert insert) = 0;
  virtual int GetCount() const = 0;
  virtual ChannelTreeItem GetRootItem() const = 0;  // the first root item
  virtual ChannelTreeItem GetChildItem(ChannelTreeItem item) const = 0;
  virtual ChannelTreeItem GetNextSiblingItem(ChannelTreeItem item) const = 0;
  virtual ChannelTreeItem GetParentItem(ChannelTreeItem item) const = 0;
  virtual bool ItemHasChildren(ChannelTreeItem item) const = 0;
  virtual CChannelRecord* GetItemData(ChannelTreeItem item) const = 0;
  virtual std::string GetItemText(ChannelTreeItem item) const = 0;
  // Deletes the item, its descendants and their records.
  virtual void DeleteItem(ChannelTreeItem item) = 0;
  // Deletes every item with its record (with redrawing off in a window).
  virtual void DeleteAllItems() = 0;
  virtual void SetItemColor(ChannelTreeItem item, COLORREF color) = 0;
  // The first item from start on, start included, searching downwards and
  // wrapping to the first item, whose label contains text as a whole word
  // with case respected; null when the search comes back to start, and for
  // an empty text.
  virtual ChannelTreeItem FindItem(const char* text, ChannelTreeItem start) const = 0;
};

// Empties a tree and frees every record object it held.
inline void DeleteAllTreeItems(CChannelTree& tree) {
  if (tree.GetCount() > 0) tree.DeleteAllItems();
}
