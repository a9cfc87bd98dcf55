// The plug-in side of the stand-in host: loads a plug-in library by file
// name, finds its five entry points and calls them in the host's order. The
// stream thread calls Deliver; everything else runs on the UI thread.
#pragma once

#include <windows.h>

#include <string>

#include <PluginEntryPoints.h>

class CPluginHost {
 public:
  CPluginHost() = default;
  CPluginHost(const CPluginHost&) = delete;
  CPluginHost& operator=(const CPluginHost&) = delete;
  ~CPluginHost() { Unload(); }

  // False with error set when the library or one of its entry points is missing.
  bool Load(const std::string& path, std::string* error);
  // The plug-in's display name (On_Send_Dll_ID_Name).
  std::string Name();
  // Appends the plug-in's menu "EXTERN" to menuBar; the popup's text, or
  // empty when the plug-in has none. itemId receives its first command.
  std::string MergeMenu(HMENU menuBar, UINT* itemId);
  void Start(HWND hostWindow);
  void MenuSelect(int id);
  void Deliver(int length, const BYTE* data);
  void Exit();
  void Unload();
  bool IsLoaded() const { return m_module != nullptr; }

 private:
  // The entry points' types, which the plug-in pins its entry points to.
  using NameFn = pluginentrypoints::On_Send_Dll_ID_Name;
  using MenuFn = pluginentrypoints::On_Menu_Select;
  using StartFn = pluginentrypoints::On_Start;
  using ExitFn = pluginentrypoints::On_Exit;
  using PesFn = pluginentrypoints::On_Server_PES_Receive;

  HMODULE m_module = nullptr;
  NameFn m_name = nullptr;
  MenuFn m_menu = nullptr;
  StartFn m_start = nullptr;
  ExitFn m_exit = nullptr;
  PesFn m_pes = nullptr;
};
