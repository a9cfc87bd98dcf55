#include "StreamParser.h"

#include "ByteOrder.h"

#include <cstdint>
#include <cstring>
#include <new>

using namespace streamparser;
using byteorder::GetBE16;

namespace {

DWORD Even(DWORD n) { return (n + 1) & ~DWORD(1); }

// True when the 16-bit words of the packet XOR to 0.
bool CheckWordOk(const BYTE* p, DWORD length) {
  uint64_t x = 0;
  DWORD i = 0;
  for (; i + 8 <= length; i += 8) {
    uint64_t w;
    memcpy(&w, p + i, 8);
    x ^= w;
  }
  x ^= x >> 32;
  x ^= x >> 16;
  BYTE even = BYTE(x), odd = BYTE(x >> 8);
  for (; i < length; i += 2) {
    even ^= p[i];
    odd ^= p[i + 1];
  }
  return even == 0 && odd == 0;
}

}  // namespace

CDVBStreamParser::CDVBStreamParser(IStreamParserSink* sink)
    : m_sink(sink), m_packet(new (std::nothrow) BYTE[kPacketBuffer]) {
  if (m_packet) m_fifo.Alloc(kFifoWords);
}

CDVBStreamParser::~CDVBStreamParser() { delete[] m_packet; }

void CDVBStreamParser::Feed(const BYTE* data, DWORD length) {
  if (!data || !m_packet) return;
  m_bytesFed += length;
  if (m_haveOdd && length) {
    // The byte left over from an odd-length block pairs with this one's
    // first, so the stream keeps its word alignment.
    BYTE pair[2] = {m_odd, data[0]};
    m_haveOdd = FALSE;
    ++data;
    --length;
    if (!m_fifo.Put(pair, 1)) {
      ParseQueued();
      m_fifo.Put(pair, 1);
    }
  }
  DWORD words = length / 2;
  // Put in pieces the FIFO can take, parsing in between, so a long block
  // never overruns it. A queued packet is never longer than the FIFO, so
  // each parse frees room.
  while (words) {
    DWORD n = m_fifo.Put(data, words);
    data += 2 * n;
    words -= n;
    ParseQueued();
    if (n == 0 && m_fifo.GetFree() == 0) break;
  }
  if (length & 1) {
    m_odd = data[2 * words];
    m_haveOdd = TRUE;
  }
  ParseQueued();
}

void CDVBStreamParser::ParseQueued() {
  for (;;) {
    if (!m_inSync) {
      DWORD n = m_fifo.GetCount();
      if (n < 1) return;
      m_fifo.Peek(m_packet, n);
      DWORD k = 0;
      for (; k + 1 < n; ++k) {
        const BYTE* b = m_packet + 2 * k;
        if (b[0] == kSyncByte && b[1] == kSyncByte && b[2] == kSyncByte) break;
      }
      if (k + 1 >= n) {
        // The last word may start a sync header: keep it.
        m_counters.skippedWords += n - 1;
        m_fifo.Skip(n - 1);
        return;
      }
      m_counters.skippedWords += k;
      m_fifo.Skip(k);
      BYTE header[kSyncHeaderSize];
      m_fifo.Get(header, 2);
      m_packetsLeft = BYTE(header[3] + 1);  // 0xFF gives 0: a group of 256
      m_inSync = TRUE;
      continue;
    }
    Result r = ParseOne();
    if (r == kIncomplete) return;
    if (r == kRejected) {
      // A damaged or refused packet costs the rest of its group: look for
      // the next sync header from this packet on.
      m_inSync = FALSE;
      continue;
    }
    if (--m_packetsLeft == 0) m_inSync = FALSE;
  }
}

DWORD CDVBStreamParser::PacketLength(DWORD peeked) {
  const BYTE* p = m_packet;
  BYTE type = p[0];
  if (type >= 0x80) {
    DWORD extra = (type & 0x20) ? 1 : 0;
    return Even(2 + extra + p[1]) + kTrailerSize;
  }
  switch (type) {
    case kTypeFiller: return (DWORD(p[1]) + 6) & ~DWORD(1);
    case kTypePva: return peeked >= 4 ? Even((GetBE16(p + 6) & 0x1FFF) + 8) + 4 : 0;
    case kTypeCommonInterface:
    case kTypeRecord:
    case kTypePipe:
    case kTypeTeletext: return Even(GetBE16(p + 2)) + 8;
    case kTypeTransport: return 192;
    case kTypeSection: return peeked >= 3 ? Even((GetBE16(p + 3) & 0x0FFF) + 3) + 6 : 0;
  }
  return 0;
}

CDVBStreamParser::Result CDVBStreamParser::ParseOne() {
  if (m_fifo.Peek(m_packet, 2) < 2) return kIncomplete;
  BYTE type = m_packet[0];
  DWORD headerWords = type == kTypePva ? 4 : type == kTypeSection ? 3 : 2;
  if (headerWords > 2 && m_fifo.Peek(m_packet, headerWords) < headerWords) return kIncomplete;
  DWORD length = PacketLength(headerWords);
  if (length == 0) {
    ++m_counters.unknownTypes;
    return kRejected;
  }
  // The limit is checked as soon as the length is known: a length beyond
  // what the FIFO can ever hold would otherwise wait for data for ever.
  if (type < 0x80 && length > kMaxPacket) {
    ++m_counters.badPackets;
    return kRejected;
  }
  DWORD words = length / 2;
  if (m_fifo.Peek(m_packet, words) < words) return kIncomplete;
  if (!CheckWordOk(m_packet, length)) {
    ++m_counters.badPackets;
    return kRejected;
  }
  if (!SequenceAccepted(GetBE16(m_packet + length - kTrailerSize))) {
    ++m_counters.refusedPackets;
    return kRejected;
  }
  m_fifo.Skip(words);
  Deliver(length);
  return kDone;
}

bool CDVBStreamParser::SequenceAccepted(WORD s) {
  switch (m_sequenceState) {
    case 100: break;
    case 0:
      if (s == m_expected) break;
      m_resendMark = m_bytesFed;
      ++m_counters.resendRequests;
      m_sequenceState = 2;
      if (m_sink) m_sink->RequestResend(m_expected);
      return false;
    case 2:
      if (s == m_expected) break;
      if (m_bytesFed - m_resendMark <= kResendWindow) return false;
      ++m_counters.gapsGivenUp;
      break;
    default: m_sequenceState = 100; return false;
  }
  m_expected = NextSequence(s);
  m_sequenceState = 0;
  return true;
}

void CDVBStreamParser::Deliver(DWORD) {
  BYTE* p = m_packet;
  BYTE type = p[0];
  int kind = 0;
  BYTE* data = p + 4;
  DWORD length = 0;
  BYTE slot = 0;
  switch (type) {
    case kTypeFiller: ++m_counters.fillers; return;
    case kTypeTransport:
      ++m_counters.transportPackets;
      if (p[1] & 0x80) ++m_counters.invalidTransportPackets;
      return;
    case kTypePva: kind = kKindPva, data = p, length = (GetBE16(p + 6) & 0x1FFF) + 8, slot = kSlotRecord; break;
    case kTypeCommonInterface: kind = kKindCommonInterface, length = GetBE16(p + 2), slot = kSlotCommonInterface; break;
    case kTypeRecord: kind = kKindRecord, length = GetBE16(p + 2), slot = kSlotRecord; break;
    case kTypePipe: kind = kKindPipe, length = GetBE16(p + 2), slot = BYTE(p[1] + 1); break;
    case kTypeSection:
      kind = kKindSection, data = p + 2, length = (GetBE16(p + 3) & 0x0FFF) + 3;
      slot = BYTE(p[1] + 1);
      break;
    case kTypeTeletext: kind = kKindPipe, length = GetBE16(p + 2), slot = kSlotTeletext; break;
    default: return;  // the high-bit types are consumed only
  }
  // The box numbers its filters 0..62; a packet naming another filter (its
  // slot would be 0 or past the last) belongs to no consumer.
  if (slot == 0 || slot >= kSlotCount) {
    ++m_counters.unroutable;
    return;
  }
  ++m_counters.delivered;
  if (m_sink) m_sink->Dispatch(kind, data, length, slot);
}
