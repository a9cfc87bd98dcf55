// Registration of a module's filters: the COM server keys and the filter
// mapper's entry in the DirectShow filter category.
#include "DllSetup.h"

#include "ComPtr.h"
#include "FactoryTemplate.h"
#include "HrCheck.h"

#include <cstdio>
#include <uuids.h>

namespace {

// "{XXXXXXXX-...}" in ANSI.
void ClsidToString(REFCLSID clsid, char* buf, size_t cb) {
  snprintf(buf, cb, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", static_cast<unsigned long>(clsid.Data1),
           clsid.Data2, clsid.Data3, clsid.Data4[0], clsid.Data4[1], clsid.Data4[2], clsid.Data4[3], clsid.Data4[4],
           clsid.Data4[5], clsid.Data4[6], clsid.Data4[7]);
}

HRESULT SetValue(HKEY hKey, const char* name, const char* value) {
  LONG rc = RegSetValueExA(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                           static_cast<DWORD>(strlen(value) + 1));
  return HRESULT_FROM_WIN32(rc);
}

// Closes a registry key when it goes.
struct CKeyHolder {
  CKeyHolder() = default;
  CKeyHolder(const CKeyHolder&) = delete;
  CKeyHolder& operator=(const CKeyHolder&) = delete;
  HKEY h = nullptr;
  ~CKeyHolder() {
    if (h) RegCloseKey(h);
  }
};

HRESULT CreateKey(HKEY hParent, const char* name, CKeyHolder* pKey) {
  return HRESULT_FROM_WIN32(RegCreateKeyExA(hParent, name, 0, nullptr, 0, KEY_WRITE, nullptr, &pKey->h, nullptr));
}

HRESULT RegisterServer(const CFactoryTemplate& t, const char* modulePath) {
  char clsid[64], keyName[128], name[MAX_PATH];
  ClsidToString(*t.m_ClsID, clsid, sizeof(clsid));
  WideCharToMultiByte(CP_ACP, 0, t.m_Name, -1, name, sizeof(name), nullptr, nullptr);
  snprintf(keyName, sizeof(keyName), "CLSID\\%s", clsid);
  CKeyHolder key, server;
  RETURN_IF_FAILED(CreateKey(HKEY_CLASSES_ROOT, keyName, &key));
  RETURN_IF_FAILED(SetValue(key.h, nullptr, name));
  RETURN_IF_FAILED(CreateKey(key.h, "InprocServer32", &server));
  RETURN_IF_FAILED(SetValue(server.h, nullptr, modulePath));
  RETURN_IF_FAILED(SetValue(server.h, "ThreadingModel", "Both"));
  return S_OK;
}

HRESULT UnregisterServer(const CFactoryTemplate& t) {
  char clsid[64], keyName[160];
  ClsidToString(*t.m_ClsID, clsid, sizeof(clsid));
  snprintf(keyName, sizeof(keyName), "CLSID\\%s\\InprocServer32", clsid);
  RegDeleteKeyA(HKEY_CLASSES_ROOT, keyName);
  snprintf(keyName, sizeof(keyName), "CLSID\\%s", clsid);
  LONG rc = RegDeleteKeyA(HKEY_CLASSES_ROOT, keyName);
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(rc);
}

HRESULT RegisterFilter(IFilterMapper2* pMapper, const AMOVIESETUP_FILTER& f, BOOL bRegister) {
  if (!bRegister) {
    HRESULT hr = pMapper->UnregisterFilter(&CLSID_LegacyAmFilterCategory, nullptr, *f.clsID);
    // Not registered is as good as removed.
    return hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ? S_OK : hr;
  }
  REGFILTER2 rf2 = {};
  rf2.dwVersion = 1;
  rf2.dwMerit = f.dwMerit;
  rf2.cPins = f.nPins;
  rf2.rgPins = f.lpPin;
  return pMapper->RegisterFilter(*f.clsID, f.strName, nullptr, &CLSID_LegacyAmFilterCategory, nullptr, &rf2);
}

// Each template's server (when registering) and filter, with COM initialised
// by the caller; stops at the first failure.
HRESULT RegisterServersAndFilters(BOOL bRegister, const char* modulePath) {
  if (bRegister)
    for (int i = 0; i < g_cTemplates; i++) RETURN_IF_FAILED(RegisterServer(g_Templates[i], modulePath));
  ComPtr<IFilterMapper2> mapper;
  RETURN_IF_FAILED(
      CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2, mapper.PutVoid()));
  for (int i = 0; i < g_cTemplates; i++)
    if (g_Templates[i].m_pAMovieSetup_Filter)
      RETURN_IF_FAILED(RegisterFilter(mapper.Get(), *g_Templates[i].m_pAMovieSetup_Filter, bRegister));
  return S_OK;
}

}  // namespace

HRESULT AMovieDllRegisterServer2(BOOL bRegister) {
  char modulePath[MAX_PATH];
  DWORD n = GetModuleFileNameA(g_hInst, modulePath, sizeof(modulePath));
  if (n == 0 || n >= sizeof(modulePath)) return E_FAIL;

  HRESULT hrInit = CoInitialize(nullptr);
  HRESULT hr = RegisterServersAndFilters(bRegister, modulePath);
  if (!bRegister) {
    // Every server key goes, whatever failed before.
    for (int i = 0; i < g_cTemplates; i++) {
      HRESULT hrServer = CHECK_HR(UnregisterServer(g_Templates[i]));
      if (SUCCEEDED(hr)) hr = hrServer;
    }
  }
  if (SUCCEEDED(hrInit)) CoUninitialize();
  return hr;
}
