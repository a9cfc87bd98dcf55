// The generated looks of an icon (faded, shadow, disabled) drawn on GDI. An
// alpha image is copied into a new DIB section and rewritten in one pass; an
// HICON has every opaque pixel (mask 0) of its colour bitmap rewritten with
// GetPixel/SetPixel and becomes a new icon, which suits the small icons of
// command bars.
#include "ImageManagerIcon.h"

#include <functional>
#include <vector>

#include "AlphaBitmap.h"
#include "ColorManager.h"
#include "IconPixels.h"

namespace {

// The shadow's colour slot in the colour manager.
const UINT kShadowColorIndex = 31;

using PixelsFn = std::function<void(BYTE* pPixels, UINT nPixels)>;
using ColorFn = std::function<COLORREF(COLORREF)>;

HBITMAP RewriteAlphaBitmap(HBITMAP hSource, const PixelsFn& fnPixels) {
  HBITMAP hTarget = CopyAlphaBitmap(hSource);
  std::vector<DWORD> pixels;
  if (hTarget == nullptr || !JVKGetPixels32(hTarget, pixels)) {
    if (hTarget != nullptr) ::DeleteObject(hTarget);
    return nullptr;
  }
  fnPixels(reinterpret_cast<BYTE*>(pixels.data()), static_cast<UINT>(pixels.size()));
  if (!JVKSetPixels32(hTarget, pixels)) {
    ::DeleteObject(hTarget);
    return nullptr;
  }
  return hTarget;
}

HICON RewriteIcon(HICON hSource, const ColorFn& fnColor) {
  ICONINFO info = {};
  if (!::GetIconInfo(hSource, &info)) return nullptr;
  if (info.hbmColor == nullptr) {
    // A monochrome icon has no colour bitmap to rewrite: an unchanged copy.
    ::DeleteObject(info.hbmMask);
    return ::CopyIcon(hSource);
  }
  CSize sz = GetBitmapSize(info.hbmColor);
  HDC hColorDC = ::CreateCompatibleDC(nullptr);
  HDC hMaskDC = ::CreateCompatibleDC(nullptr);
  HGDIOBJ hOldColor = ::SelectObject(hColorDC, info.hbmColor);
  HGDIOBJ hOldMask = ::SelectObject(hMaskDC, info.hbmMask);
  for (int y = 0; y < sz.cy; ++y) {
    for (int x = 0; x < sz.cx; ++x) {
      if (::GetPixel(hMaskDC, x, y) != 0) continue;
      ::SetPixel(hColorDC, x, y, fnColor(::GetPixel(hColorDC, x, y)));
    }
  }
  ::SelectObject(hColorDC, hOldColor);
  ::SelectObject(hMaskDC, hOldMask);
  ::DeleteDC(hColorDC);
  ::DeleteDC(hMaskDC);
  HICON hResult = ::CreateIconIndirect(&info);
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return hResult;
}

// Fills hTarget with the look of hSource made by the two paths.
void MakeLook(CJVKImageManagerIconHandle& hTarget, const CJVKImageManagerIconHandle& hSource,
              const PixelsFn& fnPixels, const ColorFn& fnColor) {
  hTarget.Clear();
  if (hSource.IsAlpha())
    hTarget = RewriteAlphaBitmap(hSource.GetBitmap(), fnPixels);
  else if (hSource.GetIcon() != nullptr)
    hTarget = RewriteIcon(hSource.GetIcon(), fnColor);
}

BOOL IsDisplayAboveEightBits() {
  HDC hDC = ::GetDC(nullptr);
  int nBits = ::GetDeviceCaps(hDC, BITSPIXEL);
  ::ReleaseDC(nullptr, hDC);
  return nBits > 8;
}

}  // namespace

void CJVKImageManagerIcon::CreateFadedIcon() {
  if (!m_hIcon.IsAlpha() && !IsDisplayAboveEightBits()) {
    m_hFadedIcon.CopyHandle(m_hIcon);
    return;
  }
  MakeLook(m_hFadedIcon, m_hIcon, JVKFadePixels, JVKFadedColor);
}

void CJVKImageManagerIcon::CreateShadowIcon() {
  const COLORREF clrShadow = JVKShadowColor(GetColorManager()->GetColor(kShadowColorIndex));
  const CJVKImageManagerIconHandle& hSource = m_hHotIcon.IsEmpty() ? m_hIcon : m_hHotIcon;
  MakeLook(
      m_hShadowIcon, hSource, [clrShadow](BYTE* pPixels, UINT nPixels) { JVKShadowPixels(pPixels, nPixels, clrShadow); },
      [clrShadow](COLORREF) { return clrShadow; });
}

void CJVKImageManagerIcon::CreateDisabledIcon() {
  MakeLook(m_hDisabledAutoIcon, m_hIcon, JVKDisablePixels, JVKDisabledColor);
}
