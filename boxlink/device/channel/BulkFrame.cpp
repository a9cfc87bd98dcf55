#include "BulkFrame.h"

#include <cstring>

namespace bulkframe {

int Encode(BYTE* out, BYTE sequence, BYTE command, const BYTE* payload, int length) {
  if (length < 0 || length > kMaxPayload || (length > 0 && !payload)) return -1;
  out[0] = kStart;
  out[1] = sequence;
  out[2] = command;
  out[3] = BYTE(length);
  if (length > 0) memcpy(out + kHeaderSize, payload, size_t(length));
  return kHeaderSize + length;
}

void CBulkFrameReader::Feed(const BYTE* data, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    BYTE b = data[i];
    if (m_used == 0 && b != kStart) {
      ++m_dropped;  // hunting for a frame start
      continue;
    }
    if (m_used == 3 && b > kMaxPayload) {
      // Impossible length: drop the start byte and look for a new start
      // among the bytes already taken.
      BYTE held[3] = {m_partial[1], m_partial[2], b};
      ++m_dropped;
      m_used = 0;
      Feed(held, 3);
      continue;
    }
    m_partial[m_used++] = b;
    if (m_used >= size_t(kHeaderSize) && m_used == size_t(kHeaderSize) + m_partial[3]) {
      Frame frame;
      frame.sequence = m_partial[1];
      frame.command = m_partial[2];
      frame.length = m_partial[3];
      memcpy(frame.payload, m_partial + kHeaderSize, frame.length);
      m_frames.push_back(frame);
      m_used = 0;
    }
  }
}

bool CBulkFrameReader::Next(Frame& frame) {
  if (m_frames.empty()) return false;
  frame = m_frames.front();
  m_frames.pop_front();
  return true;
}

}  // namespace bulkframe
