#include "TreeTestWindow.h"

// The test program's application object.
CWinApp theTreeTestApp("UikitTreeTest");

namespace {
const int kTreeId = 100;
}

CTreeTestWindow::CTreeTestWindow() {
  CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW)), "Tree test",
           WS_POPUP | WS_VISIBLE, 40, 40, 320, 300, nullptr, nullptr);
  m_tree.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 320, 300), this, kTreeId);
  SetForegroundWindow();
  m_tree.SetFocus();
  PumpPending();
}

CTreeTestWindow& CTreeTestWindow::Reset(DWORD dwTreeStyle) {
  static CTreeTestWindow window;
  window.m_tree.SetMultiSelect(FALSE);
  window.m_tree.DeleteAllItems();
  window.m_tree.ModifyStyle(0xFFFF, dwTreeStyle);
  window.m_tree.EnableWindow(TRUE);
  window.m_items.clear();
  window.SetForegroundWindow();
  window.m_tree.SetFocus();
  PumpPending();
  window.m_notices.clear();
  return window;
}

CTreeTestWindow::~CTreeTestWindow() {
  DestroyWindow();
  PumpPending();
}

void CTreeTestWindow::AddSampleItems() {
  const HTREEITEM hProvider = m_tree.InsertItem("Provider A");
  m_items.push_back(hProvider);
  for (const char* name : {"Alpha", "Beta", "Gamma"}) m_items.push_back(m_tree.InsertItem(name, hProvider));
  m_tree.Expand(hProvider, TVE_EXPAND);
  for (const char* name : {"Delta", "Epsilon", "Zeta", "Eta"}) m_items.push_back(m_tree.InsertItem(name));
  for (size_t i = 0; i < m_items.size(); ++i) m_tree.SetItemData(m_items[i], 1000 + i);
  m_tree.UpdateWindow();
  PumpPending();
  m_notices.clear();
}

int CTreeTestWindow::CountNotices(UINT code, BOOL bOwnOnly) const {
  int n = 0;
  for (const TreeNotice& notice : m_notices) {
    if (notice.code == code && (!bOwnOnly || notice.mask == (TVIF_HANDLE | TVIF_PARAM))) ++n;
  }
  return n;
}

std::vector<HTREEITEM> CTreeTestWindow::Selected() {
  std::vector<HTREEITEM> items;
  for (HTREEITEM hItem = m_tree.GetFirstSelectedItem(); hItem; hItem = m_tree.GetNextSelectedItem(hItem))
    items.push_back(hItem);
  return items;
}

CPoint CTreeTestWindow::LabelPoint(HTREEITEM hItem, int dx) const {
  CRect rc;
  m_tree.GetItemRect(hItem, &rc, TRUE);
  return CPoint(rc.left + 4 + dx, (rc.top + rc.bottom) / 2);
}

CPoint CTreeTestWindow::ButtonPoint(HTREEITEM hItem) const {
  const int y = LabelPoint(hItem).y;
  for (int x = 0; x < 100; ++x) {
    UINT nHit = 0;
    if (m_tree.HitTest(CPoint(x, y), &nHit) == hItem && (nHit & TVHT_ONITEMBUTTON)) return CPoint(x, y);
  }
  return CPoint(-1, y);
}

BOOL CTreeTestWindow::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* pHdr = reinterpret_cast<const NMHDR*>(lParam);
  if (pHdr->hwndFrom == m_tree.m_hWnd) {
    TreeNotice notice = {pHdr->code, nullptr, 0};
    switch (pHdr->code) {
      case TVN_SELCHANGING:
      case TVN_SELCHANGED:
      case TVN_BEGINDRAG:
      case TVN_BEGINRDRAG: {
        const NMTREEVIEW* pNM = reinterpret_cast<const NMTREEVIEW*>(lParam);
        const TVITEM& item = pNM->itemNew.hItem ? pNM->itemNew : pNM->itemOld;
        notice.hItem = item.hItem;
        notice.mask = item.mask;
        break;
      }
      default: break;
    }
    m_notices.push_back(notice);
    if (pHdr->code == TVN_SELCHANGING && m_bVetoSelChanging) {
      *pResult = 1;
      return TRUE;
    }
  }
  return CWnd::OnNotify(wParam, lParam, pResult);
}

bool PumpUntilImpl(bool (*test)(void*), void* context) {
  const DWORD dwStart = ::GetTickCount();
  for (;;) {
    PumpPending();
    if (test(context)) return true;
    const DWORD dwSpent = ::GetTickCount() - dwStart;
    if (dwSpent >= 5000) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5000 - dwSpent, QS_ALLINPUT);
  }
}

void CTreeInput::Mouse(DWORD dwFlags, CPoint pt) {
  m_tree.ClientToScreen(&pt);
  const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = (pt.x * 65536 + cx / 2) / cx;
  input.mi.dy = (pt.y * 65536 + cy / 2) / cy;
  input.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof(input));
}

void CTreeInput::MoveTo(CPoint pt) { Mouse(0, pt); }
void CTreeInput::Press(CPoint pt, BOOL bRight) { Mouse(bRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN, pt); }
void CTreeInput::Release(CPoint pt, BOOL bRight) { Mouse(bRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP, pt); }

void CTreeInput::KeyDown(WORD vk) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  ::SendInput(1, &input, sizeof(input));
}

void CTreeInput::KeyUp(WORD vk) {
  INPUT input = {};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(1, &input, sizeof(input));
}
