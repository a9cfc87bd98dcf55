#include "IconSetData.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "IconBlocks.h"
#include "PropStreams.h"

namespace {

// Two icons: 16 wide with an alpha normal image, 32 wide with a colour and
// mask pair.
std::vector<CJVKIconSetEntry> TwoIcons() {
  std::vector<CJVKIconSetEntry> entries(2);
  entries[0].m_nWidth = 16;
  entries[0].m_data.m_nHeight = 15;
  entries[0].m_data.m_blocks[0] = MakeBlock(16, 15, 32, 0x80);
  entries[1].m_nWidth = 32;
  entries[1].m_data.m_nHeight = 32;
  entries[1].m_data.m_blocks[0] = MakeBlock(32, 32, 24, 0x11);
  entries[1].m_data.m_blocks[1] = MakeBlock(32, 32, 1, 0xF0);
  return entries;
}

PropBytes Store(std::vector<CJVKIconSetEntry> entries) {
  return StoreExchange([&](CJVKPropExchange& px, CArchive&) { JVKExchangeIconSet(&px, entries); });
}

TEST(IconSetData, IconsTravelAfterTheCheckSumInNumberedSections) {
  PropBytes bytes = Store(TwoIcons());
  PropBytes checkSum{21};
  for (const char* p = "CJVKImageManagerIcons"; *p; ++p) checkSum.push_back(static_cast<BYTE>(*p));
  ASSERT_GT(bytes.size(), 32u);
  EXPECT_EQ(checkSum, PropBytes(bytes.begin(), bytes.begin() + 22));
  // The count, then the first "Width" and the first icon's height.
  EXPECT_EQ((PropBytes{2, 0, 16, 0, 0, 0, 15, 0, 0, 0}), PropBytes(bytes.begin() + 22, bytes.begin() + 32));

  std::vector<CJVKIconSetEntry> loaded;
  size_t nLeft = LoadExchange(bytes, [&](CJVKPropExchange& px, CArchive&) { JVKExchangeIconSet(&px, loaded); });
  EXPECT_EQ(0u, nLeft);
  std::vector<CJVKIconSetEntry> expected = TwoIcons();
  ASSERT_EQ(expected.size(), loaded.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(expected[i].m_nWidth, loaded[i].m_nWidth);
    EXPECT_EQ(expected[i].m_data.m_nHeight, loaded[i].m_data.m_nHeight);
    for (int b = 0; b < CJVKIconData::kImages * 2; ++b) {
      EXPECT_EQ(expected[i].m_data.m_blocks[b].m_bPresent, loaded[i].m_data.m_blocks[b].m_bPresent) << b;
      EXPECT_EQ(expected[i].m_data.m_blocks[b].m_pixels, loaded[i].m_data.m_blocks[b].m_pixels) << b;
    }
  }
  // No icons: the checksum and a count of 0.
  EXPECT_EQ(24u, Store({}).size());
}

TEST(IconSetData, RefusedStreamsThrowAndLeaveTheEntriesAlone) {
  const PropBytes good = Store(TwoIcons());
  // Offsets: 1 the checksum's text, 24 the first "Width", 28 its height,
  // 36 its first block's header count, 42 that header's width.
  struct Case {
    const char* what;
    std::function<void(PropBytes&)> corrupt;
    int nCause;
  };
  const Case cases[] = {
      {"another checksum", [](PropBytes& b) { b[1] = 'c'; }, CArchiveException::badClass},
      {"width 0", [](PropBytes& b) { b[24] = 0; }, CArchiveException::genericException},
      {"negative width", [](PropBytes& b) { b[27] = 0x80; }, CArchiveException::genericException},
      {"width 4097", [](PropBytes& b) { b[24] = 0x01, b[25] = 0x10; }, CArchiveException::genericException},
      {"negative height", [](PropBytes& b) { b[31] = 0xFF; }, CArchiveException::genericException},
      {"height 4097", [](PropBytes& b) { b[28] = 0x01, b[29] = 0x10; }, CArchiveException::genericException},
      {"a refused block", [](PropBytes& b) { b[36] = 39; }, CArchiveException::genericException},
      {"a block cut short", [](PropBytes& b) { b.resize(200); }, CArchiveException::genericException},
      {"cut in the last icon's data", [&](PropBytes& b) { b.resize(good.size() - 1); },
       CArchiveException::genericException},
      {"cut inside the count", [](PropBytes& b) { b.resize(23); }, CArchiveException::endOfFile},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PropBytes bytes = good;
    c.corrupt(bytes);
    std::vector<CJVKIconSetEntry> entries(1);
    entries[0].m_nWidth = 99;
    int nCause = -1;
    LoadExchange(bytes, [&](CJVKPropExchange& px, CArchive&) {
      try {
        JVKExchangeIconSet(&px, entries);
      } catch (CArchiveException* e) {
        nCause = e->m_cause;
        e->Delete();
      }
    });
    EXPECT_EQ(c.nCause, nCause);
    ASSERT_EQ(1u, entries.size());
    EXPECT_EQ(99, entries[0].m_nWidth);
  }
}

}  // namespace
