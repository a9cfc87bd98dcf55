// Entry point of boxlink.dll: registers the library as an extension module
// of the framework and makes what the library's processes share: the slave
// filter server's events and request memory, and the owner table. Built into
// the DLL only; programs that link the library's objects directly have
// neither.
#include "DVBLibrary.h"

#include "DVBOwnerTable.h"
#include "DVBSlaveFilterServer.h"

namespace {

AFX_EXTENSION_MODULE g_boxlinkModule = {};

// The server with its named events and request memory; null when the
// memory cannot be had.
CDVBSlaveFilterServer* NewSlaveFilterServer() {
  try {
    return new CDVBSlaveFilterServer;
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  return nullptr;
}

}  // namespace

void InitDvbApiDll() {
  // Each call links one more object; the framework unlinks them at unload.
  new CDynLinkLibrary(g_boxlinkModule);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      if (!AfxInitExtensionModule(g_boxlinkModule, instance)) return FALSE;
      // Without its request memory the library does not load.
      g_pSlaveFilterServer = NewSlaveFilterServer();
      if (!g_pSlaveFilterServer) {
        AfxTermExtensionModule(g_boxlinkModule, FALSE);
        return FALSE;
      }
      try {
        g_pDVBOwnerTable = new CDVBOwnerTable(BOXLINK_OWNER_TABLE_NAME);
      } catch (CException* e) {
        e->Delete();
        g_pDVBOwnerTable = nullptr;
      } catch (...) {
        g_pDVBOwnerTable = nullptr;
      }
      if (!g_pDVBOwnerTable) {
        AfxMessageBox("Unable to allocate shared memory", MB_ICONEXCLAMATION);
        delete g_pSlaveFilterServer;
        g_pSlaveFilterServer = nullptr;
        AfxTermExtensionModule(g_boxlinkModule, FALSE);
        return FALSE;
      }
      return TRUE;
    case DLL_PROCESS_DETACH:
      // An open box stays open: the host closes it.
      delete g_pDVBOwnerTable;
      g_pDVBOwnerTable = nullptr;
      delete g_pSlaveFilterServer;
      g_pSlaveFilterServer = nullptr;
      AfxTermExtensionModule(g_boxlinkModule, FALSE);
      return TRUE;
  }
  return TRUE;
}
