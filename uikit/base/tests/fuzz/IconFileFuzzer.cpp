// Reads arbitrary bytes as an icon file and as one icon image.
#include <Framework.h>

#include "IconFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CJVKBitmapBlock image;
  for (int nWidth : {0, 16, 32}) JVKReadAlphaIconFile(data, size, nWidth, image);
  JVKReadAlphaIconImage(data, size, image);
  return 0;
}
