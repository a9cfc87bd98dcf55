// Reads arbitrary bytes as an icon file, one icon image, a bitmap resource
// and an icon group resource.
#include <Framework.h>

#include "IconFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CJVKBitmapBlock image;
  for (int nWidth : {0, 16, 32}) JVKReadAlphaIconFile(data, size, nWidth, image);
  JVKReadAlphaIconImage(data, size, image);
  JVKReadAlphaBitmapResource(data, size, image);
  JVKGroupIconCandidates(data, size, 16, 16);
  return 0;
}
