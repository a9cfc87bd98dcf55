#include "CardOutputPin.h"

namespace {
constexpr LONG kWidth = 720;
constexpr LONG kHeight = 576;
constexpr LONG kBufferBytes = 65536;
constexpr LONG kBuffers = 16;
}  // namespace

CCardOutputPin::CCardOutputPin(Kind kind, CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr)
    : CBaseOutputPin(kind == kAudio ? TEXT("Audio") : TEXT("Video"), pFilter, pLock, phr,
                     kind == kAudio ? L"Audio" : L"Video"),
      m_kind(kind) {}

HRESULT CCardOutputPin::GetMediaType(int iPosition, CMediaType* pmt) {
  if (iPosition < 0) return E_INVALIDARG;
  if (iPosition > 0) return VFW_S_NO_MORE_ITEMS;
  if (m_kind == kAudio) {
    pmt->SetType(&MEDIATYPE_Audio);
    pmt->SetSubtype(&MEDIASUBTYPE_MPEG2_AUDIO);
    pmt->SetFormatType(&FORMAT_WaveFormatEx);
    auto* wave = reinterpret_cast<WAVEFORMATEX*>(pmt->AllocFormatBuffer(sizeof(WAVEFORMATEX)));
    if (!wave) return E_OUTOFMEMORY;
    ZeroMemory(wave, sizeof(WAVEFORMATEX));
    wave->wFormatTag = WAVE_FORMAT_MPEG;
    wave->nChannels = 2;
    wave->nSamplesPerSec = 48000;
    return S_OK;
  }
  pmt->SetType(&MEDIATYPE_Video);
  pmt->SetSubtype(&MEDIASUBTYPE_MPEG2_VIDEO);
  pmt->SetFormatType(&FORMAT_MPEG2Video);
  auto* info = reinterpret_cast<MPEG2VIDEOINFO*>(pmt->AllocFormatBuffer(sizeof(MPEG2VIDEOINFO)));
  if (!info) return E_OUTOFMEMORY;
  ZeroMemory(info, sizeof(MPEG2VIDEOINFO));
  info->hdr.rcSource = {0, 0, kWidth, kHeight};
  info->hdr.rcTarget = info->hdr.rcSource;
  info->hdr.dwPictAspectRatioX = 4;
  info->hdr.dwPictAspectRatioY = 3;
  info->hdr.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->hdr.bmiHeader.biWidth = kWidth;
  info->hdr.bmiHeader.biHeight = kHeight;
  return S_OK;
}

HRESULT CCardOutputPin::CheckMediaType(const CMediaType* pmt) {
  CMediaType offered;
  if (FAILED(GetMediaType(0, &offered))) return E_FAIL;
  return IsEqualGUID(*pmt->Type(), *offered.Type()) && IsEqualGUID(*pmt->Subtype(), *offered.Subtype()) ? S_OK
                                                                                                        : S_FALSE;
}

HRESULT CCardOutputPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) {
  pRequest->cBuffers = std::max(pRequest->cBuffers, kBuffers);
  pRequest->cbBuffer = std::max(pRequest->cbBuffer, kBufferBytes);
  ALLOCATOR_PROPERTIES actual;
  const HRESULT hr = pAlloc->SetProperties(pRequest, &actual);
  if (FAILED(hr)) return hr;
  return actual.cbBuffer < pRequest->cbBuffer ? E_FAIL : S_OK;
}
