// The packet ring of a stream consumer: the reader thread copies each
// arriving packet in (Push), the consumer's worker takes them out in order
// (Peek, handle in place, Pop). Packets lie whole and contiguous in one
// byte area allocated once; a queued packet is never overwritten. One
// producer and one consumer; the lock covers indices and positions only.
#pragma once

#include <WinTypes.h>

#include "framework/SyncObject.h"

struct PacketDesc {
  BYTE* data;
  DWORD length;
  DWORD kind;  // stream packet kind; 0 for interrupt messages
  BYTE slot;
  BYTE flag;
};

class CPacketRing {
 public:
  explicit CPacketRing(DWORD areaSize);
  virtual ~CPacketRing();
  CPacketRing(const CPacketRing&) = delete;
  CPacketRing& operator=(const CPacketRing&) = delete;

  // The descriptor count for an area: the larger of size / 500 + 1 and 64.
  static DWORD DescriptorsFor(DWORD areaSize);

  // FALSE when the ring has no area or the packet does not fit (it is
  // dropped).
  BOOL Push(const BYTE* data, DWORD length, DWORD kind, BYTE slot, BYTE flag);
  // The oldest packet, left queued; FALSE when there is none.
  BOOL Peek(PacketDesc** out);
  BOOL Pop();
  void Flush();

  DWORD GetDescriptorCount() const { return m_count; }
  DWORD GetAreaSize() const { return m_size; }
  DWORD Queued();

 private:
  CCriticalSection m_lock;
  BYTE* m_read = nullptr;
  BYTE* m_write = nullptr;
  DWORD m_readIndex = 0;
  DWORD m_writeIndex = 0;
  DWORD m_count = 0;
  PacketDesc* m_desc = nullptr;
  DWORD m_size = 0;
  BYTE* m_area = nullptr;
};
