// The host's channel lists, read from a ".qcx" file with the list-file
// library. The channel list is the TV tree and then the Radio tree, each in
// the file's order (providers and their channels). The second list is the
// stand-in's own: one 268-byte record per favourite, the favourite's
// 172-byte channel record followed by zeros.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "DvbChannels.h"

class CHostChannelList {
 public:
  static constexpr size_t kSecondRecordSize = 268;
  using SecondRecord = std::array<uint8_t, kSecondRecordSize>;

  // False with error set when the file cannot be read as a channel list.
  bool Read(const std::string& path, std::string* error);

  std::vector<DVB_CHANNELS> channels;
  std::vector<SecondRecord> second;
};
