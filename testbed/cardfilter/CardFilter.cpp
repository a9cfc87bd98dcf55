#include "CardFilter.h"

#include <string>

#include "SimScript.h"

namespace {

CSimCardScript& Card() { return CSimCardScript::Instance(); }

std::string Narrow(LPCWSTR text) {
  char buffer[MAX_PATH * 2] = {};
  WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof(buffer) - 1, nullptr, nullptr);
  return buffer;
}

// The answer of a query: the injected failure, or S_OK with the value.
template <typename T>
HRESULT Answer(const char* call, T* out, T value) {
  if (!out) return E_POINTER;
  const HRESULT hr = Card().Call(call);
  if (SUCCEEDED(hr)) *out = value;
  return hr;
}

}  // namespace

CUnknown* WINAPI CCardFilter::CreateInstance(LPUNKNOWN pUnk, HRESULT* phr) {
  return CreateComObject<CCardFilter>(pUnk, phr);
}

CCardFilter::CCardFilter(LPUNKNOWN pUnk, HRESULT* phr)
    : CBaseFilter(TEXT("Card source filter"), pUnk, &m_filterLock, CLSID_B2C2MPEG2Filter, phr) {
  Card().LoadOnce();
  m_audio = std::make_unique<CCardOutputPin>(CCardOutputPin::kAudio, this, &m_filterLock,
                                             [this] { return m_feed.AudioVideoPid(false); }, [this] { return m_bRunning.load(); }, phr);
  m_video = std::make_unique<CCardOutputPin>(CCardOutputPin::kVideo, this, &m_filterLock,
                                             [this] { return m_feed.AudioVideoPid(true); }, [this] { return m_bRunning.load(); }, phr);
}

CCardFilter::~CCardFilter() { m_feed.Stop(); }

STDMETHODIMP CCardFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IB2C2MPEG2TunerCtrl2)) return GetInterface(static_cast<IB2C2MPEG2TunerCtrl2*>(this), ppv);
  if (IsEqualIID(riid, IID_IB2C2MPEG2DataCtrl4)) return GetInterface(static_cast<IB2C2MPEG2DataCtrl4*>(this), ppv);
  if (IsEqualIID(riid, IID_IB2C2MPEG2AVCtrl)) return GetInterface(static_cast<IB2C2MPEG2AVCtrl*>(this), ppv);
  if (IsEqualIID(riid, IID_IB2C2MPEG2TimeshiftCtrl) || IsEqualIID(riid, IID_IB2C2MPEG2TimeshiftCtrl2))
    return GetInterface(static_cast<IB2C2MPEG2TimeshiftCtrl2*>(this), ppv);
  return CBaseFilter::NonDelegatingQueryInterface(riid, ppv);
}

CBasePin* CCardFilter::GetPin(int n) {
  if (n == 0) return m_audio.get();
  if (n == 1) return m_video.get();
  return nullptr;
}

STDMETHODIMP CCardFilter::Run(REFERENCE_TIME tStart) {
  HRESULT hr = Card().Call("Run");
  if (SUCCEEDED(hr)) hr = CBaseFilter::Run(tStart);
  if (SUCCEEDED(hr)) m_bRunning = true;
  return hr;
}

STDMETHODIMP CCardFilter::Pause() {
  const HRESULT hr = Card().Call("Pause");
  if (FAILED(hr)) return hr;
  m_bRunning = false;
  return CBaseFilter::Pause();
}

STDMETHODIMP CCardFilter::Stop() {
  const HRESULT hr = Card().Call("Stop");
  if (FAILED(hr)) return hr;
  m_bRunning = false;
  return CBaseFilter::Stop();
}

STDMETHODIMP CCardFilter::GetState(DWORD dwMilliSecsTimeout, FILTER_STATE* State) {
  const HRESULT hr = CBaseFilter::GetState(dwMilliSecsTimeout, State);
  return hr == S_OK && *State == State_Paused ? VFW_S_CANT_CUE : hr;
}

// The tuner: every setting is recorded with its value.
STDMETHODIMP CCardFilter::SetFrequency(long v) { return Card().Call("SetFrequency", "%ld", v); }
STDMETHODIMP CCardFilter::SetSymbolRate(long v) { return Card().Call("SetSymbolRate", "%ld", v); }
STDMETHODIMP CCardFilter::SetLnbFrequency(long v) { return Card().Call("SetLnbFrequency", "%ld", v); }
STDMETHODIMP CCardFilter::SetFec(long v) { return Card().Call("SetFec", "%ld", v); }
STDMETHODIMP CCardFilter::SetPolarity(long v) { return Card().Call("SetPolarity", "%ld", v); }
STDMETHODIMP CCardFilter::SetLnbKHz(long v) { return Card().Call("SetLnbKHz", "%ld", v); }
STDMETHODIMP CCardFilter::SetDiseqc(long v) { return Card().Call("SetDiseqc", "%ld", v); }
STDMETHODIMP CCardFilter::SetModulation(long v) { return Card().Call("SetModulation", "%ld", v); }
STDMETHODIMP CCardFilter::SetGuardInterval(long v) { return Card().Call("SetGuardInterval", "%ld", v); }
STDMETHODIMP CCardFilter::SetBandwidth(long v) { return Card().Call("SetBandwidth", "%ld", v); }
STDMETHODIMP CCardFilter::Initialize() { return Card().Call("Initialize"); }
STDMETHODIMP CCardFilter::SetTunerStatus() { return Card().Call("SetTunerStatus"); }

STDMETHODIMP CCardFilter::CheckLock() {
  const HRESULT hr = Card().Call("CheckLock");
  if (FAILED(hr)) return hr;
  return Card().Settings().locked ? S_OK : E_FAIL;
}

STDMETHODIMP CCardFilter::GetTunerCapabilities(B2C2TunerCapabilities* caps, long* length) {
  if (!caps || !length) return E_POINTER;
  if (*length < static_cast<long>(sizeof(B2C2TunerCapabilities))) return E_INVALIDARG;
  const HRESULT hr = Card().Call("GetTunerCapabilities");
  if (FAILED(hr)) return hr;
  const SimCardSettings s = Card().Settings();
  ZeroMemory(caps, sizeof(*caps));
  caps->dwTunerType = s.tunerType;
  caps->dwPerformanceMonitoring = s.performanceBits;
  caps->dwAcquisitionCapabilities = s.acquisitionBits;
  *length = s.capabilityLength;
  return S_OK;
}

STDMETHODIMP CCardFilter::GetSignalStrength(long* v) { return Answer("GetSignalStrength", v, Card().Settings().strength); }
STDMETHODIMP CCardFilter::GetSignalQuality(long* v) { return Answer("GetSignalQuality", v, Card().Settings().quality); }
STDMETHODIMP CCardFilter::GetSNR(float* v) { return Answer("GetSNR", v, Card().Settings().snr); }
STDMETHODIMP CCardFilter::GetBER(float* v) { return Answer("GetBER", v, Card().Settings().ber); }
STDMETHODIMP CCardFilter::GetUncorrectedBlocks(long* v) {
  return Answer("GetUncorrectedBlocks", v, Card().Settings().uncorrected);
}
STDMETHODIMP CCardFilter::GetTotalBlocks(long* v) { return Answer("GetTotalBlocks", v, Card().Settings().total); }

HRESULT CCardFilter::PidCall(const char* call, long* count, const long* pids) {
  if (!count || (*count > 0 && !pids) || *count < 0) return E_POINTER;
  std::string list;
  for (long i = 0; i < *count; ++i) list += (i ? " " : "") + std::to_string(pids[i]);
  const HRESULT hr = Card().Call(call, "%s", list.c_str());
  if (FAILED(hr)) *count = 0;
  return hr;
}

STDMETHODIMP CCardFilter::AddPIDs(long* count, long* pids) {
  const HRESULT hr = PidCall("AddPIDs", count, pids);
  if (SUCCEEDED(hr))
    for (long i = 0; i < *count; ++i) m_feed.AddPid(pids[i]);
  return hr;
}

STDMETHODIMP CCardFilter::DeletePIDs(long* count, long* pids) {
  const HRESULT hr = PidCall("DeletePIDs", count, pids);
  if (SUCCEEDED(hr))
    for (long i = 0; i < *count; ++i) m_feed.DeletePid(pids[i]);
  return hr;
}

STDMETHODIMP CCardFilter::GetDataReceptionStats(long* packets, long* bytes) {
  if (!packets || !bytes) return E_POINTER;
  const HRESULT hr = Card().Call("GetDataReceptionStats");
  if (SUCCEEDED(hr)) m_feed.GetStats(packets, bytes);
  return hr;
}

STDMETHODIMP CCardFilter::ResetDataReceptionStats() {
  const HRESULT hr = Card().Call("ResetDataReceptionStats");
  if (SUCCEEDED(hr)) m_feed.ResetStats();
  return hr;
}

STDMETHODIMP CCardFilter::SetTsCallback(B2C2TsCallback callback) {
  const HRESULT hr = Card().Call("SetTsCallback", "%s", callback ? "set" : "null");
  if (SUCCEEDED(hr)) m_feed.SetCallback(callback);
  return hr;
}

STDMETHODIMP CCardFilter::GetHardwareMacAddress(BYTE mac[6]) {
  if (!mac) return E_POINTER;
  const HRESULT hr = Card().Call("GetHardwareMacAddress");
  if (SUCCEEDED(hr)) CopyMemory(mac, Card().Settings().mac, 6);
  return hr;
}

STDMETHODIMP CCardFilter::SetAudioVideoPIDs(long audioPid, long videoPid) {
  const HRESULT hr = Card().Call("SetAudioVideoPIDs", "%ld %ld", audioPid, videoPid);
  if (SUCCEEDED(hr)) m_feed.SetAudioVideoPids(audioPid, videoPid);
  return hr;
}

STDMETHODIMP CCardFilter::SetVideoCallback(B2C2VideoCallback callback) {
  const HRESULT hr = Card().Call("SetVideoCallback", "%s", callback ? "set" : "null");
  if (SUCCEEDED(hr)) m_feed.SetVideoCallback(callback);
  return hr;
}

// The timeshift file is only named: the card writes it when it runs, so the
// folder need not exist yet.
STDMETHODIMP CCardFilter::SetFilename(LPCWSTR path) {
  if (!path) return E_POINTER;
  const HRESULT hr = Card().Call("SetFilename", "%s", Narrow(path).c_str());
  if (SUCCEEDED(hr)) {
    CAutoLock lock(&m_filterLock);
    m_timeshiftFile = path;
  }
  return hr;
}

STDMETHODIMP CCardFilter::GetFilename(LPWSTR path, long size) {
  if (!path || size <= 0) return E_POINTER;
  const HRESULT hr = Card().Call("GetFilename");
  if (FAILED(hr)) return hr;
  CAutoLock lock(&m_filterLock);
  if (static_cast<long>(m_timeshiftFile.size()) >= size) return E_INVALIDARG;
  lstrcpyW(path, m_timeshiftFile.c_str());
  return S_OK;
}

STDMETHODIMP CCardFilter::SetCallback(B2C2TimeshiftCallback callback) {
  const HRESULT hr = Card().Call("SetCallback", "%s", callback ? "set" : "null");
  if (SUCCEEDED(hr)) {
    CAutoLock lock(&m_filterLock);
    m_timeshiftCallback = callback;
  }
  return hr;
}

STDMETHODIMP CCardFilter::SetOption(long option, long value) {
  return Card().Call("SetOption", "%ld %ld", option, value);
}

STDMETHODIMP CCardFilter::StartTimeshift() { return Card().Call("StartTimeshift"); }
STDMETHODIMP CCardFilter::StopTimeshift() { return Card().Call("StopTimeshift"); }

STDMETHODIMP CCardFilter::GetFileSize(LONGLONG* size) {
  return Answer("GetFileSize", size, Card().Settings().timeshiftSize);
}

STDMETHODIMP CCardFilter::GetFilePosition(LONGLONG* position) {
  return Answer("GetFilePosition", position, Card().Settings().timeshiftPosition);
}

STDMETHODIMP CCardFilter::SetFilePosition(LONGLONG position) {
  const HRESULT hr = Card().Call("SetFilePosition", "%lld", position);
  if (SUCCEEDED(hr)) Card().SetTimeshiftPosition(position);
  return hr;
}
