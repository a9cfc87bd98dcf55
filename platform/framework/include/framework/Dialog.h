// CDialog: a dialog box from a dialog template (resource).
//
// Modal: DoModal creates it, disables its owner and runs its own message
// loop until EndDialog; returns the EndDialog result (-1 when the template
// is missing or creation failed). Modeless: Create makes it and returns;
// EndDialog then only hides it (the owner destroys it with DestroyWindow).
//
// OnInitDialog exchanges the members into the controls (UpdateData(FALSE));
// OnOK exchanges them back with validation and ends the dialog with IDOK
// only when that succeeds; OnCancel ends it with IDCANCEL. Control
// notifications that UpdateData causes (EN_CHANGE of a DDX_Text edit) are
// not routed while the exchange runs.
#pragma once

#include "DataExchange.h"
#include "Wnd.h"

class CDialog : public CWnd {
  DECLARE_DYNAMIC(CDialog)
 public:
  CDialog();
  explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  ~CDialog() override;

  // Modeless.
  virtual BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
  virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
  virtual BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr, HINSTANCE hInst = nullptr);
  // Modal.
  virtual INT_PTR DoModal();
  BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

  void EndDialog(int nResult);
  BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
  void NextDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
  void PrevDlgCtrl() const { ::SendMessage(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
  void GotoDlgCtrl(CWnd* pWndCtrl) {
    ::SendMessage(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), 1);
  }
  void SetDefID(UINT nID) { ::SendMessage(m_hWnd, DM_SETDEFID, nID, 0); }
  DWORD GetDefID() const { return static_cast<DWORD>(::SendMessage(m_hWnd, DM_GETDEFID, 0, 0)); }
  void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

  virtual BOOL OnInitDialog();
  virtual void OnSetFont(CFont* pFont) {}
  virtual void OnOK();
  virtual void OnCancel();
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

  // Templates: the name or id given, found among this module's resources and
  // the linked extension libraries.
  LPCTSTR m_lpszTemplateName;
  UINT m_nIDHelp;
  CWnd* m_pParentWnd;
  int m_nModalResult;

 protected:
  virtual void DoDataExchange(CDataExchange* pDX) {}
  BOOL CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HWND hWndParent, HINSTANCE hInst);
  // The owner of a modal dialog: the parent given, else the main window's
  // top-level window.
  HWND PreModal();
  void PostModal();

  LPCDLGTEMPLATE m_lpDialogTemplate;
  DECLARE_MESSAGE_MAP()

  friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
};

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
