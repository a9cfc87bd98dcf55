// Property sheets on the system's sheet: made modeless always, so that a
// modal sheet runs in the framework's modal loop (idle updates, the
// thread's PreTranslateMessage, WM_QUIT passed on) rather than the system's.
#include "framework/PropertySheet.h"

#include "framework/WinApp.h"

#include "ThreadState.h"
#include "WndInternal.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CPropertySheet::CPropertySheet() : m_pParentWnd(nullptr), m_nModalResult(-1) {
  memset(&m_psh, 0, sizeof(m_psh));
  m_psh.dwSize = sizeof(m_psh);
  m_psh.dwFlags = PSH_PROPSHEETPAGE;
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet() {
  Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet() {
  Construct(pszCaption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) {
  CString strCaption;
  strCaption.LoadString(nIDCaption);
  Construct(strCaption, pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) {
  m_strCaption = pszCaption != nullptr ? pszCaption : "";
  m_pParentWnd = pParentWnd;
  m_psh.nStartPage = iSelectPage;
}

CPropertySheet::~CPropertySheet() {
  if (m_hWnd != nullptr) DestroyWindow();
}

void CPropertySheet::AddPage(CPropertyPage* pPage) {
  ENSURE_ARG(pPage != nullptr);
  m_pages.push_back(pPage);
  if (m_hWnd == nullptr) return;
  HPROPSHEETPAGE hPage = ::CreatePropertySheetPage(&pPage->m_psp);
  if (hPage == nullptr || !::SendMessage(m_hWnd, PSM_ADDPAGE, 0, reinterpret_cast<LPARAM>(hPage))) {
    if (hPage != nullptr) ::DestroyPropertySheetPage(hPage);
    m_pages.pop_back();
    AfxThrowResourceException();
  }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage) {
  int nPage = GetPageIndex(pPage);
  if (nPage >= 0) RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage) {
  ENSURE_ARG(nPage >= 0 && nPage < GetPageCount());
  if (m_hWnd != nullptr) ::SendMessage(m_hWnd, PSM_REMOVEPAGE, nPage, 0);
  m_pages.erase(m_pages.begin() + nPage);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const {
  ENSURE_ARG(nPage >= 0 && nPage < GetPageCount());
  return m_pages[nPage];
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const {
  for (size_t i = 0; i < m_pages.size(); ++i)
    if (m_pages[i] == pPage) return static_cast<int>(i);
  return -1;
}

int CPropertySheet::GetActiveIndex() const {
  if (m_hWnd == nullptr) return static_cast<int>(m_psh.nStartPage);
  HWND hWndTab = reinterpret_cast<HWND>(::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0));
  return hWndTab != nullptr ? static_cast<int>(::SendMessage(hWndTab, TCM_GETCURSEL, 0, 0)) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const {
  int nPage = GetActiveIndex();
  return nPage >= 0 && nPage < GetPageCount() ? m_pages[nPage] : nullptr;
}

BOOL CPropertySheet::SetActivePage(int nPage) {
  if (nPage < 0 || nPage >= GetPageCount()) return FALSE;
  if (m_hWnd == nullptr) {
    m_psh.nStartPage = nPage;
    return TRUE;
  }
  return static_cast<BOOL>(::SendMessage(m_hWnd, PSM_SETCURSEL, nPage, 0));
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage) { return SetActivePage(GetPageIndex(pPage)); }

CWnd* CPropertySheet::GetTabControl() const {
  return CWnd::FromHandle(reinterpret_cast<HWND>(::SendMessage(m_hWnd, PSM_GETTABCONTROL, 0, 0)));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle) {
  m_strCaption = lpszText;
  m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
  if (m_hWnd != nullptr) ::SendMessage(m_hWnd, PSM_SETTITLE, nStyle, reinterpret_cast<LPARAM>(lpszText));
}

BOOL CPropertySheet::PressButton(int nButton) {
  return static_cast<BOOL>(::SendMessage(m_hWnd, PSM_PRESSBUTTON, nButton, 0));
}

void CPropertySheet::EndDialog(int nEndID) {
  m_nModalResult = nEndID;
  if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
    EndModalLoop(nEndID);
  else
    DestroyWindow();
}

BOOL CPropertySheet::CreateSheetWindow(HWND hWndOwner) {
  m_pageHeaders.clear();
  for (CPropertyPage* pPage : m_pages) {
    pPage->m_bFirstSetActive = TRUE;
    m_pageHeaders.push_back(pPage->m_psp);
  }
  m_psh.dwFlags |= PSH_PROPSHEETPAGE | PSH_MODELESS;
  m_psh.hwndParent = hWndOwner;
  m_psh.hInstance = AfxGetResourceHandle();
  m_psh.pszCaption = m_strCaption;
  m_psh.nPages = static_cast<UINT>(m_pageHeaders.size());
  m_psh.ppsp = m_pageHeaders.data();
  if (m_psh.nStartPage >= m_psh.nPages) m_psh.nStartPage = 0;

  struct Context {
    PROPSHEETHEADER* pHeader;
    HWND hWnd;
  } context = {&m_psh, nullptr};
  AfxHookWindowCreate(
      this,
      [](void* p) {
        Context* c = static_cast<Context*>(p);
        c->hWnd = reinterpret_cast<HWND>(::PropertySheet(c->pHeader));
      },
      &context);
  if (context.hWnd == nullptr || reinterpret_cast<INT_PTR>(context.hWnd) == -1) {
    if (m_hWnd != nullptr) Detach();
    return FALSE;
  }
  return m_hWnd == context.hWnd;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd) {
  if (pParentWnd == nullptr) pParentWnd = m_pParentWnd;
  m_pParentWnd = pParentWnd;
  if (!CreateSheetWindow(pParentWnd->GetSafeHwnd())) return FALSE;
  AfxAddModelessFilter(this);
  return TRUE;
}

INT_PTR CPropertySheet::DoModal() {
  HWND hWndOwner = AfxGetModalOwner(m_pParentWnd);
  BOOL bEnableOwner = hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner);
  if (bEnableOwner) ::EnableWindow(hWndOwner, FALSE);

  m_nModalResult = -1;
  if (CreateSheetWindow(hWndOwner)) {
    m_nFlags |= WF_CONTINUEMODAL;
    RunModalLoop(MLF_SHOWONIDLE);
  }
  AfxEndModalWindow(this, hWndOwner, bEnableOwner);
  return m_nModalResult;
}

BOOL CPropertySheet::ContinueModal() {
  if (!CWnd::ContinueModal()) return FALSE;
  // The system's modeless sheet has no current page once OK or Cancel
  // finished (the close box counts as Cancel).
  if (::SendMessage(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0) return TRUE;
  if (m_nModalResult == -1) m_nModalResult = IDCANCEL;
  return FALSE;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM) {
  // The system builds the tabs and the first page; then the object's turn.
  LRESULT lResult = Default();
  OnInitDialog();
  return lResult;
}

BOOL CPropertySheet::OnInitDialog() { return TRUE; }

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  // Tab, arrows, Enter, Esc and Ctrl+Tab across the tabs, pages and buttons.
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
    return static_cast<BOOL>(::SendMessage(m_hWnd, PSM_ISDIALOGMESSAGE, 0, reinterpret_cast<LPARAM>(pMsg)));
  return FALSE;
}
