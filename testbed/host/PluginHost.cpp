#include "PluginHost.h"

#include <cstring>

bool CPluginHost::Load(const std::string& path, std::string* error) {
  m_module = LoadLibraryA(path.c_str());
  if (!m_module) {
    *error = "cannot load " + path + " (error " + std::to_string(GetLastError()) + ")";
    return false;
  }
  struct Entry {
    const char* name;
    FARPROC* slot;
  } entries[] = {
      {"On_Send_Dll_ID_Name", reinterpret_cast<FARPROC*>(&m_name)},
      {"On_Menu_Select", reinterpret_cast<FARPROC*>(&m_menu)},
      {"On_Start", reinterpret_cast<FARPROC*>(&m_start)},
      {"On_Exit", reinterpret_cast<FARPROC*>(&m_exit)},
      {"On_Server_PES_Receive", reinterpret_cast<FARPROC*>(&m_pes)},
  };
  for (const Entry& e : entries) {
    *e.slot = GetProcAddress(m_module, e.name);
    if (!*e.slot) {
      *error = path + " has no entry point " + e.name;
      Unload();
      return false;
    }
  }
  return true;
}

std::string CPluginHost::Name() {
  // A large buffer, so that a plug-in writing its name whole never overruns it.
  char buffer[256];
  std::memset(buffer, 0, sizeof(buffer));
  m_name(buffer);
  buffer[sizeof(buffer) - 1] = 0;
  return buffer;
}

std::string CPluginHost::MergeMenu(HMENU menuBar, UINT* itemId) {
  *itemId = 0;
  HMENU menu = LoadMenuA(m_module, "EXTERN");
  if (!menu) return {};
  HMENU popup = GetSubMenu(menu, 0);
  char text[128] = {};
  GetMenuStringA(menu, 0, text, sizeof(text), MF_BYPOSITION);
  if (popup) {
    *itemId = GetMenuItemID(popup, 0);
    // The popup now belongs to the host's menu bar; the empty top menu goes.
    RemoveMenu(menu, 0, MF_BYPOSITION);
    AppendMenuA(menuBar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), text[0] ? text : "Plug-in");
  }
  DestroyMenu(menu);
  return text[0] ? text : "Plug-in";
}

void CPluginHost::Start(HWND hostWindow) { m_start(0, hostWindow, 0, 0); }
void CPluginHost::MenuSelect(int id) { m_menu(id); }
void CPluginHost::Deliver(int length, const BYTE* data) { m_pes(length, data); }
void CPluginHost::Exit() { m_exit(); }

void CPluginHost::Unload() {
  if (m_module) FreeLibrary(m_module);
  m_module = nullptr;
  m_name = nullptr;
  m_menu = nullptr;
  m_start = nullptr;
  m_exit = nullptr;
  m_pes = nullptr;
}
