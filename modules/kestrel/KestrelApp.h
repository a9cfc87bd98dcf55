// kestrel's application object: the hardware module for the cards reached
// only through their MPEG-2 source filter. The card graph (CB2FilterGraph)
// carries the filter's controls; the transport-stream callback feeds the
// recorder (and through it the host's PES tap) and the host's filters; the
// first video window creates the AV control, which plays the card's own
// output pins through the installed decoders.
//
// Threads: the exports and the status timer run on the host's thread; the
// filter calls the transport-stream and AV callbacks on its own threads.
// m_deviceLock keeps those callbacks off the module while the host's thread
// takes the device down: a callback runs only while m_bDelivering is set and
// holds the lock for its whole run, and the host's thread clears the flag
// under the lock before it resets the callbacks and releases the graph, so
// no callback touches a module that is letting the card go, even when the
// filter failed to reset a callback.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

#include <framework/SyncObject.h>

#include "B2AVControl.h"
#include "B2FilterGraph.h"
#include "DVBRecorder.h"
#include "HostFilterList.h"
#include "ModuleApp.h"
#include "VideoGraph.h"
#include "VideoWindows.h"

class CKestrelApp : public CModuleApp, public IVideoGraph {
 public:
  // WM_COMMAND sent to the host when the card's pins cannot be played.
  static constexpr WPARAM kAVFailedCommand = 32957;

  CKestrelApp();
  int ExitInstance() override;

  // CModuleApp
  int GetDeviceCount() override;
  bool DeviceName(int index, CString* name) override;
  BOOL OpenDevice(int index) override;
  int CloseDevice() override;
  BOOL GetState(BOOL*, SIGNAL_TYPE*) override { return FALSE; }  // the status timer is kestrel's own
  void OnStatusTick() override;
  BOOL PutAudioVolume(long volume) override;
  bool HasGraph() const override { return static_cast<bool>(m_pGraph); }
  std::unique_ptr<CHostFilter> MakeFilter() override { return nullptr; }  // kestrel's filters are its own
  int StartFilter(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length, PFN_FILTER_CALLBACK callback,
                  void* context) override;
  int StopFilter(void* context) override;
  int Tune(const CHANNEL_TYPE& tuning) override;
  int SetPids(WORD video, WORD audio, WORD third, WORD ac3) override;
  int CreateVideoWindow(HWND parent, int screenMode) override;
  int SetWindowPositions(HWND after, int left, int top, int right, int bottom) override;
  HWND GetVideoWindowHandle() override;
  int SendDiSEqC(const BYTE* message, BYTE length, BYTE burst) override;
  int StartTeletext(PFN_TELETEXT_CALLBACK, WORD) override { return kModuleBadArgument; }
  int StopTeletext() override { return kModuleFailed; }
  int SpeedRecPlay(int speed) override;
  int StopRecPlay() override;
  int SeekPlayback(int perMille) override;
  void FillDeviceMAC(char* text) override;
  int MakeSnapshot(const char* file, int toClipboard) override;

  // IVideoGraph: the card graph behind the video windows.
  void Attach(CWnd* videoChild) override;
  void Release() override;
  bool IsRunning() const override;
  bool Follow(CWnd* videoChild) override;
  bool GetCurrentImage(std::vector<BYTE>* dib) override;

  // The filter's callbacks (its threads).
  static UINT WINAPI OnTsPacket(USHORT pid, BYTE* packet);
  static UINT WINAPI OnVideoInfo(USHORT width, USHORT height, DWORD aspect);

 private:
  template <typename... Args>
  void Log(int line, int level, const char* format, Args... args) const {
    Host().Log(SourceName(), line, level, format, args...);
  }
  // A card call's failure shown in a message box titled "B2C2 TunerCtrl".
  void TunerBox(const char* format, HRESULT hr) const;
  void StopDevice();
  void DeliverPacket(USHORT pid, BYTE* packet);
  void OnPicture(USHORT width, USHORT height, DWORD aspect);
  void PollTuner();
  void UpdateAspect(MODULE_STATUS* status);
  void UpdateRecordFields(MODULE_STATUS* status) override;
  int StopFilterLocked(void* context);
  void DestroyAVControl();
  HRESULT TimeshiftSize(LONGLONG* size);

  CDVBRecorder m_recorder;
  std::unique_ptr<CVideoWindows> m_pWindows;

  CCriticalSection m_deviceLock;  // guards m_bDelivering; held by the callbacks while they run
  bool m_bDelivering = false;

  CCriticalSection m_filterLock;  // guards m_filters
  CHostFilterList m_filters;
  bool m_bStatsReset = false;  // the reception statistics were reset after a PID was added

  std::unique_ptr<CB2FilterGraph> m_pGraph;
  std::unique_ptr<CB2AVControl> m_pAVControl;
  IB2C2MPEG2TunerCtrl2* m_pTunerCtrl = nullptr;  // copies of the graph's, which holds them
  IB2C2MPEG2DataCtrl4* m_pDataCtrl = nullptr;
  IB2C2MPEG2AVCtrl* m_pAVCtrl = nullptr;
  B2C2TunerCapabilities m_tunerCaps = {};

  std::atomic<WORD> m_wVideoPid{0}, m_wAudioPid{0}, m_wAc3Pid{0};
  std::atomic<DWORD> m_dwBytes{0};  // 188 for each packet handed to the recorder
  std::atomic<int> m_iWidth{0}, m_iHeight{0};
  std::atomic<int> m_iAutoMonitorMode{0};  // 1 when the card reports a 16:9 picture

  // The last status poll.
  long m_lSignalStrength = 0, m_lSignalQuality = 0;
  float m_fSNR = 0, m_fBER = 0;
  long m_lUncorrectedBlocks = 0, m_lTotalBlocks = 0;
};
