// The simulator DLL: the device port the library's test build imports, and
// the control interface tests reach with GetProcAddress.
#include "BoxSimulator.h"
#include "DevicePort.h"
#include "SimCamControl.h"
#include "SimChipControl.h"
#include "SimIrReceiver.h"
#include "SimNetAdapter.h"

namespace {
// The chip simulator follows every box from the first one on.
const bool g_chipsFollowTheBox = (SimChips(), true);
}  // namespace

extern "C" __declspec(dllexport) IDevicePort* __cdecl QuillonBoxPort() { return &BoxSimulatorPort(); }

extern "C" __declspec(dllexport) IBoxSimulator* __cdecl QuillonBoxSimulator() { return &BoxSimulator(); }

extern "C" __declspec(dllexport) ISimNetAdapter* __cdecl QuillonBoxNetAdapter() { return &BoxNetAdapter(); }

extern "C" __declspec(dllexport) ISimChips* __cdecl QuillonChipSimulator() { return &SimChips(); }

extern "C" __declspec(dllexport) ISimCam* __cdecl QuillonBoxCam() { return &BoxSimCam(); }
extern "C" __declspec(dllexport) ISimIrReceiver* __cdecl QuillonIrReceiver() { return &IrReceiverSimulator(); }
