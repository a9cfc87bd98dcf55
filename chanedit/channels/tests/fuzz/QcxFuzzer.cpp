// The ".qcx" reader on arbitrary bytes, then a save and a second read of
// what was saved.
#include <cstring>

#include "FixChannelRecord.h"
#include "FuzzSupport.h"

namespace {

// The channels that a list of these records places into the TV and the Radio
// tree: kinds 1 and 2 always, kind 0 when the provider before it is of kind 1
// or 2, other kinds never.
int PlacedChannels(const uint8_t* records, uint64_t count) {
  int channels = 0;
  int providerKind = 0;
  for (uint64_t i = 0; i < count; ++i) {
    DVB_CHANNELS r;
    std::memcpy(&r, records + i * sizeof(r), sizeof(r));
    FixChannelRecord(&r);
    const int kind = r.serviceKind;
    if (r.itemType == 0)
      providerKind = kind == 1 || kind == 2 ? kind : 0;
    else if (kind == 1 || kind == 2 || (kind == 0 && providerKind != 0))
      ++channels;
  }
  return channels;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzGroup f("list.qcx");
  f.disk.files["list.qcx"].assign(data, data + size);
  const int result = f.codec.ReadChannelFile(kReadReplace);
  FuzzCheck(result == kReadOk || result == kReadBadHeader || result == kReadBadRecord);
  if (result == kReadOk) {
    // A list read whole: the file holds every record its header counts, and
    // the trees hold every channel among them.
    DVB_CHANNEL_HEADER header;
    std::memcpy(&header, data, sizeof(header));
    const uint64_t count = uint64_t{header.tvCount} + header.radioCount + header.thirdCount;
    FuzzCheck(count <= (size - sizeof(header)) / sizeof(DVB_CHANNELS));
    FuzzCheck(CountChannels(f.group.tv()) + CountChannels(f.group.radio()) ==
              PlacedChannels(data + sizeof(header), count));
  }

  f.codec.WriteChannelFile();
  const auto& saved = f.disk.files["list.qcx"];
  DVB_CHANNEL_HEADER header;
  FuzzCheck(saved.size() >= sizeof(header));
  std::memcpy(&header, saved.data(), sizeof(header));
  FuzzCheck(header.thirdCount == 0);
  FuzzCheck(saved.size() == sizeof(header) + sizeof(DVB_CHANNELS) * (uint64_t(header.tvCount) + header.radioCount));
  FuzzCheck(f.codec.ReadChannelFile(kReadReplace) == kReadOk);
  return 0;
}
