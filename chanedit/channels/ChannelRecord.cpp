#include "ChannelRecord.h"

#include <cstring>

namespace {

// Every field at its default; the bytes without meaning are zero.
void SetDefaults(DVB_CHANNELS* r) {
  std::memset(r, 0, sizeof(*r));
  std::memcpy(r->signature, "QLON3.0", 8);
  std::memcpy(r->channelName, "<edit>", 7);
  r->frequency = 12000000;
  r->symbolRate = 27500000;
  r->flagA = 1;
  r->satelliteIndex = 255;
  r->videoSource = 3;
  r->flagB = 1;
}

}  // namespace

CChannelRecord::CChannelRecord() { SetDefaults(&m_record); }

CChannelRecord::CChannelRecord(const DVB_CHANNELS* source) {
  if (source) {
    std::memcpy(&m_record, source, sizeof(m_record));
    return;
  }
  SetDefaults(&m_record);
  m_record.satelliteIndex = 0;
}

CChannelRecord::CChannelRecord(const FavouriteEntry* entry) {
  SetDefaults(&m_record);
  m_record.satelliteIndex = 0;
  m_record.serviceKind = 1;
  if (!entry) return;
  std::memset(m_record.channelName, 0, sizeof(m_record.channelName));
  std::memcpy(m_record.channelName, entry->name, sizeof(m_record.channelName) - 1);
  m_record.itemType = static_cast<uint8_t>(entry->itemType & 0xFF);
  m_record.serviceId = entry->serviceId;
  m_record.networkId = entry->networkId;
  m_record.transportStreamId = entry->transportStreamId;
}

void CChannelRecord::GetRecord(DVB_CHANNELS* out) const { std::memcpy(out, &m_record, sizeof(*out)); }

void CChannelRecord::GetFavouriteEntry(FavouriteEntry* out) const {
  out->serviceId = m_record.serviceId;
  out->networkId = m_record.networkId;
  out->transportStreamId = m_record.transportStreamId;
  out->itemType = m_record.itemType;
  out->reserved = 0;
  std::memset(out->name, 0, sizeof(out->name));
  std::memcpy(out->name, m_record.channelName, strnlen(m_record.channelName, sizeof(m_record.channelName)));
}
