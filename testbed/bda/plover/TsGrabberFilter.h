// The TS grabber "plover.ax": passes the transport stream from its input to
// its output and hands each packet of an added PID to the callback it was
// added with, on the streaming thread. Additions and removals are recorded.
#pragma once

#include <Streams.h>

#include <vector>

#include <TsGrabber.h>

class CTsGrabberFilter : public CTransformFilter, public ITsGrabber {
 public:
  static CUnknown* WINAPI CreateInstance(LPUNKNOWN pUnk, HRESULT* phr);
  CTsGrabberFilter(LPUNKNOWN pUnk, HRESULT* phr);

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

  HRESULT Transform(IMediaSample* in, IMediaSample* out) override;
  HRESULT CheckInputType(const CMediaType* mt) override;
  HRESULT CheckTransform(const CMediaType* in, const CMediaType* out) override;
  HRESULT DecideBufferSize(IMemAllocator* alloc, ALLOCATOR_PROPERTIES* request) override;
  HRESULT GetMediaType(int position, CMediaType* mt) override;

  HRESULT STDMETHODCALLTYPE AddPIDs(WORD pid, PFN_TS_PACKET callback, void* context) override;
  HRESULT STDMETHODCALLTYPE DelPIDs(void* context) override;
  HRESULT STDMETHODCALLTYPE Reserved() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE StopTimeshift() override { return S_OK; }

 private:
  struct Tap {
    WORD pid;
    PFN_TS_PACKET callback;
    void* context;
  };
  CCritSec m_tapLock;  // guards m_taps
  std::vector<Tap> m_taps;
};
