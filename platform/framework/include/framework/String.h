// CString: the framework's reference-counted ANSI string.
//
// A CString is one pointer to its characters; a header in front of them holds
// the reference count and the lengths. An empty string holds no block at all
// (null pointer) or a block of length 0, never a pointer into one module's
// static data, and every block comes from the C runtime heap (malloc/free),
// so strings can be created, changed and freed by different modules.
#pragma once

#include "Defs.h"

struct CStringData {
  long nRefs;        // -1: locked, never shared
  int nDataLength;   // characters, without the terminator
  int nAllocLength;  // room for characters, without the terminator
  TCHAR* data() { return reinterpret_cast<TCHAR*>(this + 1); }
};

class CString {
 public:
  CString() noexcept : m_pchData(nullptr) {}
  CString(const CString& stringSrc);
  CString(CString&& stringSrc) noexcept : m_pchData(stringSrc.m_pchData) { stringSrc.m_pchData = nullptr; }
  CString(TCHAR ch, int nRepeat = 1);
  CString(LPCTSTR lpsz);  // on Windows a value below 0x10000 is a string resource id
  CString(LPCTSTR lpch, int nLength);
  CString(const unsigned char* psz);
#ifdef _WIN32
  CString(LPCWSTR lpsz);  // converted with the ANSI code page
#endif
  ~CString();

  int GetLength() const { return m_pchData ? GetData()->nDataLength : 0; }
  BOOL IsEmpty() const { return GetLength() == 0; }
  void Empty();

  TCHAR GetAt(int nIndex) const;
  TCHAR operator[](int nIndex) const { return GetAt(nIndex); }
  void SetAt(int nIndex, TCHAR ch);
  operator LPCTSTR() const { return m_pchData ? m_pchData : EmptyText(); }
  LPCTSTR GetString() const { return *this; }

  CString& operator=(const CString& stringSrc);
  CString& operator=(CString&& stringSrc) noexcept;
  CString& operator=(TCHAR ch);
  CString& operator=(LPCTSTR lpsz);
  CString& operator=(const unsigned char* psz);
#ifdef _WIN32
  CString& operator=(LPCWSTR lpsz);
#endif
  void SetString(LPCTSTR lpsz, int nLength);

  CString& operator+=(const CString& string);
  CString& operator+=(TCHAR ch);
  CString& operator+=(LPCTSTR lpsz);
  void Append(LPCTSTR lpsz, int nLength);
  void AppendChar(TCHAR ch) { *this += ch; }

  friend CString operator+(const CString& string1, const CString& string2);
  friend CString operator+(const CString& string, TCHAR ch);
  friend CString operator+(TCHAR ch, const CString& string);
  friend CString operator+(const CString& string, LPCTSTR lpsz);
  friend CString operator+(LPCTSTR lpsz, const CString& string);

  int Compare(LPCTSTR lpsz) const;
  int CompareNoCase(LPCTSTR lpsz) const;
  int Collate(LPCTSTR lpsz) const;
  int CollateNoCase(LPCTSTR lpsz) const;

  CString Mid(int nFirst, int nCount) const;
  CString Mid(int nFirst) const;
  CString Left(int nCount) const;
  CString Right(int nCount) const;
  CString SpanIncluding(LPCTSTR lpszCharSet) const;
  CString SpanExcluding(LPCTSTR lpszCharSet) const;
  CString Tokenize(LPCTSTR pszTokens, int& iStart) const;

  CString& MakeUpper();
  CString& MakeLower();
  CString& MakeReverse();

  CString& Trim();
  CString& Trim(TCHAR chTarget);
  CString& Trim(LPCTSTR lpszTargets);
  CString& TrimRight();
  CString& TrimRight(TCHAR chTarget);
  CString& TrimRight(LPCTSTR lpszTargets);
  CString& TrimLeft();
  CString& TrimLeft(TCHAR chTarget);
  CString& TrimLeft(LPCTSTR lpszTargets);

  int Replace(TCHAR chOld, TCHAR chNew);
  int Replace(LPCTSTR lpszOld, LPCTSTR lpszNew);
  int Remove(TCHAR chRemove);
  int Insert(int nIndex, TCHAR ch);
  int Insert(int nIndex, LPCTSTR pstr);
  int Delete(int nIndex, int nCount = 1);

  int Find(TCHAR ch, int nStart = 0) const;
  int Find(LPCTSTR lpszSub, int nStart = 0) const;
  int ReverseFind(TCHAR ch) const;
  int FindOneOf(LPCTSTR lpszCharSet) const;

  void Format(LPCTSTR lpszFormat, ...);
  void FormatV(LPCTSTR lpszFormat, va_list argList);
  void AppendFormat(LPCTSTR lpszFormat, ...);
  void AppendFormatV(LPCTSTR lpszFormat, va_list argList);
#ifdef _WIN32
  void Format(UINT nFormatID, ...);
  // Loads a string resource from the module that holds it
  // (AfxFindStringResourceHandle); FALSE when there is none.
  BOOL LoadString(UINT nID);
#endif

  // Direct access to the characters: GetBuffer gives room for at least
  // nMinBufLength characters plus a terminator; ReleaseBuffer sets the length
  // (-1: up to the first NUL).
  LPTSTR GetBuffer(int nMinBufLength);
  LPTSTR GetBuffer() { return GetBuffer(0); }
  void ReleaseBuffer(int nNewLength = -1);
  LPTSTR GetBufferSetLength(int nNewLength);
  void FreeExtra();
  LPTSTR LockBuffer();
  void UnlockBuffer();
  void Preallocate(int nLength);
  int GetAllocLength() const { return m_pchData ? GetData()->nAllocLength : 0; }

 private:
  CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
  static LPCTSTR EmptyText() { return ""; }
  static CStringData* AllocData(int nLength);
  static void Release(CStringData* pData);
  void AssignCopy(LPCTSTR lpch, int nLength);
  void CopyBeforeWrite();
  void PrepareWrite(int nLength);  // unshared block of at least nLength, content kept
  void SetLength(int nLength);
  int TrimRightWhere(bool (*test)(TCHAR, const void*), const void* arg);
  int TrimLeftWhere(bool (*test)(TCHAR, const void*), const void* arg);

  LPTSTR m_pchData;
};

bool operator==(const CString& s1, const CString& s2);
bool operator==(const CString& s1, LPCTSTR s2);
bool operator==(LPCTSTR s1, const CString& s2);
bool operator!=(const CString& s1, const CString& s2);
bool operator!=(const CString& s1, LPCTSTR s2);
bool operator!=(LPCTSTR s1, const CString& s2);
bool operator<(const CString& s1, const CString& s2);
bool operator<(const CString& s1, LPCTSTR s2);
bool operator<(LPCTSTR s1, const CString& s2);
bool operator>(const CString& s1, const CString& s2);
bool operator>(const CString& s1, LPCTSTR s2);
bool operator>(LPCTSTR s1, const CString& s2);
bool operator<=(const CString& s1, const CString& s2);
bool operator<=(const CString& s1, LPCTSTR s2);
bool operator<=(LPCTSTR s1, const CString& s2);
bool operator>=(const CString& s1, const CString& s2);
bool operator>=(const CString& s1, LPCTSTR s2);
bool operator>=(LPCTSTR s1, const CString& s2);
