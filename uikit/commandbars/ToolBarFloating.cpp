// The floating side of CJVKToolBar: its position, its own popup window
// owned by the frame, the caption layout with the close and expand
// buttons, following the frame's activation (WM_FLOATSTATUS), and print
// preview.
#include "PaintManager.h"
#include "ToolBar.h"

#include "DockBar.h"

#include <algorithm>

namespace {
// The style of a bar's own floating window: a popup that clips its
// siblings and children.
const DWORD kFloatingWindowStyle = 0x86000100;
const DWORD kFloatingStyleBits = WS_POPUP | 0x100;
// The resize band along the edges of a floating bar.
const int kFloatingEdge = 3;
}  // namespace

CWnd* CJVKToolBar::GetFloatingOwner() { return m_pCommandBars ? m_pCommandBars->GetSite() : GetOwner(); }

BOOL CJVKToolBar::SetPosition(int nPosition) {
  if (m_pCommandBars == nullptr) return FALSE;
  const BOOL bFloating = nPosition == jvkBarFloating;
  const BOOL bWasFloating = m_nPosition == jvkBarFloating;
  if (bFloating && m_pDockBar) m_pDockBar->RemoveBar(this);
  m_nPosition = nPosition;
  if (bFloating != bWasFloating || m_hWnd == nullptr) {
    if (!SetFloatingFrame(GetFloatingOwner(), bFloating)) return FALSE;
  }
  if (bFloating)
    DelayLayout();
  else if (!m_pCommandBars->PlaceDockedBar(this, nPosition))
    m_pCommandBars->RecalcFrameLayout(FALSE);
  return TRUE;
}

BOOL CJVKToolBar::SetFloatingFrame(CWnd* pFrame, BOOL bFloating) {
  HWND hFrame = pFrame ? pFrame->GetSafeHwnd() : nullptr;
  if (m_hWnd == nullptr) {
    if (!bFloating) return FALSE;
    const DWORD dwExStyle = hFrame && (::GetWindowLong(hFrame, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) ? WS_EX_LAYOUTRTL : 0;
    LPCTSTR pszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    if (!CreateEx(dwExStyle, pszClass, m_strTitle, kFloatingWindowStyle, CRect(0, 0, 100, 100), pFrame, 0))
      return FALSE;
    m_bVisible = TRUE;
    ShowWindow(SW_SHOWNA);
    return TRUE;
  }
  CRect rcScreen;
  GetWindowRect(&rcScreen);
  const DWORD dwStyle = GetStyle();
  if (bFloating) {
    ::SetWindowLong(m_hWnd, GWL_STYLE, static_cast<LONG>((dwStyle & ~WS_CHILD) | kFloatingStyleBits));
    ::SetParent(m_hWnd, nullptr);
    ::SetWindowLongPtr(m_hWnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(hFrame));
    SetWindowPos(nullptr, rcScreen.left, rcScreen.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  } else {
    ::SetWindowLong(m_hWnd, GWL_STYLE, static_cast<LONG>((dwStyle & ~kFloatingStyleBits) | WS_CHILD));
    ::SetParent(m_hWnd, hFrame);
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  return TRUE;
}

CSize CJVKToolBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  // The gripper of a floating bar is its caption strip.
  const int h = GetPaintManager()->DrawCommandBarGripper(nullptr, this, FALSE).cy;
  const CRect rcBorders(3, h + 4, 3, 3);
  const BOOL bClose = m_bCloseable && m_nType != jvkBarTypeMenuBar;
  CJVKControl* pClose = bClose ? EnsureSystemButton(JVK_ID_TOOLBAR_CLOSE) : m_pControls->FindControl(JVK_ID_TOOLBAR_CLOSE);
  const BOOL bExpand = HasExpandButton() && m_pCommandBars->GetBarOptions().bShowExpandButtonAlways;
  CJVKControl* pExpand = bExpand ? EnsureSystemButton(JVK_ID_TOOLBAR_EXPAND) : m_pControls->FindControl(JVK_ID_TOOLBAR_EXPAND);
  // Laid out apart from the controls, in the caption.
  if (pClose) pClose->SetHideFlag(JVK_HIDE_GENERIC, TRUE);
  if (pExpand) pExpand->SetHideFlag(JVK_HIDE_GENERIC, TRUE);
  CSize sz = m_pControls->CalcDynamicSize(nullptr, nLength, dwMode, rcBorders, 0);
  if (!(dwMode & LM_COMMIT)) return sz;

  int nRight = sz.cx - 3;
  if (bClose) {
    pClose->SetRect(CRect(nRight - h, 3, nRight, 3 + h));
    pClose->SetHideFlag(JVK_HIDE_GENERIC, FALSE);
    nRight -= h;
  }
  if (bExpand && nRight - h >= rcBorders.left) {
    pExpand->SetRect(CRect(nRight - h, 3, nRight, 3 + h));
    pExpand->SetHideFlag(JVK_HIDE_GENERIC, FALSE);
  }
  return sz;
}

// ------------------------------------------------ the floating window

LRESULT CJVKToolBar::OnFloatStatus(WPARAM wParam, LPARAM) {
  if (m_nPosition != jvkBarFloating || !m_bVisible) return 0;
  if (wParam & FS_SHOW) ShowWindow(SW_SHOWNA);
  if (wParam & FS_HIDE) ShowWindow(SW_HIDE);
  if (wParam & FS_ENABLE) EnableWindow(TRUE);
  if (wParam & FS_DISABLE) EnableWindow(FALSE);
  const BOOL bSync = m_pCommandBars == nullptr || m_pCommandBars->GetBarOptions().bSyncFloatingBars;
  if (bSync) {
    CWnd* pOwner = GetFloatingOwner();
    HWND hFrame = pOwner ? ::GetAncestor(pOwner->GetSafeHwnd(), GA_ROOT) : nullptr;
    const BOOL bFrameActive = hFrame != nullptr && ::GetActiveWindow() == hFrame;
    if ((wParam & FS_DEACTIVATE) && !bFrameActive) ShowWindow(SW_HIDE);
    if ((wParam & FS_ACTIVATE) && !IsWindowVisible() && bFrameActive) {
      HWND hForeground = ::GetForegroundWindow();
      if (hForeground && ::IsWindowVisible(hForeground) && !::IsIconic(hForeground)) ShowWindow(SW_SHOWNA);
    }
  }
  return (wParam & FS_SYNCACTIVE) && (GetStyle() & WS_POPUP) ? TRUE : 0;
}

int CJVKToolBar::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT nMessage) {
  if (m_nPosition == jvkBarFloating || (m_pCommandBars && m_pCommandBars->IsCustomizeMode())) return MA_NOACTIVATE;
  return CJVKCommandBar::OnMouseActivate(pDesktopWnd, nHitTest, nMessage);
}

LRESULT CJVKToolBar::OnNcHitTest(CPoint pt) {
  if (m_nPosition != jvkBarFloating) return CJVKCommandBar::OnNcHitTest(pt);
  CRect rc;
  GetWindowRect(&rc);
  if (pt.y < rc.top + kFloatingEdge) return HTTOP;
  if (pt.y >= rc.bottom - kFloatingEdge) return HTBOTTOM;
  if (pt.x < rc.left + kFloatingEdge) return HTLEFT;
  if (pt.x >= rc.right - kFloatingEdge) return HTRIGHT;
  return HTCLIENT;
}

void CJVKToolBar::OnSetPreviewMode(BOOL bPreview) {
  if (bPreview == m_bInPreview) return;
  m_bInPreview = bPreview;
  if (bPreview) {
    m_bHiddenByPreview = m_bVisible;
    if (m_bVisible) SetVisible(FALSE);
  } else if (m_bHiddenByPreview) {
    m_bHiddenByPreview = FALSE;
    SetVisible(TRUE);
  }
}
