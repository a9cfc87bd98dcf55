#include "VideoCtrl.h"

#include <uuids.h>

#include <cstdint>
#include <cstdio>

#include <framework/MessageBox.h>
#include <framework/SingleLock.h>
#include <framework/WaitCursor.h>

#include "BmpFile.h"
#include "Snapshot.h"
#include "VideoFit.h"

IMPLEMENT_DYNAMIC(CVideoCtrl, CWnd)

BEGIN_MESSAGE_MAP(CVideoCtrl, CWnd)
  ON_WM_TIMER()
  ON_MESSAGE(kPostedRestartMessage, OnPostedRestart)
END_MESSAGE_MAP()

LRESULT CVideoCtrl::OnPostedRestart(WPARAM, LPARAM) {
  StopGraph();
  RestartGraph(FALSE, FALSE);
  StartGraph();
  return 0;
}

namespace {

const char kSettingsFile[] = "heron.ini";
const char kSettingsSection[] = "Quillon";

CVideoCtrl* g_pCurrent = nullptr;  // the module's current controller

int ReadSetting(const char* key) { return static_cast<int>(GetPrivateProfileIntA(kSettingsSection, key, 0, kSettingsFile)); }

void WriteSetting(const char* key, int value) {
  char text[16];
  std::snprintf(text, sizeof(text), "%d", value);
  WritePrivateProfileStringA(kSettingsSection, key, text, kSettingsFile);
}

}  // namespace

CVideoCtrl* CVideoCtrl::Current() { return g_pCurrent; }

CVideoCtrl::CVideoCtrl() {
  ReadSettings();
  EnumDecoders(MEDIATYPE_Video, MEDIASUBTYPE_MPEG2_VIDEO, &m_VideoDecoders);
  EnumDecoders(MEDIATYPE_Audio, MEDIASUBTYPE_MPEG2_AUDIO, &m_AudioDecoders);
  g_pCurrent = this;
}

CVideoCtrl::~CVideoCtrl() {
  // A graph that was built but never ran is released too, not left behind.
  if (m_pGraph) ReleaseGraph();
  WriteSettings();
  if (m_hWnd) DestroyWindow();
  if (g_pCurrent == this) g_pCurrent = nullptr;
}

void CVideoCtrl::ReadSettings() {
  m_nVideoDecoder = ReadSetting("VideoDecoder");
  m_nAudioDecoder = ReadSetting("AudioDecoder");
  m_nVideoRenderer = ReadSetting("VideoRenderer");
  m_nBobMode = ReadSetting("BobMode");
}

void CVideoCtrl::WriteSettings() const {
  WriteSetting("VideoDecoder", m_nVideoDecoder);
  WriteSetting("AudioDecoder", m_nAudioDecoder);
  WriteSetting("VideoRenderer", m_nVideoRenderer);
  WriteSetting("BobMode", m_nBobMode);
}

void CVideoCtrl::SetHost(PFN_MODULE_LOG log, HWND commandWindow, UINT hostCommand) {
  m_pfnLog = log;
  m_hCommandWindow = commandWindow;
  m_nHostCommand = hostCommand;
}

BOOL CVideoCtrl::PreCreateWindow(CREATESTRUCT& cs) {
  cs.style &= ~WS_BORDER;
  cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, LoadCursor(nullptr, IDC_ARROW),
                                     reinterpret_cast<HBRUSH>(COLOR_WINDOWFRAME + 1));
  return CWnd::PreCreateWindow(cs);
}

HRESULT CVideoCtrl::StartGraph() {
  if (!m_pGraph) return E_FAIL;
  if (!m_pMediaControl) {
    const HRESULT hr = m_pGraph->QueryInterface(IID_IMediaControl, m_pMediaControl.PutVoid());
    if (FAILED(hr)) return hr;
  }
  const HRESULT hr = m_pMediaControl->Run();
  if (FAILED(hr)) {
    m_pMediaControl->Stop();
    Log(__LINE__, kLogInfo, "Cannot run graph");
    return hr;
  }
  Log(__LINE__, kLogInfo, "Graph is running :-)");
  m_bRunning = true;
  return S_OK;
}

HRESULT CVideoCtrl::StopGraph() {
  if (!m_pGraph) return E_FAIL;
  if (!m_bRunning) return S_OK;
  HRESULT hr = E_FAIL;
  if (m_pMediaControl) {
    m_pMediaControl->Pause();
    hr = m_pMediaControl->Stop();
  }
  if (FAILED(hr)) {
    Log(__LINE__, kLogError, "Error while stopping the graph.");
    return hr;
  }
  Log(__LINE__, kLogInfo, "Graph stopped.");
  m_bRunning = false;
  return hr;
}

void CVideoCtrl::PauseGraph() {
  if (!m_pGraph) return;
  if (!m_pMediaControl && FAILED(m_pGraph->QueryInterface(IID_IMediaControl, m_pMediaControl.PutVoid()))) return;
  if (SUCCEEDED(m_pMediaControl->Pause())) m_bRunning = true;
}

HRESULT CVideoCtrl::RestartGraph(BOOL ac3, BOOL h264) {
  long volume = 0;
  if (m_pBasicAudio) m_pBasicAudio->get_Volume(&volume);
  StopGraph();
  m_bAC3 = ac3;
  {
    CSingleLock lock(&m_feedLock, TRUE);
    if (m_pVideoCtrl) m_pVideoCtrl->Reset(ac3, h264, h264);
  }
  // heron's video pin reads the new stream's sequence header from its queue
  // while the pins connect: let packets of the new stream arrive first.
  Sleep(kRestartSettleMs);
  if (!m_pGraph) return E_FAIL;
  RemoveDecoders();
  const HRESULT hr = RenderSourcePins();
  if (m_pGraph && SUCCEEDED(m_pGraph->QueryInterface(IID_IBasicAudio, m_pBasicAudio.PutVoid())))
    m_pBasicAudio->put_Volume(volume);
  return hr;
}

void CVideoCtrl::ReleaseInterfaces() {
  {
    CSingleLock lock(&m_feedLock, TRUE);
    m_pVideoCtrl.Reset();
  }
  m_pBasicVideo.Reset();
  m_pBasicAudio.Reset();
  if (m_pVideoWindow) {
    // The renderer's window leaves the frame window before the renderer goes.
    m_pVideoWindow->put_Visible(OAFALSE);
    m_pVideoWindow->put_Owner(0);
    m_pVideoWindow.Reset();
  }
  m_pMediaControl.Reset();
  m_pPrefVideoDecoder.Reset();
  m_pPrefAudioDecoder.Reset();
  m_pRenderer.Reset();
  m_pSource.Reset();
}

HRESULT CVideoCtrl::ReleaseGraph() {
  if (m_hWnd) KillTimer(kAspectTimer);
  if (m_bRunning) StopGraph();
  if (m_bBuilt || m_bFailed) {
    ReleaseInterfaces();
    RemoveAllFilters();
  } else {
    Log(__LINE__, kLogInfo, "no interfaces found to release ....");
    CSingleLock lock(&m_feedLock, TRUE);
    m_pVideoCtrl.Reset();
  }
  RevokeFromRot();
  m_pGraph.Reset();
  m_bBuilt = false;
  m_bRunning = false;
  return S_OK;
}

HRESULT CVideoCtrl::SetVideoOwner(CWnd* frame) {
  if (!m_pGraph || !frame || !::IsWindow(frame->GetSafeHwnd())) return E_FAIL;
  HRESULT hr = m_pGraph->QueryInterface(IID_IVideoWindow, m_pVideoWindow.PutVoid());
  if (FAILED(hr)) {
    AfxMessageBox("QueryInterface IVideoWindow Failed\n");
    return hr;
  }
  const OAHWND owner = reinterpret_cast<OAHWND>(frame->GetSafeHwnd());
  if (FAILED(hr = m_pVideoWindow->put_Owner(owner))) {
    AfxMessageBox("Unable to set video window\n");
    return hr;
  }
  if (FAILED(hr = m_pVideoWindow->put_MessageDrain(owner))) {
    AfxMessageBox("Unable to put message drain\n");
    return hr;
  }
  if (FAILED(hr = m_pVideoWindow->put_WindowStyle(WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN))) {
    AfxMessageBox("Unable to set the style for the video window\n");
    return hr;
  }
  hr = UpdateVideoWindow(frame);
  m_pVideoFrame = frame;
  return hr;
}

HRESULT CVideoCtrl::UpdateVideoWindow(CWnd* frame) {
  if (!m_pGraph) return E_FAIL;
  if (!m_pVideoWindow || !frame || !::IsWindow(frame->GetSafeHwnd())) return S_OK;
  RECT client;
  ::GetClientRect(frame->GetSafeHwnd(), &client);
  if (m_hWnd) MoveWindow(&client, TRUE);
  const VideoRect picture = FitPicture(client.right - client.left, client.bottom - client.top, m_b16to9);
  const VideoRect r = RendererWindow(picture, kRendererBorder);
  const HRESULT hr = m_pVideoWindow->SetWindowPosition(r.left, r.top, r.Width(), r.Height());
  m_pVideoWindow->put_Visible(OATRUE);
  return hr;
}

void CVideoCtrl::DeliverVideoPES(BYTE* packet, LONG length) {
  CSingleLock lock(&m_feedLock, TRUE);
  if (m_pVideoCtrl) m_pVideoCtrl->DeliverVideo(packet, length);
}

void CVideoCtrl::DeliverAudioPES(BYTE* packet, LONG length) {
  CSingleLock lock(&m_feedLock, TRUE);
  if (m_pVideoCtrl) m_pVideoCtrl->DeliverAudio(packet, length);
}

INT_PTR CVideoCtrl::ShowPreferences() {
  const INT_PTR result = m_dlgPreferences.DoModal();
  if (result == IDOK && m_hCommandWindow) {
    CWaitCursor wait;
    ::SendMessage(m_hCommandWindow, WM_COMMAND, m_nHostCommand, 0);
    ::SendMessage(m_hCommandWindow, WM_COMMAND, m_nHostCommand, 0);
  }
  return result;
}

bool CVideoCtrl::GetCurrentImage(std::vector<BYTE>* dib) { return GetRendererImage(m_pBasicVideo.Get(), dib); }

void CVideoCtrl::OnTimer(UINT_PTR nIDEvent) {
  if (nIDEvent == kAspectTimer) {
    long x = 0, y = 0;
    ComPtr<IBasicVideo2> basicVideo2;
    if (m_pBasicVideo && SUCCEEDED(m_pBasicVideo->QueryInterface(IID_IBasicVideo2, basicVideo2.PutVoid())))
      basicVideo2->GetPreferredAspectRatio(&x, &y);
    const bool wide = IsWidePicture(x, y, m_b16to9);
    if (wide != m_b16to9) {
      m_b16to9 = wide;
      UpdateVideoWindow(m_pVideoFrame);
    }
  }
  CWnd::OnTimer(nIDEvent);
}
