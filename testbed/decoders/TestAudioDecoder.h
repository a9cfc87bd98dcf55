// An audio decoder stand-in for MPEG audio or AC-3: takes the compressed
// samples and puts out, per input sample, one sample of silence as 16-bit
// stereo PCM at 48 kHz with the input's time stamp (for an audio renderer
// downstream). It records every input sample.
#pragma once

#include "RecordingDecoder.h"

class CTestAudioDecoder : public CRecordingDecoder {
 public:
  static CUnknown* WINAPI CreateMpeg(LPUNKNOWN pUnk, HRESULT* phr);
  static CUnknown* WINAPI CreateAc3(LPUNKNOWN pUnk, HRESULT* phr);

  HRESULT CheckInputType(const CMediaType* mtIn) override;
  HRESULT CheckTransform(const CMediaType* mtIn, const CMediaType* mtOut) override;
  HRESULT GetMediaType(int iPosition, CMediaType* pMediaType) override;
  HRESULT DecideBufferSize(IMemAllocator* pAllocator, ALLOCATOR_PROPERTIES* pprop) override;
  HRESULT Transform(IMediaSample* pIn, IMediaSample* pOut) override;

  CTestAudioDecoder(LPUNKNOWN pUnk, HRESULT* phr, REFCLSID clsid, const GUID& input);

 private:
  const GUID m_input;  // the compressed subtype taken
};
