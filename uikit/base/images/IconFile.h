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
#include <vector>

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

// A 32-bit bitmap resource (info header, then the bits) as a bitmap block
// with the image size set to width x height x 4. FALSE when it is not
// 32-bit, its header is shorter than 40 bytes, its width or height is not
// positive or too large, or the resource is shorter than header + bits.
BOOL JVKReadAlphaBitmapResource(const BYTE* pResource, size_t nResource, CJVKBitmapBlock& image);

// The icon ids of an icon group resource (a 6-byte header with the count,
// then 14-byte entries ending in the 16-bit icon id) whose width and height
// bytes match, from the last entry to the first; none when the entries do
// not fit in the resource.
std::vector<WORD> JVKGroupIconCandidates(const BYTE* pGroup, size_t nGroup, int nWidth, int nHeight);
