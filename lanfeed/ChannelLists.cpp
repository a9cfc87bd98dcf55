#include "ChannelLists.h"

#include <cstring>

namespace {

// One list: the count, then each record behind its 32-bit index in a buffer
// that the host fills.
template <size_t RecordSize>
void FetchList(CHostLink& host, uint32_t countCode, uint32_t recordCode,
               std::vector<std::array<BYTE, RecordSize>>& list) {
  list.clear();
  int32_t count = 0;
  host.Request(countCode, reinterpret_cast<intptr_t>(&count));
  for (int32_t i = 0; i < count; ++i) {
    std::array<BYTE, 4 + RecordSize> buffer{};
    std::memcpy(buffer.data(), &i, sizeof(i));
    host.Request(recordCode, reinterpret_cast<intptr_t>(buffer.data()));
    std::array<BYTE, RecordSize>& record = list.emplace_back();
    std::memcpy(record.data(), buffer.data() + 4, RecordSize);
  }
}

}  // namespace

void CChannelLists::Fetch(CHostLink& host) {
  FetchList(host, kHostChannelCount, kHostChannelRecord, channels);
  FetchList(host, kHostSecondCount, kHostSecondRecord, second);
}
