#include "framework/String.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <strings.h>

namespace {

constexpr int kMaxLength = INT_MAX - 64;

int SafeLength(LPCTSTR lpsz) {
  if (lpsz == nullptr) return 0;
  size_t n = strlen(lpsz);
  if (n > static_cast<size_t>(kMaxLength)) AfxThrowMemoryException();
  return static_cast<int>(n);
}

bool IsSpace(TCHAR ch, const void*) { return isspace(static_cast<unsigned char>(ch)) != 0; }
bool IsChar(TCHAR ch, const void* arg) { return ch == *static_cast<const TCHAR*>(arg); }
bool IsOneOf(TCHAR ch, const void* arg) { return ch != 0 && strchr(static_cast<LPCTSTR>(arg), ch) != nullptr; }

}  // namespace

CStringData* CString::AllocData(int nLength) {
  ENSURE_ARG(nLength >= 0);
  if (nLength > kMaxLength) AfxThrowMemoryException();
  auto* pData = static_cast<CStringData*>(malloc(sizeof(CStringData) + nLength + 1));
  if (pData == nullptr) AfxThrowMemoryException();
  pData->nRefs = 1;
  pData->nDataLength = nLength;
  pData->nAllocLength = nLength;
  pData->data()[nLength] = 0;
  return pData;
}

void CString::Release(CStringData* pData) {
  if (pData == nullptr) return;
  if (pData->nRefs < 0 || __atomic_sub_fetch(&pData->nRefs, 1, __ATOMIC_ACQ_REL) == 0) free(pData);
}

CString::CString(const CString& stringSrc) : m_pchData(nullptr) {
  if (stringSrc.m_pchData == nullptr) return;
  CStringData* pSrc = stringSrc.GetData();
  if (pSrc->nRefs >= 0 && pSrc->nDataLength > 0) {
    __atomic_add_fetch(&pSrc->nRefs, 1, __ATOMIC_RELAXED);
    m_pchData = stringSrc.m_pchData;
  } else {
    AssignCopy(stringSrc.m_pchData, pSrc->nDataLength);
  }
}

CString::CString(TCHAR ch, int nRepeat) : m_pchData(nullptr) {
  ENSURE_ARG(nRepeat >= 0);
  if (nRepeat > 0) {
    m_pchData = AllocData(nRepeat)->data();
    memset(m_pchData, ch, nRepeat);
  }
}

CString::CString(LPCTSTR lpsz) : m_pchData(nullptr) {
#ifdef _WIN32
  if (lpsz != nullptr && (reinterpret_cast<UINT_PTR>(lpsz) >> 16) == 0) {
    LoadString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpsz)));
    return;
  }
#endif
  AssignCopy(lpsz, SafeLength(lpsz));
}

CString::CString(LPCTSTR lpch, int nLength) : m_pchData(nullptr) {
  ENSURE_ARG(nLength >= 0);
  ENSURE_ARG(lpch != nullptr || nLength == 0);
  AssignCopy(lpch, nLength);
}

CString::CString(const unsigned char* psz) : CString(reinterpret_cast<LPCTSTR>(psz)) {}

CString::~CString() { Release(m_pchData ? GetData() : nullptr); }

void CString::Empty() {
  if (m_pchData != nullptr) {
    Release(GetData());
    m_pchData = nullptr;
  }
}

void CString::AssignCopy(LPCTSTR lpch, int nLength) {
  if (nLength == 0) {
    Empty();
    return;
  }
  if (m_pchData != nullptr && GetData()->nRefs <= 1 && GetData()->nAllocLength >= nLength) {
    memmove(m_pchData, lpch, nLength);  // the source may lie inside this string
    SetLength(nLength);
    return;
  }
  CStringData* pNew = AllocData(nLength);
  memcpy(pNew->data(), lpch, nLength);
  Empty();
  m_pchData = pNew->data();
}

void CString::SetLength(int nLength) {
  GetData()->nDataLength = nLength;
  m_pchData[nLength] = 0;
}

void CString::PrepareWrite(int nLength) {
  if (m_pchData != nullptr && GetData()->nRefs <= 1 && GetData()->nAllocLength >= nLength) return;
  int nOld = GetLength();
  int nAlloc = nLength;
  if (m_pchData != nullptr && nLength > GetData()->nAllocLength) {
    // Appending in steps grows the block geometrically.
    int nDouble = GetData()->nAllocLength > kMaxLength / 2 ? kMaxLength : GetData()->nAllocLength * 2;
    if (nDouble > nAlloc && GetData()->nRefs <= 1) nAlloc = nDouble;
  }
  if (nAlloc < nOld) nAlloc = nOld;
  CStringData* pNew = AllocData(nAlloc);
  if (nOld > 0) memcpy(pNew->data(), m_pchData, nOld);
  pNew->nDataLength = nOld;
  pNew->data()[nOld] = 0;
  Empty();
  m_pchData = pNew->data();
}

void CString::CopyBeforeWrite() {
  if (m_pchData != nullptr && GetData()->nRefs > 1) PrepareWrite(GetLength());
}

TCHAR CString::GetAt(int nIndex) const {
  // Reading the terminator is allowed: loops that stop at the NUL rely on it.
  ENSURE_ARG(nIndex >= 0 && nIndex <= GetLength());
  return nIndex < GetLength() ? m_pchData[nIndex] : 0;
}

void CString::SetAt(int nIndex, TCHAR ch) {
  ENSURE_ARG(nIndex >= 0 && nIndex < GetLength());
  CopyBeforeWrite();
  m_pchData[nIndex] = ch;
}

CString& CString::operator=(const CString& stringSrc) {
  if (m_pchData == stringSrc.m_pchData) return *this;
  if (stringSrc.m_pchData != nullptr && stringSrc.GetData()->nRefs >= 0 && stringSrc.GetLength() > 0 &&
      (m_pchData == nullptr || GetData()->nRefs >= 0)) {
    CStringData* pSrc = stringSrc.GetData();
    __atomic_add_fetch(&pSrc->nRefs, 1, __ATOMIC_RELAXED);
    Empty();
    m_pchData = stringSrc.m_pchData;
  } else {
    AssignCopy(stringSrc.m_pchData, stringSrc.GetLength());
  }
  return *this;
}

CString& CString::operator=(CString&& stringSrc) noexcept {
  if (this != &stringSrc) {
    Release(m_pchData ? GetData() : nullptr);
    m_pchData = stringSrc.m_pchData;
    stringSrc.m_pchData = nullptr;
  }
  return *this;
}

CString& CString::operator=(TCHAR ch) {
  AssignCopy(&ch, 1);
  return *this;
}

CString& CString::operator=(LPCTSTR lpsz) {
  AssignCopy(lpsz, SafeLength(lpsz));
  return *this;
}

CString& CString::operator=(const unsigned char* psz) { return *this = reinterpret_cast<LPCTSTR>(psz); }

void CString::SetString(LPCTSTR lpsz, int nLength) {
  ENSURE_ARG(nLength >= 0);
  ENSURE_ARG(lpsz != nullptr || nLength == 0);
  AssignCopy(lpsz, nLength);
}

void CString::Append(LPCTSTR lpsz, int nLength) {
  ENSURE_ARG(nLength >= 0);
  ENSURE_ARG(lpsz != nullptr || nLength == 0);
  if (nLength == 0) return;
  int nOld = GetLength();
  if (nLength > kMaxLength - nOld) AfxThrowMemoryException();
  // lpsz may point into this string: remember its offset across a reallocation.
  const bool inside = m_pchData != nullptr && lpsz >= m_pchData && lpsz < m_pchData + nOld;
  const ptrdiff_t offset = inside ? lpsz - m_pchData : 0;
  PrepareWrite(nOld + nLength);
  if (inside) lpsz = m_pchData + offset;
  memmove(m_pchData + nOld, lpsz, nLength);
  SetLength(nOld + nLength);
}

CString& CString::operator+=(const CString& string) {
  CString keep(string);  // survives a reallocation when string is *this
  Append(keep.m_pchData, keep.GetLength());
  return *this;
}

CString& CString::operator+=(TCHAR ch) {
  Append(&ch, 1);
  return *this;
}

CString& CString::operator+=(LPCTSTR lpsz) {
  Append(lpsz, SafeLength(lpsz));
  return *this;
}

static CString Concat(LPCTSTR a, int na, LPCTSTR b, int nb) {
  CString result;
  if (na > kMaxLength - nb) AfxThrowMemoryException();
  LPTSTR p = result.GetBufferSetLength(na + nb);
  if (na) memcpy(p, a, na);
  if (nb) memcpy(p + na, b, nb);
  return result;
}

CString operator+(const CString& s1, const CString& s2) { return Concat(s1, s1.GetLength(), s2, s2.GetLength()); }
CString operator+(const CString& s, TCHAR ch) { return Concat(s, s.GetLength(), &ch, 1); }
CString operator+(TCHAR ch, const CString& s) { return Concat(&ch, 1, s, s.GetLength()); }
CString operator+(const CString& s, LPCTSTR lpsz) { return Concat(s, s.GetLength(), lpsz, SafeLength(lpsz)); }
CString operator+(LPCTSTR lpsz, const CString& s) { return Concat(lpsz, SafeLength(lpsz), s, s.GetLength()); }

int CString::Compare(LPCTSTR lpsz) const {
  ENSURE_ARG(lpsz != nullptr);
  return strcmp(*this, lpsz);
}

int CString::CompareNoCase(LPCTSTR lpsz) const {
  ENSURE_ARG(lpsz != nullptr);
#ifdef _WIN32
  return _stricmp(*this, lpsz);
#else
  return strcasecmp(*this, lpsz);
#endif
}

int CString::Collate(LPCTSTR lpsz) const {
  ENSURE_ARG(lpsz != nullptr);
  return strcoll(*this, lpsz);
}

int CString::CollateNoCase(LPCTSTR lpsz) const {
  ENSURE_ARG(lpsz != nullptr);
#ifdef _WIN32
  return _stricoll(*this, lpsz);
#else
  return strcasecmp(*this, lpsz);
#endif
}

CString CString::Mid(int nFirst) const {
  ENSURE_ARG(nFirst >= 0);
  return Mid(nFirst, nFirst < GetLength() ? GetLength() - nFirst : 0);
}

CString CString::Mid(int nFirst, int nCount) const {
  ENSURE_ARG(nFirst >= 0 && nCount >= 0);
  const int nLength = GetLength();
  if (nFirst >= nLength) return CString();
  if (nCount > nLength - nFirst) nCount = nLength - nFirst;
  if (nFirst == 0 && nCount == nLength) return *this;
  return CString(m_pchData + nFirst, nCount);
}

CString CString::Left(int nCount) const {
  ENSURE_ARG(nCount >= 0);
  return Mid(0, nCount);
}

CString CString::Right(int nCount) const {
  ENSURE_ARG(nCount >= 0);
  const int nLength = GetLength();
  if (nCount >= nLength) return *this;
  return CString(m_pchData + nLength - nCount, nCount);
}

CString CString::SpanIncluding(LPCTSTR lpszCharSet) const {
  ENSURE_ARG(lpszCharSet != nullptr);
  return Left(static_cast<int>(strspn(*this, lpszCharSet)));
}

CString CString::SpanExcluding(LPCTSTR lpszCharSet) const {
  ENSURE_ARG(lpszCharSet != nullptr);
  return Left(static_cast<int>(strcspn(*this, lpszCharSet)));
}

CString CString::Tokenize(LPCTSTR pszTokens, int& iStart) const {
  ENSURE_ARG(iStart >= 0);
  const int nLength = GetLength();
  if (pszTokens == nullptr || *pszTokens == 0) {
    if (iStart < nLength) {
      CString token = Mid(iStart);
      iStart = nLength;
      return token;
    }
  } else if (iStart < nLength) {
    LPCTSTR p = m_pchData + iStart;
    int skip = static_cast<int>(strspn(p, pszTokens));
    if (iStart + skip < nLength) {
      int from = iStart + skip;
      int count = static_cast<int>(strcspn(m_pchData + from, pszTokens));
      iStart = from + count + 1;
      return Mid(from, count);
    }
  }
  iStart = -1;
  return CString();
}

CString& CString::MakeUpper() {
  CopyBeforeWrite();
  if (m_pchData != nullptr) {
#ifdef _WIN32
    CharUpperBuffA(m_pchData, GetLength());
#else
    for (int i = 0; i < GetLength(); ++i)
      m_pchData[i] = static_cast<TCHAR>(toupper(static_cast<unsigned char>(m_pchData[i])));
#endif
  }
  return *this;
}

CString& CString::MakeLower() {
  CopyBeforeWrite();
  if (m_pchData != nullptr) {
#ifdef _WIN32
    CharLowerBuffA(m_pchData, GetLength());
#else
    for (int i = 0; i < GetLength(); ++i)
      m_pchData[i] = static_cast<TCHAR>(tolower(static_cast<unsigned char>(m_pchData[i])));
#endif
  }
  return *this;
}

CString& CString::MakeReverse() {
  CopyBeforeWrite();
  for (int i = 0, j = GetLength() - 1; i < j; ++i, --j) {
    TCHAR t = m_pchData[i];
    m_pchData[i] = m_pchData[j];
    m_pchData[j] = t;
  }
  return *this;
}

int CString::TrimRightWhere(bool (*test)(TCHAR, const void*), const void* arg) {
  int n = GetLength();
  while (n > 0 && test(m_pchData[n - 1], arg)) --n;
  if (n != GetLength()) {
    if (n == 0) {
      Empty();
    } else {
      CopyBeforeWrite();
      SetLength(n);
    }
  }
  return n;
}

int CString::TrimLeftWhere(bool (*test)(TCHAR, const void*), const void* arg) {
  const int nLength = GetLength();
  int skip = 0;
  while (skip < nLength && test(m_pchData[skip], arg)) ++skip;
  if (skip > 0) {
    if (skip == nLength) {
      Empty();
    } else {
      CopyBeforeWrite();
      memmove(m_pchData, m_pchData + skip, nLength - skip);
      SetLength(nLength - skip);
    }
  }
  return GetLength();
}

CString& CString::TrimRight() {
  TrimRightWhere(IsSpace, nullptr);
  return *this;
}
CString& CString::TrimRight(TCHAR chTarget) {
  TrimRightWhere(IsChar, &chTarget);
  return *this;
}
CString& CString::TrimRight(LPCTSTR lpszTargets) {
  ENSURE_ARG(lpszTargets != nullptr);
  TrimRightWhere(IsOneOf, lpszTargets);
  return *this;
}
CString& CString::TrimLeft() {
  TrimLeftWhere(IsSpace, nullptr);
  return *this;
}
CString& CString::TrimLeft(TCHAR chTarget) {
  TrimLeftWhere(IsChar, &chTarget);
  return *this;
}
CString& CString::TrimLeft(LPCTSTR lpszTargets) {
  ENSURE_ARG(lpszTargets != nullptr);
  TrimLeftWhere(IsOneOf, lpszTargets);
  return *this;
}
CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(TCHAR chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
CString& CString::Trim(LPCTSTR lpszTargets) { return TrimRight(lpszTargets).TrimLeft(lpszTargets); }

int CString::Replace(TCHAR chOld, TCHAR chNew) {
  int count = 0;
  if (chOld == chNew) return 0;
  for (int i = 0; i < GetLength(); ++i) {
    if (m_pchData[i] == chOld) {
      if (count++ == 0) CopyBeforeWrite();
      m_pchData[i] = chNew;
    }
  }
  return count;
}

int CString::Replace(LPCTSTR lpszOld, LPCTSTR lpszNew) {
  ENSURE_ARG(lpszOld != nullptr);
  const int nOld = SafeLength(lpszOld);
  if (nOld == 0 || IsEmpty()) return 0;
  const int nNew = SafeLength(lpszNew);
  int count = 0;
  for (LPCTSTR p = strstr(m_pchData, lpszOld); p != nullptr; p = strstr(p + nOld, lpszOld)) ++count;
  if (count == 0) return 0;
  long long nResult = GetLength() + static_cast<long long>(count) * (nNew - nOld);
  if (nResult > kMaxLength) AfxThrowMemoryException();
  CString result;
  LPTSTR out = result.GetBufferSetLength(static_cast<int>(nResult));
  LPCTSTR src = m_pchData;
  for (LPCTSTR p = strstr(src, lpszOld); p != nullptr; p = strstr(src, lpszOld)) {
    memcpy(out, src, p - src);
    out += p - src;
    if (nNew) memcpy(out, lpszNew, nNew);
    out += nNew;
    src = p + nOld;
  }
  memcpy(out, src, m_pchData + GetLength() - src);
  *this = static_cast<CString&&>(result);
  return count;
}

int CString::Remove(TCHAR chRemove) {
  int nLength = GetLength();
  int count = 0;
  for (int i = 0; i < nLength; ++i)
    if (m_pchData[i] == chRemove) ++count;
  if (count == 0) return 0;
  CopyBeforeWrite();
  int out = 0;
  for (int i = 0; i < nLength; ++i)
    if (m_pchData[i] != chRemove) m_pchData[out++] = m_pchData[i];
  if (out == 0)
    Empty();
  else
    SetLength(out);
  return count;
}

int CString::Insert(int nIndex, TCHAR ch) { return Insert(nIndex, CString(ch)); }

int CString::Insert(int nIndex, LPCTSTR pstr) {
  ENSURE_ARG(nIndex >= 0);
  CString insert(pstr);  // pstr may point into this string
  const int nInsert = insert.GetLength();
  const int nLength = GetLength();
  if (nIndex > nLength) nIndex = nLength;
  if (nInsert > 0) {
    if (nInsert > kMaxLength - nLength) AfxThrowMemoryException();
    PrepareWrite(nLength + nInsert);
    memmove(m_pchData + nIndex + nInsert, m_pchData + nIndex, nLength - nIndex);
    memcpy(m_pchData + nIndex, insert.m_pchData, nInsert);
    SetLength(nLength + nInsert);
  }
  return GetLength();
}

int CString::Delete(int nIndex, int nCount) {
  ENSURE_ARG(nIndex >= 0 && nCount >= 0);
  const int nLength = GetLength();
  if (nIndex >= nLength || nCount == 0) return nLength;
  if (nCount > nLength - nIndex) nCount = nLength - nIndex;
  if (nCount == nLength) {
    Empty();
    return 0;
  }
  CopyBeforeWrite();
  memmove(m_pchData + nIndex, m_pchData + nIndex + nCount, nLength - nIndex - nCount);
  SetLength(nLength - nCount);
  return GetLength();
}

int CString::Find(TCHAR ch, int nStart) const {
  ENSURE_ARG(nStart >= 0);
  const int nLength = GetLength();
  for (int i = nStart; i < nLength; ++i)
    if (m_pchData[i] == ch) return i;
  return -1;
}

int CString::Find(LPCTSTR lpszSub, int nStart) const {
  ENSURE_ARG(lpszSub != nullptr);
  ENSURE_ARG(nStart >= 0);
  if (nStart > GetLength()) return -1;
  LPCTSTR text = *this;
  LPCTSTR p = strstr(text + nStart, lpszSub);
  return p ? static_cast<int>(p - text) : -1;
}

int CString::ReverseFind(TCHAR ch) const {
  for (int i = GetLength() - 1; i >= 0; --i)
    if (m_pchData[i] == ch) return i;
  return -1;
}

int CString::FindOneOf(LPCTSTR lpszCharSet) const {
  ENSURE_ARG(lpszCharSet != nullptr);
  LPCTSTR text = *this;
  LPCTSTR p = strpbrk(text, lpszCharSet);
  return p ? static_cast<int>(p - text) : -1;
}

void CString::FormatV(LPCTSTR lpszFormat, va_list argList) {
  ENSURE_ARG(lpszFormat != nullptr);
  va_list measure;
  va_copy(measure, argList);
  int n = vsnprintf(nullptr, 0, lpszFormat, measure);
  va_end(measure);
  ENSURE_ARG(n >= 0);
  CString result;  // the arguments may refer to this string
  if (n > 0) {
    vsnprintf(result.GetBuffer(n), static_cast<size_t>(n) + 1, lpszFormat, argList);
    result.ReleaseBuffer(n);
  }
  *this = static_cast<CString&&>(result);
}

void CString::Format(LPCTSTR lpszFormat, ...) {
  va_list args;
  va_start(args, lpszFormat);
  FormatV(lpszFormat, args);
  va_end(args);
}

void CString::AppendFormatV(LPCTSTR lpszFormat, va_list argList) {
  CString tail;
  tail.FormatV(lpszFormat, argList);
  *this += tail;
}

void CString::AppendFormat(LPCTSTR lpszFormat, ...) {
  va_list args;
  va_start(args, lpszFormat);
  AppendFormatV(lpszFormat, args);
  va_end(args);
}

LPTSTR CString::GetBuffer(int nMinBufLength) {
  ENSURE_ARG(nMinBufLength >= 0);
  if (m_pchData == nullptr || GetData()->nRefs > 1 || GetData()->nAllocLength < nMinBufLength) {
    const int nOld = GetLength();
    CStringData* pNew = AllocData(nMinBufLength > nOld ? nMinBufLength : nOld);
    if (nOld > 0) memcpy(pNew->data(), m_pchData, nOld);
    pNew->nDataLength = nOld;
    pNew->data()[nOld] = 0;
    Empty();
    m_pchData = pNew->data();
  }
  return m_pchData;
}

void CString::ReleaseBuffer(int nNewLength) {
  if (m_pchData == nullptr) {
    ENSURE_ARG(nNewLength == -1 || nNewLength == 0);
    return;
  }
  CopyBeforeWrite();
  const int nAlloc = GetData()->nAllocLength;
  if (nNewLength == -1) {
    nNewLength = 0;
    while (nNewLength < nAlloc && m_pchData[nNewLength] != 0) ++nNewLength;
  }
  ENSURE_ARG(nNewLength >= 0 && nNewLength <= nAlloc);
  SetLength(nNewLength);
}

LPTSTR CString::GetBufferSetLength(int nNewLength) {
  ENSURE_ARG(nNewLength >= 0);
  GetBuffer(nNewLength);
  SetLength(nNewLength);
  return m_pchData;
}

void CString::FreeExtra() {
  if (m_pchData == nullptr) return;
  const int nLength = GetLength();
  if (nLength == 0) {
    Empty();
  } else if (nLength < GetData()->nAllocLength) {
    CString copy(m_pchData, nLength);
    *this = static_cast<CString&&>(copy);
  }
}

LPTSTR CString::LockBuffer() {
  LPTSTR p = GetBuffer(0);
  GetData()->nRefs = -1;
  return p;
}

void CString::UnlockBuffer() {
  if (m_pchData != nullptr && GetData()->nRefs == -1) GetData()->nRefs = 1;
}

void CString::Preallocate(int nLength) {
  ENSURE_ARG(nLength >= 0);
  GetBuffer(nLength);
}

bool operator==(const CString& s1, const CString& s2) {
  return s1.GetLength() == s2.GetLength() && s1.Compare(s2) == 0;
}
bool operator==(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) == 0; }
bool operator==(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) == 0; }
bool operator!=(const CString& s1, const CString& s2) { return !(s1 == s2); }
bool operator!=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) != 0; }
bool operator!=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) != 0; }
bool operator<(const CString& s1, const CString& s2) { return s1.Compare(s2) < 0; }
bool operator<(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) < 0; }
bool operator<(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) > 0; }
bool operator>(const CString& s1, const CString& s2) { return s1.Compare(s2) > 0; }
bool operator>(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) > 0; }
bool operator>(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) < 0; }
bool operator<=(const CString& s1, const CString& s2) { return s1.Compare(s2) <= 0; }
bool operator<=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) <= 0; }
bool operator<=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) >= 0; }
bool operator>=(const CString& s1, const CString& s2) { return s1.Compare(s2) >= 0; }
bool operator>=(const CString& s1, LPCTSTR s2) { return s1.Compare(s2) >= 0; }
bool operator>=(LPCTSTR s1, const CString& s2) { return s2.Compare(s1) <= 0; }
