#include "PropertyGridInplaceList.h"

#include "MultiMonitor.h"
#include "OutsideClickHook.h"
#include "PropertyGridItem.h"
#include "PropertyGridLayout.h"
#include "PropertyGridView.h"

IMPLEMENT_DYNAMIC(CJVKPropertyGridInplaceList, CListBox)

BEGIN_MESSAGE_MAP(CJVKPropertyGridInplaceList, CListBox)
  ON_WM_KILLFOCUS()
  ON_WM_LBUTTONUP()
  ON_WM_KEYDOWN()
  ON_WM_SYSKEYDOWN()
END_MESSAGE_MAP()

namespace {
// WS_CHILD | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS
const DWORD kListStyle = 0x40A00051;

JVKGridRect GridRect(const RECT& rc) { return JVKGridRect{rc.left, rc.top, rc.right, rc.bottom}; }
}

CJVKPropertyGridInplaceList::~CJVKPropertyGridInplaceList() {
  if (m_hWnd) DestroyWindow();
}

BOOL CJVKPropertyGridInplaceList::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CJVKPropertyGridInplaceList::DrawItem(LPDRAWITEMSTRUCT lpDis) {
  if (static_cast<int>(lpDis->itemID) < 0 || !m_pItem) return;
  CJVKPropertyGridItemConstraint* pConstraint = reinterpret_cast<CJVKPropertyGridItemConstraint*>(lpDis->itemData);
  if (!pConstraint) return;
  m_pItem->DrawConstraint(CDC::FromHandle(lpDis->hDC), pConstraint, lpDis->rcItem,
                          (lpDis->itemState & ODS_SELECTED) != 0);
}

void CJVKPropertyGridInplaceList::Show(CJVKPropertyGridItem* pItem, CRect rcRow) {
  CJVKPropertyGridView* pView = pItem->GetView();
  if (!pView) return;
  m_pItem = pItem;
  if (m_hWnd) DestroyWindow();
  m_pItem = pItem;
  const DWORD dwExStyle = WS_EX_TOOLWINDOW | (pView->GetExStyle() & WS_EX_LAYOUTRTL);
  if (!CreateEx(dwExStyle, "LISTBOX", "", kListStyle, CRect(0, 0, 0, 0), pView, 0)) {
    m_pItem = nullptr;
    return;
  }
  CFont* pFont = pView->GetFont();
  SetFont(pFont, FALSE);
  CListBox::ResetContent();

  CClientDC dc(this);
  HGDIOBJ hOld = pFont ? ::SelectObject(dc, pFont->GetSafeHandle()) : nullptr;
  int cxWidth = rcRow.right - (pView->GetDividerPos() + 1);
  const CSize szSpace = dc.GetTextExtent(" ");
  int cyEntry = szSpace.cy + 3;
  const CString strValue = pItem->GetValue();
  CJVKPropertyGridItemConstraints* pConstraints = pItem->GetConstraints();
  for (int i = 0; i < pConstraints->GetCount(); ++i) {
    CJVKPropertyGridItemConstraint* pConstraint = pConstraints->GetConstraintAt(i);
    const int nIndex = AddString(pConstraint->m_strConstraint);
    SetItemDataPtr(nIndex, pConstraint);
    const CSize size = pItem->MeasureConstraint(&dc, pConstraint);
    if (size.cx > cxWidth) cxWidth = size.cx;
    if (size.cy > cyEntry) cyEntry = size.cy;
    if (pConstraint->m_strConstraint.Compare(strValue) == 0) SetCurSel(nIndex);
  }
  if (hOld) ::SelectObject(dc, hOld);
  SetItemHeight(0, static_cast<UINT>(cyEntry & 0xFFFF));

  const JVKGridRect rcList = JVKInplaceListRect(GridRect(rcRow), GetCount(), cyEntry, cxWidth);
  CRect rc(rcList.left, rcList.top, rcList.right, rcList.bottom);
  pView->ClientToScreen(&rc);
  CRect rcRowScreen = rcRow;
  pView->ClientToScreen(&rcRowScreen);
  CRect rcWork;
  GetMultiMonitor()->GetWorkAreaFromRect(rcWork, rc);
  JVKGridRect rcFit = GridRect(rc);
  JVKFitInplaceList(rcFit, GridRect(rcRowScreen), GridRect(rcWork));
  rc.SetRect(rcFit.left, rcFit.top, rcFit.right, rcFit.bottom);

  // Taking the focus ends the in-place edit, which commits its value; the
  // owner's handler may rebuild the grid, which closes this list.
  SetFocus();
  if (!m_hWnd || m_pItem != pItem) return;
  SetParent(nullptr);
  ModifyStyle(WS_CHILD, WS_POPUP);
  SetOwner(pView);
  SetWindowPos(&wndTopMost, rc.left, rc.top, rc.Width(), rc.Height(),
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  SetOutsideClickHook(this);
}

void CJVKPropertyGridInplaceList::Hide() {
  m_pItem = nullptr;
  SetOutsideClickHook(nullptr);
  if (m_hWnd) DestroyWindow();
}

void CJVKPropertyGridInplaceList::Close() {
  CWnd* pOwner = GetOwner();
  if (pOwner && pOwner->m_hWnd) pOwner->SetFocus();
  // When the focus was not the list's, no WM_KILLFOCUS closed it.
  SetOutsideClickHook(nullptr);
  if (m_hWnd) DestroyWindow();
}

void CJVKPropertyGridInplaceList::Cancel() { Close(); }

void CJVKPropertyGridInplaceList::Apply() {
  const int nSel = GetCurSel();
  CJVKPropertyGridItem* pItem = m_pItem;
  if (pItem && nSel != LB_ERR) {
    CJVKPropertyGridItemConstraints* pConstraints = pItem->GetConstraints();
    pConstraints->SetCurrent(nSel);
    const CString strText = pConstraints->GetAt(nSel);
    if (strText.Compare(pItem->GetValue()) != 0) pItem->CommitValue(strText);
  }
  Close();
}

void CJVKPropertyGridInplaceList::PostNcDestroy() {
  SetOutsideClickHook(nullptr);
  m_pItem = nullptr;
  CListBox::PostNcDestroy();
}

void CJVKPropertyGridInplaceList::OnKillFocus(CWnd*) {
  Default();
  SetOutsideClickHook(nullptr);
  DestroyWindow();
}

void CJVKPropertyGridInplaceList::OnLButtonUp(UINT, CPoint point) {
  CRect rc;
  GetClientRect(&rc);
  if (rc.PtInRect(point))
    Apply();
  else
    Cancel();
}

void CJVKPropertyGridInplaceList::OnKeyDown(UINT nChar, UINT, UINT) {
  switch (nChar) {
    case VK_RETURN:
    case VK_F4: Apply(); return;
    case VK_ESCAPE: Cancel(); return;
    default: Default();
  }
}

void CJVKPropertyGridInplaceList::OnSysKeyDown(UINT nChar, UINT, UINT) {
  if (nChar == VK_DOWN || nChar == VK_UP) {
    Apply();
    return;
  }
  Default();
}
