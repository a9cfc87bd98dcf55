// Texts and buffers of the box's network adapter: dotted IP addresses, MAC
// address texts, the decimal texts of the adapter's registry values and the
// adapter driver's address reply. Portable; the texts come from the
// registry and the system's adapter list, the reply from the driver.
#pragma once

#include <WinTypes.h>

#include <cstddef>

namespace netaddress {

// MAC texts are 12 hexadecimal digits.
const size_t kMacTextSize = 13;

// Address the adapter is searched under when its configured one matches no
// PC adapter, in this order; the first is also the default of an adapter
// without a configured address.
extern const char* const kFallbackMacs[3];
const char kDefaultMac[] = "02A7E3000000";
// Written as the adapter's address when the box's own cannot be read.
const char kUnreadableBoxMac[] = "02A7E31EB39D";
const char kNoAddress[] = "0.0.0.0";

// "a.b.c.d" to a u32 with a in the lowest byte. Each number is a run of
// decimal digits (none reads as 0); a '.' behind it continues with the next
// byte, at most four numbers, and anything else ends the text. False when a
// number is above 255.
bool ParseDotted(const char* text, DWORD& value);

// The box's MAC as "%06X%06X" of its two 24-bit words; false when a word
// does not fit in 24 bits.
bool FormatBoxMac(DWORD first, DWORD second, char (&text)[kMacTextSize]);

// A PC adapter's 6-byte address as 12 upper-case digits.
void FormatAdapterMac(const BYTE* address, char (&text)[kMacTextSize]);

// Equal apart from the case of the letters.
bool SameMac(const char* a, const char* b);

// The leading decimal number of a registry text as atoi reads it (spaces,
// a sign, digits), held to the range of an int instead of overflowing.
int ParseDecimal(const char* text);

struct AddressReply {
  DWORD ip = 0;
  DWORD mask = 0;
  WORD port = 0;
};

// The driver's address reply (u32 IP, u32 mask, u16 port, little-endian);
// false when fewer than the 10 bytes read came back.
bool ParseAddressReply(const BYTE* data, size_t length, AddressReply& reply);

// The set-address request: u32 IP, u32 mask.
void BuildAddressRequest(BYTE* out8, DWORD ip, DWORD mask);

}  // namespace netaddress
