// The picture-fit rules of the video windows and the playback graph, pure:
// the largest 4:3 or 16:9 picture centred in an area, the video child window
// around it (widened by the overscan margins, which are cut off equally on
// each side), the renderer's window (overlapping the child window's edges),
// and the picture shape read from the renderer's preferred aspect ratio.
#pragma once

struct VideoRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const VideoRect&) const = default;
};

// The picture in an area of width x height from its origin: full width at
// the shape's height, or full height at the shape's width when the area is
// too low; centred (integer halves).
VideoRect FitPicture(int width, int height, bool wide);

// The video child window for a picture fitted into width x height, widened
// by xScale to the left and right and yScale to the top and bottom.
VideoRect FitVideoChild(int width, int height, bool wide, int xScale, int yScale);

// The same, with the picture's offsets clamped at 0 (the host's placement).
VideoRect PlaceVideoChild(int width, int height, bool wide, int xScale, int yScale);

// The renderer's window for a picture rectangle: border pixels beyond each edge.
VideoRect RendererWindow(const VideoRect& picture, int border);

// Whether a preferred aspect ratio x:y is shown at 16:9: exactly 16:9 yes,
// exactly 4:3 no, else when y is within 1 of x * 9 / 16. An unknown ratio
// (either part 0) keeps the current shape.
bool IsWidePicture(long x, long y, bool current);
