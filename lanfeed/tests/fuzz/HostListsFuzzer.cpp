// A host whose answers come from the fuzz input: counts (any value) and the
// bytes it writes into each record buffer. The lists are fetched, relayed as
// the connect sequence, and every message must read back as it was meant.
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
      case kHostChannelCount:
      case kHostSecondCount:
      case kHostCurrentChannel: {
        int32_t value = static_cast<int32_t>(Take(4));
        // Large counts only cost time here; keep each run short.
        if (code != kHostCurrentChannel && value > 300) value %= 300;
        *number = value;
        break;
      }
      case kHostChannelRecord: Fill(number + 1, kChannelRecordSize); break;
      case kHostSecondRecord: Fill(number + 1, kSecondRecordSize); break;
      default: break;
    }
  }

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

class CheckingClient : public CStreamWriter {
 public:
  int Write(const BYTE* data, unsigned length, int) override {
    if (!reader.Feed(data, length)) __builtin_trap();
    return static_cast<int>(length);
  }
  bool IsConnected() const override { return true; }
  void Disconnect() override {}
  CLanStreamReader reader;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzHost host(data, size);
  CChannelLists lists;
  lists.Fetch(host);
  CheckingClient client;
  if (!SendConnectSequence(client, lists, host)) __builtin_trap();
  const size_t expected = lists.channels.size() + lists.second.size() + 1;
  if (client.reader.items.size() != expected || client.reader.Pending() != 0) __builtin_trap();
  for (size_t i = 0; i < lists.channels.size(); ++i)
    if (std::memcmp(client.reader.items[i].bytes.data(), lists.channels[i].data(), kChannelRecordSize) != 0)
      __builtin_trap();

  // The same bytes as packets of any length into the queue.
  CPesQueue queue;
  for (size_t at = 0; at < size; at += 1 + data[at] % 32) queue.Push(static_cast<int>(size - at), data + at);
  return 0;
}
