#include "HookManager.h"

namespace {

// Sets the thread's current-message record (what the framework's Default and
// GetCurrentMessage read) to the hooked message, and puts the old one back
// however the chain's procedure is left.
class CCurrentMessageScope {
 public:
  CCurrentMessageScope(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam)
      : m_pRecord(AfxGetCurrentMessage()), m_saved(*m_pRecord) {
    m_pRecord->hwnd = hWnd;
    m_pRecord->message = nMessage;
    m_pRecord->wParam = wParam;
    m_pRecord->lParam = lParam;
  }
  ~CCurrentMessageScope() { *m_pRecord = m_saved; }
  CCurrentMessageScope(const CCurrentMessageScope&) = delete;
  CCurrentMessageScope& operator=(const CCurrentMessageScope&) = delete;

 private:
  MSG* m_pRecord;
  MSG m_saved;
};

}  // namespace

CJVKHookManager::~CJVKHookManager() {
  CSingleLock lock(&m_lock, TRUE);
  while (!m_windows.empty()) {
    auto it = m_windows.begin();
    if (::IsWindow(it->first) &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(it->first, GWLP_WNDPROC)) == &HookedWindowProc)
      ::SetWindowLongPtrA(it->first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.pfnPrevious));
    m_windows.erase(it);
  }
}

void CJVKHookManager::SetHook(HWND hWnd, CJVKHookClient* pClient) {
  if (pClient == nullptr || !::IsWindow(hWnd)) return;
  CSingleLock lock(&m_lock, TRUE);
  auto it = m_windows.find(hWnd);
  if (it == m_windows.end()) {
    CHookedWindow record;
    record.hWnd = hWnd;
    record.pfnPrevious = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookedWindowProc)));
    it = m_windows.emplace(hWnd, record).first;
  }
  std::vector<CJVKHookClient*>& clients = it->second.clients;
  for (CJVKHookClient* p : clients)
    if (p == pClient) return;
  clients.push_back(pClient);
}

void CJVKHookManager::RemoveHook(HWND hWnd, CJVKHookClient* pClient) {
  CSingleLock lock(&m_lock, TRUE);
  auto it = m_windows.find(hWnd);
  if (it == m_windows.end()) return;
  std::vector<CJVKHookClient*>& clients = it->second.clients;
  for (auto pos = clients.begin(); pos != clients.end(); ++pos) {
    if (*pos == pClient) {
      clients.erase(pos);
      if (clients.empty()) Release(it);
      return;
    }
  }
}

void CJVKHookManager::RemoveAll(CJVKHookClient* pClient) {
  std::vector<HWND> windows;
  {
    CSingleLock lock(&m_lock, TRUE);
    for (const auto& entry : m_windows) windows.push_back(entry.first);
  }
  for (HWND hWnd : windows) RemoveHook(hWnd, pClient);
}

BOOL CJVKHookManager::IsHooked(HWND hWnd) const {
  CSingleLock lock(&m_lock, TRUE);
  return m_windows.count(hWnd) != 0;
}

int CJVKHookManager::GetClientCount(HWND hWnd) const {
  CSingleLock lock(&m_lock, TRUE);
  auto it = m_windows.find(hWnd);
  return it == m_windows.end() ? 0 : static_cast<int>(it->second.clients.size());
}

BOOL CJVKHookManager::IsClientOf(HWND hWnd, CJVKHookClient* pClient) const {
  CSingleLock lock(&m_lock, TRUE);
  auto it = m_windows.find(hWnd);
  if (it == m_windows.end()) return FALSE;
  for (CJVKHookClient* p : it->second.clients)
    if (p == pClient) return TRUE;
  return FALSE;
}

void CJVKHookManager::Release(std::map<HWND, CHookedWindow>::iterator it) {
  HWND hWnd = it->first;
  if (::IsWindow(hWnd) && reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) != &HookedWindowProc)
    return;
  if (::IsWindow(hWnd)) ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(it->second.pfnPrevious));
  m_windows.erase(it);
}

LRESULT CALLBACK CJVKHookManager::HookedWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
  return GetHookManager()->Dispatch(hWnd, nMessage, wParam, lParam);
}

LRESULT CJVKHookManager::Dispatch(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
  CCurrentMessageScope scope(hWnd, nMessage, wParam, lParam);
  WNDPROC pfnPrevious = nullptr;
  std::vector<CJVKHookClient*> clients;
  {
    CSingleLock lock(&m_lock, TRUE);
    auto it = m_windows.find(hWnd);
    if (it == m_windows.end()) return ::DefWindowProcA(hWnd, nMessage, wParam, lParam);
    pfnPrevious = it->second.pfnPrevious;
    if (nMessage == WM_NCDESTROY) {
      // Let go even when another procedure sits over the chain's: the window
      // is going, and its handle may be given to another one.
      m_windows.erase(it);
      ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnPrevious));
      lock.Unlock();
      return ::CallWindowProcA(pfnPrevious, hWnd, nMessage, wParam, lParam);
    }
    clients = it->second.clients;
  }
  // Clients may come and go while one of them handles the message: each is
  // asked only while it is still on the window.
  for (auto pos = clients.rbegin(); pos != clients.rend(); ++pos) {
    if (!IsClientOf(hWnd, *pos)) continue;
    LRESULT lResult = 0;
    int nAnswer = (*pos)->OnHookedMessage(hWnd, nMessage, wParam, lParam, lResult);
    if (nAnswer == JVK_HOOK_HANDLED) return lResult;
    if (nAnswer == JVK_HOOK_STOP) break;
  }
  return ::CallWindowProcA(pfnPrevious, hWnd, nMessage, wParam, lParam);
}

CJVKHookManager* GetHookManager() {
  static CJVKHookManager manager;
  return &manager;
}
