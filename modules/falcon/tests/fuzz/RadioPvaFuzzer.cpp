// Feeds arbitrary bytes to falcon's radio audio path as one PVA packet, and
// the PES packet made of it to the host's tap. What comes out must lie
// within the packet or the module's buffer, a built PES packet's length
// field must match its size, and the tap must hold the whole packet.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "PesTap.h"
#include "RadioPva.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<BYTE> packet(data, data + size);  // exactly as long as the input, so overreads show
  static std::vector<BYTE> buffer(radiopva::kBufferSize);
  static std::vector<BYTE> tap(pestap::kBufferSize);
  const BYTE* pes = nullptr;
  const int n = radiopva::AudioPes(packet.data(), static_cast<int>(size), buffer.data(), &pes);
  if (n < 0) __builtin_trap();
  if (n > 0) {
    const bool inPacket = pes >= packet.data() && pes + n <= packet.data() + size;
    const bool inBuffer = pes == buffer.data() && n <= radiopva::kBufferSize;
    if (!inPacket && !inBuffer) __builtin_trap();
    if (inBuffer && (pes[4] << 8 | pes[5]) + 6 != n) __builtin_trap();
  }
  const int tapped = pestap::Compose(pes, n, tap.data());
  if (n <= pestap::kLongestPacket) {
    if (tapped != n + pestap::kHeaderLength) __builtin_trap();
    if (n > 0 && std::memcmp(tap.data() + pestap::kHeaderLength, pes, static_cast<size_t>(n)) != 0) __builtin_trap();
  } else if (tapped != 0) {
    __builtin_trap();
  }
  return 0;
}
