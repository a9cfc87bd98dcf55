// Module entry and registration helpers over the class-factory table.
#pragma once

#include <windows.h>

#include <PinnedType.h>

// The library entry of a module built on these classes: call from DllMain.
BOOL WINAPI DllEntryPoint(HINSTANCE hInstance, ULONG ulReason, LPVOID pv);

// Registers (or removes) every template's COM server keys, with
// "ThreadingModel" "Both", and its filter in the DirectShow filter category.
HRESULT AMovieDllRegisterServer2(BOOL bRegister);

// The COM server's exports, which each module built on these classes has:
// stdcall, as COM calls them.
extern "C" {
STDAPI DllGetClassObject(REFCLSID rClsID, REFIID riid, void** pv);
STDAPI DllCanUnloadNow();
STDAPI DllRegisterServer();
STDAPI DllUnregisterServer();
}
QUILLON_PIN_TYPE(&DllGetClassObject, HRESULT(__stdcall*)(REFCLSID, REFIID, void**));
QUILLON_PIN_TYPE(&DllCanUnloadNow, HRESULT(__stdcall*)());
QUILLON_PIN_TYPE(&DllRegisterServer, HRESULT(__stdcall*)());
QUILLON_PIN_TYPE(&DllUnregisterServer, HRESULT(__stdcall*)());
