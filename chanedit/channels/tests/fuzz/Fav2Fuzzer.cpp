// The ".fav2" reader on arbitrary bytes, completing favourites from a small
// channel list, then a save of the favourites.
#include "FuzzSupport.h"
#include "ListFixtures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace fixtures;
  FuzzGroup f("list.qcx");
  f.disk.files["list.qcx"] =
      QcxFile(5, 0, 0,
              {Provider("Astra", 1), Channel("Sport 2", 1, 7, 1, 1), Channel("Sports", 1, 7, 1, 1),
               Provider("Radio", 2), Channel("Sport Radio", 2, 8, 1, 1)});
  f.disk.files["list.fav2"].assign(data, data + size);
  FuzzCheck(f.codec.ReadChannelFile(kReadReplace) == kReadOk);
  const size_t entries = size % sizeof(FavouriteEntry) == 0 ? size / sizeof(FavouriteEntry) : 0;
  FuzzCheck(f.group.fav().GetCount() == static_cast<int>(entries));
  f.codec.WriteFavourites();
  FuzzCheck(f.disk.files["list.fav2"].size() == entries * sizeof(FavouriteEntry));
  return 0;
}
