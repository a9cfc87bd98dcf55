// A hardware module for the run command and the host's playback tests, made
// like falcon: its "device" receives the PES packets of a file (named by
// QUILLON_PLAYMODULE_PES) on a thread of its own, at the stream's pace and
// in a loop, and hands them to the playback graph (heron, the decoders, the
// VMR-7) that the video windows of the common layer show. _SetPids restarts
// the graph as the stream changes; the device-dependent properties are the
// decoder preferences.
#include <windows.h>

#include <memory>
#include <string>

#include <framework/SingleLock.h>
#include <framework/WorkerThread.h>

#include "ModuleApp.h"
#include "PesLoop.h"
#include "PlaybackGraph.h"
#include "VideoWindows.h"

namespace {

constexpr DWORD kStopLimitMs = 5000;

std::string Environment(const char* name) {
  char value[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
  return n > 0 && n < sizeof(value) ? value : "";
}

class CNoFilter : public CHostFilter {
 public:
  int Set(int, WORD, const BYTE*, const BYTE*, BYTE) override { return 0; }
  int Remove() override { return 0; }
};

class CPlayModuleApp : public CModuleApp {
 public:
  CPlayModuleApp() : CModuleApp(ModuleKind::falcon, "playmodule", "Quillon Ex Test Player") {}

  int ExitInstance() override {
    m_stream.Stop(kStopLimitMs);
    m_windows.reset();
    m_graph.reset();
    return CModuleApp::ExitInstance();
  }

  int GetDeviceCount() override { return 1; }
  bool DeviceName(int, CString* name) override {
    *name = "Test Player";
    return true;
  }
  BOOL OpenDevice(int index) override {
    if (index != 0) return FALSE;
    std::vector<PesFilePacket> packets;
    std::string error;
    if (!ReadPesFile(Environment("QUILLON_PLAYMODULE_PES"), &packets, &error) || packets.empty()) {
      Host().Log(SourceName(), __LINE__, kLogError, "MOD_playmodule: no stream: %s", error.c_str());
      return FALSE;
    }
    m_loop = std::make_unique<CPesLoop>(std::move(packets));
    if (MODULE_STATUS* status = Host().m_pStatus) status->m_iFrontendType = 1;
    return TRUE;
  }
  int CloseDevice() override {
    m_stream.Stop(kStopLimitMs);
    return 1;
  }
  BOOL GetState(BOOL* locked, SIGNAL_TYPE* signal) override {
    *locked = TRUE;
    *signal = {0.0, 80, 90};
    return TRUE;
  }
  bool HasGraph() const override { return m_graph && m_graph->Ctrl(); }
  std::unique_ptr<CHostFilter> MakeFilter() override { return std::make_unique<CNoFilter>(); }
  int Tune(const CHANNEL_TYPE&) override { return 0; }

  // The stream starts first, so that packets of it queue in heron while the
  // restart waits for them. The controller goes only on this (the host's)
  // thread, so no lock is held across the restart: the stream goes on.
  int SetPids(WORD video, WORD audio, WORD, WORD ac3) override {
    if (!m_loop) return kModuleWrongState;
    if (!m_stream.IsRunning()) m_stream.Start(&StreamThread, this);
    if (CVideoCtrl* ctrl = m_graph ? m_graph->Ctrl() : nullptr) {
      ctrl->RestartGraph(ac3 != 0, FALSE);
      ctrl->StartGraph();
    }
    return (video || audio) ? 0 : kModuleBadArgument;
  }

  int CreateVideoWindow(HWND parent, int mode) override {
    CSingleLock lock(&m_graphLock, TRUE);
    if (!m_windows) {
      m_graph = std::make_unique<CPlaybackGraph>(Host().m_pfnLog, HostWindow());
      m_windows = std::make_unique<CVideoWindows>(ModuleKind::falcon, Host(), SourceName(), Profile(), *m_graph);
    }
    return m_windows->SetVideoWindow(HostWindow(), parent, mode);
  }
  int SetWindowPositions(HWND after, int left, int top, int right, int bottom) override {
    return m_windows ? m_windows->SetWindowPositions(after, left, top, right, bottom) : 0;
  }
  HWND GetVideoWindowHandle() override { return m_windows ? m_windows->VideoChild() : nullptr; }
  int MakeSnapshot(const char* file, int toClipboard) override {
    return m_windows ? m_windows->MakeSnapshot(HostWindow(), file, toClipboard) : 0;
  }
  void OpenDeviceDependentProperties() override {
    if (HasGraph()) {
      m_graph->Ctrl()->ShowPreferences();
      return;
    }
    CVideoCtrl preferences;  // reads and, when it goes, writes the settings
    preferences.SetHost(Host().m_pfnLog, HostWindow(), CVideoCtrl::kDefaultHostCommand);
    preferences.ShowPreferences();
  }

 private:
  static UINT StreamThread(LPVOID self) { return static_cast<CPlayModuleApp*>(self)->Stream(); }

  // Delivers each packet when it is due; the graph lock keeps the
  // controller alive while a packet goes in.
  UINT Stream() {
    const DWORD start = GetTickCount();
    while (!m_stream.IsStopRequested()) {
      int64_t due;
      bool video;
      const std::vector<uint8_t>& packet = m_loop->Next(&due, &video);
      const int64_t wait = due - static_cast<int64_t>(GetTickCount() - start);
      if (wait > 0 && m_stream.WaitForStop(static_cast<DWORD>(wait))) break;
      CountReceived(static_cast<DWORD>(packet.size()));
      CSingleLock lock(&m_graphLock, TRUE);
      CVideoCtrl* ctrl = m_graph ? m_graph->Ctrl() : nullptr;
      if (!ctrl) continue;
      BYTE* bytes = const_cast<BYTE*>(packet.data());
      if (video)
        ctrl->DeliverVideoPES(bytes, static_cast<LONG>(packet.size()));
      else
        ctrl->DeliverAudioPES(bytes, static_cast<LONG>(packet.size()));
    }
    return 0;
  }

  std::unique_ptr<CPesLoop> m_loop;  // set before the stream starts
  CWorkerThread m_stream;
  CCriticalSection m_graphLock;  // guards m_graph's controller against the stream thread
  std::unique_ptr<CPlaybackGraph> m_graph;
  std::unique_ptr<CVideoWindows> m_windows;
};

CPlayModuleApp theApp;

}  // namespace
