// The readers and writers of a pane group's list files: the channel list
// (".qcx") with its favourites (".fav2"), and the Zenk4 list (".dvb").
// Every operation works on the whole group; mode 0 replaces the group's
// lists, mode 1 appends the file last dropped on the pane to them.
#pragma once

#include <cstdint>
#include <vector>

#include <Framework.h>

#include "ListFile.h"
#include "PaneGroupContext.h"

enum ListReadMode { kReadReplace = 0, kReadAppend = 1 };

// Results of ReadChannelFile and ReadZenk4File.
enum ListReadResult {
  kReadOk = 0,
  kReadCannotOpen = -1,
  kReadBadHeader = -2,
  kReadBadRecord = -5,
};

class CListFileCodec {
 public:
  explicit CListFileCodec(CPaneGroupContext& group, CListFileSystem& files = GetPlatformListFileSystem())
      : m_group(group), m_files(files) {}

  int ReadChannelFile(int mode);
  int ReadFavourites(int mode);
  int ReadZenk4File(int mode);
  // Writes the group's lists to the group's path: ".qcx" (any case) as a
  // channel list with its favourites, any other name as a Zenk4 list. The
  // group stays modified unless every file was written completely.
  void WriteChannelFile();
  void WriteFavourites();

  // The favourites file of a list: the name cut at its last "." followed by
  // ".fav2"; empty when the name has no ".".
  static CString FavouritesFileName(const CString& listPath);

 private:
  struct OutputFile {
    CString path;
    std::vector<uint8_t> bytes;
  };

  CString ReadPath(int mode);
  std::unique_ptr<CListFile> OpenForReading(const CString& path);
  void EncodeChannelList(std::vector<uint8_t>& out);
  void EncodeZenk4List(std::vector<uint8_t>& out);
  void EncodeFavourites(std::vector<uint8_t>& out);
  // Writes each file beside its target and puts them in place only when all
  // were written, so a failed save leaves the files on disk as they were.
  bool SaveFiles(const std::vector<OutputFile>& outputs);
  void ShowCannotWrite(const CString& path, int cause);

  CPaneGroupContext& m_group;
  CListFileSystem& m_files;
};
