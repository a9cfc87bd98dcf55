#include "ShadowRules.h"

#include <algorithm>

namespace {

// The side of a shadow's corner square.
const int kCorner = 4;

// Alpha a and colour factor num / den.
struct Shade {
  int nAlpha, nNum, nDen;
};

// The corner square: i counted from the outer end, j from the far edge.
Shade CornerShade(int i, int j, int k) { return {3 * k * i * j, i * j, 20}; }
// Along the strip: n counted from the far edge.
Shade EdgeShade(int n, int k) { return {15 * k * n, n, 4}; }

DWORD Pixel(const Shade& s, COLORREF clr) {
  const DWORD r = (clr & 0xFF) * s.nNum / s.nDen;
  const DWORD g = ((clr >> 8) & 0xFF) * s.nNum / s.nDen;
  const DWORD b = ((clr >> 16) & 0xFF) * s.nNum / s.nDen;
  return ((DWORD)s.nAlpha << 24) | (r << 16) | (g << 8) | b;
}

}  // namespace

void JVKPopupShadowStrips(const JVKLayoutRect& rcPopup, int nDepth, JVKShadowStrip& bottom, JVKShadowStrip& right) {
  bottom.rect = {rcPopup.left + nDepth, rcPopup.bottom, rcPopup.right + nDepth, rcPopup.bottom + nDepth};
  bottom.bHorizontal = TRUE;
  right.rect = {rcPopup.right, rcPopup.top + nDepth, rcPopup.right + nDepth, rcPopup.bottom};
  right.bHorizontal = FALSE;
}

JVKLayoutRect JVKJoinShadowStrip(const JVKShadowStrip& strip, const std::vector<JVKShadowStrip>& live) {
  JVKLayoutRect rc = strip.rect;
  for (const JVKShadowStrip& other : live) {
    if (other.bHorizontal == strip.bHorizontal) continue;
    const JVKLayoutRect& o = other.rect;
    if (strip.bHorizontal && rc.left == o.right - 1 && o.top <= rc.top && o.bottom >= rc.bottom) {
      rc.left -= 2 * o.Width() + 1;
      break;
    }
    if (!strip.bHorizontal && rc.top == o.bottom - 1 && o.left <= rc.left && o.right >= rc.right) {
      rc.top -= 2 * o.Height();
      break;
    }
  }
  return rc;
}

std::vector<DWORD> JVKShadowStripPixels(int cx, int cy, BOOL bHorizontal, BOOL bThemed, COLORREF clrShadow) {
  const int k = bThemed ? 1 : 2;
  std::vector<DWORD> pixels((size_t)std::max(cx, 0) * (size_t)std::max(cy, 0));
  for (int y = 0; y < cy; y++) {
    for (int x = 0; x < cx; x++) {
      Shade s;
      if (bHorizontal) {
        const int j = std::clamp(cy - y, 1, kCorner);  // from the far (bottom) edge
        const int i = std::min(x + 1, cx - x);          // from the nearer end
        s = i <= kCorner ? CornerShade(i, j, k) : EdgeShade(j, k);
      } else {
        const int n = std::clamp(cx - x, 1, kCorner);  // from the far (right) edge
        s = y < kCorner ? CornerShade(n, y + 1, k) : EdgeShade(n, k);
      }
      pixels[(size_t)y * cx + x] = Pixel(s, clrShadow);
    }
  }
  return pixels;
}
