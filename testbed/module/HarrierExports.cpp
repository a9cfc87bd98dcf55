// The two exports that only harrier has, in the harrier-kind test module:
// each logs what the host asked and answers 0.
#include <windows.h>

#include "ModuleApp.h"

extern "C" {

int __cdecl _SetSurface(int kind) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  ModuleApp().Host().Log(ModuleApp().SourceName(), __LINE__, kLogInfo, "surface %d", kind);
  return 0;
}

int __cdecl _SetADSwitch(int input) {
  AFX_MANAGE_STATE(AfxGetStaticModuleState());
  ModuleApp().Host().Log(ModuleApp().SourceName(), __LINE__, kLogInfo, "AD switch %d", input);
  return 0;
}

}  // extern "C"
