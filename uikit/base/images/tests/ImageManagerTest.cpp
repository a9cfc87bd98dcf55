// The image manager's icon sets: what SetIcon stores and consumes, the
// width chosen and scaled for a request, strips and image lists cut into
// commands, custom ids and the refresh of cached images.
#include "ImageManager.h"

#include <gtest/gtest.h>

#include "ImageManagerTestResources.h"
#include "ImageTestSupport.h"

namespace {

const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kBlue = RGB(0, 0, 255);

// The colour of an icon's pixel, as a COLORREF.
COLORREF IconColor(HICON hIcon, int x, int y) {
  CIconPixels pixels = ReadIconPixels(hIcon);
  DWORD px = pixels.colour[static_cast<size_t>(y) * GetIconSize(hIcon).cx + x];
  return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF);
}

TEST(ImageManager, SetIconStoresACopyAndConsumesOwningHandlesOnly) {
  CJVKImageManager manager;
  HICON hOwned = MakeSolidIcon(16, 16, kRed);
  ASSERT_TRUE(manager.SetIcon(CJVKImageManagerIconHandle(hOwned), 1));
  EXPECT_FALSE(IsIconAlive(hOwned));

  HICON hViewed = MakeSolidIcon(16, 16, kGreen);
  ASSERT_TRUE(manager.SetIcon(CJVKImageManagerIconHandle::View(hViewed), 1, CSize(0, 0), jvkImageHot));
  EXPECT_TRUE(IsIconAlive(hViewed));

  HBITMAP hAlpha = MakeAlphaBitmap(16, 16, [](int, int) { return Argb(128, 1, 2, 3); });
  ASSERT_TRUE(manager.SetIcon(CJVKImageManagerIconHandle(hAlpha), 2));
  EXPECT_FALSE(IsBitmapAlive(hAlpha));

  CJVKImageManagerIcon* pIcon = manager.GetImage(1, 16);
  ASSERT_NE(pIcon, nullptr);
  EXPECT_EQ(CSize(16, 16), pIcon->GetExtent());
  EXPECT_FALSE(pIcon->IsAlpha());
  EXPECT_NE(pIcon->GetHotIcon().GetIcon(), hViewed);
  EXPECT_EQ(kGreen, IconColor(pIcon->GetHotIcon().GetIcon(), 3, 3));
  // Checked falls back to hot, which falls back to normal.
  EXPECT_EQ(pIcon->GetCheckedIcon().GetIcon(), pIcon->GetHotIcon().GetIcon());
  EXPECT_EQ(kRed, IconColor(pIcon->GetIcon().GetIcon(), 3, 3));
  EXPECT_TRUE(manager.GetImage(2, 16)->IsAlpha());
  ::DestroyIcon(hViewed);
}

TEST(ImageManager, OnlyTheNormalStateStartsAnIconSet) {
  for (int nState : {jvkImageDisabled, jvkImageHot, jvkImageChecked}) {
    SCOPED_TRACE(nState);
    CJVKImageManager manager;
    EXPECT_FALSE(manager.SetIcon(CJVKImageManagerIconHandle(MakeSolidIcon(16, 16, kRed)), 7, CSize(0, 0), nState));
    EXPECT_EQ(manager.GetIconSet(7), nullptr);
    EXPECT_EQ(manager.GetImage(7, 16), nullptr);
  }
  CJVKImageManager manager;
  EXPECT_FALSE(manager.SetIcon(CJVKImageManagerIconHandle(), 7));
  EXPECT_EQ(manager.GetIconSet(7), nullptr);
}

// A set with plain icons of 16 and 32 (red and blue) and an alpha one of 48.
struct CWidthsFixture {
  CJVKImageManager manager;
  CWidthsFixture() {
    manager.SetIcon(CJVKImageManagerIconHandle(MakeSolidIcon(16, 16, kRed)), 5);
    manager.SetIcon(CJVKImageManagerIconHandle(MakeSolidIcon(32, 32, kBlue)), 5);
    manager.SetIcon(CJVKImageManagerIconHandle(MakeAlphaBitmap(48, 48, [](int, int) { return Argb(255, 0, 0, 9); })), 9);
  }
};

TEST(ImageManager, ARequestTakesTheExactWidthElseScalesTheNearest) {
  struct Case {
    int nAsked;
    int nExpectedWidth;
    BOOL bScaled;
    COLORREF clrSource;
  };
  const Case cases[] = {
      {16, 16, FALSE, kRed},  {32, 32, FALSE, kBlue}, {24, 24, TRUE, kRed},  // a tie: the first in width order
      {30, 30, TRUE, kBlue},  {12, 12, TRUE, kRed},   {0, 16, FALSE, kRed},  // 0: the nearest as it is
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nAsked);
    CWidthsFixture fixture;
    CJVKImageManagerIcon* pIcon = fixture.manager.GetImage(5, c.nAsked);
    ASSERT_NE(pIcon, nullptr);
    EXPECT_EQ(CSize(c.nExpectedWidth, c.nExpectedWidth), pIcon->GetExtent());
    EXPECT_EQ(CSize(c.nExpectedWidth, c.nExpectedWidth), GetIconSize(pIcon->GetIcon().GetIcon()));
    EXPECT_EQ(c.bScaled, pIcon->IsScaled());
    EXPECT_EQ(c.clrSource, IconColor(pIcon->GetIcon().GetIcon(), c.nExpectedWidth / 2, c.nExpectedWidth / 2));
    // A scaled icon is kept under the width asked for.
    if (c.bScaled) {
      EXPECT_EQ(pIcon, fixture.manager.GetIconSet(5)->GetIcon(c.nAsked, FALSE));
    }
  }
  CWidthsFixture fixture;
  EXPECT_EQ(fixture.manager.GetIconSet(5)->GetIcon(24, FALSE), nullptr);
  // Alpha images are never rescaled.
  CJVKImageManagerIcon* pAlpha = fixture.manager.GetImage(9, 24);
  ASSERT_NE(pAlpha, nullptr);
  EXPECT_EQ(48, pAlpha->GetWidth());
  EXPECT_FALSE(pAlpha->IsScaled());
  EXPECT_EQ(fixture.manager.GetImage(10, 16), nullptr);
}

TEST(ImageManager, ScaledIconsAndGeneratedImagesAreDroppedOnChangeAndRefresh) {
  CWidthsFixture fixture;
  CJVKImageManagerIconSet* pSet = fixture.manager.GetIconSet(5);
  ASSERT_NE(fixture.manager.GetImage(5, 24), nullptr);
  CJVKImageManagerIcon* p32 = pSet->GetIcon(32, FALSE);
  ASSERT_FALSE(p32->GetFadedIcon().IsEmpty());
  ASSERT_FALSE(p32->GetDisabledIcon().IsEmpty());

  fixture.manager.RefreshAll();
  EXPECT_EQ(pSet->GetIcon(24, FALSE), nullptr);
  EXPECT_TRUE(p32->GetDisabledIcon(FALSE).IsEmpty());

  ASSERT_NE(fixture.manager.GetImage(5, 24), nullptr);
  ASSERT_FALSE(p32->GetShadowIcon().IsEmpty());
  // A new normal image for one width drops the scaled icons and the
  // generated images of the others.
  fixture.manager.SetIcon(CJVKImageManagerIconHandle(MakeSolidIcon(16, 16, kGreen)), 5);
  EXPECT_EQ(pSet->GetIcon(24, FALSE), nullptr);
  EXPECT_EQ(2u, pSet->GetIcons().size());
  EXPECT_EQ(kGreen, IconColor(fixture.manager.GetImage(5, 24)->GetIcon().GetIcon(), 12, 12));
}

TEST(ImageManager, CustomIconsTakeTheNextIdsAboveTheCounter) {
  CJVKImageManager manager;
  UINT nFirst = manager.AddCustomIcon(CJVKImageManagerIconHandle(MakeSolidIcon(20, 20, kRed)));
  UINT nSecond = manager.AddCustomIcon(CJVKImageManagerIconHandle(MakeSolidIcon(16, 16, kBlue)));
  EXPECT_EQ(0x10AABu, nFirst);
  EXPECT_EQ(0x10AACu, nSecond);
  ASSERT_NE(manager.GetIconSet(nFirst)->GetIcon(20, FALSE), nullptr);
  EXPECT_EQ(kBlue, IconColor(manager.GetImage(nSecond, 16)->GetIcon().GetIcon(), 1, 1));
}

TEST(ImageManager, ImageListEntriesGoToTheirIdsAndZeroIdsAreSeparators) {
  struct Case {
    const char* what;
    std::vector<UINT> ids;
    int nCount;
    std::vector<std::pair<UINT, COLORREF>> expected;
  };
  const Case cases[] = {
      {"no ids: 0, 1, 2", {}, 0, {{0, kRed}, {1, kGreen}, {2, kBlue}}},
      {"a separator between", {10, 0, 11, 12}, 4, {{10, kRed}, {11, kGreen}, {12, kBlue}}},
      {"one id per image: 0 is an id", {10, 0, 12}, 3, {{10, kRed}, {0, kGreen}, {12, kBlue}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CImageList imageList;
    ASSERT_TRUE(imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 3, 0));
    for (COLORREF clr : {kRed, kGreen, kBlue}) {
      HICON hIcon = MakeSolidIcon(16, 16, clr);
      imageList.Add(hIcon);
      ::DestroyIcon(hIcon);
    }
    CJVKImageManager manager;
    ASSERT_TRUE(manager.SetIcons(imageList, c.ids.empty() ? nullptr : c.ids.data(), c.nCount, CSize(0, 0)));
    EXPECT_EQ(c.expected.size(), manager.GetIconSets().size());
    for (const auto& expected : c.expected) {
      CJVKImageManagerIcon* pIcon = manager.GetImage(expected.first, 16);
      ASSERT_NE(pIcon, nullptr) << expected.first;
      EXPECT_EQ(expected.second, IconColor(pIcon->GetIcon().GetIcon(), 8, 8)) << expected.first;
    }
  }
}

TEST(ImageManager, AlphaStripsAreCutIntoPiecesThatKeepTheirPixels) {
  struct Case {
    const char* what;
    std::vector<UINT> ids;
    std::vector<std::pair<UINT, int>> expected;  // id, piece
  };
  const Case cases[] = {
      {"one id each", {1, 2, 3}, {{1, 0}, {2, 1}, {3, 2}}},
      {"a separator", {1, 0, 2, 3}, {{1, 0}, {2, 1}, {3, 2}}},
      {"more ids than pieces", {1, 2, 3, 4, 5}, {{1, 0}, {2, 1}, {3, 2}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CJVKImageManager manager;
    HBITMAP hStrip = MakeAlphaBitmap(48, 16, [](int x, int y) { return FixturePixel(x / 16, x % 16, y, 16); });
    ASSERT_TRUE(manager.SetIcons(hStrip, c.ids.data(), static_cast<int>(c.ids.size()), CSize(16, 16), jvkImageNormal,
                                 TRUE));
    ::DeleteObject(hStrip);
    EXPECT_EQ(c.expected.size(), manager.GetIconSets().size());
    for (const auto& expected : c.expected) {
      CJVKImageManagerIcon* pIcon = manager.GetImage(expected.first, 16);
      ASSERT_NE(pIcon, nullptr);
      ASSERT_TRUE(pIcon->IsAlpha());
      std::vector<DWORD> pixels = ReadPixels(pIcon->GetIcon().GetBitmap());
      ASSERT_EQ(256u, pixels.size());
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
          ASSERT_EQ(FixturePixel(expected.second, x, y, 16), pixels[y * 16 + x]) << x << "," << y;
    }
  }
}

TEST(ImageManager, StripsThatDoNotCutEvenlyStoreNothing) {
  CJVKImageManager manager;
  HBITMAP hStrip = MakeAlphaBitmap(48, 16, [](int, int) { return Argb(255, 1, 1, 1); });
  const UINT ids[] = {1, 2, 3};
  EXPECT_FALSE(manager.SetIcons(hStrip, ids, 3, CSize(20, 16), jvkImageNormal, TRUE));
  EXPECT_FALSE(manager.SetIcons(hStrip, ids, 3, CSize(0, 16), jvkImageNormal, TRUE));
  EXPECT_FALSE(manager.SetIcons(hStrip, ids, 3, CSize(0, 16), jvkImageNormal, FALSE));
  EXPECT_TRUE(manager.GetIconSets().empty());
  ::DeleteObject(hStrip);
}

}  // namespace
