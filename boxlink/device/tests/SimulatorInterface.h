// An interface of the simulator DLL (boxsim.dll), from the factory it
// exports by name; null while the DLL is not loaded.
#pragma once

#include <windows.h>

template <class Interface>
Interface* SimulatorInterface(const char* exportName) {
  typedef Interface*(__cdecl * Factory)();
  // Loaded with the library's test build, which imports it.
  HMODULE module = GetModuleHandleA("boxsim.dll");
  auto factory =
      module ? reinterpret_cast<Factory>(reinterpret_cast<void (*)()>(GetProcAddress(module, exportName))) : nullptr;
  return factory ? factory() : nullptr;
}
