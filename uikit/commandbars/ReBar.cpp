#include "ReBar.h"

#include "DockBar.h"
#include "ToolBar.h"

namespace {
// The band records of the rebar's first version: what every common-controls
// version reads.
const UINT kBandInfoSize = REBARBANDINFOA_V3_SIZE;
// The length a band's bar is laid out for: longer than any screen.
const int kBandLength = 32000;
}  // namespace

BOOL CJVKReBar::AddToolBar(CJVKToolBar* pBar, DWORD dwBandStyle) {
  if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr || m_hWnd == nullptr) return FALSE;
  const CSize sz = pBar->CalcDockingLayout(kBandLength, LM_COMMIT | LM_HORZDOCK | LM_HORZ);
  pBar->SetWindowPos(nullptr, 0, 0, sz.cx, sz.cy, SWP_NOZORDER | SWP_NOACTIVATE);
  if (CJVKDockBar* pDock = pBar->GetDockBar()) {
    pDock->RemoveBar(pBar);
    pBar->SetDockBar(nullptr);
    pBar->ModifyBarStyle(CBRS_GRIPPER, 0);
  }
  if (!AddBar(pBar, nullptr, nullptr, dwBandStyle)) return FALSE;
  REBARBANDINFOA band = {};
  band.cbSize = kBandInfoSize;
  band.fMask = RBBIM_ID;
  band.wID = pBar->GetBarID();
  const int nLast = static_cast<int>(::SendMessage(m_hWnd, RB_GETBANDCOUNT, 0, 0)) - 1;
  ::SendMessage(m_hWnd, RB_SETBANDINFOA, static_cast<WPARAM>(nLast), reinterpret_cast<LPARAM>(&band));
  return TRUE;
}

int CJVKReBar::GetBandIndex(CJVKToolBar* pBar) const {
  if (pBar == nullptr || m_hWnd == nullptr) return -1;
  for (int i = static_cast<int>(::SendMessage(m_hWnd, RB_GETBANDCOUNT, 0, 0)) - 1; i >= 0; --i) {
    REBARBANDINFOA band = {};
    band.cbSize = kBandInfoSize;
    band.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_SIZE;
    if (::SendMessage(m_hWnd, RB_GETBANDINFOA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band)) &&
        band.hwndChild == pBar->GetSafeHwnd())
      return i;
  }
  return -1;
}

void CJVKReBar::RemoveToolBar(CJVKToolBar* pBar) {
  const int nIndex = GetBandIndex(pBar);
  if (nIndex >= 0) ::SendMessage(m_hWnd, RB_DELETEBAND, static_cast<WPARAM>(nIndex), 0);
}
