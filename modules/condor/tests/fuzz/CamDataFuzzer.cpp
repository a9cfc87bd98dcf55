// Reads an arbitrary CAM data object as the dialog does: every text stays
// within its field, the choices within their room and the requested answer
// within the answer's buffer.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include <TwinhanTypes.h>

#include "CamDataObject.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CCamDataObject o;
  std::memcpy(o.Data(), data, size < CCamDataObject::kSize ? size : CCamDataObject::kSize);
  for (int type : {kMmiMenu, kMmiList}) {
    const auto lines = o.ListLines(type);
    if (lines.size() > static_cast<size_t>(CCamDataObject::kMaxChoices) + 3) __builtin_trap();
    for (const auto& line : lines)
      if (line.size() > CCamDataObject::kTextSize + 12) __builtin_trap();
  }
  const int length = o.RequestedLength();
  if (length < 0 || length > CCamDataObject::kMaxAnswerLength) __builtin_trap();
  if (o.Prompt().size() > CCamDataObject::kTextSize || o.Answer().size() > CCamDataObject::kTextSize) __builtin_trap();
  o.ClearAnswer(o.Selector());
  return 0;
}
