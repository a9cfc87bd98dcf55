// The variant form of the archive exchange (code 12): the 16-bit VARTYPE,
// then the value as the archive writes that type (a string as an ANSI
// string). Only scalar, string and empty variants travel; others fail.
#include "PropExchangeArchive.h"

#include <oleauto.h>

namespace {

BOOL IsSupported(VARTYPE vt) {
  switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
    case VT_UI1:
    case VT_I2:
    case VT_BOOL:
    case VT_I4:
    case VT_ERROR:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR: return TRUE;
    default: return FALSE;
  }
}

void StoreValue(CArchive& ar, const VARIANT& var) {
  switch (V_VT(&var)) {
    case VT_UI1: ar << V_UI1(&var); break;
    case VT_I2: ar << static_cast<short>(V_I2(&var)); break;
    case VT_BOOL: ar << static_cast<short>(V_BOOL(&var)); break;
    case VT_I4: ar << static_cast<LONG>(V_I4(&var)); break;
    case VT_ERROR: ar << static_cast<LONG>(V_ERROR(&var)); break;
    case VT_R4: ar << V_R4(&var); break;
    case VT_R8: ar << V_R8(&var); break;
    case VT_DATE: ar << static_cast<double>(V_DATE(&var)); break;
    case VT_CY: ar << static_cast<LONGLONG>(V_CY(&var).int64); break;
    case VT_BSTR: {
      BSTR bstr = V_BSTR(&var);
      int nWide = bstr != nullptr ? static_cast<int>(SysStringLen(bstr)) : 0;
      int nAnsi = nWide ? WideCharToMultiByte(CP_ACP, 0, bstr, nWide, nullptr, 0, nullptr, nullptr) : 0;
      CString strValue;
      if (nAnsi > 0) {
        WideCharToMultiByte(CP_ACP, 0, bstr, nWide, strValue.GetBufferSetLength(nAnsi), nAnsi, nullptr, nullptr);
        strValue.ReleaseBuffer(nAnsi);
      }
      ar << strValue;
      break;
    }
    default: break;
  }
}

// Fills var (its type set) from the stream.
BOOL LoadValue(CArchive& ar, VARIANT& var) {
  switch (V_VT(&var)) {
    case VT_UI1: ar >> V_UI1(&var); break;
    case VT_I2: ar >> V_I2(&var); break;
    case VT_BOOL: ar >> V_BOOL(&var); break;
    case VT_I4: {
      LONG n;
      ar >> n;
      V_I4(&var) = n;
      break;
    }
    case VT_ERROR: {
      LONG n;
      ar >> n;
      V_ERROR(&var) = n;
      break;
    }
    case VT_R4: ar >> V_R4(&var); break;
    case VT_R8: ar >> V_R8(&var); break;
    case VT_DATE: ar >> V_DATE(&var); break;
    case VT_CY: ar >> V_CY(&var).int64; break;
    case VT_BSTR: {
      CString strValue;
      ar >> strValue;
      int nAnsi = strValue.GetLength();
      int nWide = nAnsi ? MultiByteToWideChar(CP_ACP, 0, strValue, nAnsi, nullptr, 0) : 0;
      BSTR bstr = SysAllocStringLen(nullptr, static_cast<UINT>(nWide));
      if (bstr == nullptr) return FALSE;
      if (nWide) MultiByteToWideChar(CP_ACP, 0, strValue, nAnsi, bstr, nWide);
      V_BSTR(&var) = bstr;
      break;
    }
    default: break;
  }
  return TRUE;
}

}  // namespace

BOOL CJVKPropExchangeArchive::ExchangeVariant(void* pValue) {
  VARIANT& var = *static_cast<VARIANT*>(pValue);
  if (!m_bLoading) {
    if (!IsSupported(V_VT(&var))) return FALSE;
    m_ar << static_cast<WORD>(V_VT(&var));
    StoreValue(m_ar, var);
    return TRUE;
  }
  WORD vt;
  m_ar >> vt;
  if (!IsSupported(vt)) return FALSE;
  // Filled aside, so that a stream ending inside the value leaves var empty.
  VariantClear(&var);
  VARIANT loaded;
  VariantInit(&loaded);
  V_VT(&loaded) = vt;
  if (!LoadValue(m_ar, loaded)) return FALSE;
  var = loaded;
  return TRUE;
}
