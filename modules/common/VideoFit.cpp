#include "VideoFit.h"

namespace {

// Height per width and width per height of the two shapes, as the renderer's
// placement has always computed them (truncated toward zero).
constexpr double kHeightPerWidth[2] = {0.75, 0.5625};
constexpr float kWidthPerHeight[2] = {1.3333334f, 1.7777778f};

}  // namespace

VideoRect FitPicture(int width, int height, bool wide) {
  int w = width;
  int h = static_cast<int>(width * kHeightPerWidth[wide]);
  if (height < h) {
    h = height;
    w = static_cast<int>(static_cast<float>(height) * kWidthPerHeight[wide]);
  }
  VideoRect r;
  r.left = (width - w) / 2;
  r.top = (height - h) / 2;
  r.right = r.left + w;
  r.bottom = r.top + h;
  return r;
}

VideoRect FitVideoChild(int width, int height, bool wide, int xScale, int yScale) {
  const VideoRect p = FitPicture(width, height, wide);
  return {p.left - xScale, p.top - yScale, p.right + xScale, p.bottom + yScale};
}

VideoRect PlaceVideoChild(int width, int height, bool wide, int xScale, int yScale) {
  VideoRect p = FitPicture(width, height, wide);
  const int w = p.Width(), h = p.Height();
  if (p.left < 0) p.left = 0;
  if (p.top < 0) p.top = 0;
  return {p.left - xScale, p.top - yScale, p.left + w + xScale, p.top + h + yScale};
}

VideoRect RendererWindow(const VideoRect& picture, int border) {
  return {picture.left - border, picture.top - border, picture.right + border, picture.bottom + border};
}

bool IsWidePicture(long x, long y, bool current) {
  if (x == 0 || y == 0) return current;
  if (x == 16 && y == 9) return true;
  if (x == 4 && y == 3) return false;
  const long expected = x * 9 / 16;
  return y >= expected - 1 && y <= expected + 1;
}
