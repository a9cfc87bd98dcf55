// Module entry and registration helpers over the class-factory table.
#pragma once

#include <windows.h>

// The library entry of a module built on these classes: call from DllMain.
BOOL WINAPI DllEntryPoint(HINSTANCE hInstance, ULONG ulReason, LPVOID pv);

// Registers (or removes) every template's COM server keys, with
// "ThreadingModel" "Both", and its filter in the DirectShow filter category.
HRESULT AMovieDllRegisterServer2(BOOL bRegister);

extern "C" {
STDAPI DllGetClassObject(REFCLSID rClsID, REFIID riid, void** pv);
STDAPI DllCanUnloadNow();
}
