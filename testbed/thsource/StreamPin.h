// The source's programme pin "Stream 1": MPEG-2 video of the service set
// through the tuner control (720 x 576), delivered in samples of the
// gathered payload while the filter runs.
#pragma once

#include <Streams.h>

#include <vector>

class CStreamPin : public CBaseOutputPin {
 public:
  CStreamPin(CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr);

  HRESULT CheckMediaType(const CMediaType* pmt) override;
  HRESULT GetMediaType(int iPosition, CMediaType* pmt) override;
  HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override;

  // Gathers payload of the video PID; a full sample goes downstream (data thread).
  void Gather(const BYTE* payload, size_t length);
  // Samples delivered since the filter was made.
  long Delivered() const { return m_delivered; }

 private:
  std::vector<BYTE> m_pending;  // data thread only
  volatile long m_delivered = 0;
};
