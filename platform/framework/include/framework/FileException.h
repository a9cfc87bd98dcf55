// CFileException: a failed file operation, with the framework's cause number
// and the operating system's error code.
#pragma once

#include "Exception.h"
#include "String.h"

class CFileException : public CException {
  DECLARE_DYNAMIC(CFileException)
 public:
  enum {
    none = 0,
    genericException = 1,
    fileNotFound = 2,
    badPath = 3,
    tooManyOpenFiles = 4,
    accessDenied = 5,
    invalidFile = 6,
    removeCurrentDir = 7,
    directoryFull = 8,
    badSeek = 9,
    hardIO = 10,
    sharingViolation = 11,
    lockViolation = 12,
    diskFull = 13,
    endOfFile = 14,
  };

  explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszArchiveName = nullptr);

  void Clear() {
    m_cause = none;
    m_lOsError = -1;
    m_strFileName.Empty();
  }

  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

  // Cause number of an operating-system error code (Win32 error codes).
  static int PASCAL OsErrorToException(LONG lOsError);
  // Cause number of a C runtime errno value.
  static int PASCAL ErrnoToException(int nErrno);
  [[noreturn]] static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);
  [[noreturn]] static void PASCAL ThrowErrno(int nErrno, LPCTSTR lpszFileName = nullptr);

  int m_cause;
  LONG m_lOsError;
  CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
