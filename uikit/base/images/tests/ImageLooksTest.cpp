// The generated looks of icons as drawn on GDI (faded, disabled, shadow) on
// both paths, alpha bitmaps and icons, and the drawing of each kind of image.
#include "ImageManager.h"

#include <gtest/gtest.h>

#include "ColorManager.h"
#include "DibCanvas.h"
#include "ImageTestSupport.h"
#include "Refusal.h"

namespace {

enum Look { kFaded, kDisabled, kShadowLook };

// The shadow's base colour is the colour manager's colour 31, set here.
const COLORREF kShadowBase = RGB(200, 100, 40);
const COLORREF kShadowColor = RGB(150, 75, 30);

class ImageLooks : public ::testing::Test {
 protected:
  void SetUp() override { GetColorManager()->SetOverride(31, kShadowBase); }
  void TearDown() override { GetColorManager()->SetOverride(31, JVK_COLOR_UNSET); }

  static CJVKImageManagerIconHandle& LookOf(CJVKImageManagerIcon* pIcon, Look look) {
    switch (look) {
      case kFaded: return pIcon->GetFadedIcon();
      case kDisabled: return pIcon->GetDisabledIcon();
      default: return pIcon->GetShadowIcon();
    }
  }
};

struct LookCase {
  Look look;
  COLORREF clrIn;
  COLORREF clrOut;
};

// Faded: 0.7 c + 76.5; disabled: 255 sqrt(luma / 255) in every channel;
// shadow: 3/4 of colour 31. Values truncate.
const LookCase kLookCases[] = {
    {kFaded, RGB(0, 0, 0), RGB(76, 76, 76)},
    {kFaded, RGB(255, 255, 255), RGB(255, 255, 255)},
    {kFaded, RGB(100, 10, 201), RGB(146, 83, 217)},
    {kDisabled, RGB(255, 0, 0), RGB(139, 139, 139)},
    {kDisabled, RGB(0, 0, 0), RGB(0, 0, 0)},
    {kDisabled, RGB(0, 0, 255), RGB(86, 86, 86)},
    {kShadowLook, RGB(12, 34, 56), kShadowColor},
    {kShadowLook, RGB(255, 255, 255), kShadowColor},
};

COLORREF ColorOf(DWORD px) { return RGB((px >> 16) & 0xFF, (px >> 8) & 0xFF, px & 0xFF); }

// Each look on both paths. The source is 8 x 8 in the case's colour: an
// alpha image opaque on the left and at alpha 64 on the right, or an icon
// opaque on the left and transparent (black) on the right.
TEST_F(ImageLooks, AlphaImagesKeepTheirAlphaAndIconsChangeOnlyTheirOpaquePixels) {
  for (BOOL bAlpha : {TRUE, FALSE}) {
    for (const LookCase& c : kLookCases) {
      SCOPED_TRACE(::testing::Message() << (bAlpha ? "alpha " : "icon ") << c.look << " of " << std::hex << c.clrIn);
      const PixelRule rule = [&](int x, int) {
        return Argb(x < 4 ? 255 : (bAlpha ? 64 : 0), GetRValue(c.clrIn), GetGValue(c.clrIn), GetBValue(c.clrIn));
      };
      CJVKImageManager manager;
      if (bAlpha)
        manager.SetIcon(CJVKImageManagerIconHandle(MakeAlphaBitmap(8, 8, rule)), 1);
      else
        manager.SetIcon(CJVKImageManagerIconHandle(MakeIcon(8, 8, rule)), 1);
      CJVKImageManagerIconHandle& hLook = LookOf(manager.GetImage(1, 8), c.look);
      ASSERT_EQ(bAlpha, hLook.IsAlpha());
      if (bAlpha) {
        std::vector<DWORD> pixels = ReadPixels(hLook.GetBitmap());
        EXPECT_EQ(c.clrOut, ColorOf(pixels[0]));
        EXPECT_EQ(c.clrOut, ColorOf(pixels[7]));
        EXPECT_EQ(255u, pixels[0] >> 24);
        EXPECT_EQ(64u, pixels[7] >> 24);
      } else {
        ASSERT_NE(hLook.GetIcon(), nullptr);
        CIconPixels pixels = ReadIconPixels(hLook.GetIcon());
        EXPECT_EQ(c.clrOut, ColorOf(pixels.colour[0]));
        EXPECT_EQ(0u, pixels.colour[7] & 0xFFFFFF);
        EXPECT_EQ(0u, pixels.mask[0] & 0xFFFFFF);
        EXPECT_NE(0u, pixels.mask[7] & 0xFFFFFF);
      }
    }
  }
}

TEST_F(ImageLooks, ShadowFollowsTheHotImageAndAGivenDisabledImageWins) {
  CJVKImageManager manager;
  manager.SetIcon(CJVKImageManagerIconHandle(MakeSolidIcon(8, 8, RGB(255, 0, 0))), 1);
  CJVKImageManagerIcon* pIcon = manager.GetImage(1, 8);
  // With a hot image the shadow takes its outline.
  HICON hHot = MakeIcon(8, 8, [](int x, int) { return Argb(x < 2 ? 255 : 0, 0, 0, 255); });
  manager.SetIcon(CJVKImageManagerIconHandle(hHot), 1, CSize(0, 0), jvkImageHot);
  CIconPixels shadow = ReadIconPixels(pIcon->GetShadowIcon().GetIcon());
  EXPECT_EQ(0u, shadow.mask[1] & 0xFFFFFF);
  EXPECT_NE(0u, shadow.mask[2] & 0xFFFFFF);

  EXPECT_FALSE(pIcon->HasDisabledIcon());
  manager.SetIcon(CJVKImageManagerIconHandle(MakeSolidIcon(8, 8, RGB(1, 2, 3))), 1, CSize(0, 0), jvkImageDisabled);
  ASSERT_TRUE(pIcon->HasDisabledIcon());
  CIconPixels disabled = ReadIconPixels(pIcon->GetDisabledIcon().GetIcon());
  EXPECT_EQ(Argb(0, 1, 2, 3), disabled.colour[0] & 0xFFFFFF);
}

// A 16 x 8 alpha image: opaque red left, half-transparent blue right.
HBITMAP MakeTwoHalves() {
  return MakeAlphaBitmap(16, 8, [](int x, int) { return x < 8 ? Argb(255, 255, 0, 0) : Argb(128, 0, 0, 200); });
}

TEST_F(ImageLooks, AlphaImagesAreBlendedOntoTheBackground) {
  CJVKImageManager manager;
  manager.SetIcon(CJVKImageManagerIconHandle(MakeTwoHalves()), 1);
  CJVKImageManagerIcon* pIcon = manager.GetImage(1, 16);
  CDibCanvas canvas(40, 20, RGB(255, 255, 255));
  pIcon->Draw(canvas.DC(), CPoint(2, 3), pIcon->GetIcon());
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(1, 3));
  EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(2, 3));
  // Blue 200 at alpha 128 over white: 200 x 128 / 255 + 255 x 127 / 255.
  COLORREF clrBlend = canvas.Pixel(12, 5);
  EXPECT_NEAR(127, GetRValue(clrBlend), 1);
  EXPECT_NEAR(227, GetBValue(clrBlend), 1);
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(18, 3));
  // Twice the width stretches it, the height following.
  CDibCanvas wide(40, 20, RGB(255, 255, 255));
  pIcon->Draw(wide.DC(), CPoint(0, 0), pIcon->GetIcon(), 32);
  EXPECT_EQ(RGB(255, 0, 0), wide.Pixel(15, 15));
  EXPECT_EQ(RGB(255, 255, 255), wide.Pixel(15, 16));
}

TEST_F(ImageLooks, WithoutAlphaBlendAlphaImagesAreNotDrawn) {
  CRefusal refusal({"msimg32.dll!AlphaBlend"});
  CJVKImageManager manager;
  EXPECT_FALSE(manager.IsAlphaIconsSupported());
  manager.SetIcon(CJVKImageManagerIconHandle(MakeTwoHalves()), 1);
  CJVKImageManagerIcon* pIcon = manager.GetImage(1, 16);
  CDibCanvas canvas(20, 10, RGB(255, 255, 255));
  pIcon->Draw(canvas.DC(), CPoint(0, 0), pIcon->GetIcon());
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(2, 2));
}

// Draws onto a white 16 x 16 canvas in each direction and checks it; x
// positions given for the unmirrored drawing are mirrored by At.
template <class Draw, class Check>
void DrawBothWays(CJVKImageManager& manager, Draw draw, Check check) {
  for (BOOL bMirror : {FALSE, TRUE}) {
    SCOPED_TRACE(bMirror);
    manager.m_bDrawReverse = bMirror;
    CDibCanvas canvas(16, 16, RGB(255, 255, 255));
    draw(canvas.DC());
    check(canvas, [bMirror](int x) { return bMirror ? 15 - x : x; });
  }
  manager.m_bDrawReverse = FALSE;
}

TEST_F(ImageLooks, IconsAreDrawnThroughTheirMaskAndMirroredOnRequest) {
  CJVKImageManager manager;
  // Red in the left quarter, green beyond; the right half transparent.
  manager.SetIcon(CJVKImageManagerIconHandle(MakeIcon(16, 16,
                                                      [](int x, int) {
                                                        return Argb(x < 8 ? 255 : 0, x < 4 ? 255 : 0, x < 4 ? 0 : 255, 0);
                                                      })),
                  1);
  CJVKImageManagerIcon* pIcon = manager.GetImage(1, 16);
  DrawBothWays(
      manager, [&](CDC* pDC) { pIcon->Draw(pDC, CPoint(0, 0), pIcon->GetIcon()); },
      [](CDibCanvas& canvas, auto At) {
        EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(At(1), 5));
        EXPECT_EQ(RGB(0, 255, 0), canvas.Pixel(At(6), 5));
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(At(12), 5));
      });
  // An empty image draws nothing.
  CDibCanvas canvas(16, 16, RGB(255, 255, 255));
  CJVKImageManagerIconHandle hEmpty;
  pIcon->Draw(canvas.DC(), CPoint(0, 0), hEmpty);
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(1, 5));
}

TEST_F(ImageLooks, TheOneColourLookPaintsTheOpaqueShapeInTheBrushColour) {
  CJVKImageManager manager;
  manager.SetIcon(CJVKImageManagerIconHandle(MakeIcon(16, 16, [](int x, int) { return Argb(x < 8 ? 255 : 0, 0, 0, 0); })),
                  1);
  CJVKImageManagerIcon* pIcon = manager.GetImage(1, 16);
  DrawBothWays(
      manager, [&](CDC* pDC) { pIcon->DrawMono(pDC, CPoint(0, 0), pIcon->GetIcon(), RGB(10, 120, 30)); },
      [](CDibCanvas& canvas, auto At) {
        EXPECT_EQ(RGB(10, 120, 30), canvas.Pixel(At(2), 6));
        EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(At(13), 6));
      });
  // Nothing for an alpha image.
  manager.SetIcon(CJVKImageManagerIconHandle(MakeTwoHalves()), 2);
  CJVKImageManagerIcon* pAlpha = manager.GetImage(2, 16);
  CDibCanvas canvas(16, 16, RGB(255, 255, 255));
  pAlpha->DrawMono(canvas.DC(), CPoint(0, 0), pAlpha->GetIcon(), RGB(10, 120, 30));
  EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(2, 2));
}

}  // namespace
