// Checks and conversions of the server's settings: the port typed into the
// dialog (or stored) and the send time limit.
#pragma once

#include <cstdint>

// The port of a service text that begins with a decimal digit: the number
// its leading digits form, whatever follows them. 0 when that number is 0 or
// above 65535 (a port that cannot be bound as typed); -1 when the text does
// not begin with a digit (a service name).
int32_t LeadingPortNumber(const char* text);

// A port setting the server can listen on: 1 to 65535.
bool IsValidPort(uint32_t port);

// A "Manual timeout" value: 0 ms (send only when the socket is writable at
// once) and up.
bool IsValidTimeout(int32_t timeoutMs);

// The limit of each packet's send: the timeout when "Manual timeout" is on,
// else none (-1).
int32_t PacketSendLimit(bool manualTimeout, int32_t timeoutMs);
