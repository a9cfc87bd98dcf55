#include <gtest/gtest.h>

#include "ListFileCodec.h"
#include "ListFixtures.h"
#include "MemoryListFileSystem.h"
#include "TestPaneGroup.h"
#include "TreeDump.h"

using namespace fixtures;

namespace {

const char kList[] = "D:\\lists\\astra.qcx";
const char kFav[] = "D:\\lists\\astra.fav2";

class FavouritesFile : public testing::Test {
 protected:
  FavouritesFile() : codec(group, disk) { group.clipboard.files[0].path = kList; }

  void Insert(CMemoryChannelTree& tree, ChannelTreeItem parent, const DVB_CHANNELS& r, const char* label = nullptr) {
    tree.InsertItem({parent, label ? label : Name(r), 1, 2, false, std::make_unique<CChannelRecord>(&r)});
  }

  CTestPaneGroup group;
  CMemoryListFileSystem disk;
  CListFileCodec codec;
};

TEST(FavouritesFileName, CutAtTheLastDot) {
  EXPECT_EQ("D:\\lists\\astra.fav2", CListFileCodec::FavouritesFileName("D:\\lists\\astra.qcx"));
  EXPECT_EQ("D:\\my.fav2", CListFileCodec::FavouritesFileName("D:\\my.lists\\channels"));
  EXPECT_EQ("", CListFileCodec::FavouritesFileName("D:\\lists\\channels"));
}

TEST_F(FavouritesFile, LengthDecidesWhetherTheFileIsRead) {
  struct Row {
    size_t length;
    size_t items;
  } rows[] = {{0, 0}, {42, 1}, {43, 0}, {84, 2}, {83, 0}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.length);
    Insert(group.fav(), nullptr, Provider("Old"));
    Bytes bytes = FavFile({Favourite("A", 0), Favourite("B", 0)});
    bytes.resize(row.length, 0);
    disk.files[kFav] = bytes;
    EXPECT_EQ(0, codec.ReadFavourites(kReadReplace));
    EXPECT_EQ(row.items, group.fav().Items().size());
    EXPECT_TRUE(group.messages.empty());
  }
}

TEST_F(FavouritesFile, MissingFileEmptiesTheTreeInReplaceModeOnly) {
  Insert(group.fav(), nullptr, Provider("Old"));
  EXPECT_EQ(0, codec.ReadFavourites(kReadAppend));  // no pending file: nothing to read
  EXPECT_EQ(1, group.fav().GetCount());
  EXPECT_EQ(0, codec.ReadFavourites(kReadReplace));
  EXPECT_EQ(0, group.fav().GetCount());
  EXPECT_TRUE(group.messages.empty());
}

TEST_F(FavouritesFile, AppendReadsTheFavouritesOfThePendingFile) {
  Insert(group.fav(), nullptr, Provider("Old"));
  group.pendingFileName = "E:\\drop\\more.qcx";
  disk.files["E:\\drop\\more.fav2"] = FavFile({Favourite("New", 0)});
  codec.ReadFavourites(kReadAppend);
  EXPECT_EQ((Lines{"Old", "New"}), DumpTree(group.fav()));
}

TEST_F(FavouritesFile, CompletionRespectsWholeWordsCaseAndIds) {
  // TV tree: a provider and channels whose labels hold Sport in several ways.
  Insert(group.tv(), nullptr, Provider("Sky"));
  ChannelTreeItem sky = group.tv().GetRootItem();
  DVB_CHANNELS sports = Channel("Sports", 1, 7, 1, 1);
  DVB_CHANNELS lower = Channel("sport", 1, 7, 1, 1);
  DVB_CHANNELS otherIds = Channel("Sport", 1, 99, 1, 1);
  DVB_CHANNELS sport2 = Channel("Sport 2", 1, 7, 1, 1);
  sport2.scrambled = 1;
  for (const DVB_CHANNELS& r : {sports, lower, otherIds, sport2}) Insert(group.tv(), sky, r);
  DVB_CHANNELS radio = Channel("Sport Radio", 2, 8, 1, 1);
  Insert(group.radio(), nullptr, radio);

  disk.files[kFav] = FavFile({
      Favourite("Sport", 1, 7, 1, 1),    // Sport 2 has these ids
      Favourite("Sport", 1, 8, 1, 1),    // only the Radio tree has them
      Favourite("My Sport", 0),          // a provider: current parent from now
      Favourite("Sport", 1, 5, 5, 5),    // no channel has these ids
      Favourite("", 1, 7, 1, 1),         // an empty name matches nothing
      Favourite("Sports", 1, 99, 1, 1),  // only the channel labelled Sport has 99
  });
  codec.ReadFavourites(kReadReplace);
  EXPECT_EQ((Lines{"Sport img3/2 kind1",  // scrambled, completed from Sport 2
                   "Sport img4/2 kind2",  // radio channel
                   "My Sport img0/0 bold kind1", "  Sport img1/2 kind1 colour255", "   img1/2 kind1 colour255",
                   "  Sports img1/2 kind1 colour255"}),
            DumpTree(group.fav(), true));
  const std::vector<ChannelTreeItem> items = group.fav().Items();
  const DVB_CHANNELS& completed = group.fav().GetItemData(items[0])->m_record;
  EXPECT_EQ("Sport 2", Name(completed));  // the record carries the longer name
  EXPECT_EQ(sport2.videoPid, completed.videoPid);
  EXPECT_EQ("Sport Radio", Name(group.fav().GetItemData(items[1])->m_record));
  EXPECT_EQ(static_cast<COLORREF>(-1), group.fav().GetItemColor(items[0]));
  EXPECT_EQ(0, group.fav().GetItemData(items[3])->m_record.satelliteIndex);  // from the entry alone
}

TEST_F(FavouritesFile, ChannelsBeforeAnyProviderGoToTheRoot) {
  disk.files[kFav] = FavFile({Favourite("Loose", 1), Favourite("Prov", 0), Favourite("Child", 1)});
  codec.ReadFavourites(kReadReplace);
  EXPECT_EQ((Lines{"Loose", "Prov", "  Child"}), DumpTree(group.fav()));
}

TEST_F(FavouritesFile, EntryNamesOfAll32BytesAreShownWhole) {
  FavouriteEntry entry = Favourite("", 0);
  std::memset(entry.name, 'F', sizeof(entry.name));
  disk.files[kFav] = FavFile({entry});
  codec.ReadFavourites(kReadReplace);
  EXPECT_EQ(Lines{std::string(32, 'F')}, DumpTree(group.fav()));
}

}  // namespace
