// The box firmware's front-end answers, as any box might send them.
#include "FirmwareAnswers.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int length = size > 64 ? 64 : int(size);
  fwfe::Status status;
  fwfe::Signal signal;
  DWORD caps[8], on = 0, channel[fwfe::kChannelWords];
  if (fwfe::ParseStatus(data, length, status)) fwfe::ChannelWords(length ? data[0] & 3 : 0, status, channel);
  fwfe::ParseSignal(data, length, status, signal);
  fwfe::ParseCaps(data, length, caps);
  fwfe::ParseAntenna(data, length, on);
  return 0;
}
