// Gradients, buffers and the small drawing helpers, drawn into memory DCs
// and checked by probe pixels, with msimg32 bound and refused.
#include "ColorManager.h"
#include "DibCanvas.h"
#include "DrawHelpers.h"
#include "GradientSteps.h"
#include "MemDC.h"
#include "Refusal.h"
#include "ScopeDC.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const COLORREF kFill = RGB(1, 2, 3);

::testing::AssertionResult Near(COLORREF actual, COLORREF expected, int tolerance = 2) {
  if (abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
      abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
      abs(GetBValue(actual) - GetBValue(expected)) <= tolerance)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << std::hex << "0x" << actual << " is not near 0x" << expected;
}

TEST(GradientFill, BoundGradientFillRunsFromFirstToSecondColour) {
  ASSERT_TRUE(JVKDrawHelpers()->HasGradientFill());
  CDibCanvas canvas(100, 20);
  const CRect rect(0, 0, 100, 20);
  JVKDrawHelpers()->GradientFill(canvas.DC(), &rect, RGB(255, 0, 0), RGB(0, 0, 255), TRUE);
  EXPECT_TRUE(Near(canvas.Pixel(0, 10), RGB(255, 0, 0), 4));
  EXPECT_TRUE(Near(canvas.Pixel(99, 10), RGB(0, 0, 255), 4));
  EXPECT_TRUE(Near(canvas.Pixel(50, 10), RGB(127, 0, 127), 4));
  EXPECT_EQ(canvas.Pixel(50, 0), canvas.Pixel(50, 19)) << "horizontal: columns are uniform";

  const CRect column(0, 0, 10, 20);
  JVKDrawHelpers()->GradientFill(canvas.DC(), &column, RGB(0, 0, 0), RGB(0, 200, 0), FALSE);
  EXPECT_TRUE(Near(canvas.Pixel(5, 0), RGB(0, 0, 0), 4));
  EXPECT_TRUE(Near(canvas.Pixel(5, 19), RGB(0, 200, 0), 12));
}

TEST(GradientFill, WithoutMsimg32EachLineGetsItsStepColourInsideTheClipBox) {
  CRefusal refusal({"msimg32.dll"});
  ASSERT_FALSE(JVKDrawHelpers()->HasGradientFill());
  CDibCanvas canvas(40, 10);
  canvas.DC()->IntersectClipRect(10, 0, 30, 10);
  const CRect rect(0, 0, 40, 10);
  JVKDrawHelpers()->GradientFill(canvas.DC(), &rect, RGB(255, 0, 0), RGB(0, 0, 255), TRUE);
  for (int x : {10, 11, 20, 29})
    EXPECT_EQ(canvas.Pixel(x, 5), GradientStepColor(RGB(255, 0, 0), RGB(0, 0, 255), x, 40)) << x;
  EXPECT_EQ(canvas.Pixel(9, 5), kFill) << "left of the clip box";
  EXPECT_EQ(canvas.Pixel(30, 5), kFill) << "right of the clip box";

  CDibCanvas rows(10, 8);
  const CRect tall(0, 0, 10, 8);
  JVKDrawHelpers()->GradientFill(rows.DC(), &tall, RGB(0, 0, 0), RGB(0, 160, 0), FALSE);
  for (int y = 0; y < 8; ++y) EXPECT_EQ(rows.Pixel(3, y), RGB(0, 20 * y, 0)) << y;
}

TEST(GradientFill, EqualColoursOrEmptyRectangleNeedNoGradient) {
  CDibCanvas canvas(20, 20);
  const CRect rect(2, 2, 18, 18);
  JVKDrawHelpers()->GradientFill(canvas.DC(), &rect, RGB(9, 99, 199), RGB(9, 99, 199), TRUE);
  EXPECT_EQ(canvas.Pixel(2, 2), RGB(9, 99, 199));
  EXPECT_EQ(canvas.Pixel(17, 17), RGB(9, 99, 199));
  EXPECT_EQ(canvas.Pixel(18, 18), kFill);
  const CRect empty(5, 5, 5, 15);
  JVKDrawHelpers()->GradientFill(canvas.DC(), &empty, RGB(255, 255, 255), 0, TRUE);
  JVKDrawHelpers()->GradientFill(canvas.DC(), nullptr, RGB(255, 255, 255), 0, TRUE);
  EXPECT_EQ(canvas.Pixel(0, 0), kFill);
}

TEST(GradientFill, FourColourRecordIsTwoHalvesAndOneMiddleUnsetIsOneGradient) {
  CRefusal refusal({"msimg32.dll"});
  CJVKGradientColor four;
  four.m_clrStart.m_clrValue = RGB(255, 0, 0);
  four.m_clrMiddle1.m_clrValue = RGB(0, 255, 0);
  four.m_clrMiddle2.m_clrValue = RGB(0, 0, 255);
  four.m_clrEnd.m_clrOverride = RGB(255, 255, 255);
  CDibCanvas canvas(40, 4);
  const CRect rect(0, 0, 40, 4);
  JVKDrawHelpers()->GradientFillColor(canvas.DC(), &rect, four, TRUE);
  EXPECT_EQ(canvas.Pixel(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(canvas.Pixel(19, 0), GradientStepColor(RGB(255, 0, 0), RGB(0, 255, 0), 19, 20));
  EXPECT_EQ(canvas.Pixel(20, 0), RGB(0, 0, 255)) << "second half starts at the middle with middle 2";
  EXPECT_EQ(canvas.Pixel(39, 0), GradientStepColor(RGB(0, 0, 255), RGB(255, 255, 255), 19, 20));

  four.m_clrMiddle2.m_clrValue = JVK_COLOR_UNSET;
  JVKDrawHelpers()->GradientFillColor(canvas.DC(), &rect, four, TRUE);
  EXPECT_EQ(canvas.Pixel(20, 0), GradientStepColor(RGB(255, 0, 0), RGB(255, 255, 255), 20, 40));
}

TEST(GradientFill, MemDCPrefillsWithItsGradientAndCopiesBackToItsRectangle) {
  CDibCanvas canvas(60, 30);
  {
    CJVMemDC mem(canvas.DC(), CRect(10, 5, 50, 25), CJVKGradientColor(RGB(0, 128, 0)));
    ASSERT_TRUE(mem.IsValid());
    EXPECT_EQ(canvas.Pixel(20, 10), kFill) << "nothing reaches the target before the end";
    mem.SetPixel(0, 0, RGB(255, 255, 255));
  }
  EXPECT_EQ(canvas.Pixel(10, 5), RGB(255, 255, 255));
  EXPECT_EQ(canvas.Pixel(30, 15), RGB(0, 128, 0));
  EXPECT_EQ(canvas.Pixel(49, 24), RGB(0, 128, 0));
  EXPECT_EQ(canvas.Pixel(50, 25), kFill);
  EXPECT_EQ(canvas.Pixel(9, 5), kFill);
}

TEST(GradientFill, BufferDCDrawsInTargetCoordinatesAndCopiesTheRectangle) {
  CDibCanvas canvas(40, 40);
  {
    CJVKBufferDC buffer(canvas.DC()->GetSafeHdc(), 10, 10, 30, 30);
    buffer.FillSolidRect(0, 0, 40, 40, RGB(7, 7, 7));
  }
  EXPECT_EQ(canvas.Pixel(10, 10), RGB(7, 7, 7));
  EXPECT_EQ(canvas.Pixel(29, 29), RGB(7, 7, 7));
  EXPECT_EQ(canvas.Pixel(9, 9), kFill);
  EXPECT_EQ(canvas.Pixel(30, 30), kFill);
}

TEST(GradientFill, ScopeObjectsSelectAndRestore) {
  CDibCanvas canvas(20, 20);
  HDC hDC = canvas.DC()->GetSafeHdc();
  HGDIOBJ hPenBefore = ::GetCurrentObject(hDC, OBJ_PEN);
  HGDIOBJ hBrushBefore = ::GetCurrentObject(hDC, OBJ_BRUSH);
  {
    CJVKPenDC pen(hDC, RGB(200, 0, 0));
    EXPECT_EQ(pen.GetColor(), RGB(200, 0, 0));
    CJVKBrushDC brush(hDC, RGB(0, 0, 200));
    brush.SetColor(RGB(0, 90, 0));
    canvas.DC()->Rectangle(0, 0, 10, 10);
  }
  EXPECT_EQ(canvas.Pixel(0, 0), RGB(200, 0, 0));
  EXPECT_EQ(canvas.Pixel(5, 5), RGB(0, 90, 0));
  EXPECT_EQ(::GetCurrentObject(hDC, OBJ_PEN), hPenBefore);
  EXPECT_EQ(::GetCurrentObject(hDC, OBJ_BRUSH), hBrushBefore);

  HGDIOBJ hFontBefore = ::GetCurrentObject(hDC, OBJ_FONT);
  CFont font;
  font.CreateFont(12, 0, 0, 0, 400, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
  {
    CJVKFontDC scope(canvas.DC(), &font);
    EXPECT_EQ(::GetCurrentObject(hDC, OBJ_FONT), font.GetSafeHandle());
    scope.SetFont(nullptr);
    EXPECT_EQ(::GetCurrentObject(hDC, OBJ_FONT), hFontBefore);
    scope.SetFont(&font);
  }
  EXPECT_EQ(::GetCurrentObject(hDC, OBJ_FONT), hFontBefore);
}

TEST(GradientFill, HalftoneTrianglesBlurAndCorners) {
  CDibCanvas canvas(16, 16);
  JVKDrawHelpers()->FillHalftoneRect(canvas.DC(), CRect(0, 0, 8, 8));
  // The face and the button highlight (20) alternate; not the selection
  // highlight (13).
  const COLORREF face = GetColorManager()->GetColor(COLOR_3DFACE);
  const COLORREF highlight = GetColorManager()->GetColor(COLOR_BTNHIGHLIGHT);
  ASSERT_NE(face, highlight);
  ASSERT_NE(highlight, GetColorManager()->GetColor(COLOR_HIGHLIGHT));
  const struct {
    int x, y;
    COLORREF clr;
  } pixels[] = {{0, 0, highlight}, {1, 0, face}, {0, 1, face}, {1, 1, highlight}, {6, 7, face}, {7, 7, highlight}};
  for (const auto& p : pixels) EXPECT_EQ(p.clr, canvas.Pixel(p.x, p.y)) << p.x << "," << p.y;
  EXPECT_EQ(kFill, canvas.Pixel(8, 0)) << "nothing outside the rectangle";

  CDibCanvas shapes(16, 16);
  CJVKDrawHelpers::Triangle(shapes.DC(), CPoint(0, 0), CPoint(15, 0), CPoint(0, 15), RGB(0, 200, 0));
  EXPECT_EQ(shapes.Pixel(3, 3), RGB(0, 200, 0));
  EXPECT_EQ(shapes.Pixel(14, 14), kFill);

  shapes.DC()->SetPixel(10, 10, RGB(100, 0, 200));
  shapes.DC()->SetPixel(11, 10, RGB(0, 50, 100));
  const POINT pair[2] = {{10, 10}, {1, 0}};
  CJVKDrawHelpers::BlurPoints(shapes.DC(), pair, 1);
  EXPECT_EQ(shapes.Pixel(10, 10), RGB(50, 25, 150));

  CDibCanvas corners(10, 10);
  CJVKDrawHelpers::ExcludeCorners(corners.DC(), 0, 0, 10, 10);
  corners.DC()->FillSolidRect(0, 0, 10, 10, RGB(255, 255, 255));
  EXPECT_EQ(corners.Pixel(0, 0), kFill);
  EXPECT_EQ(corners.Pixel(9, 9), kFill);
  EXPECT_EQ(corners.Pixel(1, 0), RGB(255, 255, 255));
}

TEST(GradientFill, BitmapPixelAndIcon) {
  EXPECT_EQ(CJVKDrawHelpers::GetBitmapPixelColor(nullptr), JVK_COLOR_UNSET);
  HBRUSH hBrush = ::CreateSolidBrush(0);
  EXPECT_EQ(CJVKDrawHelpers::GetBitmapPixelColor(reinterpret_cast<HBITMAP>(hBrush)), JVK_COLOR_UNSET);
  ::DeleteObject(hBrush);
  EXPECT_EQ(CJVKDrawHelpers::BitmapToIcon(nullptr), nullptr);

  HDC hScreen = ::GetDC(nullptr);
  HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 16, 16);
  ::ReleaseDC(nullptr, hScreen);
  HDC hMem = ::CreateCompatibleDC(nullptr);
  HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
  RECT all = {0, 0, 16, 16};
  ::FillRect(hMem, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::SetPixel(hMem, 0, 0, RGB(255, 0, 255));
  ::SelectObject(hMem, hOld);
  ::DeleteDC(hMem);
  EXPECT_EQ(CJVKDrawHelpers::GetBitmapPixelColor(hBitmap), RGB(255, 0, 255));
  HICON hIcon = CJVKDrawHelpers::BitmapToIcon(hBitmap);
  ASSERT_NE(hIcon, nullptr);
  ICONINFO info = {};
  ASSERT_TRUE(::GetIconInfo(hIcon, &info));
  BITMAP bm = {};
  ::GetObject(info.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 16);
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  ::DestroyIcon(hIcon);
  ::DeleteObject(hBitmap);
}

TEST(GradientFill, KeyToLayoutSwapsArrowsOnlyRightToLeft) {
  CWnd plain, mirrored;
  ASSERT_TRUE(plain.CreateEx(0, "STATIC", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  ASSERT_TRUE(mirrored.CreateEx(WS_EX_LAYOUTRTL, "STATIC", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
  UINT key = VK_LEFT;
  CJVKDrawHelpers::KeyToLayout(&plain, key);
  EXPECT_EQ(key, static_cast<UINT>(VK_LEFT));
  CJVKDrawHelpers::KeyToLayout(&mirrored, key);
  EXPECT_EQ(key, static_cast<UINT>(VK_RIGHT));
  CJVKDrawHelpers::KeyToLayout(&mirrored, key);
  EXPECT_EQ(key, static_cast<UINT>(VK_LEFT));
  key = VK_UP;
  CJVKDrawHelpers::KeyToLayout(&mirrored, key);
  EXPECT_EQ(key, static_cast<UINT>(VK_UP));
  EXPECT_TRUE(CJVKDrawHelpers::GetWindowRect(static_cast<CWnd*>(nullptr)).IsRectNull());
  EXPECT_TRUE(CJVKDrawHelpers::GetClientRect(static_cast<CWnd*>(nullptr)).IsRectNull());
  EXPECT_EQ(CJVKDrawHelpers::GetClientRect(&plain).Width(), 10);
  plain.DestroyWindow();
  mirrored.DestroyWindow();
}

TEST(GradientFill, DefaultFontIsAnInstalledFace) {
  EXPECT_FALSE(CJVKDrawHelpers::FontExists("No Such Face Anywhere"));
  const CString face = CJVKDrawHelpers::GetDefaultFontName(TRUE);
  EXPECT_FALSE(face.IsEmpty());
  if (face == "Tahoma" || face == "Arial") {
    EXPECT_TRUE(CJVKDrawHelpers::FontExists(face));
  }
}

// Gradients of the colour manager's records side by side, written out when
// UIKIT_SNAPSHOT names a file (to look at them).
TEST(GradientFill, SnapshotOfTheThemeGradients) {
  CDibCanvas canvas(320, 8 * 24);
  for (int i = 0; i < 8; ++i) {
    const CRect rect(0, i * 24, 320, i * 24 + 22);
    JVKDrawHelpers()->GradientFillColor(canvas.DC(), &rect, GetColorManager()->GetGradient(i), i % 2 == 0);
  }
  const CJVKGradientColor& g1 = GetColorManager()->GetGradient(1);
  EXPECT_TRUE(Near(canvas.Pixel(0, 24), g1.m_clrStart, 4));
  if (const char* path = getenv("UIKIT_SNAPSHOT")) canvas.Save(path);
}

}  // namespace

namespace {

TEST(WindowHelpers, CursorInClientCoordinatesAndTopParentActivity) {
  CWnd top;
  ASSERT_TRUE(top.CreateEx(0, "STATIC", "", WS_POPUP, CRect(100, 120, 300, 320), nullptr, 0));
  CWnd child;
  ASSERT_TRUE(child.CreateEx(0, "STATIC", "", WS_CHILD, CRect(10, 20, 50, 60), &top, 1));
  ASSERT_TRUE(::SetCursorPos(150, 200));
  EXPECT_EQ(CJVKDrawHelpers::GetClientCursorPos(&top), CPoint(50, 80));
  EXPECT_EQ(CJVKDrawHelpers::GetClientCursorPos(&child), CPoint(40, 60));
  EXPECT_EQ(CJVKDrawHelpers::GetWindowRect(child.GetSafeHwnd()), CRect(110, 140, 150, 180));
  // A hidden window is never the foreground one.
  EXPECT_FALSE(CJVKDrawHelpers::IsTopParentActive(child.GetSafeHwnd()));
  HWND hGone = top.GetSafeHwnd();
  top.DestroyWindow();
  EXPECT_TRUE(CJVKDrawHelpers::GetWindowRect(hGone).IsRectNull());
}

}  // namespace
