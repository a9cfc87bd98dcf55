// Injected keyboard and mouse input for the hook tests, a bounded wait that
// pumps the thread's messages until a condition holds, and their windows.
#pragma once

#include <Framework.h>

#include <functional>

inline void InjectKey(WORD wKey, BOOL bUp) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = wKey;
  input.ki.dwFlags = bUp ? KEYEVENTF_KEYUP : 0;
  ::SendInput(1, &input, sizeof(input));
}

// Moves the cursor to a screen point (absolute coordinates in 0..65535).
inline void InjectMouseMove(int x, int y) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = (x * 65536 + 65535) / ::GetSystemMetrics(SM_CXSCREEN);
  input.mi.dy = (y * 65536 + 65535) / ::GetSystemMetrics(SM_CYSCREEN);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(input));
}

inline void InjectMouseButton(DWORD dwFlags) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = dwFlags;
  ::SendInput(1, &input, sizeof(input));
}

// Dispatches the thread's messages until bDone() holds; FALSE when it did
// not within the bound (generous: the wait ends as soon as it holds).
// onMessage sees each message before it is dispatched.
inline BOOL PumpUntil(const std::function<BOOL()>& bDone, DWORD dwBoundMs = 5000,
                      const std::function<void(const MSG&)>& onMessage = nullptr) {
  const DWORD dwStart = ::GetTickCount();
  for (;;) {
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (onMessage) onMessage(msg);
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
      if (bDone()) return TRUE;
    }
    if (bDone()) return TRUE;
    const DWORD dwSpent = ::GetTickCount() - dwStart;
    if (dwSpent >= dwBoundMs) return FALSE;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, dwBoundMs - dwSpent, QS_ALLINPUT);
  }
}

// A visible top-level window in front, with the keyboard focus.
inline void BringToFront(HWND hWnd) {
  ::ShowWindow(hWnd, SW_SHOW);
  ::SetForegroundWindow(hWnd);
  ::SetActiveWindow(hWnd);
  ::SetFocus(hWnd);
  PumpUntil([] { return FALSE; }, 0);
}

// A popup window of a class with the given procedure (registered on first
// use; registering again fails harmlessly).
inline HWND MakeTestPopup(LPCSTR pszClass, WNDPROC pfnProc, const RECT& rect, DWORD dwStyle, DWORD dwExStyle = 0) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = pfnProc;
  wc.hInstance = ::GetModuleHandleA(nullptr);
  wc.lpszClassName = pszClass;
  wc.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
  ::RegisterClassA(&wc);
  return ::CreateWindowExA(dwExStyle, pszClass, "", WS_POPUP | dwStyle, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, nullptr, nullptr, wc.hInstance, nullptr);
}
