// CJVKHookClient: the interface of every object that receives messages of
// other windows (through the hook chain, HookManager.h) or the thread's key
// presses (through the keyboard manager, KeyboardManager.h). Popup bars, the
// menu bar, edit and combo controls and popup shadows implement it.
#pragma once

#include <Framework.h>

// Answers of HandleHookedMessage. What "handled" and "stop" mean differs per
// chain: see CJVKHookManager and CJVKKeyboardManager.
enum {
  JVK_HOOK_CONTINUE = 0,  // not handled: the next client gets the message
  JVK_HOOK_HANDLED = 1,
  JVK_HOOK_STOP = 2,  // no further client gets it, and it is not handled
};

class CJVKHookClient {
 public:
  CJVKHookClient() = default;
  CJVKHookClient(const CJVKHookClient&) = delete;
  CJVKHookClient& operator=(const CJVKHookClient&) = delete;

  // Calls HandleHookedMessage with the same arguments.
  virtual int OnHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) {
    return HandleHookedMessage(hWnd, nMessage, wParam, lParam, lResult);
  }
  // Takes the client off every hooked window and off the calling thread's
  // keyboard manager, so that no chain calls an object that is gone.
  virtual ~CJVKHookClient();
  // One of the JVK_HOOK_ answers. The chains may change wParam, lParam and
  // the result the message gets when it is handled (0 to begin with).
  virtual int HandleHookedMessage(HWND hWnd, UINT nMessage, WPARAM& wParam, LPARAM& lParam, LRESULT& lResult) = 0;
};
