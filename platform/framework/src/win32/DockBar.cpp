#include "framework/DockBar.h"

#include <algorithm>

#include "framework/FrameWnd.h"

IMPLEMENT_DYNAMIC(CDockBar, CControlBar)

BEGIN_MESSAGE_MAP(CDockBar, CControlBar)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CDockBar::CDockBar(BOOL bFloating) : m_bFloating(bFloating), m_bDestroying(FALSE) { SetBorders(0, 0, 0, 0); }

BOOL CDockBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID) {
  m_dwStyle = (dwStyle & CBRS_ALIGN_ANY) | CBRS_SIZE_DYNAMIC;
  LPCTSTR lpszClass =
      AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  return CWnd::CreateEx(0, lpszClass, nullptr, WindowStyleOf(dwStyle) | WS_CHILD | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0),
                        pParentWnd, nID);
}

int CDockBar::GetDockedCount() const {
  int nCount = 0;
  for (const auto& row : m_rows) nCount += static_cast<int>(row.size());
  return nCount;
}

namespace {
// Along the rows (x of a horizontal dock bar) and across them.
int Along(const CRect& rect, BOOL bHorz) { return bHorz ? rect.left : rect.top; }
int AcrossStart(const CRect& rect, BOOL bHorz) { return bHorz ? rect.top : rect.left; }
int AcrossEnd(const CRect& rect, BOOL bHorz) { return bHorz ? rect.bottom : rect.right; }

CRect RectIn(CWnd* pWnd, CWnd* pParent) {
  CRect rect;
  pWnd->GetWindowRect(&rect);
  pParent->ScreenToClient(&rect);
  return rect;
}
}  // namespace

void CDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) {
  ENSURE_ARG(pBar != nullptr && pBar->m_hWnd != nullptr);
  BOOL bHorz = m_bFloating || (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
  CDockBar* pOld = pBar->m_pDockBar;
  if (pOld == this) {
    for (auto& row : m_rows) row.erase(std::remove(row.begin(), row.end(), pBar), row.end());
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), [](const auto& row) { return row.empty(); }),
                 m_rows.end());
  }
  // The bar takes the dock bar's side (and lays itself out for it).
  DWORD dwAlign = m_bFloating ? CBRS_ALIGN_TOP : (m_dwStyle & CBRS_ALIGN_ANY);
  pBar->SetBarStyle((pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | dwAlign |
                    (m_bFloating ? CBRS_FLOATING : 0));
  pBar->SetParent(this);
  size_t nRow = m_rows.size();
  BOOL bNewRow = TRUE;
  if (lpRect != nullptr) {
    CRect rect(*lpRect);
    ScreenToClient(&rect);
    pBar->SetWindowPos(nullptr, rect.left, rect.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The row under the centre, else a new row before the first row beyond it.
    int nCentre = bHorz ? rect.CenterPoint().y : rect.CenterPoint().x;
    for (size_t i = 0; i < m_rows.size(); ++i) {
      int nStart = INT_MAX, nEnd = INT_MIN;
      for (CControlBar* pDocked : m_rows[i]) {
        CRect docked = RectIn(pDocked, this);
        nStart = std::min(nStart, AcrossStart(docked, bHorz));
        nEnd = std::max(nEnd, AcrossEnd(docked, bHorz));
      }
      if (nCentre >= nStart && nCentre < nEnd) {
        nRow = i;
        bNewRow = FALSE;
        break;
      }
      if (nCentre < nStart) {
        nRow = i;
        break;
      }
    }
  } else {
    pBar->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (bNewRow)
    m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(nRow), std::vector<CControlBar*>{pBar});
  else
    m_rows[nRow].push_back(pBar);
  if (pOld != nullptr && pOld != this) pOld->RemoveControlBar(pBar);
  pBar->m_pDockBar = this;
  LayoutParent();
}

BOOL CDockBar::RemoveControlBar(CControlBar* pBar) {
  BOOL bFound = FALSE;
  for (auto& row : m_rows) {
    auto it = std::find(row.begin(), row.end(), pBar);
    if (it != row.end()) {
      row.erase(it);
      bFound = TRUE;
    }
  }
  m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), [](const auto& row) { return row.empty(); }), m_rows.end());
  if (pBar->m_pDockBar == this) pBar->m_pDockBar = nullptr;
  if (m_bDestroying) return bFound;
  // A mini frame with nothing left to float goes.
  if (m_bFloating && m_rows.empty()) {
    if (CWnd* pMiniFrame = GetParentFrame()) pMiniFrame->DestroyWindow();
    return bFound;
  }
  LayoutParent();
  return bFound;
}

void CDockBar::LayoutParent() {
  auto* pFrame = static_cast<CFrameWnd*>(GetParentFrame());
  if (pFrame == nullptr) return;
  // A floating frame fits itself to its bars at once; a frame's layout waits.
  if (m_bFloating)
    pFrame->RecalcLayout();
  else
    pFrame->DelayRecalcLayout();
}

CSize CDockBar::LayoutRows(int nLength, BOOL bHorz) {
  int nOffset = 0, nUsed = 0;
  for (const auto& row : m_rows) {
    int nNext = 0, nThickness = 0;
    for (CControlBar* pBar : row) {
      if (!(pBar->GetStyle() & WS_VISIBLE) && !(pBar->m_nStateFlags & delayShow)) continue;
      CSize size = (pBar->GetBarStyle() & CBRS_SIZE_DYNAMIC)
                       ? pBar->CalcDynamicLayout(-1, bHorz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK)
                       : pBar->CalcFixedLayout(FALSE, bHorz);
      int nSize = bHorz ? size.cx : size.cy;
      // Where it is, unless that overlaps the bar before it or leaves the strip.
      int nPos = std::max(Along(RectIn(pBar, this), bHorz), nNext);
      if (nLength >= 0 && nPos + nSize > nLength) nPos = std::max(nNext, nLength - nSize);
      CRect rect = bHorz ? CRect(CPoint(nPos, nOffset), size) : CRect(CPoint(nOffset, nPos), size);
      pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
      nNext = nPos + nSize;
      nThickness = std::max<int>(nThickness, bHorz ? size.cy : size.cx);
    }
    nOffset += nThickness;
    nUsed = std::max(nUsed, nNext);
  }
  return CSize(nUsed, nOffset);
}

CSize CDockBar::CalcDynamicLayout(int nLength, DWORD dwMode) {
  BOOL bHorz = (dwMode & LM_HORZ) != 0;
  CSize used = LayoutRows(nLength, bHorz);
  // Docked along a side it spans the side; its thickness is that of the rows.
  int nAlong = nLength >= 0 ? nLength : used.cx;
  return bHorz ? CSize(nAlong, used.cy) : CSize(used.cy, nAlong);
}

CSize CDockBar::CalcFixedLayout(BOOL, BOOL bHorz) {
  CSize used = LayoutRows(-1, bHorz);
  return bHorz ? CSize(used.cx, used.cy) : CSize(used.cy, used.cx);
}

BOOL CDockBar::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  if (CControlBar::OnNotify(wParam, lParam, pResult)) return TRUE;
  // The frame that has the dock bars (the owner of a floating one).
  CWnd* pSite = GetBarOwner();
  if (pSite == nullptr || pSite == this) return FALSE;
  *pResult = pSite->SendMessage(WM_NOTIFY, wParam, lParam);
  return TRUE;
}

BOOL CDockBar::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CControlBar::OnCommand(wParam, lParam)) return TRUE;
  // The frame that has the dock bars (the owner of a floating one).
  CWnd* pSite = GetBarOwner();
  if (pSite == nullptr || pSite == this) return FALSE;
  pSite->SendMessage(WM_COMMAND, wParam, lParam);
  return TRUE;
}

void CDockBar::OnDestroy() {
  m_bDestroying = TRUE;
  for (auto& row : m_rows)
    for (CControlBar* pBar : row) pBar->m_pDockBar = nullptr;
  m_rows.clear();
  CControlBar::OnDestroy();
}
