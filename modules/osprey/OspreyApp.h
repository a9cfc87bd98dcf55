// osprey's application object: the hardware module for any DVB-S, DVB-T or
// DVB-C receiver with a BDA driver. Its devices are the machine's BDA
// network tuners; its picture comes from the BDA graph (CBDACore), built
// when the host creates the video window; the TS grabber's packets feed the
// recorder (and through it the host's PES tap) and the host's filters.
//
// Threads: the exports and the status timer run on the host's thread; the
// grabber's callback on its streaming thread, where it reaches only the
// router and the recorder, which live as long as the module, and only while
// delivery is open: from a built graph until the graph is released. Closing
// waits for a callback that is running, so that none reaches the recorder,
// the host's tap or its filters once the host has released the graph, even
// when the graph's stop failed and the grabber goes on calling.
#pragma once

#include <windows.h>

#include <memory>

#include "BDACore.h"
#include "DVBRecorder.h"
#include "ModuleApp.h"
#include "TsRouter.h"
#include "VideoGraph.h"
#include "VideoWindows.h"

class COspreyApp : public CModuleApp, private IVideoGraph {
 public:
  static constexpr char kTitle[] = "Quillon Ex BDA S/C/T DVB Module";

  COspreyApp();
  BOOL InitInstance() override;
  int ExitInstance() override;

  // CModuleApp
  int GetDeviceCount() override { return static_cast<int>(m_devices.size()); }
  bool DeviceName(int index, CString* name) override;
  BOOL OpenDevice(int index) override;
  int CloseDevice() override;
  BOOL GetState(BOOL* locked, SIGNAL_TYPE* signal) override;
  VideoInfo GetVideoInfo() override;
  BOOL PutAudioVolume(long volume) override;
  bool HasGraph() const override { return m_pCore && m_pCore->GraphBuilt(); }
  std::unique_ptr<CHostFilter> MakeFilter() override { return nullptr; }
  int StartFilter(int type, WORD pid, const BYTE* match, const BYTE* mask, BYTE length, PFN_FILTER_CALLBACK callback,
                  void* context) override;
  int StopFilter(void* context) override;
  int Tune(const CHANNEL_TYPE& tuning) override;
  int SetPids(WORD video, WORD audio, WORD third, WORD ac3) override;
  int CreateVideoWindow(HWND parent, int screenMode) override;
  int SetWindowPositions(HWND after, int left, int top, int right, int bottom) override;
  HWND GetVideoWindowHandle() override;
  int SpeedRecPlay(int speed) override;
  int StopRecPlay() override;
  int SeekPlayback(int) override;
  void FillDeviceMAC(char* text) override;
  int MakeSnapshot(const char* file, int toClipboard) override;
  int SetDolbyMode(int) override { return m_bAC3Mode; }

 protected:
  bool HonoursNoChannel() const override { return false; }
  bool UsesRegistry() const override { return false; }
  bool UsesSockets() const override { return false; }
  void UpdateRecordFields(MODULE_STATUS* status) override;

 private:
  // The grabber's callback, on its streaming thread.
  static void __cdecl OnPacket(unsigned pid, const BYTE* packet);
  void OpenDelivery(bool open);

  // IVideoGraph, on the core's graph.
  void Attach(CWnd* videoChild) override;
  void Release() override;
  bool IsRunning() const override { return m_pCore && m_pCore->Running(); }
  bool Follow(CWnd* videoChild) override;
  bool GetCurrentImage(std::vector<BYTE>* dib) override;

  template <typename... Args>
  void Log(int line, int level, const char* format, Args... args) const {
    Host().Log(SourceName(), line, level, format, args...);
  }
  BdaModuleLink CoreLink();
  // Gives the grabber's PID of one of the module's own streams to the callback, or takes it back.
  void AddStreamPid(int stream, WORD pid);
  void RemoveStreamPid(int stream, WORD pid);

  DeviceList m_devices;
  BYTE m_nDeviceIndex = 0;
  std::unique_ptr<CBDACore> m_pCore;
  CHANNEL_TYPE m_lastTuning = {};
  CString m_strDeviceType;
  BOOL m_bUseVMR9 = FALSE;
  BOOL m_bBOBMode = TRUE;
  BOOL m_bAC3Mode = FALSE;  // never set: osprey leaves AC-3 to the graph
  DWORD m_lastQuality = 0;  // the statistics' signal quality at the last tick
  // The grabber contexts of the module's own video, audio and AC-3 PIDs.
  BYTE m_streamContexts[3] = {};

  CCriticalSection m_deliveryLock;  // guards m_bDelivering; held by the grabber's callback while it runs
  bool m_bDelivering = false;

  CDVBRecorder m_recorder;
  CTsRouter m_router;
  std::unique_ptr<CVideoWindows> m_pWindows;
};
