// Loading images from bitmap and icon resources and from files, with their
// alpha channel, against the pictures of fixtures/make-image-fixtures.py.
#include "ImageManager.h"

#include <gtest/gtest.h>

#include "ImageManagerTestResources.h"
#include "ImageTestSupport.h"
#include "Refusal.h"

namespace {

// Every pixel of a 32-bit bitmap against image k of the fixture rule.
void ExpectFixtureImage(HBITMAP hBitmap, int k, int nWidth) {
  ASSERT_NE(hBitmap, nullptr);
  ASSERT_EQ(CSize(nWidth, nWidth), GetBitmapSize(hBitmap));
  std::vector<DWORD> pixels = ReadPixels(hBitmap);
  for (int y = 0; y < nWidth; ++y)
    for (int x = 0; x < nWidth; ++x) ASSERT_EQ(FixturePixel(k, x, y, nWidth), pixels[y * nWidth + x]) << x << "," << y;
}

TEST(ImageLoad, AlphaBitmapResourcesKeepEveryPixelAndAlpha) {
  EXPECT_TRUE(IsAlphaBitmapResource(IDB_TEST_STRIP32));
  EXPECT_FALSE(IsAlphaBitmapResource(IDB_TEST_STRIP24));
  EXPECT_FALSE(IsAlphaBitmapResource(999));
  EXPECT_EQ(LoadAlphaBitmap(IDB_TEST_STRIP24), nullptr);
  EXPECT_EQ(LoadAlphaBitmap(999), nullptr);

  HBITMAP hStrip = LoadAlphaBitmap(IDB_TEST_STRIP32);
  ASSERT_NE(hStrip, nullptr);
  EXPECT_EQ(CSize(48, 16), GetBitmapSize(hStrip));
  std::vector<DWORD> pixels = ReadPixels(hStrip);
  for (int x : {0, 15, 16, 40, 47}) EXPECT_EQ(FixturePixel(x / 16, x % 16, 5, 16), pixels[5 * 48 + x]) << x;
  ::DeleteObject(hStrip);
}

TEST(ImageLoad, ResourceStripsBecomeAlphaOrMaskedIcons) {
  CJVKImageManager manager;
  const UINT alphaIds[] = {1, 2, 3};
  ASSERT_TRUE(manager.SetIconsFromResource(IDB_TEST_STRIP32, alphaIds, 3));
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    CJVKImageManagerIcon* pIcon = manager.GetImage(alphaIds[k], 16);
    ASSERT_NE(pIcon, nullptr);
    EXPECT_TRUE(pIcon->IsAlpha());
    ExpectFixtureImage(pIcon->GetIcon().GetBitmap(), k, 16);
  }

  // 24 bits: the top-left magenta is the mask colour; the count follows
  // from the width.
  const UINT plainIds[] = {11, 12};
  ASSERT_TRUE(manager.SetIconsFromResource(IDB_TEST_STRIP24, plainIds, 0, CSize(16, 16)));
  const COLORREF squares[] = {RGB(255, 0, 0), RGB(0, 255, 0)};
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    CJVKImageManagerIcon* pIcon = manager.GetImage(plainIds[i], 16);
    ASSERT_NE(pIcon, nullptr);
    EXPECT_FALSE(pIcon->IsAlpha());
    CIconPixels pixels = ReadIconPixels(pIcon->GetIcon().GetIcon());
    DWORD px = pixels.colour[6 * 16 + 6];
    EXPECT_EQ(squares[i], RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF));
    EXPECT_EQ(0u, pixels.mask[6 * 16 + 6] & 0xFFFFFF);
    EXPECT_NE(0u, pixels.mask[0] & 0xFFFFFF);
  }
  EXPECT_FALSE(manager.SetIconsFromResource(999, plainIds, 2));
  // Neither a count nor a size: nothing to cut by (the width would be a
  // division by 0).
  EXPECT_FALSE(manager.SetIconsFromResource(IDB_TEST_STRIP24, nullptr, 0));
  EXPECT_EQ(5u, manager.GetIconSets().size());
}

TEST(ImageLoad, IconFilesGiveTheirFirst32BitImageOfTheWidth) {
  const std::string path = WriteTempFile("uikit-alpha.ico", ResourceBytes(IDR_TEST_ALPHA_ICO_FILE));
  struct Case {
    int nWidth;
    int k;  // -1: nothing fits
  };
  const Case cases[] = {{16, 1}, {32, 2}, {0, 1}, {24, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nWidth);
    HBITMAP hBitmap = LoadAlphaBitmapFile(path.c_str(), c.nWidth);
    if (c.k < 0) {
      EXPECT_EQ(hBitmap, nullptr);
      continue;
    }
    ExpectFixtureImage(hBitmap, c.k, c.nWidth ? c.nWidth : 16);
    ::DeleteObject(hBitmap);
  }
  EXPECT_EQ(LoadAlphaBitmapFile("no-such-file.ico", 16), nullptr);
  // Cut inside the 32 x 32 image.
  std::string cut = ResourceBytes(IDR_TEST_ALPHA_ICO_FILE);
  cut.resize(cut.size() - 600);
  const std::string cutPath = WriteTempFile("uikit-cut.ico", cut);
  EXPECT_EQ(LoadAlphaBitmapFile(cutPath.c_str(), 32), nullptr);
  ::DeleteFileA(path.c_str());
  ::DeleteFileA(cutPath.c_str());
}

TEST(ImageLoad, BitmapFilesAreAlphaWhenTheirHeaderSays32Bits) {
  struct Case {
    const char* name;
    std::string bytes;
    BOOL bAlpha;
  };
  const Case cases[] = {
      {"uikit-strip32.bmp", ResourceBytes(IDR_TEST_STRIP32_BMP_FILE), TRUE},
      {"uikit-strip24.bmp", ResourceBytes(IDR_TEST_STRIP24_BMP_FILE), FALSE},
      {"uikit-short.bmp", ResourceBytes(IDR_TEST_STRIP32_BMP_FILE).substr(0, 53), FALSE},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = WriteTempFile(c.name, c.bytes);
    EXPECT_EQ(c.bAlpha, IsAlphaBitmapFile(path.c_str()));
    ::DeleteFileA(path.c_str());
  }
  EXPECT_FALSE(IsAlphaBitmapFile("no-such-file.bmp"));
}

TEST(ImageLoad, IconResourcesGiveAlphaImagesOnlyWhereTheyCanBeDrawn) {
  CJVKImageManagerIconHandle hIcon;
  ASSERT_TRUE(hIcon.LoadIcon(IDI_TEST_ALPHA, 16, 16));
  ASSERT_TRUE(hIcon.IsAlpha());
  ExpectFixtureImage(hIcon.GetBitmap(), 1, 16);
  ASSERT_TRUE(hIcon.LoadIcon(IDI_TEST_ALPHA, 32, 32));
  ExpectFixtureImage(hIcon.GetBitmap(), 2, 32);
  EXPECT_FALSE(hIcon.LoadIcon(IDI_TEST_ALPHA, 24, 24));
  EXPECT_TRUE(hIcon.IsEmpty());
  EXPECT_FALSE(hIcon.LoadIcon(999, 16, 16));

  // Without AlphaBlend the 32-bit entry is passed over for the 24-bit one.
  {
    CRefusal refusal({"msimg32.dll!AlphaBlend"});
    ASSERT_TRUE(hIcon.LoadIcon(IDI_TEST_ALPHA, 16, 16));
    EXPECT_FALSE(hIcon.IsAlpha());
    EXPECT_NE(hIcon.GetIcon(), nullptr);
    EXPECT_FALSE(hIcon.LoadIcon(IDI_TEST_ALPHA, 32, 32));
  }

  ASSERT_TRUE(hIcon.LoadIcon(IDI_TEST_PLAIN, 16, 16));
  ASSERT_NE(hIcon.GetIcon(), nullptr);
  EXPECT_EQ(CSize(16, 16), hIcon.GetExtent());
  CIconPixels pixels = ReadIconPixels(hIcon.GetIcon());
  EXPECT_EQ(FixturePixel(0, 3, 4, 16) & 0xFFFFFF, pixels.colour[4 * 16 + 3] & 0xFFFFFF);
  EXPECT_EQ(0u, pixels.mask[4 * 16 + 3] & 0xFFFFFF);
  EXPECT_NE(0u, pixels.mask[4 * 16 + 12] & 0xFFFFFF);
}

TEST(ImageLoad, IconSizesComeFromTheMask) {
  HICON hIcon = MakeSolidIcon(20, 12, RGB(1, 2, 3));
  EXPECT_EQ(CSize(20, 12), GetIconSize(hIcon));
  ::DestroyIcon(hIcon);
  // A monochrome icon's mask holds both halves.
  HBITMAP hMask = ::CreateBitmap(16, 32, 1, 1, nullptr);
  ICONINFO info = {TRUE, 0, 0, hMask, nullptr};
  HICON hMono = ::CreateIconIndirect(&info);
  ::DeleteObject(hMask);
  EXPECT_EQ(CSize(16, 16), GetIconSize(hMono));
  ::DestroyIcon(hMono);
  EXPECT_EQ(CSize(0, 0), GetIconSize(nullptr));
}

}  // namespace
