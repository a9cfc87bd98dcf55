#include <gtest/gtest.h>

#include "ListFileCodec.h"
#include "ListFixtures.h"
#include "MemoryListFileSystem.h"
#include "TestPaneGroup.h"
#include "TreeDump.h"

using namespace fixtures;

namespace {

class ChannelListFile : public testing::Test {
 protected:
  ChannelListFile() : codec(group, disk) {
    group.clipboard.files[0].path = "D:\\lists\\astra.qcx";
    group.clipboard.files[0].hasFile = 1;
  }
  ListFileEntry& entry() { return group.clipboard.files[0]; }
  Bytes& file(const char* path = "D:\\lists\\astra.qcx") { return disk.files[path]; }

  CTestPaneGroup group;
  CMemoryListFileSystem disk;
  CListFileCodec codec;
};

TEST_F(ChannelListFile, ReadsProvidersIntoBothTreesAndChannelsByKind) {
  DVB_CHANNELS astra = Provider("Astra", 1);
  astra.frequency = 11953000;  // providers come back without tuning values
  astra.symbolRate = 27500000;
  DVB_CHANNELS scrambled = Channel("Premiere", 1, 3);
  scrambled.scrambled = 1;
  file() = QcxFile(
      4, 2, 0,
      {astra, Channel("ZDF", 1, 1), Channel("DLF", 2, 2), scrambled, Provider("Hotbird", 0), Channel("RAI", 1, 4)});
  ASSERT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
  EXPECT_EQ((Lines{"Astra img0/0 bold kind1", "  ZDF img1/2 kind1", "  Premiere img3/2 kind1",
                   "Hotbird img0/0 bold kind1", "  RAI img1/2 kind1"}),
            DumpTree(group.tv(), true));
  EXPECT_EQ((Lines{"Astra img0/0 bold kind2", "  DLF img1/2 kind2"}), DumpTree(group.radio(), true));
  const CChannelRecord* provider = group.tv().GetItemData(group.tv().GetRootItem());
  EXPECT_EQ(0u, provider->m_record.frequency);
  EXPECT_EQ(0u, provider->m_record.symbolRate);
  const CChannelRecord* zdf = group.tv().GetItemData(group.tv().Items()[1]);
  EXPECT_EQ(11953000u, zdf->m_record.frequency);
  EXPECT_EQ('1', zdf->m_record.subVersion[0]);
  EXPECT_TRUE(group.messages.empty());
}

TEST_F(ChannelListFile, KindZeroFollowsTheProviderAndOddKindsAreDropped) {
  file() = QcxFile(8, 0, 0,
                   {Channel("Orphan", 0), Provider("TVSide", 1), Channel("Follows TV", 0), Channel("Kind3", 3),
                    Channel("Kind4", 4), Provider("Neutral", 0), Channel("Dropped", 0), Channel("Kind9 dropped", 9)});
  ASSERT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
  EXPECT_EQ((Lines{"TVSide", "  Follows TV"}), DumpTree(group.tv()));
  EXPECT_TRUE(group.radio().Items().empty());
}

TEST_F(ChannelListFile, ChannelsBeforeAnyProviderGoToTheRoot) {
  file() = QcxFile(2, 0, 0, {Channel("Loose TV", 1), Channel("Loose Radio", 2)});
  ASSERT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
  EXPECT_EQ((Lines{"Loose TV"}), DumpTree(group.tv()));
  EXPECT_EQ((Lines{"Loose Radio"}), DumpTree(group.radio()));
}

TEST_F(ChannelListFile, OpenThenSaveGivesTheSameBytes) {
  const DVB_CHANNELS provider = Provider("Astra 19.2", 1);
  const DVB_CHANNELS radioProvider = Provider("Astra 19.2", 2);
  DVB_CHANNELS zdf = Channel("ZDF", 1, 28006, 1, 1079);
  zdf.padding90[0] = 0x5A;  // bytes without meaning travel unchanged
  zdf.padding170[1] = 0xA5;
  const Bytes original = QcxFile(
      3, 2, 0, {provider, zdf, Channel("3sat", 1, 28007, 1, 1079), radioProvider, Channel("DLF", 2, 28008, 1, 1079)});
  file() = original;
  disk.files["D:\\lists\\astra.fav2"] = FavFile({Favourite("Mine", 0), Favourite("ZDF", 1, 28006, 1, 1079)});
  ASSERT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
  const Bytes favourites = disk.files["D:\\lists\\astra.fav2"];
  entry().modified = 1;
  codec.WriteChannelFile();
  EXPECT_EQ(original, file());
  EXPECT_EQ(favourites, disk.files["D:\\lists\\astra.fav2"]);
  EXPECT_EQ(0, entry().modified);
  EXPECT_TRUE(group.messages.empty());
}

TEST_F(ChannelListFile, DoubledProviderOfATvAndRadioGroupComesBackOncePerTree) {
  // Written from trees, read back, written again: the provider is stored
  // once per section and shown once per tree.
  file() = QcxFile(3, 0, 0, {Provider("Astra"), Channel("ZDF", 1, 1), Channel("DLF", 2, 2)});
  ASSERT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
  codec.WriteChannelFile();
  DVB_CHANNELS tvProvider = group.tv().GetItemData(group.tv().GetRootItem())->m_record;
  DVB_CHANNELS radioProvider = group.radio().GetItemData(group.radio().GetRootItem())->m_record;
  DVB_CHANNEL_HEADER header;
  std::memcpy(&header, file().data(), sizeof(header));
  EXPECT_EQ(2u, header.tvCount);
  EXPECT_EQ(2u, header.radioCount);
  EXPECT_EQ(0u, header.thirdCount);
  EXPECT_EQ(12u + 4 * 172, file().size());
  EXPECT_EQ(1, tvProvider.serviceKind);
  EXPECT_EQ(2, radioProvider.serviceKind);

  ASSERT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
  EXPECT_EQ((Lines{"Astra", "  ZDF"}), DumpTree(group.tv()));
  EXPECT_EQ((Lines{"Astra", "  DLF"}), DumpTree(group.radio()));
}

TEST_F(ChannelListFile, TvOnlyListHasHeaderThreeAndReadsBackWithAnEmptyRadioTree) {
  file() = QcxFile(3, 0, 0, {Provider("Astra"), Channel("ZDF", 1), Channel("ARD", 1)});
  ASSERT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
  const Bytes before = file();
  codec.WriteChannelFile();
  EXPECT_EQ(before, file());
  EXPECT_TRUE(group.radio().Items().empty());
  EXPECT_EQ((Lines{"Astra", "  ZDF", "  ARD"}), DumpTree(group.tv()));
}

TEST_F(ChannelListFile, AppendAddsAfterTheExistingListsAndDeletesNothing) {
  file() = QcxFile(2, 0, 0, {Provider("Astra"), Channel("ZDF", 1)});
  disk.files["E:\\drop\\more.qcx"] = QcxFile(2, 0, 0, {Provider("Astra"), Channel("RTL", 1)});
  ASSERT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
  group.pendingFileName = "E:\\drop\\more.qcx";
  ASSERT_EQ(kReadOk, codec.ReadChannelFile(kReadAppend));
  EXPECT_EQ((Lines{"Astra", "  ZDF", "Astra", "  RTL"}), DumpTree(group.tv()));
  EXPECT_EQ("D:\\lists\\astra.qcx", entry().path);
}

TEST_F(ChannelListFile, ZeroCountsReadAndEmptyTheLists) {
  group.tv().InsertItem({nullptr, "Old", 0, 0, true, std::make_unique<CChannelRecord>()});
  file() = QcxFile(0, 0, 0, {});
  EXPECT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
  EXPECT_EQ(0, group.tv().GetCount());
}

// Each row of the failure table: the message, the result and the trees after.
TEST_F(ChannelListFile, FailureTable) {
  struct Row {
    const char* what;
    bool present;
    Bytes bytes;
    int result;
    const char* message;
    Lines tvAfter;
  };
  const Bytes twoRecords = QcxFile(3, 0, 0, {Provider("Astra"), Channel("ZDF", 1)});
  const Row rows[] = {
      {"missing file", false, {}, kReadCannotOpen, "Can't open file D:\\lists\\astra.qcx", {"Old"}},
      {"empty file", true, {}, kReadBadHeader, "Error reading DVB_CHANNEL_HEADER", {"Old"}},
      {"11-byte header", true, Bytes(11, 0), kReadBadHeader, "Error reading DVB_CHANNEL_HEADER", {"Old"}},
      {"counts beyond the data",
       true,
       twoRecords,
       kReadBadRecord,
       "Error reading DVB_CHANNELS from file",
       {"Astra", "  ZDF"}},
      {"record cut short",
       true,
       Bytes(twoRecords.begin(), twoRecords.end() - 1),
       kReadBadRecord,
       "Error reading DVB_CHANNELS from file",
       {"Astra"}},
      // Sums that are 0 at 32 bits: the counts go far beyond the data.
      {"counts wrapping at 32 bits",
       true,
       QcxFile(0xFFFFFFFFu, 1, 0, {Provider("Astra"), Channel("ZDF", 1)}),
       kReadBadRecord,
       "Error reading DVB_CHANNELS from file",
       {"Astra", "  ZDF"}},
      {"three counts wrapping twice",
       true,
       QcxFile(0xFFFFFFFFu, 0xFFFFFFFFu, 2, {Provider("Astra"), Channel("ZDF", 1)}),
       kReadBadRecord,
       "Error reading DVB_CHANNELS from file",
       {"Astra", "  ZDF"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    DeleteAllTreeItems(group.tv());
    group.tv().InsertItem({nullptr, "Old", 0, 0, true, std::make_unique<CChannelRecord>()});
    group.messages.clear();
    disk.files.clear();
    disk.files["D:\\lists\\astra.fav2"] = FavFile({Favourite("Fav", 0)});
    DeleteAllTreeItems(group.fav());
    if (row.present) file() = row.bytes;
    EXPECT_EQ(row.result, codec.ReadChannelFile(kReadReplace));
    EXPECT_EQ(Lines{row.message}, group.messages);
    EXPECT_EQ(row.tvAfter, DumpTree(group.tv()));
    // A list that was (partly) read comes with its favourites; one that was
    // not read leaves the favourites tree alone.
    if (row.result == kReadBadRecord)
      EXPECT_EQ(Lines{"Fav"}, DumpTree(group.fav()));
    else
      EXPECT_TRUE(group.fav().Items().empty());
  }
}

TEST_F(ChannelListFile, HugeHeaderCountsEndAtTheEndOfTheData) {
  file() = QcxFile(0xFFFFFFF0u, 0x0Fu, 0, {Provider("Astra"), Channel("ZDF", 1)});
  EXPECT_EQ(kReadBadRecord, codec.ReadChannelFile(kReadReplace));
  EXPECT_EQ((Lines{"Astra", "  ZDF"}), DumpTree(group.tv()));
  EXPECT_EQ(Lines{"Error reading DVB_CHANNELS from file"}, group.messages);
}

// A save after a read that ended early writes what was read: a header whose
// counts cannot be held never turns the user's list into an empty one.
TEST_F(ChannelListFile, ASaveAfterAReadOfImpossibleCountsKeepsTheRecordsTheFileHeld) {
  const DVB_CHANNELS records[] = {Provider("Astra"), Channel("ZDF", 1, 28006), Channel("3sat", 1, 28007)};
  file() = QcxFile(0xFFFFFFFFu, 1, 0, {records[0], records[1], records[2]});
  EXPECT_EQ(kReadBadRecord, codec.ReadChannelFile(kReadReplace));
  entry().modified = 1;
  codec.WriteChannelFile();
  // The read ended before the childless Radio copy of the provider could be
  // removed, so it is saved too.
  EXPECT_EQ(QcxFile(3, 1, 0, {records[0], records[1], records[2], Provider("Astra", 2)}), file());
  EXPECT_EQ(0, entry().modified);
}

// Replacing a list by one whose records end early, then saving, keeps the
// new list's favourites file as it was: the old list's favourites are not
// written over it.
TEST_F(ChannelListFile, ASaveAfterAReadThatEndedEarlyKeepsTheListsFavourites) {
  const Bytes favourites = FavFile({Favourite("Mine", 0), Favourite("Gone", 1, 99, 1, 1079)});
  group.fav().InsertItem({nullptr, "Previous list's favourite", 0, 0, true, std::make_unique<CChannelRecord>()});
  const Bytes cut = QcxFile(3, 0, 0, {Provider("Astra"), Channel("ZDF", 1)});
  file() = Bytes(cut.begin(), cut.end() - 1);
  disk.files["D:\\lists\\astra.fav2"] = favourites;
  EXPECT_EQ(kReadBadRecord, codec.ReadChannelFile(kReadReplace));
  entry().modified = 1;
  codec.WriteChannelFile();
  EXPECT_EQ(favourites, disk.files["D:\\lists\\astra.fav2"]);
}

TEST_F(ChannelListFile, RecordsBeyondTheCountsAreNotRead) {
  file() = QcxFile(2, 0, 0, {Provider("Astra"), Channel("ZDF", 1), Channel("Extra", 1)});
  EXPECT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
  EXPECT_EQ((Lines{"Astra", "  ZDF"}), DumpTree(group.tv()));
}

TEST_F(ChannelListFile, RecordsAreNormalisedOnRead) {
  DVB_CHANNELS odd = Channel("ZDF", 1);
  odd.itemType = 7;
  odd.satelliteIndex = 200;
  std::memset(odd.channelName, 'Z', 32);
  file() = QcxFile(2, 0, 0, {Provider("Astra"), odd});
  ASSERT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
  const DVB_CHANNELS& r = group.tv().GetItemData(group.tv().Items()[1])->m_record;
  EXPECT_EQ(1, r.itemType);
  EXPECT_EQ(149, r.satelliteIndex);
  EXPECT_EQ(std::string(31, 'Z'), group.tv().GetItemText(group.tv().Items()[1]));
}

TEST_F(ChannelListFile, SaveChoosesTheFormatByExtensionIgnoringCase) {
  struct Row {
    const char* path;
    bool channelList;
    const char* favourites;
  } rows[] = {
      {"list.QCX", true, "list.fav2"}, {"D:\\a\\list.qcx", true, "D:\\a\\list.fav2"}, {"list.dvb", false, nullptr},
      {"list.txt", false, nullptr},    {"D:\\no extension", false, nullptr},
  };
  file() = QcxFile(2, 0, 0, {Provider("Astra"), Channel("ZDF", 1)});
  ASSERT_EQ(kReadOk, codec.ReadChannelFile(kReadReplace));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.path);
    disk.files.clear();
    entry().path = row.path;
    codec.WriteChannelFile();
    ASSERT_TRUE(disk.Exists(row.path));
    EXPECT_EQ(row.channelList ? 12u + 2 * 172 : 2u * 64, disk.files[row.path].size());
    EXPECT_EQ(row.favourites ? 2u : 1u, disk.files.size());
    if (row.favourites) {
      EXPECT_TRUE(disk.Exists(row.favourites));
    }
  }
}

}  // namespace
