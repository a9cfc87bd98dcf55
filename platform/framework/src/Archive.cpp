#include "framework/Archive.h"
#include "framework/Array.h"
#include "framework/Maps.h"

#include <climits>
#include <cstdlib>

namespace {
constexpr UINT kMinBufSize = 128;
constexpr ULONGLONG kMaxStringLength = INT_MAX - 64;
}  // namespace

// Index -> class or object of a loading archive (index 0 is the null object).
struct CArchive::LoadState {
  struct Entry {
    void* p;
    UINT nSchema;  // classes: the schema stored with the class record
    BOOL bClass;
  };
  CArray<Entry, const Entry&> entries;
};

// Class or object -> index of a storing archive.
struct CArchive::StoreState {
  explicit StoreState(UINT nBlockSize) : map(nBlockSize) {}
  CMapPtrToPtr map;
};

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(nullptr),
      m_pFile(pFile),
      m_nMode(nMode),
      m_bUserBuf(lpBuf != nullptr),
      m_nBufSize(nBufSize),
      m_lpBufStart(nullptr),
      m_lpBufCur(nullptr),
      m_lpBufMax(nullptr),
      m_nObjectSchema(static_cast<UINT>(-1)),
      m_nMapCount(0),
      m_pLoad(nullptr),
      m_pStore(nullptr),
      m_nGrowSize(1024),
      m_nHashSize(2053),
      m_nBlockSize(128),
      m_nLoadDepth(0) {
  ENSURE_ARG(pFile != nullptr);
  if (m_bUserBuf) {
    ENSURE_ARG(nBufSize >= static_cast<int>(sizeof(ULONGLONG)));
    m_lpBufStart = static_cast<BYTE*>(lpBuf);
  } else {
    if (m_nBufSize < static_cast<int>(kMinBufSize)) m_nBufSize = kMinBufSize;
    m_lpBufStart = static_cast<BYTE*>(malloc(m_nBufSize));
    if (m_lpBufStart == nullptr) AfxThrowMemoryException();
  }
  m_strFileName = pFile->GetFilePath();
  m_lpBufCur = m_lpBufStart;
  m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive() {
  if (m_pFile != nullptr && !(m_nMode & bNoFlushOnDelete)) {
    try {
      Close();
    } catch (CException* e) {
      e->Delete();
    }
  }
  Abort();
  FreeMaps();
  if (!m_bUserBuf) free(m_lpBufStart);
}

void CArchive::FreeMaps() {
  delete m_pLoad;
  m_pLoad = nullptr;
  delete m_pStore;
  m_pStore = nullptr;
}

UINT CArchive::GetObjectSchema() {
  UINT nResult = m_nObjectSchema;
  m_nObjectSchema = static_cast<UINT>(-1);
  return nResult;
}

void CArchive::FlushBuffer() {
  if (m_lpBufCur != m_lpBufStart) {
    if (m_pFile == nullptr) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    UINT n = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
    m_lpBufCur = m_lpBufStart;
    m_pFile->Write(m_lpBufStart, n);
  }
}

void CArchive::Flush() {
  if (m_pFile == nullptr) return;
  if (IsLoading()) {
    // Give back what was read ahead, so the file stands where the stream does.
    if (m_lpBufMax != m_lpBufCur) m_pFile->Seek(-static_cast<LONGLONG>(m_lpBufMax - m_lpBufCur), CFile::current);
    m_lpBufCur = m_lpBufMax = m_lpBufStart;
  } else {
    FlushBuffer();
    m_pFile->Flush();
  }
}

void CArchive::Close() {
  Flush();
  m_pFile = nullptr;
}

void CArchive::Abort() { m_pFile = nullptr; }

void CArchive::FillBuffer(UINT nBytes) {
  if (!IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
  UINT nUnread = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
  if (nUnread >= nBytes) return;
  if (nBytes > static_cast<UINT>(m_nBufSize))
    AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
  if (nUnread > 0 && m_lpBufCur != m_lpBufStart) memmove(m_lpBufStart, m_lpBufCur, nUnread);
  m_lpBufCur = m_lpBufStart;
  m_lpBufMax = m_lpBufStart + nUnread;
  while (nUnread < nBytes && m_pFile != nullptr) {
    UINT nRead = m_pFile->Read(m_lpBufMax, static_cast<UINT>(m_nBufSize) - nUnread);
    if (nRead == 0) break;
    nUnread += nRead;
    m_lpBufMax += nRead;
  }
  if (nUnread < nBytes) AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

void CArchive::EnsureAvailable(ULONGLONG nBytes) {
  if (!IsLoading()) return;
  ULONGLONG nHave = static_cast<ULONGLONG>(m_lpBufMax - m_lpBufCur);
  if (nHave >= nBytes) return;
  if (m_pFile == nullptr) AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
  ULONGLONG nRest = 0;
  try {
    ULONGLONG nLength = m_pFile->GetLength();
    ULONGLONG nPos = m_pFile->GetPosition();
    nRest = nLength > nPos ? nLength - nPos : 0;
  } catch (CException* e) {
    e->Delete();  // a file that cannot tell its length: reads will find out
    return;
  }
  if (nRest < nBytes - nHave) AfxThrowArchiveException(CArchiveException::endOfFile, m_strFileName);
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
  if (!IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
  if (nMax == 0) return 0;
  ENSURE_ARG(lpBuf != nullptr);
  BYTE* pOut = static_cast<BYTE*>(lpBuf);
  UINT nDone = 0;
  while (nDone < nMax) {
    UINT nUnread = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
    if (nUnread > 0) {
      UINT n = nMax - nDone < nUnread ? nMax - nDone : nUnread;
      memcpy(pOut + nDone, m_lpBufCur, n);
      m_lpBufCur += n;
      nDone += n;
      continue;
    }
    if (m_pFile == nullptr) break;
    UINT nLeft = nMax - nDone;
    if (nLeft >= static_cast<UINT>(m_nBufSize)) {
      UINT nRead = m_pFile->Read(pOut + nDone, nLeft);
      if (nRead == 0) break;
      nDone += nRead;
    } else {
      m_lpBufCur = m_lpBufMax = m_lpBufStart;
      UINT nRead = m_pFile->Read(m_lpBufStart, static_cast<UINT>(m_nBufSize));
      if (nRead == 0) break;
      m_lpBufMax = m_lpBufStart + nRead;
    }
  }
  return nDone;
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
  if (!IsStoring()) AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
  if (nMax == 0) return;
  ENSURE_ARG(lpBuf != nullptr);
  const BYTE* pIn = static_cast<const BYTE*>(lpBuf);
  UINT nRoom = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
  if (nMax <= nRoom) {
    memcpy(m_lpBufCur, pIn, nMax);
    m_lpBufCur += nMax;
    return;
  }
  FlushBuffer();
  if (nMax >= static_cast<UINT>(m_nBufSize)) {
    if (m_pFile == nullptr) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
    m_pFile->Write(pIn, nMax);
  } else {
    memcpy(m_lpBufCur, pIn, nMax);
    m_lpBufCur += nMax;
  }
}

void CArchive::WriteString(LPCTSTR lpsz) {
  ENSURE_ARG(lpsz != nullptr);
  Write(lpsz, static_cast<UINT>(strlen(lpsz)));
}

BOOL CArchive::ReadString(CString& rString) {
  rString.Empty();
  char ch;
  BOOL bAny = FALSE;
  while (Read(&ch, 1) == 1) {
    bAny = TRUE;
    if (ch == '\n') break;
    if (ch != '\r') rString += ch;
  }
  return bAny;
}

DWORD_PTR CArchive::ReadCount() {
  WORD wCount;
  *this >> wCount;
  if (wCount != 0xFFFF) return wCount;
  DWORD dwCount;
  *this >> dwCount;
  return dwCount;
}

void CArchive::WriteCount(DWORD_PTR dwCount) {
  if (dwCount < 0xFFFF) {
    *this << static_cast<WORD>(dwCount);
  } else {
    *this << static_cast<WORD>(0xFFFF);
    *this << static_cast<DWORD>(dwCount);
  }
}

void CArchive::SetStoreParams(UINT nHashSize, UINT nBlockSize) {
  ENSURE_ARG(m_pStore == nullptr && nHashSize > 0 && nBlockSize > 0);
  m_nHashSize = nHashSize;
  m_nBlockSize = nBlockSize;
}

void CArchive::SetLoadParams(UINT nGrowBy) {
  ENSURE_ARG(m_pLoad == nullptr && nGrowBy > 0);
  m_nGrowSize = nGrowBy;
}

// ------------------------------------------------------------- strings

void CArchive::WriteStringLength(ULONGLONG nLength, BOOL bUnicode) {
  if (bUnicode) {
    *this << static_cast<BYTE>(0xFF);
    *this << static_cast<WORD>(0xFFFE);
  }
  if (nLength < 0xFF) {
    *this << static_cast<BYTE>(nLength);
    return;
  }
  *this << static_cast<BYTE>(0xFF);
  if (nLength < 0xFFFE) {
    *this << static_cast<WORD>(nLength);
    return;
  }
  *this << static_cast<WORD>(0xFFFF);
  if (nLength < 0xFFFFFFFF) {
    *this << static_cast<DWORD>(nLength);
    return;
  }
  *this << static_cast<DWORD>(0xFFFFFFFF);
  *this << nLength;
}

ULONGLONG CArchive::ReadStringLength(BOOL& bUnicode) {
  bUnicode = FALSE;
  BYTE bLength;
  *this >> bLength;
  if (bLength < 0xFF) return bLength;
  WORD wLength;
  *this >> wLength;
  if (wLength == 0xFFFE) {
    // Wide-string marker; the real prefix follows.
    bUnicode = TRUE;
    *this >> bLength;
    if (bLength < 0xFF) return bLength;
    *this >> wLength;
  }
  if (wLength < 0xFFFF) return wLength;
  DWORD dwLength;
  *this >> dwLength;
  if (dwLength < 0xFFFFFFFF) return dwLength;
  ULONGLONG qwLength;
  *this >> qwLength;
  return qwLength;
}

CArchive& operator<<(CArchive& ar, const CString& string) {
  ar.WriteStringLength(static_cast<ULONGLONG>(string.GetLength()), FALSE);
  ar.Write(static_cast<LPCTSTR>(string), static_cast<UINT>(string.GetLength()));
  return ar;
}

CArchive& operator>>(CArchive& ar, CString& string) {
  BOOL bUnicode;
  ULONGLONG nLength = ar.ReadStringLength(bUnicode);
  if (nLength > kMaxStringLength) AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
  ar.EnsureAvailable(bUnicode ? nLength * 2 : nLength);
  int n = static_cast<int>(nLength);
  if (n == 0) {
    string.Empty();
    return ar;
  }
  if (!bUnicode) {
    LPTSTR p = string.GetBufferSetLength(n);
    if (ar.Read(p, static_cast<UINT>(n)) != static_cast<UINT>(n)) {
      string.Empty();
      AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
    }
    return ar;
  }
  WCHAR* pWide = static_cast<WCHAR*>(malloc((static_cast<size_t>(n) + 1) * sizeof(WCHAR)));
  if (pWide == nullptr) AfxThrowMemoryException();
  if (ar.Read(pWide, static_cast<UINT>(n) * sizeof(WCHAR)) != static_cast<UINT>(n) * sizeof(WCHAR)) {
    free(pWide);
    string.Empty();
    AfxThrowArchiveException(CArchiveException::endOfFile, ar.m_strFileName);
  }
#ifdef _WIN32
  int nAnsi = n ? WideCharToMultiByte(CP_ACP, 0, pWide, n, nullptr, 0, nullptr, nullptr) : 0;
  LPTSTR p = string.GetBufferSetLength(nAnsi);
  if (nAnsi) WideCharToMultiByte(CP_ACP, 0, pWide, n, p, nAnsi, nullptr, nullptr);
#else
  LPTSTR p = string.GetBufferSetLength(n);
  for (int i = 0; i < n; ++i) p[i] = pWide[i] < 0x100 ? static_cast<char>(pWide[i]) : '?';
#endif
  free(pWide);
  if (string.GetLength() == 0) string.Empty();
  return ar;
}

// ------------------------------------------------------------- classes

void CRuntimeClass::Store(CArchive& ar) const {
  size_t nLen = strlen(m_lpszClassName);
  ENSURE_ARG(nLen < 0xFFFF);
  ar << static_cast<WORD>(m_wSchema);
  ar << static_cast<WORD>(nLen);
  ar.Write(m_lpszClassName, static_cast<UINT>(nLen));
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum) {
  WORD wSchema, nLen;
  ar >> wSchema;
  *pwSchemaNum = wSchema;
  ar >> nLen;
  // Class names are short; a longer one cannot be a class of this program.
  char szClassName[64];
  if (nLen >= sizeof(szClassName)) return nullptr;
  if (ar.Read(szClassName, nLen) != nLen) AfxThrowArchiveException(CArchiveException::endOfFile);
  szClassName[nLen] = 0;
  return FromName(szClassName);
}

void CArchive::CheckMapCount() const {
  if (m_nMapCount >= nMaxMapCount) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
}

void CArchive::MapObject(const CObject* pOb) {
  if (IsStoring()) {
    if (m_pStore == nullptr) {
      m_pStore = new StoreState(m_nBlockSize);
      m_pStore->map.InitHashTable(m_nHashSize);
      m_pStore->map.SetAt(nullptr, reinterpret_cast<void*>(static_cast<UINT_PTR>(wNullTag)));
      m_nMapCount = 1;
    }
    if (pOb != nullptr) {
      CheckMapCount();
      m_pStore->map.SetAt(const_cast<CObject*>(pOb), reinterpret_cast<void*>(static_cast<UINT_PTR>(m_nMapCount++)));
    }
  } else {
    if (m_pLoad == nullptr) {
      m_pLoad = new LoadState;
      m_pLoad->entries.SetSize(0, m_nGrowSize);
      m_pLoad->entries.Add({nullptr, 0, FALSE});
      m_nMapCount = 1;
    }
    if (pOb != nullptr) {
      CheckMapCount();
      m_pLoad->entries.Add({const_cast<CObject*>(pOb), 0, FALSE});
      ++m_nMapCount;
    }
  }
}

void CArchive::WriteIndexTag(DWORD nIndex, DWORD dwBigFlag) {
  if (nIndex < wBigObjectTag) {
    *this << static_cast<WORD>(nIndex | (dwBigFlag ? static_cast<DWORD>(wClassTag) : 0u));
  } else {
    *this << static_cast<WORD>(wBigObjectTag);
    *this << static_cast<DWORD>(nIndex | dwBigFlag);
  }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
  ENSURE_ARG(pClassRef != nullptr);
  if (!IsStoring()) AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
  if (pClassRef->m_wSchema == 0xFFFF) AfxThrowNotSupportedException();
  MapObject(nullptr);
  void* pIndex;
  if (m_pStore->map.Lookup(const_cast<CRuntimeClass*>(pClassRef), pIndex)) {
    WriteIndexTag(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(pIndex)), dwBigClassTag);
    return;
  }
  *this << static_cast<WORD>(wNewClassTag);
  pClassRef->Store(*this);
  CheckMapCount();
  m_pStore->map.SetAt(const_cast<CRuntimeClass*>(pClassRef),
                      reinterpret_cast<void*>(static_cast<UINT_PTR>(m_nMapCount++)));
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag) {
  if (!IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
  MapObject(nullptr);

  WORD wTag;
  *this >> wTag;
  DWORD obTag;
  if (wTag == wBigObjectTag)
    *this >> obTag;
  else
    obTag = (static_cast<DWORD>(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

  CRuntimeClass* pClassRef;
  UINT nSchema;
  if (wTag == wNewClassTag) {
    pClassRef = CRuntimeClass::Load(*this, &nSchema);
    if (pClassRef == nullptr || pClassRef->m_wSchema == 0xFFFF)
      AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != nSchema && !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
      AfxThrowArchiveException(CArchiveException::badSchema, m_strFileName);
    CheckMapCount();
    m_pLoad->entries.Add({pClassRef, nSchema, TRUE});
    ++m_nMapCount;
  } else if (!(obTag & dwBigClassTag)) {
    // An object reference (or the null object), not a class.
    if (pObTag != nullptr) {
      *pObTag = obTag;
      return nullptr;
    }
    if (obTag == wNullTag) return nullptr;
    AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
  } else {
    DWORD nClassIndex = obTag & ~dwBigClassTag;
    if (nClassIndex == 0 || nClassIndex >= m_nMapCount)
      AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    const LoadState::Entry& entry = m_pLoad->entries[nClassIndex];
    if (!entry.bClass) AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    pClassRef = static_cast<CRuntimeClass*>(entry.p);
    nSchema = entry.nSchema;
  }

  if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
    AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
  if (pSchema != nullptr)
    *pSchema = nSchema;
  else
    m_nObjectSchema = nSchema;
  if (pObTag != nullptr) *pObTag = obTag;
  return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef) {
  ENSURE_ARG(pClassRef != nullptr);
  if (IsStoring()) {
    WriteClass(pClassRef);
    return;
  }
  CRuntimeClass* pLoaded = ReadClass(pClassRef, &m_nObjectSchema);
  if (pLoaded == nullptr || !pClassRef->IsDerivedFrom(pLoaded))
    AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
}

void CArchive::WriteObject(const CObject* pOb) {
  if (!IsStoring()) AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
  MapObject(nullptr);
  if (pOb == nullptr) {
    *this << static_cast<WORD>(wNullTag);
    return;
  }
  void* pIndex;
  if (m_pStore->map.Lookup(const_cast<CObject*>(pOb), pIndex)) {
    WriteIndexTag(static_cast<DWORD>(reinterpret_cast<UINT_PTR>(pIndex)), 0);
    return;
  }
  WriteClass(pOb->GetRuntimeClass());
  CheckMapCount();
  m_pStore->map.SetAt(const_cast<CObject*>(pOb), reinterpret_cast<void*>(static_cast<UINT_PTR>(m_nMapCount++)));
  const_cast<CObject*>(pOb)->Serialize(*this);
}

DWORD CArchive::GetLoadMapCount() const { return m_pLoad != nullptr ? m_nMapCount : 0; }

CObject* CArchive::GetLoadedObject(DWORD nIndex) const {
  if (m_pLoad == nullptr || nIndex >= m_nMapCount) return nullptr;
  const LoadState::Entry& entry = m_pLoad->entries[nIndex];
  return entry.bClass ? nullptr : static_cast<CObject*>(entry.p);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
  if (!IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
  UINT nSchema = 0;
  DWORD obTag = 0;
  CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);
  if (pClassRef == nullptr) {
    if (obTag >= m_nMapCount) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    const LoadState::Entry& entry = m_pLoad->entries[obTag];
    if (entry.bClass) AfxThrowArchiveException(CArchiveException::badIndex, m_strFileName);
    CObject* pOb = static_cast<CObject*>(entry.p);
    if (pOb != nullptr && pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
      AfxThrowArchiveException(CArchiveException::badClass, m_strFileName);
    return pOb;
  }
  if (m_nLoadDepth >= nMaxLoadDepth) AfxThrowArchiveException(CArchiveException::genericException, m_strFileName);
  CObject* pOb = pClassRef->CreateObject();
  if (pOb == nullptr) AfxThrowMemoryException();
  // Mapped before its data is read, so that the data may refer back to it.
  CheckMapCount();
  m_pLoad->entries.Add({pOb, 0, FALSE});
  ++m_nMapCount;
  struct DepthGuard {
    UINT& depth;
    explicit DepthGuard(UINT& d) : depth(d) { ++depth; }
    ~DepthGuard() { --depth; }
  } guard(m_nLoadDepth);
  UINT nSchemaSave = m_nObjectSchema;
  m_nObjectSchema = nSchema;
  const DWORD nMapIndex = m_nMapCount - 1;
  try {
    pOb->Serialize(*this);
  } catch (...) {
    // Nobody holds the half-loaded object yet: free it, and let no later
    // reference resolve to it.
    m_nObjectSchema = nSchemaSave;
    m_pLoad->entries[nMapIndex].p = nullptr;
    delete pOb;
    throw;
  }
  m_nObjectSchema = nSchemaSave;
  return pOb;
}

#ifdef _WIN32
CArchive& AFXAPI operator<<(CArchive& ar, const SIZE& size) { return ar << size.cx << size.cy; }
CArchive& AFXAPI operator<<(CArchive& ar, const POINT& point) { return ar << point.x << point.y; }
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect) {
  return ar << rect.left << rect.top << rect.right << rect.bottom;
}
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size) { return ar >> size.cx >> size.cy; }
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point) { return ar >> point.x >> point.y; }
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect) {
  return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}
#endif
