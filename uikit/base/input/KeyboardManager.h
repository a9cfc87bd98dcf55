// CJVKKeyboardManager: one per user-interface thread. While at least one hook
// client wants keys it keeps a keyboard hook and a call-window-procedure hook
// on the thread, so that an open popup or an edit control in a bar receives
// every key press before the focused window does:
// - a key release always passes; so does every key while no client is
//   registered;
// - Alt (VK_MENU) pressed while the mouse manager is not locked ends the
//   tracking of every popup and is swallowed; its auto-repeat passes;
// - any other press is offered as WM_KEYDOWN to the clients, newest first;
//   the first client that answers non-zero decides: JVK_HOOK_STOP lets the
//   key pass, any other non-zero answer swallows it. When no client answers,
//   the key is swallowed.
// A deactivation of the application (WM_ACTIVATEAPP FALSE) ends the tracking
// of every popup.
//
// A client is dropped by UnhookKeyboard, by its own destruction, and, when
// it is a window object (a CWnd), by the destruction of its window; the
// hooks go with the last client, so no forgotten client keeps the keyboard.
#pragma once

#include "HookClient.h"
#include "ThreadHook.h"

#include <vector>

class CJVKKeyboardManager : public CNoTrackObject {
 public:
  CJVKKeyboardManager() = default;
  // Removes both hooks.
  ~CJVKKeyboardManager() override;

  // Installs the hooks where they are missing and appends the client unless
  // it is registered already.
  void HookKeyboard(CJVKHookClient* pClient);
  // Drops the client; with the last one the hooks go.
  void UnhookKeyboard(CJVKHookClient* pClient);
  // Offers a key press to the clients; TRUE: it is swallowed.
  BOOL ProcessKeyboardHooks(UINT nMessage, WPARAM wParam, LPARAM lParam);

  BOOL IsKeyboardHooked() const { return m_hookKeyboard.IsInstalled(); }
  BOOL IsHooked(CJVKHookClient* pClient) const;

 private:
  struct CEntry {
    CJVKHookClient* pClient;
    CWnd* pWnd;  // the client as a window object, or NULL
  };

  static LRESULT CALLBACK KeyboardProc(int nCode, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK CallWndProc(int nCode, WPARAM wParam, LPARAM lParam);
  LRESULT OnKey(int nCode, WPARAM wParam, LPARAM lParam);
  void OnWindowDestroyed(HWND hWnd);
  void RemoveHooksWhenIdle();

  CJVKThreadHook m_hookKeyboard;
  CJVKThreadHook m_hookCallWndProc;
  std::vector<CEntry> m_clients;  // in registration order
};

// The calling thread's keyboard manager, made on first use and deleted when
// the thread ends.
CJVKKeyboardManager* GetKeyboardManager();
// The calling thread's keyboard manager, or NULL when it has none yet.
CJVKKeyboardManager* PeekKeyboardManager();
