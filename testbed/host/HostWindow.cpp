#include "HostWindow.h"

namespace {
const char kClassName[] = "QuillonHostWindow";
const UINT_PTR kExitTimer = 1;
}  // namespace

bool CHostWindow::Create() {
  WNDCLASSA wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandle(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  wc.lpszClassName = kClassName;
  RegisterClassA(&wc);
  m_menuBar = CreateMenu();
  HMENU file = CreatePopupMenu();
  AppendMenuA(file, MF_STRING, kExitCommand, "E&xit");
  AppendMenuA(m_menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
  m_window = CreateWindowA(kClassName, "Quillon", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 720, 540, nullptr,
                           m_menuBar, GetModuleHandle(nullptr), this);
  return m_window != nullptr;
}

void CHostWindow::MergePluginMenu() {
  const std::string popup = m_plugin.MergeMenu(m_menuBar, &m_pluginCommand);
  if (popup.empty()) {
    m_log.Line("plugin has no menu");
    return;
  }
  char item[128] = {};
  GetMenuStringA(m_menuBar, m_pluginCommand, item, sizeof(item), MF_BYCOMMAND);
  m_log.Line("menu merged \"%s\": \"%s\" (%u)", popup.c_str(), item, m_pluginCommand);
  DrawMenuBar(m_window);
}

void CHostWindow::ExitAfter(int ms) {
  if (ms > 0) SetTimer(m_window, kExitTimer, static_cast<UINT>(ms), nullptr);
}

LRESULT CALLBACK CHostWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<CHostWindow*>(reinterpret_cast<CREATESTRUCT*>(lParam)->lpCreateParams);
    self->m_window = window;
    SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<CHostWindow*>(GetWindowLongPtr(window, GWLP_USERDATA));
  return self ? self->Handle(message, wParam, lParam) : DefWindowProc(window, message, wParam, lParam);
}

void CHostWindow::Shutdown() {
  if (m_exited) return;
  m_exited = true;
  // The stream thread keeps delivering while the plug-in ends, as it may in
  // the real host.
  m_log.Line("plugin exit");
  m_plugin.Exit();
  m_feeder.Stop();
  m_log.Line("records answered: channels=%d second=%d", m_requests.RecordsAnswered(), m_requests.SecondAnswered());
}

LRESULT CHostWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_USER: return m_requests.Answer(static_cast<uint32_t>(wParam), lParam);
    case WM_COMMAND: {
      const UINT id = LOWORD(wParam);
      if (id == kExitCommand) {
        PostMessage(m_window, WM_CLOSE, 0, 0);
      } else if (m_pluginCommand && id == m_pluginCommand) {
        m_log.Line("menu select %u", id);
        m_plugin.MenuSelect(static_cast<int>(id));
      }
      return 0;
    }
    case WM_TIMER:
      if (wParam == kExitTimer) {
        KillTimer(m_window, kExitTimer);
        PostMessage(m_window, WM_CLOSE, 0, 0);
      }
      return 0;
    case CStreamFeeder::kFedMessage:
      if (m_exitWhenFed) PostMessage(m_window, WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE:
      Shutdown();
      DestroyWindow(m_window);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProc(m_window, message, wParam, lParam);
  }
}
