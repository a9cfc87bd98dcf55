#include "NetAddress.h"

#include "ByteOrder.h"
#include "NetAdapterIoctl.h"

#include <climits>
#include <cstdio>

namespace netaddress {

const char* const kFallbackMacs[3] = {"02A7E3000000", "02A7E3000001", "02A7E31EB39D"};

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char Upper(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

}  // namespace

bool ParseDotted(const char* text, DWORD& value) {
  DWORD result = 0;
  const char* p = text ? text : "";
  for (int byte = 0; byte < 4; ++byte) {
    DWORD n = 0;
    for (; IsDigit(*p); ++p) {
      n = n * 10 + DWORD(*p - '0');
      if (n > 255) return false;
    }
    result |= n << (8 * byte);
    if (*p != '.') break;
    ++p;
  }
  value = result;
  return true;
}

bool FormatBoxMac(DWORD first, DWORD second, char (&text)[kMacTextSize]) {
  if (first > 0xFFFFFF || second > 0xFFFFFF) return false;
  snprintf(text, sizeof(text), "%06X%06X", unsigned(first), unsigned(second));
  return true;
}

void FormatAdapterMac(const BYTE* address, char (&text)[kMacTextSize]) {
  snprintf(text, sizeof(text), "%02X%02X%02X%02X%02X%02X", address[0], address[1], address[2], address[3], address[4],
           address[5]);
}

bool SameMac(const char* a, const char* b) {
  if (!a || !b) return false;
  for (; *a && *b; ++a, ++b) {
    if (Upper(*a) != Upper(*b)) return false;
  }
  return *a == *b;
}

int ParseDecimal(const char* text) {
  if (!text) return 0;
  const char* p = text;
  while (*p == ' ' || (*p >= '\t' && *p <= '\r')) ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  long long n = 0;
  for (; IsDigit(*p); ++p) {
    n = n * 10 + (*p - '0');
    if (n > LLONG_MAX / 20) break;  // far beyond an int: the clamp below decides
  }
  if (negative) n = -n;
  if (n > INT_MAX) return INT_MAX;
  if (n < INT_MIN) return INT_MIN;
  return int(n);
}

bool ParseAddressReply(const BYTE* data, size_t length, AddressReply& reply) {
  if (!data || length < netadapterioctl::kAddressReplyUsed) return false;
  reply.ip = byteorder::GetLE32(data);
  reply.mask = byteorder::GetLE32(data + 4);
  reply.port = byteorder::GetLE16(data + 8);
  return true;
}

void BuildAddressRequest(BYTE* out8, DWORD ip, DWORD mask) {
  byteorder::PutLE32(out8, ip);
  byteorder::PutLE32(out8 + 4, mask);
}

}  // namespace netaddress
