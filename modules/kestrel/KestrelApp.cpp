// kestrel's device side: start-up, opening and closing the card graph, the
// status timer, tuning, DiSEqC and the card's MAC address.
#include "KestrelApp.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>

#include <framework/MessageBox.h>
#include <framework/SingleLock.h>

#include "StatusRules.h"
#include "StatusValues.h"
#include "TunerSettings.h"

namespace {

const char kTunerCaption[] = "B2C2 TunerCtrl";
constexpr DWORD kCapabilityMinLength = 3;  // a returned length up to this is no answer
constexpr DWORD kNoFrequencyLimit = 0xFFFFFF;

// The module's frontend type of each tuner type (satellite, cable, terrestrial, ATSC).
DWORD FrontendType(DWORD tunerType) { return tunerType <= kB2C2TunerAtsc ? tunerType + 1 : 0; }

void ShowException(CException* e) {
  e->ReportError(MB_OK);
  e->Delete();
}

}  // namespace

CKestrelApp::CKestrelApp()
    : CModuleApp(ModuleKind::kestrel, "kestrel", "Quillon Ex Skystar2 S/C/T DVB Module"),
      m_recorder(Host(), RecorderModule::kestrel),
      m_filters([this](int level, const char* text) { Log(__LINE__, level, "%s", text); }) {}

int CKestrelApp::ExitInstance() {
  // A host that unloads the module with the card open: the card stops
  // delivering, but the graph is left to the process, since COM objects
  // cannot be released while the library is being unloaded.
  StopDevice();
  m_pAVControl.release();
  m_pGraph.release();
  return CModuleApp::ExitInstance();
}

void CKestrelApp::TunerBox(const char* format, HRESULT hr) const {
  char text[256];
  std::snprintf(text, sizeof(text), format, static_cast<unsigned>(hr));
  ::MessageBoxA(nullptr, text, kTunerCaption, MB_OK | MB_ICONERROR);
}

int CKestrelApp::GetDeviceCount() {
  IBaseFilter* filter = nullptr;
  if (FAILED(CoCreateInstance(CLSID_B2C2MPEG2Filter, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER,
                              IID_IBaseFilter, reinterpret_cast<void**>(&filter))))
    return 0;
  filter->Release();
  return 1;
}

bool CKestrelApp::DeviceName(int, CString* name) {
  *name = "Technisat Skystar2/Airstar2";
  return true;
}

BOOL CKestrelApp::OpenDevice(int) {
  m_pGraph = std::make_unique<CB2FilterGraph>();
  try {
    m_pGraph->Initialize();
  } catch (CB2FilterGraphException* e) {
    ShowException(e);
    StopDevice();
    m_pGraph.reset();
    return FALSE;
  }
  m_pTunerCtrl = m_pGraph->GetTunerCtrl();
  m_pDataCtrl = m_pGraph->GetDataCtrl();
  m_pAVCtrl = m_pGraph->GetAVCtrl();

  long length = sizeof(m_tunerCaps);
  HRESULT hr = m_pTunerCtrl->GetTunerCapabilities(&m_tunerCaps, &length);
  if (FAILED(hr)) {
    Log(__LINE__, kLogError, "B2C2 MPEG2 Filter Tuner Ctrl. GetTunerCapabilities method failed, error: 0x%8.8x",
        static_cast<unsigned>(hr));
    return FALSE;
  }
  if (length <= static_cast<long>(kCapabilityMinLength)) {
    Log(__LINE__, kLogError, "B2C2 MPEG2 Filter Tuner Ctrl. GetTunerCapabilities return insufficient data, length: %ld",
        length);
    return FALSE;
  }
  m_pTunerCtrl->CheckLock();

  {
    CSingleLock lock(&m_deviceLock, TRUE);
    m_bDelivering = true;
  }
  if (m_pDataCtrl->SetTsCallback(&OnTsPacket) != S_OK) {
    Log(__LINE__, kLogError, "B2C2 MPEG2 Filter Data Ctrl. Unable to set Transport Stream Callback.");
    return FALSE;
  }
  if (m_pAVCtrl->SetVideoCallback(&OnVideoInfo) != S_OK) {
    Log(__LINE__, kLogError, "B2C2 MPEG2 AV Ctrl. Unable to set Callback.");
    return FALSE;
  }

  if (MODULE_STATUS* status = Host().m_pStatus) {
    status->m_iFrontendType = FrontendType(m_tunerCaps.dwTunerType);
    status->m_pChannel = nullptr;
    status->m_dwMinFrequency = 0;
    status->m_dwMaxFrequency = kNoFrequencyLimit;
  }
  return TRUE;
}

void CKestrelApp::StopDevice() {
  {
    CSingleLock lock(&m_deviceLock, TRUE);
    m_bDelivering = false;
  }
  if (!m_pGraph) return;
  try {
    m_pGraph->Stop();
  } catch (CB2FilterGraphException* e) {
    e->Delete();
  }
  if (m_pDataCtrl && m_pDataCtrl->SetTsCallback(nullptr) != S_OK) {
    Log(__LINE__, kLogError, "B2C2 MPEG2 Filter Data Ctrl. Unable to reset Transport Stream Callback.");
    return;
  }
  if (m_pAVCtrl && m_pAVCtrl->SetVideoCallback(nullptr) != S_OK) {
    Log(__LINE__, kLogError, "B2C2 MPEG2 AV Ctrl. Unable to reset Callback.");
    return;
  }
  StopStatusTimer();
  m_pTunerCtrl = nullptr;
  m_pDataCtrl = nullptr;
  m_pAVCtrl = nullptr;
  m_pGraph->ReleaseVideoWindow();
}

int CKestrelApp::CloseDevice() {
  // The windows and the AV control go first: they play from the graph.
  m_pWindows.reset();
  m_pAVControl.reset();
  StopDevice();
  {
    CSingleLock lock(&m_filterLock, TRUE);
    m_filters.Clear();
  }
  m_pTunerCtrl = nullptr;
  m_pDataCtrl = nullptr;
  m_pAVCtrl = nullptr;
  m_pGraph.reset();
  return 1;
}

// ------------------------------------------------------------ status timer

void CKestrelApp::PollTuner() {
  const DWORD bits = m_tunerCaps.dwPerformanceMonitoring;
  struct Query {
    DWORD bit;
    std::function<HRESULT()> call;
    const char* line;
  };
  long uncorrected = 0, total = 0;
  const Query queries[] = {
      {kB2C2MonitorSignalStrength, [&] { return m_pTunerCtrl->GetSignalStrength(&m_lSignalStrength); },
       "B2C2 MPEG2 Filter Tuner Ctrl. Interface get fSignalStrength failed, error: 0x%8.8x"},
      {kB2C2MonitorSignalQuality, [&] { return m_pTunerCtrl->GetSignalQuality(&m_lSignalQuality); },
       "B2C2 MPEG2 Filter Tuner Ctrl. Interface get fSignalStrength failed, error: 0x%8.8x"},
      {kB2C2MonitorSnr, [&] { return m_pTunerCtrl->GetSNR(&m_fSNR); },
       "B2C2 MPEG2 Filter Tuner Ctrl.Interface get fSNR failed, error: 0x%8.8x"},
      {kB2C2MonitorBitErrorRate, [&] { return m_pTunerCtrl->GetBER(&m_fBER); },
       "B2C2 MPEG2 Filter Tuner Ctrl. Interface get fBER failed, error: 0x%8.8x"},
      {kB2C2MonitorUncorrectedBlocks, [&] { return m_pTunerCtrl->GetUncorrectedBlocks(&uncorrected); },
       "B2C2 MPEG2 Filter Tuner Ctrl. Interface get UncorrectedBlocks failed, error: 0x%8.8x"},
      {kB2C2MonitorTotalBlocks, [&] { return m_pTunerCtrl->GetTotalBlocks(&total); },
       "B2C2 MPEG2 Filter Tuner Ctrl. Interface get TotalBlocks failed, error: 0x%8.8x"},
  };
  for (const Query& q : queries) {
    if (!(bits & q.bit)) continue;
    const HRESULT hr = q.call();
    if (FAILED(hr)) Log(__LINE__, kLogError, q.line, static_cast<unsigned>(hr));
  }
  m_lUncorrectedBlocks += uncorrected;
  m_lTotalBlocks += total;
}

void CKestrelApp::OnStatusTick() {
  MODULE_STATUS* status = Host().m_pStatus;
  if (status && status->m_bNoChannel) return;
  BOOL locked = FALSE;
  if (m_pGraph && m_pTunerCtrl) {
    locked = SUCCEEDED(m_pTunerCtrl->CheckLock());
    if (locked) PollTuner();
    long packets = 0, bytes = 0;
    const HRESULT hr = m_pDataCtrl ? m_pDataCtrl->GetDataReceptionStats(&packets, &bytes) : E_FAIL;
    if (FAILED(hr))
      Log(__LINE__, kLogError, "B2C2 MPEG2 Filter Data Ctrl. Interface GetDataReceptionStats method failed, error: 0x%8.8x",
          static_cast<unsigned>(hr));
  }
  if (!status) return;
  m_lSignalStrength = ShownSignalStrength(m_lSignalStrength, m_fSNR);
  status->m_bLocked = locked ? 1 : 0;
  status->m_iQuality = static_cast<DWORD>(m_lSignalQuality);
  status->m_iSignalValue = static_cast<DWORD>(m_lSignalStrength);
  status->m_iSignalValue2 = static_cast<DWORD>(m_fSNR * 10);
  status->m_iVideoWidth = static_cast<DWORD>(m_iWidth.load());
  status->m_iVideoHeight = static_cast<DWORD>(m_iHeight.load());
  status->m_dwCleared60 = 0;
  status->m_dwCleared76 = 0;
  status->m_iDataRate = DataRateKbit(m_dwBytes.exchange(0));
  UpdateAspect(status);
  UpdateRecordFields(status);
}

void CKestrelApp::UpdateAspect(MODULE_STATUS* status) {
  int& monitor = Profile().monitorMode;
  const int before = monitor;
  switch (status->m_iAspectMode) {
    case 1:
      if (monitor != 1) {
        m_iAutoMonitorMode = monitor;
        monitor = 1;
      }
      break;
    case 2:
      if (monitor != 0) {
        m_iAutoMonitorMode = monitor;
        monitor = 0;
      }
      break;
    case 0:
      if (monitor != m_iAutoMonitorMode) monitor = m_iAutoMonitorMode;
      break;
    default: break;
  }
  if (monitor != before && HostWindow()) ::PostMessage(HostWindow(), WM_PAINT, 0, 0);
}

void CKestrelApp::UpdateRecordFields(MODULE_STATUS* status) {
  switch (status->m_iRecPlayState) {
    case 1:
    case 2: status->m_llRecordedSize = m_recorder.GetRecordedSize(); break;
    case 3: {
      IB2C2MPEG2TimeshiftCtrl* timeshift = m_pGraph ? m_pGraph->GetTimeshiftCtrl() : nullptr;
      if (!timeshift) break;
      LONGLONG size = 0, position = 0;
      if (FAILED(TimeshiftSize(&size))) break;
      status->m_llRecordedSize = static_cast<uint64_t>(size);
      const HRESULT hr = timeshift->GetFilePosition(&position);
      if (FAILED(hr)) {
        Log(__LINE__, kLogError, "B2C2 MPEG2 TimeshiftCtrl. Interface GetFilePosition method failed, error: 0x%8.8x",
            static_cast<unsigned>(hr));
        break;
      }
      status->m_iPlayPosition = PlayPositionPerMille(position, size);
      break;
    }
    default: break;
  }
}

HRESULT CKestrelApp::TimeshiftSize(LONGLONG* size) {
  IB2C2MPEG2TimeshiftCtrl* timeshift = m_pGraph ? m_pGraph->GetTimeshiftCtrl() : nullptr;
  const HRESULT hr = timeshift ? timeshift->GetFileSize(size) : E_FAIL;
  if (FAILED(hr))
    Log(__LINE__, kLogError, "B2C2 MPEG2 TimeshiftCtrl. Interface GetFileSize method failed, error: 0x%8.8x",
        static_cast<unsigned>(hr));
  return hr;
}

// ------------------------------------------------------- tuning and DiSEqC

int CKestrelApp::Tune(const CHANNEL_TYPE& tuning) {
  if (!m_pTunerCtrl) return 1;
  static const struct {
    HRESULT (STDMETHODCALLTYPE IB2C2MPEG2TunerCtrl2::*call)(long);
    const char* name;
  } kCalls[] = {
      {&IB2C2MPEG2TunerCtrl2::SetFrequency, "SetFrequency"},   {&IB2C2MPEG2TunerCtrl2::SetSymbolRate, "SetSymbolRate"},
      {&IB2C2MPEG2TunerCtrl2::SetLnbFrequency, "SetLnbFrequency"}, {&IB2C2MPEG2TunerCtrl2::SetFec, "SetFec"},
      {&IB2C2MPEG2TunerCtrl2::SetLnbKHz, "SetLnbKHz"},         {&IB2C2MPEG2TunerCtrl2::SetPolarity, "SetPolarity"},
      {&IB2C2MPEG2TunerCtrl2::SetDiseqc, "SetDiseqc"},         {&IB2C2MPEG2TunerCtrl2::SetModulation, "SetModulation"},
      {&IB2C2MPEG2TunerCtrl2::SetGuardInterval, "SetGuardInterval"},
      {&IB2C2MPEG2TunerCtrl2::SetBandwidth, "SetBandwidth"},
  };
  static_assert(std::size(kCalls) == TunerSetting::kBandwidth + 1, "a call for every setting, in its order");
  for (const TunerSetting& setting :
       TuningSettings(m_tunerCaps.dwTunerType, m_tunerCaps.dwAcquisitionCapabilities, tuning.words)) {
    const auto& call = kCalls[setting.call];
    const HRESULT hr = (m_pTunerCtrl->*call.call)(setting.value);
    if (FAILED(hr)) {
      char format[128];
      std::snprintf(format, sizeof(format), "B2C2 MPEG2 Filter Tuner Ctrl. Interface %s method failed, error: 0x%%8.8x",
                    call.name);
      TunerBox(format, hr);
      return kModuleBadArgument;
    }
  }
  return SUCCEEDED(m_pTunerCtrl->SetTunerStatus()) ? kModuleOk : kModuleFailed;
}

int CKestrelApp::SendDiSEqC(const BYTE* message, BYTE length, BYTE burst) {
  if (!m_pTunerCtrl || m_tunerCaps.dwTunerType != kB2C2TunerSatellite) return kModuleFailed;
  const long setting = DiseqcSetting(message, length, burst);
  if (setting < 0) return kModuleBadArgument;
  const HRESULT hr = m_pTunerCtrl->SetDiseqc(setting);
  if (FAILED(hr)) {
    TunerBox("B2C2 MPEG2 Filter Tuner Ctrl. Interface SetDiseqc method failed, error: 0x%8.8x", hr);
    return kModuleBadArgument;
  }
  return SUCCEEDED(m_pTunerCtrl->SetTunerStatus()) ? kModuleOk : kModuleBadArgument;
}

void CKestrelApp::FillDeviceMAC(char* text) {
  if (!m_pDataCtrl) return;
  BYTE mac[6] = {};
  const HRESULT hr = m_pDataCtrl->GetHardwareMacAddress(mac);
  if (FAILED(hr)) {
    Log(__LINE__, kLogError, "B2C2 MPEG2 Filter Data Ctrl. Interface GetHardwareMacAddress failed, error: 0x%8.8x",
        static_cast<unsigned>(hr));
    return;
  }
  std::snprintf(text, 32, "%02X%02X%02X%02X%02X%02X", mac[0], mac[1], mac[2], mac[3], mac[4], mac[5]);
}

CKestrelApp theApp;
