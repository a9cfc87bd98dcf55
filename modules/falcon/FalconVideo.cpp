// falcon's video window and playback graph: the common layer's windows on a
// CVideoCtrl graph, its volume, picture size and snapshots, the decoder
// preferences, and the restart for a CAM that became ready.
#include "FalconApp.h"

#include <ComPtr.h>

bool CFalconApp::HasGraph() const { return m_pGraph && m_pGraph->Ctrl() && m_pGraph->Ctrl()->Graph(); }

int CFalconApp::CreateVideoWindow(HWND parent, int screenMode) {
  CSingleLock lock(&m_graphLock, TRUE);
  if (!m_pWindows) {
    m_pGraph = std::make_unique<CPlaybackGraph>(Host().m_pfnLog, HostWindow());
    m_pWindows = std::make_unique<CVideoWindows>(ModuleKind::falcon, Host(), SourceName(), Profile(), *m_pGraph);
  }
  const int result = m_pWindows->SetVideoWindow(HostWindow(), parent, screenMode);
  if (MODULE_STATUS* status = Host().m_pStatus) {
    CVideoCtrl* ctrl = Ctrl();
    status->m_pFilterGraph = ctrl ? static_cast<void*>(ctrl->Graph()) : nullptr;
  }
  return result;
}

int CFalconApp::SetWindowPositions(HWND after, int left, int top, int right, int bottom) {
  return m_pWindows ? m_pWindows->SetWindowPositions(after, left, top, right, bottom) : 0;
}

HWND CFalconApp::GetVideoWindowHandle() { return m_pWindows ? m_pWindows->VideoChild() : nullptr; }

int CFalconApp::MakeSnapshot(const char* file, int toClipboard) {
  return m_pWindows ? m_pWindows->MakeSnapshot(HostWindow(), file, toClipboard) : 0;
}

// The CI thread asks; the controller restarts on its own (the host's) thread.
void CFalconApp::PostGraphRestart() {
  CSingleLock lock(&m_graphLock, TRUE);
  if (CVideoCtrl* ctrl = Ctrl()) ::PostMessage(ctrl->GetSafeHwnd(), CVideoCtrl::kPostedRestartMessage, 0, 0);
}

BOOL CFalconApp::PutAudioVolume(long volume) {
  CVideoCtrl* ctrl = Ctrl();
  if (!ctrl || !ctrl->Graph()) return FALSE;
  ComPtr<IBasicAudio> audio;
  if (FAILED(ctrl->Graph()->QueryInterface(IID_IBasicAudio, audio.PutVoid()))) return FALSE;
  return SUCCEEDED(audio->put_Volume(volume));
}

VideoInfo CFalconApp::GetVideoInfo() {
  VideoInfo info;
  CVideoCtrl* ctrl = Ctrl();
  if (!ctrl || !ctrl->Graph()) return info;
  ComPtr<IBasicVideo2> video;
  if (FAILED(ctrl->Graph()->QueryInterface(IID_IBasicVideo2, video.PutVoid()))) return info;
  long width = 0, height = 0, x = 0, y = 0;
  if (SUCCEEDED(video->GetVideoSize(&width, &height))) {
    info.width = static_cast<int>(width);
    info.height = static_cast<int>(height);
  }
  if (FAILED(video->GetPreferredAspectRatio(&x, &y))) {
    // A renderer that keeps the aspect to itself (Wine's VMR-7 through the
    // graph): the picture's own proportions, as for square pixels, rather
    // than 0:0, which the status timer would take for 16:9.
    x = width;
    y = height;
  }
  info.aspectX = static_cast<int>(x);
  info.aspectY = static_cast<int>(y);
  return info;
}

void CFalconApp::OpenDeviceDependentProperties() {
  if (CVideoCtrl* ctrl = Ctrl()) {
    ctrl->ShowPreferences();
    return;
  }
  CVideoCtrl preferences;  // for the dialog only; it writes the settings when it goes
  preferences.SetHost(Host().m_pfnLog, HostWindow(), CVideoCtrl::kDefaultHostCommand);
  preferences.ShowPreferences();
}
