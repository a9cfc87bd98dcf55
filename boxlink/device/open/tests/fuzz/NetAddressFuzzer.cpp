// Texts of the adapter's registry values and of the PC's adapter list, and
// the adapter driver's address reply, as arbitrary bytes.
#include "NetAddress.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);  // terminated copy
  DWORD value = 0;
  netaddress::ParseDotted(text.c_str(), value);
  netaddress::ParseDecimal(text.c_str());
  netaddress::SameMac(text.c_str(), "02A7E3000000");

  std::vector<BYTE> reply(data, data + size);  // exact size: ASan sees over-reads
  netaddress::AddressReply parsed;
  bool ok = netaddress::ParseAddressReply(reply.data(), reply.size(), parsed);
  if (ok != (size >= 10)) __builtin_trap();

  if (size >= 6) {
    char mac[netaddress::kMacTextSize];
    netaddress::FormatAdapterMac(data, mac);
    if (!netaddress::SameMac(mac, mac)) __builtin_trap();
  }
  return 0;
}
