// Builders of records and list files for the tests: every file a test reads
// is made here from readable records, not kept as a binary blob.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include "ChannelRecord.h"
#include "DvbChannels.h"
#include "FavouriteEntry.h"
#include "Zenk4Record.h"

namespace fixtures {

using Bytes = std::vector<uint8_t>;

inline DVB_CHANNELS Provider(const char* name, uint8_t kind = 1) {
  DVB_CHANNELS r = CChannelRecord().m_record;
  std::memset(r.channelName, 0, sizeof(r.channelName));
  std::memcpy(r.channelName, name, strnlen(name, sizeof(r.channelName)));
  r.subVersion[0] = '1';
  r.itemType = 0;
  r.serviceKind = kind;
  r.frequency = 0;
  r.symbolRate = 0;
  return r;
}

inline DVB_CHANNELS Channel(const char* name, uint8_t kind, uint16_t sid = 0, uint16_t nid = 0, uint16_t tsid = 0) {
  DVB_CHANNELS r = Provider(name, kind);
  r.itemType = 1;
  r.frequency = 11953000;
  r.symbolRate = 27500000;
  r.serviceId = sid;
  r.networkId = nid;
  r.transportStreamId = tsid;
  r.videoPid = 0x100 + sid;
  r.audioPid = 0x200 + sid;
  return r;
}

template <typename T>
void Put(Bytes& out, const T& value) {
  const auto* p = reinterpret_cast<const uint8_t*>(&value);
  out.insert(out.end(), p, p + sizeof(T));
}

// A ".qcx" file: the header counts, then the records.
inline Bytes QcxFile(uint32_t tv, uint32_t radio, uint32_t third, std::initializer_list<DVB_CHANNELS> records) {
  Bytes out;
  Put(out, DVB_CHANNEL_HEADER{tv, radio, third});
  for (const DVB_CHANNELS& r : records) Put(out, r);
  return out;
}

inline FavouriteEntry Favourite(const char* name, uint16_t itemType, uint16_t sid = 0, uint16_t nid = 0,
                                uint16_t tsid = 0) {
  FavouriteEntry e{};
  e.serviceId = sid;
  e.networkId = nid;
  e.transportStreamId = tsid;
  e.itemType = itemType;
  std::memcpy(e.name, name, strnlen(name, sizeof(e.name)));
  return e;
}

inline Bytes FavFile(std::initializer_list<FavouriteEntry> entries) {
  Bytes out;
  for (const FavouriteEntry& e : entries) Put(out, e);
  return out;
}

// A Zenk4 record as it lies in a file (big-endian words).
struct Zenk4Fields {
  const char* name = "";
  uint16_t frequencyMHz = 0;
  uint16_t symbolRateK = 0;
  uint8_t serviceKind = 1;
  uint16_t serviceId = 0;
  uint8_t lnb = 0;
  uint8_t scrambled22 = 0;
  uint8_t scrambled23 = 0;
};

inline void PutBigEndian(uint8_t* at, uint16_t v) {
  at[0] = static_cast<uint8_t>(v >> 8);
  at[1] = static_cast<uint8_t>(v);
}

inline Bytes Zenk4Bytes(const Zenk4Fields& f) {
  Bytes b(64, 0);
  std::memcpy(b.data(), "DVSO", 4);
  PutBigEndian(&b[4], f.serviceId);
  PutBigEndian(&b[8], f.frequencyMHz);
  PutBigEndian(&b[10], f.symbolRateK);
  b[15] = f.lnb;
  b[22] = f.scrambled22;
  b[23] = f.scrambled23;
  b[27] = f.serviceKind;
  std::memcpy(&b[32], f.name, strnlen(f.name, 23));
  return b;
}

inline Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

inline std::string Name(const DVB_CHANNELS& r) {
  return std::string(r.channelName, strnlen(r.channelName, sizeof(r.channelName)));
}

}  // namespace fixtures
