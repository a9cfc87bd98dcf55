// A module's video windows and its screen modes: 0 none, 1 a child of the
// host's window, 3 full screen on the host's monitor, 4 a free-floating
// window whose placement the profile keeps. The video child window and the
// graph survive a change between the non-zero modes (the child is
// re-parented); the free window and the full-screen dialog live only in
// their own mode. Behind _CreateVideoWindow, _DeleteVideoWindow,
// _SetWindowPositions, _GetVideoWindowHandle and _MakeSnapshot.
#pragma once

#include <memory>

#include "FreeTVWindow.h"
#include "FullscreenDialog.h"
#include "ModuleApp.h"
#include "ModuleHostLink.h"
#include "ModuleKind.h"
#include "VideoGraph.h"
#include "VideoWnd.h"

class CVideoWindows {
 public:
  enum Mode { kNone = 0, kChild = 1, kFullScreen = 3, kFree = 4 };

  CVideoWindows(ModuleKind kind, const ModuleHostLink& host, const char* source, ModuleProfile& profile,
                IVideoGraph& graph);
  ~CVideoWindows();
  CVideoWindows(const CVideoWindows&) = delete;
  CVideoWindows& operator=(const CVideoWindows&) = delete;

  // _CreateVideoWindow(parent, mode) and _DeleteVideoWindow (mode 0); 1 or 0.
  int SetVideoWindow(HWND hostWindow, HWND parent, int mode);
  // _SetWindowPositions: only in mode 1 with a running graph; 1 when the
  // graph followed the new place.
  int SetWindowPositions(HWND insertAfter, int left, int top, int right, int bottom);
  // _MakeSnapshot; 1 or 0.
  int MakeSnapshot(HWND hostWindow, const char* file, int toClipboard);

  int ScreenMode() const { return m_iScreenMode; }
  HWND VideoChild() const { return m_pVideoWnd ? m_pVideoWnd->GetSafeHwnd() : nullptr; }
  CFreeTVWindow* FreeWindow() const { return m_pFreeWindow.get(); }
  CFullscreenDialog* FullscreenDialog() const { return m_pFullscreen.get(); }

 private:
  template <typename... Args>
  void Log(int line, int level, const char* format, Args... args) const {
    m_host.Log(m_source, line, level, format, args...);
  }
  bool TopMost() const;
  int XScale() const;
  int YScale() const;
  bool Wide() const { return m_profile.monitorMode == 1; }
  void SetScreenMode(int mode);
  void ApplyTopMost(CWnd* window) const;
  // Re-parents the video child window to parent at rect, or creates it there.
  bool PlaceVideoChild(CWnd* parent, const RECT& rect);
  void OpenChild(HWND parent, const RECT& rect);
  void OpenFree(HWND hostWindow);
  void OpenFullScreen(HWND hostWindow);
  int Close();
  void DestroyFree();
  void DestroyFullscreen();

  const bool m_bOwnClass;  // the video child window has its own class
  const ModuleHostLink& m_host;
  const char* const m_source;
  ModuleProfile& m_profile;
  IVideoGraph& m_graph;
  int m_iScreenMode = kNone;
  std::unique_ptr<CVideoWnd> m_pVideoWnd;
  std::unique_ptr<CFreeTVWindow> m_pFreeWindow;
  std::unique_ptr<CFullscreenDialog> m_pFullscreen;
};
