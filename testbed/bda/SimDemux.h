// The MPEG-2 demultiplexer (Wine has none), created by its platform class
// identifier: a transport-stream input and the output pins "1" (sections for
// the TIF), "2" (MPEG-2 video), "3" (MPEG audio) and "4" (sections for the
// section filter), plus the pins made through IMpeg2Demultiplexer. Each
// output pin maps PIDs (IMPEG2PIDMap) and delivers the payload of their
// packets, one sample per pin and input sample. Mapping is recorded.
#pragma once

#include <Streams.h>

#include <memory>
#include <vector>

class CSimDemux : public CBaseFilter, public IMpeg2Demultiplexer {
 public:
  static CUnknown* WINAPI CreateInstance(LPUNKNOWN pUnk, HRESULT* phr);
  CSimDemux(LPUNKNOWN pUnk, HRESULT* phr);
  ~CSimDemux() override;

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
  int GetPinCount() override;
  CBasePin* GetPin(int n) override;
  STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;

  HRESULT STDMETHODCALLTYPE CreateOutputPin(AM_MEDIA_TYPE* type, LPWSTR name, IPin** pin) override;
  HRESULT STDMETHODCALLTYPE SetOutputPinMediaType(LPWSTR name, AM_MEDIA_TYPE* type) override;
  HRESULT STDMETHODCALLTYPE DeleteOutputPin(LPWSTR name) override;

 private:
  class CInput;
  class COutput;
  class CPidMapEnum;
  // The packets of one input sample to the output pins.
  HRESULT Demultiplex(const BYTE* data, long length);
  void AddOutput(const WCHAR* name, const CMediaType& type);

  CCritSec m_lock;     // the filter's state
  CCritSec m_pinLock;  // guards m_outputs (pins are added, never removed, while the filter lives)
  CInput* m_pInput;
  std::vector<std::unique_ptr<COutput>> m_outputs;
};
