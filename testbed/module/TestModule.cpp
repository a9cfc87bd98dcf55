// A hardware module for tests, built on the common layer: a scripted front
// end (ModuleScript.h), filters and teletext that deliver from threads of
// their own as a device library does, and a stream source that feeds the
// transport stream named by QUILLON_TESTMODULE_TS through the recorder into
// the host's PES tap. Each build is of one module kind (TestModuleKind.h),
// which picks the capability column.
#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>
#include <thread>

#include <framework/Exception.h>
#include <framework/WorkerThread.h>

#include "DVBRecorder.h"
#include "ModuleApp.h"
#include "ModuleScript.h"
#include "TestModuleKind.h"

namespace {

// Delivers one block "filter PID" from a thread of its own once set.
class CTestFilter : public CHostFilter {
 public:
  ~CTestFilter() override { Join(); }
  int Set(int type, WORD pid, const BYTE*, const BYTE*, BYTE length) override {
    Join();
    ModuleApp().Host().Log(ModuleApp().SourceName(), __LINE__, kLogInfo, "filter set type=%d pid=%u length=%u", type,
                           pid, length);
    m_thread = std::thread([this, pid] {
      const std::string block = "filter " + std::to_string(pid);
      Forward(reinterpret_cast<const BYTE*>(block.data()), static_cast<int>(block.size()));
    });
    return 0;
  }
  int Remove() override {
    Join();
    return 0;
  }

 private:
  void Join() {
    if (m_thread.joinable()) m_thread.join();
  }
  std::thread m_thread;
};

class CTestModuleApp : public CModuleApp {
 public:
  CTestModuleApp()
      : CModuleApp(TestModuleKind(), "testmodule", "Quillon Ex Test S/C/T DVB Module"),
        m_script(ModuleScript::FromEnvironment()),
        m_recorder(Host(), RecorderModule::kestrel) {}

  int ExitInstance() override {
    StopStream();
    if (m_teletext.joinable()) m_teletext.join();
    return CModuleApp::ExitInstance();
  }

  int GetDeviceCount() override { return m_script.devices; }
  bool DeviceName(int index, CString* name) override {
    if (index < 0 || index >= m_script.devices) return false;
    name->Format("Test Device %d", index);
    return true;
  }
  BOOL OpenDevice(int index) override {
    if (index < 0 || index >= m_script.devices) return FALSE;
    if (m_script.boots) Boot();
    if (MODULE_STATUS* status = Host().m_pStatus) status->m_iFrontendType = 1;
    Host().Log(SourceName(), __LINE__, kLogInfo, "MOD_testmodule: device %d open", index);
    return TRUE;
  }
  int CloseDevice() override {
    StopStream();
    Host().Log(SourceName(), __LINE__, kLogInfo, "MOD_testmodule: device closed");
    return 1;
  }
  BOOL GetState(BOOL* locked, SIGNAL_TYPE* signal) override {
    const ScriptedState s = ForTick(m_script.states, m_tick);
    CountReceived(m_script.bytesPerTick);
    Host().Log(SourceName(), __LINE__, kLogInfo, "tick %u", static_cast<unsigned>(++m_tick));
    *locked = s.locked;
    *signal = s.signal;
    return s.ok;
  }
  VideoInfo GetVideoInfo() override { return ForTick(m_script.video, m_tick - 1); }
  BOOL PutAudioVolume(long volume) override {
    Host().Log(SourceName(), __LINE__, kLogInfo, "volume %ld", volume);
    return TRUE;
  }
  bool HasGraph() const override { return m_screenMode != 0; }
  std::unique_ptr<CHostFilter> MakeFilter() override { return std::make_unique<CTestFilter>(); }
  int Tune(const CHANNEL_TYPE& tuning) override {
    if (m_script.Throws("tune")) throw new CInvalidArgException(TRUE);
    Host().Log(SourceName(), __LINE__, kLogInfo, "tune %lu", static_cast<unsigned long>(tuning.words[0]));
    return 0;
  }
  int SetPids(WORD video, WORD audio, WORD, WORD) override {
    if (m_script.Throws("pids")) throw 42;
    for (WPARAM id : m_script.commands) SendMessage(HostWindow(), WM_COMMAND, id, 0);
    StopStream();
    if (video || audio) StartStream(video, audio);
    return 0;
  }
  int CreateVideoWindow(HWND, int screenMode) override {
    m_screenMode = screenMode;
    if (MODULE_STATUS* status = Host().m_pStatus) status->m_iScreenMode = static_cast<int16_t>(screenMode);
    return 1;
  }
  int SetWindowPositions(HWND, int, int, int, int) override { return HasGraph() ? 1 : 0; }
  HWND GetVideoWindowHandle() override { return nullptr; }
  int StartTeletext(PFN_TELETEXT_CALLBACK callback, WORD) override {
    if (m_teletext.joinable()) m_teletext.join();
    m_teletext = std::thread([callback] {
      BYTE page[46] = {0x02, 0x2C};
      callback(page, sizeof(page));
    });
    return 0;
  }
  int StopTeletext() override {
    if (m_teletext.joinable()) m_teletext.join();
    return 0;
  }
  void FillDeviceMAC(char* text) override { std::strcpy(text, "00-11-22-33-44-55"); }

 protected:
  bool TimerRunsWithModule() const override { return m_script.timerWithModule; }

 private:
  static constexpr WPARAM kBootedCommand = 4001;

  // Boots on a thread, as a device library does, while this export serves
  // the caller's messages; the boot notifies the host window on the way.
  void Boot() {
    HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const HWND window = HostWindow();
    std::thread boot([done, window] {
      PostMessage(window, WM_COMMAND, kBootedCommand, 0);
      SetEvent(done);
    });
    while (MsgWaitForMultipleObjects(1, &done, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
    }
    boot.join();
    // Serve what the boot posted before going on.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    CloseHandle(done);
  }

  static UINT StreamThread(LPVOID self) { return static_cast<CTestModuleApp*>(self)->Stream(); }

  void StartStream(WORD video, WORD audio) {
    m_video = video;
    m_audio = audio;
    m_stream.Start(&StreamThread, this);
  }
  void StopStream() { m_stream.Stop(5000); }

  // Feeds the transport stream once, packet by packet, routed by PID.
  UINT Stream() {
    std::ifstream in(Environment("QUILLON_TESTMODULE_TS"), std::ios::binary);
    BYTE packet[188];
    while (!m_stream.IsStopRequested() && in.read(reinterpret_cast<char*>(packet), sizeof(packet))) {
      const WORD pid = static_cast<WORD>((packet[1] & 0x1F) << 8 | packet[2]);
      CountReceived(sizeof(packet));
      if (pid == m_video) m_recorder.OnStreamData(0, packet, sizeof(packet));
      if (pid == m_audio) m_recorder.OnStreamData(1, packet, sizeof(packet));
    }
    Host().Log(SourceName(), __LINE__, kLogInfo, "stream ended");
    return 0;
  }

  ModuleScript m_script;
  CDVBRecorder m_recorder;
  CWorkerThread m_stream;
  WORD m_video = 0, m_audio = 0;  // set before the stream thread starts
  size_t m_tick = 0;              // the status timer's thread only
  int m_screenMode = 0;
  std::thread m_teletext;
};

CTestModuleApp theApp;

}  // namespace
