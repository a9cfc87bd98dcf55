// A plug-in that probes the stand-in host: it uses every part of the host's
// side of the plug-in interface and writes what it saw, line by line, to the
// file named by QUILLON_PROBE_REPORT.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

HWND g_host = nullptr;
DWORD g_uiThread = 0;
std::atomic<long> g_packets{0};
std::atomic<long long> g_bytes{0};
std::atomic<bool> g_onOtherThread{true};
std::atomic<unsigned> g_hash{2166136261u};  // FNV-1a over every packet, in order

void Report(const char* format, ...) {
  char path[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("QUILLON_PROBE_REPORT", path, sizeof(path))) return;
  FILE* f = std::fopen(path, "a");
  if (!f) return;
  va_list args;
  va_start(args, format);
  std::vfprintf(f, format, args);
  va_end(args);
  std::fputc('\n', f);
  std::fclose(f);
}

std::string Name(const BYTE* record) {
  return std::string(reinterpret_cast<const char*>(record) + 24,
                     strnlen(reinterpret_cast<const char*>(record) + 24, 32));
}

}  // namespace

extern "C" {

__declspec(dllexport) void __cdecl On_Send_Dll_ID_Name(char* buffer) { std::strcpy(buffer, "Probe Plugin"); }

__declspec(dllexport) void __cdecl On_Start(DWORD, HWND host, DWORD, DWORD) {
  g_host = host;
  g_uiThread = GetCurrentThreadId();
  char title[64] = {};
  GetWindowTextA(host, title, sizeof(title));
  Report("start host=\"%s\"", title);
  int count = -1;
  SendMessageA(host, WM_USER, 0x1021000, reinterpret_cast<LPARAM>(&count));
  Report("channels %d", count);
  for (int i = 0; i < count; ++i) {
    BYTE buffer[176] = {};
    std::memcpy(buffer, &i, 4);
    SendMessageA(host, WM_USER, 0x1022014, reinterpret_cast<LPARAM>(buffer));
    Report("channel %d \"%s\" type=%d kind=%d sid=%d", i, Name(buffer + 4).c_str(), buffer[4 + 88], buffer[4 + 89],
           buffer[4 + 160] | (buffer[4 + 161] << 8));
  }
  SendMessageA(host, WM_USER, 0x1021002, reinterpret_cast<LPARAM>(&count));
  Report("second %d", count);
  for (int i = 0; i < count; ++i) {
    BYTE buffer[272];
    std::memset(buffer, 0xCC, sizeof(buffer));
    std::memcpy(buffer, &i, 4);
    SendMessageA(host, WM_USER, 0x1022016, reinterpret_cast<LPARAM>(buffer));
    Report("second %d \"%s\" tail=%02X", i, Name(buffer + 4).c_str(), buffer[271]);
  }
  int current = -1;
  SendMessageA(host, WM_USER, 0x1020014, reinterpret_cast<LPARAM>(&current));
  Report("current %d", current);
  SendMessageA(host, WM_USER, 0x1022000, 1);
  int target = 2;
  SendMessageA(host, WM_USER, 0x1022012, reinterpret_cast<LPARAM>(&target));
  SendMessageA(host, WM_USER, 0x1020014, reinterpret_cast<LPARAM>(&current));
  Report("current after switch %d", current);
}

__declspec(dllexport) void __cdecl On_Menu_Select(int id) {
  Report("menu %d", id);
  if (id != 0xA303) return;
  const int answer = MessageBoxA(g_host, "Probe says hello", "Probe", MB_OK | MB_ICONINFORMATION);
  Report("messagebox answered %d", answer);
}

__declspec(dllexport) void __cdecl On_Server_PES_Receive(int length, const BYTE* data) {
  if (GetCurrentThreadId() == g_uiThread) g_onOtherThread = false;
  unsigned hash = g_hash;
  for (int i = 0; i < length; ++i) hash = (hash ^ data[i]) * 16777619u;
  g_hash = hash;
  ++g_packets;
  g_bytes += length;
}

__declspec(dllexport) void __cdecl On_Exit() {
  SendMessageA(g_host, WM_USER, 0x1022010, 0);
  Report("pes packets=%ld bytes=%lld other-thread=%d hash=%08X", g_packets.load(), g_bytes.load(),
         g_onOtherThread ? 1 : 0, g_hash.load());
  Report("exit");
}

}  // extern "C"
