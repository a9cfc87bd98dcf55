// A second program that holds a box, for the sharing tests. It loads
// boxlink.dll (against the simulated box), opens a box under an application
// id and tells the test through named events.
//
//   boxlink_owner_helper <mode> <box> <appId> <tag>
//
// mode "window": a top-level window that honours the library's close
// message by closing the box; "deaf": a window that ignores it; "nowindow":
// no window at all; "attach": only loads the library, opens no box and is
// ready once the library's start-up has run. Events "<tag>-ready" (box open), "<tag>-closed" (closed
// on request) are set by the helper; "<tag>-quit" makes it close the box and
// end. It never lives longer than a minute.
#include "DVBCommon.h"

#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

const DWORD kLifetimeMs = 60000;

UINT g_closeMessage = 0;
bool g_honours = false;
HANDLE g_closed = nullptr;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == g_closeMessage && g_closeMessage != 0) {
    if (g_honours && CDVBCommon::IsOpen()) {
      CDVBCommon::CloseDevice();
      SetEvent(g_closed);
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HANDLE Event(const std::string& tag, const char* what) {
  return CreateEventA(nullptr, TRUE, FALSE, (tag + "-" + what).c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) return 64;
  std::string mode = argv[1];
  WORD box = WORD(atoi(argv[2]));
  std::string appId = argv[3];
  std::string tag = argv[4];
  HANDLE ready = Event(tag, "ready");
  HANDLE quit = Event(tag, "quit");
  g_closed = Event(tag, "closed");

  if (mode == "attach") {
    // The library was loaded with the program, before main.
    SetEvent(ready);
    WaitForSingleObject(quit, kLifetimeMs);
    return 0;
  }
  if (mode != "nowindow") {
    g_honours = mode == "window";
    g_closeMessage = RegisterWindowMessageA(CDVBCommon::GetAppCloseMessage());
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "BoxlinkOwnerHelper";
    RegisterClassA(&wc);
    if (!CreateWindowA(wc.lpszClassName, "box owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, wc.hInstance,
                       nullptr))
      return 3;
  }
  if (!CDVBCommon::OpenDevice(box, appId.c_str(), TRUE)) return 2;
  SetEvent(ready);

  DWORD start = GetTickCount();
  for (;;) {
    DWORD left = kLifetimeMs - (GetTickCount() - start);
    if (GetTickCount() - start >= kLifetimeMs) break;
    DWORD r = MsgWaitForMultipleObjects(1, &quit, FALSE, left, QS_ALLINPUT);
    if (r == WAIT_OBJECT_0) break;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }
  CDVBCommon::CloseDevice();
  return 0;
}
