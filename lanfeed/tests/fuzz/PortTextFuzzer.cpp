// The port text of the settings, as typed or stored: any bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ServerSettings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const int32_t port = LeadingPortNumber(text.c_str());
  if (port < -1 || port > 65535) __builtin_trap();
  return 0;
}
