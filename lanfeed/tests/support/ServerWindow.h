// A window that plays the server dialog's part for the channel in tests:
// it receives the channel's posted events and client data, hands the events
// to the server, and holds the log edit control.
#pragma once

#include <string>

#include "FeedServer.h"

class CServerWindow {
 public:
  explicit CServerWindow(CFeedServer& server);
  ~CServerWindow();
  CServerWindow(const CServerWindow&) = delete;
  CServerWindow& operator=(const CServerWindow&) = delete;

  HWND Handle() const { return m_window; }
  HWND Log() const { return m_log; }
  std::string LogText() const;
  int events[3] = {0, 0, 0};

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  CFeedServer& m_server;
  HWND m_window = nullptr;
  HWND m_log = nullptr;
};
