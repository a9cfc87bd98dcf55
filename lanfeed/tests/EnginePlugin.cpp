// A test plug-in that runs the server engine behind the five entry points
// with a plain window in place of the server dialog, so that the stand-in
// host, the engine and a network client meet end to end. The port comes from
// QUILLON_LANFEED_PORT. Test code only: the shipped plug-in wraps the same
// engine in its dialog.
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "FeedServer.h"
#include "LoopbackClient.h"
#include "PacketIntake.h"
#include "ServerWindow.h"
#include "WindowHostLink.h"

namespace {

struct Engine {
  explicit Engine(HWND host) : link(host), server(link), window(server) {}
  CWinsockSession winsock;
  CWindowHostLink link;
  CFeedServer server;
  CServerWindow window;
};

std::unique_ptr<Engine> g_engine;
CPacketIntake g_intake;

}  // namespace

extern "C" {

__declspec(dllexport) void __cdecl On_Send_Dll_ID_Name(char* buffer) { std::strcpy(buffer, "Engine Plugin"); }

__declspec(dllexport) void __cdecl On_Start(DWORD, HWND host, DWORD, DWORD) {
  if (g_engine) return;
  g_engine = std::make_unique<Engine>(host);
  char port[16] = {};
  GetEnvironmentVariableA("QUILLON_LANFEED_PORT", port, sizeof(port));
  g_engine->server.Start(static_cast<unsigned>(std::atoi(port)), 0);
  g_intake.Open(&g_engine->server.Queue());
}

__declspec(dllexport) void __cdecl On_Menu_Select(int) {}

__declspec(dllexport) void __cdecl On_Server_PES_Receive(int length, const BYTE* data) { g_intake.Deliver(length, data); }

__declspec(dllexport) void __cdecl On_Exit() {
  if (!g_engine) return;
  g_intake.Close();
  g_engine->server.Stop(0);
  g_engine.reset();
}

}  // extern "C"
