#include "CardOutputPin.h"

#include <dvdmedia.h>

#include <algorithm>

#include "PesGatherer.h"
#include "SimScript.h"

namespace {
constexpr LONG kWidth = 720;
constexpr LONG kHeight = 576;
constexpr LONG kBufferBytes = 65536;
constexpr LONG kBuffers = 16;
constexpr size_t kTsPacket = 188;
constexpr long kNullPid = 8191;
// The wait after each sample: about a frame's time, so that a picture
// plays at a steady rate without time stamps.
constexpr DWORD kSampleGapMs = 20;
constexpr int kPacketsPerPace = 32;
constexpr DWORD kStopMs = 5000;
constexpr DWORD kIdleMs = 10;  // the poll of a paused filter for running
}  // namespace

CCardOutputPin::CCardOutputPin(Kind kind, CBaseFilter* pFilter, CCritSec* pLock, std::function<long()> pid,
                               std::function<bool()> running, HRESULT* phr)
    : CBaseOutputPin(kind == kAudio ? TEXT("Audio") : TEXT("Video"), pFilter, pLock, phr,
                     kind == kAudio ? L"Audio" : L"Video"),
      m_kind(kind),
      m_pid(std::move(pid)),
      m_running(std::move(running)) {}

CCardOutputPin::~CCardOutputPin() { m_worker.Stop(kStopMs); }

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

HRESULT CCardOutputPin::Active() {
  const HRESULT hr = CBaseOutputPin::Active();
  if (SUCCEEDED(hr)) m_worker.Start(&CCardOutputPin::Stream, this);
  return hr;
}

HRESULT CCardOutputPin::Inactive() {
  m_worker.RequestStop();
  // Decommitting releases the thread when it waits for a buffer.
  const HRESULT hr = CBaseOutputPin::Inactive();
  m_worker.Stop(kStopMs);
  return hr;
}

void CCardOutputPin::DeliverPayload(const std::vector<BYTE>& payload) {
  for (size_t at = 0; at < payload.size() && !m_worker.IsStopRequested();) {
    IMediaSample* sample = nullptr;
    if (FAILED(GetDeliveryBuffer(&sample, nullptr, nullptr, 0)) || !sample) return;  // decommitted: stopping
    BYTE* data = nullptr;
    const size_t n = std::min(payload.size() - at, static_cast<size_t>(std::max(sample->GetSize(), 1L)));
    if (SUCCEEDED(sample->GetPointer(&data))) {
      CopyMemory(data, payload.data() + at, n);
      sample->SetActualDataLength(static_cast<long>(n));
      sample->SetTime(nullptr, nullptr);
      Deliver(sample);
    }
    sample->Release();
    at += n;
  }
}

UINT CCardOutputPin::Stream(LPVOID param) {
  auto* self = static_cast<CCardOutputPin*>(param);
  const SimCardSettings settings = CSimCardScript::Instance().Settings();
  if (settings.stream.empty()) return 0;
  CPesGatherer gatherer;
  std::vector<BYTE> payload;
  long gathered = 0;  // the PID the gatherer holds payload of
  int sincePace = 0;
  while (!self->m_worker.IsStopRequested()) {
    // Paused, a live source delivers nothing: the stream starts afresh when it runs.
    if (!self->m_running()) {
      gatherer.Reset();
      if (self->m_worker.WaitForStop(kIdleMs)) return 0;
      continue;
    }
    for (size_t at = 0; at < settings.stream.size() && self->m_running(); at += kTsPacket) {
      const BYTE* p = &settings.stream[at];
      const long pid = self->m_pid();
      if (pid != gathered) {
        gatherer.Reset();
        gathered = pid;
      }
      if (pid != 0 && pid != kNullPid && ((p[1] & 0x1F) << 8 | p[2]) == pid && gatherer.Take(p, &payload)) {
        self->DeliverPayload(payload);
        if (self->m_worker.WaitForStop(kSampleGapMs)) return 0;
      }
      if (++sincePace < kPacketsPerPace) continue;
      sincePace = 0;
      if (self->m_worker.WaitForStop(settings.paceMs)) return 0;
    }
  }
  return 0;
}
