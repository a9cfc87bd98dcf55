// CJVKHookManager: the process-wide hook chain. It subclasses a window on its
// first client and offers each of the window's messages to its clients, the
// last registered first, before the window's own procedure sees it:
//   JVK_HOOK_HANDLED  the offer ends, the window's procedure is not called and
//                     the message returns the result the client set;
//   JVK_HOOK_STOP     the offer ends and the window's procedure gets it;
//   JVK_HOOK_CONTINUE the next client gets it.
// WM_NCDESTROY reaches no client: the chain lets go of the window (its
// previous procedure is put back) and passes the message on, so a destroyed
// window's clients hear nothing more of it.
#pragma once

#include "HookClient.h"

#include <map>
#include <vector>

class CJVKHookManager {
 public:
  CJVKHookManager() = default;
  // Puts the previous procedure back on every window still hooked.
  ~CJVKHookManager();
  CJVKHookManager(const CJVKHookManager&) = delete;
  CJVKHookManager& operator=(const CJVKHookManager&) = delete;

  // Subclasses the window on its first client; a client is at most once in a
  // window's list. Ignored for a handle that is no window or a NULL client.
  void SetHook(HWND hWnd, CJVKHookClient* pClient);
  // Takes the client off the window; the last one going lets go of the
  // window.
  void RemoveHook(HWND hWnd, CJVKHookClient* pClient);
  // RemoveHook on every window the client is on.
  void RemoveAll(CJVKHookClient* pClient);

  BOOL IsHooked(HWND hWnd) const;
  int GetClientCount(HWND hWnd) const;

 private:
  struct CHookedWindow {
    std::vector<CJVKHookClient*> clients;  // in registration order
    WNDPROC pfnPrevious;
    HWND hWnd;
  };

  static LRESULT CALLBACK HookedWindowProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
  BOOL IsClientOf(HWND hWnd, CJVKHookClient* pClient) const;
  // Puts the previous procedure back and drops the record. When another
  // procedure was placed over the chain's meanwhile, the chain cannot step
  // out; the record then stays, without clients, to pass messages on until
  // the window goes.
  void Release(std::map<HWND, CHookedWindow>::iterator it);

  std::map<HWND, CHookedWindow> m_windows;
  // Guards m_windows: the chain is meant for the user-interface thread, but
  // its map is the process's.
  mutable CCriticalSection m_lock;
};

// The process-wide hook chain, made on first use.
CJVKHookManager* GetHookManager();
