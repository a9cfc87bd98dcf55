#include "StreamPin.h"

#include <dvdmedia.h>

namespace {
constexpr LONG kWidth = 720;
constexpr LONG kHeight = 576;
constexpr LONG kSampleBytes = 16384;
constexpr LONG kBuffers = 8;
}  // namespace

CStreamPin::CStreamPin(CBaseFilter* pFilter, CCritSec* pLock, HRESULT* phr)
    : CBaseOutputPin(TEXT("Stream 1"), pFilter, pLock, phr, L"Stream 1") {}

HRESULT CStreamPin::GetMediaType(int iPosition, CMediaType* pmt) {
  if (iPosition < 0) return E_INVALIDARG;
  if (iPosition > 0) return VFW_S_NO_MORE_ITEMS;
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

HRESULT CStreamPin::CheckMediaType(const CMediaType* pmt) {
  return IsEqualGUID(*pmt->Type(), MEDIATYPE_Video) && IsEqualGUID(*pmt->Subtype(), MEDIASUBTYPE_MPEG2_VIDEO)
             ? S_OK
             : S_FALSE;
}

HRESULT CStreamPin::DecideBufferSize(IMemAllocator* pAlloc, ALLOCATOR_PROPERTIES* pRequest) {
  pRequest->cBuffers = std::max(pRequest->cBuffers, kBuffers);
  pRequest->cbBuffer = std::max(pRequest->cbBuffer, kSampleBytes);
  ALLOCATOR_PROPERTIES actual;
  const HRESULT hr = pAlloc->SetProperties(pRequest, &actual);
  if (FAILED(hr)) return hr;
  return actual.cbBuffer < pRequest->cbBuffer ? E_FAIL : S_OK;
}

void CStreamPin::Gather(const BYTE* payload, size_t length) {
  m_pending.insert(m_pending.end(), payload, payload + length);
  if (m_pending.size() < static_cast<size_t>(kSampleBytes)) return;
  if (IsConnected() && m_pFilter->IsActive()) {
    IMediaSample* sample = nullptr;
    if (SUCCEEDED(GetDeliveryBuffer(&sample, nullptr, nullptr, 0)) && sample) {
      BYTE* data = nullptr;
      sample->GetPointer(&data);
      CopyMemory(data, m_pending.data(), kSampleBytes);
      sample->SetActualDataLength(kSampleBytes);
      if (SUCCEEDED(Deliver(sample))) InterlockedIncrement(&m_delivered);
      sample->Release();
    }
  }
  m_pending.clear();
}
