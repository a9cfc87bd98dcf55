#include "framework/OleVariant.h"

namespace {
void Check(HRESULT hr) {
  if (FAILED(hr)) AfxThrowOleException(hr);
}
}  // namespace

COleVariant::COleVariant(const VARIANT& varSrc) {
  ::VariantInit(this);
  Check(::VariantCopy(this, const_cast<VARIANT*>(&varSrc)));
}

COleVariant::COleVariant(const COleVariant& varSrc) : COleVariant(static_cast<const VARIANT&>(varSrc)) {}

COleVariant::COleVariant(LPCTSTR lpszSrc) {
  ::VariantInit(this);
  if (lpszSrc == nullptr) return;
  int nChars = ::MultiByteToWideChar(CP_ACP, 0, lpszSrc, -1, nullptr, 0);
  BSTR bstr = ::SysAllocStringLen(nullptr, nChars > 0 ? nChars - 1 : 0);
  if (bstr == nullptr) AfxThrowMemoryException();
  if (nChars > 0) ::MultiByteToWideChar(CP_ACP, 0, lpszSrc, -1, bstr, nChars);
  vt = VT_BSTR;
  bstrVal = bstr;
}

COleVariant::COleVariant(BYTE nSrc) {
  ::VariantInit(this);
  vt = VT_UI1;
  bVal = nSrc;
}

COleVariant::COleVariant(short nSrc, VARTYPE vtSrc) {
  ENSURE_ARG(vtSrc == VT_I2 || vtSrc == VT_BOOL);
  ::VariantInit(this);
  vt = vtSrc;
  if (vtSrc == VT_BOOL)
    boolVal = nSrc ? VARIANT_TRUE : VARIANT_FALSE;
  else
    iVal = nSrc;
}

COleVariant::COleVariant(long lSrc, VARTYPE vtSrc) {
  ENSURE_ARG(vtSrc == VT_I4 || vtSrc == VT_ERROR || vtSrc == VT_BOOL);
  ::VariantInit(this);
  vt = vtSrc;
  if (vtSrc == VT_BOOL)
    boolVal = lSrc ? VARIANT_TRUE : VARIANT_FALSE;
  else if (vtSrc == VT_ERROR)
    scode = lSrc;
  else
    lVal = lSrc;
}

COleVariant::COleVariant(float fltSrc) {
  ::VariantInit(this);
  vt = VT_R4;
  fltVal = fltSrc;
}

COleVariant::COleVariant(double dblSrc) {
  ::VariantInit(this);
  vt = VT_R8;
  dblVal = dblSrc;
}

COleVariant::COleVariant(const COleDateTime& dateSrc) {
  ::VariantInit(this);
  vt = VT_DATE;
  date = dateSrc.m_dt;
}

COleVariant& COleVariant::operator=(const COleVariant& varSrc) {
  if (this != &varSrc) Check(::VariantCopy(this, const_cast<COleVariant*>(&varSrc)));
  return *this;
}

bool COleVariant::operator==(const VARIANT& varSrc) const {
  if (this == &varSrc) return true;
  if (vt != varSrc.vt) return false;
  switch (vt) {
    case VT_EMPTY:
    case VT_NULL: return true;
    case VT_UI1: return bVal == varSrc.bVal;
    case VT_I2: return iVal == varSrc.iVal;
    case VT_BOOL: return boolVal == varSrc.boolVal;
    case VT_I4: return lVal == varSrc.lVal;
    case VT_ERROR: return scode == varSrc.scode;
    case VT_R4: return fltVal == varSrc.fltVal;
    case VT_R8: return dblVal == varSrc.dblVal;
    case VT_DATE: return date == varSrc.date;
    case VT_CY: return cyVal.int64 == varSrc.cyVal.int64;
    case VT_BSTR:
      return ::SysStringByteLen(bstrVal) == ::SysStringByteLen(varSrc.bstrVal) &&
             memcmp(bstrVal, varSrc.bstrVal, ::SysStringByteLen(bstrVal)) == 0;
    default: return false;  // other types are not compared by value
  }
}

void COleVariant::ChangeType(VARTYPE vartype, LPVARIANT pSrc) {
  if (pSrc == nullptr) pSrc = this;
  if (pSrc == this && vt == vartype) return;
  Check(::VariantChangeType(this, pSrc, 0, vartype));
}

void COleVariant::Attach(VARIANT& varSrc) {
  Clear();
  *static_cast<VARIANT*>(this) = varSrc;
  varSrc.vt = VT_EMPTY;
}

VARIANT COleVariant::Detach() {
  VARIANT varResult = *this;
  vt = VT_EMPTY;
  return varResult;
}

CArchive& AFXAPI operator<<(CArchive& ar, const COleVariant& varSrc) {
  AFX_ARCHIVE_VARIANT value;
  value.vt = varSrc.vt;
  switch (varSrc.vt) {
    case VT_UI1: value.nValue = varSrc.bVal; break;
    case VT_I2: value.nValue = varSrc.iVal; break;
    case VT_BOOL: value.nValue = varSrc.boolVal; break;
    case VT_I4: value.nValue = varSrc.lVal; break;
    case VT_ERROR: value.nValue = varSrc.scode; break;
    case VT_CY: value.nValue = varSrc.cyVal.int64; break;
    case VT_R4: value.dValue = varSrc.fltVal; break;
    case VT_R8: value.dValue = varSrc.dblVal; break;
    case VT_DATE: value.dValue = varSrc.date; break;
    case VT_BSTR: {
      COleVariant text;
      text.ChangeType(VT_BSTR, const_cast<COleVariant*>(&varSrc));
      int nBytes = ::WideCharToMultiByte(CP_ACP, 0, text.bstrVal, static_cast<int>(::SysStringLen(text.bstrVal)),
                                         nullptr, 0, nullptr, nullptr);
      LPTSTR p = value.strValue.GetBufferSetLength(nBytes);
      ::WideCharToMultiByte(CP_ACP, 0, text.bstrVal, static_cast<int>(::SysStringLen(text.bstrVal)), p, nBytes, nullptr,
                            nullptr);
      break;
    }
    default: break;  // VT_EMPTY, VT_NULL; the writer refuses the rest
  }
  AfxWriteArchiveVariant(ar, value);
  return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, COleVariant& varSrc) {
  AFX_ARCHIVE_VARIANT value;
  AfxReadArchiveVariant(ar, value);
  COleVariant result;
  switch (value.vt) {
    case VT_UI1: result = COleVariant(static_cast<BYTE>(value.nValue)); break;
    case VT_I2: result = COleVariant(static_cast<short>(value.nValue)); break;
    case VT_BOOL: result = COleVariant(static_cast<short>(value.nValue), VT_BOOL); break;
    case VT_I4: result = COleVariant(static_cast<long>(value.nValue)); break;
    case VT_ERROR: result = COleVariant(static_cast<long>(value.nValue), VT_ERROR); break;
    case VT_R4: result = COleVariant(static_cast<float>(value.dValue)); break;
    case VT_R8: result = COleVariant(value.dValue); break;
    case VT_DATE: result = COleVariant(COleDateTime(value.dValue)); break;
    case VT_CY:
      result.vt = VT_CY;
      result.cyVal.int64 = value.nValue;
      break;
    case VT_BSTR: result = COleVariant(static_cast<LPCTSTR>(value.strValue)); break;
    case VT_NULL: result.vt = VT_NULL; break;
    default: break;
  }
  varSrc = result;
  return ar;
}
