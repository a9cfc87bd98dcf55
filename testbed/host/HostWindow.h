// The stand-in host's main window, titled "Quillon": a menu bar with the
// plug-in's menu merged in, the answers to the plug-in's WM_USER requests,
// and the host's shutdown order (On_Exit while the window and the stream
// thread still run, then the stream stops).
#pragma once

#include <windows.h>

#include "HostLog.h"
#include "HostRequests.h"
#include "PluginHost.h"
#include "StreamFeeder.h"

class CHostWindow {
 public:
  static constexpr UINT kExitCommand = 100;

  CHostWindow(CPluginHost& plugin, CHostRequests& requests, CStreamFeeder& feeder, CHostLog& log)
      : m_plugin(plugin), m_requests(requests), m_feeder(feeder), m_log(log) {}
  CHostWindow(const CHostWindow&) = delete;
  CHostWindow& operator=(const CHostWindow&) = delete;

  bool Create();
  HWND Handle() const { return m_window; }
  // Merges the plug-in's menu; its first command is forwarded to On_Menu_Select.
  void MergePluginMenu();
  UINT PluginCommand() const { return m_pluginCommand; }
  void ExitWhenFed(bool on) { m_exitWhenFed = on; }
  void ExitAfter(int ms);

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void Shutdown();

  CPluginHost& m_plugin;
  CHostRequests& m_requests;
  CStreamFeeder& m_feeder;
  CHostLog& m_log;
  HWND m_window = nullptr;
  HMENU m_menuBar = nullptr;
  UINT m_pluginCommand = 0;
  bool m_exitWhenFed = false;
  bool m_exited = false;
};
