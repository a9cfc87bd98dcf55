// The button list of a tool-bar resource: the header and ids as stored
// (little-endian WORDs), and data shorter than its count refused.
#include "ToolBarResource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<uint8_t> Words(std::initializer_list<unsigned> words) {
  std::vector<uint8_t> bytes;
  for (unsigned w : words) {
    bytes.push_back(static_cast<uint8_t>(w & 0xFF));
    bytes.push_back(static_cast<uint8_t>(w >> 8));
  }
  return bytes;
}
}  // namespace

TEST(ToolBarResource, ReadsTheHeaderAndTheIdsWithTheirSeparators) {
  const std::vector<uint8_t> data = Words({1, 24, 22, 4, 0x8001, 0, 57600, 0xFFFF});
  JVKToolBarResource resource;
  ASSERT_TRUE(JVKParseToolBarResource(data.data(), data.size(), resource));
  EXPECT_EQ(1u, resource.nVersion);
  EXPECT_EQ(24, resource.cxImage);
  EXPECT_EQ(22, resource.cyImage);
  EXPECT_EQ((std::vector<unsigned>{0x8001, 0, 57600, 0xFFFF}), resource.ids);
}

TEST(ToolBarResource, RefusesDataShorterThanItsHeaderOrCount) {
  const std::vector<uint8_t> full = Words({1, 16, 15, 2, 100, 101});
  struct Row {
    const char* pszCase;
    size_t cb;
    bool bAccepted;
  } rows[] = {
      {"empty", 0, false},
      {"half a header", 5, false},
      {"header only, count 2", 8, false},
      {"one id and a half", 11, false},
      {"complete", 12, true},
  };
  for (const Row& row : rows) {
    JVKToolBarResource resource;
    resource.ids = {7};
    EXPECT_EQ(row.bAccepted, JVKParseToolBarResource(full.data(), row.cb, resource)) << row.pszCase;
    if (!row.bAccepted) {
      EXPECT_EQ((std::vector<unsigned>{7}), resource.ids) << row.pszCase << ": left as it was";
    }
  }
  // A count of zero is a bar without buttons; extra bytes are ignored.
  const std::vector<uint8_t> empty = Words({1, 16, 15, 0, 99});
  JVKToolBarResource resource;
  EXPECT_TRUE(JVKParseToolBarResource(empty.data(), empty.size(), resource));
  EXPECT_TRUE(resource.ids.empty());
  EXPECT_FALSE(JVKParseToolBarResource(nullptr, 12, resource));
}
