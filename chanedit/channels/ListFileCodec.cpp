#include "ListFileCodec.h"

#include <cstring>

#include "ChannelTreeBuilder.h"
#include "FixChannelRecord.h"
#include "PathName.h"
#include "TreeWalk.h"
#include "Zenk4Conversion.h"

namespace {

const char kCannotOpen[] = "Can't open file %s";
const char kBadHeader[] = "Error reading DVB_CHANNEL_HEADER";
const char kBadRecord[] = "Error reading DVB_CHANNELS from file";
const char kCannotWrite[] = "File %s could not be opened. Cause %d";

// Beside the target, so that putting it in place is a rename on one volume.
const char kTemporarySuffix[] = ".tmp";

template <typename T>
void Append(std::vector<uint8_t>& out, const T& value) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(&value);
  out.insert(out.end(), bytes, bytes + sizeof(T));
}

}  // namespace

CString CListFileCodec::FavouritesFileName(const CString& listPath) {
  const int dot = listPath.ReverseFind('.');
  if (dot < 0) return CString();
  return listPath.Left(dot) + ".fav2";
}

CString CListFileCodec::ReadPath(int mode) {
  return mode == kReadAppend ? m_group.GetPendingFileName() : m_group.GetFileEntry().path;
}

std::unique_ptr<CListFile> CListFileCodec::OpenForReading(const CString& path) {
  int cause = kFileCauseNone;
  std::unique_ptr<CListFile> file = m_files.OpenRead(path, &cause);
  if (!file) {
    CString text;
    text.Format(kCannotOpen, static_cast<LPCTSTR>(path));
    m_group.ShowMessage(text);
  }
  return file;
}

int CListFileCodec::ReadChannelFile(int mode) {
  std::unique_ptr<CListFile> file = OpenForReading(ReadPath(mode));
  if (!file) return kReadCannotOpen;

  DVB_CHANNEL_HEADER header;
  if (file->Read(&header, sizeof(header)) != sizeof(header)) {
    m_group.ShowMessage(kBadHeader);
    return kReadBadHeader;
  }
  CChannelTree& tv = m_group.GetTree(kPaneTv);
  CChannelTree& radio = m_group.GetTree(kPaneRadio);
  if (mode == kReadReplace) {
    DeleteAllTreeItems(tv);
    DeleteAllTreeItems(radio);
  }

  // The counts are only trusted as far as the file goes: one record is read
  // at a time, and the end of the data ends the list. They are added in 64
  // bits: counts whose sum wraps at 32 bits (0xFFFFFFFF and 1) would read as
  // an empty list, and a save would then empty the file.
  const uint64_t count = uint64_t{header.tvCount} + header.radioCount + header.thirdCount;
  CChannelTreeBuilder builder(tv, radio);
  for (uint64_t i = 0; i < count; ++i) {
    DVB_CHANNELS record;
    if (file->Read(&record, sizeof(record)) != sizeof(record)) {
      m_group.ShowMessage(kBadRecord);
      // What was read stays, and so must the favourites that belong to this
      // list: left out, the tree would keep the previous list's favourites
      // (or none), and the next save would write those over this list's.
      file.reset();
      ReadFavourites(mode);
      return kReadBadRecord;
    }
    builder.Add(*FixChannelRecord(&record));
  }
  builder.Finish();
  file.reset();
  ReadFavourites(mode);
  return kReadOk;
}

void CListFileCodec::EncodeChannelList(std::vector<uint8_t>& out) {
  const CChannelTree& tv = m_group.GetTree(kPaneTv);
  const CChannelTree& radio = m_group.GetTree(kPaneRadio);
  out.resize(sizeof(DVB_CHANNEL_HEADER));
  uint32_t counts[2] = {0, 0};
  const CChannelTree* trees[2] = {&tv, &radio};
  for (int t = 0; t < 2; ++t) {
    ForEachListItem(*trees[t], [&](ChannelTreeItem item) {
      Append(out, trees[t]->GetItemData(item)->m_record);
      ++counts[t];
    });
  }
  // The counts are those of the records written, which are the items of the
  // two-level trees.
  const DVB_CHANNEL_HEADER header = {counts[0], counts[1], 0};
  std::memcpy(out.data(), &header, sizeof(header));
}

void CListFileCodec::EncodeZenk4List(std::vector<uint8_t>& out) {
  for (PaneKind kind : {kPaneTv, kPaneRadio}) {
    const CChannelTree& tree = m_group.GetTree(kind);
    ForEachListItem(tree, [&](ChannelTreeItem item) {
      Zenk4Record record;
      ChannelToZenk4(&tree.GetItemData(item)->m_record, &record);
      Append(out, record);
    });
  }
}

void CListFileCodec::WriteChannelFile() {
  ListFileEntry& entry = m_group.GetFileEntry();
  const CString path = entry.path;
  std::vector<OutputFile> outputs(1);
  outputs[0].path = path;
  if (CPathName(path, FALSE).GetExtension().CompareNoCase(".qcx") == 0) {
    EncodeChannelList(outputs[0].bytes);
    const CString favourites = FavouritesFileName(path);
    if (!favourites.IsEmpty()) {
      outputs.push_back({favourites, {}});
      EncodeFavourites(outputs.back().bytes);
    }
  } else {
    EncodeZenk4List(outputs[0].bytes);
  }
  // The group counts as saved only once its lists are on disk.
  if (SaveFiles(outputs)) entry.modified = 0;
}

void CListFileCodec::ShowCannotWrite(const CString& path, int cause) {
  CString text;
  text.Format(kCannotWrite, static_cast<LPCTSTR>(path), cause);
  m_group.ShowMessage(text);
}

bool CListFileCodec::SaveFiles(const std::vector<OutputFile>& outputs) {
  std::vector<CString> written;
  auto discard = [&] {
    for (const CString& temporary : written) m_files.Remove(temporary);
  };
  for (const OutputFile& output : outputs) {
    if (output.path.IsEmpty()) {  // a group without a file has nowhere to go
      ShowCannotWrite(output.path, kFileCauseBadPath);
      discard();
      return false;
    }
    const CString temporary = output.path + kTemporarySuffix;
    int cause = kFileCauseNone;
    std::unique_ptr<CListFile> file = m_files.CreateExclusive(temporary, &cause);
    if (!file) {
      ShowCannotWrite(output.path, cause);
      discard();
      return false;
    }
    written.push_back(temporary);
    const bool ok = (output.bytes.empty() ||
                     file->Write(output.bytes.data(), static_cast<uint32_t>(output.bytes.size()), &cause)) &&
                    file->Close(&cause);
    file.reset();
    if (!ok) {
      ShowCannotWrite(output.path, cause);
      discard();
      return false;
    }
  }
  for (size_t i = 0; i < outputs.size(); ++i) {
    int cause = kFileCauseNone;
    if (!m_files.Replace(written[i], outputs[i].path, &cause)) {
      ShowCannotWrite(outputs[i].path, cause);
      for (size_t j = i; j < written.size(); ++j) m_files.Remove(written[j]);
      return false;
    }
  }
  return true;
}
