#include "HostRequests.h"

#include <cstring>

intptr_t CHostRequests::Answer(uint32_t code, intptr_t lParam) {
  auto* number = reinterpret_cast<int32_t*>(lParam);
  switch (code) {
    case kServerStarted:
    case kServerStopped:
      m_log.Line("request 0x%07X server %s expert=%d", code, code == kServerStarted ? "started" : "stopped",
                 static_cast<int>(lParam));
      return 0;
    case kChannelCount:
      *number = static_cast<int32_t>(m_lists.channels.size());
      m_log.Line("request 0x%07X channel count -> %d", code, *number);
      return 0;
    case kSecondCount:
      *number = static_cast<int32_t>(m_lists.second.size());
      m_log.Line("request 0x%07X second count -> %d", code, *number);
      return 0;
    case kChannelRecord:
      // An index outside the list leaves the buffer as the plug-in gave it.
      if (*number >= 0 && static_cast<size_t>(*number) < m_lists.channels.size()) {
        std::memcpy(number + 1, &m_lists.channels[*number], sizeof(DVB_CHANNELS));
        ++m_records;
      }
      return 0;
    case kSecondRecord:
      if (*number >= 0 && static_cast<size_t>(*number) < m_lists.second.size()) {
        std::memcpy(number + 1, m_lists.second[*number].data(), CHostChannelList::kSecondRecordSize);
        ++m_second;
      }
      return 0;
    case kCurrentChannel:
      *number = m_current;
      m_log.Line("request 0x%07X current channel -> %d", code, m_current);
      return 0;
    case kSwitchChannel:
      m_current = *number;
      m_log.Line("request 0x%07X switch channel %d", code, m_current);
      return 0;
    default:
      m_log.Line("request 0x%07X unknown lParam=0x%llX", code, static_cast<unsigned long long>(lParam));
      return 0;
  }
}
