// The image manager through the property exchange's archive form: one
// command's icons and the whole manager, round trips, the bytes at the
// start of the stream, and loads that fail.
#include "ImageManager.h"

#include <gtest/gtest.h>

#include "IconSetData.h"
#include "PropStreams.h"
#include "SampleIcons.h"

namespace {

TEST(ImageExchange, OneCommandsIconsRoundTripWithoutTheScaledOnes) {
  CJVKImageManager stored;
  AddSampleIcons(stored, 5);
  ASSERT_TRUE(stored.GetImage(5, 30)->IsScaled());
  PropBytes bytes = StoreExchange([&](CJVKPropExchange& px, CArchive&) { stored.DoPropExchange(5, &px); });

  // "CheckSum" as a string, then the count of sections, then "Width" 16 and
  // the object "Data" (height 16, schema 9) of the first icon.
  PropBytes head{21};
  for (const char* p = "CJVKImageManagerIcons"; *p; ++p) head.push_back(static_cast<BYTE>(*p));
  head.insert(head.end(), {2, 0, 16, 0, 0, 0, 16, 0, 0, 0, 9, 0, 0, 0});
  ASSERT_GT(bytes.size(), head.size());
  EXPECT_EQ(head, PropBytes(bytes.begin(), bytes.begin() + static_cast<ptrdiff_t>(head.size())));

  CJVKImageManager loaded;
  size_t nLeft = LoadExchange(bytes, [&](CJVKPropExchange& px, CArchive&) { loaded.DoPropExchange(5, &px); });
  EXPECT_EQ(0u, nLeft);
  EXPECT_EQ(0, CompareSampleIcons(loaded, 5));
  // The command's id raised the custom counter only as far as the id.
  EXPECT_EQ(0x10AABu, loaded.AddCustomIcon(CJVKImageManagerIconHandle(MakeSolidIcon(16, 16, 0))));
}

TEST(ImageExchange, TheWholeManagerReplacesEverySetAndRaisesTheCustomCounter) {
  CJVKImageManager stored;
  AddSampleIcons(stored, 7);
  AddSampleIcons(stored, 0x20000);
  PropBytes bytes = StoreExchange([&](CJVKPropExchange& px, CArchive&) { stored.DoPropExchange(&px); });

  CJVKImageManager loaded;
  AddSampleIcons(loaded, 3);
  LoadExchange(bytes, [&](CJVKPropExchange& px, CArchive&) { loaded.DoPropExchange(&px); });
  EXPECT_EQ(2u, loaded.GetIconSets().size());
  EXPECT_EQ(nullptr, loaded.GetIconSet(3));
  EXPECT_EQ(0, CompareSampleIcons(loaded, 7));
  EXPECT_EQ(0, CompareSampleIcons(loaded, 0x20000));
  EXPECT_EQ(0x20001u, loaded.AddCustomIcon(CJVKImageManagerIconHandle(MakeSolidIcon(16, 16, 0))));
}

TEST(ImageExchange, RefusedStreamsThrowAndKeepTheCommandsIcons) {
  CJVKImageManager source;
  AddSampleIcons(source, 5);
  PropBytes good = StoreExchange([&](CJVKPropExchange& px, CArchive&) { source.DoPropExchange(5, &px); });
  struct Case {
    const char* what;
    PropBytes bytes;
    int nCause;
  };
  PropBytes wrongCheckSum = good;
  wrongCheckSum[1] = 'X';
  PropBytes zeroWidth = good;
  zeroWidth[24] = 0;  // the first "Width"
  PropBytes badHeader = good;
  badHeader[36] = 30;  // the first block's header count
  PropBytes cut(good.begin(), good.begin() + 200);
  const Case cases[] = {
      {"another checksum", wrongCheckSum, CArchiveException::badClass},
      {"width 0", zeroWidth, CArchiveException::genericException},
      {"a 30-byte header", badHeader, CArchiveException::genericException},
      {"cut inside the pixels", cut, CArchiveException::genericException},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CJVKImageManager loaded;
    AddSampleIcons(loaded, 5);
    int nCause = -1;
    LoadExchange(c.bytes, [&](CJVKPropExchange& px, CArchive&) {
      try {
        loaded.DoPropExchange(5, &px);
      } catch (CArchiveException* e) {
        nCause = e->m_cause;
        e->Delete();
      }
    });
    EXPECT_EQ(c.nCause, nCause);
    EXPECT_EQ(0, CompareSampleIcons(loaded, 5));
  }
}

}  // namespace
