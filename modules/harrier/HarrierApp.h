// harrier's application object: the hardware module for the premium cards
// that decode audio and video themselves and show the picture in their own
// overlay window, so that no playback graph is built. It drives the card
// through the card library (cardlink): boot, front end, the overlay display,
// the A/V decoder with volume, treble and bass, media files played through
// the card, host filters, teletext and the common interface with its CAM
// menu dialog.
//
// Threads: the exports and the status timer run on the host's thread; host
// filters and teletext deliver on the card library's worker threads, the
// common interface on its CI thread. m_csFilters guards the filter list,
// m_csRecPlay the media file's position between seeking and the timer.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include <DVBAVControl.h>
#include <DVBBoardControl.h>
#include <DVBFrontend.h>
#include <DVBRecPlayFile.h>
#include <DVBVideoDisplay.h>

#include "CAMMenuDialog.h"
#include "CommonInterface.h"
#include "FullscreenDialog.h"
#include "HarrierFilters.h"
#include "ModuleApp.h"

class CHarrierApp : public CModuleApp, public ICamHost {
 public:
  static constexpr char kAppId[] = "QLON_ZEPHRA_EDITION";

  CHarrierApp();
  BOOL InitInstance() override;
  int ExitInstance() override;

  // CModuleApp
  int GetDeviceCount() override;
  bool DeviceName(int index, CString* name) override;
  BOOL OpenDevice(int index) override;
  int CloseDevice() override;
  BOOL GetState(BOOL* locked, SIGNAL_TYPE* signal) override;
  std::unique_ptr<CHostFilter> MakeFilter() override { return std::make_unique<CCardHostFilter>(); }
  int StartFilter(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length, PFN_FILTER_CALLBACK callback,
                  void* context) override;
  int StopFilter(void* context) override;
  int Tune(const CHANNEL_TYPE& tuning) override;
  int SetPids(WORD video, WORD audio, WORD third, WORD ac3) override;
  int CreateVideoWindow(HWND parent, int screenMode) override { return SwitchVideoWindow(parent, screenMode, false); }
  int SetWindowPositions(HWND after, int left, int top, int right, int bottom) override;
  HWND GetVideoWindowHandle() override { return m_hVideoWnd; }
  int SetColorValues(int first, int second, int third) override;
  int SetVolume(int volume, int treble, int bass) override;
  int SetMute() override;
  int SendDiSEqC(const BYTE* message, BYTE length, BYTE burst) override;
  int StartTeletext(PFN_TELETEXT_CALLBACK callback, WORD pid) override;
  int StopTeletext() override;
  int StartPlayback(const char* file) override;
  int SpeedRecPlay(int speed) override;
  int StopRecPlay() override;
  int SeekPlayback(int perMille) override;
  void FillDeviceMAC(char* text) override;
  void EnterCAMDialog(int command, int value) override;
  void SetBobMode(int on) override;
  void OnStatusTick() override;

  // harrier's own exports.
  int SetSurface(int kind);
  int SetADSwitch(int input);

  // ICamHost
  HWND HostWindow() override { return CModuleApp::HostWindow(); }
  const DVB_CHANNELS* CurrentChannel() override;
  void PostGraphRestart() override {}  // no graph: the card decodes by itself

 protected:
  DWORD AvCapabilities() override { return m_AVControl.m_dwCapabilities; }
  UINT TimerPeriodMs() const override { return 500; }
  long DefaultVolume() const override { return 75; }
  long LastVolume() const override { return Profile().lastVolume; }
  bool ForgetsChannelWithoutPids() const override { return false; }

 private:
  // Record and playback states of the status record.
  enum RecPlayState { kIdle = 0, kPlaying = 1, kRecording = 2, kPlayerPlaying = 3, kAutoMute = 6 };
  enum ScreenMode { kNoWindow = 0, kChild = 1, kFullScreen = 3, kFree = 4 };

  template <typename... Args>
  void Log(int line, int level, const char* format, Args... args) const {
    Host().Log(SourceName(), line, level, format, args...);
  }
  MODULE_STATUS* Status() const { return Host().m_pStatus; }
  int RecPlayState() const { return Status() ? static_cast<int>(Status()->m_iRecPlayState) : kIdle; }
  bool Wide() const { return Profile().monitorMode == 1; }
  int XScale() const { return Status() ? Status()->m_iXScale : 0; }
  int YScale() const { return Status() ? Status()->m_iYScale : 0; }
  // The folder of this DLL, ending in a backslash.
  static CString ModuleFolder();
  // The boot folder of "Quillon.ini", ending in a backslash.
  static CString BootFolder();
  bool BootFirmware();
  void OpenCommonInterface();
  void CloseCommonInterface();
  void ReleaseFilters();

  // The video window switch behind _CreateVideoWindow (keep false),
  // _DeleteVideoWindow (mode 0) and _SetSurface (keep true: the full-screen
  // dialog stays for the window made again); 1 or 0.
  int SwitchVideoWindow(HWND parent, int mode, bool keep);
  bool CloseVideoWindow(bool keep);
  void OpenFullScreen();
  void DestroyFullscreen();
  void ApplyTopMost(HWND window) const;
  void SetScreenMode(int mode);
  // The surface kind the display reports into m_DDMode and the status
  // record; fallback is written there when it is none of 0..3.
  void ReadSurfaceKind(int fallback);

  // The card's objects, constructed in this order and destroyed in reverse.
  CDVBBoardControl m_Board;
  CDVBFrontend m_Frontend;
  CDVBVideoDisplay m_Display{0};
  CDVBAVControl m_AVControl;
  CDVBRecPlayFile m_RecPlay;

  WORD m_wDeviceIndex = 0;
  int m_nFrontendType = 0;
  std::unique_ptr<CCommonInterface> m_pCI;
  std::unique_ptr<CCAMMenuDialog> m_pCamDialog;
  bool m_bCIReady = false;
  std::unique_ptr<CHostTeletext> m_pTeletext;

  CCriticalSection m_csFilters;  // guards m_Filters
  std::vector<std::unique_ptr<CCardHostFilter>> m_Filters;
  CCriticalSection m_csRecPlay;  // serialises seeking with the timer's status reading

  int m_DDMode = 0;  // the overlay surface kind (profile "Setup"/"m_DDMode")
  BYTE m_PictureParams[3] = {128, 128, 128};
  HWND m_hVideoWnd = nullptr;
  HWND m_hVideoParent = nullptr;
  std::unique_ptr<CFullscreenDialog> m_pFullscreen;
  int m_iScreenMode = kNoWindow;
  bool m_bMuted = false;
  bool m_bAutoMuted = false;  // muted by record/play state 6
};
