// The Zenk4 ".dvb" reader on arbitrary bytes, then a save and a second read.
#include <cstring>

#include "FuzzSupport.h"
#include "Zenk4Record.h"

namespace {

// The channels of a Zenk4 list: records with a frequency (the others are
// providers) of kind 1 or 2. Kind 0 would follow its provider, and a Zenk4
// provider is always of kind 0, so those are dropped like kinds 3 and above.
int PlacedChannels(const uint8_t* data, size_t size) {
  int channels = 0;
  for (size_t at = 0; at + sizeof(Zenk4Record) <= size; at += sizeof(Zenk4Record)) {
    Zenk4Record r;
    std::memcpy(&r, data + at, sizeof(r));
    if (r.frequencyMHz != 0 && (r.serviceKind == 1 || r.serviceKind == 2)) ++channels;
  }
  return channels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzGroup f("list.dvb");
  f.disk.files["list.dvb"].assign(data, data + size);
  FuzzCheck(f.codec.ReadZenk4File(kReadReplace) == kReadOk);
  FuzzCheck(CountChannels(f.group.tv()) + CountChannels(f.group.radio()) == PlacedChannels(data, size));
  const int items = f.group.tv().GetCount() + f.group.radio().GetCount();
  f.codec.WriteChannelFile();
  FuzzCheck(f.disk.files["list.dvb"].size() == static_cast<size_t>(items) * sizeof(Zenk4Record));
  FuzzCheck(f.codec.ReadZenk4File(kReadReplace) == kReadOk);
  return 0;
}
