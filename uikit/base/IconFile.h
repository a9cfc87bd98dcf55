// The 32-bit images of icon files and icon resources, read from their bytes
// with every size and offset checked against the bytes there are.
//
// An icon file is a 6-byte header whose last 16-bit word is the image count,
// then 16-byte directory entries (width byte, height byte, colour count,
// reserved, planes, bit count, image bytes, image offset). An image is an
// info header and the colour bits, followed by the mask; its header height
// covers both.
#pragma once

#include <cstddef>

#include "IconData.h"

// The colour part of one 32-bit icon image as a bitmap block: the header
// with the height halved and the image size set to width x height x 4, and
// the colour bits. FALSE for an image that is not 32-bit, whose header is
// shorter than 40 bytes or claims a width or height that is not positive or
// too large, or whose bits are fewer than the colour part needs.
BOOL JVKReadAlphaIconImage(const BYTE* pImage, size_t nImage, CJVKBitmapBlock& image);

// The first image in file order with bit count 32 whose width byte equals
// nWidth (any width when 0). FALSE when none fits, the directory does not fit
// in the file, or the chosen entry's image lies outside it or is refused.
BOOL JVKReadAlphaIconFile(const BYTE* pFile, size_t nFile, int nWidth, CJVKBitmapBlock& image);
