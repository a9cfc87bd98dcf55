// "Quillon Professional Ex Source": a source filter with a "Video" and an
// "Audio" pin that plays the PES packets pushed through ISourceFeed.
#pragma once

#include "ExAudioPin.h"
#include "ExVideoPin.h"
#include "include/ISourceFeed.h"

#include <atomic>

class CExSourceFilter : public CSource, public ISourceFeed {
 public:
  static CUnknown* WINAPI CreateInstance(LPUNKNOWN pUnk, HRESULT* phr);
  ~CExSourceFilter() override;

  DECLARE_IUNKNOWN
  STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

  // ISourceFeed
  STDMETHODIMP DeliverVideo(BYTE* pPacket, LONG lLength) override;
  STDMETHODIMP DeliverAudio(BYTE* pPacket, LONG lLength) override;
  STDMETHODIMP Reset(BOOL bAC3, BOOL bH264, DWORD dwReserved) override;

  // Empties the queues (keeping the AC-3 choice, clearing H.264) first.
  STDMETHODIMP Stop() override;

  // The time origin of both pins, set by the first audio PTS. One value for
  // the library, shared by every filter object in the process.
  static std::atomic<DWORD> s_dwFirstPts;

 private:
  // Made only by CreateInstance.
  friend CUnknown* CreateComObject<CExSourceFilter>(LPUNKNOWN pUnk, HRESULT* phr);
  CExSourceFilter(LPUNKNOWN pUnk, HRESULT* phr);

  CExVideoPin* m_pVideoPin;
  CExAudioPin* m_pAudioPin;
};
