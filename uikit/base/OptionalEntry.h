// The one resolver through which the toolkit binds optional system entries
// at run time (msimg32, UxTheme, the monitor functions, oleacc,
// NotifyWinEvent). Each user caches what it bound together with the
// resolver's generation and binds again when the generation has moved, so a
// test that makes the resolver refuse an entry sees the fallback at once.
#pragma once

#include <windows.h>

// A test's decision: TRUE refuses the library (entry NULL) or the entry.
typedef BOOL (*JVKRefuseOptional)(LPCSTR lpszLibrary, LPCSTR lpszEntry);

// LoadLibraryA (bLoad) or GetModuleHandleA of the library; NULL when refused.
HMODULE JVKOptionalLibrary(LPCSTR lpszLibrary, BOOL bLoad);
// GetProcAddress of the entry; NULL when the module is NULL or refused.
FARPROC JVKOptionalEntry(HMODULE hModule, LPCSTR lpszLibrary, LPCSTR lpszEntry);
// Moves on whenever the refusal changes.
UINT JVKOptionalGeneration();
// For tests only: installs (or with NULL removes) the refusal.
void JVKSetOptionalRefusal(JVKRefuseOptional pfnRefuse);

// The typed address of an entry, cast once here.
template <class T>
T JVKOptionalProc(HMODULE hModule, LPCSTR lpszLibrary, LPCSTR lpszEntry) {
  return reinterpret_cast<T>(JVKOptionalEntry(hModule, lpszLibrary, lpszEntry));
}
