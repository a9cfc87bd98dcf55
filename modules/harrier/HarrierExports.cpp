// The two exports only harrier has: the overlay's surface kind and the
// decoder's input. Like every export they run in the module's state and let
// no exception reach the host.
#include <windows.h>

#include <framework/Exception.h>

#include <PinnedType.h>

#include "HarrierApp.h"
#include "ModuleExportTypes.h"

namespace {

template <typename Body>
int Guarded(const char* exportName, Body body) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  auto& app = static_cast<CHarrierApp&>(ModuleApp());
  try {
    return body(app);
  } catch (CException* e) {
    e->Delete();
  } catch (...) {
  }
  app.Host().Log(app.SourceName(), __LINE__, kLogError, "MOD_harrier: exception in %s", exportName);
  return kModuleFailed;
}

}  // namespace

extern "C" {

int __cdecl _SetSurface(int kind) {
  return Guarded("_SetSurface", [&](CHarrierApp& app) { return app.SetSurface(kind); });
}

int __cdecl _SetADSwitch(int input) {
  return Guarded("_SetADSwitch", [&](CHarrierApp& app) { return app.SetADSwitch(input); });
}

}  // extern "C"

QUILLON_PIN_TYPE(&_SetSurface, moduleexports::SetSurface);
QUILLON_PIN_TYPE(&_SetADSwitch, moduleexports::SetADSwitch);
