// The copies of the host's two lists, fetched record by record at Start and
// relayed unchanged to every client that connects until the next Start.
#pragma once

#include <array>
#include <vector>

#include <WinTypes.h>

#include "HostLink.h"
#include "LanProtocol.h"

class CChannelLists {
 public:
  using ChannelRecord = std::array<BYTE, kChannelRecordSize>;
  using SecondRecord = std::array<BYTE, kSecondRecordSize>;

  // Empties both lists and asks the host for them again; a count of 0 or
  // below gives an empty list.
  void Fetch(CHostLink& host);

  std::vector<ChannelRecord> channels;
  std::vector<SecondRecord> second;
};
