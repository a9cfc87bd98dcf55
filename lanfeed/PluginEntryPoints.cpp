// The plug-in's entry points, called by the TV application: its display
// name, start with the host's main window, the menu command, every PES
// packet of the channel being watched (on the host's stream thread), and
// exit. No exception leaves them.
#include <winsock2.h>
#include <windows.h>

#include <Framework.h>

#include <cstring>

#include <PinnedType.h>
#include <PluginEntryPoints.h>

#include "PacketIntake.h"
#include "ServerDialog.h"

namespace {

const char kDisplayName[] = "MPEG2 TV-Server V1.16";
static_assert(sizeof(kDisplayName) == 22);

HWND g_hHostWnd = nullptr;
CServerDialog* g_pDialog = nullptr;  // UI thread only
// The stream thread's way to the dialog's server: closed before the dialog
// goes, so a packet handed over during On_Exit never reaches freed memory.
CPacketIntake g_intake;

template <typename Body>
void Guarded(Body body) {
  try {
    body();
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
}

}  // namespace

extern "C" {

void __cdecl On_Send_Dll_ID_Name(char* pszBuffer) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  if (pszBuffer) std::memcpy(pszBuffer, kDisplayName, sizeof(kDisplayName));
}

void __cdecl On_Menu_Select(int nID) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] {
    if (nID != ID_PLUGIN_PROPERTIES || !g_pDialog) return;
    g_pDialog->ShowWindow(SW_SHOW);
    g_pDialog->BringWindowToTop();
  });
}

void __cdecl On_Start(DWORD, HWND hHostWnd, DWORD, DWORD) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] {
    g_hHostWnd = hHostWnd;
    if (g_pDialog) return;
    auto* dialog = new CServerDialog(nullptr);
    dialog->SetHostWindow(hHostWnd);
    if (!dialog->Create(IDD_SERVER, nullptr)) {
      delete dialog;
      return;
    }
    g_pDialog = dialog;
    g_intake.Open(&dialog->Server());
    if (dialog->IsAutostart()) {
      dialog->ShowWindow(SW_SHOW);
      dialog->PostMessage(WM_COMMAND, IDC_START_STOP, 0);
    }
  });
}

void __cdecl On_Exit() {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] {
    if (!g_pDialog) return;
    g_intake.Close();
    if (g_pDialog->IsRunning()) g_pDialog->SendMessage(WM_COMMAND, IDC_START_STOP, 0);
    g_pDialog->SendMessage(WM_CLOSE, 0, 0);
    g_pDialog->DestroyWindow();
    delete g_pDialog;
    g_pDialog = nullptr;
  });
}

void __cdecl On_Server_PES_Receive(int nLength, const BYTE* pData) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  Guarded([&] { g_intake.Deliver(nLength, pData); });
}

}  // extern "C"

// Each entry point has the type the host calls it by (PluginEntryPoints.h).
QUILLON_PIN_TYPE(&On_Send_Dll_ID_Name, pluginentrypoints::On_Send_Dll_ID_Name);
QUILLON_PIN_TYPE(&On_Menu_Select, pluginentrypoints::On_Menu_Select);
QUILLON_PIN_TYPE(&On_Start, pluginentrypoints::On_Start);
QUILLON_PIN_TYPE(&On_Exit, pluginentrypoints::On_Exit);
QUILLON_PIN_TYPE(&On_Server_PES_Receive, pluginentrypoints::On_Server_PES_Receive);
