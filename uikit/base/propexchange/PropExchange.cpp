#include "PropExchange.h"

#include <cstdio>
#include <cstdlib>

namespace {

const UINT kArchiveBufferSize = 4096;
const UINT kMemFileGrowth = 1024;

// One byte as two capital letters, low nibble first.
void AppendLetterPair(CString& strText, BYTE byValue) {
  strText += static_cast<TCHAR>('A' + (byValue & 0x0F));
  strText += static_cast<TCHAR>('A' + (byValue >> 4));
}

BOOL DecodeLetter(TCHAR ch, BYTE& byNibble) {
  if (ch < 'A' || ch > 'A' + 15) return FALSE;
  byNibble = static_cast<BYTE>(ch - 'A');
  return TRUE;
}

}  // namespace

void CJVKPropExchange::InitSection(CJVKPropExchange* pSection) const {
  pSection->m_pContext = m_pContext;
  pSection->m_dwSchema = m_dwSchema;
  pSection->m_bChildSection = TRUE;
  pSection->m_bUseDefaultOnUnread = m_bUseDefaultOnUnread;
  pSection->m_bUseDefaultOnLoad = m_bUseDefaultOnLoad;
  pSection->m_bUseDefaultOnSave = m_bUseDefaultOnSave;
}

void* CJVKPropExchange::AllocateBlock(DWORD nBytes) { return malloc(nBytes); }

BOOL CJVKPropExchange::BeforeExchange() {
  m_bInitialized = TRUE;
  return TRUE;
}

void CJVKPropExchange::ExchangeSchema() {
  LONG nSchema = static_cast<LONG>(m_dwSchema);
  const LONG nDefault = static_cast<LONG>(kDefaultSchema);
  ExchangeValue(_T("Schema"), JVKPX_LONG, &nSchema, &nDefault);
  m_dwSchema = static_cast<DWORD>(nSchema);
}

BOOL CJVKPropExchange::ExchangeBinary(LPCTSTR pszName, void*& pData, DWORD& nBytes) {
  CString strText;
  if (!m_bLoading) {
    const BYTE* pBytes = static_cast<const BYTE*>(pData);
    for (DWORD i = 0; i < nBytes; ++i) AppendLetterPair(strText, pBytes[i]);
    return ExchangeValue(pszName, JVKPX_STRING, &strText, _T(""));
  }
  if (!ExchangeValue(pszName, JVKPX_STRING, &strText, _T(""))) return FALSE;
  int nLength = strText.GetLength();
  if (nLength == 0) return TRUE;
  if (nLength % 2 != 0) return FALSE;
  DWORD nStored = static_cast<DWORD>(nLength / 2);
  BYTE* pDecoded = static_cast<BYTE*>(AllocateBlock(nStored));
  if (pDecoded == nullptr) return FALSE;
  for (DWORD i = 0; i < nStored; ++i) {
    BYTE byLow, byHigh;
    if (!DecodeLetter(strText[static_cast<int>(2 * i)], byLow) ||
        !DecodeLetter(strText[static_cast<int>(2 * i + 1)], byHigh)) {
      free(pDecoded);
      return FALSE;
    }
    pDecoded[i] = static_cast<BYTE>(byLow | (byHigh << 4));
  }
  if (pData == nullptr) {
    pData = pDecoded;
    nBytes = nStored;
    return TRUE;
  }
  BOOL bFits = nBytes >= nStored;
  if (bFits) {
    memcpy(pData, pDecoded, nStored);
    nBytes = nStored;
  }
  free(pDecoded);
  return bFits;
}

BOOL CJVKPropExchange::ExchangeClass(LPCTSTR pszName, CRuntimeClass*& pClass, CRuntimeClass* pDefaultClass) {
  CString strDefault = pDefaultClass != nullptr ? pDefaultClass->m_lpszClassName : _T("");
  if (!m_bLoading) {
    CString strName = pClass != nullptr ? pClass->m_lpszClassName : _T("");
    return ExchangeValue(pszName, JVKPX_STRING, &strName, static_cast<LPCTSTR>(strDefault));
  }
  CString strName;
  if (!ExchangeValue(pszName, JVKPX_STRING, &strName, static_cast<LPCTSTR>(strDefault))) return FALSE;
  if (strName.IsEmpty()) {
    pClass = pDefaultClass;
    return TRUE;
  }
  CRuntimeClass* pFound = CRuntimeClass::FromName(strName);
  if (pFound == nullptr) return FALSE;
  pClass = pFound;
  return TRUE;
}

BOOL CJVKPropExchange::ExchangeObject(CObject*& pObject, CRuntimeClass* pRequiredClass) {
  if (!m_bLoading) {
    CRuntimeClass* pClass = pObject->GetRuntimeClass();
    ExchangeClass(_T("Class"), pClass, nullptr);
    return TRUE;
  }
  CRuntimeClass* pClass = nullptr;
  if (!ExchangeClass(_T("Class"), pClass, pRequiredClass) || pClass == nullptr) return FALSE;
  CObject* pCreated = pClass->CreateObject();
  if (pCreated == nullptr) return FALSE;
  pObject = AfxDynamicDownCast(pRequiredClass, pCreated);
  if (pObject == nullptr) {
    delete pCreated;
    return FALSE;
  }
  return TRUE;
}

CArchive* CJVKPropExchange::OpenArchive(LPCTSTR pszName) {
  if (!m_bLoading) {
    CMemFile* pFile = new CMemFile(kMemFileGrowth);
    return new CArchive(pFile, CArchive::store, kArchiveBufferSize);
  }
  void* pBlock = nullptr;
  DWORD nBytes = 0;
  if (!ExchangeBinary(pszName, pBlock, nBytes) || pBlock == nullptr) return nullptr;
  if (nBytes == 0) {
    free(pBlock);
    return nullptr;
  }
  CMemFile* pFile = new CMemFile(static_cast<BYTE*>(pBlock), nBytes);
  return new CArchive(pFile, CArchive::load, kArchiveBufferSize);
}

void CJVKPropExchange::CloseArchive(LPCTSTR pszName, CArchive* pArchive) {
  CMemFile* pFile = static_cast<CMemFile*>(pArchive->GetFile());
  BYTE* pBlock;
  if (!m_bLoading) {
    pArchive->Flush();
    void* pData = nullptr;
    DWORD nBytes = static_cast<DWORD>(pFile->GetLength());
    pBlock = pFile->Detach();
    pData = pBlock;
    ExchangeBinary(pszName, pData, nBytes);
  } else {
    pBlock = pFile->Detach();
  }
  pArchive->Abort();
  pFile->Close();
  delete pFile;
  free(pBlock);
  delete pArchive;
}

void CJVKPropExchange::WriteCount(DWORD nCount) {
  LONG nValue = static_cast<LONG>(nCount);
  const LONG nDefault = 0;
  ExchangeValue(_T("Count"), JVKPX_LONG, &nValue, &nDefault);
}

DWORD CJVKPropExchange::ReadCount() {
  LONG nValue = 0;
  const LONG nDefault = 0;
  ExchangeValue(_T("Count"), JVKPX_LONG, &nValue, &nDefault);
  return static_cast<DWORD>(nValue);
}

void CJVKPropExchange::WriteBinary(LPCTSTR pszName, const BYTE* pData, UINT nBytes) {
  void* pBlock = const_cast<BYTE*>(pData);
  DWORD nSize = nBytes;
  ExchangeBinary(pszName, pBlock, nSize);
}

UINT CJVKPropExchange::ReadBinary(LPCTSTR pszName, BYTE* pData, UINT nBytes) {
  void* pBlock = pData;
  DWORD nSize = nBytes;
  return ExchangeBinary(pszName, pBlock, nSize) ? nBytes : 0;
}

CJVKPropExchangeEnumerator* CJVKPropExchange::CreateEnumerator(LPCTSTR pszName) {
  return new CJVKPropExchangeEnumerator(this, pszName);
}

CJVKPropExchangeEnumerator::CJVKPropExchangeEnumerator(CJVKPropExchange* pExchange, LPCTSTR pszName)
    : m_pExchange(pExchange), m_strName(pszName) {}

DWORD CJVKPropExchangeEnumerator::Start(DWORD nCount, BOOL bCompact) {
  m_nCount = nCount;
  if (m_pExchange == nullptr) return 0;
  if (bCompact) {
    if (m_pExchange->IsLoading())
      m_nCount = m_pExchange->ReadCount();
    else
      m_pExchange->WriteCount(m_nCount);
  } else {
    LONG nValue = static_cast<LONG>(m_nCount);
    const LONG nDefault = 0;
    m_pExchange->ExchangeValue(_T("Count"), JVKPX_LONG, &nValue, &nDefault);
    m_nCount = static_cast<DWORD>(nValue);
  }
  return m_nCount != 0 ? 1 : 0;
}

CJVKPropExchange* CJVKPropExchangeEnumerator::Next(DWORD& nPosition) {
  char szSection[256];
  snprintf(szSection, sizeof(szSection), "%s%i", static_cast<LPCTSTR>(m_strName), static_cast<int>(nPosition - 1));
  CJVKPropExchange* pSection = m_pExchange->OpenSection(szSection);
  ++nPosition;
  if (nPosition > m_nCount) nPosition = 0;
  return pSection;
}

BOOL PX_Long(CJVKPropExchange* pPX, LPCTSTR pszName, LONG& nValue) {
  return pPX->ExchangeValue(pszName, JVKPX_LONG, &nValue, nullptr);
}

BOOL PX_Long(CJVKPropExchange* pPX, LPCTSTR pszName, LONG& nValue, LONG nDefault) {
  return pPX->ExchangeValue(pszName, JVKPX_LONG, &nValue, &nDefault);
}

BOOL PX_Bool(CJVKPropExchange* pPX, LPCTSTR pszName, BOOL& bValue, BOOL bDefault) {
  return pPX->ExchangeValue(pszName, JVKPX_BOOL, &bValue, &bDefault);
}

BOOL PX_String(CJVKPropExchange* pPX, LPCTSTR pszName, CString& strValue) {
  return pPX->ExchangeValue(pszName, JVKPX_STRING, &strValue, nullptr);
}

BOOL PX_String(CJVKPropExchange* pPX, LPCTSTR pszName, CString& strValue, LPCTSTR pszDefault) {
  return pPX->ExchangeValue(pszName, JVKPX_STRING, &strValue, pszDefault);
}

BOOL PX_Size(CJVKPropExchange* pPX, LPCTSTR pszName, SIZE& szValue, SIZE szDefault) {
  return pPX->ExchangeValue(pszName, JVKPX_SIZE, &szValue, &szDefault);
}

BOOL PX_Rect(CJVKPropExchange* pPX, LPCTSTR pszName, RECT& rcValue, RECT rcDefault) {
  return pPX->ExchangeValue(pszName, JVKPX_RECT, &rcValue, &rcDefault);
}

BOOL PX_Object(CJVKPropExchange* pPX, LPCTSTR pszName, CObject* pObject) {
  CArchive* pArchive = pPX->OpenArchive(pszName);
  if (pArchive == nullptr) return FALSE;
  BOOL bResult = TRUE;
  try {
    pObject->Serialize(*pArchive);
  } catch (CArchiveException* e) {
    e->Delete();
    bResult = FALSE;
  }
#ifdef _WIN32
  catch (COleException* e) {
    e->Delete();
    bResult = FALSE;
  }
#endif
  pPX->CloseArchive(pszName, pArchive);
  return bResult;
}
