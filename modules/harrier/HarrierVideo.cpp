// harrier's video window: the card's overlay window made by the display in
// the host's window (mode 1), as a free pop-up (mode 4) or in the
// full-screen dialog (mode 3); its surface kind, placement, picture
// settings and BOB mode.
#include "HarrierApp.h"

#include "HarrierRules.h"

namespace {

constexpr int kRenderMode = 2;
constexpr int kTvNorm = 0;
constexpr DWORD kChildStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
constexpr DWORD kFreeStyle = WS_POPUP | WS_VISIBLE | WS_THICKFRAME;
constexpr DWORD kFullScreenStyle = WS_CHILD | WS_VISIBLE;

bool IsSurfaceKind(int kind) { return kind >= 0 && kind <= 3; }

}  // namespace

void CHarrierApp::SetScreenMode(int mode) {
  m_iScreenMode = mode;
  if (MODULE_STATUS* status = Status()) status->m_iScreenMode = static_cast<int16_t>(mode);
}

void CHarrierApp::ApplyTopMost(HWND window) const {
  if (window && ::IsWindow(window))
    ::SetWindowPos(window, Status() && Status()->m_bTopMost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CHarrierApp::DestroyFullscreen() {
  if (m_pFullscreen && m_pFullscreen->GetSafeHwnd()) m_pFullscreen->DestroyWindow();
  m_pFullscreen.reset();
}

bool CHarrierApp::CloseVideoWindow(bool keep) {
  if (!m_hVideoWnd) return false;
  if (!keep) DestroyFullscreen();
  m_Display.Close();
  m_Display.SetMove(0);
  m_hVideoWnd = nullptr;
  m_hVideoParent = nullptr;
  Log(__LINE__, kLogInfo, "Closed videowindow.");
  SetScreenMode(kNoWindow);
  return true;
}

void CHarrierApp::ReadSurfaceKind(int fallback) {
  CDVBVideoDisplay::DD_MODE used = static_cast<CDVBVideoDisplay::DD_MODE>(m_DDMode);
  if (m_Display.GetDDMode(used) == DVB_ERR_NONE) m_DDMode = used;
  if (MODULE_STATUS* status = Status())
    status->m_iSurfaceMode = static_cast<DWORD>(IsSurfaceKind(m_DDMode) ? m_DDMode : fallback);
}

void CHarrierApp::OpenFullScreen() {
  RECT screen;
  MONITORINFO info = {};
  info.cbSize = sizeof(info);
  HMONITOR monitor = HostWindow() ? ::MonitorFromWindow(HostWindow(), MONITOR_DEFAULTTONEAREST) : nullptr;
  if (monitor && ::GetMonitorInfoA(monitor, &info))
    screen = info.rcMonitor;
  else
    ::GetWindowRect(::GetDesktopWindow(), &screen);
  const int width = screen.right - screen.left, height = screen.bottom - screen.top;
  if (!m_pFullscreen || !m_pFullscreen->GetSafeHwnd()) {
    m_pFullscreen = std::make_unique<CFullscreenDialog>();
    if (!m_pFullscreen->Create(CWnd::FromHandle(HostWindow()))) {
      m_pFullscreen.reset();
      return;
    }
    ::SetWindowPos(m_pFullscreen->GetSafeHwnd(), Status() && Status()->m_bTopMost ? HWND_TOPMOST : HWND_NOTOPMOST,
                   screen.left, screen.top, width, height, 0);
  }
  const PictureRect p = FitPicture(width, height, Wide());
  const int x = p.x < 0 ? 0 : p.x;
  if (m_Display.Create(m_pFullscreen->GetSafeHwnd(), x - XScale(), p.y - YScale(), p.width + 2 * XScale(),
                       p.height + 2 * YScale(), kFullScreenStyle, 0, kRenderMode,
                       static_cast<CDVBVideoDisplay::DD_MODE>(m_DDMode), kTvNorm, FALSE) != DVB_ERR_NONE)
    return;
  SetScreenMode(kFullScreen);
  m_Display.SetMove(0);
  m_hVideoParent = m_pFullscreen->GetSafeHwnd();
}

int CHarrierApp::SwitchVideoWindow(HWND parent, int mode, bool keep) {
  if (!keep && mode == m_iScreenMode) {
    if (mode == kFree) ApplyTopMost(m_hVideoWnd);
    if (mode == kFullScreen && m_pFullscreen) ApplyTopMost(m_pFullscreen->GetSafeHwnd());
    return 1;
  }
  if (m_iScreenMode == kFree && m_hVideoWnd && ::IsWindow(m_hVideoWnd))
    ::GetWindowRect(m_hVideoWnd, &Profile().freeWindow);
  if (MODULE_STATUS* status = Status()) status->m_iLastScreenMode = static_cast<int16_t>(m_iScreenMode);

  if (mode == kNoWindow) return CloseVideoWindow(keep) ? 1 : 0;

  RECT rect = {0, 0, 640, 480};
  if (parent) ::GetClientRect(parent, &rect);
  if (m_hVideoWnd && !CloseVideoWindow(true)) {
    Log(__LINE__, kLogError, "Error while closing TV window.");
    return 0;
  }
  // The full-screen dialog outlives the window only for a window made again in it.
  if (mode != kFullScreen) DestroyFullscreen();

  m_Display.SetRatio(Wide() ? 2 : 1);
  m_AVControl.SetAspectRatio(Profile().monitorMode);
  const auto surface = static_cast<CDVBVideoDisplay::DD_MODE>(m_DDMode);
  const bool player = RecPlayState() == kPlayerPlaying;
  if (mode == kChild) {
    if (m_Display.Create(parent, rect.left, rect.top, rect.right, rect.bottom, kChildStyle, 0, kRenderMode, surface,
                         kTvNorm, FALSE) == DVB_ERR_NONE) {
      m_Display.SetMove(0);
      SetScreenMode(kChild);
      m_hVideoParent = parent;
    }
  } else if (mode == kFree && !player) {
    const RECT& placement = Profile().freeWindow;
    const int width = placement.right - placement.left;
    if (m_Display.Create(parent, placement.left, placement.top, width, Wide() ? width * 9 / 16 : width * 3 / 4,
                         kFreeStyle, 0, kRenderMode, surface, kTvNorm, FALSE) == DVB_ERR_NONE) {
      m_Display.SetMove(1);
      SetScreenMode(kFree);
      m_hVideoParent = parent;
    }
  } else if (mode == kFullScreen && !player) {
    OpenFullScreen();
  }

  m_hVideoWnd = m_Display.GetVideoWindow();
  if (!m_hVideoWnd) {
    Log(__LINE__, kLogError, "Error creating video window! Check your drivers!");
    return 0;
  }
  m_Display.SetMAX(0);
  ReadSurfaceKind(0);
  m_AVControl.SetPictureParams(m_PictureParams[0], m_PictureParams[1], m_PictureParams[2]);
  Log(__LINE__, kLogInfo, "Videowindow initialized.");
  return 1;
}

int CHarrierApp::SetSurface(int kind) {
  if (IsSurfaceKind(kind)) m_DDMode = kind;
  const bool switched = SwitchVideoWindow(m_hVideoParent, m_iScreenMode, true) != 0;
  ReadSurfaceKind(kind);
  Log(__LINE__, kLogInfo, "Surface changed.");
  return switched ? kModuleOk : kModuleBadArgument;
}

int CHarrierApp::SetWindowPositions(HWND after, int left, int top, int right, int bottom) {
  if (!m_hVideoWnd || m_iScreenMode != kChild) return 0;
  m_Display.SetRatio(Wide() ? 2 : 1);
  const PictureRect p = FitPicture(right - left, bottom - top, Wide());
  const int width = p.width + 2 * XScale(), height = p.height + 2 * YScale();
  ::SetWindowPos(m_hVideoWnd, after, p.x - XScale(), p.y - YScale() - 1, width, height, 0);
  return ::SetWindowPos(m_hVideoWnd, after, p.x - XScale(), p.y - YScale(), width, height, 0);
}

int CHarrierApp::SetColorValues(int first, int second, int third) {
  m_Display.SetPictureParams(static_cast<BYTE>(first), static_cast<BYTE>(third), static_cast<BYTE>(second));
  return 1;
}

void CHarrierApp::SetBobMode(int on) { m_Display.SetBOB(on); }
