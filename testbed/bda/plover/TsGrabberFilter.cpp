#include "TsGrabberFilter.h"

#include <BdaPlatform.h>

#include <algorithm>

#include "../SimRecord.h"

namespace {
constexpr long kPacketSize = 188;
constexpr long kBufferBytes = 64 * 1024;
constexpr DWORD kEchoStopLimitMs = 5000;  // the thread's round takes a few milliseconds
}  // namespace

CUnknown* WINAPI CTsGrabberFilter::CreateInstance(LPUNKNOWN pUnk, HRESULT* phr) {
  CUnknown* made = new (std::nothrow) CTsGrabberFilter(pUnk, phr);
  if (!made && phr) *phr = E_OUTOFMEMORY;
  return made;
}

CTsGrabberFilter::CTsGrabberFilter(LPUNKNOWN pUnk, HRESULT* phr)
    : CTransformFilter(TEXT("TS grabber"), pUnk, CLSID_TsGrabber, phr) {}

CTsGrabberFilter::~CTsGrabberFilter() {
  if (m_echo) {
    SetEvent(m_echoStop);
    WaitForSingleObject(m_echo, kEchoStopLimitMs);
    CloseHandle(m_echo);
  }
  if (m_echoStop) CloseHandle(m_echoStop);
}

STDMETHODIMP CTsGrabberFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  const HRESULT hr = graph ? SimFailure("grabber join") : S_OK;
  return FAILED(hr) ? hr : CTransformFilter::JoinFilterGraph(graph, name);
}

STDMETHODIMP CTsGrabberFilter::Stop() {
  const HRESULT hr = CTransformFilter::Stop();
  const HRESULT injected = SimFailure("grabber Stop");
  if (SUCCEEDED(injected)) return hr;
  if (!m_echo) {
    m_echoStop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_echo = CreateThread(nullptr, 0, &EchoThread, this, 0, nullptr);
  }
  return injected;
}

DWORD WINAPI CTsGrabberFilter::EchoThread(void* self) {
  auto* grabber = static_cast<CTsGrabberFilter*>(self);
  SimRecordLine("grabber goes on after a failed stop");
  while (WaitForSingleObject(grabber->m_echoStop, 2) == WAIT_TIMEOUT) {
    CAutoLock lock(&grabber->m_tapLock);
    grabber->HandOut(grabber->m_last.data(), static_cast<long>(grabber->m_last.size()));
  }
  return 0;
}

HRESULT CTsGrabberFilter::StopTimeshift() { return SimFailure("grabber StopTimeshift"); }

STDMETHODIMP CTsGrabberFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (IsEqualIID(riid, IID_ITsGrabber)) return GetInterface(static_cast<ITsGrabber*>(this), ppv);
  return CTransformFilter::NonDelegatingQueryInterface(riid, ppv);
}

HRESULT CTsGrabberFilter::CheckInputType(const CMediaType* mt) {
  if (FAILED(SimFailure("grabber input"))) return VFW_E_TYPE_NOT_ACCEPTED;
  return IsEqualGUID(*mt->Type(), MEDIATYPE_Stream) &&
                 (IsEqualGUID(*mt->Subtype(), KSDATAFORMAT_SUBTYPE_BDA_MPEG2_TRANSPORT) ||
                  IsEqualGUID(*mt->Subtype(), MEDIASUBTYPE_MPEG2_TRANSPORT))
             ? S_OK
             : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CTsGrabberFilter::CheckTransform(const CMediaType* in, const CMediaType* out) {
  return CheckInputType(in) == S_OK && IsEqualGUID(*in->Subtype(), *out->Subtype()) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CTsGrabberFilter::GetMediaType(int position, CMediaType* mt) {
  if (position < 0) return E_INVALIDARG;
  if (position > 0) return VFW_S_NO_MORE_ITEMS;
  if (!m_pInput->IsConnected()) return E_UNEXPECTED;
  *mt = m_pInput->CurrentMediaType();
  return S_OK;
}

HRESULT CTsGrabberFilter::DecideBufferSize(IMemAllocator* alloc, ALLOCATOR_PROPERTIES* request) {
  request->cBuffers = std::max<long>(request->cBuffers, 8);
  request->cbBuffer = std::max<long>(request->cbBuffer, kBufferBytes);
  ALLOCATOR_PROPERTIES actual;
  return alloc->SetProperties(request, &actual);
}

HRESULT CTsGrabberFilter::Transform(IMediaSample* in, IMediaSample* out) {
  BYTE* src = nullptr;
  BYTE* dst = nullptr;
  in->GetPointer(&src);
  out->GetPointer(&dst);
  const long length = std::min(in->GetActualDataLength(), out->GetSize());
  std::copy_n(src, length, dst);
  out->SetActualDataLength(length);
  CAutoLock lock(&m_tapLock);
  m_last.assign(src, src + length);
  HandOut(src, length);
  return S_OK;
}

void CTsGrabberFilter::HandOut(const BYTE* data, long length) {
  for (long at = 0; at + kPacketSize <= length; at += kPacketSize) {
    const BYTE* p = data + at;
    const WORD pid = static_cast<WORD>((p[1] & 0x1F) << 8 | p[2]);
    for (const Tap& tap : m_taps)
      if (tap.pid == pid) tap.callback(pid, p);
  }
}

HRESULT CTsGrabberFilter::AddPIDs(WORD pid, PFN_TS_PACKET callback, void* context) {
  if (!callback) return E_POINTER;
  const HRESULT hr = SimFailure("grabber AddPIDs");
  if (FAILED(hr)) return hr;
  CAutoLock lock(&m_tapLock);
  m_taps.push_back({pid, callback, context});
  SimRecordLine("grabber AddPIDs %u", pid);
  return S_OK;
}

HRESULT CTsGrabberFilter::DelPIDs(void* context) {
  const HRESULT hr = SimFailure("grabber DelPIDs");
  if (FAILED(hr)) return hr;
  CAutoLock lock(&m_tapLock);
  for (const Tap& tap : m_taps)
    if (tap.context == context) SimRecordLine("grabber DelPIDs %u", tap.pid);
  m_taps.erase(std::remove_if(m_taps.begin(), m_taps.end(), [context](const Tap& t) { return t.context == context; }),
               m_taps.end());
  return S_OK;
}
