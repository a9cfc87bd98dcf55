#include "framework/ArchiveException.h"
#include "framework/Exception.h"
#include "framework/FileException.h"

#include <cerrno>
#include <cstdio>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CUserException, CSimpleException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)

CException::CException() : m_bAutoDelete(TRUE) {}
CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

void CException::Delete() {
  if (m_bAutoDelete > 0) delete this;
}

BOOL CException::CopyMessage(LPCTSTR text, LPTSTR lpszError, UINT nMaxError) {
  if (lpszError == nullptr || nMaxError == 0) return FALSE;
  size_t n = strlen(text);
  if (n >= nMaxError) n = nMaxError - 1;
  memcpy(lpszError, text, n);
  lpszError[n] = 0;
  return TRUE;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext != nullptr) *pnHelpContext = 0;
  if (lpszError != nullptr && nMaxError > 0) *lpszError = 0;
  return FALSE;
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  if (pnHelpContext != nullptr) *pnHelpContext = 0;
  return CopyMessage(GetMessageText(), lpszError, nMaxError);
}

LPCTSTR CSimpleException::GetMessageText() const { return "An unknown error has occurred."; }
LPCTSTR CMemoryException::GetMessageText() const { return "Out of memory."; }
LPCTSTR CNotSupportedException::GetMessageText() const { return "The operation is not supported."; }
LPCTSTR CInvalidArgException::GetMessageText() const { return "An invalid argument was encountered."; }
LPCTSTR CResourceException::GetMessageText() const { return "A required resource was unavailable."; }
LPCTSTR CUserException::GetMessageText() const { return "The operation was stopped."; }

// The memory exception is preallocated: when memory runs out there may be no
// room for a new one. Delete() leaves it alone.
void AFXAPI AfxThrowMemoryException() {
  static CMemoryException s_memoryException(FALSE);
  throw &s_memoryException;
}

void AFXAPI AfxThrowInvalidArgException() { throw new CInvalidArgException; }
void AFXAPI AfxThrowNotSupportedException() { throw new CNotSupportedException; }
void AFXAPI AfxThrowResourceException() { throw new CResourceException; }
void AFXAPI AfxThrowUserException() { throw new CUserException; }

// ---------------------------------------------------------------- files

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  static const char* const kTexts[] = {
      "No error occurred.",
      "An unexpected error occurred while accessing %s.",
      "%s was not found.",
      "%s contains an invalid path.",
      "%s could not be opened because there are too many open files.",
      "Access to %s was denied.",
      "An invalid file handle was associated with %s.",
      "%s could not be removed because it is the current directory.",
      "%s could not be created because the directory is full.",
      "Seek failed on %s.",
      "A hardware I/O error was reported while accessing %s.",
      "A sharing violation occurred while accessing %s.",
      "A locking violation occurred while accessing %s.",
      "Disk full while accessing %s.",
      "An attempt was made to access %s past its end.",
  };
  if (pnHelpContext != nullptr) *pnHelpContext = static_cast<UINT>(m_cause);
  const char* format = m_cause >= 0 && m_cause < static_cast<int>(sizeof(kTexts) / sizeof(kTexts[0]))
                           ? kTexts[m_cause]
                           : kTexts[genericException];
  CString name = m_strFileName.IsEmpty() ? CString("an unnamed file") : m_strFileName;
  CString text;
  text.Format(format, static_cast<LPCTSTR>(name));
  return CopyMessage(text, lpszError, nMaxError);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError) {
  // Win32 error codes and the cause each one stands for. Three are chosen for
  // what the user of a file was doing: a read or write fault is the disk or
  // its hardware failing (a save that hits one must not read as a bad path,
  // a wrong seek or denied access), and "cannot make" is a folder that takes
  // no more entries.
  struct Row {
    LONG error;
    int cause;
  };
  static const Row kMap[] = {
      {0, none},
      {2, fileNotFound},        // ERROR_FILE_NOT_FOUND
      {3, badPath},             // ERROR_PATH_NOT_FOUND
      {4, tooManyOpenFiles},    // ERROR_TOO_MANY_OPEN_FILES
      {5, accessDenied},        // ERROR_ACCESS_DENIED
      {6, invalidFile},         // ERROR_INVALID_HANDLE
      {15, badPath},            // ERROR_INVALID_DRIVE
      {16, removeCurrentDir},   // ERROR_CURRENT_DIRECTORY
      {17, badPath},            // ERROR_NOT_SAME_DEVICE
      {18, fileNotFound},       // ERROR_NO_MORE_FILES
      {19, accessDenied},       // ERROR_WRITE_PROTECT
      {20, hardIO},             // ERROR_BAD_UNIT
      {21, hardIO},             // ERROR_NOT_READY
      {22, hardIO},             // ERROR_BAD_COMMAND
      {23, hardIO},             // ERROR_CRC
      {24, badSeek},            // ERROR_BAD_LENGTH
      {25, badSeek},            // ERROR_SEEK
      {26, invalidFile},        // ERROR_NOT_DOS_DISK
      {27, badSeek},            // ERROR_SECTOR_NOT_FOUND
      {29, hardIO},             // ERROR_WRITE_FAULT
      {30, hardIO},             // ERROR_READ_FAULT
      {32, sharingViolation},   // ERROR_SHARING_VIOLATION
      {33, lockViolation},      // ERROR_LOCK_VIOLATION
      {34, badPath},            // ERROR_WRONG_DISK
      {36, tooManyOpenFiles},   // ERROR_SHARING_BUFFER_EXCEEDED
      {38, endOfFile},          // ERROR_HANDLE_EOF
      {39, diskFull},           // ERROR_HANDLE_DISK_FULL
      {53, badPath},            // ERROR_BAD_NETPATH
      {54, accessDenied},       // ERROR_NETWORK_BUSY
      {55, badPath},            // ERROR_DEV_NOT_EXIST
      {57, hardIO},             // ERROR_ADAP_HDW_ERR
      {58, accessDenied},       // ERROR_BAD_NET_RESP
      {59, hardIO},             // ERROR_UNEXP_NET_ERR
      {62, directoryFull},      // ERROR_NO_SPOOL_SPACE
      {64, accessDenied},       // ERROR_NETNAME_DELETED
      {65, accessDenied},       // ERROR_NETWORK_ACCESS_DENIED
      {67, badPath},            // ERROR_BAD_NET_NAME
      {80, accessDenied},       // ERROR_FILE_EXISTS
      {82, directoryFull},      // ERROR_CANNOT_MAKE
      {88, hardIO},             // ERROR_NET_WRITE_FAULT
      {107, fileNotFound},      // ERROR_DISK_CHANGE
      {108, lockViolation},     // ERROR_DRIVE_LOCKED
      {112, diskFull},          // ERROR_DISK_FULL
      {113, tooManyOpenFiles},  // ERROR_NO_MORE_SEARCH_HANDLES
      {114, invalidFile},       // ERROR_INVALID_TARGET_HANDLE
      {123, badPath},           // ERROR_INVALID_NAME
      {131, badSeek},           // ERROR_NEGATIVE_SEEK
      {132, badSeek},           // ERROR_SEEK_ON_DEVICE
      {145, removeCurrentDir},  // ERROR_DIR_NOT_EMPTY
      {161, badPath},           // ERROR_BAD_PATHNAME
      {167, lockViolation},     // ERROR_LOCK_FAILED
      {170, accessDenied},      // ERROR_BUSY
      {183, accessDenied},      // ERROR_ALREADY_EXISTS
      {206, badPath},           // ERROR_FILENAME_EXCED_RANGE
      {267, badPath},           // ERROR_DIRECTORY
      {995, hardIO},            // ERROR_OPERATION_ABORTED
  };
  for (const Row& row : kMap)
    if (row.error == lOsError) return row.cause;
  return genericException;
}

int PASCAL CFileException::ErrnoToException(int nErrno) {
  switch (nErrno) {
    case 0: return none;
    case ENOENT: return fileNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST:
    case EISDIR: return accessDenied;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EBADF: return invalidFile;
    case ENOSPC: return diskFull;
#ifdef EDQUOT
    case EDQUOT: return diskFull;  // over quota: no room for this user
#endif
    case EINVAL:
    case ESPIPE: return badSeek;
    case ENOTDIR:
    case ENAMETOOLONG: return badPath;
    case EIO: return hardIO;
    default: return genericException;
  }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName) {
  throw new CFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void PASCAL CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName) {
  throw new CFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName) {
  throw new CFileException(cause, lOsError, lpszFileName);
}

// -------------------------------------------------------------- archives

CArchiveException::CArchiveException(int cause, LPCTSTR lpszArchiveName)
    : m_cause(cause), m_strFileName(lpszArchiveName) {}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const {
  static const char* const kTexts[] = {
      "No error occurred.",
      "An unexpected error occurred while reading or writing %s.",
      "An attempt was made to write to %s while it was being read.",
      "An unexpected end of file was found while reading %s.",
      "An attempt was made to read from %s while it was being written.",
      "%s holds a reference to an object or class that is not in it.",
      "%s holds an unexpected object class.",
      "%s holds an object of an unsupported format version.",
  };
  if (pnHelpContext != nullptr) *pnHelpContext = static_cast<UINT>(m_cause);
  const char* format = m_cause >= 0 && m_cause < static_cast<int>(sizeof(kTexts) / sizeof(kTexts[0]))
                           ? kTexts[m_cause]
                           : kTexts[genericException];
  CString name = m_strFileName.IsEmpty() ? CString("the archive") : m_strFileName;
  CString text;
  text.Format(format, static_cast<LPCTSTR>(name));
  return CopyMessage(text, lpszError, nMaxError);
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName) {
  throw new CArchiveException(cause, lpszArchiveName);
}
