// One filter in the box on one PID: a section filter (what arrives is one
// whole PSI section per packet) or a pipe filter (the PID's data passed
// through). The data arrive in the object's ring and are handed, on its
// worker thread, to OnDataArrival, or to the box's network-adapter side.
// Each object owns one box filter at a time, in the stream slot numbered
// the box's filter number + 1, and one worker for its whole life.
#pragma once

#include "DVBError.h"

#include <Framework.h>

class CConsumerLink;
struct PacketDesc;

class AFX_EXT_CLASS CDVBTSFilter {
 public:
  enum FILTERTYPE {
    FILTER_NONE = 0,         // refused
    FILTER_PIPE = 1,         // the PID's data passed through
    FILTER_SECTION = 2,      // sections matching data and mask (so is every other value)
    FILTER_NET_SECTION = 3,  // sections forwarded to the network side unchanged
  };

  CDVBTSFilter();
  explicit CDVBTSFilter(DWORD ringSize);
  virtual ~CDVBTSFilter();
  CDVBTSFilter(const CDVBTSFilter&) = delete;
  CDVBTSFilter& operator=(const CDVBTSFilter&) = delete;

  // On the worker thread, one packet at a time in arrival order. It must not
  // destroy its own object.
  virtual void OnDataArrival(BYTE* data, int length);

  // Replaces this object's filter. data and mask are matched against the
  // section header bytes (bytes 1 and 2, the section length, are skipped).
  DVB_ERROR SetFilter(FILTERTYPE type, WORD pid, BYTE* data, BYTE* mask, BYTE length);
  // The same; the data go to the network side with the filter id in front.
  DVB_ERROR SetWinSockFilter(FILTERTYPE type, WORD pid, BYTE* data, BYTE* mask, BYTE length);
  // Removes the filter; 5 when none is set.
  DVB_ERROR ResetFilter();
  // The filter's stream slot, 0 when none is set.
  BYTE GetFilterID() const { return m_bFilterID; }
  // Bytes delivered to the filter's slot since it was set.
  DWORD GetByteCount();

  // The byte counts of stream slots 0..n-1 (at most 64; slot 0 counts 0).
  static DVB_ERROR GetFiltersByteCount(DWORD* counts, BYTE n);
  static DVB_ERROR ResetAllFilters();

  static void ExtCallback(void* context, int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag);
  void TSCallback(int kind, BYTE slot, BYTE* data, DWORD length, BYTE flag);
  int StartThread(int priority);
  int StopThread(DWORD timeoutMs);
  int IsRunning();

 protected:
  // Removes the slot (no box needed) and stops the worker, so that no
  // handler runs any more. A derived class whose handler uses its own
  // members calls it first in its destructor.
  void StopDelivery();

 private:
  // The slave filter server asks its filters' workers to stop at the
  // library's unload, where no thread can end and none is waited for.
  friend class CDVBSlaveFilterServer;
  void RequestWorkerStop();

  DVB_ERROR Set(BOOL network, FILTERTYPE type, WORD pid, BYTE* data, BYTE* mask, BYTE length);
  DVB_ERROR AddFilter(volatile BYTE& filterId, FILTERTYPE type, WORD pid, BYTE* data, BYTE* mask, BYTE length);
  DVB_ERROR DelFilter(BYTE filterId);
  static void HandlePacket(void* self, const PacketDesc& packet);

  CConsumerLink* m_pConsumer;
  volatile BOOL m_bNetwork;
  volatile BYTE m_bFilterID;
  volatile FILTERTYPE m_FilterType;
};
