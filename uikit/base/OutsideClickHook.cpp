#include "OutsideClickHook.h"

#include "OutsideClickRule.h"

namespace {

HHOOK g_hHook = nullptr;
HWND g_hRemembered = nullptr;

LRESULT CALLBACK OutsideClickProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HC_ACTION && g_hRemembered) {
    const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    RECT rect;
    ::GetWindowRect(g_hRemembered, &rect);
    if (IsOutsideClick(static_cast<UINT>(wParam), pInfo->pt.x, pInfo->pt.y, rect.left, rect.top, rect.right,
                       rect.bottom)) {
      HWND hOwner = ::GetWindow(g_hRemembered, GW_OWNER);
      if (!hOwner) hOwner = ::GetParent(g_hRemembered);
      ::SetFocus(hOwner);
      return 1;
    }
  }
  return ::CallNextHookEx(g_hHook, nCode, wParam, lParam);
}

}  // namespace

void SetOutsideClickHook(CWnd* pWnd) {
  if (pWnd) {
    if (!g_hHook) g_hHook = ::SetWindowsHookExA(WH_MOUSE, OutsideClickProc, nullptr, ::GetCurrentThreadId());
    g_hRemembered = pWnd->GetSafeHwnd();
  } else {
    if (g_hHook) ::UnhookWindowsHookEx(g_hHook);
    g_hHook = nullptr;
    g_hRemembered = nullptr;
  }
}

BOOL IsOutsideClickHookActive() { return g_hRemembered != nullptr; }
