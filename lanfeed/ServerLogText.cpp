#include "ServerLogText.h"

#include <cstdio>

const char kLogStarLine[] = "*****************************************************\r\n";

std::string SocketErrorBlock() {
  return std::string(kLogStarLine) + "ERROR: Unable to create socket.\r\n" + kLogStarLine;
}

std::string StartBanner(const std::string& startTime, const std::string& hostName, const std::string& addresses,
                        unsigned port) {
  std::string text = kLogStarLine;
  text += "Quillon MPEG2 TV-Server started: \r\n";
  text += "  - " + startTime + "\r\n";
  text += "  - " + hostName + "\r\n";
  text += "  - Address(es): " + addresses;
  text += "  - Port: " + std::to_string(port) + "\r\n";
  text += kLogStarLine;
  return text;
}

std::string FormatStartTime(const std::tm& local) {
  char text[96];
  const size_t n = std::strftime(text, sizeof(text), "%d. %B %Y %H:%M:%S", &local);
  return std::string(text, n);
}

bool FormatLocalAddresses(const std::vector<std::array<uint8_t, 4>>& addresses, size_t bufferSize, std::string* text) {
  if (addresses.empty()) return false;
  std::string built = "\r\n";
  for (const auto& a : addresses) {
    char line[32];
    std::snprintf(line, sizeof(line), "  - %u.%u.%u.%u\r\n", a[0], a[1], a[2], a[3]);
    built += line;
  }
  if (built.size() + 1 > bufferSize) return false;
  *text = built;
  return true;
}

std::string ClientAddressText(const std::array<uint8_t, 4>& address, int port) {
  char text[32];
  std::snprintf(text, sizeof(text), "%u.%u.%u.%u (%d)", address[0], address[1], address[2], address[3], port);
  return text;
}
