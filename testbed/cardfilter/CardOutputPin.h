// The filter's "Audio" and "Video" output pins: MPEG-1/2 audio and MPEG-2
// video of the PIDs set through the AV control. They connect and take an
// allocator like the card's pins; the stand-in delivers no samples on them.
#pragma once

#include <Streams.h>

class CCardOutputPin : public CBaseOutputPin {
 public:
  enum Kind { kAudio, kVideo };
  CCardOutputPin(Kind kind, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr);

  HRESULT CheckMediaType(const CMediaType* pmt) override;
  HRESULT GetMediaType(int iPosition, CMediaType* pmt) override;
  HRESULT DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) override;

 private:
  Kind m_kind;
};
