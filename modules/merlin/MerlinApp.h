// merlin's application object: the hardware module for the premium PCI
// cards, driven through the card library (cardlink). Its two pipe filters
// take the video and audio PES data out of the card, re-assemble the PES
// packets (CPESFilter) and push them into the playback graph on heron
// (CPlaybackGraph) and into the host's PES tap; the common interface and its
// CAM menu dialog serve the card's CAM slots.
//
// Threads: the exports and the status timer run on the host's thread; the
// stream filters, host filters and teletext deliver on the card library's
// worker threads, the common interface on its CI thread. m_graphLock keeps
// the playback graph's controller alive while a worker pushes a packet into
// it or the CI thread posts it a restart: the host's thread releases the
// graph only under that lock, so no packet reaches a released graph.
#pragma once

#include <windows.h>

#include <memory>

#include <DVBBoardControl.h>
#include <DVBFrontend.h>

#include "CAMMenuDialog.h"
#include "CardFilters.h"
#include "CommonInterface.h"
#include "ModuleApp.h"
#include "PESFilter.h"
#include "PlaybackGraph.h"
#include "VideoWindows.h"

class CMerlinApp : public CModuleApp, public ICamHost, public IPesSink {
 public:
  static constexpr char kAppId[] = "QLON_EX_PREMIUM_MODULE";
  static constexpr WORD kVideoSetSize = 6144, kAudioSetSize = 2048;
  static constexpr int kVideoPriority = 2, kAudioPriority = 0;

  CMerlinApp();
  BOOL InitInstance() override;
  int ExitInstance() override;

  // CModuleApp
  int GetDeviceCount() override;
  bool DeviceName(int index, CString* name) override;
  BOOL OpenDevice(int index) override;
  int CloseDevice() override;
  BOOL GetState(BOOL* locked, SIGNAL_TYPE* signal) override;
  VideoInfo GetVideoInfo() override;
  BOOL PutAudioVolume(long volume) override;
  bool HasGraph() const override;
  std::unique_ptr<CHostFilter> MakeFilter() override { return std::make_unique<CCardHostFilter>(); }
  int Tune(const CHANNEL_TYPE& tuning) override;
  int SetPids(WORD video, WORD audio, WORD third, WORD ac3) override;
  int CreateVideoWindow(HWND parent, int screenMode) override;
  int SetWindowPositions(HWND after, int left, int top, int right, int bottom) override;
  HWND GetVideoWindowHandle() override;
  int SendDiSEqC(const BYTE* message, BYTE length, BYTE burst) override;
  int StartTeletext(PFN_TELETEXT_CALLBACK callback, WORD pid) override;
  int StopTeletext() override;
  void FillDeviceMAC(char* text) override;
  void OpenDeviceDependentProperties() override;
  void EnterCAMDialog(int command, int value) override;
  int MakeSnapshot(const char* file, int toClipboard) override;
  int SetDolbyMode(int) override { return m_bAC3Mode ? 1 : 0; }

  // ICamHost
  HWND HostWindow() override { return CModuleApp::HostWindow(); }
  const DVB_CHANNELS* CurrentChannel() override;
  void PostGraphRestart() override;

  // IPesSink
  void DeliverPes(int code, const BYTE* packet, int length) override;
  void ReportPesFault(int code, CPesAssembler::Fault fault, DWORD size) override;

 private:
  template <typename... Args>
  void Log(int line, int level, const char* format, Args... args) const {
    Host().Log(SourceName(), line, level, format, args...);
  }
  // The folder of this DLL, ending in a backslash.
  static CString ModuleFolder();
  bool BootFirmware();
  bool InitFrontend();
  void OpenCommonInterface();
  void CloseStreams();
  void CloseCommonInterface();
  // Sets or resets the two stream filters; false when setting one failed.
  bool SetStreamFilters(WORD video, WORD audio);
  void RestartGraphForPids();
  CVideoCtrl* Ctrl() const { return m_pGraph ? m_pGraph->Ctrl() : nullptr; }

  WORD m_wDeviceIndex = 0;
  std::unique_ptr<CDVBBoardControl> m_pBoard;
  std::unique_ptr<CDVBFrontend> m_pFrontend;
  int m_nFrontendType = 0;
  CDVBFrontend::_CHANNEL_TYPE m_lastTuning = {};
  std::unique_ptr<CCommonInterface> m_pCI;
  std::unique_ptr<CCAMMenuDialog> m_pCamDialog;
  bool m_bCIReady = false;
  std::unique_ptr<CHostTeletext> m_pTeletext;

  // The stream filters (video, audio, the third) while the device is open.
  std::unique_ptr<CPESFilter> m_pPES[3];
  std::unique_ptr<CAc3Filter> m_pAc3Filter;
  BYTE m_zeros[6] = {};

  BOOL m_bAC3Mode = FALSE;  // never set: merlin leaves AC-3 to the graph
  BOOL m_bH264 = FALSE;

  CCriticalSection m_graphLock;  // guards m_pGraph's controller against the device threads
  std::unique_ptr<CPlaybackGraph> m_pGraph;
  std::unique_ptr<CVideoWindows> m_pWindows;
};
