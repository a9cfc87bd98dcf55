// The byte stream to the client: a 16-byte header in front of each list
// record and notice, raw PES packets in between (no framing of their own).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include <WinTypes.h>

enum LanMessageType : uint16_t {
  kLanChannelRecord = 1,    // one record of the channel list
  kLanCurrentChannel = 2,   // the host's current channel; ends the connect sequence
  kLanChannelSwitched = 3,  // the host was asked to switch channel
  kLanSecondRecord = 16,    // one record of the host's second list
};

constexpr size_t kLanHeaderSize = 16;
constexpr size_t kChannelRecordSize = 172;
constexpr size_t kSecondRecordSize = 268;
constexpr char kLanMagic[4] = {'Q', 'L', 'O', 'N'};

struct LanMessageHeader {
  uint16_t type = 0;
  uint16_t index = 0;
  uint32_t count = 0;
  uint16_t length = 0;
};

// Replaces out by one message: the header (little-endian, reserved bytes 0)
// and the payload. The index is cut to its low 16 bits, as the client
// expects for lists of more than 65,535 records; count travels whole.
void EncodeLanMessage(std::vector<BYTE>& out, uint16_t type, uint32_t index, uint32_t count, const BYTE* payload,
                      uint16_t length);

// Reads a header from the first 16 bytes; false when fewer bytes are given or
// the magic does not match.
bool DecodeLanHeader(const BYTE* data, size_t size, LanMessageHeader* out);
