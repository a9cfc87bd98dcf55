#include "IconData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "IconBlocks.h"
#include "PropStreams.h"

namespace {

PropBytes StoreBlock(const CJVKBitmapBlock& block) {
  return StoreExchange([&](CJVKPropExchange&, CArchive& ar) { WriteBitmapBlock(ar, block); });
}

TEST(IconData, BitmapBlockIsHeaderCountHeaderPixelCountPixels) {
  PropBytes bytes = StoreBlock(MakeBlock(3, 2, 24, 0x11));  // stride 12 (9 padded to 12)
  ASSERT_EQ(2u + 52 + 2 + 24, bytes.size());
  EXPECT_EQ((PropBytes{52, 0, 40, 0, 0, 0, 3, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0}),
            PropBytes(bytes.begin(), bytes.begin() + 18));
  EXPECT_EQ((PropBytes{24, 0, 0x11}), PropBytes(bytes.begin() + 54, bytes.begin() + 57));
  EXPECT_EQ((PropBytes{0, 0}), StoreBlock(CJVKBitmapBlock()));
}

TEST(IconData, IconDataRoundTripsWithTheImagesItsSchemaHolds) {
  for (DWORD dwSchema : {9u, 7u}) {
    SCOPED_TRACE(dwSchema);
    CJVKIconData data;
    data.m_nHeight = 15;
    data.m_dwSchema = dwSchema;
    data.m_blocks[0] = MakeBlock(16, 15, 32, 0x80);  // alpha normal image, empty second block
    data.m_blocks[2] = MakeBlock(16, 15, 24, 0x01);  // disabled icon: colour and mask
    data.m_blocks[3] = MakeBlock(16, 15, 1, 0xFF);
    data.m_blocks[6] = MakeBlock(16, 15, 32, 0x40);  // checked (dropped by schema 7)
    PropBytes bytes = StoreExchange([&](CJVKPropExchange&, CArchive& ar) { WriteIconData(ar, data); });
    size_t nLeft = LoadExchange(bytes, [&](CJVKPropExchange&, CArchive& ar) {
      CJVKIconData loaded;
      ASSERT_TRUE(ReadIconData(ar, loaded));
      EXPECT_EQ(15, loaded.m_nHeight);
      EXPECT_EQ(dwSchema, loaded.m_dwSchema);
      for (int i = 0; i < CJVKIconData::kImages * 2; ++i) {
        SCOPED_TRACE(i);
        BOOL bExpected = data.m_blocks[i].m_bPresent && i < loaded.GetImageCount() * 2;
        EXPECT_EQ(bExpected, loaded.m_blocks[i].m_bPresent);
        if (bExpected) {
          EXPECT_EQ(0, memcmp(data.m_blocks[i].m_header, loaded.m_blocks[i].m_header, 52));
          EXPECT_EQ(data.m_blocks[i].m_pixels, loaded.m_blocks[i].m_pixels);
        }
      }
    });
    EXPECT_EQ(0u, nLeft);
  }
}

TEST(IconData, CorruptBlocksAreRefused) {
  struct Case {
    const char* what;
    std::function<void(PropBytes&)> corrupt;
  };
  const Case cases[] = {
      {"header shorter than an info header", [](PropBytes& b) { b[0] = 39; }},
      {"header longer than 52 bytes", [](PropBytes& b) { b[0] = 53; }},
      {"width 0", [](PropBytes& b) { b[6] = 0; }},
      {"negative width", [](PropBytes& b) { b[9] = 0x80; }},
      {"width beyond the bound", [](PropBytes& b) { b[6] = 0x01, b[7] = 0x10; }},
      {"height 0", [](PropBytes& b) { b[10] = 0; }},
      {"negative height", [](PropBytes& b) { b[13] = 0xFF; }},
      {"unknown bit count", [](PropBytes& b) { b[16] = 3; }},
      {"pixels fewer than stride x height", [](PropBytes& b) { b[54] = 63; }},
  };
  const PropBytes good = StoreBlock(MakeBlock(4, 4, 32, 0x7F));  // 64 pixel bytes
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    PropBytes bytes = good;
    c.corrupt(bytes);
    LoadExchange(bytes, [](CJVKPropExchange&, CArchive& ar) {
      CJVKBitmapBlock block = MakeBlock(1, 1, 32, 0);
      EXPECT_FALSE(ReadBitmapBlock(ar, block));
      EXPECT_FALSE(block.m_bPresent);
      EXPECT_TRUE(block.m_pixels.empty());
    });
  }
}

TEST(IconData, CountsBeyondTheStreamEndTheLoad) {
  PropBytes header = StoreBlock(MakeBlock(4, 4, 32, 0x7F));
  struct Case {
    const char* what;
    PropBytes bytes;
  };
  const Case cases[] = {
      {"header cut short", PropBytes(header.begin(), header.begin() + 30)},
      {"pixel count of 4 GiB - 2",
       [&] {
         PropBytes b(header.begin(), header.begin() + 54);
         b.insert(b.end(), {0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 1, 2, 3});
         return b;
       }()},
      {"pixels cut short", PropBytes(header.begin(), header.end() - 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    int nCause = -1;
    LoadExchange(c.bytes, [&](CJVKPropExchange&, CArchive& ar) {
      CJVKBitmapBlock block;
      try {
        ReadBitmapBlock(ar, block);
      } catch (CArchiveException* e) {
        nCause = e->m_cause;
        e->Delete();
      }
      EXPECT_FALSE(block.m_bPresent);
    });
    EXPECT_EQ(CArchiveException::endOfFile, nCause);
  }
}

}  // namespace
