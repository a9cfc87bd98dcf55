// The image manager's bitmap helpers on GDI: 32-bit DIB sections with a
// straight alpha channel (their fourth byte per pixel), loaded from bitmap
// resources and icon files, copied, premultiplied and drawn with msimg32's
// AlphaBlend; icons measured and rescaled; and the conversion between
// bitmaps and the stored bitmap blocks (IconData.h).
#pragma once

#include <Framework.h>

#include <vector>

#include "IconData.h"

// TRUE when the file starts with a bitmap file header and a 40-byte info
// header of 32 bits per pixel.
BOOL IsAlphaBitmapFile(LPCTSTR lpszFileName);
// TRUE when the RT_BITMAP resource exists and its info header says 32 bits.
BOOL IsAlphaBitmapResource(UINT nIDResource);
// A DIB section of a 32-bit RT_BITMAP resource; null when it is missing, not
// 32-bit or shorter than header + width x height x 4.
HBITMAP LoadAlphaBitmap(UINT nIDResource);
// A DIB section of the first 32-bit image of an icon file whose width is
// nWidth (any when 0); null when none fits or the file is refused.
HBITMAP LoadAlphaBitmapFile(LPCTSTR lpszFileName, int nWidth);

// The extent of an icon (its mask bitmap; for an icon without colour bitmap
// half the mask's height); 0 x 0 for a null icon.
CSize GetIconSize(HICON hIcon);
// The extent of a bitmap; 0 x 0 for a null one.
CSize GetBitmapSize(HBITMAP hBitmap);
// A new 32-bit DIB section with the same header and bits; null on failure.
HBITMAP CopyAlphaBitmap(HBITMAP hBitmap);
// A new 32-bit DIB section whose colour channels are multiplied by alpha
// (AlphaBlend takes premultiplied pixels): from an alpha bitmap as it is, or
// from an icon drawn onto it with its mask as alpha. Null on failure.
HBITMAP PreMultiplyAlphaBitmap(HBITMAP hBitmap);
HBITMAP PreMultiplyAlphaBitmap(HICON hIcon);
// The icon at the new size (through an image list of that size); a copy
// when the size is the same; null when the old width is 0 or on failure.
HICON ScaleIcon(HICON hIcon, CSize szOld, CSize szNew);
// Draws a premultiplied bitmap at pt stretched to szDest; szSource 0 x 0 is
// the bitmap's own size. FALSE (nothing drawn) without AlphaBlend.
BOOL DrawAlphaBitmap(CDC* pDC, CPoint pt, CSize szDest, HBITMAP hPremultiplied, CSize szSource = CSize(0, 0));
// msimg32's AlphaBlend, bound through the toolkit's resolver; null when the
// system has none (or a test refused it).
typedef BOOL(WINAPI* PFNJVKALPHABLEND)(HDC, int, int, int, int, HDC, int, int, int, int, BLENDFUNCTION);
PFNJVKALPHABLEND JVKAlphaBlendEntry();

// The pixels of a bitmap as 32-bit top-down rows, and back (the sizes must
// match); FALSE on failure.
BOOL JVKGetPixels32(HBITMAP hBitmap, std::vector<DWORD>& pixels);
BOOL JVKSetPixels32(HBITMAP hBitmap, const std::vector<DWORD>& pixels);

// A DIB section from a stored block (its header with the pixels copied);
// null for an empty block or on failure. Blocks of 8 bits or fewer get a
// grey ramp as palette (a 1-bit mask: black and white).
HBITMAP JVKBitmapFromBlock(const CJVKBitmapBlock& block);
// The block of a bitmap: a 52-byte header and the pixels as GetDIBits gives
// them at the bitmap's own bit count (4 and 8 bits are stored as 24, as the
// block holds no palette). FALSE, the block empty, on failure.
BOOL JVKBlockFromBitmap(HBITMAP hBitmap, CJVKBitmapBlock& block);
