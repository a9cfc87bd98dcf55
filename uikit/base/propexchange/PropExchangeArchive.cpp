#include "PropExchangeArchive.h"

#include <cstdlib>

namespace {

// Reads a value into a temporary when loading, writes the field when storing.
template <class TStream, class TField>
void ExchangeAs(CArchive& ar, TField& field) {
  if (ar.IsLoading()) {
    TStream value;
    ar >> value;
    field = static_cast<TField>(value);
  } else {
    ar << static_cast<TStream>(field);
  }
}

}  // namespace

CJVKPropExchangeArchive::CJVKPropExchangeArchive(CArchive& ar) : CJVKPropExchange(ar.IsLoading()), m_ar(ar) {}

BOOL CJVKPropExchangeArchive::ExchangeValue(LPCTSTR, int nType, void* pValue, const void*) {
  if (!BeforeExchange()) return FALSE;
  switch (nType) {
    case JVKPX_SHORT: ExchangeAs<short>(m_ar, *static_cast<short*>(pValue)); break;
    case JVKPX_LONG: ExchangeAs<LONG>(m_ar, *static_cast<LONG*>(pValue)); break;
    case JVKPX_FLOAT: ExchangeAs<float>(m_ar, *static_cast<float*>(pValue)); break;
    case JVKPX_DOUBLE: ExchangeAs<double>(m_ar, *static_cast<double*>(pValue)); break;
    case JVKPX_CURRENCY: {
      LONGLONG& nValue = *static_cast<LONGLONG*>(pValue);
      DWORD nLow = static_cast<DWORD>(static_cast<ULONGLONG>(nValue));
      LONG nHigh = static_cast<LONG>(nValue >> 32);
      ExchangeAs<DWORD>(m_ar, nLow);
      ExchangeAs<LONG>(m_ar, nHigh);
      if (m_bLoading) nValue = static_cast<LONGLONG>((static_cast<ULONGLONG>(static_cast<DWORD>(nHigh)) << 32) | nLow);
      break;
    }
    case JVKPX_DATE: {
      COleDateTime& date = *static_cast<COleDateTime*>(pValue);
      LONG nStatus = date.m_status;
      ExchangeAs<LONG>(m_ar, nStatus);
      ExchangeAs<double>(m_ar, date.m_dt);
      date.m_status = static_cast<COleDateTime::DateTimeStatus>(nStatus);
      break;
    }
    case JVKPX_BOOL: ExchangeAs<LONG>(m_ar, *static_cast<BOOL*>(pValue)); break;
    case JVKPX_VARIANT: return ExchangeVariant(pValue);
    case JVKPX_BYTE: ExchangeAs<BYTE>(m_ar, *static_cast<BYTE*>(pValue)); break;
    case JVKPX_STRING:
      if (m_bLoading)
        m_ar >> *static_cast<CString*>(pValue);
      else
        m_ar << *static_cast<const CString*>(pValue);
      break;
    case JVKPX_RECT: {
      RECT& rc = *static_cast<RECT*>(pValue);
      ExchangeAs<LONG>(m_ar, rc.left);
      ExchangeAs<LONG>(m_ar, rc.top);
      ExchangeAs<LONG>(m_ar, rc.right);
      ExchangeAs<LONG>(m_ar, rc.bottom);
      break;
    }
    case JVKPX_SIZE: {
      SIZE& sz = *static_cast<SIZE*>(pValue);
      ExchangeAs<LONG>(m_ar, sz.cx);
      ExchangeAs<LONG>(m_ar, sz.cy);
      break;
    }
    default: break;  // unknown codes are accepted and exchange nothing
  }
  return TRUE;
}

BOOL CJVKPropExchangeArchive::ExchangeBinary(LPCTSTR, void*& pData, DWORD& nBytes) {
  if (!BeforeExchange()) return FALSE;
  if (!m_bLoading) {
    WriteCount(nBytes);
    m_ar.Write(pData, nBytes);
    return TRUE;
  }
  DWORD nStored = ReadCount();
  if (pData != nullptr && nBytes < nStored) return FALSE;
  if (pData == nullptr) {
    if (nStored == 0) {
      nBytes = 0;
      return TRUE;
    }
    // The count comes from the stream: allocate only what the stream holds.
    try {
      m_ar.EnsureAvailable(nStored);
    } catch (CArchiveException* e) {
      e->Delete();
      return FALSE;
    }
    void* pBlock = AllocateBlock(nStored);
    if (pBlock == nullptr) return FALSE;
    if (m_ar.Read(pBlock, nStored) != nStored) {
      free(pBlock);
      return FALSE;
    }
    pData = pBlock;
    nBytes = nStored;
    return TRUE;
  }
  if (m_ar.Read(pData, nStored) != nStored) return FALSE;
  nBytes = nStored;
  return TRUE;
}

BOOL CJVKPropExchangeArchive::ExchangeClass(LPCTSTR, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass) {
  if (!BeforeExchange()) return FALSE;
  if (!m_bLoading) {
    m_ar.WriteClass(pClass);
    return TRUE;
  }
  UINT nSchema = 0;
  CRuntimeClass* pLoaded = m_ar.ReadClass(pDefaultClass, &nSchema, nullptr);
  if (pLoaded == nullptr) return FALSE;
  pClass = pLoaded;
  m_dwSchema = nSchema;
  return TRUE;
}

BOOL CJVKPropExchangeArchive::ExchangeObject(CObject*& pObject, CRuntimeClass* pRequiredClass) {
  if (!CJVKPropExchange::ExchangeObject(pObject, pRequiredClass)) return FALSE;
  m_ar.MapObject(pObject);
  return TRUE;
}

CArchive* CJVKPropExchangeArchive::OpenArchive(LPCTSTR) { return &m_ar; }

void CJVKPropExchangeArchive::CloseArchive(LPCTSTR, CArchive*) {}

CJVKPropExchange* CJVKPropExchangeArchive::OpenSection(LPCTSTR) {
  CJVKPropExchangeArchive* pSection = new CJVKPropExchangeArchive(m_ar);
  InitSection(pSection);
  return pSection;
}

void CJVKPropExchangeArchive::WriteCount(DWORD nCount) { m_ar.WriteCount(nCount); }

DWORD CJVKPropExchangeArchive::ReadCount() { return static_cast<DWORD>(m_ar.ReadCount()); }

void CJVKPropExchangeArchive::WriteBinary(LPCTSTR, const BYTE* pData, UINT nBytes) { m_ar.Write(pData, nBytes); }

UINT CJVKPropExchangeArchive::ReadBinary(LPCTSTR, BYTE* pData, UINT nBytes) { return m_ar.Read(pData, nBytes); }

#ifndef _WIN32
// The host build has no COleVariant (ArchiveVariant.cpp holds the Windows form).
BOOL CJVKPropExchangeArchive::ExchangeVariant(void*) { return FALSE; }
#endif
