#include "PropertyGridInplaceEdit.h"

#include "PropertyGrid.h"
#include "PropertyGridConstraintSteps.h"
#include "PropertyGridItem.h"
#include "PropertyGridLayout.h"
#include "PropertyGridPaintManager.h"
#include "PropertyGridView.h"

IMPLEMENT_DYNAMIC(CJVKPropertyGridInplaceEdit, CJVKMaskEdit)

BEGIN_MESSAGE_MAP(CJVKPropertyGridInplaceEdit, CJVKPropertyGridInplaceEditBase)
  ON_WM_CHAR()
  ON_WM_KEYDOWN()
  ON_WM_SYSKEYDOWN()
  ON_WM_LBUTTONDBLCLK()
  ON_WM_CTLCOLOR_REFLECT()
  ON_CONTROL_REFLECT(EN_SETFOCUS, OnEnSetFocus)
  ON_CONTROL_REFLECT(EN_KILLFOCUS, OnEnKillFocus)
  ON_CONTROL_REFLECT(EN_CHANGE, OnEnChange)
  ON_WM_STYLECHANGED()
  ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

CJVKPropertyGridInplaceEdit::~CJVKPropertyGridInplaceEdit() {
  m_pItem = nullptr;
  if (m_hWnd) DestroyWindow();
}

BOOL CJVKPropertyGridInplaceEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
  return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CJVKPropertyGridInplaceEdit::RedrawView() {
  if (m_pView && m_pView->m_hWnd) m_pView->Invalidate(FALSE);
}

void CJVKPropertyGridInplaceEdit::SetValue(LPCTSTR pszValue) { m_strValue = pszValue ? pszValue : ""; }

void CJVKPropertyGridInplaceEdit::Hide() {
  if (m_hWnd) ShowWindow(SW_HIDE);
}

void CJVKPropertyGridInplaceEdit::Show(CJVKPropertyGridItem* pItem, CRect rc) {
  m_pView = pItem->GetView();
  m_pItem = pItem;
  m_bActive = FALSE;
  if (!m_pView) return;
  const DWORD dwStyle = pItem->GetEditStyle();
  const DWORD dwIgnored = WS_CHILD | WS_VISIBLE | ES_READONLY | ES_CENTER | ES_RIGHT;
  if (m_hWnd && (((GetStyle() ^ dwStyle) & ~dwIgnored) || m_bCreate)) {
    // The item stays this edit's while the old window goes.
    m_pItem = nullptr;
    DestroyWindow();
    m_pItem = pItem;
  }
  if (!m_hWnd && !Create(dwStyle, rc, m_pView, 0)) return;
  m_bCreate = FALSE;
  if (pItem->IsPassword()) SetPasswordChar(pItem->GetPasswordChar());
  if (CJVKPropertyGrid* pGrid = m_pView->GetPropertyGrid())
    SetFont(pGrid->GetPaintManager()->GetItemFont(pItem, TRUE), TRUE);
  SetWindowText(m_strValue);
  SetWindowPos(nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_SHOWWINDOW);
  SetMargins(3, 3);
  SetUseMask(pItem->IsUseMask());
  if (pItem->IsUseMask()) {
    SetEditMask(pItem->GetMask(), pItem->GetLiteral(), pItem->GetValue());
    SetPromptChar(pItem->GetPasswordChar(), TRUE);
  }
  m_bActive = TRUE;
}

void CJVKPropertyGridInplaceEdit::Detach() {
  m_pItem = nullptr;
  m_pView = nullptr;
  m_strValue.Empty();
  m_brBack.DeleteObject();
  if (m_hWnd) ShowWindow(SW_HIDE);
}

BOOL CJVKPropertyGridInplaceEdit::SelectConstraint(int nStep, BOOL bWrap) {
  if (!m_pItem || !m_hWnd) return FALSE;
  CJVKPropertyGridItemConstraints* pConstraints = m_pItem->GetConstraints();
  if (pConstraints->IsEmpty()) return FALSE;
  CString strText;
  GetWindowText(strText);
  const int nCurrent = pConstraints->FindConstraint(strText);
  if (nCurrent < 0) return FALSE;
  const int nIndex = JVKStepConstraint(nCurrent, nStep, pConstraints->GetCount(), bWrap);
  SetWindowText(pConstraints->GetAt(nIndex));
  pConstraints->SetCurrent(nIndex);
  return TRUE;
}

BOOL CJVKPropertyGridInplaceEdit::PreTranslateMessage(MSG* pMsg) {
  // The masked edit's own keys (Ctrl+C, V, X, Z, the keypad signs) first:
  // IsDialogMessage would hand them to the plain edit control.
  if (CJVKPropertyGridInplaceEditBase::PreTranslateMessage(pMsg)) return TRUE;
  return pMsg->message == WM_KEYDOWN && ::IsDialogMessage(m_hWnd, pMsg);
}

void CJVKPropertyGridInplaceEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags) {
  if (nChar == VK_RETURN || nChar == VK_ESCAPE) {
    if (m_pView && m_pView->m_hWnd) m_pView->SetFocus();
    return;
  }
  if (nChar == VK_TAB) return;
  if (m_pItem && !m_pItem->IsReadOnly() && m_pItem->m_bAutoComplete && !m_pItem->GetConstraints()->IsEmpty()) {
    CJVKPropertyGridItemConstraints* pConstraints = m_pItem->GetConstraints();
    CString strText;
    GetWindowText(strText);
    CStringArray texts;
    pConstraints->GetTexts(texts);
    const int nIndex = JVKTypeAheadConstraint(texts, pConstraints->FindConstraint(strText), static_cast<TCHAR>(nChar));
    if (nIndex >= 0) {
      SetWindowText(texts[nIndex]);
      SetSel(0, -1);
      pConstraints->SetCurrent(nIndex);
    }
    return;
  }
  CJVKPropertyGridInplaceEditBase::OnChar(nChar, nRepCnt, nFlags);
}

void CJVKPropertyGridInplaceEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
  switch (nChar) {
    case VK_TAB:
      if (m_pView && m_pView->GetPropertyGrid())
        m_pView->GetPropertyGrid()->Navigate(jvkStopEdit, ::GetKeyState(VK_SHIFT) >= 0, m_pItem);
      return;
    case VK_RETURN: return;
    case VK_ESCAPE: SetWindowText(m_strValue); return;
    case VK_UP:
    case VK_DOWN:
      if (m_pItem && !m_pItem->IsReadOnly() && SelectConstraint(nChar == VK_DOWN ? 1 : -1, FALSE)) {
        SetSel(0, -1);
        return;
      }
      break;
    case VK_F4:
      if (m_pItem && (m_pItem->GetFlags() & jvkItemHasComboButton)) m_pItem->OnButtonPressed();
      break;
    default: break;
  }
  CJVKPropertyGridInplaceEditBase::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CJVKPropertyGridInplaceEdit::OnSysKeyDown(UINT nChar, UINT, UINT) {
  if ((nChar == VK_DOWN || nChar == VK_UP) && m_pItem && (m_pItem->GetFlags() & jvkItemHasComboButton))
    m_pItem->OnButtonPressed();
  Default();
}

void CJVKPropertyGridInplaceEdit::OnLButtonDblClk(UINT, CPoint) {
  if (m_pItem && !m_pItem->IsReadOnly() && SelectConstraint(1, TRUE)) {
    if (m_pView && m_pView->m_hWnd) m_pView->SetFocus();
    return;
  }
  Default();
}

HBRUSH CJVKPropertyGridInplaceEdit::CtlColor(CDC* pDC, UINT) {
  if (!m_pItem || !m_pView || !m_pView->GetPropertyGrid()) return nullptr;
  CJVKPropertyGridPaintManager* pPaint = m_pView->GetPropertyGrid()->GetPaintManager();
  const COLORREF clrBack = pPaint->GetItemBackColor(m_pItem, TRUE);
  pDC->SetTextColor(pPaint->GetItemTextColor(m_pItem, TRUE));
  if (!m_brBack.GetSafeHandle() || clrBack != m_clrBack) {
    m_brBack.DeleteObject();
    m_brBack.CreateSolidBrush(clrBack);
    m_clrBack = clrBack;
  }
  pDC->SetBkColor(clrBack);
  return static_cast<HBRUSH>(m_brBack.GetSafeHandle());
}

void CJVKPropertyGridInplaceEdit::OnEnSetFocus() { RedrawView(); }

void CJVKPropertyGridInplaceEdit::OnEnKillFocus() {
  if (m_pItem) m_pItem->CommitEdit();
  RedrawView();
}

void CJVKPropertyGridInplaceEdit::OnEnChange() {
  if (m_bActive && m_pView && m_pView->GetPropertyGrid())
    m_pView->GetPropertyGrid()->NotifyOwner(JVK_PGN_EDITCHANGED, reinterpret_cast<LPARAM>(this));
}

void CJVKPropertyGridInplaceEdit::OnStyleChanged(int nStyleType, LPSTYLESTRUCT lpStyleStruct) {
  if (nStyleType == GWL_EXSTYLE && lpStyleStruct->styleOld != lpStyleStruct->styleNew &&
      (lpStyleStruct->styleNew & WS_EX_LAYOUTRTL)) {
    Hide();
    m_bCreate = TRUE;
  }
  Default();
}
