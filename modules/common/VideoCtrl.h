// The playback graph of the modules that decode in software: a borderless
// child window that owns one DirectShow graph of heron's source filter, the
// MPEG-2 video and audio decoders chosen by the user (or by the graph) and
// the Video Mixing Renderer 7, whose video window it keeps fitted at 4:3 or
// 16:9 inside the module's video frame window. It passes the module's PES
// packets on to heron, rebuilds the decoder chain when the stream changes,
// and keeps the decoder preferences in the settings file "heron.ini".
//
// Threads: everything but DeliverVideoPES and DeliverAudioPES runs on the
// host's window thread. The two deliveries run on device threads; they use
// heron's feed only under m_feedLock, which ReleaseGraph also takes to let
// go of the feed, so a packet never reaches a released filter.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <vfwmsgs.h>
#include <strmif.h>

#include <ComPtr.h>
#include <ISourceFeed.h>
#include <framework/SyncObject.h>
#include <framework/Wnd.h>

#include "DecoderList.h"
#include "FilterPreferences.h"
#include "ModuleInterface.h"

class CVideoCtrl : public CWnd {
  DECLARE_DYNAMIC(CVideoCtrl)
 public:
  static constexpr UINT kDefaultHostCommand = 32777;
  static constexpr UINT kVideoFailedCommand = 32989;
  static constexpr UINT_PTR kAspectTimer = 100;
  static constexpr int kRendererBorder = 15;  // pixels beyond each edge of the picture
  static constexpr DWORD kRestartSettleMs = 500;
  // Posted to the controller by other threads that need the graph restarted
  // (stop, restart without AC-3 and H.264, run): the restart runs on the
  // controller's thread, like every other.
  static constexpr UINT kPostedRestartMessage = WM_APP + 0x102;

  // Reads the settings and lists the installed decoders; becomes the
  // module's current controller.
  CVideoCtrl();
  ~CVideoCtrl() override;
  CVideoCtrl(const CVideoCtrl&) = delete;
  CVideoCtrl& operator=(const CVideoCtrl&) = delete;

  // The module's current controller (the last constructed that still lives).
  static CVideoCtrl* Current();

  void SetHost(PFN_MODULE_LOG log, HWND commandWindow, UINT hostCommand);
  BOOL PreCreateWindow(CREATESTRUCT& cs) override;

  HRESULT BuildGraph();
  HRESULT ReleaseGraph();
  HRESULT StartGraph();
  HRESULT StopGraph();
  void PauseGraph();
  HRESULT RestartGraph(BOOL ac3, BOOL h264);
  HRESULT SetVideoOwner(CWnd* frame);
  HRESULT UpdateVideoWindow(CWnd* frame);

  // Device threads: one PES packet to heron (nothing without a graph).
  void DeliverVideoPES(BYTE* packet, LONG length);
  void DeliverAudioPES(BYTE* packet, LONG length);

  // The preferences dialog; after OK the command window gets the host
  // command twice. The dialog's result.
  INT_PTR ShowPreferences();

  // The current picture as a packed DIB (header, colour table, pixels);
  // false without a renderer or when it gives none.
  bool GetCurrentImage(std::vector<BYTE>* dib);

  // The four settings ("heron.ini", section "Quillon"): 0 is the graph's
  // own choice, n the n-th listed decoder.
  int m_nVideoDecoder = 0;
  int m_nAudioDecoder = 0;
  int m_nVideoRenderer = 0;  // shown and kept; the renderer is always the VMR-7
  int m_nBobMode = 0;

  const DecoderList& VideoDecoders() const { return m_VideoDecoders; }
  const DecoderList& AudioDecoders() const { return m_AudioDecoders; }
  IFilterGraph2* Graph() const { return m_pGraph.Get(); }
  bool IsBuilt() const { return m_bBuilt; }
  bool IsRunning() const { return m_bRunning; }
  bool HasFailed() const { return m_bFailed; }
  bool IsWide() const { return m_b16to9; }
  BOOL Ac3Mode() const { return m_bAC3; }

 protected:
  afx_msg void OnTimer(UINT_PTR nIDEvent);
  afx_msg LRESULT OnPostedRestart(WPARAM, LPARAM);
  DECLARE_MESSAGE_MAP()

 private:
  // Logs through the module's log function under this unit's source name.
  template <typename... Args>
  void Log(int line, int level, const char* format, Args... args) const {
    if (m_pfnLog) m_pfnLog("VideoCtrl.cpp", line, level, format, args...);
  }
  void ReadSettings();
  void WriteSettings() const;
  void ReleaseInterfaces();
  HRESULT RenderSourcePins();
  bool RenderVideoPin(IPin* pin);
  bool RenderAudioPin(IPin* pin);
  HRESULT ConnectToDecoder(IBaseFilter* upstream, IBaseFilter* downstream);
  void RemoveDecoders();
  void RemoveAllFilters();
  void RegisterInRot();
  void RevokeFromRot();
  void AddRenderer();

  UINT m_nHostCommand = kDefaultHostCommand;
  ComPtr<IFilterGraph2> m_pGraph;
  ComPtr<IMediaControl> m_pMediaControl;
  ComPtr<IVideoWindow> m_pVideoWindow;
  ComPtr<IBasicVideo> m_pBasicVideo;  // the renderer's
  ComPtr<IBasicAudio> m_pBasicAudio;
  ComPtr<IBaseFilter> m_pSource;
  ComPtr<IBaseFilter> m_pPrefVideoDecoder, m_pPrefAudioDecoder;
  ComPtr<IBaseFilter> m_pRenderer;
  CCriticalSection m_feedLock;  // guards m_pVideoCtrl
  ComPtr<ISourceFeed> m_pVideoCtrl;
  bool m_bBuilt = false, m_bRunning = false, m_bFailed = false;
  DecoderList m_VideoDecoders, m_AudioDecoders;
  DWORD m_dwRotKey = 0;
  CFilterPreferences m_dlgPreferences;
  BOOL m_bAC3 = FALSE;
  bool m_b16to9 = false;
  CWnd* m_pVideoFrame = nullptr;
  HWND m_hCommandWindow = nullptr;
  PFN_MODULE_LOG m_pfnLog = nullptr;
};
