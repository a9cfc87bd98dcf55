#include "framework/ArchiveVariant.h"

#include "framework/ArchiveException.h"

void AFXAPI AfxWriteArchiveVariant(CArchive& ar, const AFX_ARCHIVE_VARIANT& value) {
  switch (value.vt) {
    case VT_EMPTY:
    case VT_NULL: ar << value.vt; break;
    case VT_UI1: ar << value.vt << static_cast<BYTE>(value.nValue); break;
    case VT_I2:
    case VT_BOOL: ar << value.vt << static_cast<short>(value.nValue); break;
    case VT_I4:
    case VT_ERROR: ar << value.vt << static_cast<LONG>(value.nValue); break;
    case VT_R4: ar << value.vt << static_cast<float>(value.dValue); break;
    case VT_R8:
    case VT_DATE: ar << value.vt << value.dValue; break;
    case VT_CY:
      ar << value.vt << static_cast<DWORD>(static_cast<ULONGLONG>(value.nValue))
         << static_cast<DWORD>(static_cast<ULONGLONG>(value.nValue) >> 32);
      break;
    case VT_BSTR: ar << value.vt << value.strValue; break;
    default: AfxThrowNotSupportedException();
  }
}

void AFXAPI AfxReadArchiveVariant(CArchive& ar, AFX_ARCHIVE_VARIANT& value) {
  WORD vt;
  ar >> vt;
  AFX_ARCHIVE_VARIANT read;
  read.vt = vt;
  switch (vt) {
    case VT_EMPTY:
    case VT_NULL: break;
    case VT_UI1: {
      BYTE b;
      ar >> b;
      read.nValue = b;
      break;
    }
    case VT_I2:
    case VT_BOOL: {
      short i;
      ar >> i;
      read.nValue = i;
      break;
    }
    case VT_I4:
    case VT_ERROR: {
      LONG l;
      ar >> l;
      read.nValue = l;
      break;
    }
    case VT_R4: {
      float f;
      ar >> f;
      read.dValue = f;
      break;
    }
    case VT_R8:
    case VT_DATE: ar >> read.dValue; break;
    case VT_CY: {
      DWORD dwLow, dwHigh;
      ar >> dwLow >> dwHigh;
      read.nValue = static_cast<LONGLONG>((static_cast<ULONGLONG>(dwHigh) << 32) | dwLow);
      break;
    }
    case VT_BSTR: ar >> read.strValue; break;
    default: AfxThrowArchiveException(CArchiveException::genericException);
  }
  // Only a value read whole replaces what the caller had.
  value = read;
}
