#include "GraphRot.h"

#include <objbase.h>

#include <cstdint>
#include <cstdio>

#include <ComPtr.h>

HRESULT RegisterGraphInRot(IUnknown* pGraph, DWORD flags, DWORD* pKey) {
  *pKey = 0;
  char text[64];
  std::snprintf(text, sizeof(text), "FilterGraph %08x pid %08x",
                static_cast<unsigned>(reinterpret_cast<uintptr_t>(pGraph)),
                static_cast<unsigned>(GetCurrentProcessId()));
  WCHAR name[64];
  MultiByteToWideChar(CP_ACP, 0, text, -1, name, 64);
  ComPtr<IRunningObjectTable> table;
  ComPtr<IMoniker> moniker;
  HRESULT hr = GetRunningObjectTable(0, table.Put());
  if (SUCCEEDED(hr)) hr = CreateItemMoniker(L"!", name, moniker.Put());
  if (SUCCEEDED(hr)) hr = table->Register(flags, pGraph, moniker.Get(), pKey);
  if (FAILED(hr)) *pKey = 0;
  return hr;
}

void RevokeGraphFromRot(DWORD* pKey) {
  if (!*pKey) return;
  ComPtr<IRunningObjectTable> table;
  if (SUCCEEDED(GetRunningObjectTable(0, table.Put()))) table->Revoke(*pKey);
  *pKey = 0;
}
