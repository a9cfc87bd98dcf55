#include "ColorMath.h"

#include <algorithm>
#include <cmath>

namespace {

// Largest value of each channel in the scaled space.
const double kMax[3] = {195.0, 390.0, 65.0};
const double kToScaled[3] = {0.7647058823529411, 1.5294117647058822, 0.2549019607843137};
const double kFromScaled[3] = {1.3076923076923077, 0.6538461538461539, 3.923076923076923};
// The brightness of white as the contrast rules count it.
const double kBrightest = 442.0;

struct Scaled {
  double c[3];
};

Scaled ToScaled(COLORREF clr) {
  const BYTE ch[3] = {colormath::Red(clr), colormath::Green(clr), colormath::Blue(clr)};
  Scaled s;
  for (int i = 0; i < 3; ++i) s.c[i] = ch[i] * kToScaled[i];
  return s;
}

COLORREF FromScaled(const Scaled& s) {
  int ch[3];
  for (int i = 0; i < 3; ++i) {
    double x = std::clamp(s.c[i], 0.0, kMax[i]);
    ch[i] = std::clamp(static_cast<int>(x * kFromScaled[i] + 0.5), 0, 255);
  }
  return colormath::Rgb(ch[0], ch[1], ch[2]);
}

double Dot(const Scaled& a, const Scaled& b) { return a.c[0] * b.c[0] + a.c[1] * b.c[1] + a.c[2] * b.c[2]; }

double Brightness(COLORREF clr) { return std::sqrt(GetColorDistance(clr, 0)); }

Scaled Mirrored(const Scaled& s) {
  Scaled m;
  for (int i = 0; i < 3; ++i) m.c[i] = kMax[i] - s.c[i];
  return m;
}

}  // namespace

COLORREF MixColors(COLORREF a, COLORREF b, int weight) {
  const int s = weight < 100 ? 100 : 1000;
  auto mix = [&](int x, int y) { return (x * weight + y * (s - weight) + s / 2) / s; };
  return colormath::Rgb(mix(colormath::Red(a), colormath::Red(b)), mix(colormath::Green(a), colormath::Green(b)),
                        mix(colormath::Blue(a), colormath::Blue(b)));
}

COLORREF BlendColors(COLORREF a, COLORREF b, float weight) {
  auto blend = [&](int x, int y) {
    float v = (1.0f - weight) * static_cast<float>(y) + weight * static_cast<float>(x);
    return std::clamp(static_cast<int>(v), 0, 255);
  };
  return colormath::Rgb(blend(colormath::Red(a), colormath::Red(b)), blend(colormath::Green(a), colormath::Green(b)),
                        blend(colormath::Blue(a), colormath::Blue(b)));
}

double GetColorDistance(COLORREF a, COLORREF b) {
  Scaled sa = ToScaled(a), sb = ToScaled(b);
  double sum = 0;
  for (int i = 0; i < 3; ++i) sum += (sa.c[i] - sb.c[i]) * (sa.c[i] - sb.c[i]);
  return sum;
}

double GetContrastThreshold(COLORREF a, float distance) {
  const int brightness = std::min(static_cast<int>(Brightness(a)), 220);
  return (2.0 - brightness * 0.0045454544) * static_cast<int>(distance);
}

BOOL IsColorDistanceAbove(COLORREF a, COLORREF b, BOOL scale, float distance) {
  const double limit = scale ? GetContrastThreshold(a, distance) : static_cast<double>(distance);
  return GetColorDistance(a, b) > limit * limit;
}

COLORREF LimitContrast(COLORREF a, COLORREF b, float distance) {
  const double v = std::sqrt(GetColorDistance(a, b));
  if (v <= 0) return b;
  const double t = GetContrastThreshold(a, distance);
  Scaled sa = ToScaled(a), sb = ToScaled(b), out;
  for (int i = 0; i < 3; ++i) out.c[i] = sb.c[i] + (sa.c[i] - sb.c[i]) * (v - t) / v;
  return FromScaled(out);
}

COLORREF EnsureContrast(COLORREF a, COLORREF b, float distance) {
  const double t = GetContrastThreshold(a, distance);
  const double brightA = Brightness(a);
  const bool fromWhite = Brightness(b) > brightA ? brightA <= kBrightest - t : brightA <= t;
  Scaled sa = ToScaled(a), sb = ToScaled(b);
  if (fromWhite) {
    sa = Mirrored(sa);
    sb = Mirrored(sb);
  }
  const double j = std::max(std::sqrt(Dot(sb, sb)), 0.001);
  const double p = Dot(sa, sb) / j;
  Scaled q;
  for (int i = 0; i < 3; ++i) q.c[i] = sa.c[i] - (p / j) * sb.c[i];
  const double discriminant = t * t - Dot(q, q);
  // The ray never comes within t of a: no colour on it qualifies.
  if (!(discriminant >= 0)) return b;
  const double factor = (p - std::sqrt(discriminant)) / j;
  Scaled out;
  for (int i = 0; i < 3; ++i) out.c[i] = sb.c[i] * factor;
  if (fromWhite) out = Mirrored(out);
  return FromScaled(out);
}
