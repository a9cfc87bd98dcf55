// CPropertySheet: a dialog of tabbed CPropertyPages.
//
// Create makes it modeless (it stays until DestroyWindow, OK and Cancel
// only end the pages' part). DoModal runs it in the framework's own modal
// loop (the owner disabled meanwhile) and returns IDOK or IDCANCEL when the
// user closes it, or -1 when the sheet could not be made or a WM_QUIT ended
// the loop (the quit is posted again for the outer loop). PSH_NOAPPLYNOW in
// m_psh.dwFlags removes the Apply button.
#pragma once

#include <vector>

#include "PropertyPage.h"

class CPropertySheet : public CWnd {
  DECLARE_DYNAMIC(CPropertySheet)
 public:
  CPropertySheet();
  explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
  ~CPropertySheet() override;

  virtual BOOL Create(CWnd* pParentWnd = nullptr);
  virtual INT_PTR DoModal();

  void AddPage(CPropertyPage* pPage);
  void RemovePage(CPropertyPage* pPage);
  void RemovePage(int nPage);
  int GetPageCount() const { return static_cast<int>(m_pages.size()); }
  CPropertyPage* GetPage(int nPage) const;
  int GetPageIndex(CPropertyPage* pPage) const;
  CPropertyPage* GetActivePage() const;
  int GetActiveIndex() const;
  BOOL SetActivePage(int nPage);
  BOOL SetActivePage(CPropertyPage* pPage);
  CWnd* GetTabControl() const;
  void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
  // PSBTN_OK, PSBTN_CANCEL, PSBTN_APPLYNOW ... as if the user pressed it.
  BOOL PressButton(int nButton);
  // Ends a modal sheet with nEndID; destroys a modeless one.
  void EndDialog(int nEndID);

  virtual BOOL OnInitDialog();
  BOOL PreTranslateMessage(MSG* pMsg) override;
  BOOL ContinueModal() override;

  PROPSHEETHEADER m_psh;

 protected:
  afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
  // Fills m_psh for the system (pages, caption, owner) and makes the window.
  BOOL CreateSheetWindow(HWND hWndOwner);

  std::vector<CPropertyPage*> m_pages;
  std::vector<PROPSHEETPAGE> m_pageHeaders;
  CString m_strCaption;
  CWnd* m_pParentWnd;
  int m_nModalResult;
  DECLARE_MESSAGE_MAP()
  friend class CPropertyPage;
};
