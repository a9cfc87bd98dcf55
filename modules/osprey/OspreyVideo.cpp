// osprey's video window on the BDA graph: the common layer's windows, with
// the graph built when the first video window is made and attached to the
// window of each later one; snapshots from the renderer.
#include "OspreyApp.h"

#include <framework/Wnd.h>

int COspreyApp::CreateVideoWindow(HWND parent, int screenMode) {
  if (!m_pWindows)
    m_pWindows = std::make_unique<CVideoWindows>(ModuleKind::osprey, Host(), SourceName(), Profile(),
                                                 static_cast<IVideoGraph&>(*this));
  const int result = m_pWindows->SetVideoWindow(HostWindow(), parent, screenMode);
  if (MODULE_STATUS* status = Host().m_pStatus)
    status->m_pFilterGraph = m_pCore && screenMode ? static_cast<void*>(m_pCore->Graph()) : nullptr;
  return result;
}

int COspreyApp::SetWindowPositions(HWND after, int left, int top, int right, int bottom) {
  return m_pWindows ? m_pWindows->SetWindowPositions(after, left, top, right, bottom) : 0;
}

HWND COspreyApp::GetVideoWindowHandle() { return m_pWindows ? m_pWindows->VideoChild() : nullptr; }

int COspreyApp::MakeSnapshot(const char* file, int toClipboard) {
  if (!m_pCore || !m_pCore->BasicVideo() || !m_pWindows) return 0;
  if (!toClipboard && !file) return 0;
  const int result = m_pWindows->MakeSnapshot(HostWindow(), file, toClipboard);
  if (!result) Log(__LINE__, kLogInfo, "Unable to get screenshot from video.");
  return result;
}

void COspreyApp::Attach(CWnd* videoChild) {
  if (!m_pCore) return;
  const HWND window = videoChild->GetSafeHwnd();
  if (m_pCore->GraphBuilt()) {
    m_pCore->AttachVideoWindow(window);
    return;
  }
  m_pCore->BuildGraph(m_nDeviceIndex, window);
  if (m_pCore->GraphBuilt()) OpenDelivery(true);
  if (IBasicAudio* audio = m_pCore->BasicAudio()) audio->put_Volume(Profile().lastVolume);
}

void COspreyApp::Release() {
  if (!m_pCore) return;
  m_pCore->StopGraph();
  m_pCore->ReleaseAll();
}

bool COspreyApp::Follow(CWnd* videoChild) {
  if (!m_pCore) return false;
  m_pCore->UpdateVideoWindow(videoChild->GetSafeHwnd());
  return true;
}

bool COspreyApp::GetCurrentImage(std::vector<BYTE>* dib) {
  IBasicVideo2* video = m_pCore && m_pCore->RendererConnected() ? m_pCore->BasicVideo() : nullptr;
  if (!video) return false;
  long size = 0;
  if (FAILED(video->GetCurrentImage(&size, nullptr)) || size <= 0) {
    // A renderer that cannot tell the size first gets room for the picture.
    long width = 0, height = 0;
    if (FAILED(video->GetVideoSize(&width, &height)) || width <= 0 || height <= 0) return false;
    size = static_cast<long>(sizeof(BITMAPINFOHEADER)) + width * height * 4;
  }
  dib->assign(static_cast<size_t>(size), 0);
  if (FAILED(video->GetCurrentImage(&size, reinterpret_cast<long*>(dib->data())))) return false;
  dib->resize(static_cast<size_t>(size));
  return true;
}
