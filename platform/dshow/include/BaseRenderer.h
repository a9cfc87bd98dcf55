// A filter with one input pin that renders each sample at its presentation
// time (at once when the graph has no clock or the sample no time). Compact:
// no quality management and no cueing; a sample received while paused waits
// until the filter runs, stops or is flushed.
#pragma once

#include "AMEvent.h"
#include "BaseFilter.h"
#include "RendererInputPin.h"

class CBaseRenderer : public CBaseFilter, public IAMFilterMiscFlags {
 public:
  CBaseRenderer(REFCLSID RenderClass, LPCTSTR pName, LPUNKNOWN pUnk, HRESULT* phr);
  ~CBaseRenderer() override;

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

  STDMETHODIMP Stop() override;
  STDMETHODIMP Pause() override;
  STDMETHODIMP Run(REFERENCE_TIME tStart) override;
  STDMETHODIMP_(ULONG) GetMiscFlags() override { return AM_FILTER_MISC_FLAGS_IS_RENDERER; }

  int GetPinCount() override { return 1; }
  CBasePin* GetPin(int n) override;

  // What a renderer provides.
  virtual HRESULT CheckMediaType(const CMediaType* pmt) = 0;
  virtual HRESULT DoRenderSample(IMediaSample* pMediaSample) = 0;
  virtual HRESULT SetMediaType(const CMediaType* pmt) { return S_OK; }
  virtual HRESULT BreakConnect() { return S_OK; }
  virtual HRESULT CompleteConnect(IPin* pReceivePin) { return S_OK; }
  virtual HRESULT OnStartStreaming() { return S_OK; }
  virtual HRESULT OnStopStreaming() { return S_OK; }

  // Called by the input pin.
  virtual HRESULT Receive(IMediaSample* pMediaSample);
  virtual HRESULT EndOfStream();
  virtual HRESULT BeginFlush();
  virtual HRESULT EndFlush();

  CCritSec* InterfaceLock() { return &m_InterfaceLock; }

 protected:
  // Waits until the sample's start time on the graph clock; FALSE when the
  // wait was abandoned (stop or flush).
  BOOL WaitForRenderTime(IMediaSample* pMediaSample);
  void SendEndOfStream();

  CCritSec m_InterfaceLock;  // the filter's state lock
  CCritSec m_RendererLock;   // guards the fields below
  CRendererInputPin* m_pInputPin;
  CAMEvent m_evStateChange;  // manual: set on run, stop and flush
  CAMEvent m_evAbort;        // manual: set on stop and flush
  BOOL m_bEOS;               // end of stream received
  BOOL m_bEOSDelivered;      // EC_COMPLETE sent
};
