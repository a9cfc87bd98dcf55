// The label index's search: start, direction, wrapping and refusal.
#include "TreeLabelIndex.h"

#include <gtest/gtest.h>

namespace {

class TreeLabelIndex : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 6; ++i) m_index.Add(&m_items[i], kLabels[i]);
    m_index.Finish();
  }
  const void* Find(const char* text, int start, bool down = true, bool (*accept)(const void*) = AcceptAll) {
    return m_index.Find(text, true, down, true, &m_items[start], JVWesternCharSet(), accept);
  }
  static bool AcceptAll(const void*) { return true; }

  static constexpr const char* kLabels[6] = {"Astra", "Sat 1", "Satellite", "Pro 7", "Sat 1 Gold", "Arte"};
  int m_items[6] = {};
  CJVTreeLabelIndex m_index;
};

TEST_F(TreeLabelIndex, SearchesFromTheStartItemAndWrapsOnce) {
  struct Row {
    const char* text;
    int start;
    bool down;
    int found;  // -1: none
  } rows[] = {
      {"Sat", 0, true, 1},  {"Sat", 1, true, 1},   {"Sat", 2, true, 4},   {"Sat", 5, true, 1},
      {"Sat", 3, false, 1}, {"Sat", 0, false, 4},  {"Arte", 1, true, 5},  {"Astra", 1, true, 0},
      {"Gold", 0, false, 4}, {"sat", 0, true, -1}, {"Radio", 2, true, -1}, {"", 0, true, -1},
  };
  for (const Row& row : rows) {
    const void* expected = row.found < 0 ? nullptr : &m_items[row.found];
    EXPECT_EQ(Find(row.text, row.start, row.down), expected)
        << row.text << " from " << row.start << (row.down ? " down" : " up");
  }
}

TEST_F(TreeLabelIndex, RefusedHitsAreSkippedAndUnknownStartsFindNothing) {
  static const void* s_refused = nullptr;
  s_refused = &m_items[1];
  EXPECT_EQ(Find("Sat", 0, true, [](const void* item) { return item != s_refused; }), &m_items[4]);
  int stranger = 0;
  EXPECT_EQ(m_index.Find("Sat", true, true, true, &stranger, JVWesternCharSet(), AcceptAll), nullptr);
  m_index.Invalidate();
  EXPECT_FALSE(m_index.IsValid());
  EXPECT_EQ(Find("Sat", 0), nullptr);
}

}  // namespace
