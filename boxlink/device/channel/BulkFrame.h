// Frames on the bulk command pipe: 0xAA, sequence number, frame command,
// payload length (at most 60), payload. The reset and the flash/boot data
// travel this way instead of on the command channel.
#pragma once

#include <WinTypes.h>
#include <cstddef>
#include <deque>

namespace bulkframe {

const BYTE kStart = 0xAA;
const BYTE kFlashData = 0xF0;
const BYTE kReset = 0xF1;
const int kHeaderSize = 4;
const int kMaxPayload = 60;
const int kMaxFrame = kHeaderSize + kMaxPayload;

// Writes one frame into out (room for kMaxFrame bytes); returns its size, or
// -1 when the payload is too long or missing.
int Encode(BYTE* out, BYTE sequence, BYTE command, const BYTE* payload, int length);

struct Frame {
  BYTE sequence = 0;
  BYTE command = 0;
  BYTE length = 0;
  BYTE payload[kMaxPayload] = {};
};

// Reassembles frames from the bytes of successive pipe writes. Bytes that
// cannot start a frame and headers with an impossible length are dropped
// and counted, and the reader hunts for the next start byte.
class CBulkFrameReader {
 public:
  void Feed(const BYTE* data, size_t length);
  // Takes the next complete frame; false when none is complete yet.
  bool Next(Frame& frame);
  // Bytes dropped while hunting for a frame start since construction.
  size_t DroppedBytes() const { return m_dropped; }
  // Bytes of an incomplete frame held back.
  size_t Pending() const { return m_used; }
  // Forgets an incomplete frame (the pipe was reset or aborted).
  void Reset() { m_used = 0; }

 private:
  BYTE m_partial[kMaxFrame] = {};
  size_t m_used = 0;
  size_t m_dropped = 0;
  std::deque<Frame> m_frames;
};

}  // namespace bulkframe
