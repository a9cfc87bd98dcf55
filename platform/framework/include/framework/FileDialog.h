// CFileDialog: the common Open and Save As dialogs. The filter is
// "Text (*.txt)|*.txt|All files (*.*)|*.*||".
#pragma once

#include "Dialog.h"

#include <commdlg.h>

class CFileDialog : public CDialog {
  DECLARE_DYNAMIC(CFileDialog)
 public:
  explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                       CWnd* pParentWnd = nullptr);
  INT_PTR DoModal() override;

  CString GetPathName() const { return m_szFileName; }
  CString GetFileName() const;
  CString GetFileExt() const;
  CString GetFileTitle() const;
  CString GetFolderPath() const;
  // Several files (OFN_ALLOWMULTISELECT).
  POSITION GetStartPosition() const;
  CString GetNextPathName(POSITION& pos) const;

  OPENFILENAME m_ofn;

 protected:
  BOOL m_bOpenFileDialog;
  CString m_strFilter;  // '|' replaced by NULs
  char m_szFileName[4096];
  char m_szFileTitle[MAX_PATH];
  CString m_strDefExt;
};
