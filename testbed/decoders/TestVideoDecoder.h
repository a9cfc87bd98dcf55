// An MPEG-2 video decoder stand-in: takes MPEG-2 video from a source and puts
// out one RGB32 frame of the picture size per input sample, with the input's
// time stamp, showing the decoder's letter, a frame counter and colour bands
// made from the sample's bytes. It records every input sample.
#pragma once

#include "RecordingDecoder.h"

class CTestVideoDecoder : public CRecordingDecoder {
 public:
  static CUnknown* WINAPI CreateA(LPUNKNOWN pUnk, HRESULT* phr);
  static CUnknown* WINAPI CreateB(LPUNKNOWN pUnk, HRESULT* phr);

  HRESULT CheckInputType(const CMediaType* mtIn) override;
  HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
  HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
  HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pprop) override;
  HRESULT SetMediaType(PIN_DIRECTION direction, const CMediaType* pmt) override;
  HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override;

  CTestVideoDecoder(LPUNKNOWN pUnk, HRESULT* phr, REFCLSID clsid, char letter);

 private:
  const char m_letter;  // 'A' or 'B'
  LONG m_width = 0, m_height = 0;  // the picture size of the input type
  LONG m_frames = 0;               // frames put out since the last stop
};
