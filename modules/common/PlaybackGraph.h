// The video windows' graph of merlin and falcon: a CVideoCtrl made when the
// video window first opens (a "VidWnd" child of the video child window,
// identifier 130), built, placed in the video child window and started;
// re-placed when the video child window changes parent; stopped, released
// and destroyed when the video window closes.
#pragma once

#include <memory>

#include "ModuleInterface.h"
#include "VideoCtrl.h"
#include "VideoGraph.h"

class CPlaybackGraph : public IVideoGraph {
 public:
  CPlaybackGraph(PFN_MODULE_LOG log, HWND commandWindow) : m_pfnLog(log), m_hCommandWindow(commandWindow) {}

  void Attach(CWnd* videoChild) override;
  void Release() override;
  bool IsRunning() const override { return m_pCtrl && m_pCtrl->IsRunning(); }
  bool Follow(CWnd* videoChild) override;
  bool GetCurrentImage(std::vector<BYTE>* dib) override;

  // The controller while the video window is open.
  CVideoCtrl* Ctrl() const { return m_pCtrl.get(); }

 private:
  PFN_MODULE_LOG m_pfnLog;
  HWND m_hCommandWindow;
  std::unique_ptr<CVideoCtrl> m_pCtrl;
};
