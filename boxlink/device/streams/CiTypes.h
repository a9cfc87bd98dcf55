// The records a common-interface handler receives, valid during the call.
// Portable (the strings are the framework's CString, which the host build
// has too).
#pragma once

#include <Framework.h>

// Handed to OnSlotStatus for a CAM that is present (status 2 or 3).
struct _typ_SlotInfo {
  BYTE status;
  BYTE* pRest;      // the message bytes after the CA system list
  WORD* pCaIds;     // the CA system ids, in host byte order
  WORD wCaIdCount;  // number of CA system ids
  // Not in the first four fields that applications read: how many message
  // bytes pRest points to, so that nothing past the message is read.
  WORD wRestLength;
};

// A connection descriptor of the CAM's low-speed communication: how to
// reach the dial-up or cable return channel.
struct _typ_ConnectionDesc {
  DWORD dwType;        // 1 telephone, 2 cable return channel, 3 telephone with six further strings
  CString number;      // the dialling digits; for other types the channel-id byte as a character
  CString further[6];  // type 3 only
  BYTE bRetryCount;
  BYTE bTimeout;
};
