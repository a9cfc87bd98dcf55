// falcon's application object: the hardware module for the USB set-top and
// decoder boxes, driven through the box library (boxlink). Opening the
// device boots the box's firmware on a worker thread while the host's
// messages are served; the box then records the current programme as PVA
// with its PES (format 5), which the PES receiver pushes into the playback
// graph on heron and into the host's PES tap. Radio channels take their
// audio from the PVA packets.
//
// Threads: the exports, the status timer and the boot's message pump run on
// the host's thread; the boot runs on a worker of its own; the library's
// recorder, filter, teletext and CI workers call the handlers. m_graphLock
// keeps the playback graph's controller alive while a worker pushes a packet
// into it: the host's thread releases the controller only under that lock.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <vector>

#include <DVBAVControl.h>
#include <DVBBoardControl.h>
#include <DVBFrontend.h>
#include <DVBRecPlayPES.h>
#include <DVBTSFilter.h>

#include "CAMMenuDialog.h"
#include "CommonInterface.h"
#include "FalconObjects.h"
#include "ModuleApp.h"
#include "PlaybackGraph.h"
#include "VideoWindows.h"

class CFalconApp : public CModuleApp, public ICamHost {
 public:
  CFalconApp();
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
  std::unique_ptr<CHostFilter> MakeFilter() override { return nullptr; }  // falcon keeps its own filters
  int StartFilter(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length, PFN_FILTER_CALLBACK callback,
                  void* context) override;
  int StopFilter(void* context) override;
  int Tune(const CHANNEL_TYPE& tuning) override;
  int SetPids(WORD video, WORD audio, WORD pcr, WORD ac3) override;
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
  int SetDolbyMode(int mode) override;

  // ICamHost
  HWND HostWindow() override { return CModuleApp::HostWindow(); }
  const DVB_CHANNELS* CurrentChannel() override;
  void PostGraphRestart() override;

  // The PES receiver's handlers, on the library's recorder thread.
  void OnVideoPes(const BYTE* packet, int length);
  void OnAudioPes(const BYTE* packet, int length);
  void OnPvaPacket(const BYTE* packet, int length);

 private:
  template <typename... Args>
  void Log(int line, int level, const char* format, Args... args) const {
    Host().Log(SourceName(), line, level, format, args...);
  }
  static UINT BootThread(LPVOID app);
  void Boot();
  // Boots the box on the worker while this thread serves its messages.
  DVB_ERROR BootWhilePumping();
  void RegisterDeviceNotice();
  void UnregisterDeviceNotice();
  void OpenCommonInterface();
  void CloseCommonInterface();
  void StopHostFilters();
  bool InPlayback() const;
  bool IsRadio(const DVB_CHANNELS* channel) const;
  // Hands a packet to the host's tap (while the host asks for it).
  void Tap(const BYTE* packet, int length);
  void Deliver(bool video, const BYTE* packet, int length);
  CVideoCtrl* Ctrl() const { return m_pGraph ? m_pGraph->Ctrl() : nullptr; }

  WORD m_wDeviceIndex = 0;
  HDEVNOTIFY m_hDeviceNotify = nullptr;
  CDVBBoardControl m_Board;
  CDVBFrontend m_Frontend;
  int m_nFrontendType = 0;
  CDVBAVControl m_AVControl;
  // True from a complete open to the close: the status timer reads the
  // front end only then (not while the boot's pump serves it).
  std::atomic<bool> m_bDeviceOpen{false};

  std::atomic<CWinThread*> m_pBootThread{nullptr};  // the boot in progress
  std::atomic<int> m_nBootResult{DVB_ERR_NONE};
  WORD m_wProduct = 0;
  WORD m_wVersions[6] = {};

  std::unique_ptr<CPESReceiver> m_pReceiver;
  std::unique_ptr<CDVBTSFilter> m_pSpareFilter;  // marks an open device; never set
  CCriticalSection m_filterLock;                 // guards m_filters
  std::vector<std::unique_ptr<CFalconFilter>> m_filters;

  std::unique_ptr<CCommonInterface> m_pCI;
  std::unique_ptr<CCAMMenuDialog> m_pCamDialog;
  std::atomic<bool> m_bCIReady{false};
  std::unique_ptr<CFalconTeletext> m_pTeletext;

  std::atomic<BOOL> m_bAC3Mode{FALSE};
  // Module-wide buffers of the recorder thread: the tap's and the radio audio's.
  std::vector<BYTE> m_tapBuffer;
  std::vector<BYTE> m_radioBuffer;

  CCriticalSection m_graphLock;  // guards m_pGraph's controller against the device threads
  std::unique_ptr<CPlaybackGraph> m_pGraph;
  std::unique_ptr<CVideoWindows> m_pWindows;
};
