// The requests to the host as window messages: SendMessage(host, WM_USER,
// code, lParam). Nothing is sent while no host window is known.
#pragma once

#include <windows.h>

#include "HostLink.h"

class CWindowHostLink : public CHostLink {
 public:
  explicit CWindowHostLink(HWND host = nullptr) : m_host(host) {}
  void SetWindow(HWND host) { m_host = host; }
  HWND Window() const { return m_host; }
  void Request(uint32_t code, intptr_t lParam) override {
    if (m_host) SendMessage(m_host, WM_USER, code, lParam);
  }

 private:
  HWND m_host;
};
