// The application object of a hardware module: one per module DLL, holding
// what the host handed over (log function, capability and status records,
// window), the profile values, the filter list, volume and mute, and the
// status timer. The exports (ModuleExports.cpp) reach it through
// ModuleApp(); each module derives from it and supplies its device's
// behaviour through the virtual functions below.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>

#include <framework/WinApp.h>

#include "FilterList.h"
#include "ModuleHostLink.h"
#include "ModuleKind.h"
#include "VolumeControl.h"

// The front end's signal record.
struct SIGNAL_TYPE {
  double dBER;
  WORD wLevel;
  WORD wQuality;
};

// What the renderer tells about the picture; all 0 without a video graph.
struct VideoInfo {
  int width = 0, height = 0;
  int aspectX = 0, aspectY = 0;
};

// The module's profile values ("heronV1"), read at start and written at exit.
struct ModuleProfile {
  int monitorMode = 0;  // 1 16:9 monitor, 0 4:3
  long lastVolume = 0;
  int xScale = 0, yScale = 0;
  RECT freeWindow = {0, 0, 640, 480};
};

class CModuleApp : public CWinApp {
 public:
  static constexpr char kVersion[] = "1.41";

  CModuleApp(ModuleKind kind, const char* name, const char* title);
  CModuleApp(const CModuleApp&) = delete;
  CModuleApp& operator=(const CModuleApp&) = delete;

  BOOL InitInstance() override;
  int ExitInstance() override;

  // ------------------------------------------------ what every module shares
  int QLONExModule(PFN_MODULE_LOG log, MODULE_CAPABILITIES* caps, MODULE_STATUS* status, HWND hostWindow);
  int ModuleInfo(int index, char* title, char* deviceName, char* version);
  int InitDVBHardware(int index);
  int CloseDVBHardware();
  int SetTunerChannel(const CHANNEL_TYPE& tuning, DVB_CHANNELS* channel);
  int SetPidsShared(WORD video, WORD audio, WORD third, WORD ac3);
  // The renderer's volume and mute (harrier: the card's, with treble and bass).
  virtual int SetVolume(int volume, int treble, int bass);
  virtual int SetMute();
  // After a graph rebuild: the current volume or mute again.
  void ReapplyVolume() { m_Volume.Reapply(Renderer()); }
  void SetApplicationHandle(HWND window) { m_hHostWnd = window; }
  HWND HostWindow() const { return m_hHostWnd; }
  CFilterList& Filters() { return *m_pFilters; }
  const ModuleHostLink& Host() const { return m_host; }
  const char* SourceName() const { return m_strSource; }
  const ModuleProfile& Profile() const { return m_profile; }
  ModuleProfile& Profile() { return m_profile; }  // the video windows keep the placement in it
  // Counted by the stream path for the data rate.
  void CountReceived(DWORD bytes) { m_dwBytesCounted += bytes; }

  // One status-timer tick (the timer calls it every TimerPeriodMs()); a
  // module whose device reports its state its own way replaces it.
  virtual void OnStatusTick();

  // --------------------------------------------- what each module supplies
  virtual int GetDeviceCount() = 0;
  // The name of device index for _QLONExModuleInfo; false when there is no
  // such device, and _QLONExModuleInfo then writes nothing and answers 0.
  virtual bool DeviceName(int index, CString* name) = 0;
  virtual BOOL OpenDevice(int index) = 0;
  virtual int CloseDevice() = 0;
  // FALSE when the front end could not answer (what it wrote still counts).
  virtual BOOL GetState(BOOL* locked, SIGNAL_TYPE* signal) = 0;
  virtual VideoInfo GetVideoInfo() { return VideoInfo(); }
  // The renderer's audio volume in hundredths of a decibel; FALSE when refused.
  virtual BOOL PutAudioVolume(long) { return FALSE; }
  virtual bool HasGraph() const { return false; }
  virtual std::unique_ptr<CHostFilter> MakeFilter() = 0;
  // _StartFilter and _StopFilter: on the filter list by default; a module
  // that keeps its own filters overrides both.
  virtual int StartFilter(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length,
                          PFN_FILTER_CALLBACK callback, void* context) {
    return Filters().Start(type, pid, match, mask, length, callback, context);
  }
  virtual int StopFilter(void* context) { return Filters().Stop(context); }
  virtual int Tune(const CHANNEL_TYPE& tuning) = 0;
  virtual int SetPids(WORD video, WORD audio, WORD third, WORD ac3) = 0;
  virtual int CreateVideoWindow(HWND parent, int screenMode) = 0;
  virtual int SetWindowPositions(HWND after, int left, int top, int right, int bottom) = 0;
  virtual HWND GetVideoWindowHandle() = 0;
  virtual int SetColorValues(int, int, int) { return 0; }
  virtual int SendDiSEqC(const BYTE*, BYTE, BYTE) { return kModuleFailed; }
  virtual int StartTeletext(PFN_TELETEXT_CALLBACK, WORD) { return kModuleBadArgument; }
  virtual int StopTeletext() { return kModuleFailed; }
  virtual int StartPlayback(const char*) { return kModuleBadArgument; }
  virtual int SpeedRecPlay(int) { return kModuleWrongState; }
  virtual int StopRecPlay() { return kModuleBadArgument; }
  virtual int SeekPlayback(int) { return kModuleWrongState; }
  virtual void FillDeviceMAC(char*) {}
  virtual void OpenDeviceDependentProperties() {}
  virtual void EnterCAMDialog(int, int) {}
  virtual void SetBobMode(int) {}
  virtual int MakeSnapshot(const char*, int) { return 0; }
  // _SetDolbyMode: the AC-3 mode flag after the host's request (most modules
  // ignore the request).
  virtual int SetDolbyMode(int) { return 0; }

 protected:
  // Module differences in the shared steps.
  virtual DWORD AvCapabilities() { return 0; }
  virtual UINT TimerPeriodMs() const { return 1000; }
  // true: the status timer runs from module start to module exit, not from
  // _InitDVBHardware to _CloseDVBHardware.
  virtual bool TimerRunsWithModule() const { return false; }
  virtual bool ClearsOffset60() const { return true; }
  virtual bool HonoursNoChannel() const { return true; }
  virtual bool UsesRegistry() const { return true; }
  virtual bool UsesSockets() const { return true; }
  virtual long DefaultVolume() const { return 0; }
  // "lLastVolume" as the profile keeps it at exit.
  virtual long LastVolume() const { return m_Volume.LastVolume(); }
  // false: _SetPids with all PIDs 0 leaves the status record's channel alone.
  virtual bool ForgetsChannelWithoutPids() const { return true; }
  // The host's capability record (null before _QLONExModule).
  MODULE_CAPABILITIES* Capabilities() const { return m_pCaps; }
  // Record and playback fields of the status record (modules that record or play).
  virtual void UpdateRecordFields(MODULE_STATUS*) {}

  // The status timer: a thread timer without window, on the calling thread.
  // Starting it while it runs, or stopping it while it is stopped, does nothing.
  void StartStatusTimer();
  void StopStatusTimer();

 private:
  static void CALLBACK StatusTimerProc(HWND, UINT, UINT_PTR, DWORD);
  void ReadProfile();
  void WriteProfile();
  CVolumeControl::Renderer Renderer();

  const ModuleKind m_kind;
  const char* const m_pszName;
  const char* const m_pszTitle;
  CString m_strSource;  // ".\<name>", the source name in the host's log
  ModuleHostLink m_host;
  MODULE_CAPABILITIES* m_pCaps = nullptr;
  HWND m_hHostWnd = nullptr;
  ModuleProfile m_profile;
  CVolumeControl m_Volume;
  std::unique_ptr<CFilterList> m_pFilters;
  UINT_PTR m_nStatusTimer = 0;
  bool m_bSockets = false;  // WSAStartup succeeded
  std::atomic<DWORD> m_dwBytesCounted{0};
};

// This module's application object.
CModuleApp& ModuleApp();
