// CPropertyPage: one page of a property sheet, a dialog from a template
// (a child dialog) that the sheet creates when the page is first shown.
//
// The sheet's notices arrive as virtual calls: OnSetActive when the page is
// shown (members go into the controls again, after the first time),
// OnKillActive when it is left (members come back from the controls with
// validation; FALSE keeps the page), OnApply when OK or Apply is pressed
// (calls OnOK), OnReset on Cancel (calls OnCancel), OnQueryCancel before
// Cancel (FALSE refuses it). A page does not end the sheet itself.
#pragma once

#include <prsht.h>

#include "Dialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
  DECLARE_DYNAMIC(CPropertyPage)
 public:
  CPropertyPage();
  explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
  explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
  void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
  void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

  // Enables the sheet's Apply button while the page has changes.
  void SetModified(BOOL bChanged = TRUE);
  // OK becomes Close; Cancel is disabled.
  void CancelToClose();

  virtual BOOL OnSetActive();
  virtual BOOL OnKillActive();
  virtual BOOL OnApply();
  virtual void OnReset();
  virtual BOOL OnQueryCancel();
  void OnOK() override;
  void OnCancel() override;
  BOOL PreTranslateMessage(MSG* pMsg) override;

  // What the sheet passes to the system for this page; the template and
  // caption are filled in from the constructor's arguments.
  PROPSHEETPAGE m_psp;

 protected:
  BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
  // The result a modal sheet ends with, once OK or Cancel went through.
  void TellSheet(int nResult);
  CString m_strCaption;
  BOOL m_bFirstSetActive;

  friend class CPropertySheet;
  friend INT_PTR CALLBACK AfxPropPageDlgProc(HWND, UINT, WPARAM, LPARAM);
};

INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
