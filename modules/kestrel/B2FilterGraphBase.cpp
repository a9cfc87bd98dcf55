#include "B2FilterGraphBase.h"

#include <cstdio>

#include <GraphRot.h>

namespace {

template <class T>
HRESULT Query(IUnknown* from, REFIID iid, ComPtr<T>* to) {
  return from->QueryInterface(iid, to->PutVoid());
}

}  // namespace

CB2FilterGraphBase::~CB2FilterGraphBase() { ReleaseAll(); }

void CB2FilterGraphBase::ReleaseAll() {
  m_pBasicVideo.Reset();
  m_pBasicAudio.Reset();
  m_pMediaControl.Reset();
  m_pAudioPin.Reset();
  m_pVideoPin.Reset();
  m_pVideoRenderer.Reset();
  m_pTimeshiftCtrl2.Reset();
  m_pTimeshiftCtrl.Reset();
  m_pAVCtrl.Reset();
  m_pDataCtrl.Reset();
  m_pTunerCtrl.Reset();
  m_pSourceFilter.Reset();
  RemoveFromRot();
  m_pGraph.Reset();
}

HRESULT CB2FilterGraphBase::Step(HRESULT hr, LPCSTR step) {
  if (FAILED(hr)) m_error.SetLastError(step, static_cast<DWORD>(hr));
  return hr;
}

void CB2FilterGraphBase::Throw(LPCSTR step, DWORD code) {
  m_error.SetLastError(step, code);
  throw new CB2FilterGraphException(m_error.GetLastErrorText(), code);
}

void CB2FilterGraphBase::Initialize() {
  if (SUCCEEDED(Build())) return;
  const DWORD code = m_error.GetLastErrorCode();
  throw new CB2FilterGraphException(m_error.GetLastErrorText(), code);
}

HRESULT CB2FilterGraphBase::Build() {
  HRESULT hr = Step(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterGraph2,
                                     m_pGraph.PutVoid()),
                    "Create Filter Graph");
  if (FAILED(hr)) return hr;
  if (FAILED(hr = Step(AddToRot(), "Add Filter Graph to ROT"))) return hr;
  hr = Step(CoCreateInstance(CLSID_B2C2MPEG2Filter, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                             m_pSourceFilter.PutVoid()),
            "Create B2C2 MPEG2 Filter");
  if (FAILED(hr)) return hr;
  hr = Step(m_pGraph->AddFilter(m_pSourceFilter.Get(), L"Skystar2 Source Filter"), "Add B2C2 Filter to Filter Graph");
  if (FAILED(hr)) return hr;

  IUnknown* source = m_pSourceFilter.Get();
  if (FAILED(hr = Step(Query(source, IID_IB2C2MPEG2DataCtrl4, &m_pDataCtrl), "Query Interface IID_IB2C2MPEG2DataCtrl4")))
    return hr;
  if (FAILED(hr = Step(Query(source, IID_IB2C2MPEG2TunerCtrl2, &m_pTunerCtrl),
                       "Query Interface IID_IB2C2MPEG2TunerCtrl2")))
    return hr;
  if (FAILED(hr = Step(m_pTunerCtrl->Initialize(), "Initialize Tuner Control"))) return hr;
  if (FAILED(hr = Step(Query(source, IID_IB2C2MPEG2AVCtrl, &m_pAVCtrl), "Query Interface IID_IB2C2MPEG2AVCtrl")))
    return hr;
  if (FAILED(hr = Step(Query(source, IID_IB2C2MPEG2TimeshiftCtrl, &m_pTimeshiftCtrl),
                       "Query Interface IID_IB2C2MPEG2TimeshiftCtrl")))
    return hr;
  if (FAILED(hr = Step(Query(source, IID_IB2C2MPEG2TimeshiftCtrl2, &m_pTimeshiftCtrl2),
                       "Query Interface IID_IB2C2MPEG2TimeshiftCtrl")))
    return hr;
  if (FAILED(hr = Step(Query(m_pGraph.Get(), IID_IBasicAudio, &m_pBasicAudio), "Query Interface IID_IBasicAudio")))
    return hr;
  if (FAILED(hr = Step(Query(m_pGraph.Get(), IID_IBasicVideo, &m_pBasicVideo), "Query Interface IID_IBasicVideo")))
    return hr;

  if (!m_pTunerCtrl || !m_pDataCtrl || !m_pAVCtrl || !m_pTimeshiftCtrl2) {
    m_error.SetLastError("Internal Error, initialize", CB2FilterGraphError::kInternalError);
    return E_FAIL;
  }
  m_pTunerCtrl->CheckLock();
  return S_OK;
}

HRESULT CB2FilterGraphBase::AddToRot() {
  return RegisterGraphInRot(m_pGraph.Get(), ROTFLAGS_REGISTRATIONKEEPSALIVE, &m_dwRotCookie);
}

void CB2FilterGraphBase::RemoveFromRot() {
  RevokeGraphFromRot(&m_dwRotCookie);
}

void CB2FilterGraphBase::Run() {
  if (!m_pGraph) Throw("No filter graph; Run", CB2FilterGraphError::kNotInitialized);
  if (!m_pMediaControl) {
    const HRESULT hr = Query(m_pGraph.Get(), IID_IMediaControl, &m_pMediaControl);
    if (FAILED(hr)) Throw("Not Initialize, query Media Control", CB2FilterGraphError::kNotInitialized);
  }
  const HRESULT hr = m_pMediaControl->Run();
  if (FAILED(hr)) Throw("Run", static_cast<DWORD>(hr));
}

void CB2FilterGraphBase::Pause() {
  if (!m_pMediaControl) return;
  const HRESULT hr = m_pMediaControl->Pause();
  if (FAILED(hr)) Throw("Pause", static_cast<DWORD>(hr));
}

void CB2FilterGraphBase::Stop() {
  if (!m_pMediaControl) return;
  const HRESULT hr = m_pMediaControl->Stop();
  if (FAILED(hr)) Throw("Stop", static_cast<DWORD>(hr));
}

HRESULT CB2FilterGraphBase::SetVolume(long value) {
  return m_pBasicAudio ? m_pBasicAudio->put_Volume(value) : E_FAIL;
}
