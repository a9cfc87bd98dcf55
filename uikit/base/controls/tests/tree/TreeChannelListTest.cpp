// The list-file library's channel trees on multi-selection tree windows: a
// list and its favourites read into them give what the in-memory trees give,
// are written back unchanged, and every record goes with its item.
#include <gtest/gtest.h>

#include "ListFileCodec.h"
#include "ListFixtures.h"
#include "MemoryListFileSystem.h"
#include "TestPaneGroup.h"
#include "TreeTestWindow.h"
#include "TreeWalk.h"
#include "TreeWindowPaneGroup.h"

using namespace fixtures;

namespace {

const char kList[] = "D:\\lists\\astra.qcx";
const char kFav[] = "D:\\lists\\astra.fav2";

// Each item in list order: label, bold, colour and the record's name and ids.
std::vector<std::string> Dump(const CChannelTree& tree, COLORREF (*colour)(const CChannelTree&, ChannelTreeItem)) {
  std::vector<std::string> lines;
  ForEachListItem(tree, [&](ChannelTreeItem item) {
    const DVB_CHANNELS& r = tree.GetItemData(item)->m_record;
    char line[160];
    snprintf(line, sizeof(line), "%s%s colour %08lx record %s %u/%u/%u", tree.GetParentItem(item) ? "  " : "",
             tree.GetItemText(item).c_str(), static_cast<unsigned long>(colour(tree, item)), Name(r).c_str(),
             r.serviceId, r.networkId, r.transportStreamId);
    lines.push_back(line);
  });
  return lines;
}

COLORREF MemoryColour(const CChannelTree& tree, ChannelTreeItem item) {
  return static_cast<const CMemoryChannelTree&>(tree).GetItemColor(item);
}

CJVTreeCtrl* g_pColourTree = nullptr;
COLORREF WindowColour(const CChannelTree& tree, ChannelTreeItem item) {
  return g_pColourTree->GetItemColor(CTreeViewChannelTree::Handle(item));
}

class TreeChannelList : public ::testing::Test {
 protected:
  void SetUp() override {
    m_disk.files[kList] = QcxFile(
        3, 1, 0,
        {Provider("Astra 19.2E"), Channel("Das Erste", 1, 28106, 1, 1101), Channel("Sat 1", 1, 46, 133, 5),
         Channel("Sat 1 Gold", 1, 47, 133, 5), Channel("Bayern 3", 2, 28400, 1, 1093)});
    m_disk.files[kFav] = FavFile({Favourite("Mine", 0), Favourite("Sat 1", 1, 46, 133, 5),
                                  Favourite("Bayern 3", 1, 28400, 1, 1093), Favourite("Gone", 1, 9, 9, 9)});
    m_windows.m_clipboard.files[0].path = kList;
    m_memory.clipboard.files[0].path = kList;
  }

  CTreeTestWindow& m_parent = CTreeTestWindow::Reset(0);
  CMemoryListFileSystem m_disk;
  CTreeWindowPaneGroup m_windows{&m_parent, TRUE};
  CTestPaneGroup m_memory;
};

TEST_F(TreeChannelList, ReadingGivesWhatTheInMemoryTreesGive) {
  ASSERT_EQ(CListFileCodec(m_windows, m_disk).ReadChannelFile(kReadReplace), kReadOk);
  ASSERT_EQ(CListFileCodec(m_memory, m_disk).ReadChannelFile(kReadReplace), kReadOk);
  for (PaneKind kind : {kPaneTv, kPaneRadio, kPaneFav}) {
    SCOPED_TRACE(kind);
    g_pColourTree = static_cast<CJVTreeCtrl*>(&m_windows.Window(kind));
    EXPECT_EQ(Dump(m_windows.GetTree(kind), WindowColour), Dump(m_memory.GetTree(kind), MemoryColour));
  }
  // The favourite that matched no channel is red; the others took their channel's record.
  g_pColourTree = static_cast<CJVTreeCtrl*>(&m_windows.Window(kPaneFav));
  const std::vector<std::string> fav = Dump(m_windows.GetTree(kPaneFav), WindowColour);
  ASSERT_EQ(fav.size(), 4u);
  EXPECT_EQ(fav[3], "  Gone colour 000000ff record Gone 9/9/9");
  EXPECT_EQ(fav[1], "  Sat 1 colour ffffffff record Sat 1 46/133/5");
  EXPECT_TRUE(m_windows.m_messages.empty());
}

TEST_F(TreeChannelList, WritingBackGivesTheSameFiles) {
  CMemoryListFileSystem memoryDisk = m_disk;
  CListFileCodec windowCodec(m_windows, m_disk), memoryCodec(m_memory, memoryDisk);
  ASSERT_EQ(windowCodec.ReadChannelFile(kReadReplace), kReadOk);
  ASSERT_EQ(memoryCodec.ReadChannelFile(kReadReplace), kReadOk);
  m_windows.m_clipboard.files[0].modified = 1;
  m_memory.clipboard.files[0].modified = 1;
  windowCodec.WriteChannelFile();
  memoryCodec.WriteChannelFile();
  EXPECT_EQ(m_disk.files[kList], memoryDisk.files[kList]);
  EXPECT_EQ(m_disk.files[kFav], memoryDisk.files[kFav]);
}

// Counts the records alive.
int g_nRecords = 0;
struct CCountedRecord : CChannelRecord {
  CCountedRecord() { ++g_nRecords; }
  ~CCountedRecord() override { --g_nRecords; }
};

TEST_F(TreeChannelList, RecordsGoWithTheirItems) {
  CChannelTree& tv = m_windows.GetTree(kPaneTv);
  const ChannelTreeItem provider = tv.InsertItem({nullptr, "P", 0, 0, true, std::make_unique<CCountedRecord>()});
  for (const char* name : {"A", "B", "C"}) tv.InsertItem({provider, name, 1, 2, false, std::make_unique<CCountedRecord>()});
  const ChannelTreeItem other = tv.InsertItem({nullptr, "Q", 0, 0, true, std::make_unique<CCountedRecord>()});
  tv.InsertItem({other, "D", 1, 2, false, std::make_unique<CCountedRecord>()});
  EXPECT_EQ(g_nRecords, 6);
  EXPECT_EQ(tv.GetItemData(tv.GetChildItem(provider))->m_record.itemType, CChannelRecord().m_record.itemType)
      << "the item holds the record itself";
  tv.DeleteItem(provider);
  EXPECT_EQ(g_nRecords, 2);
  DeleteAllTreeItems(tv);
  EXPECT_EQ(g_nRecords, 0);
  EXPECT_EQ(tv.GetCount(), 0);
}

}  // namespace
