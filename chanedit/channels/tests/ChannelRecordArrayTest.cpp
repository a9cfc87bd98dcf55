#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "ArrayGrowth.h"
#include "ByValueArray.h"
#include "ChannelClipboard.h"

namespace {

TEST(ArrayGrowth, Table) {
  struct Case {
    int size, capacity, growBy, newSize, expected;
  } cases[] = {
      {0, 0, 10, 1, 10},          // first block: the grow-by count
      {0, 0, 0, 1, 1},            // first block without grow-by: what is asked
      {0, 0, 10, 50, 50},
      {10, 10, 10, 11, 20},       // the clipboard's 11th record
      {100, 100, 0, 101, 112},    // size / 8
      {8, 8, 0, 9, 12},           // at least 4
      {10000, 10000, 0, 10001, 11024},  // at most 1024
      {10, 10, 10, 500, 500},     // a large request wins
      {INT32_MAX - 5, INT32_MAX - 5, 10, INT32_MAX - 4, -1},  // not representable
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, ComputeArrayGrowth(c.size, c.capacity, c.growBy, c.newSize))
        << c.size << "/" << c.capacity << "/" << c.growBy << "/" << c.newSize;
}

TEST(ChannelRecordArray, FreshClipboardArraysGrowTenAtATime) {
  CChannelClipboard clipboard;
  clipboard.SetSize(50, 10);
  for (CChannelRecordArray* array : {&clipboard.records, &clipboard.dragRecords}) {
    EXPECT_EQ(0, array->GetSize());
    EXPECT_EQ(0, array->GetCapacity());
    EXPECT_EQ(10, array->GetGrowBy());
    CChannelRecord record;
    for (int i = 0; i < 10; ++i) array->Add(record);
    EXPECT_EQ(10, array->GetCapacity());
    array->Add(record);
    EXPECT_EQ(20, array->GetCapacity());
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
    ASSERT_EQ(c.full, array.GetCapacity());
    array.Add(CChannelRecord());
    EXPECT_EQ(c.expectedCapacity, array.GetCapacity()) << c.full;
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
  EXPECT_THROW(array.SetSize(-1), std::invalid_argument);
  EXPECT_EQ(9, array.GetSize());
  EXPECT_THROW(array[9], std::out_of_range);
}

// An element that records its own construction and destruction, so that the
// tests see a destructor run twice or not at all.
struct Tracked {
  static std::multiset<const Tracked*> live;
  static int destroyed;
  Tracked() { live.insert(this); }
  Tracked(const Tracked&) { live.insert(this); }
  Tracked(Tracked&&) noexcept { live.insert(this); }
  Tracked& operator=(const Tracked&) = default;
  ~Tracked() {
    auto it = live.find(this);
    EXPECT_NE(live.end(), it) << "destroyed twice or never built";
    if (it != live.end()) live.erase(it);
    ++destroyed;
  }
};
std::multiset<const Tracked*> Tracked::live;
int Tracked::destroyed = 0;

TEST(ByValueArray, EveryElementIsDestroyedExactlyOnce) {
  Tracked::live.clear();
  Tracked::destroyed = 0;
  {
    CByValueArray<Tracked> array;
    array.SetSize(0, 3);
    for (int i = 0; i < 20; ++i) array.Add(Tracked());  // several reallocations
    EXPECT_EQ(20u, Tracked::live.size());
    array.SetSize(5);  // shrinking destroys the tail
    EXPECT_EQ(5u, Tracked::live.size());
    array.SetSize(0);
    EXPECT_TRUE(Tracked::live.empty());
    EXPECT_EQ(0, array.GetCapacity());
    array.SetSize(4);
  }
  EXPECT_TRUE(Tracked::live.empty());  // the destructor of the array
}

TEST(ChannelClipboard, StartsWithFourEmptyFileEntries) {
  CChannelClipboard clipboard;
  for (const ListFileEntry& entry : clipboard.files) {
    EXPECT_EQ(0, entry.hasFile);
    EXPECT_EQ(0, entry.modified);
    EXPECT_TRUE(entry.path.empty());
  }
  clipboard.records.Add(CChannelRecord());
  clipboard.SetSize(50, 10);
  EXPECT_EQ(0, clipboard.records.GetSize());
}

}  // namespace
