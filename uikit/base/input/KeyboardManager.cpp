#include "KeyboardManager.h"

#include "MouseManager.h"

namespace {

THREAD_LOCAL(CJVKKeyboardManager, t_keyboardManager)

const LPARAM kKeyReleased = static_cast<LPARAM>(1) << 31;
const LPARAM kKeyRepeated = static_cast<LPARAM>(1) << 30;
const LPARAM kAltHeld = static_cast<LPARAM>(1) << 29;

}  // namespace

CJVKKeyboardManager* GetKeyboardManager() { return t_keyboardManager.GetData(); }
CJVKKeyboardManager* PeekKeyboardManager() { return t_keyboardManager.GetDataNA(); }

CJVKKeyboardManager::~CJVKKeyboardManager() {
  m_hookKeyboard.Remove();
  m_hookCallWndProc.Remove();
}

void CJVKKeyboardManager::HookKeyboard(CJVKHookClient* pClient) {
  if (pClient == nullptr) return;
  m_hookKeyboard.Install(WH_KEYBOARD, KeyboardProc);
  m_hookCallWndProc.Install(WH_CALLWNDPROC, CallWndProc);
  if (!IsHooked(pClient)) m_clients.push_back({pClient, dynamic_cast<CWnd*>(pClient)});
}

void CJVKKeyboardManager::UnhookKeyboard(CJVKHookClient* pClient) {
  for (auto it = m_clients.begin(); it != m_clients.end(); ++it) {
    if (it->pClient == pClient) {
      m_clients.erase(it);
      break;
    }
  }
  RemoveHooksWhenIdle();
}

BOOL CJVKKeyboardManager::IsHooked(CJVKHookClient* pClient) const {
  for (const CEntry& entry : m_clients)
    if (entry.pClient == pClient) return TRUE;
  return FALSE;
}

void CJVKKeyboardManager::RemoveHooksWhenIdle() {
  if (!m_clients.empty()) return;
  m_hookKeyboard.Remove();
  m_hookCallWndProc.Remove();
}

BOOL CJVKKeyboardManager::ProcessKeyboardHooks(UINT nMessage, WPARAM wParam, LPARAM lParam) {
  // A client may drop itself, or others, while it handles the key: each is
  // asked only while it is still registered.
  std::vector<CEntry> clients = m_clients;
  for (auto it = clients.rbegin(); it != clients.rend(); ++it) {
    if (!IsHooked(it->pClient)) continue;
    WPARAM wKey = wParam;
    LPARAM lKey = lParam;
    LRESULT lResult = 0;
    int nAnswer = it->pClient->OnHookedMessage(nullptr, nMessage, wKey, lKey, lResult);
    if (nAnswer != JVK_HOOK_CONTINUE) return nAnswer != JVK_HOOK_STOP;
  }
  return TRUE;
}

LRESULT CJVKKeyboardManager::OnKey(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode != HC_ACTION || m_clients.empty() || (lParam & kKeyReleased))
    return m_hookKeyboard.CallNext(nCode, wParam, lParam);
  // A thread without a mouse manager has no popups to close and no lock.
  CJVKMouseManager* pMouse = PeekMouseManager();
  if ((lParam & kAltHeld) && wParam == VK_MENU && (pMouse == nullptr || pMouse->m_nLock <= 0)) {
    if (lParam & kKeyRepeated) return m_hookKeyboard.CallNext(nCode, wParam, lParam);
    if (pMouse != nullptr) pMouse->SendTrackLost();
    return 1;
  }
  if (ProcessKeyboardHooks(WM_KEYDOWN, wParam, lParam)) return 1;
  return m_hookKeyboard.CallNext(nCode, wParam, lParam);
}

void CJVKKeyboardManager::OnWindowDestroyed(HWND hWnd) {
  for (auto it = m_clients.begin(); it != m_clients.end();) {
    if (it->pWnd != nullptr && it->pWnd->m_hWnd == hWnd)
      it = m_clients.erase(it);
    else
      ++it;
  }
  RemoveHooksWhenIdle();
}

LRESULT CALLBACK CJVKKeyboardManager::KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam) {
  return GetKeyboardManager()->OnKey(nCode, wParam, lParam);
}

LRESULT CALLBACK CJVKKeyboardManager::CallWndProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode == HC_ACTION) {
    const CWPSTRUCT* pMsg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    CJVKMouseManager* pMouse = PeekMouseManager();
    if (pMsg->message == WM_ACTIVATEAPP && !pMsg->wParam && pMouse != nullptr) pMouse->SendTrackLost();
    if (pMsg->message == WM_NCDESTROY) GetKeyboardManager()->OnWindowDestroyed(pMsg->hwnd);
  }
  // The destruction of the last client's window has just removed this very
  // hook; the system knows which hook runs without its handle.
  return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}
