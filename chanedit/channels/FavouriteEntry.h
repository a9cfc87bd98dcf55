// One 42-byte entry of a ".fav2" favourites file. It points into the channel
// list by the three DVB ids.
#pragma once

#include <cstddef>
#include <cstdint>

struct FavouriteEntry {
  uint16_t serviceId;
  uint16_t networkId;
  uint16_t transportStreamId;
  uint16_t itemType;  // the record's itemType, zero-extended; 0 provider
  uint16_t reserved;  // always 0
  char name[32];      // NUL-padded, not necessarily NUL-terminated
};
static_assert(sizeof(FavouriteEntry) == 42);
static_assert(offsetof(FavouriteEntry, serviceId) == 0);
static_assert(offsetof(FavouriteEntry, networkId) == 2);
static_assert(offsetof(FavouriteEntry, transportStreamId) == 4);
static_assert(offsetof(FavouriteEntry, itemType) == 6);
static_assert(offsetof(FavouriteEntry, reserved) == 8);
static_assert(offsetof(FavouriteEntry, name) == 10);
