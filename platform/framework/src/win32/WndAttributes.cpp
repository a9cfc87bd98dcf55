// A window's attributes and the thin wrappers around them: styles, text,
// font, menu, coordinates and position, painting, scroll bars, owners and
// parents, message boxes.
#include "framework/DC.h"
#include "framework/Menu.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

namespace {
// Changes the style word at nIndex (GWL_STYLE or GWL_EXSTYLE); with nFlags,
// SetWindowPos applies the change to the frame. FALSE when nothing changed.
BOOL ModifyStyleWord(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  DWORD dwStyle = static_cast<DWORD>(::GetWindowLong(hWnd, nIndex));
  DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
  if (dwStyle == dwNewStyle) return FALSE;
  ::SetWindowLong(hWnd, nIndex, static_cast<LONG>(dwNewStyle));
  if (nFlags != 0)
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
  return TRUE;
}
}  // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleWord(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
  return ModifyStyleWord(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::GetWindowText(CString& rString) const {
  int nLen = ::GetWindowTextLength(m_hWnd);
  LPTSTR p = rString.GetBuffer(nLen);
  ::GetWindowText(m_hWnd, p, nLen + 1);
  rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
  rString.Empty();
  HWND hWnd = ::GetDlgItem(m_hWnd, nID);
  if (hWnd == nullptr) return 0;
  FromHandle(hWnd)->GetWindowText(rString);
  return rString.GetLength();
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), bRedraw);
}

CFont* CWnd::GetFont() const { return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0))); }

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }
BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu->GetSafeHmenu()); }
CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

void CWnd::ClientToScreen(LPRECT lpRect) const {
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
  ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner) {
  HWND hWndCenter = pAlternateOwner ? pAlternateOwner->m_hWnd
                                    : ((GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
  CRect rcDlg;
  GetWindowRect(&rcDlg);
  CRect rcArea, rcCenter;
  if (!(GetStyle() & WS_CHILD)) {
    HMONITOR hMonitor = ::MonitorFromWindow(hWndCenter ? hWndCenter : m_hWnd, MONITOR_DEFAULTTONEAREST);
    MONITORINFO mi = {};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfo(hMonitor, &mi);
    rcArea = mi.rcWork;
    if (hWndCenter == nullptr || !::IsWindowVisible(hWndCenter) || ::IsIconic(hWndCenter))
      rcCenter = rcArea;
    else
      ::GetWindowRect(hWndCenter, &rcCenter);
  } else {
    HWND hWndParent = ::GetParent(m_hWnd);
    ::GetClientRect(hWndParent, &rcArea);
    ::GetClientRect(hWndCenter, &rcCenter);
    ::MapWindowPoints(hWndCenter, hWndParent, reinterpret_cast<LPPOINT>(&rcCenter), 2);
  }
  int x = (rcCenter.left + rcCenter.right) / 2 - rcDlg.Width() / 2;
  int y = (rcCenter.top + rcCenter.bottom) / 2 - rcDlg.Height() / 2;
  if (x + rcDlg.Width() > rcArea.right) x = rcArea.right - rcDlg.Width();
  if (x < rcArea.left) x = rcArea.left;
  if (y + rcDlg.Height() > rcArea.bottom) y = rcArea.bottom - rcDlg.Height();
  if (y < rcArea.top) y = rcArea.top;
  ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase) {
  ::InvalidateRgn(m_hWnd, static_cast<HRGN>(pRgn->GetSafeHandle()), bErase);
}

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags) {
  return ::RedrawWindow(m_hWnd, lpRectUpdate, static_cast<HRGN>(prgnUpdate->GetSafeHandle()), flags);
}

CDC* CWnd::GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
CDC* CWnd::GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
int CWnd::ReleaseDC(CDC* pDC) { return ::ReleaseDC(m_hWnd, pDC->GetSafeHdc()); }
CDC* CWnd::BeginPaint(LPPAINTSTRUCT lpPaint) { return CDC::FromHandle(::BeginPaint(m_hWnd, lpPaint)); }

void CWnd::DragAcceptFiles(BOOL bAccept) {
  ModifyStyleEx(bAccept ? 0 : WS_EX_ACCEPTFILES, bAccept ? WS_EX_ACCEPTFILES : 0);
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask) {
  lpScrollInfo->cbSize = sizeof(SCROLLINFO);
  lpScrollInfo->fMask = nMask;
  return ::GetScrollInfo(m_hWnd, nBar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw) {
  lpScrollInfo->cbSize = sizeof(SCROLLINFO);
  ::SetScrollInfo(m_hWnd, nBar, lpScrollInfo, bRedraw);
  return TRUE;
}

void CWnd::SetOwner(CWnd* pOwnerWnd) {
  m_hWndOwner = pOwnerWnd->GetSafeHwnd();
  if (m_hWnd != nullptr && !(::GetWindowLong(m_hWnd, GWL_STYLE) & WS_CHILD))
    ::SetWindowLongPtr(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(m_hWndOwner));
}

CWnd* CWnd::GetOwner() const {
  if (m_hWndOwner != nullptr) return FromHandle(m_hWndOwner);
  HWND hWnd = ::GetWindow(m_hWnd, GW_OWNER);
  if (hWnd == nullptr) hWnd = ::GetParent(m_hWnd);
  return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelParent() const {
  HWND hWnd = m_hWnd;
  HWND hWndParent;
  while ((::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) && (hWndParent = ::GetParent(hWnd)) != nullptr)
    hWnd = hWndParent;
  return FromHandle(hWnd);
}

CWnd* CWnd::GetTopLevelOwner() const {
  HWND hWnd = m_hWnd;
  HWND hWndOwner;
  while ((hWndOwner = ::GetWindow(hWnd, GW_OWNER)) != nullptr || (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD)) {
    if (hWndOwner == nullptr) hWndOwner = ::GetParent(hWnd);
    if (hWndOwner == nullptr) break;
    hWnd = hWndOwner;
  }
  return FromHandle(hWnd);
}

CWnd* CWnd::GetParentFrame() const {
  // Frames are the framework's frame classes; until those exist, the
  // nearest framework window with a caption that is not a dialog.
  for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->IsFrameWnd()) return pWnd;
  }
  return nullptr;
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
  if (lpszCaption == nullptr) lpszCaption = AfxGetAppName();
  return ::MessageBox(m_hWnd, lpszText, lpszCaption, nType);
}
