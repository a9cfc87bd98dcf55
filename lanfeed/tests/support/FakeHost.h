// A host for tests: answers the plug-in's requests from in-memory lists and
// records every request it receives.
#pragma once

#include <cstring>
#include <mutex>
#include <vector>

#include "ChannelLists.h"
#include "HostLink.h"

class CFakeHost : public CHostLink {
 public:
  struct Call {
    uint32_t code;
    intptr_t value;  // the flag, or the index the request carried
  };

  void Request(uint32_t code, intptr_t lParam) override {
    std::lock_guard<std::mutex> hold(m_lock);
    auto* number = reinterpret_cast<int32_t*>(lParam);
    intptr_t logged = lParam;
    switch (code) {
      case kHostChannelCount: *number = channelCount >= 0 ? channelCount : static_cast<int32_t>(channels.size()); break;
      case kHostSecondCount: *number = secondCount >= 0 ? secondCount : static_cast<int32_t>(second.size()); break;
      case kHostCurrentChannel: *number = current; break;
      case kHostChannelRecord:
        logged = *number;
        if (*number >= 0 && static_cast<size_t>(*number) < channels.size())
          std::memcpy(number + 1, channels[*number].data(), kChannelRecordSize);
        break;
      case kHostSecondRecord:
        logged = *number;
        if (*number >= 0 && static_cast<size_t>(*number) < second.size())
          std::memcpy(number + 1, second[*number].data(), kSecondRecordSize);
        break;
      case kHostSwitchChannel: logged = *number; break;
      default: break;
    }
    calls.push_back({code, logged});
  }

  std::vector<Call> Calls() {
    std::lock_guard<std::mutex> hold(m_lock);
    return calls;
  }

  // A list of n records, each filled from its own position.
  static std::vector<CChannelLists::ChannelRecord> NumberedChannels(size_t n) {
    std::vector<CChannelLists::ChannelRecord> list(n);
    for (size_t i = 0; i < n; ++i)
      for (size_t b = 0; b < kChannelRecordSize; ++b) list[i][b] = static_cast<BYTE>(i * 7 + b * 3 + (i >> 8));
    return list;
  }
  static std::vector<CChannelLists::SecondRecord> NumberedSecond(size_t n) {
    std::vector<CChannelLists::SecondRecord> list(n);
    for (size_t i = 0; i < n; ++i)
      for (size_t b = 0; b < kSecondRecordSize; ++b) list[i][b] = static_cast<BYTE>(i * 11 + b + 0x40);
    return list;
  }

  std::vector<CChannelLists::ChannelRecord> channels;
  std::vector<CChannelLists::SecondRecord> second;
  int32_t channelCount = -1;  // what the host answers to the count; -1: the list's size
  int32_t secondCount = -1;   // the same for the second list
  int32_t current = 0;
  std::vector<Call> calls;

 private:
  std::mutex m_lock;
};
