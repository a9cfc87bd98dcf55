// One command's icons that the exchange and clipboard tests store, copy and
// compare, also across processes: an alpha icon of 16 (image 1 of the
// fixture rule) and a plain icon of 32 (red, its right half transparent)
// with a green hot image.
#pragma once

#include "ImageManager.h"
#include "ImageTestSupport.h"

inline DWORD SamplePlainPixel(int x, int) { return Argb(x < 16 ? 255 : 0, 255, 0, 0); }

inline void AddSampleIcons(CJVKImageManager& manager, UINT nCommand) {
  manager.SetIcon(CJVKImageManagerIconHandle(MakeAlphaBitmap(16, 16, [](int x, int y) { return FixturePixel(1, x, y, 16); })),
                  nCommand);
  manager.SetIcon(CJVKImageManagerIconHandle(MakeIcon(32, 32, SamplePlainPixel)), nCommand);
  manager.SetIcon(CJVKImageManagerIconHandle(MakeSolidIcon(32, 32, RGB(0, 255, 0))), nCommand, CSize(0, 0),
                  jvkImageHot);
}

// 0 when the command holds exactly the sample icons; else what differs
// first: 1 the widths, 2 the alpha pixels, 3 the plain icon, 4 the hot image.
inline int CompareSampleIcons(CJVKImageManager& manager, UINT nCommand) {
  CJVKImageManagerIconSet* pSet = manager.GetIconSet(nCommand);
  if (pSet == nullptr || pSet->GetIcons().size() != 2 || pSet->GetIcon(16, FALSE) == nullptr ||
      pSet->GetIcon(32, FALSE) == nullptr)
    return 1;
  CJVKImageManagerIcon* pAlpha = pSet->GetIcon(16, FALSE);
  if (!pAlpha->IsAlpha()) return 2;
  std::vector<DWORD> pixels = ReadPixels(pAlpha->GetIcon().GetBitmap());
  for (int i = 0; i < 256; ++i)
    if (pixels.size() != 256 || pixels[i] != FixturePixel(1, i % 16, i / 16, 16)) return 2;
  CJVKImageManagerIcon* pPlain = pSet->GetIcon(32, FALSE);
  if (pPlain->IsAlpha() || pPlain->GetExtent() != CSize(32, 32)) return 3;
  CIconPixels plain = ReadIconPixels(pPlain->GetIcon().GetIcon());
  if ((plain.colour[5 * 32 + 3] & 0xFFFFFF) != 0xFF0000 || (plain.mask[5 * 32 + 3] & 0xFFFFFF) != 0 ||
      (plain.mask[5 * 32 + 20] & 0xFFFFFF) == 0)
    return 3;
  CIconPixels hot = ReadIconPixels(pPlain->GetHotIcon().GetIcon());
  if ((hot.colour[7] & 0xFFFFFF) != 0x00FF00) return 4;
  return 0;
}
