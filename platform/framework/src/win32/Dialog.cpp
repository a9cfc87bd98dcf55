#include "framework/Dialog.h"

#include "framework/ExtensionModule.h"
#include "framework/WinApp.h"

#include "ThreadState.h"
#include "WndInternal.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_COMMAND(IDOK, OnOK)
ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

// The dialog procedure of framework dialogs: WM_INITDIALOG goes to
// OnInitDialog; everything else the framework's window procedure already
// routed through the message map.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
  if (message != WM_INITDIALOG) return FALSE;
  CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
  if (pDlg == nullptr) return TRUE;
  try {
    return pDlg->OnInitDialog();
  } catch (CException* e) {
    e->ReportError(MB_ICONSTOP);
    e->Delete();
    return TRUE;
  }
}

CDialog::CDialog()
    : m_lpszTemplateName(nullptr),
      m_nIDHelp(0),
      m_pParentWnd(nullptr),
      m_nModalResult(-1),
      m_lpDialogTemplate(nullptr) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : CDialog() {
  m_lpszTemplateName = lpszTemplateName;
  m_pParentWnd = pParentWnd;
  if (IS_INTRESOURCE(lpszTemplateName)) m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog() {
  m_lpszTemplateName = MAKEINTRESOURCE(nIDTemplate);
  m_pParentWnd = pParentWnd;
  m_nIDHelp = nIDTemplate;
}

CDialog::~CDialog() {
  if (m_hWnd != nullptr) DestroyWindow();
}

BOOL CDialog::CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HWND hWndParent, HINSTANCE hInst) {
  if (lpTemplate == nullptr) return FALSE;
  HWND hWnd;
  {
    // Ties the dialog window to this object as soon as it exists, so that
    // WM_INITDIALOG and the messages before it reach the message map.
    struct Context {
      LPCDLGTEMPLATE lpTemplate;
      HWND hWndParent;
      HINSTANCE hInst;
      HWND hWnd;
    } context = {lpTemplate, hWndParent, hInst, nullptr};
    AfxHookWindowCreate(
        this,
        [](void* p) {
          Context* c = static_cast<Context*>(p);
          c->hWnd = ::CreateDialogIndirectParam(c->hInst, c->lpTemplate, c->hWndParent, AfxDlgProc, 0);
        },
        &context);
    hWnd = context.hWnd;
  }
  if (hWnd == nullptr) {
    if (m_hWnd != nullptr) Detach();
    return FALSE;
  }
  return TRUE;
}

namespace {
// The template resource: its module and its data.
LPCDLGTEMPLATE FindTemplate(LPCTSTR lpszTemplateName, HINSTANCE* phInst) {
  HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
  if (hInst == nullptr) return nullptr;
  HRSRC hResource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
  HGLOBAL hTemplate = hResource ? ::LoadResource(hInst, hResource) : nullptr;
  if (hTemplate == nullptr) return nullptr;
  *phInst = hInst;
  return static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate));
}
}  // namespace

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
  ENSURE_ARG(lpszTemplateName != nullptr);
  m_lpszTemplateName = lpszTemplateName;
  if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
    m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
  HINSTANCE hInst = nullptr;
  LPCDLGTEMPLATE lpTemplate = FindTemplate(lpszTemplateName, &hInst);
  if (lpTemplate == nullptr) return FALSE;
  if (pParentWnd == nullptr) pParentWnd = m_pParentWnd;
  m_pParentWnd = pParentWnd;
  if (!CreateFromTemplate(lpTemplate, pParentWnd->GetSafeHwnd(), hInst)) return FALSE;
  AfxAddModelessFilter(this);
  return TRUE;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd); }

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
  if (pParentWnd == nullptr) pParentWnd = m_pParentWnd;
  m_pParentWnd = pParentWnd;
  if (!CreateFromTemplate(lpDialogTemplate, pParentWnd->GetSafeHwnd(), hInst ? hInst : AfxGetResourceHandle()))
    return FALSE;
  AfxAddModelessFilter(this);
  return TRUE;
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
  m_lpDialogTemplate = lpDialogTemplate;
  if (pParentWnd != nullptr) m_pParentWnd = pParentWnd;
  return lpDialogTemplate != nullptr;
}

HWND AfxGetModalOwner(CWnd* pParentWnd) {
  HWND hWndOwner = pParentWnd->GetSafeHwnd();
  if (hWndOwner == nullptr) {
    CWnd* pMainWnd = AfxGetMainWnd();
    hWndOwner = pMainWnd->GetSafeHwnd();
  }
  // Without one (a DLL has no main window of its own), the thread's active
  // window: the program the user is working in stays disabled meanwhile.
  if (hWndOwner == nullptr) hWndOwner = ::GetActiveWindow();
  // A child cannot own a dialog: its top-level window does.
  while (hWndOwner != nullptr && (::GetWindowLong(hWndOwner, GWL_STYLE) & WS_CHILD)) hWndOwner = ::GetParent(hWndOwner);
  return hWndOwner;
}

void AfxEndModalWindow(CWnd* pWnd, HWND hWndOwner, BOOL bEnableOwner) {
  // Hidden before the owner comes back, so that the owner is activated
  // rather than some other window.
  if (pWnd->m_hWnd != nullptr)
    ::SetWindowPos(pWnd->m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  if (bEnableOwner) ::EnableWindow(hWndOwner, TRUE);
  if (hWndOwner != nullptr && ::GetActiveWindow() == pWnd->m_hWnd) ::SetActiveWindow(hWndOwner);
  if (pWnd->m_hWnd != nullptr) pWnd->DestroyWindow();
}

HWND CDialog::PreModal() { return AfxGetModalOwner(m_pParentWnd); }

void CDialog::PostModal() {}

INT_PTR CDialog::DoModal() {
  HINSTANCE hInst = AfxGetResourceHandle();
  LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
  if (lpTemplate == nullptr && m_lpszTemplateName != nullptr) lpTemplate = FindTemplate(m_lpszTemplateName, &hInst);
  if (lpTemplate == nullptr) return -1;

  HWND hWndOwner = PreModal();
  BOOL bEnableOwner = FALSE;
  if (hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner)) {
    ::EnableWindow(hWndOwner, FALSE);
    bEnableOwner = TRUE;
  }
  m_nModalResult = -1;
  m_nFlags |= WF_CONTINUEMODAL;
  if (CreateFromTemplate(lpTemplate, hWndOwner, hInst)) {
    if (m_nFlags & WF_CONTINUEMODAL) {
      // Shown when the loop first goes idle unless the template hides it.
      DWORD dwFlags = MLF_SHOWONIDLE;
      if (GetStyle() & DS_NOIDLEMSG) dwFlags |= MLF_NOIDLEMSG;
      RunModalLoop(dwFlags);
    }
  }
  AfxEndModalWindow(this, hWndOwner, bEnableOwner);
  PostModal();
  return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
  if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL)) {
    m_nModalResult = nResult;
    EndModalLoop(nResult);
  }
  // A modeless dialog is hidden, not destroyed.
  ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
  CDataExchange dx(this, bSaveAndValidate);
  // Notifications the exchange causes (EN_CHANGE...) are not routed.
  AFX_THREAD_STATE* pState = AfxGetThreadState();
  HWND hWndOldLockout = pState->hLockoutNotifyWindow;
  pState->hLockoutNotifyWindow = m_hWnd;
  BOOL bOK = FALSE;
  try {
    DoDataExchange(&dx);
    bOK = TRUE;
  } catch (CException* e) {
    // A refusal was shown to the user already; anything else is reported.
    if (!e->IsKindOf(RUNTIME_CLASS(CUserException))) e->ReportError(MB_ICONSTOP);
    e->Delete();
  }
  pState->hLockoutNotifyWindow = hWndOldLockout;
  return bOK;
}

BOOL CDialog::OnInitDialog() {
  // Members into the controls; TRUE: the system puts the focus on the first
  // control.
  UpdateData(FALSE);
  return TRUE;
}

void CDialog::OnOK() {
  if (!UpdateData(TRUE)) return;
  EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
  if (CWnd::PreTranslateMessage(pMsg)) return TRUE;
  // Keyboard navigation (Tab, arrows, Enter, Esc) of the dialog's controls.
  if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::IsDialogMessage(m_hWnd, pMsg)) return TRUE;
  return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
  return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
