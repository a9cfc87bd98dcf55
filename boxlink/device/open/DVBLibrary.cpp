// Entry point of boxlink.dll: registers the library as an extension module
// of the framework and makes what the library's processes share: the slave
// filter server's events and request memory, and the owner table. Built into
// the DLL only; programs that link the library's objects directly have
// neither.
#include "DVBLibrary.h"

#include "LibraryObjects.h"

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
      if (!MakeLibraryObjects()) {
        AfxTermExtensionModule(g_boxlinkModule, FALSE);
        return FALSE;
      }
      return TRUE;
    case DLL_PROCESS_DETACH:
      // An open box stays open: the host closes it.
      ReleaseLibraryObjects();
      AfxTermExtensionModule(g_boxlinkModule, FALSE);
      return TRUE;
  }
  return TRUE;
}
