#include "MessageBoxWatcher.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

// Ids of a message box's text control (0xFFFF on Windows; some versions use 100).
const int kTextIds[] = {0xFFFF, 100};

std::string WindowText(HWND window) {
  char text[1024] = {};
  GetWindowTextA(window, text, sizeof(text));
  return text;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

// A dialog whose children are only static texts and buttons, one of them the
// text control: a message box (the plug-in's own dialogs have edit controls).
bool IsMessageBox(HWND window) {
  if (ClassOf(window) != "#32770" || !IsWindowVisible(window)) return false;
  bool hasText = false;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string kind = ClassOf(child);
    if (kind != "Static" && kind != "STATIC" && kind != "Button" && kind != "BUTTON") return false;
    for (int id : kTextIds)
      if (GetDlgCtrlID(child) == id && (kind == "Static" || kind == "STATIC")) hasText = true;
  }
  return hasText;
}

}  // namespace

void CMessageBoxWatcher::Start() { m_worker.Start(WatcherThread, this); }

void CMessageBoxWatcher::Stop() { m_worker.Stop(kStopLimitMs); }

UINT CMessageBoxWatcher::WatcherThread(LPVOID watcher) {
  static_cast<CMessageBoxWatcher*>(watcher)->Run();
  return 0;
}

void CMessageBoxWatcher::Run() {
  do {
    for (auto it = m_answered.begin(); it != m_answered.end();)
      it = IsWindow(*it) ? std::next(it) : m_answered.erase(it);
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(this));
  } while (!m_worker.WaitForStop(kLookEveryMs));
}

BOOL CALLBACK CMessageBoxWatcher::VisitWindow(HWND window, LPARAM self) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsMessageBox(window))
    reinterpret_cast<CMessageBoxWatcher*>(self)->Answer(window);
  return TRUE;
}

void CMessageBoxWatcher::Answer(HWND box) {
  if (m_answered.count(box)) return;
  m_answered.insert(box);
  std::string text;
  for (int id : kTextIds) {
    if (HWND control = GetDlgItem(box, id)) {
      text = WindowText(control);
      break;
    }
  }
  HWND button = nullptr;
  for (int id : {IDOK, IDYES}) {
    if ((button = GetDlgItem(box, id))) break;
  }
  if (!button) {
    for (HWND child = GetWindow(box, GW_CHILD); child && !button; child = GetWindow(child, GW_HWNDNEXT))
      if (ClassOf(child) == "Button" || ClassOf(child) == "BUTTON") button = child;
  }
  m_log.Line("messagebox \"%s\": %s", WindowText(box).c_str(), text.c_str());
  if (button)
    PostMessage(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
}
