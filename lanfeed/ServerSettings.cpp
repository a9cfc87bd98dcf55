#include "ServerSettings.h"

int32_t LeadingPortNumber(const char* text) {
  if (!text || *text < '0' || *text > '9') return -1;
  uint32_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    value = value * 10 + static_cast<uint32_t>(*text - '0');
    if (value > 65535) return 0;  // stops before the number could overflow
  }
  return static_cast<int32_t>(value);
}

bool IsValidPort(uint32_t port) { return port >= 1 && port <= 65535; }

bool IsValidTimeout(int32_t timeoutMs) { return timeoutMs >= 0; }

int32_t PacketSendLimit(bool manualTimeout, int32_t timeoutMs) {
  if (!manualTimeout) return -1;
  return timeoutMs < 0 ? 0 : timeoutMs;
}
