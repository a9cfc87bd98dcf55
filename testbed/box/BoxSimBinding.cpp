// Linked into the library's test build only: binds the library's device port
// to the simulated box of boxsim.dll as the library loads, so that the tests
// drive the shipped library code against the simulator. The shipped library
// links no such file and always talks to the real driver.
#include "DevicePort.h"

extern "C" __declspec(dllimport) IDevicePort* __cdecl QuillonBoxPort();

namespace {
const bool g_boundToSimulator = (SetDevicePort(QuillonBoxPort()), true);
}  // namespace
