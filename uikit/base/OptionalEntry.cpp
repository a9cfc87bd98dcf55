#include "OptionalEntry.h"

namespace {
JVKRefuseOptional g_pfnRefuse = nullptr;
// Starts at 1 so that a cache filled with generation 0 binds on first use.
UINT g_nGeneration = 1;
}  // namespace

HMODULE JVKOptionalLibrary(LPCSTR lpszLibrary, BOOL bLoad) {
  if (g_pfnRefuse && g_pfnRefuse(lpszLibrary, nullptr)) return nullptr;
  return bLoad ? ::LoadLibraryA(lpszLibrary) : ::GetModuleHandleA(lpszLibrary);
}

FARPROC JVKOptionalEntry(HMODULE hModule, LPCSTR lpszLibrary, LPCSTR lpszEntry) {
  if (!hModule) return nullptr;
  if (g_pfnRefuse && g_pfnRefuse(lpszLibrary, lpszEntry)) return nullptr;
  return ::GetProcAddress(hModule, lpszEntry);
}

UINT JVKOptionalGeneration() { return g_nGeneration; }

void JVKSetOptionalRefusal(JVKRefuseOptional pfnRefuse) {
  g_pfnRefuse = pfnRefuse;
  ++g_nGeneration;
}
