// osprey's device side: start-up with the tuner list, device information,
// opening and closing, tuning, the status values, and recording state.
#include "OspreyApp.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include <ComPtr.h>
#include <DvbChannels.h>

#include "StatusRules.h"

namespace {

const char kSetup[] = "Setup";
// The recorder's and playback states of the status record.
constexpr DWORD kRecording = 1, kRecordingFile = 2, kTimeshift = 3;

}  // namespace

COspreyApp::COspreyApp()
    : CModuleApp(ModuleKind::osprey, "osprey", kTitle),
      m_recorder(Host(), RecorderModule::osprey),
      m_router([this](int stream, const BYTE* packet, DWORD length) { m_recorder.OnStreamData(stream, packet, length); },
               [this](int level, const char* text) { Log(__LINE__, level, "%s", text); }) {}

BOOL COspreyApp::InitInstance() {
  if (!CModuleApp::InitInstance()) return FALSE;
  m_bUseVMR9 = GetProfileInt(kSetup, "m_bUseVMR9", 0) ? TRUE : FALSE;
  m_bBOBMode = GetProfileInt(kSetup, "m_bBOBMode", 1) ? TRUE : FALSE;
  m_devices.clear();
  ComPtr<ICreateDevEnum> devices;
  if (SUCCEEDED(CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                 devices.PutVoid())))
    EnumerateDevices(devices.Get(), KSCATEGORY_BDA_NETWORK_TUNER, &m_devices);
  return TRUE;
}

int COspreyApp::ExitInstance() {
  m_pWindows.reset();
  m_pCore.reset();
  return CModuleApp::ExitInstance();
}

bool COspreyApp::DeviceName(int index, CString* name) {
  const size_t i = static_cast<WORD>(index);
  if (i >= m_devices.size()) return false;
  char ansi[520] = {};
  WideCharToMultiByte(CP_ACP, 0, m_devices[i].friendlyName, -1, ansi, sizeof(ansi) - 1, nullptr, nullptr);
  *name = ansi;
  return true;
}

BdaModuleLink COspreyApp::CoreLink() {
  BdaModuleLink link;
  link.host = &Host();
  link.hostWindow = HostWindow();
  link.useVMR9 = &m_bUseVMR9;
  link.bobMode = &m_bBOBMode;
  link.lastTuning = &m_lastTuning;
  link.deviceType = &m_strDeviceType;
  link.releaseFilters = [this] { m_router.ClearFilters(); };
  link.closeDelivery = [this] { OpenDelivery(false); };
  return link;
}

BOOL COspreyApp::OpenDevice(int index) {
  m_nDeviceIndex = static_cast<BYTE>(index);
  m_pCore = std::make_unique<CBDACore>(CoreLink());
  if (MODULE_STATUS* status = Host().m_pStatus) {
    status->m_dwMaxFrequency = 0xFFFFFFFF;
    status->m_dwMinFrequency = 0;
  }
  return TRUE;
}

int COspreyApp::CloseDevice() {
  if (m_pCore) {
    m_pCore->StopGraph();
    m_pCore->ReleaseAll();
    m_pCore.reset();
  }
  WriteProfileInt(kSetup, "m_bUseVMR9", m_bUseVMR9);
  WriteProfileInt(kSetup, "m_bBOBMode", m_bBOBMode);
  return 1;
}

// Signal strength s is shown as min(100, (s / 10) * 100 / 13) percent.
BOOL COspreyApp::GetState(BOOL* locked, SIGNAL_TYPE* signal) {
  IBDA_SignalStatistics* statistics = m_pCore && m_pCore->GraphBuilt() ? m_pCore->SignalStatistics() : nullptr;
  if (!statistics) return FALSE;
  BOOLEAN lock = FALSE;
  LONG quality = 0, strength = 0;
  statistics->get_SignalLocked(&lock);
  statistics->get_SignalQuality(&quality);
  statistics->get_SignalStrength(&strength);
  *locked = lock ? TRUE : FALSE;
  const double percent = static_cast<double>(strength / 10) * 100.0 / 13.0;
  signal->wQuality = static_cast<WORD>(std::min(100.0, std::max(0.0, percent)));
  signal->wLevel = static_cast<WORD>(strength);
  m_lastQuality = static_cast<DWORD>(quality);
  return FALSE;  // the quality comes from the statistics, not from a bit error rate
}

void COspreyApp::UpdateRecordFields(MODULE_STATUS* status) {
  status->m_iQuality = m_pCore && m_pCore->GraphBuilt() ? m_lastQuality : 0;
  status->m_iAC3Mode = m_router.Ac3Mode();
  if (status->m_iRecPlayState == kRecording || status->m_iRecPlayState == kRecordingFile)
    status->m_llRecordedSize = m_recorder.GetRecordedSize();
}

VideoInfo COspreyApp::GetVideoInfo() {
  VideoInfo info;
  // A renderer without a video stream has no picture to tell about.
  IBasicVideo2* video = m_pCore && m_pCore->RendererConnected() ? m_pCore->BasicVideo() : nullptr;
  if (!video) return info;
  long width = 0, height = 0, x = 0, y = 0;
  if (SUCCEEDED(video->GetVideoSize(&width, &height))) {
    info.width = static_cast<int>(width);
    info.height = static_cast<int>(height);
  }
  if (SUCCEEDED(video->GetPreferredAspectRatio(&x, &y))) {
    info.aspectX = static_cast<int>(x);
    info.aspectY = static_cast<int>(y);
  }
  return info;
}

BOOL COspreyApp::PutAudioVolume(long volume) {
  IBasicAudio* audio = m_pCore ? m_pCore->BasicAudio() : nullptr;
  return audio && SUCCEEDED(audio->put_Volume(volume));
}

int COspreyApp::Tune(const CHANNEL_TYPE& tuning) {
  m_lastTuning = tuning;
  MODULE_STATUS* status = Host().m_pStatus;
  const DVB_CHANNELS* channel = status ? status->m_pChannel : nullptr;
  if (m_pCore && channel) {
    m_pCore->SetIds(channel->serviceId, channel->transportStreamId, channel->networkId);
    if (m_pCore->GraphBuilt()) m_pCore->Retune(status->m_iFrontendType, tuning);
  }
  m_bAC3Mode = FALSE;
  return kModuleFailed;  // the host expects 2 whatever happened
}

void COspreyApp::FillDeviceMAC(char* text) {
  if (m_strDeviceType.IsEmpty()) m_strDeviceType = "BDA Device";
  m_strDeviceType.MakeUpper();
  std::strncpy(text, m_strDeviceType, 31);
}

int COspreyApp::SpeedRecPlay(int speed) {
  MODULE_STATUS* status = Host().m_pStatus;
  if (status && status->m_iRecPlayState == kTimeshift) {
    if (speed == 4) status->m_iPlaySpeed = status->m_iPlaySpeed ? 0 : 4;
    if (speed == 0) status->m_iPlaySpeed = 0;
  }
  return kModuleWrongState;
}

int COspreyApp::SeekPlayback(int) {
  MODULE_STATUS* status = Host().m_pStatus;
  return status && status->m_iRecPlayState == kRecording ? kModuleOk : kModuleWrongState;
}

int COspreyApp::StopRecPlay() {
  MODULE_STATUS* status = Host().m_pStatus;
  if (!status) return kModuleBadArgument;
  auto idle = [status] {
    status->m_iRecPlayState = 0;
    status->m_iPlaySpeed = 0;
    status->m_iDataRate = 0;
    return static_cast<int>(kModuleOk);
  };
  switch (status->m_iRecPlayState) {
    case kRecordingFile:
      if (!m_recorder.StopRecording()) {
        Log(__LINE__, kLogError, "Error while trying to stop the record!.");
        return kModuleBadArgument;
      }
      Log(__LINE__, kLogInfo, "Mediafile recording successfully stopped.");
      return idle();
    case kRecording:
      return idle();
    case kTimeshift: {
      ITsGrabber* grabber = m_pCore ? m_pCore->Grabber() : nullptr;
      if (grabber && grabber->StopTimeshift() == 0) {
        Log(__LINE__, kLogInfo, "Timeshift recording successfully stopped.");
        return idle();
      }
      Log(__LINE__, kLogError, "Error while trying to stop the timeshift record!.");
      return kModuleBadArgument;
    }
  }
  return kModuleBadArgument;
}

COspreyApp theApp;
