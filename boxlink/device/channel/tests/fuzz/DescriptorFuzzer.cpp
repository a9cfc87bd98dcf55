// The driver's configuration descriptor as arbitrary bytes: the formatter
// must stay inside the bytes returned and inside its text buffer.
#include "ConfigDescriptorText.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  DWORD room = 512 + DWORD(data[0]) * 32;
  std::vector<BYTE> descriptor(data + 1, data + size);  // exact size: ASan sees over-reads
  std::vector<char> text(room);
  DWORD textSize = room;
  if (configdescriptor::FormatConfigDescriptor(descriptor.data(), DWORD(descriptor.size()), text.data(), textSize)) {
    if (textSize != strlen(text.data()) + 1) __builtin_trap();
  }
  return 0;
}
