// The common Open / Save As and colour dialogs.
#include "framework/ColorDialog.h"
#include "framework/FileDialog.h"

IMPLEMENT_DYNAMIC(CFileDialog, CDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CDialog)

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd)
    : m_ofn(), m_bOpenFileDialog(bOpenFileDialog), m_szFileName(), m_szFileTitle() {
  m_pParentWnd = pParentWnd;
  m_ofn.lStructSize = sizeof(m_ofn);
  m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = sizeof(m_szFileName);
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = sizeof(m_szFileTitle);
  if (lpszDefExt != nullptr) {
    m_strDefExt = lpszDefExt;
    m_ofn.lpstrDefExt = m_strDefExt;
  }
  if (lpszFileName != nullptr) lstrcpynA(m_szFileName, lpszFileName, sizeof(m_szFileName));
  if (lpszFilter != nullptr) {
    // "Name|pattern|...||" becomes "Name\0pattern\0...\0\0".
    m_strFilter = lpszFilter;
    int nLen = m_strFilter.GetLength();
    LPTSTR p = m_strFilter.GetBuffer(nLen + 1);
    for (int i = 0; i < nLen; ++i)
      if (p[i] == '|') p[i] = '\0';
    p[nLen] = '\0';
    m_strFilter.ReleaseBuffer(nLen);
    m_ofn.lpstrFilter = m_strFilter;
  }
}

INT_PTR CFileDialog::DoModal() {
  m_ofn.hwndOwner = PreModal();
  m_ofn.hInstance = AfxGetResourceHandle();
  BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
  PostModal();
  return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetFileName() const {
  CString path(m_szFileName);
  return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const {
  CString name = GetFileName();
  int nDot = name.ReverseFind('.');
  return nDot >= 0 ? name.Mid(nDot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const {
  CString name = GetFileName();
  int nDot = name.ReverseFind('.');
  return nDot >= 0 ? name.Left(nDot) : name;
}

CString CFileDialog::GetFolderPath() const {
  CString path(m_szFileName);
  int nSlash = path.ReverseFind('\\');
  return nSlash >= 0 ? path.Left(nSlash) : CString();
}

POSITION CFileDialog::GetStartPosition() const {
  return m_szFileName[0] != 0 ? reinterpret_cast<POSITION>(const_cast<char*>(m_szFileName)) : nullptr;
}

CString CFileDialog::GetNextPathName(POSITION& pos) const {
  // One file: the path itself. Several: the folder, then NUL-separated names.
  const char* p = reinterpret_cast<const char*>(pos);
  const char* pEnd = m_szFileName + sizeof(m_szFileName);
  if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || m_szFileName[strnlen(m_szFileName, sizeof(m_szFileName)) + 1] == 0 ||
      strnlen(m_szFileName, sizeof(m_szFileName)) + 1 >= sizeof(m_szFileName)) {
    pos = nullptr;
    return CString(m_szFileName);
  }
  if (p == m_szFileName) p += strlen(m_szFileName) + 1;  // skip the folder
  CString folder(m_szFileName);
  size_t nLen = strnlen(p, static_cast<size_t>(pEnd - p));
  CString name(p, static_cast<int>(nLen));
  const char* pNext = p + nLen + 1;
  pos = (pNext < pEnd && *pNext != 0) ? reinterpret_cast<POSITION>(const_cast<char*>(pNext)) : nullptr;
  if (folder.Right(1) != "\\") folder += "\\";
  return folder + name;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : m_cc() {
  m_pParentWnd = pParentWnd;
  m_cc.lStructSize = sizeof(m_cc);
  m_cc.lpCustColors = GetSavedCustomColors();
  m_cc.Flags = dwFlags;
  if ((m_cc.rgbResult = clrInit) != 0) m_cc.Flags |= CC_RGBINIT;
}

COLORREF* PASCAL CColorDialog::GetSavedCustomColors() {
  static COLORREF s_colors[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
  return s_colors;
}

INT_PTR CColorDialog::DoModal() {
  m_cc.hwndOwner = PreModal();
  BOOL bResult = ::ChooseColor(&m_cc);
  PostModal();
  return bResult ? IDOK : IDCANCEL;
}
