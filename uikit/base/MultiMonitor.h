// CJVKMultiMonitor: work areas through the monitor functions of USER32,
// bound at run time; the primary work area where they are missing or no
// monitor holds the place asked about.
#pragma once

#include <Framework.h>

class CJVKMultiMonitor {
 public:
  // Each returns TRUE when the answer is a monitor's work area, FALSE when
  // it is the primary work area.
  BOOL GetWorkAreaFromRect(RECT& rcWork, const RECT& rect);
  BOOL GetWorkAreaFromWindow(RECT& rcWork, CWnd* pWnd);
  BOOL GetWorkAreaFromCursor(RECT& rcWork);
  BOOL IsBound();

  // The binding record: all five or none.
  int(WINAPI* m_pfnGetSystemMetrics)(int) = nullptr;
  HMONITOR(WINAPI* m_pfnMonitorFromWindow)(HWND, DWORD) = nullptr;
  HMONITOR(WINAPI* m_pfnMonitorFromRect)(LPCRECT, DWORD) = nullptr;
  HMONITOR(WINAPI* m_pfnMonitorFromPoint)(POINT, DWORD) = nullptr;
  BOOL(WINAPI* m_pfnGetMonitorInfo)(HMONITOR, LPMONITORINFO) = nullptr;

 private:
  // Binds once per resolver generation; the first missing name clears all.
  void Bind();
  BOOL WorkAreaOf(HMONITOR hMonitor, RECT& rcWork);

  UINT m_nGeneration = 0;
};

CJVKMultiMonitor* GetMultiMonitor();
