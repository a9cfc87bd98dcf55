#include "Resize.h"

#include <vector>

BEGIN_MESSAGE_MAP(CJVSizeGrip, CScrollBar)
ON_WM_SETCURSOR()
END_MESSAGE_MAP()

BOOL CJVSizeGrip::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
  if (nHitTest != HTCLIENT) return CScrollBar::OnSetCursor(pWnd, nHitTest, message);
  ::SetCursor(::LoadCursor(nullptr, IDC_SIZENWSE));
  return TRUE;
}

// The placement entry is the 44-byte WINDOWPLACEMENT at either width.
static_assert(sizeof(WINDOWPLACEMENT) == 44, "WINDOWPLACEMENT is stored as 44 bytes");

CJVResize::CJVResize(CWnd* pWnd, DWORD dwFlags)
    : m_nFlags(dwFlags), m_pWnd(pWnd), m_rectLast(0, 0, 0, 0), m_rectInitial(0, 0, 0, 0), m_szMin(0, 0),
      m_szMax(0, 0) {}

CJVResize::~CJVResize() { RemoveAllItems(); }

void CJVResize::RemoveAllItems() {
  for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) delete m_arrItems[i];
  m_arrItems.RemoveAll();
}

CJVResizeItem* CJVResize::FindItem(UINT nID) const {
  for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
    CJVResizeItem* pItem = m_arrItems[i];
    if (pItem->IsWindowAlive() && static_cast<UINT>(pItem->m_pWnd->GetDlgCtrlID()) == nID) return pItem;
  }
  return nullptr;
}

void CJVResize::SetResize(UINT nID, HWND hWnd, const CJVResizeRect& rcAnchor) {
  if (CJVResizeItem* pItem = FindItem(nID)) {
    pItem->m_rcAnchor += rcAnchor;
    return;
  }
  if (!hWnd && m_pWnd) hWnd = ::GetDlgItem(m_pWnd->m_hWnd, static_cast<int>(nID));
  if (!hWnd || !::IsWindow(hWnd)) return;
  BOOL bOwns = FALSE;
  CWnd* pCtrl = CWnd::FromHandlePermanent(hWnd);
  if (!pCtrl) {
    pCtrl = new CWnd;
    pCtrl->Attach(hWnd);
    bOwns = TRUE;
  }
  CRect rect;
  pCtrl->GetWindowRect(&rect);
  m_pWnd->ScreenToClient(&rect);
  auto* pItem = new CJVResizeItem(pCtrl, rcAnchor, CJVResizeRect::FromInts(rect.left, rect.top, rect.right, rect.bottom),
                                  bOwns);
  pItem->Init(m_nFlags);
  m_arrItems.Add(pItem);
}

void CJVResize::Init() {
  if (!m_pWnd || !::IsWindow(m_pWnd->m_hWnd)) return;
  RemoveAllItems();
  m_pWnd->GetWindowRect(&m_rectInitial);
  m_rectLast = m_rectInitial;
  if (!(m_nFlags & JVRESIZE_NOMINSIZE)) m_szMin = m_rectInitial.Size();
  if (!(m_nFlags & JVRESIZE_NOCLIPCHILDREN)) m_pWnd->ModifyStyle(0, WS_CLIPCHILDREN);
  if (m_nFlags & JVRESIZE_NOSIZEICON) return;

  if (!::IsWindow(m_wndSizeGrip.m_hWnd)) {
    CRect rcClient;
    m_pWnd->GetClientRect(&rcClient);
    rcClient.OffsetRect(-1, -1);
    const int cx = ::GetSystemMetrics(SM_CXSMICON), cy = ::GetSystemMetrics(SM_CYSMICON);
    const CRect rcGrip(rcClient.right - cx, rcClient.bottom - cy, rcClient.right, rcClient.bottom);
    m_wndSizeGrip.Create(WS_CHILD | WS_VISIBLE | SBS_SIZEGRIP, rcGrip, m_pWnd, kSizeGripId);
  }
  if (!::IsWindow(m_wndSizeGrip.m_hWnd)) return;
  m_wndSizeGrip.SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
  SetResize(kSizeGripId, nullptr, CJVResizeRect(1.0f, 1.0f, 1.0f, 1.0f));
}

void CJVResize::Layout() {
  if (m_arrItems.GetSize() == 0 || !m_pWnd) return;
  CRect rcWindow;
  m_pWnd->GetWindowRect(&rcWindow);
  const int dxLast = rcWindow.Width() - m_rectLast.Width();
  const int dyLast = rcWindow.Height() - m_rectLast.Height();

  struct Pending {
    CJVResizeItem* pItem;
    CJVResizeRect rcNew;
    CJVResizeMove move;
    UINT nFlags;
  };
  std::vector<Pending> pending;
  HDWP hDWP = ::BeginDeferWindowPos(static_cast<int>(m_arrItems.GetSize()));
  BOOL bDeferFailed = hDWP == nullptr;
  for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
    CJVResizeItem* pItem = m_arrItems[i];
    if (!pItem->IsWindowAlive()) continue;
    int dx = dxLast, dy = dyLast;
    if (!pItem->m_bPlaced) {
      // An item that never moved follows the whole change since Init.
      dx = rcWindow.Width() - m_rectInitial.Width();
      dy = rcWindow.Height() - m_rectInitial.Height();
      pItem->m_bPlaced = TRUE;
    }
    const CJVResizeRect rcNew = pItem->m_rcRect.Moved(dx, dy, pItem->m_rcAnchor);
    if (rcNew == pItem->m_rcRect) continue;
    CRect rcCurrent;
    pItem->m_pWnd->GetWindowRect(&rcCurrent);
    m_pWnd->ScreenToClient(&rcCurrent);
    const CJVResizeMove move =
        JVResizeMoveTo(rcNew, rcCurrent.left, rcCurrent.top, rcCurrent.Width(), rcCurrent.Height());
    UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    if (!move.bMove) nFlags |= SWP_NOMOVE;
    nFlags |= move.bSize ? SWP_NOCOPYBITS : SWP_NOSIZE;
    pending.push_back({pItem, rcNew, move, nFlags});
    if (bDeferFailed) continue;
    HDWP hNext = ::DeferWindowPos(hDWP, pItem->m_pWnd->m_hWnd, nullptr, move.x, move.y, move.cx, move.cy, nFlags);
    if (hNext)
      hDWP = hNext;
    else
      bDeferFailed = TRUE;
  }
  // A failed deferral abandons the whole positioning (its handle is no
  // longer valid): every control is then moved by itself, so that none is
  // left where its rectangle no longer says it is.
  if (!bDeferFailed && !::EndDeferWindowPos(hDWP)) bDeferFailed = TRUE;
  for (const Pending& p : pending) {
    if (bDeferFailed && !::SetWindowPos(p.pItem->m_pWnd->m_hWnd, nullptr, p.move.x, p.move.y, p.move.cx, p.move.cy,
                                        p.nFlags))
      continue;  // the control stays where it is and keeps its rectangle
    p.pItem->m_rcRect = p.rcNew;
  }

  for (INT_PTR i = 0; i < m_arrItems.GetSize(); ++i) {
    CJVResizeItem* pItem = m_arrItems[i];
    if (pItem->m_bRepaint && pItem->IsWindowAlive()) pItem->m_pWnd->Invalidate(TRUE);
  }
  m_pWnd->GetWindowRect(&m_rectLast);
}

void CJVResize::GetMinMaxInfo(MINMAXINFO* pMMI) const {
  CJVResizeLimits limits = {pMMI->ptMaxSize.x,      pMMI->ptMaxSize.y,      pMMI->ptMinTrackSize.x,
                            pMMI->ptMinTrackSize.y, pMMI->ptMaxTrackSize.x, pMMI->ptMaxTrackSize.y};
  JVResizeApplyLimits(m_nFlags, m_rectLast.Width(), m_rectLast.Height(), m_szMin.cx, m_szMin.cy, m_szMax.cx,
                      m_szMax.cy, limits);
  pMMI->ptMaxSize.x = limits.maxSizeCx;
  pMMI->ptMaxSize.y = limits.maxSizeCy;
  pMMI->ptMinTrackSize.x = limits.minTrackCx;
  pMMI->ptMinTrackSize.y = limits.minTrackCy;
  pMMI->ptMaxTrackSize.x = limits.maxTrackCx;
  pMMI->ptMaxTrackSize.y = limits.maxTrackCy;
}

void CJVResize::SavePlacement() {
  if (m_strSection.IsEmpty() || !m_pWnd || !::IsWindow(m_pWnd->m_hWnd)) return;
  WINDOWPLACEMENT wp = {};
  wp.length = sizeof wp;
  if (!m_pWnd->GetWindowPlacement(&wp)) return;
  if (CWinApp* pApp = AfxGetApp())
    pApp->WriteProfileBinary(m_strSection, "WindowPlacement", reinterpret_cast<LPBYTE>(&wp), sizeof wp);
}
