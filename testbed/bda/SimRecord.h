// The stand-ins' record: one line per value given to a network provider,
// tuning space, locator or tune request, or per PID mapped, kept in memory
// for the exports BdaSimRecord and BdaSimClearRecord. Also the failures a
// test injects (BdaSimFail): a stand-in's step named in BdaSim.h answers the
// injected error instead of doing its work.
#pragma once

#include <windows.h>

void SimRecordLine(const char* format, ...);
// The error injected for step, S_OK when none.
HRESULT SimFailure(const char* step);
// The same for "<object> <call>".
HRESULT SimFailure(const char* object, const char* call);
// False, with *phr set to the injected error, when a test made the creation
// of object fail ("create <object>").
bool SimMayCreate(const char* object, HRESULT* phr);
