// The parser of the box's multiplexed input stream. The box frames
// everything it sends on the isochronous input (filter data, teletext,
// recording data, common-interface messages) as packets in groups:
//
//   sync header  0xAA 0xAA 0xAA n   a group of n + 1 packets follows
//   packet       type byte, type-specific header and payload, padded to
//                whole 16-bit words, then a trailer of a 16-bit sequence
//                number and a check word (the XOR of all words is 0)
//
// All numbers are big-endian. The parser finds the groups, frames each
// packet by its type, checks it, asks the box once to resend after a
// sequence gap, and hands every good data packet to its sink with the
// packet kind and the callback slot it belongs to. Single-threaded: one
// reader thread feeds it and receives its deliveries.
#pragma once

#include "WordFifo.h"

#include <WinTypes.h>

// Where delivered packets go (the stream reader).
class IStreamParserSink {
 public:
  // data points into the parser's packet buffer, valid during the call.
  virtual void Dispatch(int kind, BYTE* data, DWORD length, BYTE slot) = 0;
  // Asks the box to send again from the given sequence number; the result
  // is ignored.
  virtual int RequestResend(WORD sequence) = 0;

 protected:
  ~IStreamParserSink() {}
};

namespace streamparser {

// Packet kinds handed to the slots.
enum Kind {
  kKindSection = 5,
  kKindPva = 11,
  kKindRecord = 12,
  kKindPipe = 13,
  kKindCommonInterface = 14,
};

// Stream slots with a fixed user.
enum Slot : BYTE {
  kSlotTeletext = 33,
  kSlotRecord = 34,
  kSlotCommonInterface = 35,
  kSlotPlayback = 36,
  kSlotCount = 64,  // slots 1..63
};

// Packet type bytes.
enum Type : BYTE {
  kTypeFiller = 0x00,
  kTypePva = 0x41,
  kTypeCommonInterface = 0x43,
  kTypeTransport = 0x47,
  kTypeRecord = 0x4D,
  kTypePipe = 0x50,
  kTypeSection = 0x53,
  kTypeTeletext = 0x54,
};

const BYTE kSyncByte = 0xAA;
const int kSyncHeaderSize = 4;
const int kTrailerSize = 4;
// The longest packet of any type but the high-bit ones.
const DWORD kMaxPacket = 8198;
const DWORD kFifoWords = 10240;
const DWORD kPacketBuffer = 20480;
// After a resend request, out-of-order packets are dropped for this many
// bytes of input before the stream is taken up wherever it stands.
const DWORD kResendWindow = 100000;

// The next sequence number: the low 15 bits count, bit 15 is kept.
inline WORD NextSequence(WORD s) { return WORD((s & 0x8000) | ((s + 1) & 0x7FFF)); }

}  // namespace streamparser

class CDVBStreamParser {
 public:
  explicit CDVBStreamParser(IStreamParserSink* sink);
  virtual ~CDVBStreamParser();
  CDVBStreamParser(const CDVBStreamParser&) = delete;
  CDVBStreamParser& operator=(const CDVBStreamParser&) = delete;

  // One block of the stream, of any length; every packet complete by its
  // end is delivered before Feed returns.
  void Feed(const BYTE* data, DWORD length);

  // Counters (nothing in the library acts on them).
  struct Counters {
    DWORD resendRequests = 0;
    DWORD gapsGivenUp = 0;
    DWORD badPackets = 0;      // check word or size
    DWORD refusedPackets = 0;  // sequence
    DWORD fillers = 0;
    DWORD transportPackets = 0;
    DWORD invalidTransportPackets = 0;
    DWORD unknownTypes = 0;
    DWORD unroutable = 0;  // filter number without a callback slot
    DWORD delivered = 0;
    DWORD skippedWords = 0;  // words passed over while out of sync
  };
  const Counters& GetCounters() const { return m_counters; }
  BOOL InSync() const { return m_inSync; }
  DWORD BytesFed() const { return m_bytesFed; }
  // The sequence number the next packet must carry (state 0).
  WORD GetExpectedSequence() const { return m_expected; }

 private:
  enum Result { kIncomplete, kDone, kRejected };
  void ParseQueued();
  Result ParseOne();
  // Packet length in bytes from the peeked header, 0 when byte 0 is no
  // packet type, or kMaxPacket + 1 and more for a length over the limit.
  DWORD PacketLength(DWORD peekedWords);
  bool SequenceAccepted(WORD sequence);
  void Deliver(DWORD length);

  IStreamParserSink* m_sink;
  CWordFifo m_fifo;
  BYTE* m_packet;
  BOOL m_inSync = FALSE;
  BYTE m_packetsLeft = 0;
  DWORD m_bytesFed = 0;
  int m_sequenceState = 100;
  WORD m_expected = 0;
  DWORD m_resendMark = 0;
  // A read of odd length leaves its last byte here for the next block.
  BOOL m_haveOdd = FALSE;
  BYTE m_odd = 0;
  Counters m_counters;
};
