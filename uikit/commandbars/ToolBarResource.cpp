#include "ToolBarResource.h"

namespace {
unsigned ReadWord(const uint8_t* p) { return static_cast<unsigned>(p[0] | (p[1] << 8)); }
}  // namespace

bool JVKParseToolBarResource(const void* pData, size_t cbData, JVKToolBarResource& out) {
  const size_t cbHeader = 8;
  if (pData == nullptr || cbData < cbHeader) return false;
  const auto* p = static_cast<const uint8_t*>(pData);
  const unsigned nCount = ReadWord(p + 6);
  if (cbData - cbHeader < static_cast<size_t>(nCount) * 2) return false;
  out.nVersion = ReadWord(p);
  out.cxImage = static_cast<int>(ReadWord(p + 2));
  out.cyImage = static_cast<int>(ReadWord(p + 4));
  out.ids.clear();
  out.ids.reserve(nCount);
  for (unsigned i = 0; i < nCount; ++i) out.ids.push_back(ReadWord(p + cbHeader + 2 * i));
  return true;
}
