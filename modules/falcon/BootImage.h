// The firmware image a box boots: the "Boot" folder beside the module and
// the image of the box's kind, told by its USB product identifier (the
// terrestrial box by its fourth version word too). Portable.
#pragma once

#include <WinTypes.h>

#include <string>

namespace bootimage {

// The USB product identifiers of the four box kinds whose firmware runs the
// front end (the library's front-end variants of the same boxes).
constexpr WORD kSatelliteBox = 0x0B21;
constexpr WORD kCableBox = 0x0B22;
constexpr WORD kTerrestrialBox = 0x0B23;
constexpr WORD kFourthBox = 0x0B24;
// Terrestrial boxes from this fourth version word on take the second image.
constexpr WORD kSecondTerrestrialVersion = 19;

// The image file of a box; null for a product this module does not know.
const char* ImageName(WORD product, WORD fourthVersion);

// The module folder (drive and directory of the module file; empty when the
// path could not be had) with "Boot\" and the image name appended; only the
// folder for an unknown product.
std::string ImagePath(const std::string& moduleFolder, WORD product, WORD fourthVersion);

}  // namespace bootimage
