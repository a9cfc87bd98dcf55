// The TS grabber "plover.ax": passes the transport stream from its input to
// its output and hands each packet of an added PID to the callback it was
// added with, on the streaming thread. Additions and removals are recorded.
// With the failure "grabber Stop" injected it misbehaves as a grabber with a
// thread of its own may: its stop fails and that thread goes on handing the
// packets it passed last to the callbacks until the filter is destroyed.
#pragma once

#include <Streams.h>

#include <vector>

#include <TsGrabber.h>

class CTsGrabberFilter : public CTransformFilter, public ITsGrabber {
 public:
  static CUnknown* WINAPI CreateInstance(LPUNKNOWN pUnk, HRESULT* phr);
  CTsGrabberFilter(LPUNKNOWN pUnk, HRESULT* phr);
  ~CTsGrabberFilter() override;

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

  STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
  STDMETHODIMP Stop() override;
  HRESULT Transform(IMediaSample* in, IMediaSample* out) override;
  HRESULT CheckInputType(const CMediaType* mt) override;
  HRESULT CheckTransform(const CMediaType* in, const CMediaType* out) override;
  HRESULT DecideBufferSize(IMemAllocator* alloc, ALLOCATOR_PROPERTIES* request) override;
  HRESULT GetMediaType(int position, CMediaType* mt) override;

  HRESULT STDMETHODCALLTYPE AddPIDs(WORD pid, PFN_TS_PACKET callback, void* context) override;
  HRESULT STDMETHODCALLTYPE DelPIDs(void* context) override;
  HRESULT STDMETHODCALLTYPE Reserved() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE StopTimeshift() override;

 private:
  struct Tap {
    WORD pid;
    PFN_TS_PACKET callback;
    void* context;
  };
  // The packets of pids to their callbacks; under m_tapLock.
  void HandOut(const BYTE* data, long length);
  static DWORD WINAPI EchoThread(void* self);

  CCritSec m_tapLock;  // guards m_taps and m_last
  std::vector<Tap> m_taps;
  std::vector<BYTE> m_last;  // the packets passed last
  HANDLE m_echoStop = nullptr;
  HANDLE m_echo = nullptr;  // the thread of a failed stop
};
