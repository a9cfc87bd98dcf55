// condor's video window: the common layer's windows, with the source's
// programme rendered into the video child window once it exists; the
// placement, snapshots and volume.
#include "CondorApp.h"

#include <VideoFit.h>

namespace {
constexpr int kChildMode = 1;
constexpr int kRendererBorder = 15;  // the renderer overlaps the window's edges by this much
}  // namespace

int CCondorApp::CreateVideoWindow(HWND parent, int screenMode) {
  if (!m_pWindows) m_pWindows = std::make_unique<CVideoWindows>(ModuleKind::condor, Host(), SourceName(), Profile(), *this);
  return m_pWindows->SetVideoWindow(HostWindow(), parent, screenMode);
}

void CCondorApp::Attach(CWnd* videoChild) {
  const HWND window = videoChild->GetSafeHwnd();
  Log(__LINE__, kLogInfo, "Videowindow initialized.");
  if (!m_bRendered && SUCCEEDED(m_graph.RenderGraph(window))) {
    m_bRendered = true;
    if (MODULE_STATUS* status = Host().m_pStatus) status->m_pFilterGraph = m_graph.Graph();
    m_graph.Run();
    AddCurrentPids();
    if (HostWindow()) PostMessage(HostWindow(), WM_COMMAND, kRenderedCommand, 0);
  }
  m_graph.AttachVideoWindow(window);
}

void CCondorApp::Release() {
  m_graph.StopAndDisconnect();
  m_graph.RemoveFilters(false);
  m_bRendered = false;
}

bool CCondorApp::Follow(CWnd* videoChild) {
  RECT client;
  if (!videoChild || !::GetClientRect(videoChild->GetSafeHwnd(), &client)) return false;
  return m_graph.PlaceRenderer(client.left - kRendererBorder, client.top - kRendererBorder,
                               client.right - client.left + 2 * kRendererBorder,
                               client.bottom - client.top + 2 * kRendererBorder);
}

int CCondorApp::SetWindowPositions(HWND after, int left, int top, int right, int bottom) {
  const HWND child = GetVideoWindowHandle();
  if (!child || m_pWindows->ScreenMode() != kChildMode) return 0;
  const VideoRect r = PlaceVideoChild(right - left, bottom - top, Profile().monitorMode == 1, 0, 0);
  const BOOL placed = ::SetWindowPos(child, after, r.left, r.top, r.Width(), r.Height(), 0);
  if (m_graph.HasVideoWindow()) {
    m_graph.AttachVideoWindow(child);
    Follow(CWnd::FromHandle(child));
  }
  return placed ? 1 : 0;
}

HWND CCondorApp::GetVideoWindowHandle() { return m_pWindows ? m_pWindows->VideoChild() : nullptr; }

int CCondorApp::MakeSnapshot(const char* file, int toClipboard) {
  if (!HasGraph() || !m_pWindows) return 0;
  return m_pWindows->MakeSnapshot(HostWindow(), file, toClipboard);
}
