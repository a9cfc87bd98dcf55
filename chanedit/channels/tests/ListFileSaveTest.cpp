// Saving never loses what is on disk or in the editor: the group stays
// modified until every file is written, and a failed save leaves the old
// files as they were.
#include <gtest/gtest.h>

#include <functional>

#include "ListFileCodec.h"
#include "ListFixtures.h"
#include "MemoryListFileSystem.h"
#include "TestPaneGroup.h"

using namespace fixtures;

namespace {

const char kList[] = "D:\\lists\\astra.qcx";
const char kFav[] = "D:\\lists\\astra.fav2";

class ListFileSave : public testing::Test {
 protected:
  ListFileSave() : codec(group, disk) {
    entry().path = kList;
    entry().hasFile = 1;
    oldList = QcxFile(2, 0, 0, {Provider("Old"), Channel("Old channel", 1)});
    oldFav = FavFile({Favourite("Old fav", 0)});
    disk.files[kList] = oldList;
    disk.files[kFav] = oldFav;
    // The edited lists: more than a few bytes, so a full disk can cut them.
    DVB_CHANNELS provider = Provider("New");
    group.tv().InsertItem({nullptr, "New", 0, 0, true, std::make_unique<CChannelRecord>(&provider)});
    for (int i = 0; i < 5; ++i) {
      DVB_CHANNELS channel = Channel("Channel", 1, static_cast<uint16_t>(i));
      group.tv().InsertItem(
          {group.tv().GetRootItem(), "Channel", 1, 2, false, std::make_unique<CChannelRecord>(&channel)});
    }
    DVB_CHANNELS fav = Channel("Channel", 1, 1);
    group.fav().InsertItem({nullptr, "Channel", 1, 2, false, std::make_unique<CChannelRecord>(&fav)});
    entry().modified = 1;
  }
  ListFileEntry& entry() { return group.clipboard.files[0]; }

  CTestPaneGroup group;
  CMemoryListFileSystem disk;
  CListFileCodec codec;
  Bytes oldList, oldFav;
};

TEST_F(ListFileSave, SuccessClearsModifiedAndPutsBothFilesInPlaceAfterWritingBoth) {
  codec.WriteChannelFile();
  EXPECT_EQ(0, entry().modified);
  EXPECT_TRUE(group.messages.empty());
  EXPECT_EQ(12u + 6 * 172, disk.files[kList].size());
  EXPECT_EQ(42u, disk.files[kFav].size());
  EXPECT_EQ(2u, disk.files.size());
  EXPECT_EQ((std::vector<std::string>{"create D:\\lists\\astra.qcx.tmp", "create D:\\lists\\astra.fav2.tmp",
                                      "replace D:\\lists\\astra.qcx", "replace D:\\lists\\astra.fav2"}),
            disk.log);
}

TEST_F(ListFileSave, FailuresKeepTheOldFilesAndTheModifiedFlag) {
  struct Row {
    const char* what;
    std::function<void(CMemoryListFileSystem&)> fault;
    const char* message;
  };
  const Row rows[] = {
      {"list cannot be created", [](CMemoryListFileSystem& d) { d.lockedPaths.insert("D:\\lists\\astra.qcx.tmp"); },
       "File D:\\lists\\astra.qcx could not be opened. Cause 11"},
      {"disk full inside the list", [](CMemoryListFileSystem& d) { d.diskSpace = 500; },
       "File D:\\lists\\astra.qcx could not be opened. Cause 13"},
      {"disk full inside the favourites", [](CMemoryListFileSystem& d) { d.diskSpace = 12 + 6 * 172 + 10; },
       "File D:\\lists\\astra.fav2 could not be opened. Cause 13"},
      {"favourites cannot be created",
       [](CMemoryListFileSystem& d) { d.lockedPaths.insert("D:\\lists\\astra.fav2.tmp"); },
       "File D:\\lists\\astra.fav2 could not be opened. Cause 11"},
      {"list cannot be replaced", [](CMemoryListFileSystem& d) { d.failingReplaces.insert("D:\\lists\\astra.qcx"); },
       "File D:\\lists\\astra.qcx could not be opened. Cause 5"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    CMemoryListFileSystem fresh;
    fresh.files = disk.files;
    row.fault(fresh);
    CListFileCodec faulty(group, fresh);
    group.messages.clear();
    entry().modified = 1;
    faulty.WriteChannelFile();
    EXPECT_EQ(std::vector<std::string>{row.message}, group.messages);
    EXPECT_EQ(oldList, fresh.files[kList]);
    EXPECT_EQ(oldFav, fresh.files[kFav]);
    EXPECT_EQ(2u, fresh.files.size()) << "no temporary file is left behind";
    EXPECT_EQ(1, entry().modified);
  }
}

TEST_F(ListFileSave, ZenkListFailureKeepsTheOldFileToo) {
  entry().path = "D:\\lists\\astra.dvb";
  disk.files["D:\\lists\\astra.dvb"] = Bytes(64, 7);
  disk.diskSpace = 100;
  codec.WriteChannelFile();
  EXPECT_EQ(Bytes(64, 7), disk.files["D:\\lists\\astra.dvb"]);
  EXPECT_EQ(1, entry().modified);
  EXPECT_EQ(std::vector<std::string>{"File D:\\lists\\astra.dvb could not be opened. Cause 13"}, group.messages);
}

TEST_F(ListFileSave, WriteFavouritesAloneWritesTheFavTreeAndAnEmptyTreeGivesAnEmptyFile) {
  codec.WriteFavourites();
  EXPECT_EQ(42u, disk.files[kFav].size());
  EXPECT_EQ(oldList, disk.files[kList]);
  DeleteAllTreeItems(group.fav());
  codec.WriteFavourites();
  EXPECT_TRUE(disk.files[kFav].empty());
  EXPECT_TRUE(disk.Exists(kFav));
  EXPECT_EQ(1, entry().modified) << "only a whole save marks the group saved";
}

TEST_F(ListFileSave, GroupWithoutAPathWritesNothing) {
  entry().path.Empty();
  entry().hasFile = 0;
  codec.WriteChannelFile();
  EXPECT_EQ(std::vector<std::string>{"File  could not be opened. Cause 3"}, group.messages);
  EXPECT_TRUE(disk.log.empty());
  EXPECT_EQ(1, entry().modified);
}

TEST_F(ListFileSave, PathWithoutDotWritesNoFavourites) {
  entry().path = "D:\\lists\\channels";
  group.messages.clear();
  codec.WriteFavourites();
  EXPECT_FALSE(disk.Exists("D:\\lists\\channels.fav2"));
  EXPECT_EQ(2u, disk.files.size());
}

}  // namespace
