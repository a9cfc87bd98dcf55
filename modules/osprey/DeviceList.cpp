#include "DeviceList.h"

#include <oleauto.h>

#include <ComPtr.h>

#include <cwchar>

namespace {

void CopyCut(WCHAR* to, size_t capacity, const WCHAR* from) {
  std::wcsncpy(to, from, capacity - 1);
  to[capacity - 1] = 0;
}

// One entry for the moniker; false when it has no friendly name.
bool MakeEntry(IMoniker* moniker, DeviceEntry* entry) {
  *entry = {};
  if (!ReadFriendlyName(moniker, entry->friendlyName, 260)) return false;
  ComPtr<IBindCtx> context;
  if (FAILED(CreateBindCtx(0, context.Put()))) return false;
  LPOLESTR display = nullptr;
  if (FAILED(moniker->GetDisplayName(context.Get(), nullptr, &display)) || !display) return false;
  CopyCut(entry->displayName, 260, display);
  CoTaskMemFree(display);
  return true;
}

HRESULT AppendAll(IEnumMoniker* monikers, DeviceList* list) {
  ComPtr<IMoniker> moniker;
  while (monikers->Next(1, moniker.Put(), nullptr) == S_OK) {
    DeviceEntry entry;
    if (MakeEntry(moniker.Get(), &entry)) list->push_back(entry);
  }
  return S_OK;
}

}  // namespace

bool ReadFriendlyName(IMoniker* moniker, WCHAR* name, size_t capacity) {
  ComPtr<IPropertyBag> bag;
  if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.PutVoid()))) return false;
  VARIANT value;
  VariantInit(&value);
  value.vt = VT_BSTR;
  const bool ok = SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR && value.bstrVal;
  if (ok) CopyCut(name, capacity, value.bstrVal);
  VariantClear(&value);
  return ok;
}

HRESULT EnumerateDevices(ICreateDevEnum* devices, REFCLSID category, DeviceList* list) {
  ComPtr<IEnumMoniker> monikers;
  const HRESULT hr = devices->CreateClassEnumerator(category, monikers.Put(), 0);
  if (hr != S_OK) return hr;
  return AppendAll(monikers.Get(), list);
}

HRESULT EnumerateFilters(IFilterMapper2* mapper, REFGUID major, REFGUID sub, DWORD minMerit, DeviceList* list) {
  const GUID types[2] = {major, sub};
  ComPtr<IEnumMoniker> monikers;
  const HRESULT hr = mapper->EnumMatchingFilters(monikers.Put(), 0, TRUE, minMerit, TRUE, 1, types, nullptr, nullptr,
                                                 FALSE, FALSE, 0, nullptr, nullptr, nullptr);
  if (FAILED(hr)) return hr;
  return AppendAll(monikers.Get(), list);
}
