// CRecentFileList: the most recently used files, newest first, as the File
// menu lists them (commands ID_FILE_MRU_FILE1 ...). Adding a file that is
// already listed moves it to the top. The list is read from and written to
// the application's profile (section lpszSection, entries made by
// lpszEntryFormat from the position counted from 1, "File%d").
// CWinApp::LoadStdProfileSettings makes the application's list.
#pragma once

#include "String.h"

#define ID_FILE_MRU_FILE1 0xE110
#define ID_FILE_MRU_FILE16 0xE11F
// How many characters a name shows when nothing else is asked.
#define AFX_ABBREV_FILENAME_LEN 30

class CRecentFileList {
 public:
  CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                  int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
  virtual ~CRecentFileList();
  CRecentFileList(const CRecentFileList&) = delete;
  CRecentFileList& operator=(const CRecentFileList&) = delete;

  int GetSize() const { return m_nSize; }
  // The full path at nIndex; empty where the list is not full.
  CString& operator[](int nIndex);
  // Puts the full path of lpszPathName at the top.
  virtual void Add(LPCTSTR lpszPathName);
  virtual void Remove(int nIndex);
  // The name the menu shows for nIndex: relative to lpszCurDir (its first
  // nCurDir characters, ending in a backslash) when the file lies below it,
  // shortened to the display length with "..." for the folders in between
  // (bAtLeastName: never less than the file's name). FALSE for an empty entry.
  virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                              BOOL bAtLeastName = TRUE) const;
  virtual void ReadList();
  virtual void WriteList();

  int m_nSize;
  CString* m_arrNames;
  CString m_strSectionName;
  CString m_strEntryFormat;
  UINT m_nStart;  // the command of the first entry
  int m_nMaxDisplayLength;
};

// Shortens a path to at most cchMax characters by putting "..." for the
// folders after its root (the name alone when even that is too long);
// bAtLeastName keeps the whole name of the file however long it is.
CString AFXAPI AfxAbbreviateName(const CString& strPath, int cchMax, BOOL bAtLeastName);
