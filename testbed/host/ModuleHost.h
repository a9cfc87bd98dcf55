// The module side of the stand-in host: loads a hardware module by file
// name, binds every export by name and calls them in the host's order. It
// owns what the host owns at that interface: the capability and status
// records (filled with a sentinel, so that one sees which cells the module
// wrote), the info buffers, the channel records handed to _SetTunerChannel,
// the log function, the filter, teletext and PES-tap callbacks (safe on any
// thread), and a window that records the messages the module sends it.
// One module host per process: the callbacks have no context to find it by.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include <framework/SyncObject.h>

#include "DvbChannels.h"
#include "ModuleExportTypes.h"
#include "ModuleInterface.h"

class CHostLog;
class CPluginHost;

class CModuleHost {
 public:
  static constexpr DWORD kSentinel = 0xA5A5A5A5;

  struct LogLine {
    std::string file;
    int line;
    int level;
    std::string text;
  };

  // The exports, bound by name, of the types the module pins them to;
  // MakeSnapshot and SetDolbyMode are null in a module that does not export
  // them, SetSurface and SetADSwitch in every module but harrier.
  struct Exports {
    moduleexports::QLONExModule QLONExModule;
    moduleexports::InitDVBHardware InitDVBHardware;
    moduleexports::CloseDVBHardware CloseDVBHardware;
    moduleexports::GetDeviceID GetDeviceID;
    moduleexports::CreateVideoWindow CreateVideoWindow;
    moduleexports::DeleteVideoWindow DeleteVideoWindow;
    moduleexports::SetWindowPositions SetWindowPositions;
    moduleexports::SetScreenMode SetScreenMode;
    moduleexports::GetVideoWindowHandle GetVideoWindowHandle;
    moduleexports::SetColorValues SetColorValues;
    moduleexports::SetVolume SetVolume;
    moduleexports::SetMute SetMute;
    moduleexports::SetTunerChannel SetTunerChannel;
    moduleexports::SetTunerStateCallback SetTunerStateCallback;
    moduleexports::SendDiSEqC SendDiSEqC;
    moduleexports::StartPlayback StartPlayback;
    moduleexports::StartRecord StartRecord;
    moduleexports::StartTimeshift StartTimeshift;
    moduleexports::SpeedRecPlay SpeedRecPlay;
    moduleexports::StartFilter StartFilter;
    moduleexports::StopFilter StopFilter;
    moduleexports::StartTeletext StartTeletext;
    moduleexports::StopTeletext StopTeletext;
    moduleexports::HasDeviceRemote HasDeviceRemote;
    moduleexports::StartRemote StartRemote;
    moduleexports::StopRemote StopRemote;
    moduleexports::GetDeviceMAC GetDeviceMAC;
    moduleexports::OpenDeviceDependentProperties OpenDeviceDependentProperties;
    moduleexports::EnterCAMDialog EnterCAMDialog;
    moduleexports::SetPids SetPids;
    moduleexports::StopRecPlay StopRecPlay;
    moduleexports::SeekPlayback SeekPlayback;
    moduleexports::SetBobMode SetBobMode;
    moduleexports::QLONExModuleInfo QLONExModuleInfo;
    moduleexports::SetApplicationHandle SetApplicationHandle;
    moduleexports::MakeSnapshot MakeSnapshot;
    moduleexports::SetDolbyMode SetDolbyMode;
    moduleexports::GetDeviceCount GetDeviceCount;
    moduleexports::SetSurface SetSurface;    // harrier only
    moduleexports::SetADSwitch SetADSwitch;  // harrier only
  };

  CModuleHost();
  CModuleHost(const CModuleHost&) = delete;
  CModuleHost& operator=(const CModuleHost&) = delete;
  ~CModuleHost();

  // False with error set when the library or one of its exports is missing.
  bool Load(const std::string& path, std::string* error);
  void Unload();
  bool IsLoaded() const { return m_module != nullptr; }

  // The records refilled with the sentinel; the host's own fields cleared.
  void ResetRecords();
  // The host's order up to an open device: _QLONExModule, _GetDeviceCount,
  // _QLONExModuleInfo per device, _SetApplicationHandle, _InitDVBHardware.
  // The result of _InitDVBHardware; -1 when _QLONExModule refused.
  int Open(int device);
  // _DeleteVideoWindow, then _CloseDVBHardware's result.
  int Close();

  // Dispatches this thread's messages (the module's timer among them) until
  // done() holds or limitMs pass; whether done() held. A quit message ends
  // it too, and stays queued for the host's loop.
  bool PumpUntil(const std::function<bool()>& done, DWORD limitMs);

  // Shows the window at the screen's top left with a client area of width x height.
  void ShowWindowSized(int width, int height);
  // The user closed the window (it stays, for the module's windows in it).
  bool Closed() const { return m_closed; }

  // Lines logged so far; the count of lines whose text contains part.
  std::vector<LogLine> Log();
  size_t LogCount(const std::string& part);
  void ClearLog();
  // Filter blocks ("context: data") and teletext blocks received, on any thread.
  std::vector<std::string> FilterData();
  size_t TeletextBlocks() const { return m_teletextBlocks; }
  // PES packets the tap received, and whether one came on another thread.
  size_t PesPackets() const { return m_pesPackets; }
  bool PesFromOtherThread() const { return m_pesOtherThread; }
  // Keeps a copy of each tapped packet from now on (the first kKeptTaps),
  // pack header included; the copies kept so far.
  static constexpr size_t kKeptTaps = 20000;
  void KeepTapped(bool keep);
  std::vector<std::vector<BYTE>> TappedPackets();
  // Forwards every tapped packet, without its pack header, to a loaded plug-in too.
  void ForwardPesTo(CPluginHost* plugin) { m_plugin = plugin; }
  // Copies every line the module logs into the host's log too.
  void MirrorLogTo(CHostLog* log) { m_mirror = log; }
  // Messages the module sent the host window.
  size_t PaintMessages() const { return m_paints; }
  std::vector<WPARAM> Commands();

  HWND Window() const { return m_window; }
  static PFN_MODULE_LOG LogFunction() { return &OnLog; }
  static PFN_FILTER_CALLBACK FilterCallback() { return &OnFilterData; }
  static PFN_TELETEXT_CALLBACK TeletextCallback() { return &OnTeletext; }

  Exports fn = {};
  MODULE_CAPABILITIES caps;
  MODULE_STATUS status;
  // A data rate above 0 written by a status tick (the record starts filled
  // with the sentinel).
  bool HasDataRate() const { return status.m_iDataRate != kSentinel && status.m_iDataRate > 0; }
  char title[256], deviceName[256], version[16];
  std::vector<std::string> devices;  // "title|name|version" per device listed by Open
  DVB_CHANNELS channel = {};  // no list: a record of zeros

 private:
  static int __cdecl OnLog(const char* file, int line, int level, const char* format, ...);
  static int __cdecl OnFilterData(void* context, const BYTE* data, int length);
  static int __cdecl OnTeletext(const BYTE* data, int length);
  static int __cdecl OnPes(const BYTE* data, int length);
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HMODULE m_module = nullptr;
  HWND m_window = nullptr;
  DWORD m_threadId;
  CCriticalSection m_lock;  // guards m_log, m_filterData, m_commands, m_tapped
  std::vector<LogLine> m_log;
  std::vector<std::string> m_filterData;
  std::vector<WPARAM> m_commands;
  std::atomic<bool> m_keepTapped{false};
  std::vector<std::vector<BYTE>> m_tapped;
  std::atomic<size_t> m_teletextBlocks{0}, m_pesPackets{0}, m_paints{0};
  std::atomic<bool> m_pesOtherThread{false};
  bool m_closed = false;
  CPluginHost* m_plugin = nullptr;
  CHostLog* m_mirror = nullptr;
};
