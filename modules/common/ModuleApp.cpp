// Winsock's header must come before windows.h.
#include <winsock2.h>

#include "ModuleApp.h"

#include <objbase.h>

#include <framework/Exception.h>
#include <framework/MessageBox.h>

#include <cstring>

#include "CapabilityColumns.h"
#include "StatusRules.h"

namespace {

CModuleApp* g_pApp = nullptr;  // the one application object of this module

const char kSetup[] = "Setup";
const char kFreeWindow[] = "FreeTVWindow";

}  // namespace

CModuleApp& ModuleApp() { return *g_pApp; }

CModuleApp::CModuleApp(ModuleKind kind, const char* name, const char* title)
    : CWinApp(name), m_kind(kind), m_pszName(name), m_pszTitle(title) {
  g_pApp = this;
  m_strSource = CString(".\\") + name;
  m_pFilters = std::make_unique<CFilterList>(m_host, m_strSource, [this] { return MakeFilter(); });
}

BOOL CModuleApp::InitInstance() {
  if (UsesSockets()) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0) {
      AfxMessageBox("Windows Sockets could not be initialised.", MB_ICONSTOP);
      return FALSE;
    }
    m_bSockets = true;
  }
  CoInitialize(nullptr);
  if (UsesRegistry()) SetRegistryKey("heronV1");
  ReadProfile();
  m_Volume = CVolumeControl(m_profile.lastVolume);
  if (TimerRunsWithModule()) StartStatusTimer();
  return TRUE;
}

int CModuleApp::ExitInstance() {
  StopStatusTimer();
  m_pFilters->StopAll();
  m_profile.lastVolume = LastVolume();
  WriteProfile();
  CoUninitialize();
  if (m_bSockets) WSACleanup();
  return CWinApp::ExitInstance();
}

void CModuleApp::ReadProfile() {
  m_profile.monitorMode = static_cast<int>(GetProfileInt(kSetup, "m_MonitorMode", 0));
  m_profile.lastVolume = static_cast<int>(GetProfileInt(kSetup, "lLastVolume", DefaultVolume()));
  m_profile.freeWindow.top = static_cast<int>(GetProfileInt(kFreeWindow, "top", 0));
  m_profile.freeWindow.bottom = static_cast<int>(GetProfileInt(kFreeWindow, "bottom", 480));
  m_profile.freeWindow.left = static_cast<int>(GetProfileInt(kFreeWindow, "left", 0));
  m_profile.freeWindow.right = static_cast<int>(GetProfileInt(kFreeWindow, "right", 640));
}

void CModuleApp::WriteProfile() {
  WriteProfileInt(kSetup, "m_MonitorMode", m_profile.monitorMode);
  WriteProfileInt(kSetup, "lLastVolume", static_cast<int>(m_profile.lastVolume));
  WriteProfileInt(kSetup, "iXScale", m_host.m_pStatus ? m_host.m_pStatus->m_iXScale : m_profile.xScale);
  WriteProfileInt(kSetup, "iYScale", m_host.m_pStatus ? m_host.m_pStatus->m_iYScale : m_profile.yScale);
  WriteProfileInt(kFreeWindow, "top", m_profile.freeWindow.top);
  WriteProfileInt(kFreeWindow, "bottom", m_profile.freeWindow.bottom);
  WriteProfileInt(kFreeWindow, "left", m_profile.freeWindow.left);
  WriteProfileInt(kFreeWindow, "right", m_profile.freeWindow.right);
}

int CModuleApp::QLONExModule(PFN_MODULE_LOG log, MODULE_CAPABILITIES* caps, MODULE_STATUS* status, HWND hostWindow) {
  m_host.m_pfnLog = log;
  m_host.m_pStatus = status;
  m_pCaps = caps;
  if (hostWindow) m_hHostWnd = hostWindow;
  WriteCapabilities(m_kind, caps, AvCapabilities());
  m_profile.xScale = static_cast<int>(GetProfileInt(kSetup, "iXScale", 0));
  m_profile.yScale = static_cast<int>(GetProfileInt(kSetup, "iYScale", 0));
  if (status) {
    status->m_iScreenMode = 0;
    status->m_iXScale = m_profile.xScale;
    status->m_iYScale = m_profile.yScale;
    status->m_iBorderX = 15;
    status->m_iBorderY = 15;
    status->m_pChannel = nullptr;
    status->m_iRecPlayState = 0;
  }
  if (!log) return 0;
  return m_host.Log(m_strSource, __LINE__, kLogInfo, "MOD_%s: Module successfully initialized.", m_pszName) ? 1 : 0;
}

int CModuleApp::ModuleInfo(int index, char* title, char* deviceName, char* version) {
  if (!title || !deviceName || !version) return 0;
  CString name;
  if (!DeviceName(index, &name)) return 0;
  std::memcpy(title, m_pszTitle, std::strlen(m_pszTitle) + 1);
  std::memcpy(deviceName, static_cast<LPCTSTR>(name), name.GetLength() + 1);
  std::memcpy(version, kVersion, sizeof(kVersion));
  return 1;
}

int CModuleApp::InitDVBHardware(int index) {
  if (!TimerRunsWithModule()) StartStatusTimer();
  return OpenDevice(index) ? 1 : 0;
}

int CModuleApp::CloseDVBHardware() {
  if (!TimerRunsWithModule()) StopStatusTimer();
  m_pFilters->StopAll();
  CreateVideoWindow(nullptr, 0);
  return CloseDevice();
}

int CModuleApp::SetTunerChannel(const CHANNEL_TYPE& tuning, DVB_CHANNELS* channel) {
  if (MODULE_STATUS* status = m_host.m_pStatus)
    status->m_pChannel = (status->m_bNoChannel && HonoursNoChannel()) ? nullptr : channel;
  return Tune(tuning);
}

int CModuleApp::SetPidsShared(WORD video, WORD audio, WORD third, WORD ac3) {
  if (!video && !audio && !third && !ac3 && m_host.m_pStatus && ForgetsChannelWithoutPids())
    m_host.m_pStatus->m_pChannel = nullptr;
  return SetPids(video, audio, third, ac3);
}

CVolumeControl::Renderer CModuleApp::Renderer() {
  if (!HasGraph()) return nullptr;
  return [this](long volume) { return PutAudioVolume(volume) != FALSE; };
}

int CModuleApp::SetVolume(int volume, int, int) { return m_Volume.SetVolume(volume, Renderer()); }

int CModuleApp::SetMute() { return m_Volume.ToggleMute(Renderer()); }

void CModuleApp::StartStatusTimer() {
  if (!m_nStatusTimer) m_nStatusTimer = SetTimer(nullptr, 0, TimerPeriodMs(), &StatusTimerProc);
}

void CModuleApp::StopStatusTimer() {
  if (m_nStatusTimer) KillTimer(nullptr, m_nStatusTimer);
  m_nStatusTimer = 0;
}

void CALLBACK CModuleApp::StatusTimerProc(HWND, UINT, UINT_PTR, DWORD) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  try {
    ModuleApp().OnStatusTick();
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
}

void CModuleApp::OnStatusTick() {
  MODULE_STATUS* status = m_host.m_pStatus;
  if (!status) return;
  BOOL locked = FALSE;
  SIGNAL_TYPE signal = {};
  int quality = 0;
  try {
    if (GetState(&locked, &signal)) quality = QualityFromBitErrorRate(signal.dBER, locked != FALSE);
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  status->m_bLocked = locked ? 1 : 0;
  if (ClearsOffset60()) status->m_dwCleared60 = 0;
  status->m_iSignalValue2 = signal.wLevel;
  status->m_iSignalValue = signal.wQuality;
  status->m_iQuality = static_cast<DWORD>(quality);
  status->m_dwCleared76 = 0;
  status->m_iDataRate = DataRateKbit(m_dwBytesCounted.exchange(0));

  const VideoInfo video = HasGraph() ? GetVideoInfo() : VideoInfo();
  const int mode = NextMonitorMode(status->m_iAspectMode, m_profile.monitorMode, video.aspectX, video.aspectY);
  if (mode != m_profile.monitorMode) {
    m_profile.monitorMode = mode;
    if (m_hHostWnd) PostMessage(m_hHostWnd, WM_PAINT, 0, 0);
  }
  status->m_iVideoWidth = static_cast<DWORD>(video.width);
  status->m_iVideoHeight = static_cast<DWORD>(video.height);
  UpdateRecordFields(status);
}
