// The archive's form of a variant: the 16-bit variant type, then the value
// in little-endian order: nothing for VT_EMPTY and VT_NULL, 1 byte for
// VT_UI1, 2 for VT_I2 and VT_BOOL, 4 for VT_I4, VT_ERROR and VT_R4, 8 for
// VT_R8 and VT_DATE, 8 for VT_CY (low 32 bits first), and a string as
// CString writes it for VT_BSTR. Other types are refused both ways.
// Portable: COleVariant's archive operators are built on it.
#pragma once

#include "Archive.h"
#include "String.h"

#ifdef _WIN32
#include <oaidl.h>
#else
enum {
  VT_EMPTY = 0,
  VT_NULL = 1,
  VT_I2 = 2,
  VT_I4 = 3,
  VT_R4 = 4,
  VT_R8 = 5,
  VT_CY = 6,
  VT_DATE = 7,
  VT_BSTR = 8,
  VT_ERROR = 10,
  VT_BOOL = 11,
  VT_UI1 = 17
};
#endif

struct AFX_ARCHIVE_VARIANT {
  WORD vt = VT_EMPTY;
  LONGLONG nValue = 0;  // VT_UI1, VT_I2, VT_BOOL, VT_I4, VT_ERROR, VT_CY
  double dValue = 0;    // VT_R4, VT_R8, VT_DATE
  CString strValue;     // VT_BSTR
};

// Another type: CNotSupportedException.
void AFXAPI AfxWriteArchiveVariant(CArchive& ar, const AFX_ARCHIVE_VARIANT& value);
// Another type: CArchiveException (genericException); a stream that ends
// inside the value: CArchiveException (endOfFile).
void AFXAPI AfxReadArchiveVariant(CArchive& ar, AFX_ARCHIVE_VARIANT& value);
