#include "DecoderList.h"

#include <oleauto.h>
#include <uuids.h>

#include <cwchar>

namespace {

constexpr DWORD kMinimumMerit = 0x200001;

// A moniker's string property, or false.
bool ReadFriendlyName(IMoniker* moniker, WCHAR* name, size_t size) {
  ComPtr<IPropertyBag> bag;
  if (FAILED(moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.PutVoid()))) return false;
  VARIANT value;
  VariantInit(&value);
  bool ok = SUCCEEDED(bag->Read(L"FriendlyName", &value, nullptr)) && value.vt == VT_BSTR && value.bstrVal;
  if (ok) {
    std::wcsncpy(name, value.bstrVal, size - 1);
    name[size - 1] = 0;
  }
  VariantClear(&value);
  return ok;
}

}  // namespace

HRESULT EnumDecoders(const GUID& majorType, const GUID& subtype, DecoderList* list) {
  ComPtr<IFilterMapper2> mapper;
  HRESULT hr = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                mapper.PutVoid());
  if (FAILED(hr)) return hr;
  const GUID types[2] = {majorType, subtype};
  ComPtr<IEnumMoniker> monikers;
  hr = mapper->EnumMatchingFilters(monikers.Put(), 0, TRUE, kMinimumMerit, TRUE, 1, types, nullptr, nullptr, FALSE,
                                   FALSE, 0, nullptr, nullptr, nullptr);
  if (FAILED(hr)) return hr;
  if (!monikers) return S_OK;
  for (;;) {
    ComPtr<IMoniker> moniker;
    if (monikers->Next(1, moniker.Put(), nullptr) != S_OK) break;
    DecoderEntry entry = {};
    LPOLESTR displayName = nullptr;
    if (FAILED(moniker->GetDisplayName(nullptr, nullptr, &displayName)) || !displayName) continue;
    std::wcsncpy(entry.szDisplayName, displayName, 259);
    CoTaskMemFree(displayName);
    if (ReadFriendlyName(moniker.Get(), entry.szFriendlyName, 260)) list->push_back(entry);
  }
  return S_OK;
}

HRESULT AddFilterByDisplayName(IFilterGraph2* graph, const DecoderEntry& entry, ComPtr<IBaseFilter>* filter) {
  ComPtr<IBindCtx> context;
  HRESULT hr = CreateBindCtx(0, context.Put());
  if (FAILED(hr)) return hr;
  ComPtr<IMoniker> moniker;
  ULONG eaten = 0;
  hr = MkParseDisplayName(context.Get(), entry.szDisplayName, &eaten, moniker.Put());
  if (FAILED(hr)) return hr;
  ComPtr<IBaseFilter> made;
  hr = moniker->BindToObject(context.Get(), nullptr, IID_IBaseFilter, made.PutVoid());
  if (FAILED(hr)) return hr;
  hr = graph->AddFilter(made.Get(), entry.szFriendlyName);
  if (FAILED(hr)) return hr;
  *filter = std::move(made);
  return S_OK;
}
