// The label search and the completion of records by DVB ids.
#include <gtest/gtest.h>

#include "FindChannelByIds.h"
#include "ListFixtures.h"
#include "MemoryChannelTree.h"
#include "TreeWalk.h"

using namespace fixtures;

namespace {

TEST(TreeWalk, WholeWordRule) {
  struct Row {
    const char* label;
    const char* text;
    bool found;
  } rows[] = {
      {"Sport 2", "Sport", true},
      {"Sports", "Sport", false},
      {"sport", "Sport", false},
      {"Sat 1", "Sat", true},
      {"Satellite", "Sat", false},
      {"my_sat", "sat", false},
      {"sat1", "sat", true},
      {"sat-2", "sat", true},
      {"xSport Sport", "Sport", true},
      {"Sport", "Sport", true},
      {"Spo", "Sport", false},
      {"Sport\xE4", "Sport", false},
      {"Sport", "", false},
      // Above 0x7F only the letters of the Western code page join a word:
      // dashes, symbols and the no-break space separate like a blank.
      {"Sport\x96Live", "Sport", true},
      {"\xA0Sport", "Sport", true},
      {"Sport\xB0", "Sport", true},
      {"\xA9Sport\xAE", "Sport", true},
      {"\xC4Sport", "Sport", false},
      {"Sport\xDF", "Sport", false},
      {"Sport\x8A", "Sport", false},
      {"Sport\xB5", "Sport", false},
  };
  for (const Row& row : rows)
    EXPECT_EQ(row.found, ContainsWholeWord(row.label, row.text)) << row.label << " / " << row.text;
}

TEST(TreeWalk, FindItemWrapsAndIncludesTheStartItem) {
  CMemoryChannelTree tree;
  auto add = [&](ChannelTreeItem parent, const char* text) {
    return tree.InsertItem({parent, text, 0, 0, false, std::make_unique<CChannelRecord>()});
  };
  ChannelTreeItem a = add(nullptr, "A");
  ChannelTreeItem hit1 = add(a, "Hit");
  ChannelTreeItem b = add(nullptr, "B");
  ChannelTreeItem hit2 = add(b, "Hit");
  EXPECT_EQ(hit1, tree.FindItem("Hit", nullptr));
  EXPECT_EQ(hit1, tree.FindItem("Hit", hit1));
  EXPECT_EQ(hit2, tree.FindItem("Hit", b));
  ChannelTreeItem tail = add(nullptr, "Tail");
  EXPECT_EQ(hit1, tree.FindItem("Hit", tail));  // wraps to the first item
  EXPECT_EQ(nullptr, tree.FindItem("None", b));
  EXPECT_EQ(nullptr, tree.FindItem("", a));
}

TEST(FindChannelByIdsTest, OnePassOverEachTree) {
  CMemoryChannelTree tv, radio;
  CChannelRecord wanted(static_cast<const DVB_CHANNELS*>(nullptr));
  std::strcpy(wanted.m_record.channelName, "News");
  wanted.m_record.serviceId = 42;
  EXPECT_EQ(0, FindChannelByIds(tv, radio, &wanted)) << "empty trees";

  for (uint16_t sid : {1, 2, 3}) {
    DVB_CHANNELS r = Channel("News", 1, sid);
    tv.InsertItem({nullptr, "News", 1, 2, false, std::make_unique<CChannelRecord>(&r)});
  }
  EXPECT_EQ(0, FindChannelByIds(tv, radio, &wanted)) << "labels match, ids never";
  DVB_CHANNELS match = Channel("News 24", 2, 42);
  radio.InsertItem({nullptr, "News 24", 1, 2, false, std::make_unique<CChannelRecord>(&match)});
  EXPECT_EQ(1, FindChannelByIds(tv, radio, &wanted));
  EXPECT_EQ("News 24", Name(wanted.m_record));
  EXPECT_EQ(2, wanted.m_record.serviceKind);
}

}  // namespace
