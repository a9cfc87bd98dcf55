// The plug-in's requests to the host: SendMessage(host, WM_USER, code, lParam)
// on Windows, answered before the call returns by filling what lParam points to.
#pragma once

#include <cstdint>

enum HostRequestCode : uint32_t {
  kHostServerStarted = 0x1022000,   // lParam: expert flag
  kHostServerStopped = 0x1022010,   // lParam: expert flag
  kHostChannelCount = 0x1021000,    // lParam: int* count
  kHostChannelRecord = 0x1022014,   // lParam: int index, then 172 bytes the host fills
  kHostSecondCount = 0x1021002,     // lParam: int* count
  kHostSecondRecord = 0x1022016,    // lParam: int index, then 268 bytes the host fills
  kHostCurrentChannel = 0x1020014,  // lParam: int* index
  kHostSwitchChannel = 0x1022012,   // lParam: int* index
};

class CHostLink {
 public:
  virtual ~CHostLink() = default;
  virtual void Request(uint32_t code, intptr_t lParam) = 0;
};
