// The first-in-first-out queue of one pin: owned copies of whole PES packets.
// Not locked: the pin guards it with its queue lock.
#pragma once

#include "DropLog.h"
#include "PesHeader.h"
#include "SequenceHeader.h"

#include <cstddef>
#include <deque>
#include <memory>

class CPacketQueue {
 public:
  // A queue that nobody drains (a stopped or stalled graph that keeps being
  // fed) drops its oldest packets beyond these bounds: far above the wake
  // thresholds (26 and 101 packets), and several seconds of an 80 Mbit/s
  // transponder.
  static constexpr size_t kMaxPackets = 8192;
  static constexpr size_t kMaxBytes = 32u * 1024 * 1024;

  enum class EPush { Queued, Malformed, NoMemory };

  struct TakeResult {
    BOOL bTaken = FALSE;  // a payload was copied out
    DWORD cbPayload = 0;
    BOOL bHasPts = FALSE;
    DWORD dwPts = 0;
    DWORD cDropped = 0;  // heads dropped for not fitting the buffer
  };

  explicit CPacketQueue(size_t maxPackets = kMaxPackets, size_t maxBytes = kMaxBytes);

  // One queued packet: an owned copy and its parsed header.
  struct Entry {
    std::unique_ptr<BYTE[]> data;
    DWORD cb = 0;
    CPesHeader header;
  };

  // Checks and copies a packet without touching any queue, so that the
  // copy is made outside the queue lock. Malformed packets (see
  // CPesHeader::Parse) give EPush::Malformed.
  static EPush MakeEntry(const BYTE* pPacket, LONG cbPacket, Entry* pEntry);
  // Appends an entry; a full queue drops its oldest packets first.
  void Append(Entry&& entry);
  // Counts a packet that MakeEntry refused.
  void NoteRefused(EPush reason);
  // MakeEntry, NoteRefused or Append in one call.
  EPush Push(const BYTE* pPacket, LONG cbPacket);

  // Copies the head's payload (the bytes after its PES header) into pDst and
  // removes the head. A head whose payload exceeds cbCapacity can never be
  // delivered: it is dropped and the next one taken.
  TakeResult TakeHead(BYTE* pDst, DWORD cbCapacity);

  // The first MPEG-2 sequence header in the queued packets, oldest first,
  // each searched from its byte 0 (PES header included).
  BOOL FindSequenceHeader(CSequenceHeader* pHeader) const;

  void Clear();
  size_t Count() const { return m_entries.size(); }
  size_t Bytes() const { return m_cbQueued; }

  // Packets dropped since construction, by cause, and their log throttle.
  size_t Dropped(EDropCause cause) const { return m_drops.Dropped(cause); }
  CDropLog& Drops() { return m_drops; }

 private:
  void PopHead();

  const size_t m_maxPackets;
  const size_t m_maxBytes;
  std::deque<Entry> m_entries;
  size_t m_cbQueued = 0;
  CDropLog m_drops;
};
