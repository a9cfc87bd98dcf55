// condor's application object: module start and exit, device open and close,
// tuning, DiSEqC, the status timer, the time-shift states and the device's
// address. The streams are in CondorStreams.cpp, the video window in
// CondorVideo.cpp.
#include "CondorApp.h"

#include <framework/MessageBox.h>

#include <cstdio>
#include <cstring>

#include <DvbChannels.h>
#include <TwinhanTypes.h>

#include "TimeShiftPosition.h"

namespace {

const char kSetup[] = "Setup";
const char kFreeWindow[] = "FreeTVWindow";
const char kNoCard[] = "There is no Twinhan card detected";
constexpr DWORD kStateRecording = 1, kStateFile = 2, kStateTimeShift = 3;
constexpr DWORD kSpeedNormal = 0, kSpeedPaused = 4;

}  // namespace

CCondorApp theApp;

CCondorApp::CCondorApp()
    : CModuleApp(ModuleKind::condor, "condor", "Quillon Ex Twinhan DVB S/C/T CI DVB Module"),
      m_graph(Host(), SourceName()),
      m_filters([this](int level, const char* text) { Log(__LINE__, level, "%s", text); }),
      m_recorder(Host(), RecorderModule::condor) {}

CCondorApp::~CCondorApp() = default;

BOOL CCondorApp::InitInstance() {
  if (!CModuleApp::InitInstance()) return FALSE;
  m_graph.SetMaxCard(static_cast<int>(GetProfileInt(kSetup, "m_iMaxCard", 1)));
  // The picture's format decides the monitor mode, not the last session's.
  Profile().monitorMode = 0;
  return TRUE;
}

int CCondorApp::ExitInstance() {
  m_pWindows.reset();
  DestroyCamDialog();
  m_graph.RemoveFilters(true);
  m_graph.ReleaseAll();
  return CModuleApp::ExitInstance();
}

bool CCondorApp::DeviceName(int, CString* name) {
  *name = "condor";
  return true;
}

BOOL CCondorApp::OpenDevice(int) {
  if (!m_pCamDialog) {
    m_pCamDialog = std::make_unique<CCIMenuDialog>([this] { return m_graph.CI(); }, [this] { return m_pCamData.get(); });
    if (!m_pCamDialog->Create()) m_pCamDialog.reset();
  }
  if (FAILED(m_graph.OpenGraph(1))) {
    // A half-built graph would refuse every later open.
    m_graph.RemoveFilters(true);
    m_graph.ReleaseAll();
    DestroyCamDialog();
    // The source counted no card: the user hears why nothing plays.
    if (m_graph.MaxCard() < 1) AfxMessageBox(kNoCard);
    return FALSE;
  }
  if (!m_graph.CardInfo()) m_graph.SetMaxCard(0);
  ApplyCardType(m_graph.ReadCardType(1));
  if (m_graph.MaxCard() > 0) {
    m_graph.StartTuner();
    return TRUE;
  }
  AfxMessageBox(kNoCard);
  m_graph.ReleaseAll();
  DestroyCamDialog();
  return FALSE;
}

// The dialog lives while a device is open.
void CCondorApp::DestroyCamDialog() {
  if (m_pCamDialog && m_pCamDialog->GetSafeHwnd()) m_pCamDialog->DestroyWindow();
  m_pCamDialog.reset();
}

void CCondorApp::ApplyCardType(int cardType) {
  m_iCardType = cardType;
  MODULE_STATUS* status = Host().m_pStatus;
  if (status) status->m_iFrontendType = FrontendTypeOf(cardType);
  if (cardType == kCardSatelliteCI && !m_pCamData) m_pCamData = std::make_unique<CCamDataObject>();
  if (cardType == kCardTerrestrialUsb && status) status->m_dwCleared60 = 1;
}

int CCondorApp::CloseDevice() {
  m_graph.StopAndDisconnect();
  m_graph.RemoveFilters(true);
  m_graph.ReleaseAll();
  m_bRendered = false;
  m_pCamData.reset();
  DestroyCamDialog();
  WriteProfileInt(kSetup, "m_iMaxCard", m_graph.MaxCard());
  if (const MODULE_STATUS* status = Host().m_pStatus) {
    WriteProfileInt(kSetup, "iXScale", status->m_iXScale);
    WriteProfileInt(kSetup, "iYScale", status->m_iYScale);
  }
  const RECT& r = Profile().freeWindow;
  WriteProfileInt(kFreeWindow, "top", r.top);
  WriteProfileInt(kFreeWindow, "bottom", r.bottom);
  WriteProfileInt(kFreeWindow, "left", r.left);
  WriteProfileInt(kFreeWindow, "right", r.right);
  return 1;
}

int CCondorApp::Tune(const CHANNEL_TYPE& tuning) {
  MODULE_STATUS* status = Host().m_pStatus;
  const DVB_CHANNELS* channel = status ? status->m_pChannel : nullptr;
  const int result = m_graph.Tune(m_iCardType, tuning, channel ? channel->videoSource : 0);
  if (status) status->m_iVideoWidth = status->m_iVideoHeight = 0;
  m_bAC3Mode = FALSE;
  return result;
}

int CCondorApp::SendDiSEqC(const BYTE* message, BYTE, BYTE) {
  if (!message) return kModuleFailed;
  return m_graph.SendDiSEqC(message);
}

void CCondorApp::OnStatusTick() {
  BYTE locked = 0;
  int signal = 0, quality = 0;
  m_graph.GetSignal(&locked, &signal, &quality);
  MODULE_STATUS* status = Host().m_pStatus;
  if (!status) return;
  status->m_bLocked = locked;
  status->m_iQuality = static_cast<DWORD>(quality);
  status->m_iSignalValue = status->m_iSignalValue2 = static_cast<DWORD>(signal);
  status->m_dwCleared76 = 0;
  status->m_iDataRate = m_dwBytes.exchange(0) / 1024 * 8;
  if (status->m_iRecPlayState == kStateRecording || status->m_iRecPlayState == kStateFile)
    status->m_llRecordedSize = m_recorder.GetRecordedSize();
  ITwinhanTimeShift* timeShift = m_graph.TimeShift();
  if (status->m_iRecPlayState != kStateTimeShift || !timeShift) return;
  LONGLONG written = 0, read = 0;
  HRESULT hr = timeShift->GetWritePos(&written);
  if (FAILED(hr))
    Log(__LINE__, kLogInfo, "MPEG2 Timeshift interface GetWritePos method failed, error: 0x%8.8x",
        static_cast<unsigned>(hr));
  else
    status->m_llRecordedSize = static_cast<uint64_t>(written);
  hr = timeShift->GetReadPos(&read);
  if (FAILED(hr))
    Log(__LINE__, kLogInfo, "MPEG2 Timeshift interface GetReadPos method failed, error: 0x%8.8x",
        static_cast<unsigned>(hr));
  status->m_iPlayPosition = TimeShiftPlayPosition(read, written);
}

void CCondorApp::SetPlayState(DWORD speed) {
  if (MODULE_STATUS* status = Host().m_pStatus) status->m_iPlaySpeed = speed;
}

int CCondorApp::StopRecPlay() {
  MODULE_STATUS* status = Host().m_pStatus;
  const DWORD state = status ? status->m_iRecPlayState : 0;
  if (state == kStateFile && !m_recorder.StopRecording()) {
    Log(__LINE__, kLogError, "Error while trying to stop the record!.");
    return kModuleBadArgument;
  }
  if (state == kStateFile) Log(__LINE__, kLogInfo, "Mediafile recording successfully stopped.");
  if (state == kStateTimeShift) {
    ITwinhanTimeShift* timeShift = m_graph.TimeShift();
    if (!timeShift || timeShift->StopTimeShift() != S_OK) {
      Log(__LINE__, kLogError, "Error while trying to stop the timeshift record!.");
      return kModuleBadArgument;
    }
    Log(__LINE__, kLogInfo, "Timeshift recording successfully stopped.");
  }
  if (state < kStateRecording || state > kStateTimeShift) return kModuleBadArgument;
  status->m_iRecPlayState = 0;
  status->m_iPlaySpeed = 0;
  status->m_iDataRate = 0;
  return kModuleOk;
}

int CCondorApp::SpeedRecPlay(int speed) {
  const MODULE_STATUS* status = Host().m_pStatus;
  if (!status || status->m_iRecPlayState != kStateTimeShift) return kModuleWrongState;
  if (speed == static_cast<int>(kSpeedPaused) && status->m_iPlaySpeed == kSpeedNormal) {
    m_graph.Pause();
    SetPlayState(kSpeedPaused);
  } else if (speed == static_cast<int>(kSpeedPaused) || speed == static_cast<int>(kSpeedNormal)) {
    m_graph.Run();
    SetPlayState(kSpeedNormal);
  }
  return kModuleWrongState;
}

int CCondorApp::SeekPlayback(int perMille) {
  const MODULE_STATUS* status = Host().m_pStatus;
  const DWORD state = status ? status->m_iRecPlayState : 0;
  if (state == kStateRecording) return kModuleOk;
  ITwinhanTimeShift* timeShift = m_graph.TimeShift();
  if (state != kStateTimeShift || !timeShift) return kModuleWrongState;
  LONGLONG written = 0;
  HRESULT hr = timeShift->GetWritePos(&written);
  if (FAILED(hr))
    Log(__LINE__, kLogInfo, "MPEG2 Timeshift interface GetWritePos method failed, error: 0x%8.8x",
        static_cast<unsigned>(hr));
  hr = timeShift->SetReadPos(TimeShiftSeekTarget(written, perMille));
  if (FAILED(hr))
    Log(__LINE__, kLogInfo, "MPEG2 Timeshift interface SetReadPos method failed, error: 0x%8.8x",
        static_cast<unsigned>(hr));
  return kModuleWrongState;
}

void CCondorApp::FillDeviceMAC(char* text) {
  DWORD serial = 0;
  if (!GetVolumeInformationA("C:\\", nullptr, 0, &serial, nullptr, nullptr, nullptr, 0)) return;
  // text: the 32-byte buffer of _GetDeviceMAC; the longest text is 12 characters.
  std::snprintf(text, 32, "%04X%04X", 13u, static_cast<unsigned>(serial));
}

void CCondorApp::EnterCAMDialog(int command, int) {
  constexpr int kOpenDialog = 2;
  if (command == kOpenDialog && m_pCamDialog) m_pCamDialog->Open(HostWindow());
}
