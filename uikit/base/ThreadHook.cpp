#include "ThreadHook.h"

BOOL CJVKThreadHook::Install(int nHookId, HOOKPROC pfnProc) {
  if (m_hHook == nullptr) m_hHook = ::SetWindowsHookExA(nHookId, pfnProc, nullptr, ::GetCurrentThreadId());
  return m_hHook != nullptr;
}

void CJVKThreadHook::Remove() {
  if (m_hHook != nullptr) ::UnhookWindowsHookEx(m_hHook);
  m_hHook = nullptr;
}
