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

  // The copies live in the host's 32-bit address space and are fetched on
  // its UI thread, one request per record: a list holds at most 32 MiB of
  // records (195,083 channel records, 125,203 of the second list), far
  // beyond any real list and beyond the 65,536 that the wire's 16-bit index
  // tells apart, and still a short fetch.
  static constexpr size_t kMaxListBytes = 32u << 20;
  static constexpr size_t kMaxChannelRecords = kMaxListBytes / kChannelRecordSize;
  static constexpr size_t kMaxSecondRecords = kMaxListBytes / kSecondRecordSize;

  // Empties both lists and asks the host for them again; a count of 0 or
  // below gives an empty list, a count beyond what a list holds the first
  // records up to that bound.
  void Fetch(CHostLink& host);

  std::vector<ChannelRecord> channels;
  std::vector<SecondRecord> second;
};
