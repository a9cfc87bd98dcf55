#include "ThreadHook.h"

namespace {

volatile LONG g_nInstalled = 0;

}  // namespace

LONG CJVKThreadHook::GetInstalledCount() { return ::InterlockedCompareExchange(&g_nInstalled, 0, 0); }

BOOL CJVKThreadHook::Install(int nHookId, HOOKPROC pfnProc) {
  if (m_hHook == nullptr) {
    m_hHook = ::SetWindowsHookExA(nHookId, pfnProc, nullptr, ::GetCurrentThreadId());
    if (m_hHook != nullptr) ::InterlockedIncrement(&g_nInstalled);
  }
  return m_hHook != nullptr;
}

void CJVKThreadHook::Remove() {
  if (m_hHook == nullptr) return;
  ::UnhookWindowsHookEx(m_hHook);
  ::InterlockedDecrement(&g_nInstalled);
  m_hHook = nullptr;
}
