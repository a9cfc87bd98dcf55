#include "ChannelLists.h"

#include <algorithm>
#include <cstring>

namespace {

// One list: the count, then each record behind its 32-bit index in a buffer
// that the host fills; at most maxRecords of them.
template <size_t RecordSize>
void FetchList(CHostLink& host, uint32_t countCode, uint32_t recordCode, size_t maxRecords,
               std::vector<std::array<BYTE, RecordSize>>& list) {
  list.clear();
  int32_t answer = 0;
  host.Request(countCode, reinterpret_cast<intptr_t>(&answer));
  const size_t count = answer > 0 ? std::min(static_cast<size_t>(answer), maxRecords) : 0;
  list.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    std::array<BYTE, 4 + RecordSize> buffer{};
    const int32_t index = static_cast<int32_t>(i);
    std::memcpy(buffer.data(), &index, sizeof(index));
    host.Request(recordCode, reinterpret_cast<intptr_t>(buffer.data()));
    std::array<BYTE, RecordSize>& record = list.emplace_back();
    std::memcpy(record.data(), buffer.data() + 4, RecordSize);
  }
}

}  // namespace

void CChannelLists::Fetch(CHostLink& host) {
  FetchList(host, kHostChannelCount, kHostChannelRecord, kMaxChannelRecords, channels);
  FetchList(host, kHostSecondCount, kHostSecondRecord, kMaxSecondRecords, second);
}
