#include "VideoWindows.h"

#include <framework/MessageBox.h>

#include "Snapshot.h"
#include "VideoFit.h"

namespace {

constexpr int kMaxTitle = 500;
constexpr int kPlaybackState = 3;  // m_iRecPlayState while a recording plays

// Which modules give the video child window a class of its own.
bool HasOwnVideoClass(ModuleKind kind) {
  return kind == ModuleKind::kestrel || kind == ModuleKind::osprey || kind == ModuleKind::falcon ||
         kind == ModuleKind::condor;
}

}  // namespace

CVideoWindows::CVideoWindows(ModuleKind kind, const ModuleHostLink& host, const char* source, ModuleProfile& profile,
                             IVideoGraph& graph)
    : m_bOwnClass(HasOwnVideoClass(kind)), m_host(host), m_source(source), m_profile(profile), m_graph(graph) {}

CVideoWindows::~CVideoWindows() {
  m_graph.Release();
  DestroyFree();
  DestroyFullscreen();
}

bool CVideoWindows::TopMost() const { return m_host.m_pStatus && m_host.m_pStatus->m_bTopMost; }
int CVideoWindows::XScale() const { return m_host.m_pStatus ? m_host.m_pStatus->m_iXScale : 0; }
int CVideoWindows::YScale() const { return m_host.m_pStatus ? m_host.m_pStatus->m_iYScale : 0; }

void CVideoWindows::SetScreenMode(int mode) {
  m_iScreenMode = mode;
  if (m_host.m_pStatus) m_host.m_pStatus->m_iScreenMode = static_cast<int16_t>(mode);
}

void CVideoWindows::ApplyTopMost(CWnd* window) const {
  if (window && window->GetSafeHwnd())
    ::SetWindowPos(window->GetSafeHwnd(), TopMost() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

int CVideoWindows::SetVideoWindow(HWND hostWindow, HWND parent, int mode) {
  if (mode != kNone && mode == m_iScreenMode) {
    if (mode == kFree) ApplyTopMost(m_pFreeWindow.get());
    if (mode == kFullScreen) ApplyTopMost(m_pFullscreen.get());
    return 1;
  }
  if (m_iScreenMode == kFree && m_pFreeWindow && m_pFreeWindow->GetSafeHwnd())
    m_pFreeWindow->GetWindowRect(&m_profile.freeWindow);
  if (m_host.m_pStatus) m_host.m_pStatus->m_iLastScreenMode = static_cast<int16_t>(m_iScreenMode);
  if (mode == kNone) return Close();

  RECT rect = {0, 0, 640, 480};
  if (parent) ::GetClientRect(parent, &rect);
  if (mode == kChild) OpenChild(parent, rect);
  if (mode == kFree) OpenFree(hostWindow);
  if (mode == kFullScreen) OpenFullScreen(hostWindow);

  if (!VideoChild()) {
    Log(__LINE__, kLogError, "Error creating video window! Check your drivers!");
    return 0;
  }
  Log(__LINE__, kLogInfo, "Video frame window initialized.");
  m_graph.Attach(m_pVideoWnd.get());
  if (m_pFreeWindow) m_pFreeWindow->FitVideoChild();
  return 1;
}

bool CVideoWindows::PlaceVideoChild(CWnd* parent, const RECT& rect) {
  if (m_pVideoWnd && m_pVideoWnd->GetSafeHwnd()) {
    m_pVideoWnd->SetParent(parent);
    m_pVideoWnd->MoveWindow(&rect, TRUE);
    return true;
  }
  m_pVideoWnd = std::make_unique<CVideoWnd>(m_bOwnClass);
  if (m_pVideoWnd->Create(parent, rect)) return true;
  m_pVideoWnd.reset();
  AfxMessageBox("Error creating video window!");
  return false;
}

void CVideoWindows::OpenChild(HWND parent, const RECT& rect) {
  if (PlaceVideoChild(CWnd::FromHandle(parent), rect)) SetScreenMode(kChild);
  DestroyFullscreen();
  DestroyFree();
}

void CVideoWindows::OpenFree(HWND hostWindow) {
  if (!m_pFreeWindow) {
    m_pFreeWindow = std::make_unique<CFreeTVWindow>();
    if (!m_pFreeWindow->Create(nullptr)) m_pFreeWindow.reset();
  }
  if (m_pFreeWindow) {
    m_pFreeWindow->m_hHostWnd = hostWindow;
    char title[kMaxTitle + 1] = {};
    if (hostWindow) ::GetWindowTextA(hostWindow, title, kMaxTitle);
    m_pFreeWindow->SetWindowText(title);
    m_pFreeWindow->MoveWindow(&m_profile.freeWindow, TRUE);
    ApplyTopMost(m_pFreeWindow.get());
    RECT client;
    m_pFreeWindow->GetClientRect(&client);
    const RECT widened = {-XScale(), -YScale(), client.right + XScale(), client.bottom + YScale()};
    if (PlaceVideoChild(m_pFreeWindow.get(), widened)) SetScreenMode(kFree);
    m_pFreeWindow->m_fit = {m_pVideoWnd.get(), &m_graph, Wide(), XScale(), YScale()};
  }
  DestroyFullscreen();
}

void CVideoWindows::OpenFullScreen(HWND hostWindow) {
  RECT screen;
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  HMONITOR monitor = hostWindow ? MonitorFromWindow(hostWindow, MONITOR_DEFAULTTONULL) : nullptr;
  if (monitor && GetMonitorInfoA(monitor, &info))
    screen = info.rcMonitor;
  else
    ::GetWindowRect(::GetDesktopWindow(), &screen);
  const int width = screen.right - screen.left, height = screen.bottom - screen.top;
  const VideoRect child = FitVideoChild(width, height, Wide(), XScale(), YScale());
  if (!m_pFullscreen) {
    m_pFullscreen = std::make_unique<CFullscreenDialog>();
    if (!m_pFullscreen->Create(nullptr)) m_pFullscreen.reset();
  }
  if (m_pFullscreen) {
    ::SetWindowPos(m_pFullscreen->GetSafeHwnd(), TopMost() ? HWND_TOPMOST : HWND_NOTOPMOST, screen.left, screen.top,
                   width, height, 0);
    const RECT r = {child.left, child.top, child.right, child.bottom};
    if (PlaceVideoChild(m_pFullscreen.get(), r)) SetScreenMode(kFullScreen);
  }
  DestroyFree();
  if (m_pFullscreen) m_pFullscreen->SetFocus();
}

int CVideoWindows::Close() {
  if (!VideoChild()) return 0;
  if (m_host.m_pStatus && m_host.m_pStatus->m_iRecPlayState == kPlaybackState) {
    Log(__LINE__, kLogInfo, "Error: Cannot close video window. Stop Timeshift mode first.");
    return 0;
  }
  m_graph.Release();
  if (m_host.m_pStatus) m_host.m_pStatus->m_pFilterGraph = nullptr;
  m_pVideoWnd->DestroyWindow();
  m_pVideoWnd.reset();
  DestroyFullscreen();
  DestroyFree();
  Log(__LINE__, kLogInfo, "Closed videowindow.");
  SetScreenMode(kNone);
  return 1;
}

void CVideoWindows::DestroyFree() {
  if (m_pFreeWindow && m_pFreeWindow->GetSafeHwnd()) m_pFreeWindow->DestroyWindow();
  m_pFreeWindow.reset();
}

void CVideoWindows::DestroyFullscreen() {
  if (m_pFullscreen && m_pFullscreen->GetSafeHwnd()) m_pFullscreen->DestroyWindow();
  m_pFullscreen.reset();
}

int CVideoWindows::SetWindowPositions(HWND insertAfter, int left, int top, int right, int bottom) {
  if (m_iScreenMode != kChild || !VideoChild() || !m_graph.IsRunning()) return 0;
  const VideoRect r = ::PlaceVideoChild(right - left, bottom - top, Wide(), XScale(), YScale());
  ::SetWindowPos(VideoChild(), insertAfter, r.left, r.top, r.Width(), r.Height(), 0);
  return m_graph.Follow(m_pVideoWnd.get()) ? 1 : 0;
}

int CVideoWindows::MakeSnapshot(HWND hostWindow, const char* file, int toClipboard) {
  if (!VideoChild()) return 0;
  std::vector<BYTE> dib;
  if (!m_graph.GetCurrentImage(&dib)) {
    Log(__LINE__, kLogInfo, "Unable to get screenshot from video.");
    return 0;
  }
  if (toClipboard) return CopySnapshotToClipboard(hostWindow, dib) ? 1 : 0;
  if (!file) return 0;
  return WriteSnapshotFile(file, dib) ? 1 : 0;
}
