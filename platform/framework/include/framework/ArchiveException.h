// CArchiveException: a stream that cannot be read or written as asked.
#pragma once

#include "Exception.h"
#include "String.h"

class CArchiveException : public CException {
  DECLARE_DYNAMIC(CArchiveException)
 public:
  enum {
    none = 0,
    genericException = 1,
    readOnly = 2,   // stored into an archive opened for loading
    endOfFile = 3,  // the stream ended inside a value
    writeOnly = 4,  // loaded from an archive opened for storing
    badIndex = 5,   // an object or class reference that is not in the stream
    badClass = 6,   // an unknown class, or one of the wrong kind
    badSchema = 7,  // the stored schema is not the class's schema
  };

  explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr);

  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

  int m_cause;
  CString m_strFileName;
};

[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
