// The Zenk4 ".dvb" reader on arbitrary bytes, then a save and a second read.
#include "FuzzSupport.h"
#include "Zenk4Record.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzGroup f("list.dvb");
  f.disk.files["list.dvb"].assign(data, data + size);
  FuzzCheck(f.codec.ReadZenk4File(kReadReplace) == kReadOk);
  const int items = f.group.tv().GetCount() + f.group.radio().GetCount();
  f.codec.WriteChannelFile();
  FuzzCheck(f.disk.files["list.dvb"].size() == static_cast<size_t>(items) * sizeof(Zenk4Record));
  FuzzCheck(f.codec.ReadZenk4File(kReadReplace) == kReadOk);
  return 0;
}
