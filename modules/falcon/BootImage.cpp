#include "BootImage.h"

namespace bootimage {

namespace {

struct Image {
  WORD product;
  const char* name;
};

constexpr Image kImages[] = {
    {kSatelliteBox, "STB_PC_S.bin"},
    {kCableBox, "STB_PC_C.bin"},
    {kTerrestrialBox, "STB_PC_T.bin"},
    {kFourthBox, "STB_PC_X.bin"},
};

}  // namespace

const char* ImageName(WORD product, WORD fourthVersion) {
  if (product == kTerrestrialBox && fourthVersion >= kSecondTerrestrialVersion) return "STB_PC_T2.bin";
  for (const Image& image : kImages)
    if (image.product == product) return image.name;
  return nullptr;
}

std::string ImagePath(const std::string& moduleFolder, WORD product, WORD fourthVersion) {
  std::string path = moduleFolder.empty() ? std::string("C:\\") : moduleFolder;
  const char last = path.back();
  path += (last == '\\' || last == '/') ? "Boot\\" : "\\Boot\\";
  if (const char* name = ImageName(product, fourthVersion)) path += name;
  return path;
}

}  // namespace bootimage
