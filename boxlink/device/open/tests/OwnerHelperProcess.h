// One run of the owner helper program (OwnerHelper.cpp, its path in
// BOXLINK_OWNER_HELPER) with the named events through which it reports and
// is told to end.
#pragma once

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

class Helper {
 public:
  static const DWORD kStartMs = 20000;  // a Wine process start, with margin

  Helper(const char* mode, const char* appId) {
    static int counter = 0;
    char tag[64];
    snprintf(tag, sizeof(tag), "boxlink-sharing-%lu-%d", GetCurrentProcessId(), ++counter);
    m_ready = CreateEventA(nullptr, TRUE, FALSE, (std::string(tag) + "-ready").c_str());
    m_closed = CreateEventA(nullptr, TRUE, FALSE, (std::string(tag) + "-closed").c_str());
    m_quit = CreateEventA(nullptr, TRUE, FALSE, (std::string(tag) + "-quit").c_str());
    const char* program = getenv("BOXLINK_OWNER_HELPER");
    if (!program) return;
    std::string command = std::string("\"") + program + "\" " + mode + " 0 " + appId + " " + tag;
    STARTUPINFOA si = {};
    si.cb = sizeof(si);
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_process))
      CloseHandle(m_process.hThread);
  }
  ~Helper() {
    SetEvent(m_quit);
    if (m_process.hProcess) {
      if (WaitForSingleObject(m_process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(m_process.hProcess, 1);
      CloseHandle(m_process.hProcess);
    }
    CloseHandle(m_ready);
    CloseHandle(m_closed);
    CloseHandle(m_quit);
  }
  Helper(const Helper&) = delete;
  Helper& operator=(const Helper&) = delete;

  bool Started() const { return m_process.hProcess != nullptr; }
  DWORD ProcessId() const { return m_process.dwProcessId; }
  bool WaitReady() {
    HANDLE both[2] = {m_ready, m_process.hProcess};
    return WaitForMultipleObjects(2, both, FALSE, kStartMs) == WAIT_OBJECT_0;
  }
  bool WaitClosed(DWORD ms) { return WaitForSingleObject(m_closed, ms) == WAIT_OBJECT_0; }
  void Kill() {
    TerminateProcess(m_process.hProcess, 9);
    WaitForSingleObject(m_process.hProcess, 10000);
  }
  // Asks it to close its box and end.
  DWORD Quit() {
    SetEvent(m_quit);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(m_process.hProcess, 10000) == WAIT_OBJECT_0) GetExitCodeProcess(m_process.hProcess, &code);
    return code;
  }

 private:
  HANDLE m_ready, m_closed, m_quit;
  PROCESS_INFORMATION m_process = {};
};
