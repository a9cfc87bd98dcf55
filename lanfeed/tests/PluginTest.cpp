#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "FakeHost.h"
#include "LoopbackClient.h"
#include "Screenshot.h"
#include "SyntheticPes.h"

namespace {

const char kCaption[] = "Quillon Professional MPEG2 TV Server 1.16";
const char kSettingsKey[] = "Software\\Quillon_LAN_Client";

std::string ModuleDir() {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string dir = path;
  return dir.substr(0, dir.find_last_of("\\/"));
}

template <typename T>
T Entry(HMODULE module, const char* name) {
  return reinterpret_cast<T>(GetProcAddress(module, name));
}

// The plug-in's five entry points, loaded as the host loads them.
struct Plugin {
  HMODULE module = LoadLibraryA((ModuleDir() + "\\..\\..\\bin\\lanfeed.dll").c_str());
  void(__cdecl* name)(char*) = Entry<void(__cdecl*)(char*)>(module, "On_Send_Dll_ID_Name");
  void(__cdecl* menu)(int) = Entry<void(__cdecl*)(int)>(module, "On_Menu_Select");
  void(__cdecl* start)(DWORD, HWND, DWORD, DWORD) = Entry<void(__cdecl*)(DWORD, HWND, DWORD, DWORD)>(module,
                                                                                                     "On_Start");
  void(__cdecl* exit)() = Entry<void(__cdecl*)()>(module, "On_Exit");
  void(__cdecl* pes)(int, const BYTE*) = Entry<void(__cdecl*)(int, const BYTE*)>(module, "On_Server_PES_Receive");
  ~Plugin() {
    if (module) FreeLibrary(module);
  }
};

// The host's main window: answers the plug-in's requests from a fake host.
class HostWindow {
 public:
  explicit HostWindow(CFakeHost& host) : m_host(host) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandle(nullptr);
    wc.lpszClassName = "LanfeedTestHost";
    RegisterClassA(&wc);
    handle = CreateWindowA("LanfeedTestHost", "Quillon", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                           GetModuleHandle(nullptr), this);
  }
  ~HostWindow() { DestroyWindow(handle); }
  HWND handle;

 private:
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_NCCREATE)
      SetWindowLongPtr(w, GWLP_USERDATA,
                       reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCT*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtr(w, GWLP_USERDATA));
    if (self && m == WM_USER) {
      self->m_host.Request(static_cast<uint32_t>(wp), lp);
      return 0;
    }
    return DefWindowProc(w, m, wp, lp);
  }
  CFakeHost& m_host;
};

// Answers every message box of this process other than the server dialog
// and keeps its text, so that a prompt fails the test instead of hanging it.
class PromptWatcher {
 public:
  PromptWatcher() : m_thread([this] { Run(); }) {}
  ~PromptWatcher() {
    m_stop = true;
    m_thread.join();
  }
  std::vector<std::string> Prompts() {
    std::lock_guard<std::mutex> hold(m_lock);
    return m_prompts;
  }

 private:
  static BOOL CALLBACK Visit(HWND w, LPARAM self) {
    DWORD process = 0;
    GetWindowThreadProcessId(w, &process);
    char kind[32] = {}, title[128] = {};
    GetClassNameA(w, kind, sizeof(kind));
    GetWindowTextA(w, title, sizeof(title));
    if (process == GetCurrentProcessId() && std::strcmp(kind, "#32770") == 0 && IsWindowVisible(w) &&
        std::strcmp(title, kCaption) != 0) {
      auto* watcher = reinterpret_cast<PromptWatcher*>(self);
      char text[256] = {};
      GetDlgItemTextA(w, 0xFFFF, text, sizeof(text));
      {
        std::lock_guard<std::mutex> hold(watcher->m_lock);
        watcher->m_prompts.push_back(std::string(title) + ": " + text);
      }
      PostMessage(w, WM_COMMAND, IDOK, 0);
    }
    return TRUE;
  }
  void Run() {
    while (!m_stop) {
      EnumWindows(Visit, reinterpret_cast<LPARAM>(this));
      Sleep(50);
    }
  }
  std::atomic<bool> m_stop{false};
  std::mutex m_lock;
  std::vector<std::string> m_prompts;
  std::thread m_thread;
};

std::string Text(HWND w) {
  std::vector<char> text(GetWindowTextLengthA(w) + 1);
  GetWindowTextA(w, text.data(), static_cast<int>(text.size()));
  return text.data();
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void WriteSetting(const char* section, const char* name, DWORD value) {
  HKEY key;
  const std::string path = std::string(kSettingsKey) + "\\lanfeed\\" + section;
  RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
  RegCloseKey(key);
}

std::vector<BYTE> ReadBinary(const char* section, const char* name) {
  const std::string path = std::string(kSettingsKey) + "\\lanfeed\\" + section;
  std::vector<BYTE> data(256);
  DWORD size = static_cast<DWORD>(data.size());
  if (RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_BINARY, nullptr, data.data(), &size) !=
      ERROR_SUCCESS)
    return {};
  data.resize(size);
  return data;
}

DWORD ReadDword(const char* section, const char* name) {
  const std::string path = std::string(kSettingsKey) + "\\lanfeed\\" + section;
  DWORD value = 0xFFFFFFFF, size = sizeof(value);
  RegGetValueA(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size);
  return value;
}

class LanfeedPlugin : public testing::Test {
 protected:
  LanfeedPlugin() : window(host), port(FreeLoopbackPort()) { RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey); }
  ~LanfeedPlugin() override {
    if (plugin.exit) plugin.exit();
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
  }
  // The server dialog of this process: other test programs running at the
  // same time show dialogs with the same caption.
  HWND Dialog() const {
    HWND found = nullptr;
    EnumWindows(IsOwnDialog, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  static BOOL CALLBACK IsOwnDialog(HWND window, LPARAM param) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char caption[128] = "";
    GetWindowTextA(window, caption, sizeof(caption));
    if (process != GetCurrentProcessId() || std::strcmp(caption, kCaption) != 0) return TRUE;
    *reinterpret_cast<HWND*>(param) = window;
    return FALSE;
  }
  HWND Item(int id) const { return GetDlgItem(Dialog(), id); }
  void Click(int id) {
    SendMessage(Dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
  }
  std::string Log() const { return Text(Item(6002)); }

  CWinsockSession winsock;
  PromptWatcher prompts;
  CFakeHost host;
  HostWindow window;
  Plugin plugin;
  u_short port;
};

TEST_F(LanfeedPlugin, GivesItsNameInExactly22Bytes) {
  ASSERT_TRUE(plugin.module);
  char buffer[64];
  std::memset(buffer, 0xCC, sizeof(buffer));
  plugin.name(buffer);
  EXPECT_STREQ("MPEG2 TV-Server V1.16", buffer);
  EXPECT_EQ(0, buffer[21]);
  EXPECT_EQ(static_cast<char>(0xCC), buffer[22]);
}

TEST_F(LanfeedPlugin, ServesFromTheDialogThroughItsWholeLife) {
  ASSERT_TRUE(plugin.module);
  const auto early = SyntheticPes(1, 100);
  plugin.pes(static_cast<int>(early.size()), early.data());  // before On_Start: dropped
  host.channels = CFakeHost::NumberedChannels(3);
  host.second = CFakeHost::NumberedSecond(1);
  host.current = 2;
  plugin.start(0, window.handle, 0, 0);
  ASSERT_TRUE(Dialog());
  EXPECT_FALSE(IsWindowVisible(Dialog()));
  plugin.start(0, nullptr, 0, 0);  // a second start changes nothing
  plugin.menu(0xA304);
  EXPECT_FALSE(IsWindowVisible(Dialog()));
  plugin.menu(0xA303);
  EXPECT_TRUE(IsWindowVisible(Dialog()));
  EXPECT_EQ("2000", Text(Item(6005)));
  EXPECT_EQ("100", Text(Item(6006)));
  EXPECT_FALSE(IsWindowEnabled(Item(6006)));  // "Manual timeout" starts unchecked

  SetWindowTextA(Item(6005), std::to_string(port).c_str());
  Click(6000);
  EXPECT_EQ("Stop Server", Text(Item(6000)));
  EXPECT_FALSE(IsWindowEnabled(Item(1)));
  EXPECT_TRUE(Contains(Log(), "Quillon MPEG2 TV-Server started: \r\n"));
  EXPECT_TRUE(Contains(Log(), "  - Port: " + std::to_string(port) + "\r\n"));
  ASSERT_FALSE(host.Calls().empty());
  EXPECT_EQ(kHostServerStarted, host.Calls().back().code);

  CLoopbackClient client;
  ASSERT_TRUE(client.Connect(port));
  client.StartReading();
  ASSERT_TRUE(PumpUntil([&] { return client.ItemCount() >= 5; }));
  EXPECT_TRUE(Contains(Log(), "New client connection established.\r\n"));
  char ip[64] = {};
  ListView_GetItemText(Item(6016), 0, 0, ip, sizeof(ip));
  EXPECT_EQ(0, std::strncmp(ip, "127.0.0.1 (", 11)) << ip;

  std::thread stream([&] {
    for (uint32_t i = 0; i < 100; ++i) {
      const auto p = SyntheticPes(i, 500);
      plugin.pes(static_cast<int>(p.size()), p.data());
      Sleep(1);
    }
  });
  stream.join();
  ASSERT_TRUE(PumpUntil([&] { return client.ItemCount() >= 105; }));
  ASSERT_TRUE(PumpUntil([&] { return Text(Item(6004)) == "100"; }));  // the statistics timer
  EXPECT_EQ("100", Text(Item(6003)));
  EXPECT_EQ(SyntheticPes(99, 500), client.Items().back().bytes);
  SaveScreenshotIfAsked(Dialog(), "server-dialog-serving");

  // A channel switch from outside: the host is asked, the client told.
  SendMessage(Dialog(), WM_USER + 4, 7, 0);
  EXPECT_EQ(kHostSwitchChannel, host.Calls().back().code);
  EXPECT_EQ(7, host.Calls().back().value);
  ASSERT_TRUE(PumpUntil([&] { return client.ItemCount() >= 106; }));
  EXPECT_TRUE(client.Items().back().isMessage);
  EXPECT_EQ(kLanChannelSwitched, client.Items().back().header.type);
  EXPECT_EQ(7, client.Items().back().header.index);

  // An entry that is no number while the timer runs raises no prompt.
  SetWindowTextA(Item(6006), "abc");
  SetWindowTextA(Item(6005), "x1");
  PumpUntil([] { return false; }, 1200);
  EXPECT_TRUE(prompts.Prompts().empty()) << prompts.Prompts().front();
  SetWindowTextA(Item(6006), "100");
  SetWindowTextA(Item(6005), std::to_string(port).c_str());

  client.Close();
  ASSERT_TRUE(PumpUntil([&] { return Contains(Log(), "Client connection closed.\r\n"); }));
  CLoopbackClient next;  // listening again without any user action
  ASSERT_TRUE(PumpUntil([&] { return next.Connect(port); }, 10000));
  next.StartReading();
  ASSERT_TRUE(PumpUntil([&] { return next.ItemCount() >= 5; }));

  Click(6000);
  EXPECT_EQ("Start Server", Text(Item(6000)));
  EXPECT_TRUE(IsWindowEnabled(Item(1)));
  EXPECT_EQ(kHostServerStopped, host.Calls().back().code);
  EXPECT_EQ("0", Text(Item(6004)));
  EXPECT_TRUE(PumpUntil([&] { return next.Ended(); }));

  plugin.exit();
  EXPECT_FALSE(Dialog());
  plugin.pes(static_cast<int>(early.size()), early.data());  // after On_Exit: dropped
  EXPECT_EQ(static_cast<DWORD>(port), ReadDword("MPEG-Server", "Port"));
  EXPECT_EQ(100u, ReadDword("MPEG-Server", "Timeout"));
  EXPECT_EQ(44u, ReadBinary("Setup", "Placement2").size());
  plugin.exit = nullptr;
}

TEST_F(LanfeedPlugin, PortsThatCannotBeBoundLeaveTheServerStopped) {
  ASSERT_TRUE(plugin.module);
  plugin.start(0, window.handle, 0, 0);
  for (const char* bad : {"0", "65536", "70000"}) {
    SetWindowTextA(Item(6005), bad);
    Click(6000);
    EXPECT_EQ("Start Server", Text(Item(6000))) << bad;
  }
  const std::string stars(53, '*');
  EXPECT_TRUE(Contains(Log(), stars + "\r\nERROR: Unable to create socket.\r\n" + stars + "\r\n"));
  EXPECT_TRUE(host.Calls().empty());
}

// Listening again after a client left takes the port as the entry shows it
// then, as a new Start would.
TEST_F(LanfeedPlugin, ListeningAgainAfterAClientLeftUsesThePortEntry) {
  ASSERT_TRUE(plugin.module);
  plugin.start(0, window.handle, 0, 0);
  SetWindowTextA(Item(6005), std::to_string(port).c_str());
  Click(6000);
  ASSERT_EQ("Stop Server", Text(Item(6000)));
  u_short moved = FreeLoopbackPort();
  while (moved == port) moved = FreeLoopbackPort();
  SetWindowTextA(Item(6005), std::to_string(moved).c_str());
  {
    CLoopbackClient client;
    ASSERT_TRUE(client.Connect(port));
    client.StartReading();
    ASSERT_TRUE(PumpUntil([&] { return client.ItemCount() >= 1; }));
  }
  ASSERT_TRUE(PumpUntil([&] { return Contains(Log(), "Client connection closed.\r\n"); }));
  CLoopbackClient next;
  ASSERT_TRUE(PumpUntil([&] { return next.Connect(moved); }, 10000));
  next.StartReading();
  EXPECT_TRUE(PumpUntil([&] { return next.ItemCount() >= 1; }));
  EXPECT_TRUE(prompts.Prompts().empty());
}

TEST_F(LanfeedPlugin, AutostartShowsTheDialogAndServesAndExitStopsIt) {
  ASSERT_TRUE(plugin.module);
  WriteSetting("MPEG-Server", "Port", port);
  WriteSetting("MPEG-Server", "bAutostartServer", 1);
  plugin.start(0, window.handle, 0, 0);
  EXPECT_TRUE(IsWindowVisible(Dialog()));
  ASSERT_TRUE(PumpUntil([&] { return Text(Item(6000)) == "Stop Server"; }));
  CLoopbackClient client;
  ASSERT_TRUE(client.Connect(port));
  client.StartReading();
  ASSERT_TRUE(PumpUntil([&] { return client.ItemCount() >= 1; }));

  // The stream thread keeps handing over packets while the host ends the plug-in.
  std::atomic<bool> streaming{true};
  std::thread stream([&] {
    const auto p = SyntheticPes(7, 2000);
    while (streaming) plugin.pes(static_cast<int>(p.size()), p.data());
  });
  Sleep(50);
  plugin.exit();
  streaming = false;
  stream.join();
  plugin.exit = nullptr;
  EXPECT_FALSE(Dialog());
  EXPECT_EQ(kHostServerStopped, host.Calls().back().code);
  EXPECT_TRUE(PumpUntil([&] { return client.Ended(); }));
}

TEST_F(LanfeedPlugin, TheManualTimeoutCheckBoxEnablesItsControlsAndIsSaved) {
  ASSERT_TRUE(plugin.module);
  plugin.start(0, window.handle, 0, 0);
  HWND check = GetDlgItem(Item(6010), 6013);
  ASSERT_TRUE(check);
  EXPECT_EQ("Manual timeout", Text(check));
  EXPECT_EQ("", Text(Item(6010)));
  for (int id : {6006, 6011, 6012}) EXPECT_FALSE(IsWindowEnabled(Item(id))) << id;
  SendMessage(check, BM_CLICK, 0, 0);
  EXPECT_EQ(BST_CHECKED, SendMessage(check, BM_GETCHECK, 0, 0));
  for (int id : {6006, 6011, 6012}) EXPECT_TRUE(IsWindowEnabled(Item(id))) << id;
  SetWindowTextA(Item(6006), "250");
  plugin.exit();
  plugin.exit = nullptr;
  EXPECT_EQ(1u, ReadDword("MPEG-Server", "UseTimeout"));
  EXPECT_EQ(250u, ReadDword("MPEG-Server", "Timeout"));
}

TEST_F(LanfeedPlugin, AStoredPlacementIsRestoredFromItsFirst44Bytes) {
  ASSERT_TRUE(plugin.module);
  WINDOWPLACEMENT placement = {};
  placement.length = sizeof(placement);
  placement.showCmd = SW_SHOWNORMAL;
  placement.rcNormalPosition = {40, 50, 40 + 700, 50 + 720};
  std::vector<BYTE> stored(reinterpret_cast<BYTE*>(&placement), reinterpret_cast<BYTE*>(&placement) + 44);
  stored.resize(60, 0xEE);  // longer than a placement record
  HKEY key;
  RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(kSettingsKey) + "\\lanfeed\\Setup").c_str(), 0, nullptr, 0,
                  KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegSetValueExA(key, "Placement2", 0, REG_BINARY, stored.data(), static_cast<DWORD>(stored.size()));
  RegCloseKey(key);
  plugin.start(0, window.handle, 0, 0);
  ASSERT_TRUE(Dialog());
  EXPECT_FALSE(IsWindowVisible(Dialog()));
  WINDOWPLACEMENT now = {};
  now.length = sizeof(now);
  GetWindowPlacement(Dialog(), &now);
  EXPECT_EQ(40, now.rcNormalPosition.left);
  EXPECT_EQ(50, now.rcNormalPosition.top);
}

BOOL CALLBACK FindHostWindow(HWND window, LPARAM out) {
  if (Text(window) == "Quillon") *reinterpret_cast<HWND*>(out) = window;
  return TRUE;
}

// The stand-in TV application loads the plug-in with autostart on: a client
// receives the list as the host read it from its file, and the stream its
// stream thread feeds.
TEST_F(LanfeedPlugin, TheStandInHostServesItsSampleListThroughThePlugin) {
  const std::string host = ModuleDir() + "\\..\\..\\testbed\\host";
  char temp[MAX_PATH];
  GetTempPathA(sizeof(temp), temp);
  const std::string work = std::string(temp) + "lanfeed-plugin-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(work.c_str(), nullptr);
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  std::string command = "\"" + host + "\\make_sample_list.exe\" \"" + work + "\"";
  ASSERT_TRUE(
      CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 60000));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  // The stream: numbered packets, so that each one received can be checked.
  std::vector<std::vector<BYTE>> packets;
  if (FILE* f = std::fopen((work + "\\numbered.pes").c_str(), "wb")) {
    for (uint32_t i = 0; i < 400; ++i) {
      packets.push_back(SyntheticPes(i, 1000 + i));
      std::fwrite(packets.back().data(), 1, packets.back().size(), f);
    }
    std::fclose(f);
  }
  ASSERT_EQ(400u, packets.size());

  WriteSetting("MPEG-Server", "Port", port);
  WriteSetting("MPEG-Server", "bAutostartServer", 1);
  const std::string log = work + "\\host.log";
  command = "\"" + host + "\\tvhost.exe\" --plugin \"" + ModuleDir() + "\\..\\..\\bin\\lanfeed.dll\" --list \"" + work +
            "\\sample.qcx\" --pes \"" + work + "\\numbered.pes\" --rate fast --loop 0 --channel 5 --log \"" + log +
            "\"";
  ASSERT_TRUE(
      CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
  CLoopbackClient client;
  const DWORD start = GetTickCount();
  while (!client.Connect(port) && GetTickCount() - start < 30000) Sleep(50);
  client.StartReading();
  const bool received = PumpUntil([&] { return client.ItemCount() >= 20 + 500 || client.StreamFailed(); }, 60000);
  HWND hostWindow = nullptr;
  EnumThreadWindows(process.dwThreadId, FindHostWindow, reinterpret_cast<LPARAM>(&hostWindow));
  PostMessage(hostWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 30000));
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  ASSERT_TRUE(received);
  ASSERT_FALSE(client.StreamFailed());
  EXPECT_TRUE(PumpUntil([&] { return client.Ended(); }, 10000));

  // Packets may come before and between the messages of the connect
  // sequence (the sender starts at the connection): each kind apart.
  std::vector<LanItem> messages, stream;
  for (const LanItem& item : client.Items()) (item.isMessage ? messages : stream).push_back(item);
  ASSERT_EQ(16u + 3 + 1, messages.size());
  std::vector<BYTE> list;
  if (FILE* f = std::fopen((work + "\\sample.qcx").c_str(), "rb")) {
    for (int c; (c = std::fgetc(f)) != EOF;) list.push_back(static_cast<BYTE>(c));
    std::fclose(f);
  }
  ASSERT_EQ(12u + 16 * 172, list.size());
  for (size_t i = 0; i < 16; ++i) {  // the file's records, in its order
    EXPECT_EQ(kLanChannelRecord, messages[i].header.type);
    EXPECT_EQ(i, messages[i].header.index);
    EXPECT_EQ(16u, messages[i].header.count);
    EXPECT_EQ(0, std::memcmp(messages[i].bytes.data(), list.data() + 12 + 172 * i, 172)) << i;
  }
  for (size_t i = 16; i < 19; ++i) EXPECT_EQ(kLanSecondRecord, messages[i].header.type);
  EXPECT_EQ(kLanCurrentChannel, messages.back().header.type);
  EXPECT_EQ(5, messages.back().header.index);

  // The looping file's packets, unchanged, in order within each pass (the
  // ones fed while the queue was full are dropped, never reordered).
  ASSERT_GE(stream.size(), 500u);
  uint32_t previous = 0;
  size_t passes = 0;
  for (size_t i = 0; i < stream.size(); ++i) {
    const auto& bytes = stream[i].bytes;
    const uint32_t serial = bytes[9] | (bytes[10] << 8) | (bytes[11] << 16) | (bytes[12] << 24);
    ASSERT_LT(serial, packets.size());
    ASSERT_EQ(packets[serial], bytes);
    if (i > 0 && serial <= previous) ++passes;
    previous = serial;
  }
  EXPECT_GT(passes, 0u);
  EXPECT_LE(passes, stream.size() / 2);
  std::string text;
  if (FILE* f = std::fopen(log.c_str(), "rb")) {
    for (int c; (c = std::fgetc(f)) != EOF;) text += static_cast<char>(c);
    std::fclose(f);
  }
  EXPECT_TRUE(Contains(text, "plugin name \"MPEG2 TV-Server V1.16\""));
  EXPECT_TRUE(Contains(text, "menu merged \"MPEG2 TV-Server\": \"Eigenschaften...\" (41731)"));
  EXPECT_TRUE(Contains(text, "request 0x1022000 server started expert=0"));
  EXPECT_TRUE(Contains(text, "request 0x1022010 server stopped expert=0"));
}

}  // namespace
