// Entry point of boxlink.dll: registers the library as an extension module
// of the framework and makes the owner table that the library's processes
// share. Built into the DLL only; programs that link the library's objects
// directly have no owner table.
#include "DVBLibrary.h"

#include "DVBOwnerTable.h"

namespace {

AFX_EXTENSION_MODULE g_boxlinkModule = {};

}  // namespace

void InitDvbApiDll() {
  // Each call links one more object; the framework unlinks them at unload.
  new CDynLinkLibrary(g_boxlinkModule);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      if (!AfxInitExtensionModule(g_boxlinkModule, instance)) return FALSE;
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
        AfxTermExtensionModule(g_boxlinkModule, FALSE);
        return FALSE;
      }
      return TRUE;
    case DLL_PROCESS_DETACH:
      // An open box stays open: the host closes it.
      delete g_pDVBOwnerTable;
      g_pDVBOwnerTable = nullptr;
      AfxTermExtensionModule(g_boxlinkModule, FALSE);
      return TRUE;
  }
  return TRUE;
}
