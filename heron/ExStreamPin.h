// What the video and audio pins share: the packet queue with its lock and
// wake event, the fill lock, the time stamps and the buffer loop's fill.
#pragma once

#include "PacketQueue.h"
#include "TimeStamper.h"
#include "WakeState.h"

#include <Streams.h>

class CExSourceFilter;

class CExStreamPin : public CSourceStream {
 public:
  // Each sample carries one PES payload; the allocator gives buffers of
  // this size (a PES packet's length field is 16 bits).
  static constexpr long kBufferSize = 65535;
  // How long an almost empty queue waits for more packets before a take.
  static constexpr DWORD kWakeWaitMs = 1000;

  // A push that leaves more than cWakeAbove packets queued wakes the
  // streaming thread; a take below cTakeAtLeast packets waits first.
  CExStreamPin(LPCTSTR pObjectName, HRESULT* phr, CExSourceFilter* pFilter, LPCWSTR pPinName, BOOL bVideo,
               size_t cWakeAbove, size_t cTakeAtLeast);
  ~CExStreamPin() override;

  // Called from any thread.
  void Push(const BYTE* pPacket, LONG cbPacket);
  void EmptyQueue();

  HRESULT FillBuffer(IMediaSample* pSample) override;
  HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override;
  HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
  HRESULT CheckMediaType(const CMediaType* pMediaType) override;
  HRESULT SetMediaType(const CMediaType* pMediaType) override;
  STDMETHODIMP Notify(IBaseFilter* pSender, Quality q) override { return E_FAIL; }

 protected:
  // The pin's one offered type in its current mode.
  virtual const GUID& OfferedSubtype() const = 0;
  virtual HRESULT MakeMediaType(CMediaType* pMediaType) = 0;
  // A type without a format block is normally refused.
  virtual BOOL AcceptsNoFormat(const CMediaType* pMediaType) const { return FALSE; }

  // A wake left set by an earlier run (its queue since emptied by a reset)
  // would cut the first wait short and fail the first take at once.
  HRESULT OnThreadStartPlay() override;
  HRESULT Take(BYTE* pDst, DWORD cbCapacity, DWORD* pcbPayload);
  // Writes the drop lines that have become due to the debugger output;
  // called under m_QueueLock after every push and every take that dropped.
  void LogDueDrops();

  CCritSec m_QueueLock;  // guards m_Queue
  CPacketQueue m_Queue;
  CAMEvent m_evWake;       // auto reset; set only while the thread waits on it
  CWakeState m_Wake;       // guarded by m_QueueLock
  CCritSec m_FillLock;     // held for one whole fill
  CTimeStamper m_Stamper;  // written by the streaming thread and resets
  const size_t m_cWakeAbove;
  const size_t m_cTakeAtLeast;
};
