#include "TabClientWnd.h"

#include "TabAppearanceSet.h"
#include "TabColorSet.h"

#include <framework/MDIChildWnd.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CJVKTabClientWnd, CWnd)

void CJVKTabClientGroup::Reposition() { m_pClient->RepositionGroups(); }

CJVKTabPaintManager* CJVKTabClientGroup::GetPaintManager() const { return m_pClient->GetPaintManager(); }

void CJVKTabClientGroup::RedrawControl() { m_pClient->RedrawBand(); }

BOOL CJVKTabClientGroup::DrawIcon(CDC* pDC, CPoint pt, CJVKTabManagerItem* pItem, BOOL bDraw, CSize& szIcon) const {
  if (!pItem || !::IsWindow(pItem->GetHandle())) return FALSE;
  HICON hIcon = reinterpret_cast<HICON>(::SendMessage(pItem->GetHandle(), WM_GETICON, ICON_SMALL, 0));
  if (!hIcon) hIcon = reinterpret_cast<HICON>(::GetClassLongPtr(pItem->GetHandle(), GCLP_HICONSM));
  if (!hIcon) return FALSE;
  if (bDraw) ::DrawIconEx(*pDC, pt.x, pt.y, hIcon, szIcon.cx, szIcon.cy, 0, nullptr, DI_NORMAL);
  return TRUE;
}

void CJVKTabClientGroup::OnItemClick(CJVKTabManagerItem* pItem) {
  CMDIFrameWnd* pFrame = m_pClient->GetFrame();
  if (pFrame && ::IsWindow(pItem->GetHandle())) pFrame->MDIActivate(CWnd::FromHandle(pItem->GetHandle()));
  SetSelectedItem(pItem);
}

void CJVKTabClientGroup::OnNavigateButtonClick(int nId) {
  if (nId == jvkTabNavigateClose && GetSelectedItem()) ::PostMessage(GetSelectedItem()->GetHandle(), WM_CLOSE, 0, 0);
}

CJVKTabClientWnd::CJVKTabClientWnd() {
  m_paintManager.m_nClientFrame = 2;
  m_paintManager.SetAppearance(0);
}

CJVKTabClientWnd::~CJVKTabClientWnd() {
  Detach();
  for (CJVKTabClientGroup* pGroup : m_arrGroups) {
    m_paintManager.RemoveClient(pGroup);
    delete pGroup;
  }
}

BOOL CJVKTabClientWnd::Attach(CMDIFrameWnd* pFrame, BOOL bWorkspace) {
  if (m_bAttached || !pFrame || !pFrame->m_hWndMDIClient) return FALSE;
  if (!SubclassWindow(pFrame->m_hWndMDIClient)) return FALSE;
  m_pFrame = pFrame;
  m_bAttached = TRUE;
  m_bWorkspace = bWorkspace;
  if (m_arrGroups.empty()) {
    CJVKTabClientGroup* pGroup = new CJVKTabClientGroup(this);
    pGroup->FindNavigateButton(jvkTabNavigateClose)->SetShowMode(jvkTabNavigateAuto);
    m_arrGroups.push_back(pGroup);
    m_paintManager.AddClient(pGroup);
  }
  UpdateContents();
  // The band appears above the children.
  SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RepositionGroups();
  return TRUE;
}

void CJVKTabClientWnd::Detach() {
  if (!m_bAttached) return;
  m_bAttached = FALSE;
  const HWND hWnd = UnsubclassWindow();
  if (hWnd && ::IsWindow(hWnd))
    ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  for (CJVKTabClientGroup* pGroup : m_arrGroups) pGroup->DeleteAllItems();
  m_pFrame = nullptr;
}

CJVKTabManagerItem* CJVKTabClientWnd::FindItem(HWND hWnd) const {
  for (const CJVKTabClientGroup* pGroup : m_arrGroups)
    if (CJVKTabManagerItem* pItem = pGroup->FindItem(hWnd)) return pItem;
  return nullptr;
}

int CJVKTabClientWnd::FindGroupIndex(const CJVKTabManager* pGroup) const {
  for (size_t i = 0; i < m_arrGroups.size(); ++i)
    if (m_arrGroups[i] == pGroup) return static_cast<int>(i);
  return -1;
}

CPoint CJVKTabClientWnd::ScreenToTabClient(CPoint pt) const {
  // Every group draws in this window: in workspace mode as a whole, else
  // the first group's band is this window's too.
  if (m_arrGroups.empty() || !m_hWnd) return pt;
  ::ScreenToClient(m_hWnd, &pt);
  return pt;
}

void CJVKTabClientWnd::OnMouseMove(CPoint pt) {
  if (!m_bWorkspace) return;
  for (CJVKTabClientGroup* pGroup : m_arrGroups) pGroup->PerformMouseMove(m_hWnd, pt);
}

void CJVKTabClientWnd::Refresh(BOOL bReposition) {
  if (!m_bAttached || m_bRefreshing) return;
  m_bRefreshing = TRUE;
  UpdateContents();
  if (!m_arrGroups.empty()) {
    CPoint pt;
    ::GetCursorPos(&pt);
    pt = ScreenToTabClient(pt);
    if (m_bWorkspace) {
      OnMouseMove(pt);
    } else {
      m_arrGroups[0]->PerformMouseMove(m_hWnd, pt);
    }
  }
  if (bReposition) {
    if (m_bWorkspace) SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOZORDER);
    RecalcFrameLayout();
  }
  m_bRefreshing = FALSE;
}

void CJVKTabClientWnd::RecalcFrameLayout() {
  if (m_pFrame) m_pFrame->RecalcLayout(FALSE);
}

BOOL CJVKTabClientWnd::IsWorkspaceActionEnabled(UINT nCommand, CJVKTabManagerItem** ppItem) const {
  if (!m_bWorkspace || !m_pFrame) return FALSE;
  CMDIChildWnd* pActive = m_pFrame->MDIGetActive();
  if (!pActive) return FALSE;
  CJVKTabManagerItem* pItem = FindItem(pActive->m_hWnd);
  if (!pItem) return FALSE;
  if (ppItem) *ppItem = pItem;
  const int nGroup = FindGroupIndex(pItem->GetTabManager());
  const int nGroups = GetGroupCount();
  const BOOL bSplittable = pItem->GetTabManager()->GetItemCount() > 1;
  switch (nCommand) {
    case JVK_ID_WORKSPACE_PREVIOUS_GROUP: return nGroup != 0;
    case JVK_ID_WORKSPACE_NEXT_GROUP: return nGroup != nGroups - 1;
    case JVK_ID_WORKSPACE_NEW_HORIZONTAL_GROUP: return (nGroups == 1 || m_bHorizontalGroups) && bSplittable;
    case JVK_ID_WORKSPACE_NEW_VERTICAL_GROUP: return (nGroups == 1 || !m_bHorizontalGroups) && bSplittable;
    default: return TRUE;
  }
}

std::vector<HWND> CJVKTabClientWnd::GetChildren() const {
  std::vector<HWND> children;
  for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
    if (::GetWindow(h, GW_OWNER) == nullptr) children.push_back(h);
  return children;
}

BOOL CJVKTabClientWnd::IsUpToDate() const {
  const std::vector<HWND> children = GetChildren();
  int nItems = 0;
  for (const CJVKTabClientGroup* pGroup : m_arrGroups) nItems += pGroup->GetItemCount();
  if (nItems != static_cast<int>(children.size())) return FALSE;
  for (HWND h : children) {
    const CJVKTabManagerItem* pItem = FindItem(h);
    if (!pItem) return FALSE;
    CString strCaption;
    CWnd::FromHandle(h)->GetWindowText(strCaption);
    if (strCaption != pItem->GetCaption()) return FALSE;
  }
  CMDIChildWnd* pActive = m_pFrame->MDIGetActive();
  const CJVKTabManagerItem* pActiveItem = pActive ? FindItem(pActive->m_hWnd) : nullptr;
  return !pActiveItem || pActiveItem->GetTabManager()->GetSelectedItem() == pActiveItem;
}

BOOL CJVKTabClientWnd::UpdateContents() {
  if (!m_bAttached || m_arrGroups.empty() || IsUpToDate()) return FALSE;
  const std::vector<HWND> children = GetChildren();
  // Tabs of children that are gone go; the others keep their places.
  for (CJVKTabClientGroup* pGroup : m_arrGroups) {
    for (int i = pGroup->GetItemCount() - 1; i >= 0; --i) {
      const HWND h = pGroup->GetItem(i)->GetHandle();
      if (std::find(children.begin(), children.end(), h) == children.end()) pGroup->DeleteItem(i);
    }
  }
  // New children join the last group, in the order they were made (the
  // z-order lists the newest first).
  for (auto it = children.rbegin(); it != children.rend(); ++it) {
    if (FindItem(*it)) continue;
    CJVKTabManagerItem* pItem = m_arrGroups.back()->InsertItem(-1);
    pItem->SetHandle(*it);
  }
  for (HWND h : children) {
    CString strCaption;
    CWnd::FromHandle(h)->GetWindowText(strCaption);
    FindItem(h)->SetCaption(strCaption);
  }
  CMDIChildWnd* pActive = m_pFrame->MDIGetActive();
  if (CJVKTabManagerItem* pItem = pActive ? FindItem(pActive->m_hWnd) : nullptr)
    pItem->GetTabManager()->SetSelectedItem(pItem);
  RepositionGroups();
  return TRUE;
}

int CJVKTabClientWnd::GetBandHeight() {
  CJVKTabAppearanceSet* pSet = m_paintManager.GetAppearanceSet();
  const CRect rcMargins = pSet->GetHeaderMargin();
  return m_arrGroups.empty() ? 0 : pSet->GetRowHeight(m_arrGroups[0]) + rcMargins.top + rcMargins.bottom;
}

CRect CJVKTabClientWnd::GetBandRect() const {
  CRect rc;
  ::GetClientRect(m_hWnd, &rc);
  return CRect(0, -m_nBandHeight, rc.right, 0);
}

void CJVKTabClientWnd::RepositionGroups() {
  if (!m_bAttached || !m_hWnd) return;
  const int nBand = GetBandHeight();
  if (nBand != m_nBandHeight) {
    m_nBandHeight = nBand;
    SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  HDC hDC = ::GetDC(m_hWnd);
  for (CJVKTabClientGroup* pGroup : m_arrGroups)
    m_paintManager.RepositionTabControl(pGroup, CDC::FromHandle(hDC), GetBandRect());
  ::ReleaseDC(m_hWnd, hDC);
  RedrawBand();
}

void CJVKTabClientWnd::RedrawBand() {
  if (m_hWnd) ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

void CJVKTabClientWnd::PaintBand() {
  if (m_arrGroups.empty() || m_nBandHeight == 0) return;
  CRect rcWindow;
  ::GetWindowRect(m_hWnd, &rcWindow);
  CPoint ptClient(0, 0);
  ::ClientToScreen(m_hWnd, &ptClient);
  const CRect rcBand = GetBandRect();
  HDC hWindowDC = ::GetWindowDC(m_hWnd);
  // Drawn in client coordinates into a buffer, then copied in one go.
  CDC dc;
  dc.CreateCompatibleDC(CDC::FromHandle(hWindowDC));
  CBitmap bitmap;
  bitmap.CreateCompatibleBitmap(CDC::FromHandle(hWindowDC), rcBand.Width(), rcBand.Height());
  CBitmap* pOld = dc.SelectObject(&bitmap);
  dc.SetViewportOrg(-rcBand.left, -rcBand.top);
  m_paintManager.DrawTabControl(m_arrGroups[0], &dc, rcBand);
  dc.SetViewportOrg(0, 0);
  ::BitBlt(hWindowDC, ptClient.x - rcWindow.left + rcBand.left, ptClient.y - rcWindow.top + rcBand.top, rcBand.Width(),
           rcBand.Height(), dc, 0, 0, SRCCOPY);
  dc.SelectObject(pOld);
  ::ReleaseDC(m_hWnd, hWindowDC);
}

LRESULT CJVKTabClientWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!m_bAttached) return CWnd::WindowProc(message, wParam, lParam);
  switch (message) {
    case WM_NCCALCSIZE: {
      const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
      RECT* pRect = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
      pRect->top = std::min(pRect->top + m_nBandHeight, pRect->bottom);
      return lResult;
    }
    case WM_NCPAINT: {
      const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
      PaintBand();
      return lResult;
    }
    case WM_NCHITTEST: {
      CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      ::ScreenToClient(m_hWnd, &pt);
      if (GetBandRect().PtInRect(pt)) return HTBORDER;
      break;
    }
    case WM_NCLBUTTONDOWN: {
      CPoint pt(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      ::ScreenToClient(m_hWnd, &pt);
      if (GetBandRect().PtInRect(pt)) {
        for (CJVKTabClientGroup* pGroup : m_arrGroups)
          if (pGroup->PerformClick(m_hWnd, pt)) break;
        return 0;
      }
      break;
    }
    case WM_NCMOUSEMOVE: {
      OnMouseMove(ScreenToTabClient(CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)))));
      break;
    }
    case WM_MDICREATE:
    case WM_MDIDESTROY:
    case WM_MDIACTIVATE:
    case WM_MDINEXT:
    case WM_MDIRESTORE:
    case WM_MDIMAXIMIZE: {
      const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
      UpdateContents();
      return lResult;
    }
    case WM_SIZE: {
      const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
      RepositionGroups();
      return lResult;
    }
    case WM_IDLEUPDATECMDUI:
      UpdateContents();
      break;
    case WM_NCDESTROY:
      // The client goes with its frame: the tabs go with it.
      m_bAttached = FALSE;
      m_pFrame = nullptr;
      for (CJVKTabClientGroup* pGroup : m_arrGroups) pGroup->DeleteAllItems();
      break;
  }
  return CWnd::WindowProc(message, wParam, lParam);
}
