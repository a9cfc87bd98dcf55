#include "SourceStream.h"

#include "AutoLock.h"
#include "HrCheck.h"
#include "Source.h"

CSourceStream::CSourceStream(LPCTSTR pObjectName, HRESULT* phr, CSource* ps, LPCWSTR pPinName)
    : CAMThread(phr), CBaseOutputPin(pObjectName, ps, ps->pStateLock(), phr, pPinName), m_pFilter(ps) {
  const HRESULT hr = CHECK_HR(m_pFilter->AddPin(this));
  if (phr && FAILED(hr)) *phr = hr;
}

CSourceStream::~CSourceStream() { m_pFilter->RemovePin(this); }

STDMETHODIMP CSourceStream::QueryId(LPWSTR* Id) { return CBasePin::QueryId(Id); }

HRESULT CSourceStream::Active() {
  CAutoLock lock(m_pFilter->pStateLock());
  if (m_pFilter->IsActive()) return S_FALSE;  // already running its thread
  if (!IsConnected()) return S_OK;
  RETURN_IF_FAILED(CBaseOutputPin::Active());
  if (ThreadExists()) return E_UNEXPECTED;
  if (!Create()) return E_FAIL;
  RETURN_IF_FAILED(Init());
  return CHECK_HR(Pause());
}

HRESULT CSourceStream::Inactive() {
  CAutoLock lock(m_pFilter->pStateLock());
  if (!IsConnected()) return S_OK;
  // Decommitting first releases a thread waiting for a buffer.
  RETURN_IF_FAILED(CBaseOutputPin::Inactive());
  if (ThreadExists()) {
    if (SUCCEEDED(CHECK_HR(Stop()))) CHECK_HR(Exit());
    Close();
  }
  return S_OK;
}

DWORD CSourceStream::ThreadProc() {
  HRESULT hr;
  DWORD com;
  do {
    com = GetRequest();
    if (com != CMD_INIT) Reply(static_cast<DWORD>(E_UNEXPECTED));
  } while (com != CMD_INIT);

  hr = CHECK_HR(OnThreadCreate());
  if (FAILED(hr)) {
    OnThreadDestroy();
    Reply(static_cast<DWORD>(hr));
    return 1;
  }
  Reply(S_OK);

  do {
    com = GetRequest();
    switch (com) {
      case CMD_EXIT: Reply(S_OK); break;
      case CMD_RUN:
      case CMD_PAUSE:
        Reply(S_OK);
        DoBufferProcessingLoop();
        break;
      case CMD_STOP: Reply(S_OK); break;
      default: Reply(static_cast<DWORD>(E_NOTIMPL)); break;
    }
  } while (com != CMD_EXIT);

  OnThreadDestroy();
  return 0;
}

HRESULT CSourceStream::DoBufferProcessingLoop() {
  DWORD com;
  OnThreadStartPlay();
  do {
    while (!CheckRequest(&com)) {
      ComPtr<IMediaSample> sample;
      if (FAILED(GetDeliveryBuffer(sample.Put(), nullptr, nullptr, 0))) {
        // Decommitted: the stop command is on its way.
        Sleep(1);
        continue;
      }
      HRESULT hr = CHECK_HR(FillBuffer(sample.Get()));
      if (hr == S_OK) {
        if (Deliver(sample.Get()) != S_OK) return S_OK;  // downstream refused: stop delivering
      } else if (hr == S_FALSE) {
        DeliverEndOfStream();
        return S_OK;
      } else {
        DeliverEndOfStream();
        m_pFilter->NotifyEvent(EC_ERRORABORT, hr, 0);
        return hr;
      }
    }
    // A command arrived: run and pause keep streaming, others end the loop.
    if (com == CMD_RUN || com == CMD_PAUSE) {
      Reply(S_OK);
    } else if (com != CMD_STOP) {
      Reply(static_cast<DWORD>(E_UNEXPECTED));
    }
  } while (com != CMD_STOP);
  return S_FALSE;
}

HRESULT CSourceStream::CheckMediaType(const CMediaType* pMediaType) {
  CAutoLock lock(m_pFilter->pStateLock());
  CMediaType mt;
  HRESULT hr = GetMediaType(0, &mt);
  if (hr != S_OK) return E_FAIL;
  return mt == *pMediaType ? S_OK : E_FAIL;
}

HRESULT CSourceStream::GetMediaType(int iPosition, CMediaType* pMediaType) {
  if (iPosition < 0) return E_INVALIDARG;
  if (iPosition > 0) return VFW_S_NO_MORE_ITEMS;
  return GetMediaType(pMediaType);
}
