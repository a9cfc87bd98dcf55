// CArchive: the framework's binary stream of values and objects over a CFile.
//
// Byte format (little-endian, no padding):
// - integers and floats as their bytes;
// - a string as a length prefix, then its characters: one byte below 255;
//   else 0xFF and 16 bits below 0xFFFE; else 0xFF, 0xFFFF and 32 bits below
//   0xFFFFFFFF; else 0xFF, 0xFFFF, 0xFFFFFFFF and 64 bits. A wide string is
//   marked by 0xFF, 0xFFFE in front of its prefix and holds 16-bit characters;
// - a count as 16 bits, or 0xFFFF and 32 bits from 0xFFFF on;
// - a class: 0xFFFF, its schema (16 bits), its name length (16 bits) and
//   name the first time; later its index with bit 15 set (or 0x7FFF and the
//   index with bit 31 set from 0x7FFF on);
// - an object: its class, then its Serialize data the first time; later its
//   index (or 0x7FFF and 32 bits); a null object is 0.
// Classes and objects share one index count, which starts at 1.
#pragma once

#include "ArchiveException.h"
#include "File.h"
#include "Object.h"
#include "String.h"

class CDocument;

class CArchive {
 public:
  enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

  CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
  ~CArchive();
  CArchive(const CArchive&) = delete;
  CArchive& operator=(const CArchive&) = delete;

  BOOL IsLoading() const { return (m_nMode & load) != 0; }
  BOOL IsStoring() const { return (m_nMode & load) == 0; }
  BOOL IsByteSwapping() const { return FALSE; }
  BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
  CFile* GetFile() const { return m_pFile; }

  // The schema stored with the class of the object being loaded (for a
  // versionable class); reading it resets it to (UINT)-1.
  UINT GetObjectSchema();
  void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

  // The document (or any other context) that the serialised objects belong to.
  CDocument* m_pDocument;

  UINT Read(void* lpBuf, UINT nMax);
  void Write(const void* lpBuf, UINT nMax);
  void Flush();
  void Close();
  void Abort();  // detaches from the file without writing the buffer

  // Characters without a terminator; ReadString reads one line of such text.
  void WriteString(LPCTSTR lpsz);
  BOOL ReadString(CString& rString);

  CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                           DWORD* pObTag = nullptr);
  void WriteClass(const CRuntimeClass* pClassRef);
  void SerializeClass(const CRuntimeClass* pClassRef);
  CObject* ReadObject(const CRuntimeClass* pClass);
  void WriteObject(const CObject* pOb);
  // Gives pOb the next index without writing it (and creates the index maps).
  void MapObject(const CObject* pOb);

  DWORD_PTR ReadCount();
  void WriteCount(DWORD_PTR dwCount);

  void SetStoreParams(UINT nHashSize = 2053, UINT nBlockSize = 128);
  void SetLoadParams(UINT nGrowBy = 1024);

  // Throws CArchiveException::endOfFile unless the stream still holds nBytes.
  // Loaders call it before allocating room for what a stream announces.
  void EnsureAvailable(ULONGLONG nBytes);

  CArchive& operator<<(BYTE by) { return WriteValue(by); }
  CArchive& operator<<(WORD w) { return WriteValue(w); }
  CArchive& operator<<(LONG l) { return WriteValue(l); }
  CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
  CArchive& operator<<(float f) { return WriteValue(f); }
  CArchive& operator<<(double d) { return WriteValue(d); }
  CArchive& operator<<(LONGLONG dwdw) { return WriteValue(dwdw); }
  CArchive& operator<<(ULONGLONG dwdw) { return WriteValue(dwdw); }
  CArchive& operator<<(short w) { return WriteValue(w); }
  CArchive& operator<<(char ch) { return WriteValue(ch); }
  CArchive& operator<<(signed char ch) { return WriteValue(ch); }
#ifdef _WIN32
  CArchive& operator<<(int i) { return WriteValue(static_cast<LONG>(i)); }
  CArchive& operator<<(unsigned u) { return WriteValue(static_cast<DWORD>(u)); }
#endif
  CArchive& operator<<(const CObject* pOb) {
    WriteObject(pOb);
    return *this;
  }

  CArchive& operator>>(BYTE& by) { return ReadValue(by); }
  CArchive& operator>>(WORD& w) { return ReadValue(w); }
  CArchive& operator>>(LONG& l) { return ReadValue(l); }
  CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
  CArchive& operator>>(float& f) { return ReadValue(f); }
  CArchive& operator>>(double& d) { return ReadValue(d); }
  CArchive& operator>>(LONGLONG& dwdw) { return ReadValue(dwdw); }
  CArchive& operator>>(ULONGLONG& dwdw) { return ReadValue(dwdw); }
  CArchive& operator>>(short& w) { return ReadValue(w); }
  CArchive& operator>>(char& ch) { return ReadValue(ch); }
  CArchive& operator>>(signed char& ch) { return ReadValue(ch); }
#ifdef _WIN32
  CArchive& operator>>(int& i) {
    LONG l;
    ReadValue(l);
    i = l;
    return *this;
  }
  CArchive& operator>>(unsigned& u) {
    DWORD dw;
    ReadValue(dw);
    u = dw;
    return *this;
  }
#endif
  CArchive& operator>>(CObject*& pOb) {
    pOb = ReadObject(nullptr);
    return *this;
  }
  CArchive& operator>>(const CObject*& pOb) {
    pOb = ReadObject(nullptr);
    return *this;
  }

  friend CArchive& operator<<(CArchive& ar, const CString& string);
  friend CArchive& operator>>(CArchive& ar, CString& string);

  // String length prefixes (see the format above).
  void WriteStringLength(ULONGLONG nLength, BOOL bUnicode);
  ULONGLONG ReadStringLength(BOOL& bUnicode);

 protected:
  enum : DWORD {
    wNullTag = 0,
    wNewClassTag = 0xFFFF,
    wClassTag = 0x8000,
    dwBigClassTag = 0x80000000,
    wBigObjectTag = 0x7FFF,
    nMaxMapCount = 0x3FFFFFFE,
    // Objects nested deeper than this in a stream are refused: each level
    // costs stack, and a crafted stream could otherwise exhaust it.
    nMaxLoadDepth = 1000,
  };

  template <class T>
  CArchive& WriteValue(T value) {
    if (!IsStoring()) AfxThrowArchiveException(CArchiveException::readOnly, m_strFileName);
    if (static_cast<size_t>(m_lpBufMax - m_lpBufCur) < sizeof(T)) FlushBuffer();
    memcpy(m_lpBufCur, &value, sizeof(T));
    m_lpBufCur += sizeof(T);
    return *this;
  }
  template <class T>
  CArchive& ReadValue(T& value) {
    if (!IsLoading()) AfxThrowArchiveException(CArchiveException::writeOnly, m_strFileName);
    if (static_cast<size_t>(m_lpBufMax - m_lpBufCur) < sizeof(T)) FillBuffer(sizeof(T));
    memcpy(&value, m_lpBufCur, sizeof(T));
    m_lpBufCur += sizeof(T);
    return *this;
  }

  // Makes at least nBytes unread bytes available in the buffer, or throws
  // endOfFile.
  void FillBuffer(UINT nBytes);
  // Writes the buffered bytes to the file (storing).
  void FlushBuffer();
  void WriteIndexTag(DWORD nIndex, DWORD dwBigFlag);
  void CheckMapCount() const;
  void FreeMaps();
  // What a loading archive has mapped so far, by index: the object, or null
  // for a class record, an index not yet used or an object already freed.
  // Lets an owner free the objects of a load it gives up on.
  DWORD GetLoadMapCount() const;
  CObject* GetLoadedObject(DWORD nIndex) const;

  struct LoadState;
  struct StoreState;

  CFile* m_pFile;
  UINT m_nMode;
  BOOL m_bUserBuf;
  int m_nBufSize;
  BYTE* m_lpBufStart;
  BYTE* m_lpBufCur;
  BYTE* m_lpBufMax;
  UINT m_nObjectSchema;
  CString m_strFileName;
  DWORD m_nMapCount;
  LoadState* m_pLoad;
  StoreState* m_pStore;
  UINT m_nGrowSize;
  UINT m_nHashSize;
  UINT m_nBlockSize;
  UINT m_nLoadDepth;  // objects being loaded inside one another
};

template <class T>
CArchive& AfxReadObjectInto(CArchive& ar, T*& pOb) {
  pOb = static_cast<T*>(ar.ReadObject(T::GetThisClass()));
  return ar;
}

#ifdef _WIN32
CArchive& AFXAPI operator<<(CArchive& ar, const SIZE& size);
CArchive& AFXAPI operator<<(CArchive& ar, const POINT& point);
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect);
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size);
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point);
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect);
#endif
