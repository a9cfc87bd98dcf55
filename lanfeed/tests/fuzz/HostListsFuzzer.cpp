// A host whose answers come from the fuzz input: counts (any value) and the
// bytes it writes into each record buffer. The lists are fetched (no more
// records than a list holds), relayed as the connect sequence, and every
// message must read back as it was meant.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "ConnectSequence.h"
#include "LanStreamReader.h"
#include "PesQueue.h"

namespace {

class FuzzHost : public CHostLink {
 public:
  FuzzHost(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

  void Request(uint32_t code, intptr_t lParam) override {
    auto* number = reinterpret_cast<int32_t*>(lParam);
    switch (code) {
      case kHostChannelCount: *number = channelCount = static_cast<int32_t>(Take(4)); break;
      case kHostSecondCount: *number = secondCount = static_cast<int32_t>(Take(4)); break;
      case kHostCurrentChannel: *number = static_cast<int32_t>(Take(4)); break;
      case kHostChannelRecord: Fill(number + 1, kChannelRecordSize); break;
      case kHostSecondRecord: Fill(number + 1, kSecondRecordSize); break;
      default: break;
    }
  }

  int32_t channelCount = 0;  // the counts answered
  int32_t secondCount = 0;

 private:
  uint32_t Take(int bytes) {
    uint32_t v = 0;
    for (int i = 0; i < bytes && m_at < m_size; ++i) v |= static_cast<uint32_t>(m_data[m_at++]) << (8 * i);
    return v;
  }
  void Fill(void* out, size_t n) {
    const size_t have = m_size - m_at < n ? m_size - m_at : n;
    std::memcpy(out, m_data + m_at, have);
    m_at += have;
  }
  const uint8_t* m_data;
  size_t m_size;
  size_t m_at = 0;
};

// Splits what the connect sequence sends and checks each message as it
// comes against the list it was meant to carry, keeping none of them.
class CheckingClient : public CStreamWriter {
 public:
  explicit CheckingClient(const CChannelLists& lists) : m_lists(lists) {}

  int Write(const BYTE* data, unsigned length, int) override {
    if (!m_reader.Feed(data, length)) __builtin_trap();
    for (const LanItem& item : m_reader.items) Check(item);
    m_reader.items.clear();
    return static_cast<int>(length);
  }
  bool IsConnected() const override { return true; }
  void Disconnect() override {}

  // The whole sequence came, and nothing after its end.
  bool Complete() const { return m_ended && m_reader.Pending() == 0; }

 private:
  template <typename List>
  static void CheckRecord(const LanItem& item, const List& list, size_t& next) {
    if (next >= list.size() || item.header.index != static_cast<uint16_t>(next) || item.header.count != list.size() ||
        item.bytes.size() != list[next].size() ||
        std::memcmp(item.bytes.data(), list[next].data(), list[next].size()) != 0)
      __builtin_trap();
    ++next;
  }

  void Check(const LanItem& item) {
    if (!item.isMessage || m_ended) __builtin_trap();
    switch (item.header.type) {
      case kLanChannelRecord:
        if (m_second != 0) __builtin_trap();  // the channel list comes first
        CheckRecord(item, m_lists.channels, m_channels);
        break;
      case kLanSecondRecord: CheckRecord(item, m_lists.second, m_second); break;
      case kLanCurrentChannel:
        if (m_channels != m_lists.channels.size() || m_second != m_lists.second.size()) __builtin_trap();
        m_ended = true;
        break;
      default: __builtin_trap();
    }
  }

  const CChannelLists& m_lists;
  CLanStreamReader m_reader;
  size_t m_channels = 0;  // records of each list checked so far
  size_t m_second = 0;
  bool m_ended = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzHost host(data, size);
  CChannelLists lists;
  lists.Fetch(host);
  auto held = [](int32_t count, size_t max) { return count <= 0 ? 0 : std::min(static_cast<size_t>(count), max); };
  if (lists.channels.size() != held(host.channelCount, CChannelLists::kMaxChannelRecords) ||
      lists.second.size() != held(host.secondCount, CChannelLists::kMaxSecondRecords))
    __builtin_trap();
  CheckingClient client(lists);
  if (!SendConnectSequence(client, lists, host) || !client.Complete()) __builtin_trap();

  // The same bytes as packets of any length into the queue.
  CPesQueue queue;
  for (size_t at = 0; at < size; at += 1 + data[at] % 32) queue.Push(static_cast<int>(size - at), data + at);
  return 0;
}
