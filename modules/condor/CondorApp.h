// condor's application object: the hardware module for the cards behind the
// card source filters of "thSource.ax" (TwinhanGraph.h). The source hands
// every packet of the PIDs the module adds to the TS callback on its own
// thread: the current video, audio and AC-3 PIDs go to the recorder (the
// host's PES tap) and the picture-format detection, the rest to the host's
// filters. A modeless CAM dialog serves the CAM of the cards that have one.
//
// Threads: the exports and the status timer run on the host's thread, the TS
// callback on the source's. m_filterLock guards the current PIDs and the
// host's filter list between them; the callback holds it while it routes a
// packet, and the host's thread never holds it while it calls the source.
#pragma once

#include <windows.h>

#include <array>
#include <atomic>
#include <memory>

#include <DVBRecorder.h>
#include <ModuleApp.h>
#include <VideoGraph.h>
#include <VideoWindows.h>

#include "CIMenuDialog.h"
#include "CamDataObject.h"
#include "HostFilterList.h"
#include "SequenceHeaderScan.h"
#include "TwinhanGraph.h"

class CCondorApp : public CModuleApp, public IVideoGraph {
 public:
  // The command the host is sent once the graph is rendered and running.
  static constexpr WPARAM kRenderedCommand = 32803;
  // How long the card needs to descramble a scrambled service.
  static constexpr DWORD kScrambledSettleMs = 3000;

  CCondorApp();
  ~CCondorApp() override;
  BOOL InitInstance() override;
  int ExitInstance() override;

  // CModuleApp
  int GetDeviceCount() override { return m_graph.GetCardCount(); }
  bool DeviceName(int, CString* name) override;
  BOOL OpenDevice(int index) override;
  int CloseDevice() override;
  BOOL GetState(BOOL*, SIGNAL_TYPE*) override { return FALSE; }  // the timer asks the tuner itself
  BOOL PutAudioVolume(long volume) override { return m_graph.SetVolume(volume) ? TRUE : FALSE; }
  bool HasGraph() const override { return m_graph.Graph() != nullptr; }
  std::unique_ptr<CHostFilter> MakeFilter() override { return nullptr; }
  int StartFilter(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length, PFN_FILTER_CALLBACK callback,
                  void* context) override;
  int StopFilter(void* context) override;
  int Tune(const CHANNEL_TYPE& tuning) override;
  int SetPids(WORD video, WORD audio, WORD third, WORD ac3) override;
  int CreateVideoWindow(HWND parent, int screenMode) override;
  int SetWindowPositions(HWND after, int left, int top, int right, int bottom) override;
  HWND GetVideoWindowHandle() override;
  int SetColorValues(int, int, int) override { return 1; }
  int SendDiSEqC(const BYTE* message, BYTE length, BYTE burst) override;
  int SpeedRecPlay(int speed) override;
  int StopRecPlay() override;
  int SeekPlayback(int perMille) override;
  void FillDeviceMAC(char* text) override;
  void EnterCAMDialog(int command, int value) override;
  int MakeSnapshot(const char* file, int toClipboard) override;
  int SetDolbyMode(int) override { return m_bAC3Mode ? 1 : 0; }
  void OnStatusTick() override;

  // IVideoGraph: the graph as the video windows see it.
  void Attach(CWnd* videoChild) override;
  void Release() override;
  bool IsRunning() const override { return m_bRendered; }
  bool Follow(CWnd* videoChild) override;
  bool GetCurrentImage(std::vector<BYTE>* dib) override { return m_graph.GetCurrentImage(dib); }

  // One 188-byte packet from the source's thread.
  void OnTsPacket(const BYTE* packet);

 protected:
  bool TimerRunsWithModule() const override { return true; }
  bool ClearsOffset60() const override { return false; }

 private:
  template <typename... Args>
  void Log(int line, int level, const char* format, Args... args) const {
    Host().Log(SourceName(), line, level, format, args...);
  }
  static void __stdcall TsCallback(BYTE* packet);
  // The current AC-3, video and audio PIDs (0: none), and those set to or from the source.
  std::array<WORD, 3> CurrentPids();
  void AddCurrentPids();
  void RemoveCurrentPids();
  // Removes one entry of context from the filter list and its PID from the
  // source; false when there is none. *result: 0, or 3 when the source refused.
  bool RemoveFilterEntry(void* context, int* result);
  void ApplyCardType(int cardType);
  void DestroyCamDialog();
  void OnSequenceHeader(const SequenceHeader& header);
  void SetPlayState(DWORD speed);

  CTwinhanGraph m_graph;
  int m_iCardType = 0;
  std::unique_ptr<CCamDataObject> m_pCamData;  // cards with a CAM slot only
  std::unique_ptr<CCIMenuDialog> m_pCamDialog;  // while a device is open
  std::unique_ptr<CVideoWindows> m_pWindows;
  bool m_bRendered = false;
  BOOL m_bAC3Mode = FALSE;  // never set: the card's AC-3 goes to the host as PES

  CCriticalSection m_filterLock;  // guards the PIDs below and m_filters
  WORD m_wVideoPid = 0, m_wAudioPid = 0, m_wAc3Pid = 0;
  CHostFilterList m_filters;
  CDVBRecorder m_recorder;
  std::atomic<DWORD> m_dwBytes{0};  // received on the current PIDs since the last tick
};
