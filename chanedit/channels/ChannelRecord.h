// One channel or provider record on the heap: the item data of every channel
// tree item, and the element of CChannelRecordArray.
#pragma once

#include "DvbChannels.h"
#include "FavouriteEntry.h"

class CChannelRecord {
 public:
  // The defaults: "<edit>", 12000000, 27500000, video source 3, no satellite.
  CChannelRecord();
  // Copies the 172 bytes of source; a null source gives the defaults with
  // satellite index 0.
  explicit CChannelRecord(const DVB_CHANNELS* source);
  // A TV record built from a favourites entry (the defaults when null).
  explicit CChannelRecord(const FavouriteEntry* entry);
  CChannelRecord(const CChannelRecord& other) = default;
  CChannelRecord& operator=(const CChannelRecord& other) = default;
  virtual ~CChannelRecord() = default;

  void GetRecord(DVB_CHANNELS* out) const;
  void GetFavouriteEntry(FavouriteEntry* out) const;

  DVB_CHANNELS m_record;
};
