#include "framework/CheckListBox.h"

#include "framework/DC.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

namespace {
const BYTE kCheckMask = 0x03;  // 0, 1, 2 (indeterminate)
const BYTE kDisabled = 0x80;
}  // namespace

CCheckListBox::CCheckListBox() : m_nStyle(BS_AUTOCHECKBOX) {}

CCheckListBox::~CCheckListBox() = default;

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  if (!(dwStyle & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) dwStyle |= LBS_OWNERDRAWFIXED;
  return CListBox::Create(dwStyle | LBS_HASSTRINGS, rect, pParentWnd, nID);
}

void CCheckListBox::PreSubclassWindow() {
  // Items that exist already start unchecked.
  int nCount = static_cast<int>(::SendMessage(m_hWnd, LB_GETCOUNT, 0, 0));
  m_states.SetSize(nCount > 0 ? nCount : 0);
  for (int i = 0; i < m_states.GetSize(); ++i) m_states[i] = 0;
}

int CCheckListBox::CheckBoxWidth() const { return ::GetSystemMetrics(SM_CXMENUCHECK) + 2; }

void CCheckListBox::SetCheck(int nIndex, int nCheck) {
  if (nIndex < 0 || nIndex >= m_states.GetSize() || nCheck < 0 || nCheck > 2) return;
  m_states[nIndex] = static_cast<BYTE>((m_states[nIndex] & ~kCheckMask) | nCheck);
  CRect rect;
  if (GetItemRect(nIndex, &rect) != LB_ERR) InvalidateRect(&rect, FALSE);
}

int CCheckListBox::GetCheck(int nIndex) const {
  if (nIndex < 0 || nIndex >= m_states.GetSize()) return -1;
  return m_states[nIndex] & kCheckMask;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled) {
  if (nIndex < 0 || nIndex >= m_states.GetSize()) return;
  if (bEnabled)
    m_states[nIndex] = static_cast<BYTE>(m_states[nIndex] & ~kDisabled);
  else
    m_states[nIndex] = static_cast<BYTE>(m_states[nIndex] | kDisabled);
  CRect rect;
  if (GetItemRect(nIndex, &rect) != LB_ERR) InvalidateRect(&rect, FALSE);
}

BOOL CCheckListBox::IsEnabled(int nIndex) const {
  return nIndex >= 0 && nIndex < m_states.GetSize() && !(m_states[nIndex] & kDisabled);
}

void CCheckListBox::Toggle(int nIndex) {
  if (!IsEnabled(nIndex)) return;
  int nCheck = GetCheck(nIndex);
  if (m_nStyle == BS_AUTO3STATE || m_nStyle == BS_3STATE)
    nCheck = (nCheck + 1) % 3;
  else
    nCheck = nCheck == 0 ? 1 : 0;
  SetCheck(nIndex, nCheck);
  CWnd* pParent = GetParent();
  if (pParent != nullptr)
    pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) {
  CClientDC dc(this);
  CFont* pOldFont = dc.SelectObject(GetFont());
  TEXTMETRIC tm;
  dc.GetTextMetrics(&tm);
  dc.SelectObject(pOldFont);
  int nCheck = ::GetSystemMetrics(SM_CYMENUCHECK);
  lpMeasureItemStruct->itemHeight = static_cast<UINT>(tm.tmHeight > nCheck ? tm.tmHeight : nCheck);
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
  if (static_cast<int>(lpDrawItemStruct->itemID) < 0) return;
  CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
  int nIndex = static_cast<int>(lpDrawItemStruct->itemID);
  CRect rect(lpDrawItemStruct->rcItem);
  CRect rectCheck(rect.left + 1, rect.top, rect.left + CheckBoxWidth() - 1, rect.bottom);
  int nBox = ::GetSystemMetrics(SM_CXMENUCHECK);
  rectCheck.top += (rect.Height() - nBox) / 2;
  rectCheck.bottom = rectCheck.top + nBox;
  rectCheck.right = rectCheck.left + nBox;
  pDC->FillSolidRect(CRect(rect.left, rect.top, rect.left + CheckBoxWidth(), rect.bottom), ::GetSysColor(COLOR_WINDOW));
  int nCheck = GetCheck(nIndex);
  UINT nState = DFCS_BUTTONCHECK | (nCheck == 1 ? DFCS_CHECKED : 0) | (nCheck == 2 ? DFCS_CHECKED | DFCS_INACTIVE : 0) |
                (IsEnabled(nIndex) ? 0 : DFCS_INACTIVE);
  pDC->DrawFrameControl(&rectCheck, DFC_BUTTON, nState);

  CRect rectText(rect.left + CheckBoxWidth(), rect.top, rect.right, rect.bottom);
  BOOL bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
  COLORREF clrBack = ::GetSysColor(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW);
  COLORREF clrText = ::GetSysColor(!IsEnabled(nIndex) ? COLOR_GRAYTEXT
                                   : bSelected        ? COLOR_HIGHLIGHTTEXT
                                                      : COLOR_WINDOWTEXT);
  pDC->FillSolidRect(&rectText, clrBack);
  CString text;
  GetText(nIndex, text);
  COLORREF clrOldText = pDC->SetTextColor(clrText);
  int nOldMode = pDC->SetBkMode(TRANSPARENT);
  rectText.left += 2;
  pDC->DrawText(text, &rectText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  pDC->SetBkMode(nOldMode);
  pDC->SetTextColor(clrOldText);
  if (lpDrawItemStruct->itemState & ODS_FOCUS)
    pDC->DrawFocusRect(CRect(rect.left + CheckBoxWidth(), rect.top, rect.right, rect.bottom));
}

void CCheckListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
      LRESULT nIndex = CListBox::WindowProc(message, wParam, lParam);
      if (nIndex >= 0) m_states.InsertAt(static_cast<INT_PTR>(nIndex), BYTE(0));
      return nIndex;
    }
    case LB_DELETESTRING: {
      LRESULT nResult = CListBox::WindowProc(message, wParam, lParam);
      if (nResult != LB_ERR && static_cast<INT_PTR>(wParam) < m_states.GetSize())
        m_states.RemoveAt(static_cast<INT_PTR>(wParam));
      return nResult;
    }
    case LB_RESETCONTENT: m_states.RemoveAll(); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      CPoint point(lParam);
      DWORD dwHit = static_cast<DWORD>(CListBox::WindowProc(LB_ITEMFROMPOINT, 0, lParam));
      int nIndex = LOWORD(dwHit);
      if (HIWORD(dwHit) == 0 && point.x < CheckBoxWidth()) {
        LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);  // select and focus as usual
        Toggle(nIndex);
        return lResult;
      }
      break;
    }
    case WM_KEYDOWN:
      if (wParam == VK_SPACE) {
        int nIndex = static_cast<int>(CListBox::WindowProc(LB_GETCARETINDEX, 0, 0));
        if (nIndex != LB_ERR) Toggle(nIndex);
        return 0;
      }
      break;
    default: break;
  }
  return CListBox::WindowProc(message, wParam, lParam);
}
