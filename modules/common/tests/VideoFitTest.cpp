// The picture-fit rules of the video windows and the playback graph, the
// picture shape from the renderer's aspect ratio, and the BMP file around a
// renderer's DIB.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <ostream>

#include "BmpFile.h"
#include "VideoFit.h"

void PrintTo(const VideoRect& r, std::ostream* os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

TEST(VideoFitTest, PictureFillsTheWidthOrTheHeightCentred) {
  struct Case {
    int width, height;
    bool wide;
    VideoRect picture;
  } cases[] = {
      {800, 400, false, {133, 0, 666, 400}},     // too low: full height, 533 wide
      {1920, 1080, true, {0, 0, 1920, 1080}},    // a 16:9 monitor at 16:9: exactly
      {1920, 1080, false, {240, 0, 1680, 1080}}, // ... at 4:3
      {640, 480, false, {0, 0, 640, 480}},
      {640, 480, true, {0, 60, 640, 420}},
      {720, 576, true, {0, 85, 720, 490}},       // 405 high
      {641, 1000, false, {0, 260, 641, 740}},    // 480.75 high, truncated
      {0, 0, false, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << (c.wide ? " 16:9" : " 4:3"));
    EXPECT_EQ(c.picture, FitPicture(c.width, c.height, c.wide));
  }
}

TEST(VideoFitTest, VideoChildIsWidenedByTheOverscanMargins) {
  EXPECT_EQ((VideoRect{125, -6, 674, 406}), FitVideoChild(800, 400, false, 8, 6));
  EXPECT_EQ((VideoRect{0, 60, 640, 420}), FitVideoChild(640, 480, true, 0, 0));
  // The host's placement keeps the same size with the offsets clamped at 0.
  EXPECT_EQ((VideoRect{125, -6, 674, 406}), PlaceVideoChild(800, 400, false, 8, 6));
  EXPECT_EQ((VideoRect{-3, -3, 103, 78}), PlaceVideoChild(100, 75, false, 3, 3));
  // The renderer's window overlaps each edge of the picture by the border.
  const VideoRect renderer = RendererWindow(FitPicture(640, 480, false), 15);
  EXPECT_EQ((VideoRect{-15, -15, 655, 495}), renderer);
  EXPECT_EQ(670, renderer.Width());
  EXPECT_EQ(510, renderer.Height());
}

TEST(VideoFitTest, PictureShapeFromThePreferredAspectRatio) {
  struct Case {
    long x, y;
    bool current, wide;
  } cases[] = {
      {16, 9, false, true},   {4, 3, true, false},    {704, 396, false, true}, {704, 397, false, true},
      {704, 395, false, true}, {704, 398, false, false}, {720, 576, true, false},
      {0, 0, true, true},     {0, 0, false, false},   {16, 0, true, true},  // unknown: unchanged
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ":" << c.y);
    EXPECT_EQ(c.wide, IsWidePicture(c.x, c.y, c.current));
  }
}

// A DIB header: width, height, bits per pixel, colours used.
std::vector<uint8_t> Dib(int32_t width, int32_t height, uint16_t bits, uint32_t used, uint32_t compression = 0) {
  std::vector<uint8_t> d(40, 0);
  auto put = [&](size_t at, uint32_t v, int n) {
    for (int i = 0; i < n; i++) d[at + i] = static_cast<uint8_t>(v >> (8 * i));
  };
  put(0, 40, 4);
  put(4, static_cast<uint32_t>(width), 4);
  put(8, static_cast<uint32_t>(height), 4);
  put(12, 1, 2);
  put(14, bits, 2);
  put(16, compression, 4);
  put(32, used, 4);
  return d;
}

// What the snapshot's check of a renderer's block answers with sizes of type
// Size: the DIB's size for a block that holds exactly the DIB, 0 for a byte
// less and for a block of the header alone; a DIB larger than Size can count
// fits no block.
template <typename Size>
void ExpectBlockCheck(const std::vector<uint8_t>& dib, uint64_t size) {
  constexpr Size kLargest = std::numeric_limits<Size>::max();
  if (size == 0 || size > kLargest) {
    EXPECT_EQ(Size(0), DibSizeIn<Size>(dib, kLargest));
    return;
  }
  EXPECT_EQ(Size(size), DibSizeIn<Size>(dib, Size(size)));
  EXPECT_EQ(Size(0), DibSizeIn<Size>(dib, Size(size - 1)));
  if (size > dib.size()) {
    EXPECT_EQ(Size(0), DibSizeIn<Size>(dib, Size(dib.size())));
  }
}

TEST(BmpFileTest, SizesAndFileHeaderOfRendererImages) {
  struct Case {
    std::vector<uint8_t> dib;
    uint32_t entries;
    uint64_t size;
  } cases[] = {
      {Dib(2, 2, 32, 0), 0, 40 + 16},
      {Dib(3, -2, 24, 0), 0, 40 + 2 * 12},         // top-down, rows padded to 4 bytes
      {Dib(4, 4, 8, 0), 256, 40 + 1024 + 16},
      {Dib(4, 4, 8, 16), 16, 40 + 64 + 16},
      {Dib(8, 1, 16, 0, 3), 3, 40 + 12 + 16},      // BI_BITFIELDS masks
      {Dib(0, 4, 32, 0), 0, 0},                    // no picture
      {Dib(4, 4, 0, 0), 1, 0},
      {std::vector<uint8_t>(12, 0), 0, 0},         // cut inside the header
      // Sizes a 32-bit size_t cannot hold (the shipped width): 2^32 + 40
      // wraps to 40, the header alone, and 2^34 + 40 too.
      {Dib(65536, 16384, 32, 0), 0, (1ull << 32) + 40},
      {Dib(65536, 65536, 32, 0), 0, (1ull << 34) + 40},
      {Dib(65536, -65536, 24, 0), 0, 3 * (1ull << 32) + 40},
      {Dib(65536, 16383, 32, 0), 0, (1ull << 32) - 4 * 65536 + 40},  // one row less: fits in 32 bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "size " << c.size);
    EXPECT_EQ(c.entries, DibColourEntries(c.dib));
    EXPECT_EQ(c.size, DibSize(c.dib));
    // The shipped build's arithmetic, explicitly, and this build's.
    ExpectBlockCheck<uint32_t>(c.dib, c.size);
    ExpectBlockCheck<size_t>(c.dib, c.size);
  }
  std::vector<uint8_t> dib = Dib(4, 4, 8, 0);
  dib.resize(static_cast<size_t>(DibSize(dib)));
  const std::vector<uint8_t> header = BmpFileHeader(dib);
  const std::vector<uint8_t> expected = {'B', 'M', 0x46, 0x04, 0, 0, 0, 0, 0, 0, 0x36, 0x04, 0, 0};
  EXPECT_EQ(expected, header);  // 14 + 1080 bytes; pixels at 14 + 40 + 1024
}

}  // namespace
