// The client's side of the stream, for tests, fuzzing and the benchmark:
// splits the received bytes into the server's messages and the PES packets
// between them. A PES packet's end comes from the length in its own header.
#pragma once

#include <cstddef>
#include <vector>

#include "LanProtocol.h"

struct LanItem {
  bool isMessage = false;
  LanMessageHeader header;  // messages only
  std::vector<BYTE> bytes;  // a message's payload, or the whole PES packet
};

class CLanStreamReader {
 public:
  // Takes the next bytes of the stream and splits off every complete item.
  // False once the stream holds something that is neither a message nor a
  // PES packet with a length; nothing more is split after that.
  bool Feed(const BYTE* data, size_t size);

  bool Failed() const { return m_failed; }
  size_t Pending() const { return m_buffer.size() - m_start; }
  // Items split so far, oldest first; the caller may take and clear them.
  std::vector<LanItem> items;

 private:
  // The size of the item at the front, 0 while more bytes are needed.
  size_t FrontItemSize();

  std::vector<BYTE> m_buffer;
  size_t m_start = 0;
  bool m_failed = false;
};
