// Entry point of the card library stand-in: an extension module of the
// framework, like the real library.
#include "DVBLibrary.h"
#include "SimCard.h"

namespace {

AFX_EXTENSION_MODULE g_cardlinkModule = {};

}  // namespace

void InitDvbApiDll() {
  new CDynLinkLibrary(g_cardlinkModule);
  CSimCard::Get().Record("InitDvbApiDll");
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  switch (reason) {
    case DLL_PROCESS_ATTACH: return AfxInitExtensionModule(g_cardlinkModule, instance);
    case DLL_PROCESS_DETACH: AfxTermExtensionModule(g_cardlinkModule, FALSE); return TRUE;
  }
  return TRUE;
}
