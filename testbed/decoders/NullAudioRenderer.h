// An audio renderer that needs no sound device: it takes PCM and drops each
// sample at its presentation time. Registered above the platform's audio
// renderers, so that a graph's own audio render ends here on a machine
// without sound.
#pragma once

#include <Streams.h>

class CNullAudioRenderer : public CBaseRenderer {
 public:
  static CUnknown* WINAPI CreateInstance(LPUNKNOWN pUnk, HRESULT* phr);

  HRESULT CheckMediaType(const CMediaType* pmt) override;
  HRESULT DoRenderSample(IMediaSample*) override { return S_OK; }

 private:
  friend CUnknown* CreateComObject<CNullAudioRenderer>(LPUNKNOWN pUnk, HRESULT* phr);
  CNullAudioRenderer(LPUNKNOWN pUnk, HRESULT* phr);
};
