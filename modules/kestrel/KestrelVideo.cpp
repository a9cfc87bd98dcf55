// kestrel's video side: the common video windows on the card graph, whose
// first window creates the AV control that plays the card's pins; volume,
// snapshots, and the timeshift playback controls.
#include "KestrelApp.h"

#include "Snapshot.h"
#include "StatusValues.h"

namespace {

enum RecPlayState { kIdle = 0, kPlaying = 1, kRecording = 2, kTimeshift = 3 };
constexpr DWORD kPaused = 4;
constexpr int kTogglePause = 4;

void ShowException(CException* e) {
  e->ReportError(MB_OK);
  e->Delete();
}

}  // namespace

int CKestrelApp::CreateVideoWindow(HWND parent, int screenMode) {
  if (!m_pWindows) m_pWindows = std::make_unique<CVideoWindows>(ModuleKind::kestrel, Host(), SourceName(), Profile(), *this);
  return m_pWindows->SetVideoWindow(HostWindow(), parent, screenMode);
}

int CKestrelApp::SetWindowPositions(HWND after, int left, int top, int right, int bottom) {
  return m_pWindows ? m_pWindows->SetWindowPositions(after, left, top, right, bottom) : 0;
}

HWND CKestrelApp::GetVideoWindowHandle() { return m_pWindows ? m_pWindows->VideoChild() : nullptr; }

void CKestrelApp::Attach(CWnd* videoChild) {
  Log(__LINE__, kLogInfo, "Videowindow initialized.");
  if (!m_pGraph) return;  // no card open: nothing to play
  const HWND window = videoChild->GetSafeHwnd();
  if (m_pAVControl) {
    Log(__LINE__, kLogInfo, "Using existing AV Control.");
    if (m_pGraph->HasVideoWindow()) {
      Log(__LINE__, kLogInfo, "Update AV playback control.");
      m_pGraph->SetAttachedWindow(window);
      m_pAVControl->UpdateVideo(window);
    }
    return;
  }
  m_pAVControl = std::make_unique<CB2AVControl>(*m_pGraph, m_wAudioPid, m_wVideoPid);
  Log(__LINE__, kLogInfo, "AV control created.");
  if (MODULE_STATUS* status = Host().m_pStatus) {
    status->m_pFilterGraph = m_pGraph->GetGraph();
    Log(__LINE__, kLogInfo, "m_pInstance->pModuleStatus->m_pFilterGraph: 0x%x",
        static_cast<unsigned>(reinterpret_cast<UINT_PTR>(status->m_pFilterGraph)));
  }
  if (!m_pAVControl->Init(window)) {
    DestroyAVControl();
    if (HostWindow()) ::PostMessage(HostWindow(), WM_COMMAND, kAVFailedCommand, 0);
    return;
  }
  ReapplyVolume();
  Log(__LINE__, kLogInfo, "Starting AV playback.");
  m_pAVControl->Start();
}

void CKestrelApp::DestroyAVControl() {
  if (m_pAVControl) {
    m_pAVControl->Stop();
    m_pAVControl.reset();
    Log(__LINE__, kLogInfo, "AV playback control destroyed.");
  }
  if (m_pGraph) {
    m_pGraph->RemoveRenderFilters();
    Log(__LINE__, kLogInfo, "Graph filters removed.");
  }
}

void CKestrelApp::Release() {
  DestroyAVControl();
  if (MODULE_STATUS* status = Host().m_pStatus) status->m_pFilterGraph = nullptr;
}

bool CKestrelApp::IsRunning() const {
  return m_pAVControl && m_pAVControl->State() == CB2AVControl::kTimeshiftRunning;
}

bool CKestrelApp::Follow(CWnd* videoChild) {
  return m_pAVControl && m_pAVControl->UpdateVideo(videoChild->GetSafeHwnd());
}

bool CKestrelApp::GetCurrentImage(std::vector<BYTE>* dib) {
  return m_pGraph && GetRendererImage(m_pGraph->GetBasicVideo(), dib);
}

int CKestrelApp::MakeSnapshot(const char* file, int toClipboard) {
  if (!m_pGraph) return 0;
  std::vector<BYTE> dib;
  if (!GetCurrentImage(&dib)) {
    Log(__LINE__, kLogInfo, "Unable to get screenshot from video.");
    return 0;
  }
  if (toClipboard) return CopySnapshotToClipboard(HostWindow(), dib) ? 1 : 0;
  if (!file) return 0;
  return WriteSnapshotFile(file, dib) ? 1 : 0;
}

BOOL CKestrelApp::PutAudioVolume(long volume) { return m_pGraph && SUCCEEDED(m_pGraph->SetVolume(volume)); }

// ------------------------------------------------- record and timeshift play

int CKestrelApp::StopRecPlay() {
  MODULE_STATUS* status = Host().m_pStatus;
  const DWORD state = status ? status->m_iRecPlayState : DWORD{kIdle};
  if (state != kPlaying && state != kRecording && state != kTimeshift) return kModuleBadArgument;
  if (!m_pGraph) return kModuleFailed;
  if (state == kRecording) {
    if (!m_recorder.StopRecording()) {
      Log(__LINE__, kLogError, "Error while trying to stop the record!.");
      return kModuleBadArgument;
    }
    Log(__LINE__, kLogInfo, "Mediafile recording successfully stopped.");
  }
  if (state == kTimeshift) {
    IB2C2MPEG2TimeshiftCtrl* timeshift = m_pGraph->GetTimeshiftCtrl();
    if (!timeshift || FAILED(timeshift->StopTimeshift())) {
      Log(__LINE__, kLogError, "Error while trying to stop the timeshift record!.");
      return kModuleBadArgument;
    }
    Log(__LINE__, kLogInfo, "Timeshift recording successfully stopped.");
  }
  status->m_iRecPlayState = kIdle;
  status->m_iPlaySpeed = 0;
  status->m_iDataRate = 0;
  return kModuleOk;
}

int CKestrelApp::SpeedRecPlay(int speed) {
  MODULE_STATUS* status = Host().m_pStatus;
  const DWORD state = status ? status->m_iRecPlayState : DWORD{kIdle};
  if (state != kPlaying && state != kRecording && state != kTimeshift) return kModuleWrongState;
  if (!m_pGraph) return kModuleFailed;
  if (state != kTimeshift) return kModuleWrongState;
  try {
    if (speed == kTogglePause) {
      if (status->m_iPlaySpeed == kPaused) {
        m_pGraph->Run();
        status->m_iPlaySpeed = 0;
      } else {
        m_pGraph->Pause();
        status->m_iPlaySpeed = kPaused;
      }
    } else if (speed == 0) {
      m_pGraph->Run();
      status->m_iPlaySpeed = 0;
    }
  } catch (CB2FilterGraphException* e) {
    ShowException(e);
  }
  return kModuleWrongState;
}

int CKestrelApp::SeekPlayback(int perMille) {
  MODULE_STATUS* status = Host().m_pStatus;
  const DWORD state = status ? status->m_iRecPlayState : DWORD{kIdle};
  if (state == kPlaying) return kModuleOk;
  IB2C2MPEG2TimeshiftCtrl* timeshift = m_pGraph ? m_pGraph->GetTimeshiftCtrl() : nullptr;
  if (state != kTimeshift || !timeshift) return kModuleWrongState;
  LONGLONG size = 0;
  if (FAILED(TimeshiftSize(&size))) size = 0;
  const HRESULT hr = timeshift->SetFilePosition(SeekTarget(size, perMille));
  if (FAILED(hr))
    Log(__LINE__, kLogError, "B2C2 MPEG2 TimeshiftCtrl. Interface SetFilePosition method failed, error: 0x%8.8x",
        static_cast<unsigned>(hr));
  return kModuleWrongState;
}
