// The library's test build loaded through the start-up tests' facade DLL
// (StartupFacade.cpp), its functions, and its unload: the test program
// links none of the library, so unloading the facade unloads the library.
#pragma once

#include <windows.h>

class CLoadedLibrary {
 public:
  CLoadedLibrary() : m_facade(LoadLibraryA("boxlink_startup_facade.dll")) {}
  ~CLoadedLibrary() { Unload(); }
  CLoadedLibrary(const CLoadedLibrary&) = delete;
  CLoadedLibrary& operator=(const CLoadedLibrary&) = delete;

  bool Loaded() const { return m_facade != nullptr; }
  // FreeLibrary of the facade: the library's DLL_PROCESS_DETACH runs in it.
  bool Unload() {
    HMODULE facade = m_facade;
    m_facade = nullptr;
    return !facade || FreeLibrary(facade);
  }

  BOOL OpenDevice(WORD index, const char* appId, BOOL noNetwork) {
    return Function<BOOL (*)(WORD, const char*, BOOL)>("FacadeOpenDevice")(index, appId, noNetwork);
  }
  void CloseDevice() { Function<void (*)()>("FacadeCloseDevice")(); }
  int EnableIsoStream(int setting) { return Function<int (*)(int)>("FacadeEnableIsoStream")(setting); }
  BOOL GetCurrentDevApp(WORD index, const char** module, const char** appId) {
    return Function<BOOL (*)(WORD, const char**, const char**)>("FacadeGetCurrentDevApp")(index, module, appId);
  }
  void InitDvbApiDll() { Function<void (*)()>("FacadeInitDvbApiDll")(); }

 private:
  template <class Fn>
  Fn Function(const char* name) {
    FARPROC f = m_facade ? GetProcAddress(m_facade, name) : nullptr;
    if (!f) RaiseException(ERROR_PROC_NOT_FOUND, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(f));
  }

  HMODULE m_facade;
};
