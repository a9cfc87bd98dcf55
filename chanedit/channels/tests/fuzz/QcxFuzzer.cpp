// The ".qcx" reader on arbitrary bytes, then a save and a second read of
// what was saved.
#include <cstring>

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzGroup f("list.qcx");
  f.disk.files["list.qcx"].assign(data, data + size);
  const int result = f.codec.ReadChannelFile(kReadReplace);
  FuzzCheck(result == kReadOk || result == kReadBadHeader || result == kReadBadRecord);

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
