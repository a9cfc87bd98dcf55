// The host's answers to a plug-in's SendMessage(host, WM_USER, code, lParam)
// requests: list counts and records, the current channel, and the notices
// and channel-switch requests, which it logs.
#pragma once

#include <cstdint>

#include "HostChannelList.h"
#include "HostLog.h"

class CHostRequests {
 public:
  enum Code : uint32_t {
    kServerStarted = 0x1022000,
    kServerStopped = 0x1022010,
    kChannelCount = 0x1021000,
    kChannelRecord = 0x1022014,
    kSecondCount = 0x1021002,
    kSecondRecord = 0x1022016,
    kCurrentChannel = 0x1020014,
    kSwitchChannel = 0x1022012,
  };

  CHostRequests(const CHostChannelList& lists, CHostLog& log, int current)
      : m_lists(lists), m_log(log), m_current(current) {}

  // Fills what lParam points to; returns the message result (0).
  intptr_t Answer(uint32_t code, intptr_t lParam);
  int Current() const { return m_current; }
  int RecordsAnswered() const { return m_records; }
  int SecondAnswered() const { return m_second; }

 private:
  const CHostChannelList& m_lists;
  CHostLog& m_log;
  int m_current;
  int m_records = 0;
  int m_second = 0;
};
