// heron.ax registers its COM server and its filter-mapper entry with regsvr32
// and removes both again.
#include "../include/ISourceFeed.h"
#include "DShowTestSupport.h"

#include <gtest/gtest.h>

namespace {

const char kClsidKey[] = "CLSID\\{ECC3AE33-C50A-4379-874B-59553107F929}";
const WCHAR kFilterName[] = L"Quillon Professional Ex Source";

bool ReadString(const std::string& key, const char* value, std::string* out) {
  HKEY h;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  char buf[MAX_PATH * 2] = {};
  DWORD cb = sizeof(buf) - 1, type = 0;
  LONG rc = RegQueryValueExA(h, value, nullptr, &type, reinterpret_cast<BYTE*>(buf), &cb);
  RegCloseKey(h);
  if (rc != ERROR_SUCCESS || type != REG_SZ) return false;
  *out = buf;
  return true;
}

bool KeyExists(const std::string& key) {
  HKEY h;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

std::wstring ReadBagString(IMoniker* pMoniker, LPCOLESTR name) {
  ComPtr<IPropertyBag> bag;
  if (FAILED(pMoniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, bag.PutVoid()))) return L"";
  VARIANT v;
  VariantInit(&v);
  std::wstring s;
  if (SUCCEEDED(bag->Read(name, &v, nullptr)) && v.vt == VT_BSTR) s = v.bstrVal;
  VariantClear(&v);
  return s;
}

// Whether the filter mapper lists heron among the filters with an output pin
// of this type and at least this merit.
bool MapperListsHeron(const GUID& major, const GUID& sub, DWORD merit) {
  ComPtr<IFilterMapper2> mapper;
  EXPECT_EQ(S_OK,
            CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2, mapper.PutVoid()));
  GUID types[2] = {major, sub};
  ComPtr<IEnumMoniker> e;
  HRESULT hr = mapper->EnumMatchingFilters(e.Put(), 0, FALSE, merit, FALSE, 0, nullptr, nullptr, nullptr, FALSE, TRUE,
                                           1, types, nullptr, nullptr);
  EXPECT_EQ(S_OK, hr);
  if (!e) return false;
  ComPtr<IMoniker> m;
  while (e->Next(1, m.Put(), nullptr) == S_OK) {
    if (ReadBagString(m.Get(), L"FriendlyName") == kFilterName) return true;
  }
  return false;
}

// Whether the system device enumerator lists heron in the DirectShow filter category.
bool CategoryListsHeron() {
  ComPtr<ICreateDevEnum> devEnum;
  EXPECT_EQ(S_OK, CoCreateInstance(CLSID_SystemDeviceEnum, nullptr, CLSCTX_INPROC_SERVER, IID_ICreateDevEnum,
                                   devEnum.PutVoid()));
  ComPtr<IEnumMoniker> e;
  if (devEnum->CreateClassEnumerator(CLSID_LegacyAmFilterCategory, e.Put(), 0) != S_OK) return false;
  ComPtr<IMoniker> m;
  while (e->Next(1, m.Put(), nullptr) == S_OK) {
    if (ReadBagString(m.Get(), L"FriendlyName") == kFilterName) {
      EXPECT_EQ(L"{ECC3AE33-C50A-4379-874B-59553107F929}", ReadBagString(m.Get(), L"CLSID"));
      return true;
    }
  }
  return false;
}

}  // namespace

TEST(HeronRegistration, RegistersAndUnregisters) {
  ASSERT_EQ(0, Regsvr32(HeronPath(), false));

  std::string name, server, threading;
  ASSERT_TRUE(ReadString(kClsidKey, nullptr, &name));
  EXPECT_EQ("Quillon Professional Ex Source", name);
  ASSERT_TRUE(ReadString(std::string(kClsidKey) + "\\InprocServer32", nullptr, &server));
  EXPECT_EQ(0, lstrcmpiA(HeronPath().c_str(), server.c_str())) << server;
  ASSERT_TRUE(ReadString(std::string(kClsidKey) + "\\InprocServer32", "ThreadingModel", &threading));
  EXPECT_EQ("Both", threading);

  EXPECT_TRUE(CategoryListsHeron());
  // Merit 0x200000, a video pin of MPEG-2 video and an audio pin of MPEG-2 audio.
  EXPECT_TRUE(MapperListsHeron(MEDIATYPE_Video, MEDIASUBTYPE_MPEG2_VIDEO, 0x200000));
  EXPECT_FALSE(MapperListsHeron(MEDIATYPE_Video, MEDIASUBTYPE_MPEG2_VIDEO, 0x200001));
  EXPECT_TRUE(MapperListsHeron(MEDIATYPE_Audio, MEDIASUBTYPE_MPEG2_AUDIO, 0x200000));
  EXPECT_FALSE(MapperListsHeron(MEDIATYPE_Audio, MEDIASUBTYPE_DOLBY_AC3, 0x200000));

  // Created by class identifier through the registry.
  ComPtr<ISourceFeed> feed;
  EXPECT_EQ(S_OK,
            CoCreateInstance(CLSID_ExSourceFilter, nullptr, CLSCTX_INPROC_SERVER, IID_ISourceFeed, feed.PutVoid()));
  feed.Reset();

  ASSERT_EQ(0, Regsvr32(HeronPath(), true));
  EXPECT_FALSE(KeyExists(kClsidKey));
  EXPECT_FALSE(CategoryListsHeron());
  EXPECT_FALSE(MapperListsHeron(MEDIATYPE_Video, MEDIASUBTYPE_MPEG2_VIDEO, 0x200000));
  // Unregistering twice is harmless.
  EXPECT_EQ(0, Regsvr32(HeronPath(), true));
}
