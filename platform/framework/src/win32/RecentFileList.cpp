// CRecentFileList, and the application's list (LoadStdProfileSettings,
// AddToRecentFileList; written back at ExitInstance).
#include "framework/RecentFileList.h"

#include "framework/WinApp.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize, int nMaxDispLen)
    : m_nSize(nSize > 0 ? nSize : 1),
      m_arrNames(new CString[static_cast<size_t>(m_nSize)]),
      m_strSectionName(lpszSection),
      m_strEntryFormat(lpszEntryFormat),
      m_nStart(nStart),
      m_nMaxDisplayLength(nMaxDispLen) {}

CRecentFileList::~CRecentFileList() { delete[] m_arrNames; }

CString& CRecentFileList::operator[](int nIndex) {
  ENSURE_ARG(nIndex >= 0 && nIndex < m_nSize);
  return m_arrNames[nIndex];
}

void CRecentFileList::Add(LPCTSTR lpszPathName) {
  ENSURE_ARG(lpszPathName != nullptr && *lpszPathName != '\0');
  char szFull[MAX_PATH];
  DWORD n = ::GetFullPathNameA(lpszPathName, sizeof(szFull), szFull, nullptr);
  CString strPath = n > 0 && n < sizeof(szFull) ? szFull : lpszPathName;
  // Where it is listed already (or the last place), the entries above move down.
  int nIndex = 0;
  while (nIndex < m_nSize - 1 && m_arrNames[nIndex].CompareNoCase(strPath) != 0) ++nIndex;
  for (; nIndex > 0; --nIndex) m_arrNames[nIndex] = m_arrNames[nIndex - 1];
  m_arrNames[0] = strPath;
}

void CRecentFileList::Remove(int nIndex) {
  ENSURE_ARG(nIndex >= 0 && nIndex < m_nSize);
  for (int i = nIndex; i < m_nSize - 1; ++i) m_arrNames[i] = m_arrNames[i + 1];
  m_arrNames[m_nSize - 1].Empty();
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                     BOOL bAtLeastName) const {
  ENSURE_ARG(nIndex >= 0 && nIndex < m_nSize);
  const CString& strPath = m_arrNames[nIndex];
  if (strPath.IsEmpty()) return FALSE;
  CString strShown = strPath;
  if (lpszCurDir != nullptr && nCurDir > 0 && strPath.GetLength() > nCurDir &&
      strPath.Left(nCurDir).CompareNoCase(CString(lpszCurDir, nCurDir)) == 0)
    strShown = strPath.Mid(nCurDir);
  strName = AfxAbbreviateName(strShown, m_nMaxDisplayLength, bAtLeastName);
  return TRUE;
}

namespace {
CString EntryName(const CString& strFormat, int nIndex) {
  CString strEntry;
  strEntry.Format(strFormat, nIndex + 1);
  return strEntry;
}
}  // namespace

void CRecentFileList::ReadList() {
  CWinApp* pApp = AfxGetApp();
  ENSURE(pApp != nullptr);
  for (int i = 0; i < m_nSize; ++i)
    m_arrNames[i] = pApp->GetProfileString(m_strSectionName, EntryName(m_strEntryFormat, i), "");
}

void CRecentFileList::WriteList() {
  CWinApp* pApp = AfxGetApp();
  ENSURE(pApp != nullptr);
  for (int i = 0; i < m_nSize; ++i) {
    CString strEntry = EntryName(m_strEntryFormat, i);
    if (m_arrNames[i].IsEmpty())
      pApp->WriteProfileString(m_strSectionName, strEntry, nullptr);
    else
      pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[i]);
  }
}

CString AFXAPI AfxAbbreviateName(const CString& strPath, int cchMax, BOOL bAtLeastName) {
  int nLength = strPath.GetLength();
  if (nLength <= cchMax) return strPath;
  int nNameStart = strPath.ReverseFind('\\') + 1;
  CString strName = strPath.Mid(nNameStart);
  if (cchMax <= strName.GetLength()) return bAtLeastName ? strName : CString();
  // The root: "c:\" or "\\server\share\"; then "..." and the last parts that fit.
  int nRootEnd = 0;
  if (strPath.Left(2) == "\\\\") {
    int nServerEnd = strPath.Find('\\', 2);
    int nShareEnd = nServerEnd >= 0 ? strPath.Find('\\', nServerEnd + 1) : -1;
    nRootEnd = nShareEnd >= 0 ? nShareEnd + 1 : 0;
  } else {
    int nFirst = strPath.Find('\\');
    nRootEnd = nFirst >= 0 ? nFirst + 1 : 0;
  }
  CString strRoot = strPath.Left(nRootEnd);
  // Drop whole folders after the root until "root...\rest" fits.
  int nRestStart = nRootEnd;
  while (nRestStart < nNameStart) {
    int nNext = strPath.Find('\\', nRestStart);
    if (nNext < 0 || nNext >= nNameStart) break;
    nRestStart = nNext + 1;
    if (strRoot.GetLength() + 3 + 1 + (nLength - nRestStart) <= cchMax)
      return strRoot + "...\\" + strPath.Mid(nRestStart);
  }
  return strName;
}

// --------------------------------------------------- the application's list

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
  if (nMaxMRU == 0) return;
  delete m_pRecentFileList;
  m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", static_cast<int>(nMaxMRU));
  m_pRecentFileList->ReadList();
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) {
  if (m_pRecentFileList != nullptr) m_pRecentFileList->Add(lpszPathName);
}
