#include "PesTap.h"

#include <cstring>

#include "PesTemplates.h"

namespace pestap {

static_assert(sizeof(kPackHeaderTemplate) == kHeaderLength);

int Compose(const BYTE* packet, int length, BYTE* buffer) {
  if (length < 0 || length > kLongestPacket || (length > 0 && !packet)) return 0;
  std::memcpy(buffer, kPackHeaderTemplate, kHeaderLength);
  if (length > 0) std::memcpy(buffer + kHeaderLength, packet, static_cast<size_t>(length));
  return length + kHeaderLength;
}

}  // namespace pestap
