#include "MultiMonitor.h"

#include "OptionalEntry.h"

CJVKMultiMonitor* GetMultiMonitor() {
  static CJVKMultiMonitor monitor;
  return &monitor;
}

void CJVKMultiMonitor::Bind() {
  if (m_nGeneration == JVKOptionalGeneration()) return;
  m_nGeneration = JVKOptionalGeneration();
  HMODULE hUser = JVKOptionalLibrary("USER32", FALSE);
  const bool bound =
      (m_pfnGetSystemMetrics = JVKOptionalProc<decltype(m_pfnGetSystemMetrics)>(hUser, "USER32", "GetSystemMetrics")) &&
      (m_pfnMonitorFromWindow =
           JVKOptionalProc<decltype(m_pfnMonitorFromWindow)>(hUser, "USER32", "MonitorFromWindow")) &&
      (m_pfnMonitorFromRect = JVKOptionalProc<decltype(m_pfnMonitorFromRect)>(hUser, "USER32", "MonitorFromRect")) &&
      (m_pfnMonitorFromPoint = JVKOptionalProc<decltype(m_pfnMonitorFromPoint)>(hUser, "USER32", "MonitorFromPoint")) &&
      (m_pfnGetMonitorInfo = JVKOptionalProc<decltype(m_pfnGetMonitorInfo)>(hUser, "USER32", "GetMonitorInfoA"));
  if (!bound) {
    m_pfnGetSystemMetrics = nullptr;
    m_pfnMonitorFromWindow = nullptr;
    m_pfnMonitorFromRect = nullptr;
    m_pfnMonitorFromPoint = nullptr;
    m_pfnGetMonitorInfo = nullptr;
  }
}

BOOL CJVKMultiMonitor::IsBound() {
  Bind();
  return m_pfnGetMonitorInfo != nullptr;
}

BOOL CJVKMultiMonitor::WorkAreaOf(HMONITOR hMonitor, RECT& rcWork) {
  if (hMonitor) {
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (m_pfnGetMonitorInfo(hMonitor, &info)) {
      rcWork = info.rcWork;
      return TRUE;
    }
  }
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
  return FALSE;
}

BOOL CJVKMultiMonitor::GetWorkAreaFromRect(RECT& rcWork, const RECT& rect) {
  Bind();
  return WorkAreaOf(m_pfnMonitorFromRect ? m_pfnMonitorFromRect(&rect, MONITOR_DEFAULTTONULL) : nullptr, rcWork);
}

BOOL CJVKMultiMonitor::GetWorkAreaFromWindow(RECT& rcWork, CWnd* pWnd) {
  Bind();
  return WorkAreaOf(
      m_pfnMonitorFromWindow ? m_pfnMonitorFromWindow(pWnd->GetSafeHwnd(), MONITOR_DEFAULTTONULL) : nullptr, rcWork);
}

BOOL CJVKMultiMonitor::GetWorkAreaFromCursor(RECT& rcWork) {
  Bind();
  POINT pt;
  ::GetCursorPos(&pt);
  return WorkAreaOf(m_pfnMonitorFromPoint ? m_pfnMonitorFromPoint(pt, MONITOR_DEFAULTTONULL) : nullptr, rcWork);
}
