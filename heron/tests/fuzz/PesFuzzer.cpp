// Feeds arbitrary bytes through the PES header parser, the packet queue (as
// one packet and as a sequence of length-prefixed packets) and the sequence
// header search.
#include "PacketQueue.h"
#include "PesHeader.h"
#include "SequenceHeader.h"
#include "TimeStamper.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CPesHeader h;
  if (CPesHeader::Parse(data, static_cast<LONG>(size), &h)) {
    if (h.HeaderLength() + h.PayloadLength() != size) __builtin_trap();
  }
  CSequenceHeader seq;
  CSequenceHeader::Find(data, static_cast<DWORD>(size), &seq);

  std::atomic<DWORD> first{0};
  CTimeStamper video(TRUE, &first), audio(FALSE, &first);
  CPacketQueue q(16, 4096);
  q.Push(data, static_cast<LONG>(size));
  // The rest as packets: one length byte, then that many bytes.
  size_t i = 0;
  while (i < size) {
    size_t n = data[i++];
    if (n > size - i) n = size - i;
    q.Push(data + i, static_cast<LONG>(n));
    i += n;
  }
  q.FindSequenceHeader(&seq);
  std::vector<BYTE> buf(64);
  for (int k = 0; q.Count() && k < 64; k++) {
    CTimeStamper& s = (k & 1) ? video : audio;
    s.BeginFill();
    CPacketQueue::TakeResult r = q.TakeHead(buf.data(), static_cast<DWORD>(buf.size()));
    if (r.bTaken && r.bHasPts) s.OnPts(r.dwPts);
    int64_t t;
    s.Stamp(&t);
  }
  return 0;
}
