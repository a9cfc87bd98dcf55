// The texts the server dialog writes into its log and its client list.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

// 53 stars and a line break: the frame of the log's blocks.
extern const char kLogStarLine[];

// The block written when the listening socket cannot be created.
std::string SocketErrorBlock();

// The block written when the server has started: the time (as
// FormatStartTime gives it), the host name, the local addresses text and the
// port.
std::string StartBanner(const std::string& startTime, const std::string& hostName, const std::string& addresses,
                        unsigned port);

// "%d. %B %Y %H:%M:%S" of the local time.
std::string FormatStartTime(const std::tm& local);

// The local addresses text: "\r\n" and one "  - a.b.c.d\r\n" line per address,
// in the resolver's order. False (text unchanged) when there is no address or
// the text with its terminator does not fit into bufferSize characters.
bool FormatLocalAddresses(const std::vector<std::array<uint8_t, 4>>& addresses, size_t bufferSize, std::string* text);

// The "IP" column of the connected client: "a.b.c.d (port)".
std::string ClientAddressText(const std::array<uint8_t, 4>& address, int port);
