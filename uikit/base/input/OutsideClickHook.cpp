#include "OutsideClickHook.h"

#include "OutsideClickRule.h"
#include "ThreadHook.h"

namespace {

CJVKThreadHook g_hook;
HWND g_hRemembered = nullptr;

LRESULT CALLBACK OutsideClickProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HC_ACTION && g_hRemembered) {
    const MOUSEHOOKSTRUCT* pInfo = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
    RECT rect;
    if (!::GetWindowRect(g_hRemembered, &rect)) {
      // The window went without clearing the hook: the click is the user's.
      const LRESULT lResult = g_hook.CallNext(nCode, wParam, lParam);
      SetOutsideClickHook(nullptr);
      return lResult;
    }
    if (IsOutsideClick(static_cast<UINT>(wParam), pInfo->pt.x, pInfo->pt.y, rect.left, rect.top, rect.right,
                       rect.bottom)) {
      HWND hOwner = ::GetWindow(g_hRemembered, GW_OWNER);
      if (!hOwner) hOwner = ::GetParent(g_hRemembered);
      ::SetFocus(hOwner);
      return 1;
    }
  }
  return g_hook.CallNext(nCode, wParam, lParam);
}

}  // namespace

void SetOutsideClickHook(CWnd* pWnd) {
  if (pWnd) {
    g_hook.Install(WH_MOUSE, OutsideClickProc);
    g_hRemembered = pWnd->GetSafeHwnd();
  } else {
    g_hook.Remove();
    g_hRemembered = nullptr;
  }
}

BOOL IsOutsideClickHookActive() { return g_hRemembered != nullptr; }
