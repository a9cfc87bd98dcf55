#include "SourceStream.h"

#include "AutoLock.h"
#include "Source.h"

CSourceStream::CSourceStream(LPCTSTR pObjectName, HRESULT* phr, CSource* ps, LPCWSTR pPinName)
    : CAMThread(phr), CBaseOutputPin(pObjectName, ps, ps->pStateLock(), phr, pPinName), m_pFilter(ps) {
    HRESULT hr = m_pFilter->AddPin(this);
    if (phr && FAILED(hr)) *phr = hr;
}

CSourceStream::~CSourceStream() { m_pFilter->RemovePin(this); }

STDMETHODIMP CSourceStream::QueryId(LPWSTR* Id) { return CBasePin::QueryId(Id); }

HRESULT CSourceStream::Active() {
    CAutoLock lock(m_pFilter->pStateLock());
    if (m_pFilter->IsActive()) return S_FALSE;  // already running its thread
    if (!IsConnected()) return S_OK;
    HRESULT hr = CBaseOutputPin::Active();
    if (FAILED(hr)) return hr;
    if (ThreadExists()) return E_UNEXPECTED;
    if (!Create()) return E_FAIL;
    hr = Init();
    if (FAILED(hr)) return hr;
    return Pause();
}

HRESULT CSourceStream::Inactive() {
    CAutoLock lock(m_pFilter->pStateLock());
    if (!IsConnected()) return S_OK;
    // Decommitting first releases a thread waiting for a buffer.
    HRESULT hr = CBaseOutputPin::Inactive();
    if (FAILED(hr)) return hr;
    if (ThreadExists()) {
        hr = Stop();
        if (SUCCEEDED(hr)) hr = Exit();
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

    hr = OnThreadCreate();
    if (FAILED(hr)) {
        OnThreadDestroy();
        Reply(static_cast<DWORD>(hr));
        return 1;
    }
    Reply(S_OK);

    do {
        com = GetRequest();
        switch (com) {
        case CMD_EXIT:
            Reply(S_OK);
            break;
        case CMD_RUN:
        case CMD_PAUSE:
            Reply(S_OK);
            DoBufferProcessingLoop();
            break;
        case CMD_STOP:
            Reply(S_OK);
            break;
        default:
            Reply(static_cast<DWORD>(E_NOTIMPL));
            break;
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
            IMediaSample* pSample = nullptr;
            HRESULT hr = GetDeliveryBuffer(&pSample, nullptr, nullptr, 0);
            if (FAILED(hr)) {
                // Decommitted: the stop command is on its way.
                Sleep(1);
                continue;
            }
            hr = FillBuffer(pSample);
            if (hr == S_OK) {
                hr = Deliver(pSample);
                pSample->Release();
                if (hr != S_OK) return S_OK;  // downstream refused: stop delivering
            } else if (hr == S_FALSE) {
                pSample->Release();
                DeliverEndOfStream();
                return S_OK;
            } else {
                pSample->Release();
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
