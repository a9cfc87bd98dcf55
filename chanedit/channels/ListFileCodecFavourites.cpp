// The favourites side of the list codec: ".fav2" files of 42-byte entries.
#include <cstring>

#include "FindChannelByIds.h"
#include "ListFileCodec.h"
#include "TreeWalk.h"

namespace {

// The red of a favourite that matches no channel of the lists.
const COLORREF kUnmatchedColour = 255;

}  // namespace

int CListFileCodec::ReadFavourites(int mode) {
  const CString listPath = ReadPath(mode);
  CChannelTree& fav = m_group.GetTree(kPaneFav);
  if (mode == kReadReplace) DeleteAllTreeItems(fav);

  const CString path = FavouritesFileName(listPath);
  if (path.IsEmpty()) return 0;
  int cause = kFileCauseNone;
  std::unique_ptr<CListFile> file = m_files.OpenRead(path, &cause);
  if (!file) return 0;
  if (file->GetLength() % sizeof(FavouriteEntry) != 0) return 0;

  const CChannelTree& tv = m_group.GetTree(kPaneTv);
  const CChannelTree& radio = m_group.GetTree(kPaneRadio);
  ChannelTreeItem parent = nullptr;
  FavouriteEntry entry;
  while (file->Read(&entry, sizeof(entry)) == sizeof(entry)) {
    auto record = std::make_unique<CChannelRecord>(&entry);
    ChannelTreeInsert insert;
    insert.text.assign(entry.name, strnlen(entry.name, sizeof(entry.name)));
    if (entry.itemType == 0) {
      insert.image = insert.selectedImage = kImageProvider;
      insert.bold = true;
      insert.record = std::move(record);
      parent = fav.InsertItem(std::move(insert));
      continue;
    }
    const bool found = FindChannelByIds(tv, radio, record.get()) != 0;
    const DVB_CHANNELS& r = record->m_record;
    insert.parent = parent;
    insert.image = r.scrambled ? kImageScrambled : r.serviceKind == 1 ? kImageChannel : kImageFavouriteRadio;
    insert.selectedImage = kImageSelectedChannel;
    insert.record = std::move(record);
    const ChannelTreeItem item = fav.InsertItem(std::move(insert));
    if (!found) fav.SetItemColor(item, kUnmatchedColour);
  }
  return 0;
}

void CListFileCodec::EncodeFavourites(std::vector<uint8_t>& out) {
  const CChannelTree& fav = m_group.GetTree(kPaneFav);
  auto append = [&](ChannelTreeItem item) {
    FavouriteEntry entry;
    fav.GetItemData(item)->GetFavouriteEntry(&entry);
    const auto* bytes = reinterpret_cast<const uint8_t*>(&entry);
    out.insert(out.end(), bytes, bytes + sizeof(entry));
  };
  ForEachListItem(fav, append);
}

void CListFileCodec::WriteFavourites() {
  const CString path = FavouritesFileName(m_group.GetFileEntry().path);
  if (path.IsEmpty()) return;
  std::vector<OutputFile> outputs(1);
  outputs[0].path = path;
  EncodeFavourites(outputs[0].bytes);
  SaveFiles(outputs);
}
