// Property pages: the dialog procedure that ties a page window (made by the
// system's sheet) to its object, and the sheet's notices as virtual calls.
#include "framework/PropertyPage.h"

#include "framework/ExtensionModule.h"
#include "framework/PropertySheet.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

// The page window exists from WM_INITDIALOG on: it is tied to its object
// there (lParam is the system's copy of the page header, whose lParam is the
// object) and the object's OnInitDialog runs. Everything after goes through
// the framework's window procedure and the message map.
INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  const PROPSHEETPAGE* pHeader = reinterpret_cast<const PROPSHEETPAGE*>(lParam);
  CPropertyPage* pPage = reinterpret_cast<CPropertyPage*>(pHeader->lParam);
  if (pPage == nullptr || !pPage->SubclassWindow(hWnd)) return TRUE;
  try {
    return pPage->OnInitDialog();
  } catch (CException* e) {
    e->ReportError(MB_ICONSTOP);
    e->Delete();
    return TRUE;
  }
}

CPropertyPage::CPropertyPage() : m_bFirstSetActive(TRUE) {
  memset(&m_psp, 0, sizeof(m_psp));
  m_psp.dwSize = sizeof(m_psp);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage() {
  Construct(nIDTemplate, nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) : CPropertyPage() {
  Construct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption) {
  Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption) {
  m_lpszTemplateName = lpszTemplateName;
  if (IS_INTRESOURCE(lpszTemplateName)) m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
  m_psp.dwFlags = PSP_DEFAULT;
  m_psp.hInstance = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
  m_psp.pszTemplate = lpszTemplateName;
  m_psp.pfnDlgProc = AfxPropPageDlgProc;
  m_psp.lParam = reinterpret_cast<LPARAM>(this);
  if (nIDCaption != 0 && m_strCaption.LoadString(nIDCaption)) {
    m_psp.dwFlags |= PSP_USETITLE;
    m_psp.pszTitle = m_strCaption;
  }
}

void CPropertyPage::SetModified(BOOL bChanged) {
  HWND hWndSheet = ::GetParent(m_hWnd);
  if (hWndSheet == nullptr) return;
  ::SendMessage(hWndSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

void CPropertyPage::CancelToClose() {
  HWND hWndSheet = ::GetParent(m_hWnd);
  if (hWndSheet != nullptr) ::SendMessage(hWndSheet, PSM_CANCELTOCLOSE, 0, 0);
}

BOOL CPropertyPage::OnSetActive() {
  // The controls already hold the members the first time (OnInitDialog).
  if (m_bFirstSetActive)
    m_bFirstSetActive = FALSE;
  else
    UpdateData(FALSE);
  return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply() {
  OnOK();
  return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

// The sheet ends itself; a page's OK and Cancel only take their part.
void CPropertyPage::OnOK() {}
void CPropertyPage::OnCancel() {}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg) {
  // Keyboard navigation belongs to the sheet, which spans the tabs and its
  // buttons, not to the page.
  return CWnd::PreTranslateMessage(pMsg);
}

void CPropertyPage::TellSheet(int nResult) {
  CPropertySheet* pSheet = DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
  if (pSheet != nullptr) pSheet->m_nModalResult = nResult;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
  const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
  LRESULT lResult;
  switch (pNMHDR->code) {
    case PSN_SETACTIVE: lResult = OnSetActive() ? 0 : -1; break;
    case PSN_KILLACTIVE: lResult = !OnKillActive(); break;
    case PSN_APPLY:
      lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
      // lParam: OK rather than Apply; the sheet ends with IDOK unless a
      // later page refuses.
      if (lResult == PSNRET_NOERROR && reinterpret_cast<const PSHNOTIFY*>(lParam)->lParam) TellSheet(IDOK);
      break;
    case PSN_RESET:
      OnReset();
      TellSheet(IDCANCEL);
      lResult = 0;
      break;
    case PSN_QUERYCANCEL: lResult = !OnQueryCancel(); break;
    default: return CDialog::OnNotify(wParam, lParam, pResult);
  }
  // Answered both ways: as the window procedure's result and as a dialog's.
  ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, lResult);
  *pResult = lResult;
  return TRUE;
}
