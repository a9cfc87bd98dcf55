// Feeds arbitrary CAM menu, list and display-string messages to the menu
// dialog's text composition: the first byte picks the kind, the next two
// give the entry count, the next two the length field (kept within the
// bytes there are, as the device library holds every message whole), the
// rest is the text, with no terminator after it. Nothing may be read past
// the length, and a menu that is not dropped has at most the dialog's lines.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <Framework.h>

#include "CamMenuText.h"
#include "../CamTextConversion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  const BYTE kind = data[0] % 3;
  const WORD count = static_cast<WORD>(data[1] | data[2] << 8);
  const size_t available = std::min<size_t>(size - 5, 0xFFFF);
  const WORD length = static_cast<WORD>(std::min<size_t>(data[3] | data[4] << 8, available));
  // A buffer of exactly the length, so that the sanitizer sees any read past it.
  std::vector<char> text(data + 5, data + 5 + length);
  if (kind == 2) {
    if (ComposeCamString(text.data(), length, &ConvertCamText).size() > length) __builtin_trap();
    return 0;
  }
  const CamMenuLines lines =
      ComposeCamMenu(kind == 0 ? CamMenuKind::kMenu : CamMenuKind::kList, count, text.data(), length, &ConvertCamText);
  if (lines.fault != CamMenuLines::kNone && !lines.lines.empty()) __builtin_trap();
  if (lines.lines.size() > static_cast<size_t>(kCamMaxEntries + 3)) __builtin_trap();
  return 0;
}
