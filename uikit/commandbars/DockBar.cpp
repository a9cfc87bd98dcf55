#include "DockBar.h"

#include "DockLayout.h"
#include "PaintManager.h"
#include "ToolBar.h"

#include <algorithm>

namespace {
// The control-bar alignment and border bits the dock bar keeps of its style.
const DWORD kKeptStyle = 0x0040FFFF;
}  // namespace

BEGIN_MESSAGE_MAP(CJVKDockBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_RBUTTONDOWN()
ON_MESSAGE(WM_PRINTCLIENT, OnPrintClient)
END_MESSAGE_MAP()

CJVKDockBar::CJVKDockBar(CJVKControlCommandBars* pCommandBars) : m_pCommandBars(pCommandBars) {}

BOOL CJVKDockBar::Create(CWnd* pParent, DWORD dwStyle, UINT nID) {
  m_dwStyle = dwStyle & kKeptStyle;
  LPCTSTR pszClass = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW));
  return CreateEx(0, pszClass, "", (dwStyle & 0xFFFF0000) | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), pParent, nID);
}

int CJVKDockBar::GetDockPosition() const {
  if (m_dwStyle & (0x2000 | 0x0800)) return jvkBarTop;
  if (m_dwStyle & (0x8000 | 0x0200)) return jvkBarBottom;
  if (m_dwStyle & (0x1000 | 0x0400)) return jvkBarLeft;
  return jvkBarRight;
}

BOOL CJVKDockBar::IsHorizontal() const { return (m_dwStyle & (0x2000 | 0x8000)) != 0; }

CRect CJVKDockBar::GetClientRect() const {
  CRect rc(0, 0, 0, 0);
  if (m_hWnd) ::GetClientRect(m_hWnd, &rc);
  return rc;
}

int CJVKDockBar::FindBar(CJVKToolBar* pBar, int nSkipIndex) const {
  for (int i = 0; i < (int)m_arrBars.size(); ++i)
    if (i != nSkipIndex && m_arrBars[i] == pBar) return i;
  return -1;
}

void CJVKDockBar::DockBar(CJVKToolBar* pBar, const CRect* prcScreen) {
  const BOOL bHere = pBar->GetDockBar() == this && FindBar(pBar) >= 0;
  if (bHere && prcScreen == nullptr) return;
  if (bHere && prcScreen && pBar->GetSafeHwnd()) {
    CRect rcWindow;
    pBar->GetWindowRect(&rcWindow);
    if (rcWindow == *prcScreen) return;
  }
  int nInsert = -1;
  if (prcScreen) {
    CRect rc = *prcScreen;
    ScreenToClient(&rc);
    // Each row's far edge, and the index of the null that closes it.
    std::vector<int> farEdges, closers;
    int nFar = 0;
    BOOL bVisibleInRow = FALSE;
    for (int i = 0; i < (int)m_arrBars.size(); ++i) {
      CJVKToolBar* p = m_arrBars[i];
      if (p == nullptr) {
        if (i > 0) {
          farEdges.push_back(bVisibleInRow ? nFar : (farEdges.empty() ? 0 : farEdges.back()));
          closers.push_back(i);
        }
        bVisibleInRow = FALSE;
        continue;
      }
      if (p == pBar || !p->IsVisible() || p->GetSafeHwnd() == nullptr) continue;
      CRect rcBar;
      p->GetWindowRect(&rcBar);
      ScreenToClient(&rcBar);
      nFar = std::max(nFar, static_cast<int>(IsHorizontal() ? rcBar.bottom : rcBar.right));
      bVisibleInRow = TRUE;
    }
    const CPoint c = rc.CenterPoint();
    const JVKDockInsert insert = JVKFindDockInsert(farEdges, IsHorizontal() ? c.y : c.x);
    // The row's first entry follows the null that closes the row before.
    const int nRowStart = insert.nRow == 0 ? 1 : closers[insert.nRow - 1] + 1;
    if (insert.nRow >= (int)closers.size()) {
      nInsert = -1;
    } else if (insert.bNewRow) {
      m_arrBars.insert(m_arrBars.begin() + nRowStart, nullptr);
      nInsert = nRowStart;
    } else {
      nInsert = nRowStart;
    }
    pBar->m_rcDockedPlace = rc;
  } else {
    pBar->m_rcDockedPlace.SetRectEmpty();
  }
  int nNewIndex = 0;
  if (nInsert < 0) {
    // A new last row.
    m_arrBars.push_back(pBar);
    m_arrBars.push_back(nullptr);
    nNewIndex = (int)m_arrBars.size() - 2;
  } else {
    m_arrBars.insert(m_arrBars.begin() + nInsert, pBar);
    nNewIndex = nInsert;
  }
  if (pBar->GetSafeHwnd() && ::GetParent(pBar->m_hWnd) != m_hWnd) pBar->SetParent(this);
  if (CJVKDockBar* pOld = pBar->GetDockBar(); pOld && pOld != this)
    pOld->RemoveBar(pBar);
  else if (pOld == this)
    RemoveBar(pBar, nNewIndex);
  pBar->SetDockBar(this);
  MakeStretchedBarsAlone();
  if (m_pCommandBars) m_pCommandBars->RecalcFrameLayout(TRUE);
}

void CJVKDockBar::MakeStretchedBarsAlone() {
  for (int i = 0; i < (int)m_arrBars.size(); ++i) {
    CJVKToolBar* p = m_arrBars[i];
    if (p == nullptr || !(p->GetDockingFlags() & JVK_DOCK_STRETCHED)) continue;
    if (i > 0 && m_arrBars[i - 1] != nullptr) {
      m_arrBars.insert(m_arrBars.begin() + i, nullptr);
      ++i;
    }
    if (i + 1 < (int)m_arrBars.size() && m_arrBars[i + 1] != nullptr) m_arrBars.insert(m_arrBars.begin() + i + 1, nullptr);
  }
}

void CJVKDockBar::RemoveBar(CJVKToolBar* pBar, int nSkipIndex) {
  const int nIndex = FindBar(pBar, nSkipIndex);
  if (nIndex < 0) return;
  m_arrBars.erase(m_arrBars.begin() + nIndex);
  // An emptied row: two nulls side by side, or a null at the start.
  if (nIndex < (int)m_arrBars.size() && m_arrBars[nIndex] == nullptr && (nIndex == 0 || m_arrBars[nIndex - 1] == nullptr))
    m_arrBars.erase(m_arrBars.begin() + nIndex);
  if (m_arrBars.empty()) m_arrBars.push_back(nullptr);
  if (m_arrBars.front() != nullptr) m_arrBars.insert(m_arrBars.begin(), nullptr);
  if (nSkipIndex < 0 && pBar->GetDockBar() == this) pBar->SetDockBar(nullptr);
  if (m_pCommandBars) m_pCommandBars->RecalcFrameLayout(TRUE);
}

void CJVKDockBar::GetBarsOfRow(int nIndex, std::vector<CJVKToolBar*>& bars) const {
  if (nIndex < 0 || nIndex >= (int)m_arrBars.size()) return;
  int nStart = nIndex;
  while (nStart > 0 && m_arrBars[nStart - 1] != nullptr) --nStart;
  std::vector<CJVKToolBar*> row;
  for (int i = nStart; i < (int)m_arrBars.size() && m_arrBars[i]; ++i)
    if (m_arrBars[i]->IsVisible()) row.push_back(m_arrBars[i]);
  const BOOL bVertical = (m_dwStyle & 0x5500) != 0;
  std::stable_sort(row.begin(), row.end(), [bVertical](CJVKToolBar* a, CJVKToolBar* b) {
    CRect ra, rb;
    a->GetWindowRect(&ra);
    b->GetWindowRect(&rb);
    return bVertical ? ra.top < rb.top : ra.left < rb.left;
  });
  bars.insert(bars.end(), row.begin(), row.end());
}

DWORD CJVKDockBar::BarMode(CJVKToolBar* pBar) const {
  DWORD dwMode = IsHorizontal() ? (LM_HORZDOCK | LM_HORZ) : LM_VERTDOCK;
  const DWORD dwFlags = pBar->GetDockingFlags();
  if (dwFlags & JVK_DOCK_STRETCHED) dwMode |= LM_STRETCH;
  if ((dwFlags & JVK_DOCK_HIDE_WRAPPED) && !(m_pCommandBars && m_pCommandBars->IsCustomizeMode()))
    dwMode |= JVK_LM_HIDE_WRAP;
  return dwMode;
}

CSize CJVKDockBar::CalcDockLayout(int nLength, DWORD dwMode, BOOL bPosition) {
  CSize sz(0, 0);
  if ((dwMode & LM_STRETCH) && (dwMode & LM_HORZ))
    sz = CSize(0x7FFF, 0);
  else if (dwMode & LM_STRETCH)
    sz = CSize(0, 0x7FFF);
  const BOOL bHorizontal = IsHorizontal();
  HDWP hDWP = bPosition ? ::BeginDeferWindowPos(static_cast<int>(m_arrBars.size())) : nullptr;
  int nOffset = 0;
  std::vector<CJVKToolBar*> row;
  for (CJVKToolBar* p : m_arrBars) {
    if (p != nullptr) {
      if (p->IsVisible() && p->GetSafeHwnd()) row.push_back(p);
      continue;
    }
    if (row.empty()) continue;
    std::vector<JVKDockRowItem> items;
    for (CJVKToolBar* pBar : row) {
      JVKDockRowItem item;
      item.nStart = bHorizontal ? pBar->m_rcDockedPlace.left : pBar->m_rcDockedPlace.top;
      item.dwMode = BarMode(pBar);
      item.dwFlags = pBar->GetDockingFlags() & JVK_BAR_FILLS_GAP;
      items.push_back(item);
    }
    std::vector<JVKDockRowPlace> places;
    const JVKDockSizeFn size = [&row, bPosition](int nItem, int nLen, DWORD dwItemMode) {
      if (!bPosition) dwItemMode &= ~LM_COMMIT;
      const CSize s = row[nItem]->CalcDockingLayout(nLen, dwItemMode);
      return JVKLayoutSize{s.cx, s.cy};
    };
    nOffset += JVKLayoutDockRowWrapped(items, nOffset, nLength, bHorizontal, size, places);
    if (bPosition) {
      for (const JVKDockRowPlace& place : places) {
        CJVKToolBar* pBar = row[place.nItem];
        pBar->SetDockedPosition(GetDockPosition());
        const JVKLayoutRect& r = place.rect;
        if (hDWP)
          hDWP = ::DeferWindowPos(hDWP, pBar->m_hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                                  SWP_NOZORDER | SWP_NOACTIVATE);
        pBar->Invalidate(FALSE);
      }
    }
    row.clear();
  }
  if (hDWP) ::EndDeferWindowPos(hDWP);
  if (bHorizontal)
    sz.cy = std::max(static_cast<int>(sz.cy), nOffset);
  else
    sz.cx = std::max(static_cast<int>(sz.cx), nOffset);
  return sz;
}

LRESULT CJVKDockBar::OnSizeParent(WPARAM, LPARAM lParam) {
  auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
  if (!(GetStyle() & WS_VISIBLE)) return 0;
  CRect rc(pLayout->rect);
  const BOOL bHorizontal = IsHorizontal();
  DWORD dwMode = ((m_dwStyle & 0x0001) && (m_dwStyle & 0x0004)) ? (LM_HORZ | LM_MRUWIDTH)
                 : bHorizontal                                   ? (LM_HORZDOCK | LM_HORZ)
                                                                 : LM_VERTDOCK;
  if (pLayout->bStretch) dwMode |= LM_STRETCH;
  CSize sz = CalcDockLayout(bHorizontal ? rc.Width() : rc.Height(), dwMode, pLayout->hDWP != nullptr);
  sz.cx = std::min(sz.cx, static_cast<LONG>(rc.Width()));
  sz.cy = std::min(sz.cy, static_cast<LONG>(rc.Height()));
  CRect rcPlace = rc;
  switch (GetDockPosition()) {
    case jvkBarTop:
      rcPlace.bottom = rc.top + sz.cy;
      pLayout->rect.top += sz.cy;
      break;
    case jvkBarBottom:
      rcPlace.top = rc.bottom - sz.cy;
      pLayout->rect.bottom -= sz.cy;
      break;
    case jvkBarLeft:
      rcPlace.right = rc.left + sz.cx;
      pLayout->rect.left += sz.cx;
      break;
    default:
      rcPlace.left = rc.right - sz.cx;
      pLayout->rect.right -= sz.cx;
      break;
  }
  if (bHorizontal) {
    pLayout->sizeTotal.cy += sz.cy;
    pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, sz.cx);
  } else {
    pLayout->sizeTotal.cx += sz.cx;
    pLayout->sizeTotal.cy = std::max(pLayout->sizeTotal.cy, sz.cy);
  }
  if (pLayout->hDWP)
    pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rcPlace.left, rcPlace.top, rcPlace.Width(),
                                     rcPlace.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
  Invalidate(FALSE);
  return 0;
}

void CJVKDockBar::OnRButtonDown(UINT, CPoint pt) {
  ClientToScreen(&pt);
  if (m_pCommandBars) m_pCommandBars->ShowBarsContextMenu(nullptr, pt);
}

CJVKPaintManager* CJVKDockBar::GetPaintManager() const {
  CJVKPaintManager* pPaint = m_pCommandBars ? m_pCommandBars->GetPaintManager() : nullptr;
  if (pPaint == nullptr) {
    if (CJVKPaintManager::GetCurrent() == nullptr) CJVKPaintManager::SetTheme(0);
    pPaint = CJVKPaintManager::GetCurrent();
  }
  return pPaint;
}

void CJVKDockBar::OnPaint() {
  CPaintDC dc(this);
  GetPaintManager()->FillDockBar(&dc, this);
}

LRESULT CJVKDockBar::OnPrintClient(WPARAM wParam, LPARAM lParam) {
  auto hDC = reinterpret_cast<HDC>(wParam);
  GetPaintManager()->FillDockBar(CDC::FromHandle(hDC), this);
  if (!(lParam & PRF_CHILDREN)) return 0;
  for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
    if (!::IsWindowVisible(hChild)) continue;
    CRect rc;
    ::GetWindowRect(hChild, &rc);
    ScreenToClient(&rc);
    POINT ptOld;
    ::OffsetViewportOrgEx(hDC, rc.left, rc.top, &ptOld);
    ::SendMessage(hChild, WM_PRINT, wParam, lParam);
    ::SetViewportOrgEx(hDC, ptOld.x, ptOld.y, nullptr);
  }
  return 0;
}
