#include "LanProtocol.h"

#include <cstring>

namespace {

void PutU16(BYTE* at, uint16_t v) {
  at[0] = static_cast<BYTE>(v);
  at[1] = static_cast<BYTE>(v >> 8);
}

void PutU32(BYTE* at, uint32_t v) {
  PutU16(at, static_cast<uint16_t>(v));
  PutU16(at + 2, static_cast<uint16_t>(v >> 16));
}

uint16_t GetU16(const BYTE* at) { return static_cast<uint16_t>(at[0] | (at[1] << 8)); }

uint32_t GetU32(const BYTE* at) { return GetU16(at) | (static_cast<uint32_t>(GetU16(at + 2)) << 16); }

}  // namespace

void EncodeLanMessage(std::vector<BYTE>& out, uint16_t type, uint32_t index, uint32_t count, const BYTE* payload,
                      uint16_t length) {
  out.assign(kLanHeaderSize + length, 0);
  std::memcpy(out.data(), kLanMagic, sizeof(kLanMagic));
  PutU16(&out[4], type);
  PutU16(&out[6], static_cast<uint16_t>(index));
  PutU32(&out[8], count);
  PutU16(&out[12], length);
  if (length > 0) std::memcpy(&out[kLanHeaderSize], payload, length);
}

bool DecodeLanHeader(const BYTE* data, size_t size, LanMessageHeader* out) {
  if (!data || size < kLanHeaderSize || std::memcmp(data, kLanMagic, sizeof(kLanMagic)) != 0) return false;
  out->type = GetU16(data + 4);
  out->index = GetU16(data + 6);
  out->count = GetU32(data + 8);
  out->length = GetU16(data + 12);
  return true;
}
