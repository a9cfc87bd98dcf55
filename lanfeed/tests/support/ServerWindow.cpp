#include "ServerWindow.h"

#include <vector>

namespace {
const char kClassName[] = "LanfeedTestServerWindow";
}

CServerWindow::CServerWindow(CFeedServer& server) : m_server(server) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandle(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);  // fails harmlessly when registered already
  m_window = CreateWindowA(kClassName, "server", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                           GetModuleHandle(nullptr), this);
  m_log = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL, 0, 0, 380, 260, m_window,
                        reinterpret_cast<HMENU>(6002), GetModuleHandle(nullptr), nullptr);
  SendMessage(m_log, EM_SETLIMITTEXT, 0, 0);
  m_server.Attach(m_window, m_log);
}

CServerWindow::~CServerWindow() { DestroyWindow(m_window); }

std::string CServerWindow::LogText() const {
  std::vector<char> text(GetWindowTextLengthA(m_log) + 1);
  GetWindowTextA(m_log, text.data(), static_cast<int>(text.size()));
  return text.data();
}

LRESULT CALLBACK CServerWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtr(window, GWLP_USERDATA,
                     reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<CServerWindow*>(GetWindowLongPtr(window, GWLP_USERDATA));
  if (self && message == CServerChannel::kEventMessage) {
    if (wParam < 3) ++self->events[wParam];
    self->m_server.OnChannelEvent(static_cast<int>(wParam));
    return 1;
  }
  if (message == CServerChannel::kClientDataMessage) return 0;
  return DefWindowProc(window, message, wParam, lParam);
}
