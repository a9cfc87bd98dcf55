// The box firmware's front-end answers, as any box might send them.
#include "FirmwareAnswers.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  int length = size > 64 ? 64 : int(size);
  firmwareanswers::Status status;
  firmwareanswers::Signal signal;
  DWORD caps[8], on = 0, channel[firmwareanswers::kChannelWords];
  if (firmwareanswers::ParseStatus(data, length, status))
    firmwareanswers::ChannelWords(length ? data[0] & 3 : 0, status, channel);
  firmwareanswers::ParseSignal(data, length, status, signal);
  firmwareanswers::ParseCaps(data, length, caps);
  firmwareanswers::ParseAntenna(data, length, on);
  return 0;
}
