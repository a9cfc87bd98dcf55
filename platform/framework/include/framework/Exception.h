// The framework's exceptions. They are thrown as heap objects
// (throw new CFileException(...)); whoever catches one calls Delete() on it.
#pragma once

#include "Object.h"

class CException : public CObject {
  DECLARE_DYNAMIC(CException)
 public:
  CException();
  explicit CException(BOOL bAutoDelete);
  ~CException() override = default;

  // Frees the exception unless it is a preallocated one (m_bAutoDelete FALSE).
  void Delete();

  // Copies a description into the buffer (truncated, NUL-terminated).
  virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
#ifdef _WIN32
  // Shows the description in a message box (AfxMessageBox); returns its result.
  virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);
#endif

  BOOL m_bAutoDelete;

 protected:
  // Helper for GetErrorMessage: copies text, truncating, always terminating.
  static BOOL CopyMessage(LPCTSTR text, LPTSTR lpszError, UINT nMaxError);
};

// An exception whose message is a fixed text.
class CSimpleException : public CException {
  DECLARE_DYNAMIC(CSimpleException)
 public:
  CSimpleException() = default;
  explicit CSimpleException(BOOL bAutoDelete) : CException(bAutoDelete) {}
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

 protected:
  virtual LPCTSTR GetMessageText() const;
};

class CMemoryException : public CSimpleException {
  DECLARE_DYNAMIC(CMemoryException)
 public:
  CMemoryException() = default;
  explicit CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}

 protected:
  LPCTSTR GetMessageText() const override;
};

class CNotSupportedException : public CSimpleException {
  DECLARE_DYNAMIC(CNotSupportedException)
 public:
  CNotSupportedException() = default;
  explicit CNotSupportedException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}

 protected:
  LPCTSTR GetMessageText() const override;
};

class CInvalidArgException : public CSimpleException {
  DECLARE_DYNAMIC(CInvalidArgException)
 public:
  CInvalidArgException() = default;
  explicit CInvalidArgException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}

 protected:
  LPCTSTR GetMessageText() const override;
};

class CResourceException : public CSimpleException {
  DECLARE_DYNAMIC(CResourceException)
 public:
  CResourceException() = default;
  explicit CResourceException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}

 protected:
  LPCTSTR GetMessageText() const override;
};

// Thrown to stop an operation after the user has been told why.
class CUserException : public CSimpleException {
  DECLARE_DYNAMIC(CUserException)
 public:
  CUserException() = default;
  explicit CUserException(BOOL bAutoDelete) : CSimpleException(bAutoDelete) {}

 protected:
  LPCTSTR GetMessageText() const override;
};

[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowUserException();
