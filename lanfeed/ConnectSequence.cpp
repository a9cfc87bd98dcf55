#include "ConnectSequence.h"

#include <vector>

namespace {

bool SendWhole(CStreamWriter& out, const std::vector<BYTE>& message) {
  const int sent = out.Write(message.data(), static_cast<unsigned>(message.size()), kConnectMessageLimitMs);
  if (sent == static_cast<int>(message.size())) return true;
  out.Disconnect();
  return false;
}

template <typename List>
bool SendList(CStreamWriter& out, const List& list, uint16_t type) {
  std::vector<BYTE> message;
  const uint32_t count = static_cast<uint32_t>(list.size());
  for (uint32_t i = 0; i < count; ++i) {
    EncodeLanMessage(message, type, i, count, list[i].data(), static_cast<uint16_t>(list[i].size()));
    if (!SendWhole(out, message)) return false;
  }
  return true;
}

}  // namespace

bool SendConnectSequence(CStreamWriter& out, const CChannelLists& lists, CHostLink& host) {
  if (!out.IsConnected()) return false;
  if (!SendList(out, lists.channels, kLanChannelRecord)) return false;
  if (!SendList(out, lists.second, kLanSecondRecord)) return false;
  int32_t current = 0;
  host.Request(kHostCurrentChannel, reinterpret_cast<intptr_t>(&current));
  std::vector<BYTE> message;
  EncodeLanMessage(message, kLanCurrentChannel, static_cast<uint32_t>(current), 0, nullptr, 0);
  return SendWhole(out, message);
}

void SendChannelSwitched(CStreamWriter& out, int index) {
  if (!out.IsConnected()) return;
  std::vector<BYTE> message;
  EncodeLanMessage(message, kLanChannelSwitched, static_cast<uint32_t>(index), 0, nullptr, 0);
  out.Write(message.data(), static_cast<unsigned>(message.size()), kSwitchNoticeLimitMs);
}
