#include <gtest/gtest.h>

#include <limits>
#include <set>

#include "ChannelClipboard.h"
#include "FrameworkFailure.h"
#include "TestPaneGroup.h"

namespace {

TEST(ChannelRecordArray, GrowthTable) {
  struct Case {
    int size, capacity, growBy, newSize, expected;
  } cases[] = {
      {0, 0, 10, 1, 10},  // first block: the grow-by count
      {0, 0, 0, 1, 1},    // first block without grow-by: what is asked
      {0, 0, 10, 50, 50},
      {10, 10, 10, 11, 20},             // the clipboard's 11th record
      {100, 100, 0, 101, 112},          // size / 8
      {8, 8, 0, 9, 12},                 // at least 4
      {10000, 10000, 0, 10001, 11024},  // at most 1024
      {10, 10, 10, 500, 500},           // a large request wins
  };
  for (const Case& c : cases) {
    CChannelRecordArray array;
    array.SetSize(c.size, c.growBy);
    ASSERT_EQ(c.capacity, array.GetMaxSize());
    array.SetSize(c.newSize);
    EXPECT_EQ(c.expected, array.GetMaxSize()) << c.size << "/" << c.capacity << "/" << c.growBy << "/" << c.newSize;
  }
}

TEST(ChannelRecordArray, SizeWhoseBlockCannotBeRepresentedIsRefusedAndChangesNothing) {
  CChannelRecordArray array;
  CChannelRecord record;
  record.m_record.serviceId = 7;
  for (int i = 0; i < 10; ++i) array.Add(record);
  EXPECT_TRUE(Raises<CMemoryException>([&] { array.SetSize(std::numeric_limits<INT_PTR>::max()); }));
  EXPECT_EQ(10, array.GetSize());
  EXPECT_EQ(7, array[9].m_record.serviceId);
}

TEST(ChannelRecordArray, FreshClipboardArraysGrowTenAtATime) {
  CChannelClipboard clipboard;
  clipboard.SetSize(50, 10);
  for (CChannelRecordArray* array : {&clipboard.records, &clipboard.dragRecords}) {
    EXPECT_EQ(0, array->GetSize());
    EXPECT_EQ(0, array->GetMaxSize());
    EXPECT_EQ(10, array->GetGrowBy());
    CChannelRecord record;
    for (int i = 0; i < 10; ++i) array->Add(record);
    EXPECT_EQ(10, array->GetMaxSize());
    array->Add(record);
    EXPECT_EQ(20, array->GetMaxSize());
    EXPECT_EQ(11, array->GetSize());
  }
}

TEST(ChannelRecordArray, GrowByZeroScalesWithTheArray) {
  struct Case {
    int full, expectedCapacity;
  } cases[] = {{100, 112}, {8, 12}, {10000, 11024}};
  for (const Case& c : cases) {
    CChannelRecordArray array;
    array.SetSize(c.full, 0);
    ASSERT_EQ(c.full, array.GetMaxSize());
    array.Add(CChannelRecord());
    EXPECT_EQ(c.expectedCapacity, array.GetMaxSize()) << c.full;
  }
}

TEST(ChannelRecordArray, ElementsKeepTheirRecordsAcrossReallocationAndNewOnesAreDefault) {
  CChannelRecordArray array;
  array.SetSize(0, 2);
  for (uint16_t i = 0; i < 7; ++i) {
    CChannelRecord record;
    record.m_record.serviceId = i;
    array.Add(record);
  }
  array.SetSize(9);
  for (uint16_t i = 0; i < 7; ++i) EXPECT_EQ(i, array[i].m_record.serviceId);
  EXPECT_STREQ("<edit>", array[8].m_record.channelName);
  EXPECT_EQ(255, array[8].m_record.satelliteIndex);
  EXPECT_TRUE(Raises<CInvalidArgException>([&] { array.SetSize(-1); }));
  EXPECT_EQ(9, array.GetSize());
  EXPECT_TRUE(Raises<CInvalidArgException>([&] { (void)array[9]; }));
  EXPECT_TRUE(Raises<CInvalidArgException>([&] { (void)array[-1]; }));
}

// An element that records its own construction and destruction under a
// serial number it carries (the array moves elements bit for bit, so the
// address is no identity), so that the tests see a destructor run twice or
// not at all.
struct Tracked {
  static std::multiset<int> live;
  static int serials;
  static int destroyed;
  Tracked() : serial(++serials) { live.insert(serial); }
  Tracked(const Tracked&) : Tracked() {}
  Tracked& operator=(const Tracked&) { return *this; }  // keeps its own serial
  ~Tracked() {
    auto it = live.find(serial);
    EXPECT_NE(live.end(), it) << "destroyed twice or never built";
    if (it != live.end()) live.erase(it);
    ++destroyed;
  }
  int serial;
};
std::multiset<int> Tracked::live;
int Tracked::serials = 0;
int Tracked::destroyed = 0;

TEST(ByValueArray, EveryElementIsDestroyedExactlyOnce) {
  Tracked::live.clear();
  Tracked::destroyed = 0;
  {
    CArray<Tracked, const Tracked&> array;
    array.SetSize(0, 3);
    for (int i = 0; i < 20; ++i) array.Add(Tracked());  // several reallocations
    EXPECT_EQ(20u, Tracked::live.size());
    array.SetSize(5);  // shrinking destroys the tail
    EXPECT_EQ(5u, Tracked::live.size());
    array.SetSize(0);
    EXPECT_TRUE(Tracked::live.empty());
    EXPECT_EQ(0, array.GetMaxSize());
    array.SetSize(4);
  }
  EXPECT_TRUE(Tracked::live.empty());  // the destructor of the array
}

TEST(ChannelClipboard, StartsWithFourEmptyFileEntries) {
  CChannelClipboard clipboard;
  for (const ListFileEntry& entry : clipboard.files) {
    EXPECT_EQ(0, entry.hasFile);
    EXPECT_EQ(0, entry.modified);
    EXPECT_TRUE(entry.path.IsEmpty());
  }
  clipboard.records.Add(CChannelRecord());
  clipboard.SetSize(50, 10);
  EXPECT_EQ(0, clipboard.records.GetSize());
}

TEST(ChannelClipboard, PaneGroupOutsideTheFourHasNoFileEntry) {
  for (int group : {-1, 4}) {
    CTestPaneGroup pane(group);
    EXPECT_TRUE(Raises<CInvalidArgException>([&] { pane.GetFileEntry(); })) << group;
  }
  CTestPaneGroup last(3);
  EXPECT_EQ(&last.clipboard.files[3], &last.GetFileEntry());
}

}  // namespace
