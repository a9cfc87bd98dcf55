// CJVKThreadHook: one Windows hook of the calling thread (SetWindowsHookEx
// with the current thread id), removed by Remove or the destructor. The
// keyboard and mouse managers, the outside-click hook and the toolkit's own
// tooltip windows each keep theirs in one of these, so that no path leaves a
// hook installed after its owner is gone.
#pragma once

#include <Framework.h>

class CJVKThreadHook {
 public:
  CJVKThreadHook() = default;
  ~CJVKThreadHook() { Remove(); }
  CJVKThreadHook(const CJVKThreadHook&) = delete;
  CJVKThreadHook& operator=(const CJVKThreadHook&) = delete;

  // Installs the hook unless one is installed already; FALSE when the system
  // refuses it.
  BOOL Install(int nHookId, HOOKPROC pfnProc);
  void Remove();
  BOOL IsInstalled() const { return m_hHook != nullptr; }
  // The hooks that objects of this class hold, on every thread.
  static LONG GetInstalledCount();
  LRESULT CallNext(int nCode, WPARAM wParam, LPARAM lParam) const {
    return ::CallNextHookEx(m_hHook, nCode, wParam, lParam);
  }

 private:
  HHOOK m_hHook = nullptr;
};
