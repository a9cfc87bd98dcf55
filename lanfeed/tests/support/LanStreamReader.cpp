#include "LanStreamReader.h"

#include <cstring>

size_t CLanStreamReader::FrontItemSize() {
  const BYTE* p = m_buffer.data() + m_start;
  const size_t have = Pending();
  if (have < 4) return 0;
  if (std::memcmp(p, kLanMagic, sizeof(kLanMagic)) == 0) {
    LanMessageHeader header;
    if (!DecodeLanHeader(p, have, &header)) return 0;
    return kLanHeaderSize + header.length;
  }
  // A PES packet: start code prefix, a stream id of 0xBC or above, and a
  // non-zero length (an unbounded video packet cannot be split).
  if (p[0] != 0 || p[1] != 0 || p[2] != 1 || p[3] < 0xBC) {
    m_failed = true;
    return 0;
  }
  if (have < 6) return 0;
  const size_t length = (static_cast<size_t>(p[4]) << 8) | p[5];
  if (length == 0) {
    m_failed = true;
    return 0;
  }
  return 6 + length;
}

bool CLanStreamReader::Feed(const BYTE* data, size_t size) {
  if (m_failed) return false;
  if (size > 0) m_buffer.insert(m_buffer.end(), data, data + size);
  for (;;) {
    const size_t itemSize = FrontItemSize();
    if (m_failed) return false;
    if (itemSize == 0 || Pending() < itemSize) break;
    const BYTE* p = m_buffer.data() + m_start;
    LanItem item;
    if (DecodeLanHeader(p, itemSize, &item.header)) {
      item.isMessage = true;
      item.bytes.assign(p + kLanHeaderSize, p + itemSize);
    } else {
      item.bytes.assign(p, p + itemSize);
    }
    items.push_back(std::move(item));
    m_start += itemSize;
  }
  // Keeps the buffer from growing with everything ever received.
  if (m_start > 0 && m_start * 2 >= m_buffer.size()) {
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(m_start));
    m_start = 0;
  }
  return true;
}
