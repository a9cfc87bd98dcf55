// Creating windows: the CBT hook that ties a new window to its object from
// its first message, CreateEx and Create, and the window classes the
// framework registers for them.
#include "framework/ModuleState.h"
#include "framework/Wnd.h"

#include <cstdio>

#include "ThreadState.h"
#include "WndInternal.h"

namespace {

void EnsureCommonControls() {
  static LONG s_done = 0;
  if (InterlockedExchange(&s_done, 1) == 0) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS |
                                                 ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES |
                                                 ICC_TAB_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
  }
}

BOOL IsImeWindow(HWND hWnd) {
  char szClass[32];
  if (GetClassNameA(hWnd, szClass, sizeof(szClass)) == 0) return FALSE;
  return lstrcmpiA(szClass, "IME") == 0 || lstrcmpiA(szClass, "MSCTFIME UI") == 0;
}

// Ties the first window created while pWndInit is set to that object and
// routes it through the framework's window procedure.
LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam) {
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  if (code == HCBT_CREATEWND && pState->pWndInit != nullptr) {
    HWND hWnd = reinterpret_cast<HWND>(wParam);
    if (!IsImeWindow(hWnd)) {
      CWnd* pWnd = pState->pWndInit;
      pState->pWndInit = nullptr;
      if (pWnd->Attach(hWnd)) {
        try {
          pWnd->PreSubclassWindow();
        } catch (CException* e) {
          e->ReportError(MB_ICONSTOP);
          e->Delete();
        }
        AfxInstallWndProc(pWnd, hWnd);
      }
    }
  }
  return CallNextHookEx(pState->hHookCbtFilter, code, wParam, lParam);
}

}  // namespace

// Sets up the hook for the window about to be created; removes it again
// when this object installed it.
class CWindowCreateHook {
 public:
  explicit CWindowCreateHook(CWnd* pWnd) : m_pState(AfxGetThreadState()), m_bInstalled(FALSE) {
    EnsureCommonControls();
    if (m_pState->hHookCbtFilter == nullptr) {
      m_pState->hHookCbtFilter = ::SetWindowsHookEx(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
      m_bInstalled = TRUE;
    }
    m_pPrevInit = m_pState->pWndInit;
    m_pState->pWndInit = pWnd;
  }
  ~CWindowCreateHook() {
    m_pState->pWndInit = m_pPrevInit;
    if (m_bInstalled) {
      ::UnhookWindowsHookEx(m_pState->hHookCbtFilter);
      m_pState->hHookCbtFilter = nullptr;
    }
  }
  CWindowCreateHook(const CWindowCreateHook&) = delete;
  CWindowCreateHook& operator=(const CWindowCreateHook&) = delete;

 private:
  AFX_THREAD_STATE* m_pState;
  CWnd* m_pPrevInit;
  BOOL m_bInstalled;
};

void AfxHookWindowCreate(CWnd* pWnd, void (*pfnCreate)(void*), void* pContext) {
  CWindowCreateHook hook(pWnd);
  pfnCreate(pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
  ENSURE_ARG(m_hWnd == nullptr);
  CREATESTRUCT cs = {};
  cs.dwExStyle = dwExStyle;
  cs.lpszClass = lpszClassName;
  cs.lpszName = lpszWindowName;
  cs.style = dwStyle;
  cs.x = x;
  cs.y = y;
  cs.cx = nWidth;
  cs.cy = nHeight;
  cs.hwndParent = hWndParent;
  cs.hMenu = nIDorHMenu;
  cs.hInstance = AfxGetInstanceHandle();
  cs.lpCreateParams = lpParam;
  if (!PreCreateWindow(cs)) {
    PostNcDestroy();
    return FALSE;
  }
  HWND hWnd;
  {
    CWindowCreateHook hook(this);
    hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent,
                            cs.hMenu, cs.hInstance, cs.lpCreateParams);
  }
  if (hWnd == nullptr) {
    // WM_CREATE failed after the window was tied to this object: the
    // destruction already detached it (and PostNcDestroy ran).
    if (m_hWnd != nullptr) Detach();
    return FALSE;
  }
  return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                    CWnd* pParentWnd, UINT nID, LPVOID lpParam) {
  return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, pParentWnd->GetSafeHwnd(),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                  UINT nID, void* pContext) {
  // A child window: the parent is required.
  ENSURE_ARG(pParentWnd != nullptr || !(dwStyle & WS_CHILD));
  return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs) {
  if (cs.lpszClass == nullptr) {
    cs.lpszClass =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
  }
  return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

namespace {
thread_local char t_szClassName[96];
}

BOOL AFXAPI AfxRegisterClass(WNDCLASS* lpWndClass) {
  WNDCLASS wc;
  if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &wc)) return TRUE;
  return ::RegisterClass(lpWndClass) != 0;
}

LPCTSTR AFXAPI AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
  HINSTANCE hInst = AfxGetInstanceHandle();
  snprintf(t_szClassName, sizeof(t_szClassName), "Afx:%p:%x:%p:%p:%p", static_cast<void*>(hInst), nClassStyle,
           static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
  WNDCLASS wc = {};
  wc.style = nClassStyle;
  wc.lpfnWndProc = ::DefWindowProc;
  wc.hInstance = hInst;
  wc.hIcon = hIcon;
  wc.hCursor = hCursor;
  wc.hbrBackground = hbrBackground;
  wc.lpszClassName = t_szClassName;
  if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
  return t_szClassName;
}
