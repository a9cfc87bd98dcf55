#include "NullAudioRenderer.h"

#include "include/TestDecoders.h"

CUnknown* WINAPI CNullAudioRenderer::CreateInstance(LPUNKNOWN pUnk, HRESULT* phr) {
  return CreateComObject<CNullAudioRenderer>(pUnk, phr);
}

CNullAudioRenderer::CNullAudioRenderer(LPUNKNOWN pUnk, HRESULT* phr)
    : CBaseRenderer(CLSID_NullAudioRenderer, TEXT("Null audio renderer"), pUnk, phr) {}

HRESULT CNullAudioRenderer::CheckMediaType(const CMediaType* pmt) {
  return IsEqualGUID(*pmt->Type(), MEDIATYPE_Audio) && IsEqualGUID(*pmt->Subtype(), MEDIASUBTYPE_PCM) ? S_OK
                                                                                                      : S_FALSE;
}
