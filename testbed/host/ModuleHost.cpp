#include "ModuleHost.h"

#include <cstdarg>
#include <cstdio>
#include <algorithm>
#include <cstring>

#include <framework/SingleLock.h>

#include "HostLog.h"
#include "PluginHost.h"

namespace {

CModuleHost* g_pHost = nullptr;
const char kWindowClass[] = "QuillonModuleHost";

}  // namespace

CModuleHost::CModuleHost() : m_threadId(GetCurrentThreadId()) {
  g_pHost = this;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = &WindowProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = kWindowClass;
  RegisterClassA(&wc);
  m_window = CreateWindowA(kWindowClass, "Quillon modules", WS_OVERLAPPEDWINDOW, 0, 0, 320, 240, nullptr, nullptr,
                           wc.hInstance, nullptr);
  ResetRecords();
}

CModuleHost::~CModuleHost() {
  Unload();
  if (m_window) DestroyWindow(m_window);
  g_pHost = nullptr;
}

void CModuleHost::ResetRecords() {
  for (DWORD& f : caps.flags) f = kSentinel;
  std::memset(&status, 0xA5, sizeof(status));
  status.m_bTopMost = 0;
  status.m_bNoChannel = 0;
  status.m_iAspectMode = 0;
  status.m_iPlayBufferKB = 0;
  status.m_pfnPESCallback = &OnPes;
  status.m_bPESCallback = 1;
  std::memset(title, 0xA5, sizeof(title));
  std::memset(deviceName, 0xA5, sizeof(deviceName));
  std::memset(version, 0xA5, sizeof(version));
}

bool CModuleHost::Load(const std::string& path, std::string* error) {
  Unload();
  m_module = LoadLibraryA(path.c_str());
  if (!m_module) {
    *error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  struct Binding {
    const char* name;
    FARPROC* slot;
    bool optional;  // not every kind exports it (harrier has no snapshot and no Dolby mode, only it a surface)
  };
#define QUILLON_BIND(name) \
  { "_" #name, reinterpret_cast<FARPROC*>(&fn.name), false }
#define QUILLON_BIND_OPTIONAL(name) \
  { "_" #name, reinterpret_cast<FARPROC*>(&fn.name), true }
  const Binding bindings[] = {
      QUILLON_BIND(QLONExModule),
      QUILLON_BIND(InitDVBHardware),
      QUILLON_BIND(CloseDVBHardware),
      QUILLON_BIND(GetDeviceID),
      QUILLON_BIND(CreateVideoWindow),
      QUILLON_BIND(DeleteVideoWindow),
      QUILLON_BIND(SetWindowPositions),
      QUILLON_BIND(SetScreenMode),
      QUILLON_BIND(GetVideoWindowHandle),
      QUILLON_BIND(SetColorValues),
      QUILLON_BIND(SetVolume),
      QUILLON_BIND(SetMute),
      QUILLON_BIND(SetTunerChannel),
      QUILLON_BIND(SetTunerStateCallback),
      QUILLON_BIND(SendDiSEqC),
      QUILLON_BIND(StartPlayback),
      QUILLON_BIND(StartRecord),
      QUILLON_BIND(StartTimeshift),
      QUILLON_BIND(SpeedRecPlay),
      QUILLON_BIND(StartFilter),
      QUILLON_BIND(StopFilter),
      QUILLON_BIND(StartTeletext),
      QUILLON_BIND(StopTeletext),
      QUILLON_BIND(HasDeviceRemote),
      QUILLON_BIND(StartRemote),
      QUILLON_BIND(StopRemote),
      QUILLON_BIND(GetDeviceMAC),
      QUILLON_BIND(OpenDeviceDependentProperties),
      QUILLON_BIND(EnterCAMDialog),
      QUILLON_BIND(SetPids),
      QUILLON_BIND(StopRecPlay),
      QUILLON_BIND(SeekPlayback),
      QUILLON_BIND(SetBobMode),
      QUILLON_BIND(QLONExModuleInfo),
      QUILLON_BIND(SetApplicationHandle),
      QUILLON_BIND_OPTIONAL(MakeSnapshot),
      QUILLON_BIND_OPTIONAL(SetDolbyMode),
      QUILLON_BIND(GetDeviceCount),
      QUILLON_BIND_OPTIONAL(SetSurface),
      QUILLON_BIND_OPTIONAL(SetADSwitch),
  };
#undef QUILLON_BIND
#undef QUILLON_BIND_OPTIONAL
  for (const Binding& b : bindings) {
    *b.slot = GetProcAddress(m_module, b.name);
    if (!*b.slot && !b.optional) {
      *error = path + " has no export " + b.name;
      Unload();
      return false;
    }
  }
  return true;
}

void CModuleHost::Unload() {
  if (!m_module) return;
  FreeLibrary(m_module);
  m_module = nullptr;
  fn = {};
}

int CModuleHost::Open(int device) {
  if (!fn.QLONExModule(&OnLog, &caps, &status, m_window)) return -1;
  devices.clear();
  const int count = fn.GetDeviceCount();
  for (int i = 0; i < count; ++i) {
    if (fn.QLONExModuleInfo(i, title, deviceName, version))
      devices.push_back(std::string(title) + "|" + deviceName + "|" + version);
  }
  fn.SetApplicationHandle(m_window);
  return fn.InitDVBHardware(device);
}

int CModuleHost::Close() {
  fn.DeleteVideoWindow();
  return fn.CloseDVBHardware();
}

bool CModuleHost::PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return done();
      }
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
      if (done()) return true;
      // Messages that keep coming (a playing renderer's) must not hold the
      // caller past its limit.
      if (GetTickCount() - start >= limitMs) break;
    }
    if (done()) return true;
    const DWORD spent = GetTickCount() - start;
    if (spent >= limitMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(limitMs - spent, 50), QS_ALLINPUT);
  }
}

void CModuleHost::ShowWindowSized(int width, int height) {
  RECT r = {0, 0, width, height};
  AdjustWindowRect(&r, WS_OVERLAPPEDWINDOW, FALSE);
  SetWindowPos(m_window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOZORDER);
  ShowWindow(m_window, SW_SHOW);
  UpdateWindow(m_window);
}

std::vector<CModuleHost::LogLine> CModuleHost::Log() {
  CSingleLock lock(&m_lock, TRUE);
  return m_log;
}

size_t CModuleHost::LogCount(const std::string& part) {
  CSingleLock lock(&m_lock, TRUE);
  size_t n = 0;
  for (const LogLine& l : m_log) n += l.text.find(part) != std::string::npos;
  return n;
}

void CModuleHost::KeepTapped(bool keep) {
  CSingleLock lock(&m_lock, TRUE);
  m_keepTapped = keep;
  m_tapped.clear();
}

std::vector<std::vector<BYTE>> CModuleHost::TappedPackets() {
  CSingleLock lock(&m_lock, TRUE);
  return m_tapped;
}

void CModuleHost::ClearLog() {
  CSingleLock lock(&m_lock, TRUE);
  m_log.clear();
}

std::vector<std::string> CModuleHost::FilterData() {
  CSingleLock lock(&m_lock, TRUE);
  return m_filterData;
}

std::vector<WPARAM> CModuleHost::Commands() {
  CSingleLock lock(&m_lock, TRUE);
  return m_commands;
}

int __cdecl CModuleHost::OnLog(const char* file, int line, int level, const char* format, ...) {
  char text[1024];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof(text), format, args);
  va_end(args);
  if (!g_pHost) return 0;
  if (g_pHost->m_mirror) g_pHost->m_mirror->Line("module %s:%d %d %s", file ? file : "", line, level, text);
  CSingleLock lock(&g_pHost->m_lock, TRUE);
  g_pHost->m_log.push_back({file ? file : "", line, level, text});
  return 0;
}

int __cdecl CModuleHost::OnFilterData(void* context, const BYTE* data, int length) {
  if (!g_pHost || !data || length < 0) return 0;
  CSingleLock lock(&g_pHost->m_lock, TRUE);
  g_pHost->m_filterData.push_back(std::string(static_cast<const char*>(context)) + ": " +
                                  std::string(reinterpret_cast<const char*>(data), length));
  return 0;
}

int __cdecl CModuleHost::OnTeletext(const BYTE*, int) {
  if (g_pHost) ++g_pHost->m_teletextBlocks;
  return 0;
}

int __cdecl CModuleHost::OnPes(const BYTE* data, int length) {
  if (!g_pHost) return 0;
  ++g_pHost->m_pesPackets;
  if (GetCurrentThreadId() != g_pHost->m_threadId) g_pHost->m_pesOtherThread = true;
  if (g_pHost->m_keepTapped && data && length > 0) {
    CSingleLock lock(&g_pHost->m_lock, TRUE);
    if (g_pHost->m_tapped.size() < kKeptTaps) g_pHost->m_tapped.emplace_back(data, data + length);
  }
  constexpr int kPackHeader = 14;
  if (g_pHost->m_plugin && length > kPackHeader) g_pHost->m_plugin->Deliver(length - kPackHeader, data + kPackHeader);
  return 0;
}

LRESULT CALLBACK CModuleHost::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_pHost && window == g_pHost->m_window) {
    if (message == WM_PAINT && wParam == 0 && lParam == 0 && !GetUpdateRect(window, nullptr, FALSE)) {
      ++g_pHost->m_paints;  // posted by the module, not a real repaint
      return 0;
    }
    if (message == WM_COMMAND) {
      CSingleLock lock(&g_pHost->m_lock, TRUE);
      g_pHost->m_commands.push_back(wParam);
    }
    if (message == WM_CLOSE) {
      g_pHost->m_closed = true;
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
